#pragma once
// The configuration editor, the program's main window: it edits one compaction
// configuration at a time and keeps the two program paths of the settings file. Closing
// it ends the program.
//
// Interface thread only.

#include <QMainWindow>

#include <functional>
#include <string>
#include <vector>

#include "shell/Dialogs.h"

class QAction;
class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QToolButton;
class TDropFileTarget;
class TFilenameEdit;

// What the main window needs of the program around it. The windows it opens live in the
// layers above it (the scheduler depends on this library), so the start-up hands them in.
struct MainWindowHost {
  // The folder of the running executable, ending in "/".
  std::function<std::string()> applicationDirectory;
  // Runs a window handler and reports what it raises, so that the handler ends at that
  // point and the window goes on.
  std::function<void(const std::function<void()>&)> runHandler;
  // Show the scheduler window and the about box modally; empty: the command does nothing.
  std::function<void()> showScheduler;
  std::function<void()> showAbout;
};

class TForm1 : public QMainWindow {
  Q_OBJECT

public:
  // Builds the window and runs FormCreate under the host's error handling, so the window
  // exists even when FormCreate ends early.
  explicit TForm1(MainWindowHost host, QWidget* parent = nullptr);
  ~TForm1() override;  // runs FormDestroy

  // Window events and commands (a toolbar button and its menu item share one).
  void FormCreate();
  void UpdateForm();
  void NewConfigFile1Click();
  void OpenConfigFile1Click();
  void SaveConfigFIle1Click();
  void SaveAs1Click();
  void DeleteFile1Click();
  void DropFileTarget1Drop();
  void CreateDesktopIcon1Click();
  void Scheduling1Click();
  void About1Click();
  void Contents1Click();
  void KeywordSearch1Click();
  void BrenvollWebPage1Click();
  void QuorridgeHomePage1Click();
  void EmailFeedback1Click();
  void Exit1Click();
  // The closing question, then the settings write. The window stays open when the
  // configuration the user wants saved is not saved (dialog cancelled, or the save
  // raises); a failed settings write is raised and the window closes all the same.
  void FormClose();
  void FormDestroy();

  // The application directory, ending in "/"; set by FormCreate.
  std::string AppDir;
  // The current configuration's file; empty while it has never been saved.
  std::string CurrentCfgPath;

  // Controls, named as the window's object names.
  QFrame* Panel1;  // the toolbar panel
  QToolButton* BitBtn1;
  QToolButton* BitBtn2;
  QToolButton* BitBtn3;
  QToolButton* BitBtn4;
  QToolButton* BitBtn5;
  QToolButton* BitBtn6;
  QFrame* Panel2;  // the fields
  TFilenameEdit* fedtAccess;
  QLineEdit* edtDesc;
  QListWidget* lboxCompactFiles;
  QLabel* lblDragNote;
  QCheckBox* chkRepair;
  TFilenameEdit* fedtWrkgrp;
  QLineEdit* medtLogin;
  QLineEdit* medtPwd;
  QCheckBox* chkEncrypt;
  TFilenameEdit* fedtDB;
  TFilenameEdit* fedtBrenvollPath;

  QMenu* File1;
  QAction* NewConfigFile1;
  QAction* OpenConfigFile1;
  QAction* SaveConfigFIle1;
  QAction* SaveAs1;
  QAction* DeleteFile1;
  QAction* CreateDesktopIcon1;
  QAction* Exit1;
  QMenu* View1;
  QAction* Scheduling1;
  QMenu* Help1;
  QAction* Contents1;
  QAction* KeywordSearch1;
  QAction* BrenvollWebPage1;
  QAction* QuorridgeHomePage1;
  QAction* EmailFeedback1;
  QAction* About1;

  // The file dialogs, as requests to the dialog seam.
  FileDialogRequest OpenDialog1;
  FileDialogRequest SaveDialog1;
  TDropFileTarget* DropFileTarget1;

protected:
  void closeEvent(QCloseEvent* event) override;

private:
  void BuildControls();
  void BuildMenus();
  void ConnectHandlers();
  void Run(void (TForm1::*handler)());
  void SetCaption();
  // The save dialog; false when the user cancels. A chosen name becomes the current path.
  bool ChooseSaveName();
  void SaveToCurrentPath();
  // The five fields whose changed marks lead to the closing question.
  std::vector<QLineEdit*> ChangeMarkedFields() const;

  MainWindowHost host_;
  bool closeMayEnd_ = false;  // set by FormClose once the configuration is settled
};

// The main window of the running program; the start-up sets it.
extern TForm1* Form1;
