// Icons made on first use: they must look exactly like the ones made at once.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>

#include "app/DeferredIcon.h"
#include "app/DeferredIconStyle.h"

namespace {

QImage Picture(const QIcon& icon, int size, QIcon::Mode mode) {
  return icon.pixmap(size, size, mode).toImage();
}

TEST(DeferredIconStyle, StandardIconsDrawLikeTheBaseStyles) {
  TDeferredIconStyle style;
  struct Case { const char* label; QStyle::StandardPixmap icon; int size; QIcon::Mode mode; };
  const Case cases[] = {
      {"browse folder", QStyle::SP_DirOpenIcon, 16, QIcon::Normal},
      {"browse folder disabled", QStyle::SP_DirOpenIcon, 16, QIcon::Disabled},
      {"new folder, toolbar size", QStyle::SP_FileDialogNewFolder, 32, QIcon::Normal},
      {"warning", QStyle::SP_MessageBoxWarning, 32, QIcon::Normal},
      {"media play, active", QStyle::SP_MediaPlay, 24, QIcon::Active},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    const QIcon deferred = style.standardIcon(c.icon, nullptr, nullptr);
    const QIcon direct = style.baseStyle()->standardIcon(c.icon, nullptr, nullptr);
    EXPECT_FALSE(deferred.isNull()) << c.label;
    EXPECT_EQ(Picture(deferred, c.size, c.mode), Picture(direct, c.size, c.mode)) << c.label;
    EXPECT_EQ(deferred.availableSizes(), direct.availableSizes()) << c.label;
  }
}

TEST(DeferredIcon, MadeOnceAtFirstUseAndSharedByCopies) {
  int made = 0;
  QImage square(8, 8, QImage::Format_RGB32);
  square.fill(Qt::red);
  const QIcon icon = DeferredIcon([&] {
    ++made;
    return QIcon(QPixmap::fromImage(square));
  });
  QIcon copy = icon;
  EXPECT_EQ(made, 0);
  EXPECT_EQ(Picture(copy, 8, QIcon::Normal).pixelColor(4, 4), QColor(Qt::red));
  EXPECT_EQ(Picture(icon, 8, QIcon::Normal).pixelColor(4, 4), QColor(Qt::red));
  EXPECT_EQ(made, 1);
}

TEST(DeferredIcon, NullWhenWhatItMakesIsNull) {
  EXPECT_TRUE(DeferredIcon([] { return QIcon(); }).isNull());
}

}  // namespace
