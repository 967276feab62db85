#include "base/Exceptions.h"

#include <strings.h>

bool Exception::InheritsFrom(std::string_view className) const noexcept {
  for (const ExceptionClass* c = &Class(); c != nullptr; c = c->parent) {
    std::string_view name = c->name;
    if (name.size() == className.size() &&
        strncasecmp(name.data(), className.data(), name.size()) == 0) {
      return true;
    }
  }
  return false;
}

std::string Format(std::string_view pattern, std::initializer_list<std::string_view> args) {
  std::string out;
  out.reserve(pattern.size() + 64);
  auto next = args.begin();
  for (size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] == '%' && i + 1 < pattern.size()) {
      if (pattern[i + 1] == '%') {
        out += '%';
        ++i;
        continue;
      }
      if (pattern[i + 1] == 's' && next != args.end()) {
        out += *next++;
        ++i;
        continue;
      }
    }
    out += pattern[i];
  }
  return out;
}
