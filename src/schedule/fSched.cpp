#include "schedule/fSched.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QToolButton>
#include <filesystem>

#include "config/AppSettings.h"
#include "grid/MFStringGrid.h"
#include "profile/IsoDate.h"
#include "profile/TextFields.h"
#include "schedule/ScheduleEntry.h"
#include "schedule/Timer.h"
#include "schedule/TimerSettings.h"
#include "shell/Dialogs.h"
#include "shell/DropFileTarget.h"
#include "shell/HelpSeam.h"

TfrmSched* frmSched = nullptr;

namespace {

constexpr char ScheduleFileName[] = "schedfile.dat";
constexpr int SchedulerHelpTopic = 190;

enum KindItem { AsNeeded = 0, Daily = 1, Weekly = 2, Monthly = 3 };

std::string Text(const QLineEdit* edit) { return edit->text().toStdString(); }

}  // namespace

TfrmSched::TfrmSched(SchedulerHost host, const ScheduleClock& clock, CompactorLauncher& launcher,
                     QWidget* parent)
    : QDialog(parent), host_(std::move(host)), clock_(clock), launcher_(launcher) {
  BuildControls();
  ConnectHandlers();
  Run(&TfrmSched::FormCreate);
}

TfrmSched::~TfrmSched() { Run(&TfrmSched::FormDestroy); }

void TfrmSched::ConnectHandlers() {
  auto on = [this](auto* sender, auto signal, void (TfrmSched::*handler)()) {
    connect(sender, signal, this, [this, handler] { Run(handler); });
  };
  on(BitBtn3, &QToolButton::clicked, &TfrmSched::SaveChanges1Click);
  on(SaveChanges1, &QAction::triggered, &TfrmSched::SaveChanges1Click);
  on(BitBtn4, &QToolButton::clicked, &TfrmSched::AddRow1Click);
  on(AddRow1, &QAction::triggered, &TfrmSched::AddRow1Click);
  on(BitBtn5, &QToolButton::clicked, &TfrmSched::DeleteRow1Click);
  on(DeleteRow1, &QAction::triggered, &TfrmSched::DeleteRow1Click);
  on(BitBtn7, &QToolButton::clicked, &TfrmSched::BitBtn7Click);
  on(btnHelp, &QToolButton::clicked, &TfrmSched::btnHelpClick);
  on(Sheduler1, &QAction::triggered, &TfrmSched::btnHelpClick);
  on(Close1, &QAction::triggered, &TfrmSched::Close1Click);
  on(MFStringGrid1, &TStringGrid::Click, &TfrmSched::MFStringGrid1Click);
  on(MFStringGrid1, &TStringGrid::KeyUp, &TfrmSched::MFStringGrid1KeyUp);
  // Only the user's choice runs the handler; a selection made by code does not.
  on(rgSchedItems, &QButtonGroup::idClicked, &TfrmSched::rgSchedClick);
  on(Timer1, &TTimer::Timer, &TfrmSched::Timer1Timer);
  Edit1->installEventFilter(this);
  DropFileTarget1->OnDrop = [this](TDropFileTarget&, TShiftState, QPoint, int&) {
    Run(&TfrmSched::DropFileTarget1Drop);
  };
}

void TfrmSched::Run(void (TfrmSched::*handler)()) {
  host_.runHandler([this, handler] { (this->*handler)(); });
}

void TfrmSched::ShowModal() { exec(); }

std::string TfrmSched::ScheduleFilePath() const { return host_.appDir() + ScheduleFileName; }

void TfrmSched::ReadTimerSettings() {
  const SchedulerSettings settings = ReadSchedulerSettings(host_.appDir());
  edtInterval->setText(QString::fromStdString(settings.TimerInterval));
  edtStart->setText(QString::fromStdString(settings.StartTime));
}

void TfrmSched::SetTimerInterval() {
  Timer1->SetInterval(TimerIntervalMilliseconds(Text(edtInterval)));
}

void TfrmSched::LoadSchedule() {
  // Code moves the current cell here; that is no click of the user's.
  const QSignalBlocker quiet(MFStringGrid1);
  MFStringGrid1->SetRowCount(2);
  MFStringGrid1->SetRow(MFStringGrid1->FixedRows());
  if (std::filesystem::exists(ScheduleFilePath())) {
    MFStringGrid1->LoadFromDelimitedFile(ScheduleFilePath(), '\t', false, false);
    MFStringGrid1->SetModified(false);
  }
}

void TfrmSched::SaveSchedule() {
  MFStringGrid1->SaveToDelimitedFile(ScheduleFilePath(), '\t', false);
  MFStringGrid1->SetModified(false);
}

void TfrmSched::FormCreate() {
  DropFileTarget1->RegisterTarget(MFStringGrid1);
  ReadTimerSettings();
  // An interval that does not convert is reported, and the schedule is loaded all the
  // same: a later Save must not write a table that was never loaded over the file.
  bool intervalSet = false;
  host_.runHandler([&] {
    SetTimerInterval();
    intervalSet = true;
  });
  LoadSchedule();
  if (intervalSet) CheckTimer();
}

void TfrmSched::FormShow() {
  ReadTimerSettings();
  host_.runHandler([this] { SetTimerInterval(); });
  MFStringGrid1->SetModified(false);
  LoadSchedule();
  MFStringGrid1->SetCell(DescriptionColumn, 0, "Description");
  MFStringGrid1->SetCell(ConfigFileColumn, 0, "Config File");
  MFStringGrid1->SetModified(false);
  UpdateFreq(MFStringGrid1->Cell(CodeColumn, MFStringGrid1->FixedRows()));
}

void TfrmSched::SaveChanges1Click() {
  WriteSchedulerSettings(host_.appDir(), SchedulerSettings{Text(edtInterval), Text(edtStart)});
  SetTimerInterval();
  SaveSchedule();
  CheckTimer();
}

void TfrmSched::FormClose() {
  if (MFStringGrid1->Modified() && ConfirmYesNo("Save changes?")) SaveChanges1Click();
}

void TfrmSched::FormDestroy() { DropFileTarget1->UnregisterTarget(); }

void TfrmSched::Close1Click() { close(); }

void TfrmSched::AddRow1Click() { MFStringGrid1->AppendRow(); }

void TfrmSched::DeleteRow1Click() { MFStringGrid1->RemoveRow(MFStringGrid1->Row()); }

void TfrmSched::BitBtn7Click() { RunRowIfDue(MFStringGrid1->Row(), true); }

void TfrmSched::btnHelpClick() { Help().ShowTopic(SchedulerHelpTopic); }

void TfrmSched::DropFileTarget1Drop() {
  CellTable& cells = MFStringGrid1->Cells();
  for (const std::string& path : DropFileTarget1->DroppedFiles()) {
    // Adding the row through the table leaves Modified alone, as a drop should.
    if (!cells.Cell(ConfigFileColumn, cells.RowCount() - 1).empty()) {
      cells.SetRowCount(cells.RowCount() + 1);
    }
    cells.SetCell(ConfigFileColumn, cells.RowCount() - 1, path);
  }
}

void TfrmSched::MFStringGrid1Click() {
  UpdateFreq(MFStringGrid1->Cell(CodeColumn, MFStringGrid1->Row()));
}

void TfrmSched::MFStringGrid1KeyUp() {
  UpdateFreq(MFStringGrid1->Cell(CodeColumn, MFStringGrid1->Row()));
}

void TfrmSched::Edit1Exit() { rgSchedClick(); }

int TfrmSched::SelectedKind() const { return rgSchedItems->checkedId(); }

void TfrmSched::rgSchedClick() {
  const int row = MFStringGrid1->Row();
  std::string date = ExtractField(MFStringGrid1->Cell(CodeColumn, row), '|', 2);
  if (date.empty()) date = DateToIsoText(clock_.Today());

  struct KindLook {
    char letter;
    const char* unit;
  };
  static const KindLook looks[] = {{'\0', ""}, {'d', "Day(s)"}, {'w', "Week(s)"}, {'m', "Month(s)"}};
  const int kind = SelectedKind();
  const bool hasKind = kind > AsNeeded;
  Label1->setVisible(hasKind);
  Edit1->setVisible(hasKind);
  Label2->setVisible(hasKind);
  if (!hasKind) {
    MFStringGrid1->SetCell(CodeColumn, row, "");
    return;
  }
  Label2->setText(looks[kind].unit);
  MFStringGrid1->SetCell(CodeColumn, row, BuildScheduleCode(looks[kind].letter, Text(Edit1), date));
}

void TfrmSched::UpdateFreq(const std::string& code) {
  int kind = AsNeeded;
  switch (ScheduleKind(code)) {
    case 'd': kind = Daily; break;
    case 'w': kind = Weekly; break;
    case 'm': kind = Monthly; break;
    default: break;
  }
  rgSchedItems->button(kind)->setChecked(true);
  rgSchedClick();
}

void TfrmSched::CheckTimer() {
  Timer1->SetEnabled(false);
  const CellTable& cells = MFStringGrid1->Cells();
  for (int row = cells.FixedRows(); row < cells.RowCount(); ++row) {
    if (!cells.Cell(CodeColumn, row).empty()) {
      Timer1->SetEnabled(true);
      return;
    }
  }
}

ScheduleRunContext TfrmSched::RunContext() {
  return ScheduleRunContext{host_.compactorPath, launcher_, clock_, [this] { SaveSchedule(); }};
}

void TfrmSched::RunRowIfDue(int row, bool forced) {
  RunEntryIfDue(MFStringGrid1->Cells(), row, forced, RunContext());
}

void TfrmSched::Timer1Timer() {
  if (IsStartHour(Text(edtStart), clock_.CurrentHour())) {
    RunSchedulePass(MFStringGrid1->Cells(), RunContext());
  }
}

void TfrmSched::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!event->spontaneous()) Run(&TfrmSched::FormShow);
}

void TfrmSched::closeEvent(QCloseEvent* event) {
  // A save that fails at closing keeps the window open with its changes.
  bool closed = false;
  host_.runHandler([this, &closed] {
    FormClose();
    closed = true;
  });
  if (!closed) {
    event->ignore();
    return;
  }
  event->accept();
  QDialog::done(QDialog::Rejected);
}

void TfrmSched::reject() { close(); }

void TfrmSched::keyPressEvent(QKeyEvent* event) {
  // The window has no Cancel button: Escape does not close it.
  if (event->key() == Qt::Key_Escape) return;
  QDialog::keyPressEvent(event);
}

bool TfrmSched::eventFilter(QObject* watched, QEvent* event) {
  if (watched == Edit1 && event->type() == QEvent::FocusOut) Run(&TfrmSched::Edit1Exit);
  return QDialog::eventFilter(watched, event);
}
