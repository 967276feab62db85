#include "shell/DesktopEntry.h"

namespace {
// The escapes of every string value; the Exec quoting below is applied first.
std::string EscapeValue(const std::string& text) {
  std::string escaped;
  for (char c : text) {
    switch (c) {
      case '\\': escaped += "\\\\"; break;
      case '\n': escaped += "\\n"; break;
      case '\t': escaped += "\\t"; break;
      case '\r': escaped += "\\r"; break;
      default: escaped += c;
    }
  }
  // A leading blank would be taken for the spacing around "=".
  if (!escaped.empty() && escaped[0] == ' ') escaped.replace(0, 1, "\\s");
  return escaped;
}

// One word of Exec=, always in double quotes: inside them ", `, $ and \ take a
// backslash, and % is doubled so it is never a field code.
std::string QuoteExecWord(const std::string& word) {
  std::string quoted = "\"";
  for (char c : word) {
    if (c == '"' || c == '`' || c == '$' || c == '\\') quoted += '\\';
    if (c == '%') quoted += '%';
    quoted += c;
  }
  return quoted + "\"";
}
}  // namespace

std::string DesktopEntryText(const std::string& name, const std::vector<std::string>& command,
                             const std::string& workingFolder) {
  std::string exec;
  for (const std::string& word : command) {
    if (!exec.empty()) exec += ' ';
    exec += QuoteExecWord(word);
  }
  std::string text = "[Desktop Entry]\nType=Application\nName=" + EscapeValue(name) +
                     "\nExec=" + EscapeValue(exec) + "\n";
  if (!workingFolder.empty()) text += "Path=" + EscapeValue(workingFolder) + "\n";
  return text;
}
