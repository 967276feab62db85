#pragma once
// A one-line file-name field with a browse button at its right end. The button, or
// Alt+Down in the field, opens a file-open dialog (through the dialog seam) and puts the
// chosen path into the field, in double quotes when it holds a blank. The user may also
// type into the field. Interface thread only.

#include <QKeySequence>
#include <QLineEdit>

#include <string>

class QAction;

class TFilenameEdit : public QLineEdit {
  Q_OBJECT

public:
  explicit TFilenameEdit(QWidget* parent = nullptr);

  // Runs the browse steps, as the button does. True when a file was chosen.
  bool Browse();
  QAction* BrowseButton() const { return browseButton_; }

  std::string DialogTitle = "Browse";
  std::string Filter = "All files (*.*)";
  // The folder the dialog starts in when the text names none; a choice sets it.
  std::string InitialDir;
  QKeySequence ClickKey{Qt::ALT | Qt::Key_Down};

protected:
  void keyPressEvent(QKeyEvent* event) override;

private:
  QAction* browseButton_;
};
