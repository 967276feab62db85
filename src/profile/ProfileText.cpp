#include "profile/ProfileText.h"

namespace {

constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view LineBreak = "\r\n";

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

char Fold(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) {
    text.remove_prefix(1);
  }
  while (!text.empty() && IsBlank(text.back())) {
    text.remove_suffix(1);
  }
  return text;
}

// One line: its text without the line break, and the offsets around it.
struct Line {
  size_t begin = 0;
  size_t end = 0;  // after the line break
  std::string_view text;
  bool HasBreak() const { return end > begin + text.size(); }
};

// Where the lines begin: after a byte-order mark.
size_t BodyStart(std::string_view file) {
  return file.substr(0, ByteOrderMark.size()) == ByteOrderMark ? ByteOrderMark.size() : 0;
}

class Lines {
public:
  explicit Lines(std::string_view file) : file_(file), pos_(BodyStart(file)) {}

  bool Next(Line& line) {
    if (pos_ >= file_.size()) {
      return false;
    }
    size_t stop = pos_;
    while (stop < file_.size() && file_[stop] != '\n' && file_[stop] != '\r') {
      ++stop;
    }
    line.begin = pos_;
    line.text = file_.substr(pos_, stop - pos_);
    if (stop < file_.size()) {
      stop += (file_[stop] == '\r' && stop + 1 < file_.size() && file_[stop + 1] == '\n') ? 2 : 1;
    }
    line.end = stop;
    pos_ = stop;
    return true;
  }

private:
  std::string_view file_;
  size_t pos_;
};

// The section name when the line is a section line.
std::optional<std::string_view> SectionName(std::string_view text) {
  std::string_view trimmed = Trim(text);
  if (trimmed.empty() || trimmed.front() != '[') {
    return std::nullopt;
  }
  size_t close = trimmed.find(']');
  if (close == std::string_view::npos) {
    return std::nullopt;
  }
  return Trim(trimmed.substr(1, close - 1));
}

struct KeyLine {
  std::string_view key;
  std::string_view value;
};

std::optional<KeyLine> KeyOf(std::string_view text) {
  std::string_view trimmed = Trim(text);
  size_t equals = trimmed.find('=');
  if (equals == std::string_view::npos || trimmed.front() == ';') {
    return std::nullopt;
  }
  return KeyLine{Trim(trimmed.substr(0, equals)), Trim(trimmed.substr(equals + 1))};
}

std::string_view Unquote(std::string_view value) {
  if (value.size() >= 2 && value.front() == value.back() &&
      (value.front() == '"' || value.front() == '\'')) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

// Where the first section of a name lies.
struct Section {
  Line header;
  size_t bodyEnd = 0;       // start of the next section line, or the file's end
  Line lastContent;         // the last non-blank line (the header when there is none)
};

// Walks to the first section named name, leaving lines just after its header.
bool FindSectionHeader(Lines& lines, std::string_view name, Line& header) {
  std::string_view wanted = Trim(name);
  while (lines.Next(header)) {
    std::optional<std::string_view> found = SectionName(header.text);
    if (found && SameProfileName(*found, wanted)) {
      return true;
    }
  }
  return false;
}

std::optional<Section> FindSection(std::string_view file, std::string_view name) {
  Lines lines(file);
  Section section;
  if (!FindSectionHeader(lines, name, section.header)) {
    return std::nullopt;
  }
  section.lastContent = section.header;
  section.bodyEnd = file.size();
  Line line;
  while (lines.Next(line)) {
    if (SectionName(line.text)) {
      section.bodyEnd = line.begin;
      break;
    }
    if (!Trim(line.text).empty()) {
      section.lastContent = line;
    }
  }
  return section;
}

// The first key line of key in the section whose header lines have just passed.
bool FindKeyLine(Lines& lines, std::string_view key, Line& line, KeyLine& entry) {
  std::string_view wanted = Trim(key);
  while (lines.Next(line)) {
    if (SectionName(line.text)) {
      return false;
    }
    std::optional<KeyLine> found = KeyOf(line.text);
    if (found && SameProfileName(found->key, wanted)) {
      entry = *found;
      return true;
    }
  }
  return false;
}

// The first key line of key in the first section of its name.
bool FindKey(std::string_view file, std::string_view section, std::string_view key, Line& line,
             KeyLine& entry) {
  Lines lines(file);
  return FindSectionHeader(lines, section, line) && FindKeyLine(lines, key, line, entry);
}

bool HasForbiddenByte(std::string_view text) {
  return text.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

std::string KeyLineText(std::string_view key, std::string_view value) {
  std::string text;
  text.reserve(key.size() + value.size() + 3);
  text.append(key);
  text += '=';
  text.append(value);
  text.append(LineBreak);
  return text;
}

std::string Splice(std::string_view file, size_t from, size_t to, std::string_view insert) {
  std::string out;
  out.reserve(file.size() - (to - from) + insert.size());
  out.append(file.substr(0, from));
  out.append(insert);
  out.append(file.substr(to));
  return out;
}

}  // namespace

bool SameProfileName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) {
    return false;
  }
  for (size_t i = 0; i < a.size(); ++i) {
    if (a[i] != b[i] && Fold(a[i]) != Fold(b[i])) {
      return false;
    }
  }
  return true;
}

std::optional<std::string_view> FindProfileValue(std::string_view file, std::string_view section,
                                                 std::string_view key) {
  Line line;
  KeyLine entry;
  if (!FindKey(file, section, key, line, entry)) {
    return std::nullopt;
  }
  return Unquote(entry.value);
}

std::vector<std::string> ProfileSectionNames(std::string_view file) {
  std::vector<std::string> names;
  Lines lines(file);
  Line line;
  while (lines.Next(line)) {
    if (std::optional<std::string_view> name = SectionName(line.text)) {
      names.emplace_back(*name);
    }
  }
  return names;
}

std::vector<std::string> ProfileKeyNames(std::string_view file, std::string_view section) {
  std::vector<std::string> names;
  Lines lines(file);
  Line line;
  if (!FindSectionHeader(lines, section, line)) {
    return names;
  }
  while (lines.Next(line) && !SectionName(line.text)) {
    if (std::optional<KeyLine> entry = KeyOf(line.text)) {
      names.emplace_back(entry->key);
    }
  }
  return names;
}

bool IsStorableInProfile(std::string_view section, std::string_view key, std::string_view value) {
  if (HasForbiddenByte(section) || HasForbiddenByte(key) || HasForbiddenByte(value)) {
    return false;
  }
  if (section.find(']') != std::string_view::npos || key.find('=') != std::string_view::npos) {
    return false;
  }
  std::string_view trimmedKey = Trim(key);
  return trimmedKey.empty() || (trimmedKey.front() != '[' && trimmedKey.front() != ';');
}

std::string ProfileWithValue(std::string_view file, std::string_view section,
                             std::string_view key, std::string_view value) {
  Line line;
  KeyLine entry;
  if (FindKey(file, section, key, line, entry)) {
    return Splice(file, line.begin, line.end, KeyLineText(entry.key, value));
  }
  std::optional<Section> found = FindSection(file, section);
  if (!found) {
    std::string added;
    if (file.size() > BodyStart(file) && file.back() != '\n' && file.back() != '\r') {
      added.append(LineBreak);
    }
    added += '[';
    added.append(Trim(section));
    added += ']';
    added.append(LineBreak);
    added.append(KeyLineText(Trim(key), value));
    return Splice(file, file.size(), file.size(), added);
  }
  const Line& last = found->lastContent;
  std::string added = last.HasBreak() ? "" : std::string(LineBreak);
  added.append(KeyLineText(Trim(key), value));
  return Splice(file, last.end, last.end, added);
}

std::optional<std::string> ProfileWithoutKey(std::string_view file, std::string_view section,
                                             std::string_view key) {
  Line line;
  KeyLine entry;
  if (!FindKey(file, section, key, line, entry)) {
    return std::nullopt;
  }
  return Splice(file, line.begin, line.end, "");
}

std::optional<std::string> ProfileWithoutSection(std::string_view file, std::string_view section) {
  std::optional<Section> found = FindSection(file, section);
  if (!found) {
    return std::nullopt;
  }
  return Splice(file, found->header.begin, found->bodyEnd, "");
}
