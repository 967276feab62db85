#pragma once
// The one seam every message box, confirmation and file dialog of the program goes
// through. The program installs the Qt implementation; tests install a scripted one
// that records each question and returns the answer it was given, so windows run in
// tests unchanged and never block.
//
// Interface-thread only; must not be called from a signal handler.

#include <optional>
#include <string>
#include <vector>

enum class DialogIcon { None, Information, Warning, Error, Question };

// The buttons a box can show. Captions come with the button ("&Yes", "&No", "Cancel", "OK").
enum class DialogButton { Ok, Cancel, Yes, No };

struct MessageRequest {
  std::string title;                  // caption of the box
  std::string text;
  DialogIcon icon = DialogIcon::None;
  std::vector<DialogButton> buttons{DialogButton::Ok};
  DialogButton defaultButton = DialogButton::Ok;
};

enum class FileDialogKind { Open, Save };

struct FileDialogRequest {
  FileDialogKind kind = FileDialogKind::Open;
  std::string title;
  std::string filter;       // "Description (*.ext)" entries separated by ";;"
  std::string initialDir;   // folder the dialog starts in; empty: the dialog's choice
  std::string fileName;     // proposed file name
  std::string defaultExt;   // added to a typed name without extension (no dot)
  bool mustExist = false;   // Open: only existing files
  bool confirmOverwrite = false;  // Save: ask before replacing a file
};

class DialogSeam {
public:
  virtual ~DialogSeam() = default;
  // Shows a message box and returns the button pressed (closing the box counts as the
  // Cancel or No button when the box has one, else as its default button).
  virtual DialogButton ShowMessage(const MessageRequest& request) = 0;
  // Shows a file dialog; nothing when the user cancels.
  virtual std::optional<std::string> ChooseFile(const FileDialogRequest& request) = 0;
};

// The seam in force. Before any is installed, this is the Qt implementation.
DialogSeam& Dialogs();
// Installs a seam (tests); null restores the Qt implementation. The caller keeps ownership.
void SetDialogs(DialogSeam* seam);

// The system's usual boxes, built on the seam.
// "Confirm" with the question icon, "&Yes" and "&No", Yes the default. True for Yes.
bool ConfirmYesNo(const std::string& question);
// "Confirm" with the question icon, "&Yes" and "Cancel", Yes the default. True for Yes.
bool ConfirmYesCancel(const std::string& question);
// The plain error box captioned "Error..." with the error icon and OK.
void ShowErrorBox(const std::string& message);
