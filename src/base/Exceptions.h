#pragma once
// The system's exception classes. Every failure is raised as one of these, carrying its
// message text. Each class knows its own name and its parent, so that a handler can ask
// by name whether an object is of class X or descends from it, as the crash reporter's
// filter does with classes it cannot see at compile time.

#include <exception>
#include <string>
#include <string_view>

// A class record: the class's name and the record of its parent (null for the root).
struct ExceptionClass {
  const char* name;
  const ExceptionClass* parent;
};

class Exception : public std::exception {
public:
  explicit Exception(std::string message) : message_(std::move(message)) {}

  const std::string& Message() const noexcept { return message_; }
  const char* what() const noexcept override { return message_.c_str(); }

  static const ExceptionClass& StaticClass() noexcept {
    static const ExceptionClass record{"Exception", nullptr};
    return record;
  }
  virtual const ExceptionClass& Class() const noexcept { return StaticClass(); }
  const char* ClassName() const noexcept { return Class().name; }
  const char* ClassParentName() const noexcept {
    return Class().parent ? Class().parent->name : "";
  }

  // True when this object's class, or one of its ancestors, is named className
  // (class names compare without regard to letter case).
  bool InheritsFrom(std::string_view className) const noexcept;

private:
  std::string message_;
};

#define BRENVOLL_DECLARE_EXCEPTION(Name, Parent)                               \
  class Name : public Parent {                                                 \
  public:                                                                      \
    using Parent::Parent;                                                      \
    static const ExceptionClass& StaticClass() noexcept {                      \
      static const ExceptionClass record{#Name, &Parent::StaticClass()};       \
      return record;                                                           \
    }                                                                          \
    const ExceptionClass& Class() const noexcept override { return StaticClass(); } \
  }

// A silent exception: it ends the current operation without any message.
BRENVOLL_DECLARE_EXCEPTION(EAbort, Exception);
// A text that does not convert to a number or a date.
BRENVOLL_DECLARE_EXCEPTION(EConvertError, Exception);
// A profile file that cannot be written: "Unable to write to %s".
BRENVOLL_DECLARE_EXCEPTION(EIniFileException, Exception);
// File streams: "Cannot create file %s", "Cannot open file %s", "Stream write error".
BRENVOLL_DECLARE_EXCEPTION(EStreamError, Exception);
BRENVOLL_DECLARE_EXCEPTION(EFCreateError, EStreamError);
BRENVOLL_DECLARE_EXCEPTION(EFOpenError, EStreamError);
BRENVOLL_DECLARE_EXCEPTION(EReadError, EStreamError);
BRENVOLL_DECLARE_EXCEPTION(EWriteError, EStreamError);
// A registry value that cannot be read as asked: "Invalid data type for '%s'".
BRENVOLL_DECLARE_EXCEPTION(ERegistryException, Exception);

// Puts the arguments, in order, where the pattern has %s ("%%" gives one "%").
// Missing arguments leave the rest of the pattern's %s in place.
std::string Format(std::string_view pattern, std::initializer_list<std::string_view> args);
inline std::string Format(std::string_view pattern, std::string_view arg) {
  return Format(pattern, {arg});
}
