// The pictures compiled into the program show what their PNG files show.
#include <gtest/gtest.h>

#include <QIcon>
#include <QImage>
#include <QPixmap>

#include "MainWindowPictures.h"
#include "ProgramPictures.h"
#include "ShellPictures.h"
#include "app/Icons.h"
#include "shell/BundledPicture.h"

namespace {

QImage PngFile(const char* name) {
  return QImage(QString(BRENVOLL_ICONS_DIR) + name, "PNG")
      .convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

TEST(BundledPicture, PixelsAreThoseOfThePngFile) {
  const struct {
    const char* file;
    const TBundledPicture& picture;
  } rows[] = {
      {"brenvoll-admin-48.png", ProgramIcon48},
      {"brenvoll-admin-96.png", ProgramIcon96},
      {"document-new.png", DocumentNewPicture},
      {"x-office-calendar.png", CalendarPicture},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.file);
    const QImage expected = PngFile(row.file);
    ASSERT_FALSE(expected.isNull());
    EXPECT_EQ(BundledImage(row.picture), expected) << row.file << " differs from its picture";
  }
}

TEST(BundledPicture, SizedPicturesAreScaledToTheirSize) {
  EXPECT_EQ(QSize(ProgramIcon137.width, ProgramIcon137.height), QSize(137, 137));
  EXPECT_EQ(QSize(BrowsePicture.width, BrowsePicture.height), QSize(16, 16));
}

TEST(BundledPicture, ProgramIconOffersEachSizeWithoutScaling) {
  for (const TBundledPicture* picture : {&ProgramIcon48, &ProgramIcon96, &ProgramIcon137}) {
    SCOPED_TRACE(picture->width);
    const QSize size(picture->width, picture->height);
    const QImage drawn = ProgramIcon().pixmap(size).toImage();
    EXPECT_EQ(drawn.convertToFormat(QImage::Format_ARGB32_Premultiplied), BundledImage(*picture));
  }
}

}  // namespace
