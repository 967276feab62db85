#pragma once
// The profile format over a file's bytes, without any file access: finding values and
// names, and producing the bytes of the file after a change. The store in IniFile.h reads
// the file, calls these and writes the result.
//
// Format as read: lines end in CR LF, LF or CR; a UTF-8 byte-order mark at the start is
// skipped. A line whose first non-blank character is "[" and that holds a "]" opens a
// section named by the text between them (blanks trimmed; text after "]" ignored). A line
// with "=" inside a section is a key line: key and value are the text before and after
// the first "=", blanks (spaces, tabs) trimmed. Lines beginning with ";" and all other
// lines are no keys. Names match without regard to ASCII letter case; of duplicate
// sections only the first counts, and in it the first of duplicate keys.
//
// Format as written: a changed or added line ends in CR LF; every other byte stays.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Names compared as the format does: without regard to ASCII letter case.
bool SameProfileName(std::string_view a, std::string_view b);

// The value of key in section, blanks trimmed and one pair of enclosing matching quotes
// (double or single) removed; nothing when the section or the key is missing. The view
// points into file.
std::optional<std::string_view> FindProfileValue(std::string_view file, std::string_view section,
                                                 std::string_view key);

// Section names of all section lines, and key names of the section, in file order.
std::vector<std::string> ProfileSectionNames(std::string_view file);
std::vector<std::string> ProfileKeyNames(std::string_view file, std::string_view section);

// False for names and values that a profile line cannot hold so that they read back the
// same: line breaks or NUL anywhere, "]" in a section, "=" in a key or a key that would
// read as a section or comment line.
bool IsStorableInProfile(std::string_view section, std::string_view key, std::string_view value);

// The file with key=value in section: the key's first line replaced, or a new line after
// the section's last non-blank line, or a new section at the end of the file.
std::string ProfileWithValue(std::string_view file, std::string_view section,
                             std::string_view key, std::string_view value);

// The file without the key's line, or without the section line and all lines up to the
// next section; nothing when there is nothing to remove.
std::optional<std::string> ProfileWithoutKey(std::string_view file, std::string_view section,
                                             std::string_view key);
std::optional<std::string> ProfileWithoutSection(std::string_view file, std::string_view section);
