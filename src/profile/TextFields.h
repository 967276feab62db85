#pragma once
// Fields of delimited texts ("|" or tab), with double quotes protecting delimiters, and
// small text pieces. None of them fails: unexpected input gives an empty or shorter text.

#include <string>

// Field number index (from 0): one pair of enclosing double quotes removed, then every
// character of code 32 or less removed from both ends; a doubled quote inside stands for
// one quote. An empty field and a field beyond the last both give the empty text.
std::string ExtractQuotedField(const std::string& text, char delimiter, int index);
// The same, except that doubled quotes stay doubled.
std::string ExtractField(const std::string& text, char delimiter, int index);

// The first count characters (all of them when count is at least the length).
std::string LeftText(const std::string& text, int count);

// The file name part of a path (after the last "\", "/" or ":") without its extension
// (its last "." and what follows).
std::string FileNameWithoutExt(const std::string& path);
