#include "app/DisplayCheck.h"

namespace {
bool IsSet(const char* value) { return value && *value; }
}  // namespace

std::string MissingDisplayMessage(const std::function<const char*(const char*)>& lookup) {
  const std::string platform = IsSet(lookup("QT_QPA_PLATFORM")) ? lookup("QT_QPA_PLATFORM") : "";
  const bool x11 = IsSet(lookup("DISPLAY"));
  const bool wayland = IsSet(lookup("WAYLAND_DISPLAY"));
  bool reachable;
  if (platform.empty()) {
    reachable = x11 || wayland;
  } else if (platform.rfind("xcb", 0) == 0) {
    reachable = x11;
  } else if (platform.rfind("wayland", 0) == 0) {
    reachable = wayland;
  } else {
    reachable = true;  // offscreen, vnc, eglfs and the like need no display server
  }
  if (reachable) return "";
  return "BrenvollAdmin: no display to open its windows on (DISPLAY is not set); "
         "run it on a desktop, or without one as: xvfb-run -a build/bin/BrenvollAdmin";
}
