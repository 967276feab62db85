#include "shell/Dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>

#include <algorithm>
#include <map>

namespace {
QString ToQt(const std::string& text) { return QString::fromStdString(text); }

// "*.*" means every file, as users know it from Windows; Qt would hide names without a dot.
QString QtFilter(const std::string& filter) {
  static const QRegularExpression everyFile(QStringLiteral("(?<=[( ])\\*\\.\\*(?=[ )])"));
  return ToQt(filter).replace(everyFile, QStringLiteral("*"));
}

QMessageBox::Icon ToQt(DialogIcon icon) {
  switch (icon) {
    case DialogIcon::Information: return QMessageBox::Information;
    case DialogIcon::Warning: return QMessageBox::Warning;
    case DialogIcon::Error: return QMessageBox::Critical;
    case DialogIcon::Question: return QMessageBox::Question;
    case DialogIcon::None: break;
  }
  return QMessageBox::NoIcon;
}

QString Caption(DialogButton button) {
  switch (button) {
    case DialogButton::Ok: return QStringLiteral("OK");
    case DialogButton::Cancel: return QStringLiteral("Cancel");
    case DialogButton::Yes: return QStringLiteral("&Yes");
    case DialogButton::No: return QStringLiteral("&No");
  }
  return {};
}

QMessageBox::ButtonRole Role(DialogButton button) {
  switch (button) {
    case DialogButton::Ok: return QMessageBox::AcceptRole;
    case DialogButton::Cancel: return QMessageBox::RejectRole;
    case DialogButton::Yes: return QMessageBox::YesRole;
    case DialogButton::No: return QMessageBox::NoRole;
  }
  return QMessageBox::AcceptRole;
}

bool Has(const std::vector<DialogButton>& buttons, DialogButton button) {
  return std::find(buttons.begin(), buttons.end(), button) != buttons.end();
}

// The button that closing the box stands for.
DialogButton EscapeAnswer(const MessageRequest& request) {
  if (Has(request.buttons, DialogButton::Cancel)) return DialogButton::Cancel;
  if (Has(request.buttons, DialogButton::No)) return DialogButton::No;
  return request.defaultButton;
}

class QtDialogs final : public DialogSeam {
public:
  DialogButton ShowMessage(const MessageRequest& request) override {
    QMessageBox box(ToQt(request.icon), ToQt(request.title), ToQt(request.text),
                    QMessageBox::NoButton, QApplication::activeWindow());
    std::map<QAbstractButton*, DialogButton> answers;
    DialogButton escape = EscapeAnswer(request);
    for (DialogButton button : request.buttons) {
      QPushButton* shown = box.addButton(Caption(button), Role(button));
      answers[shown] = button;
      if (button == request.defaultButton) box.setDefaultButton(shown);
      if (button == escape) box.setEscapeButton(shown);
    }
    box.exec();
    auto answer = answers.find(box.clickedButton());
    return answer == answers.end() ? escape : answer->second;
  }

  std::optional<std::string> ChooseFile(const FileDialogRequest& request) override {
    QFileDialog dialog(QApplication::activeWindow(), ToQt(request.title),
                       ToQt(request.initialDir), QtFilter(request.filter));
    bool save = request.kind == FileDialogKind::Save;
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(!save && request.mustExist ? QFileDialog::ExistingFile
                                                  : QFileDialog::AnyFile);
    if (save && !request.confirmOverwrite)
      dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (!request.defaultExt.empty()) dialog.setDefaultSuffix(ToQt(request.defaultExt));
    if (!request.fileName.empty()) dialog.selectFile(ToQt(request.fileName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
      return std::nullopt;
    return dialog.selectedFiles().first().toStdString();
  }
};

QtDialogs qtDialogs;
DialogSeam* installed = &qtDialogs;

bool Confirm(const std::string& question, DialogButton refusal) {
  MessageRequest request{"Confirm", question, DialogIcon::Question,
                         {DialogButton::Yes, refusal}, DialogButton::Yes};
  return Dialogs().ShowMessage(request) == DialogButton::Yes;
}
}  // namespace

DialogSeam& Dialogs() { return *installed; }
void SetDialogs(DialogSeam* seam) { installed = seam ? seam : &qtDialogs; }

bool ConfirmYesNo(const std::string& question) { return Confirm(question, DialogButton::No); }
bool ConfirmYesCancel(const std::string& question) {
  return Confirm(question, DialogButton::Cancel);
}

void ShowErrorBox(const std::string& message) {
  Dialogs().ShowMessage(
      {"Error...", message, DialogIcon::Error, {DialogButton::Ok}, DialogButton::Ok});
}
