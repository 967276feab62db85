// embed_pictures <header> <source> <name>=<file.png>[@<size>] ...
//
// Decodes each PNG (scaled smoothly to size by size pixels when a size is given) and
// writes a C++ source holding its pixels, premultiplied ARGB32, as a TBundledPicture
// called <name>, and a header declaring them. The program then shows its pictures without
// decoding anything at start-up.
#include <QImage>
#include <QString>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct PictureRequest {
  std::string name;
  std::string file;
  int size = 0;  // 0: as drawn
};

bool ParseRequest(const std::string& argument, PictureRequest& request) {
  const size_t equals = argument.find('=');
  if (equals == std::string::npos || equals == 0) return false;
  request.name = argument.substr(0, equals);
  request.file = argument.substr(equals + 1);
  const size_t at = request.file.rfind('@');
  if (at != std::string::npos) {
    request.size = std::atoi(request.file.c_str() + at + 1);
    request.file.resize(at);
    if (request.size <= 0) return false;
  }
  return !request.file.empty();
}

bool Decode(const PictureRequest& request, QImage& picture) {
  picture = QImage(QString::fromStdString(request.file), "PNG");
  if (picture.isNull()) return false;
  if (request.size > 0 && picture.size() != QSize(request.size, request.size)) {
    picture = picture.scaled(request.size, request.size, Qt::IgnoreAspectRatio,
                             Qt::SmoothTransformation);
  }
  picture = picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  return true;
}

void WritePixels(std::ostream& out, const PictureRequest& request, const QImage& picture) {
  out << "alignas(4) const std::uint32_t " << request.name << "Pixels[] = {";
  for (int y = 0; y < picture.height(); ++y) {
    const auto* row = reinterpret_cast<const std::uint32_t*>(picture.constScanLine(y));
    for (int x = 0; x < picture.width(); ++x) {
      if ((y * picture.width() + x) % 8 == 0) out << "\n   ";
      char word[16];
      std::snprintf(word, sizeof word, " 0x%08x,", static_cast<unsigned>(row[x]));
      out << word;
    }
  }
  out << "\n};\n";
}

bool WriteFile(const char* path, const std::string& text) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file << text;
  return static_cast<bool>(file.flush());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr,
                 "usage: embed_pictures <header> <source> <name>=<file.png>[@<size>] ...\n");
    return 2;
  }
  std::ostringstream header;
  std::ostringstream source;
  header << "#pragma once\n// Written by embed_pictures from the bundled PNG files.\n\n"
            "#include \"shell/BundledPicture.h\"\n\n";
  source << "// Written by embed_pictures from the bundled PNG files.\n"
            "#include <cstdint>\n\n#include \"shell/BundledPicture.h\"\n\nnamespace {\n";
  std::ostringstream table;
  for (int k = 3; k < argc; ++k) {
    PictureRequest request;
    QImage picture;
    if (!ParseRequest(argv[k], request)) {
      std::fprintf(stderr, "embed_pictures: not <name>=<file.png>[@<size>]: %s\n", argv[k]);
      return 2;
    }
    if (!Decode(request, picture)) {
      std::fprintf(stderr, "embed_pictures: cannot read %s as PNG\n", request.file.c_str());
      return 1;
    }
    WritePixels(source, request, picture);
    header << "extern const TBundledPicture " << request.name << ";\n";
    table << "extern const TBundledPicture " << request.name << "{" << picture.width() << ", "
          << picture.height() << ", " << request.name << "Pixels};\n";
  }
  source << "}  // namespace\n\n" << table.str();
  if (!WriteFile(argv[1], header.str()) || !WriteFile(argv[2], source.str())) {
    std::fprintf(stderr, "embed_pictures: cannot write %s or %s\n", argv[1], argv[2]);
    return 1;
  }
  return 0;
}
