#pragma once
// Undecorating the compiler's symbol names (the Itanium C++ ABI's mangled names). They
// carry no unit, so an undecorated name is only the readable name.
#include <string>
#include <string_view>

// The readable form of a decorated name; any other name is returned as it is.
std::string UndecorateName(std::string_view name);
