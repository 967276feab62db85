#pragma once
// Windows command lines taken apart the way the Windows loader and the Microsoft C
// runtime do it, so that command lines written for that platform (a program path, a
// blank, a configuration path; paths with blanks in double quotes) run here unchanged
// and without a shell. Plain functions, safe on any text.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

struct CommandLine {
  std::string program;
  std::vector<std::string> arguments;
};

// The arguments of a command line by the C runtime's rules: blanks (space, tab) separate
// them outside double quotes; a double quote toggles quoting and is dropped; inside
// quotes "" gives one literal quote; 2n backslashes before a quote give n backslashes,
// 2n+1 give n backslashes and a literal quote; other backslashes are literal.
std::vector<std::string> SplitArguments(std::string_view text);

// Splits a whole command line into the program and its arguments. The program is the
// leading double-quoted part without its quotes; else the text up to the first blank,
// or a longer prefix ending at a blank (or the whole line) when the shorter ones are not
// programs by namesProgram. When none is, the first word is the program. The rest of
// the line after the program gives the arguments by SplitArguments.
CommandLine SplitCommandLine(std::string_view line,
                             const std::function<bool(const std::string&)>& namesProgram);
