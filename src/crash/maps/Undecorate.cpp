#include "crash/maps/Undecorate.h"

#include <cstdlib>
#include <cxxabi.h>
#include <memory>

std::string UndecorateName(std::string_view name) {
  std::string result(name);
  if (name.substr(0, 2) != "_Z") return result;
  int status = 0;
  std::unique_ptr<char, decltype(&std::free)> plain(
      abi::__cxa_demangle(result.c_str(), nullptr, nullptr, &status), &std::free);
  if (status == 0 && plain) result = plain.get();
  return result;
}
