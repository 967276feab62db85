#pragma once
// The application object and the one place errors of the interface thread go.
//
// Handlers raise exceptions and do not catch them (window code never shows error boxes
// itself). An exception that escapes a handler ends that handler and arrives at
// HandleException, through GuardHandler for the window handlers and through notify for
// anything else Qt dispatches. Interface thread only; nothing here may run in a signal
// handler.

#include <QApplication>

#include <exception>
#include <utility>

class TApplication final : public QApplication {
public:
  TApplication(int& argc, char** argv);

  bool notify(QObject* receiver, QEvent* event) override;

  // An EAbort passes silently; every other error is shown by ShowException.
  static void HandleException(std::exception_ptr error);
  // The plain box captioned "Error..." with the error's message.
  static void ShowException(std::exception_ptr error);
};

// Runs a handler; an exception it raises is handed to HandleException, so the handler
// ends at that point and the window goes on.
template <typename Handler>
void GuardHandler(Handler&& handler) {
  try {
    std::forward<Handler>(handler)();
  } catch (...) {
    TApplication::HandleException(std::current_exception());
  }
}
