#include "profile/TextFields.h"

namespace {

constexpr char Quote = '"';

bool IsBlankOrControl(char c) { return static_cast<unsigned char>(c) <= 32; }

// The position where field index begins, or text.size() when the text ends first.
size_t FieldStart(const std::string& text, char delimiter, int index) {
  bool quoted = false;
  int delimiters = 0;
  size_t i = 0;
  while (delimiters < index && i < text.size()) {
    if (text[i] == Quote) {
      quoted = !quoted;
    } else if (text[i] == delimiter && !quoted) {
      ++delimiters;
    }
    ++i;
  }
  return delimiters < index ? text.size() : i;
}

std::string Extract(const std::string& text, char delimiter, int index, bool collapseDoubled) {
  std::string field;
  bool quoted = false;
  for (size_t i = FieldStart(text, delimiter, index); i < text.size(); ++i) {
    char c = text[i];
    if (c == delimiter && !quoted) {
      break;
    }
    if (c == Quote) {
      if (collapseDoubled && i + 1 < text.size() && text[i + 1] == Quote) {
        ++i;
      } else {
        quoted = !quoted;
      }
    }
    field += c;
  }
  if (!field.empty() && field.front() == Quote && field.back() == Quote) {
    field = field.size() == 1 ? "" : field.substr(1, field.size() - 2);
  }
  size_t first = 0;
  while (first < field.size() && IsBlankOrControl(field[first])) {
    ++first;
  }
  size_t last = field.size();
  while (last > first && IsBlankOrControl(field[last - 1])) {
    --last;
  }
  return field.substr(first, last - first);
}

}  // namespace

std::string ExtractQuotedField(const std::string& text, char delimiter, int index) {
  return Extract(text, delimiter, index, true);
}

std::string ExtractField(const std::string& text, char delimiter, int index) {
  return Extract(text, delimiter, index, false);
}

std::string LeftText(const std::string& text, int count) {
  if (count <= 0) {
    return "";
  }
  return text.substr(0, static_cast<size_t>(count));
}

std::string FileNameWithoutExt(const std::string& path) {
  size_t separator = path.find_last_of("\\/:");
  std::string name = separator == std::string::npos ? path : path.substr(separator + 1);
  size_t dot = name.rfind('.');
  return dot == std::string::npos ? name : name.substr(0, dot);
}
