#include "shell/BundledPicture.h"

#include <QIcon>
#include <QImage>
#include <QPixmap>

QImage BundledImage(const TBundledPicture& picture) {
  return QImage(reinterpret_cast<const uchar*>(picture.pixels), picture.width, picture.height,
                picture.width * 4, QImage::Format_ARGB32_Premultiplied);
}

QIcon BundledIcon(std::initializer_list<const TBundledPicture*> sizes) {
  QIcon icon;
  for (const TBundledPicture* picture : sizes) {
    icon.addPixmap(QPixmap::fromImage(BundledImage(*picture)));
  }
  return icon;
}

QIcon ThemeIcon(const char* themeName, const TBundledPicture& bundled) {
  return QIcon::fromTheme(themeName, BundledIcon({&bundled}));
}
