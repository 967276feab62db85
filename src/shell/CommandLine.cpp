#include "shell/CommandLine.h"

namespace {
bool IsBlank(char c) { return c == ' ' || c == '\t'; }

size_t SkipBlanks(std::string_view text, size_t at) {
  while (at < text.size() && IsBlank(text[at])) ++at;
  return at;
}
}  // namespace

std::vector<std::string> SplitArguments(std::string_view text) {
  std::vector<std::string> arguments;
  size_t at = SkipBlanks(text, 0);
  while (at < text.size()) {
    std::string argument;
    bool quoted = false;
    while (at < text.size() && (quoted || !IsBlank(text[at]))) {
      char c = text[at];
      if (c == '\\') {
        size_t backslashes = 0;
        while (at < text.size() && text[at] == '\\') ++backslashes, ++at;
        if (at < text.size() && text[at] == '"') {
          argument.append(backslashes / 2, '\\');
          if (backslashes % 2 == 1) argument += '"', ++at;
        } else {
          argument.append(backslashes, '\\');
        }
      } else if (c == '"') {
        if (quoted && at + 1 < text.size() && text[at + 1] == '"') {
          argument += '"';
          at += 2;
        } else {
          quoted = !quoted;
          ++at;
        }
      } else {
        argument += c;
        ++at;
      }
    }
    arguments.push_back(std::move(argument));
    at = SkipBlanks(text, at);
  }
  return arguments;
}

CommandLine SplitCommandLine(std::string_view line,
                             const std::function<bool(const std::string&)>& namesProgram) {
  size_t start = SkipBlanks(line, 0);
  CommandLine result;
  size_t rest = line.size();
  if (start < line.size() && line[start] == '"') {
    size_t close = line.find('"', start + 1);
    size_t end = close == std::string_view::npos ? line.size() : close;
    result.program = std::string(line.substr(start + 1, end - start - 1));
    rest = close == std::string_view::npos ? line.size() : close + 1;
  } else {
    // Candidates end before each run of blanks, and the last one is the whole line
    // without trailing blanks, as the Windows loader tries them.
    size_t firstEnd = std::string_view::npos;
    size_t at = start;
    while (at < line.size()) {
      while (at < line.size() && !IsBlank(line[at])) ++at;
      if (firstEnd == std::string_view::npos) firstEnd = at;
      std::string candidate(line.substr(start, at - start));
      if (namesProgram(candidate)) {
        result.program = std::move(candidate);
        rest = at;
        break;
      }
      at = SkipBlanks(line, at);
    }
    if (result.program.empty() && firstEnd != std::string_view::npos) {
      result.program = std::string(line.substr(start, firstEnd - start));
      rest = firstEnd;
    }
  }
  result.arguments = SplitArguments(line.substr(rest));
  return result;
}
