#include "profile/IniFile.h"

#include <algorithm>
#include <cerrno>

#include "base/Exceptions.h"
#include "base/FileBytes.h"
#include "profile/Numbers.h"
#include "profile/ProfileText.h"

namespace {

// Name lists come back as a buffer of 16384 characters holding each name with a
// terminator and a final empty name; names that do not fit whole are left out.
constexpr size_t NameListCapacity = 16384;

void SetNameList(std::vector<std::string> names, std::vector<std::string>& list) {
  list.clear();
  size_t used = 1;
  for (std::string& name : names) {
    used += name.size() + 1;
    if (used > NameListCapacity) {
      break;
    }
    list.push_back(std::move(name));
  }
}

// The file's bytes; the empty text for a missing or unreadable file.
std::string FileContent(const std::string& fileName) {
  std::string bytes;
  ReadFileBytes(fileName, bytes);
  return bytes;
}

std::string ReadProfileValue(const std::string& section, const std::string& key,
                             const std::string& defaultValue, const std::string& fileName,
                             size_t limit) {
  std::string bytes = FileContent(fileName);
  std::optional<std::string_view> value = FindProfileValue(bytes, section, key);
  if (!value) {
    return defaultValue;
  }
  return std::string(value->substr(0, limit));
}

// Writes the changed file when it differs from what is there; false when it cannot.
bool StoreProfile(const std::string& fileName, bool existed, const std::string& before,
                  const std::string& after) {
  if (existed && after == before) {
    return true;
  }
  return ReplaceFileAtomically(fileName, after) == 0;
}

bool WriteProfileValue(const std::string& section, const std::string& key,
                       const std::string& value, const std::string& fileName) {
  if (fileName.empty() || !IsStorableInProfile(section, key, value)) {
    return false;
  }
  std::string before;
  int readError = ReadFileBytes(fileName, before);
  if (readError != 0 && readError != ENOENT) {
    return false;  // there but unreadable: replacing it would lose its content
  }
  bool existed = readError == 0;
  return StoreProfile(fileName, existed, before, ProfileWithValue(before, section, key, value));
}

[[noreturn]] void RaiseWriteError(const std::string& fileName) {
  throw EIniFileException(Format("Unable to write to %s", fileName));
}

// The name part of a "name=value" list entry.
std::string_view EntryName(std::string_view entry) {
  return entry.substr(0, entry.find('='));
}

}  // namespace

TCustomIniFile::TCustomIniFile(std::string fileName) : fileName_(std::move(fileName)) {}

int32_t TCustomIniFile::ReadNumber(const std::string& section, const std::string& key,
                                   int32_t defaultValue) {
  std::string text = ReadText(section, key, "");
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    text.replace(0, 2, "$");
  }
  int32_t value = 0;
  return TryTextToInt(text, value) ? value : defaultValue;
}

void TCustomIniFile::WriteNumber(const std::string& section, const std::string& key,
                                 int32_t value) {
  WriteText(section, key, std::to_string(value));
}

bool TCustomIniFile::ReadFlag(const std::string& section, const std::string& key,
                              bool defaultValue) {
  return ReadNumber(section, key, defaultValue ? 1 : 0) != 0;
}

void TCustomIniFile::WriteFlag(const std::string& section, const std::string& key, bool value) {
  WriteText(section, key, value ? "1" : "0");
}

TDate TCustomIniFile::ReadDateValue(const std::string& section, const std::string& key,
                                    TDate defaultValue) {
  std::string text = ReadText(section, key, "");
  TDate value;
  return !text.empty() && TryTextToDate(text, value) ? value : defaultValue;
}

TDateTime TCustomIniFile::ReadDateTimeValue(const std::string& section, const std::string& key,
                                            TDateTime defaultValue) {
  std::string text = ReadText(section, key, "");
  TDateTime value;
  return !text.empty() && TryTextToDateTime(text, value) ? value : defaultValue;
}

double TCustomIniFile::ReadRealValue(const std::string& section, const std::string& key,
                                     double defaultValue) {
  std::string text = ReadText(section, key, "");
  double value = 0;
  return !text.empty() && TryTextToReal(text, value) ? value : defaultValue;
}

TTime TCustomIniFile::ReadTimeValue(const std::string& section, const std::string& key,
                                    TTime defaultValue) {
  std::string text = ReadText(section, key, "");
  TTime value{};
  return !text.empty() && TryTextToTime(text, value) ? value : defaultValue;
}

void TCustomIniFile::WriteDateValue(const std::string& section, const std::string& key,
                                    TDate value) {
  WriteText(section, key, DateToText(value));
}

void TCustomIniFile::WriteDateTimeValue(const std::string& section, const std::string& key,
                                        TDateTime value) {
  WriteText(section, key, DateTimeToText(value));
}

void TCustomIniFile::WriteRealValue(const std::string& section, const std::string& key,
                                    double value) {
  WriteText(section, key, RealToText(value));
}

void TCustomIniFile::WriteTimeValue(const std::string& section, const std::string& key,
                                    TTime value) {
  WriteText(section, key, TimeToText(value));
}

TIniFile::TIniFile(std::string fileName) : TCustomIniFile(std::move(fileName)) {}

std::string TIniFile::ReadText(const std::string& section, const std::string& key,
                               const std::string& defaultValue) {
  return ReadProfileValue(section, key, defaultValue, FileName(), MaxProfileTextLength);
}

void TIniFile::WriteText(const std::string& section, const std::string& key,
                         const std::string& value) {
  if (!WriteProfileValue(section, key, value, FileName())) {
    RaiseWriteError(FileName());
  }
}

void TIniFile::ListKeys(const std::string& section, std::vector<std::string>& list) {
  SetNameList(ProfileKeyNames(FileContent(FileName()), section), list);
}

void TIniFile::ListSections(std::vector<std::string>& list) {
  SetNameList(ProfileSectionNames(FileContent(FileName())), list);
}

void TIniFile::ListKeyValues(const std::string& section, std::vector<std::string>& list) {
  std::vector<std::string> keys;
  ListKeys(section, keys);
  for (const std::string& key : keys) {
    std::string value = ReadText(section, key, "");
    auto entry = std::find_if(list.begin(), list.end(), [&](const std::string& e) {
      return SameProfileName(EntryName(e), key);
    });
    if (value.empty()) {
      if (entry != list.end()) {
        list.erase(entry);
      }
    } else if (entry != list.end()) {
      *entry = key + "=" + value;
    } else {
      list.push_back(key + "=" + value);
    }
  }
}

void TIniFile::RemoveSection(const std::string& section) {
  std::string before;
  int readError = ReadFileBytes(FileName(), before);
  if (readError == ENOENT) {
    return;  // no file, nothing to remove
  }
  if (readError != 0) {
    RaiseWriteError(FileName());
  }
  std::optional<std::string> after = ProfileWithoutSection(before, section);
  if (after && !StoreProfile(FileName(), true, before, *after)) {
    RaiseWriteError(FileName());
  }
}

void TIniFile::RemoveKey(const std::string& section, const std::string& key) {
  std::string before;
  if (ReadFileBytes(FileName(), before) != 0) {
    return;
  }
  if (std::optional<std::string> after = ProfileWithoutKey(before, section, key)) {
    StoreProfile(FileName(), true, before, *after);
  }
}

// Every write is on disk when it returns; nothing is held back.
void TIniFile::Flush() {}

std::string ReadLongValue(const std::string& section, const std::string& key,
                          const std::string& defaultValue, const std::string& fileName) {
  return ReadProfileValue(section, key, defaultValue, fileName, MaxProfileLongValueLength);
}

void WriteLongValue(const std::string& section, const std::string& key,
                    const std::string& value, const std::string& fileName) {
  WriteProfileValue(section, key, value, fileName);
}
