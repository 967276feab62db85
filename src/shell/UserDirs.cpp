#include "shell/UserDirs.h"

#include <optional>

namespace {
bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view TrimLeft(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  return text;
}

// The folder of one line of the form XDG_DESKTOP_DIR="value", or nothing.
std::optional<std::string> DesktopDirOfLine(std::string_view line, const std::string& home) {
  constexpr std::string_view key = "XDG_DESKTOP_DIR";
  line = TrimLeft(line);
  if (line.substr(0, key.size()) != key) return std::nullopt;
  line = TrimLeft(line.substr(key.size()));
  if (line.empty() || line.front() != '=') return std::nullopt;
  line = TrimLeft(line.substr(1));
  if (line.empty() || line.front() != '"') return std::nullopt;
  line.remove_prefix(1);

  std::string value;
  bool closed = false;
  for (size_t at = 0; at < line.size(); ++at) {
    if (line[at] == '"') {
      closed = true;
      break;
    }
    if (line[at] == '\\' && at + 1 < line.size()) ++at;
    value += line[at];
  }
  if (!closed) return std::nullopt;

  constexpr std::string_view homeVariable = "$HOME";
  if (value.compare(0, homeVariable.size(), homeVariable) == 0 &&
      (value.size() == homeVariable.size() || value[homeVariable.size()] == '/')) {
    value = home + value.substr(homeVariable.size());
  } else if (value.empty() || value.front() != '/') {
    return std::nullopt;
  }
  while (value.size() > 1 && value.back() == '/') value.pop_back();
  return value;
}
}  // namespace

std::string DesktopDirFromUserDirs(std::string_view text, const std::string& home) {
  std::string folder;
  while (!text.empty()) {
    size_t end = text.find('\n');
    if (auto found = DesktopDirOfLine(text.substr(0, end), home)) folder = *found;
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return folder;
}
