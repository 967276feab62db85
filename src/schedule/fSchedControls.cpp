// The scheduler window's controls, menus and layout.
#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include "grid/MFStringGrid.h"
#include "schedule/Timer.h"
#include "schedule/fSched.h"
#include "shell/DropFileTarget.h"
#include "shell/WindowParts.h"

namespace {

constexpr int ClientWidth = 537;
constexpr int ClientHeight = 358;
constexpr int GridHeight = 191;
constexpr int ColumnWidths[] = {32, 220, 279, 3};
constexpr int RowHeight = 19;

QToolButton* ToolbarButton(QWidget* parent, const char* name, const char* caption,
                           const char* hint, const char* themeIcon, QStyle::StandardPixmap fallback) {
  QToolButton* button = ::ToolbarButton(
      parent, name, caption, hint,
      QIcon::fromTheme(themeIcon, parent->style()->standardIcon(fallback)));
  button->setFixedSize(65, 57);
  return button;
}

QLabel* NamedLabel(QWidget* parent, const char* name, const char* caption) {
  auto* label = new QLabel(caption, parent);
  label->setObjectName(name);
  return label;
}

QLineEdit* NamedEdit(QWidget* parent, const char* name, const char* text, int width) {
  auto* edit = new QLineEdit(text, parent);
  edit->setObjectName(name);
  edit->setFixedWidth(width);
  return edit;
}

// Controls one above the other, at the top of a panel of their own.
QWidget* StackedPanel(QWidget* parent, const char* name, std::initializer_list<QWidget*> controls) {
  auto* panel = new QWidget(parent);
  panel->setObjectName(name);
  auto* column = new QVBoxLayout(panel);
  for (QWidget* control : controls) column->addWidget(control);
  column->addStretch();
  return panel;
}

}  // namespace

void TfrmSched::BuildControls() {
  setObjectName("frmSched");
  setWindowTitle("Brenvoll Scheduler");
  setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
  setSizeGripEnabled(true);
  setFont(QFont("Arial", 8));

  auto* menuBar = new QMenuBar(this);
  QMenu* file = menuBar->addMenu("&File");
  file->setObjectName("File1");
  SaveChanges1 = MenuItem(file, "SaveChanges1", "&Save Changes");
  file->addSeparator()->setObjectName("N1");
  AddRow1 = MenuItem(file, "AddRow1", "&Add Row");
  DeleteRow1 = MenuItem(file, "DeleteRow1", "&Delete Row");
  file->addSeparator()->setObjectName("N2");
  Close1 = MenuItem(file, "Close1", "&Close");
  menuBar->addSeparator()->setObjectName("N3");
  QMenu* help = menuBar->addMenu("&Help");
  help->setObjectName("Help1");
  Sheduler1 = MenuItem(help, "Sheduler1", "&Sheduler");

  auto* toolbar = new QWidget(this);
  toolbar->setObjectName("Panel1");
  auto* toolbarRow = new QHBoxLayout(toolbar);
  toolbarRow->setContentsMargins(2, 2, 2, 2);
  toolbarRow->setSpacing(0);
  BitBtn3 = ToolbarButton(toolbar, "BitBtn3", "Save", "Save scheduler configuration",
                          "document-save", QStyle::SP_DialogSaveButton);
  BitBtn4 = ToolbarButton(toolbar, "BitBtn4", "insert", "Insert a scheduler record",
                          "list-add", QStyle::SP_FileDialogNewFolder);
  BitBtn5 = ToolbarButton(toolbar, "BitBtn5", "Delete", "Delete selected scheduler record",
                          "list-remove", QStyle::SP_TrashIcon);
  BitBtn7 = ToolbarButton(toolbar, "BitBtn7", "Compact",
                          "Compact database in selected scheduler configuration file",
                          "system-run", QStyle::SP_MediaPlay);
  btnHelp = ToolbarButton(toolbar, "btnHelp", "Help", "Help", "help-contents",
                          QStyle::SP_DialogHelpButton);
  for (QToolButton* button : {BitBtn3, BitBtn4, BitBtn5, BitBtn7, btnHelp}) {
    toolbarRow->addWidget(button);
  }
  toolbarRow->addStretch();

  MFStringGrid1 = new TMFStringGrid(this);
  MFStringGrid1->setObjectName("MFStringGrid1");
  MFStringGrid1->SetColCount(4);
  MFStringGrid1->SetFixedCols(1);
  MFStringGrid1->SetFixedRows(1);
  for (int col = 0; col < 4; ++col) MFStringGrid1->SetColWidth(col, ColumnWidths[col]);
  MFStringGrid1->SetDefaultRowHeight(RowHeight);
  MFStringGrid1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  MFStringGrid1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  MFStringGrid1->SetNewRowOnKeyDown(kdNever);
  MFStringGrid1->SetAbout("TMFStringGrid v0.02");
  MFStringGrid1->setFixedHeight(GridHeight);

  rgSched = new QGroupBox("Schedule", this);
  rgSched->setObjectName("rgSched");
  rgSchedItems = new QButtonGroup(rgSched);
  auto* items = new QVBoxLayout(rgSched);
  const char* const captions[] = {"As &Needed", "&Daily", "&Weekly", "&Monthly"};
  for (int index = 0; index < 4; ++index) {
    auto* item = new QRadioButton(captions[index], rgSched);
    rgSchedItems->addButton(item, index);
    items->addWidget(item);
  }
  rgSchedItems->button(0)->setChecked(true);

  Label1 = NamedLabel(this, "Label1", "Every");
  Edit1 = NamedEdit(this, "Edit1", "1", 33);
  Label2 = NamedLabel(this, "Label2", "Days");
  QWidget* everyPanel = StackedPanel(this, "Panel2", {Label1, Edit1, Label2});
  // Its controls come and go; the panel keeps its place.
  everyPanel->setFixedWidth(80);
  Label1->hide();
  Edit1->hide();
  Label2->hide();

  Label3 = NamedLabel(this, "Label3", "Timer Interval (minutes)");
  edtInterval = NamedEdit(this, "edtInterval", "60", 60);
  Label4 = NamedLabel(this, "Label4", "Start Time (24 hr format)");
  edtStart = NamedEdit(this, "edtStart", "01", 60);
  QWidget* timerPanel = StackedPanel(this, "Panel3", {Label3, edtInterval, Label4, edtStart});

  auto* bottom = new QHBoxLayout;
  bottom->addWidget(rgSched);
  bottom->addWidget(everyPanel);
  bottom->addWidget(timerPanel);
  bottom->addStretch();

  auto* window = new QVBoxLayout(this);
  window->setContentsMargins(0, 0, 0, 0);
  window->setMenuBar(menuBar);
  window->addWidget(toolbar);
  window->addWidget(MFStringGrid1);
  window->addLayout(bottom);
  window->addStretch();

  Timer1 = new TTimer(this);
  Timer1->setObjectName("Timer1");
  DropFileTarget1 = new TDropFileTarget(this);
  DropFileTarget1->setObjectName("DropFileTarget1");
  DropFileTarget1->Dragtypes = dtCopy | dtMove | dtLink;

  // The client area excludes the menu bar, as on the platform this layout was drawn for.
  resize(ClientWidth, ClientHeight + menuBar->sizeHint().height());
  CentreOnScreen(this);
}
