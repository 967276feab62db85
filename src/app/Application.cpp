#include "app/Application.h"

#include <QFont>

#include <string>

#include "app/DeferredIconStyle.h"
#include "app/Icons.h"
#include "base/Exceptions.h"
#include "shell/Dialogs.h"

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv) {
  setApplicationName("Brenvoll");
  setStyle(new TDeferredIconStyle);  // owned by the application
  // Every window shows the program icon; desktops match the windows to the launcher.
  setWindowIcon(ProgramIcon());
  setDesktopFileName("brenvoll-admin");
  // The windows' own font for everything else too: Qt lays out a new line edit's text in
  // the application font before it takes the window's, which would load a second font.
  setFont(QFont("Arial", 8));
}

bool TApplication::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (...) {
    HandleException(std::current_exception());
    return false;
  }
}

void TApplication::HandleException(std::exception_ptr error) {
  try {
    std::rethrow_exception(error);
  } catch (const EAbort&) {
    return;
  } catch (...) {
    ShowException(error);
  }
}

void TApplication::ShowException(std::exception_ptr error) {
  std::string message;
  try {
    std::rethrow_exception(error);
  } catch (const std::exception& e) {
    message = e.what();
  } catch (...) {
    message = "An unknown error occurred.";
  }
  ShowErrorBox(message);
}
