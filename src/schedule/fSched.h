#pragma once
// The scheduler window: the schedule in an editable grid, the kind and count of each
// entry, the two timer settings, and the timer that runs due entries. Created hidden at
// start-up, it lives until exit; its timer ticks whether it is shown or not. The main
// window shows it modally.
//
// Interface thread only.

#include <QDialog>
#include <string>

#include "schedule/ScheduleRun.h"
#include "schedule/ScheduleSeams.h"
#include "schedule/SchedulerHost.h"

class QButtonGroup;
class QGroupBox;
class QLabel;
class QLineEdit;
class QAction;
class QToolButton;
class TMFStringGrid;
class TDropFileTarget;
class TTimer;

class TfrmSched : public QDialog {
  Q_OBJECT
public:
  // Builds the window and runs FormCreate: reads the timer settings, loads the schedule
  // and arms the timer. Errors are reported through the host and do not stop creation.
  explicit TfrmSched(SchedulerHost host, const ScheduleClock& clock = SystemScheduleClock(),
                     CompactorLauncher& launcher = SystemCompactorLauncher(),
                     QWidget* parent = nullptr);
  ~TfrmSched() override;

  // Shows the window and returns once it is closed.
  void ShowModal();

  // Window events and commands (a toolbar button and its menu item share one).
  void FormCreate();
  void FormShow();
  void FormClose();
  void FormDestroy();
  void SaveChanges1Click();
  void Close1Click();
  void AddRow1Click();
  void DeleteRow1Click();
  void BitBtn7Click();
  void btnHelpClick();
  void DropFileTarget1Drop();
  void MFStringGrid1Click();
  void MFStringGrid1KeyUp();
  void Edit1Exit();
  void rgSchedClick();
  void Timer1Timer();

  // Operations.
  void CheckTimer();
  void UpdateFreq(const std::string& code);
  // The run of the entry in `row` (see RunEntryIfDue).
  void RunRowIfDue(int row, bool forced);

  // Controls, named as the window's object names.
  TMFStringGrid* MFStringGrid1;
  QGroupBox* rgSched;
  QButtonGroup* rgSchedItems;  // ids 0 to 3: "As &Needed", "&Daily", "&Weekly", "&Monthly"
  QLabel* Label1;
  QLineEdit* Edit1;
  QLabel* Label2;
  QLabel* Label3;
  QLineEdit* edtInterval;
  QLabel* Label4;
  QLineEdit* edtStart;
  QToolButton* BitBtn3;
  QToolButton* BitBtn4;
  QToolButton* BitBtn5;
  QToolButton* BitBtn7;
  QToolButton* btnHelp;
  QAction* SaveChanges1;
  QAction* AddRow1;
  QAction* DeleteRow1;
  QAction* Close1;
  QAction* Sheduler1;
  TTimer* Timer1;
  TDropFileTarget* DropFileTarget1;

protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void reject() override;

private:
  void BuildControls();
  void ConnectHandlers();
  // Runs a handler the way the host reports errors.
  void Run(void (TfrmSched::*handler)());
  std::string ScheduleFilePath() const;
  void ReadTimerSettings();
  void SetTimerInterval();
  void LoadSchedule();
  void SaveSchedule();
  ScheduleRunContext RunContext();
  int SelectedKind() const;

  SchedulerHost host_;
  const ScheduleClock& clock_;
  CompactorLauncher& launcher_;
};

// The scheduler window of the running program, made at start-up.
extern TfrmSched* frmSched;
