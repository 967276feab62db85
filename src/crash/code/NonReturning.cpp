#include <array>
#include <cctype>
#include <string_view>

#include "crash/code/FunctionAnalysis.h"

bool IsNonReturningRoutine(std::string name) {
  for (const char* suffix : {"@plt", "@"}) {
    size_t at = name.find(suffix);
    if (at != std::string::npos) name.resize(at);
  }
  static constexpr std::array<std::string_view, 24> kNames = {
      "abort", "exit", "_exit", "_Exit", "quick_exit", "__cxa_throw", "__cxa_rethrow",
      "__cxa_bad_cast", "__cxa_bad_typeid", "__cxa_throw_bad_array_new_length",
      "__cxa_call_unexpected", "_Unwind_Resume", "__stack_chk_fail", "__assert_fail",
      "__assert_perror_fail", "__fortify_fail", "__chk_fail", "pthread_exit", "longjmp",
      "siglongjmp", "__longjmp_chk", "_ZSt9terminatev", "std::terminate()", "__cxa_pure_virtual"};
  for (std::string_view known : kNames)
    if (name == known) return true;
  std::string_view n(name);
  // std::__throw_* and std::rethrow_exception, mangled as _ZSt<length><name>...
  if (n.substr(0, 4) == "_ZSt") {
    size_t digits = 4;
    while (digits < n.size() && std::isdigit(static_cast<unsigned char>(n[digits]))) ++digits;
    std::string_view rest = n.substr(digits);
    if (digits > 4 && (rest.substr(0, 8) == "__throw_" || rest.substr(0, 17) == "rethrow_exception"))
      return true;
  }
  return n.substr(0, 13) == "std::__throw_" || n.substr(0, 22) == "std::rethrow_exception";
}
