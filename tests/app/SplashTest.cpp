#include <gtest/gtest.h>

#include <QLabel>

#include "app/Splash.h"

namespace {

TEST(Splash, BorderlessWhiteWindowWithThePicture) {
  TfrmSplash splash;
  EXPECT_EQ(splash.windowTitle(), "Loading Brenvoll");
  EXPECT_EQ(splash.size(), QSize(360, 212));
  EXPECT_TRUE(splash.windowFlags() & Qt::FramelessWindowHint);
  EXPECT_TRUE(splash.testAttribute(Qt::WA_TransparentForMouseEvents));
  EXPECT_EQ(splash.palette().color(QPalette::Window), QColor(Qt::white));
  auto* picture = splash.findChild<QLabel*>("Image1");
  ASSERT_NE(picture, nullptr);
  EXPECT_EQ(picture->size(), QSize(137, 137));
  EXPECT_FALSE(picture->pixmap().isNull());
  splash.ShowNow();
  EXPECT_TRUE(splash.isVisible());
}

}  // namespace
