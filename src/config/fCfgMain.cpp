// The main window's handlers. They raise and never catch: the host's error handling
// reports what escapes a handler and ends that handler there.
#include "config/fCfgMain.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QToolButton>

#include <filesystem>

#include "app/ProductInfo.h"
#include "config/AppSettings.h"
#include "config/CompactionConfig.h"
#include "config/DefaultAccessPath.h"
#include "config/fCfgMainRules.h"
#include "shell/DropFileTarget.h"
#include "shell/FilenameEdit.h"
#include "shell/HelpSeam.h"
#include "shell/OpenAddress.h"
#include "shell/Shortcut.h"

TForm1* Form1 = nullptr;

namespace {

std::string TextOf(const QLineEdit* field) { return field->text().toStdString(); }

// A load puts a value in only when it differs: setText clears the field's changed mark,
// and a field whose text the load leaves as it was keeps its mark.
void PutLoadedText(QLineEdit* field, const std::string& value) {
  const QString text = QString::fromStdString(value);
  if (field->text() != text) field->setText(text);
}

}  // namespace

TForm1::TForm1(MainWindowHost host, QWidget* parent)
    : QMainWindow(parent), host_(std::move(host)) {
  BuildControls();
  ConnectHandlers();
  Run(&TForm1::FormCreate);
}

TForm1::~TForm1() { Run(&TForm1::FormDestroy); }

void TForm1::ConnectHandlers() {
  const std::pair<QAction*, void (TForm1::*)()> items[] = {
      {NewConfigFile1, &TForm1::NewConfigFile1Click},
      {OpenConfigFile1, &TForm1::OpenConfigFile1Click},
      {SaveConfigFIle1, &TForm1::SaveConfigFIle1Click},
      {SaveAs1, &TForm1::SaveAs1Click},
      {DeleteFile1, &TForm1::DeleteFile1Click},
      {CreateDesktopIcon1, &TForm1::CreateDesktopIcon1Click},
      {Exit1, &TForm1::Exit1Click},
      {Scheduling1, &TForm1::Scheduling1Click},
      {Contents1, &TForm1::Contents1Click},
      {KeywordSearch1, &TForm1::KeywordSearch1Click},
      {BrenvollWebPage1, &TForm1::BrenvollWebPage1Click},
      {QuorridgeHomePage1, &TForm1::QuorridgeHomePage1Click},
      {EmailFeedback1, &TForm1::EmailFeedback1Click},
      {About1, &TForm1::About1Click},
  };
  for (const auto& [item, handler] : items) {
    connect(item, &QAction::triggered, this, [this, handler = handler] { Run(handler); });
  }
  const std::pair<QToolButton*, QAction*> buttons[] = {
      {BitBtn1, NewConfigFile1}, {BitBtn2, OpenConfigFile1}, {BitBtn3, SaveConfigFIle1},
      {BitBtn4, DeleteFile1},    {BitBtn5, Scheduling1},     {BitBtn6, Contents1},
  };
  for (const auto& [button, item] : buttons) {
    connect(button, &QToolButton::clicked, item, &QAction::trigger);
  }
  DropFileTarget1->OnDrop = [this](TDropFileTarget&, TShiftState, QPoint, int&) {
    Run(&TForm1::DropFileTarget1Drop);
  };
}

void TForm1::Run(void (TForm1::*handler)()) {
  host_.runHandler([this, handler] { (this->*handler)(); });
}

void TForm1::FormCreate() {
  AppDir = host_.applicationDirectory();
  // The help file beside the program is the help service's, which the start-up installs.
  DropFileTarget1->RegisterTarget(lboxCompactFiles);
  const MainWindowSettings settings = ReadMainWindowSettings(AppDir);
  CurrentCfgPath = settings.LastCfgPath;
  fedtAccess->setText(QString::fromStdString(settings.AccessPath));
  fedtBrenvollPath->setText(QString::fromStdString(settings.BrenvollPath));
  if (fedtAccess->text().isEmpty()) {
    fedtAccess->setText(QString::fromStdString(DefaultAccessPath()));
  }
  OpenDialog1.initialDir = SaveDialog1.initialDir = DialogFolder(CurrentCfgPath);
  UpdateForm();
}

void TForm1::SetCaption() {
  setWindowTitle(QString::fromStdString(
      "Brenvoll - " + (CurrentCfgPath.empty() ? std::string("Config1") : CurrentCfgPath)));
}

void TForm1::UpdateForm() {
  SetCaption();
  const CompactionConfig config = ReadCompactionConfig(CurrentCfgPath);
  PutLoadedText(edtDesc, config.Description);
  chkRepair->setChecked(config.Repair);
  PutLoadedText(fedtWrkgrp, config.Workgroup);
  PutLoadedText(medtLogin, config.Login);
  PutLoadedText(medtPwd, config.Password);
  chkEncrypt->setChecked(config.Encrypt);
  PutLoadedText(fedtDB, config.LaunchFile);
  lboxCompactFiles->clear();
  for (const std::string& path : config.CompactFiles) {
    lboxCompactFiles->addItem(QString::fromStdString(path));
  }
}

void TForm1::NewConfigFile1Click() {
  CurrentCfgPath.clear();
  UpdateForm();
}

void TForm1::OpenConfigFile1Click() {
  const std::optional<std::string> chosen = Dialogs().ChooseFile(OpenDialog1);
  std::error_code error;
  if (!chosen || !std::filesystem::exists(*chosen, error)) return;
  CurrentCfgPath = *chosen;
  UpdateForm();
}

void TForm1::SaveConfigFIle1Click() {
  if (CurrentCfgPath.empty() && !ChooseSaveName()) return;
  SaveToCurrentPath();
}

void TForm1::SaveAs1Click() {
  if (!ChooseSaveName()) return;
  SaveToCurrentPath();
}

bool TForm1::ChooseSaveName() {
  const std::optional<std::string> chosen = Dialogs().ChooseFile(SaveDialog1);
  if (!chosen) return false;
  CurrentCfgPath = *chosen;
  SetCaption();
  return true;
}

void TForm1::SaveToCurrentPath() {
  CompactionConfig config;
  for (int row = 0; row < lboxCompactFiles->count(); ++row) {
    config.CompactFiles.push_back(lboxCompactFiles->item(row)->text().toStdString());
  }
  config.AccessPath = TextOf(fedtAccess);
  config.Description = TextOf(edtDesc);
  config.Repair = chkRepair->isChecked();
  config.Workgroup = TextOf(fedtWrkgrp);
  config.Login = TextOf(medtLogin);
  config.Password = TextOf(medtPwd);
  config.Encrypt = chkEncrypt->isChecked();
  config.LaunchFile = TextOf(fedtDB);
  WriteCompactionConfig(CurrentCfgPath, config);
  for (QLineEdit* field : ChangeMarkedFields()) field->setModified(false);
}

std::vector<QLineEdit*> TForm1::ChangeMarkedFields() const {
  return {edtDesc, fedtWrkgrp, medtLogin, medtPwd, fedtDB};
}

void TForm1::DeleteFile1Click() {
  QListWidgetItem* selected = lboxCompactFiles->currentItem();
  if (selected && selected->isSelected()) delete selected;
}

void TForm1::DropFileTarget1Drop() {
  for (const std::string& path : DropFileTarget1->DroppedFiles()) {
    lboxCompactFiles->addItem(QString::fromStdString(path));
  }
}

void TForm1::CreateDesktopIcon1Click() {
  // Always the compactor beside this program, whatever the compactor path field says.
  CreateShortcut(AppDir + "Brenvoll.exe", TextOf(edtDesc), ShortcutArguments(CurrentCfgPath),
                 true, false);
}

void TForm1::Scheduling1Click() {
  if (host_.showScheduler) host_.showScheduler();
}

void TForm1::About1Click() {
  if (host_.showAbout) host_.showAbout();
}

void TForm1::Contents1Click() { Help().ShowContents(); }

void TForm1::KeywordSearch1Click() { Help().SearchKeyword(""); }

void TForm1::BrenvollWebPage1Click() { OpenAddress(ProductWebPage, false); }

void TForm1::QuorridgeHomePage1Click() {
  if (!OpenAddress(MakerHomePage, false)) Help().ShowTopic(160);
}

void TForm1::EmailFeedback1Click() {
  if (ConfirmYesNo("Have you checked the help file and Quorridge web site first before "
                   "requesting technical support?")) {
    OpenAddress(std::string("mailto:") + SupportMailAddress, false);
  }
}

void TForm1::Exit1Click() { close(); }

void TForm1::FormClose() {
  closeMayEnd_ = false;
  bool changed = false;
  for (const QLineEdit* field : ChangeMarkedFields()) changed = changed || field->isModified();
  if (changed && ConfirmYesCancel("Save changes?")) {
    // Yes wants the changes kept: a cancelled save dialog keeps the window open, and so
    // does a failed save (it raises).
    if (CurrentCfgPath.empty() && !ChooseSaveName()) return;
    SaveToCurrentPath();
  }
  // From here on nothing typed can be lost: a settings file that cannot be written (a
  // program folder the user may not write to) is reported and the program ends all the
  // same, rather than never letting the user out.
  closeMayEnd_ = true;
  WriteMainWindowSettings(AppDir, {CurrentCfgPath, TextOf(fedtAccess), TextOf(fedtBrenvollPath)});
}

void TForm1::closeEvent(QCloseEvent* event) {
  Run(&TForm1::FormClose);
  if (closeMayEnd_) {
    event->accept();
  } else {
    event->ignore();
  }
}

void TForm1::FormDestroy() {
  if (DropFileTarget1->Target()) DropFileTarget1->UnregisterTarget();
}
