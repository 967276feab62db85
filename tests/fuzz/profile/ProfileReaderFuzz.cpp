// The profile reader and writer over arbitrary file bytes. Input: one byte each for the
// lengths of a section and a key name, the names, then the file. Besides staying inside
// its buffers, a value written must read back as written (blanks trimmed, quotes removed).
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "profile/ProfileText.h"

namespace {

std::string_view Trim(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

std::string_view Unquote(std::string_view value) {
  if (value.size() >= 2 && value.front() == value.back() &&
      (value.front() == '"' || value.front() == '\'')) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) {
    return 0;
  }
  std::string_view input(reinterpret_cast<const char*>(data), size);
  size_t sectionLength = static_cast<uint8_t>(input[0]) % 16;
  size_t keyLength = static_cast<uint8_t>(input[1]) % 16;
  input.remove_prefix(2);
  std::string_view section = input.substr(0, sectionLength);
  input.remove_prefix(section.size());
  std::string_view key = input.substr(0, keyLength);
  input.remove_prefix(key.size());
  // A copy of exactly the file's size, so a read past its end is caught.
  std::string file(input);

  FindProfileValue(file, section, key);
  ProfileSectionNames(file);
  ProfileKeyNames(file, section);
  ProfileWithoutKey(file, section, key);
  ProfileWithoutSection(file, section);

  const std::string_view value = " \"written\" ";
  if (IsStorableInProfile(section, key, value)) {
    std::string after = ProfileWithValue(file, section, key, value);
    auto read = FindProfileValue(after, section, key);
    if (!read || *read != Unquote(Trim(value))) {
      std::abort();
    }
    if (!ProfileWithoutKey(after, section, key)) {
      std::abort();
    }
  }
  return 0;
}
