#pragma once
// Pictures compiled into the program as pixels (premultiplied ARGB32), written at build
// time by embed_pictures from the bundled PNG files (brenvoll_pictures in the build). Left
// to read a PNG, Qt would first load every image plugin installed to ask it about the
// file; the start-up shows several pictures and pays nothing for them this way.
// Interface thread only.

#include <cstdint>
#include <initializer_list>

class QIcon;
class QImage;

struct TBundledPicture {
  int width;
  int height;
  const std::uint32_t* pixels;
};

// The picture's pixels as an image; the pixels are not copied.
QImage BundledImage(const TBundledPicture& picture);

// An icon with one picture per size; Qt picks the one that fits where it is drawn.
QIcon BundledIcon(std::initializer_list<const TBundledPicture*> sizes);

// The desktop icon theme's icon of that name, or the bundled picture on a desktop without
// an icon theme.
QIcon ThemeIcon(const char* themeName, const TBundledPicture& bundled);
