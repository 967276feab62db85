#include <gtest/gtest.h>

#include <map>
#include <string>

#include "app/DisplayCheck.h"

namespace {

TEST(MissingDisplayMessage, OnlyWhenThePlatformCannotReachADisplay) {
  struct Case { const char* label; std::map<std::string, std::string> env; bool missing; };
  const Case cases[] = {
      {"nothing set", {}, true},
      {"empty DISPLAY", {{"DISPLAY", ""}}, true},
      {"X display", {{"DISPLAY", ":0"}}, false},
      {"Wayland display", {{"WAYLAND_DISPLAY", "wayland-0"}}, false},
      {"offscreen platform", {{"QT_QPA_PLATFORM", "offscreen"}}, false},
      {"xcb asked, no X", {{"QT_QPA_PLATFORM", "xcb"}, {"WAYLAND_DISPLAY", "w"}}, true},
      {"wayland asked, only X", {{"QT_QPA_PLATFORM", "wayland"}, {"DISPLAY", ":0"}}, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    const std::string message = MissingDisplayMessage([&](const char* name) -> const char* {
      auto found = c.env.find(name);
      return found == c.env.end() ? nullptr : found->second.c_str();
    });
    EXPECT_EQ(!message.empty(), c.missing) << c.label;
    if (c.missing) {
      EXPECT_EQ(message.find('\n'), std::string::npos) << c.label;
      EXPECT_NE(message.find("xvfb-run"), std::string::npos) << c.label;
    }
  }
}

}  // namespace
