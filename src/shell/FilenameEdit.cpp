#include "shell/FilenameEdit.h"

#include <QAction>
#include <QIcon>
#include <QKeyEvent>

#include "ShellPictures.h"
#include "shell/BrowseSteps.h"
#include "shell/BundledPicture.h"
#include "shell/Dialogs.h"

TFilenameEdit::TFilenameEdit(QWidget* parent) : QLineEdit(parent) {
  browseButton_ = addAction(ThemeIcon("document-open", BrowsePicture), QLineEdit::TrailingPosition);
  browseButton_->setObjectName("btnBrowse");
  browseButton_->setToolTip("Browse");
  connect(browseButton_, &QAction::triggered, this, [this] { Browse(); });
  // Files dropped on the field are not taken; the windows have drop targets for that.
  setAcceptDrops(false);
}

bool TFilenameEdit::Browse() {
  BrowseStart start = BrowseStartFor(text().toStdString(), InitialDir);
  FileDialogRequest request;
  request.kind = FileDialogKind::Open;
  request.title = DialogTitle;
  request.filter = Filter;
  request.initialDir = start.initialDir;
  request.fileName = start.fileName;
  std::optional<std::string> chosen = Dialogs().ChooseFile(request);
  if (focusPolicy() != Qt::NoFocus && isEnabled()) setFocus();
  if (!chosen) return false;
  setText(QString::fromStdString(FieldTextForChosenPath(*chosen)));
  InitialDir = FolderOf(*chosen);
  return true;
}

void TFilenameEdit::keyPressEvent(QKeyEvent* event) {
  if (QKeySequence(event->keyCombination()) == ClickKey) {
    Browse();
    event->accept();
    return;
  }
  QLineEdit::keyPressEvent(event);
}
