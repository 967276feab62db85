#pragma once
// Reading one value out of a Wine registry file (system.reg, user.reg): section lines
// "[Key\\Path] stamp" with escaped backslashes, then value lines such as "name"="text",
// "name"=dword:0000001f, "name"=hex:01,02,\ (continued on the next line), @=... for the
// default value. Only what is needed to look up a value: nothing here writes the file.

#include <optional>
#include <string>
#include <string_view>

struct WineRegistryValue {
  bool isText = false;  // a string or expandable string; its characters in text
  std::string text;     // characters beyond 8 bits come back as "?"
};

// The value of the first key named keyPath (matched without regard to letter case, with
// single backslashes) and its value valueName (empty: the default value). Nothing when the
// key or the value is missing. Never reads outside registryText.
std::optional<WineRegistryValue> FindWineRegistryValue(std::string_view registryText,
                                                       std::string_view keyPath,
                                                       std::string_view valueName);
