// The main window's controls, menus and layout: a toolbar panel along the top and, below
// it, the labelled fields one per row.
#include <QCheckBox>
#include <QFrame>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QProxyStyle>
#include <QToolButton>

#include "MainWindowPictures.h"
#include "config/fCfgMain.h"
#include "shell/BundledPicture.h"
#include "shell/DropFileTarget.h"
#include "shell/FilenameEdit.h"
#include "shell/WindowParts.h"

namespace {

constexpr int ClientWidth = 534;
constexpr int ClientHeight = 347;
constexpr int ToolbarHeight = 57;
constexpr int LabelLeft = 8;
constexpr int LabelWidth = 120;
constexpr int FieldLeft = 136;
constexpr int FieldWidth = 385;
constexpr int RowHeight = 21;
constexpr int RowStep = 25;
constexpr int ListHeight = 97;

// Shows every character of a password-mode field as "#", at once.
class HashEchoStyle final : public QProxyStyle {
public:
  int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                QStyleHintReturn* returnData) const override {
    if (hint == SH_LineEdit_PasswordCharacter) return '#';
    if (hint == SH_LineEdit_PasswordMaskDelay) return 0;
    return QProxyStyle::styleHint(hint, option, widget, returnData);
  }
};

QStyle* HashEcho() {
  static HashEchoStyle* style = new HashEchoStyle;
  return style;
}

QToolButton* ToolbarButton(QWidget* panel, int index, const char* name, const char* caption,
                           const char* hint, const char* themeIcon,
                           const TBundledPicture& bundled) {
  QToolButton* button =
      ::ToolbarButton(panel, name, caption, hint, ThemeIcon(themeIcon, bundled));
  button->setGeometry(1 + index * 65, 1, 65, 55);
  return button;
}

QLabel* RowLabel(QWidget* panel, const char* caption, int top, QWidget* buddy) {
  auto* label = new QLabel(caption, panel);
  label->setGeometry(LabelLeft, top, LabelWidth, RowHeight);
  label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  label->setBuddy(buddy);
  return label;
}

template <typename Field>
Field* RowField(QWidget* panel, const char* name, int top, int width = FieldWidth) {
  auto* field = new Field(panel);
  field->setObjectName(name);
  field->setGeometry(FieldLeft, top, width, RowHeight);
  return field;
}

TFilenameEdit* FileField(QWidget* panel, const char* name, int top) {
  auto* field = RowField<TFilenameEdit>(panel, name, top);
  field->BrowseButton()->setObjectName(QString(name) + "Browse");
  return field;
}

QLineEdit* HashEchoField(QWidget* panel, const char* name, int top, int width) {
  auto* field = RowField<QLineEdit>(panel, name, top, width);
  field->setStyle(HashEcho());
  field->setEchoMode(QLineEdit::Password);
  return field;
}

QCheckBox* CheckBox(QWidget* panel, const char* name, const char* caption, QRect where) {
  auto* box = new QCheckBox(caption, panel);
  box->setObjectName(name);
  box->setGeometry(where);
  return box;
}

}  // namespace

void TForm1::BuildControls() {
  setObjectName("Form1");
  setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                 Qt::MSWindowsFixedSizeDialogHint);
  setFont(QFont("Arial", 8));

  auto* client = new QWidget(this);
  client->setObjectName("Client");
  client->setFixedSize(ClientWidth, ClientHeight);
  setCentralWidget(client);

  Panel1 = new QFrame(client);
  Panel1->setObjectName("Panel1");
  Panel1->setFrameShape(QFrame::StyledPanel);
  Panel1->setGeometry(0, 0, ClientWidth, ToolbarHeight);
  BitBtn1 = ToolbarButton(Panel1, 0, "BitBtn1", "New", "New configuration", "document-new",
                          DocumentNewPicture);
  BitBtn2 = ToolbarButton(Panel1, 1, "BitBtn2", "Open", "Open an exisitng configuration file",
                          "document-open", DocumentOpenPicture);
  BitBtn3 = ToolbarButton(Panel1, 2, "BitBtn3", "Save", "Save current configuration file",
                          "document-save", DocumentSavePicture);
  BitBtn4 = ToolbarButton(Panel1, 3, "BitBtn4", "Delete",
                          "Removes selected database from compaction configuration",
                          "edit-delete", EditDeletePicture);
  BitBtn5 = ToolbarButton(Panel1, 4, "BitBtn5", "Schedule", "Show scheduler configuration screen",
                          "x-office-calendar", CalendarPicture);
  BitBtn6 = ToolbarButton(Panel1, 5, "BitBtn6", "Help", "Help", "help-contents",
                          HelpContentsPicture);

  Panel2 = new QFrame(client);
  Panel2->setObjectName("Panel2");
  Panel2->setFrameShape(QFrame::StyledPanel);
  Panel2->setGeometry(0, ToolbarHeight, ClientWidth, ClientHeight - ToolbarHeight);

  // Rows from the top of the fields panel; the list box takes four rows' height.
  int top = 8;
  fedtAccess = FileField(Panel2, "fedtAccess", top);
  RowLabel(Panel2, "MS Access Path:", top, fedtAccess);
  top += RowStep;
  edtDesc = RowField<QLineEdit>(Panel2, "edtDesc", top);
  RowLabel(Panel2, "Description:", top, edtDesc);
  top += RowStep;
  lboxCompactFiles = new QListWidget(Panel2);
  lboxCompactFiles->setObjectName("lboxCompactFiles");
  lboxCompactFiles->setGeometry(FieldLeft, top, FieldWidth, ListHeight);
  RowLabel(Panel2, "Files To Compact:", top, lboxCompactFiles);
  lblDragNote = new QLabel("Drag files from \nExplorer here -->", Panel2);
  lblDragNote->setObjectName("lblDragNote");
  lblDragNote->setGeometry(LabelLeft + 24, top + RowHeight + 4, LabelWidth - 24, 30);
  lblDragNote->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  lblDragNote->setAutoFillBackground(true);
  QPalette note = lblDragNote->palette();
  note.setColor(QPalette::Window, note.color(QPalette::ToolTipBase));
  note.setColor(QPalette::WindowText, note.color(QPalette::ToolTipText));
  lblDragNote->setPalette(note);
  chkRepair = CheckBox(Panel2, "chkRepair", "Repair",
                       QRect(LabelLeft + 56, top + RowHeight + 40, 64, RowHeight));
  top += ListHeight + 6;
  fedtWrkgrp = FileField(Panel2, "fedtWrkgrp", top);
  RowLabel(Panel2, "Security File:", top, fedtWrkgrp);
  top += RowStep;
  medtLogin = HashEchoField(Panel2, "medtLogin", top, 145);
  RowLabel(Panel2, "Login:", top, medtLogin);
  top += RowStep;
  medtPwd = HashEchoField(Panel2, "medtPwd", top, 145);
  RowLabel(Panel2, "Password:", top, medtPwd);
  chkEncrypt = CheckBox(Panel2, "chkEncrypt", "Encrypt",
                        QRect(FieldLeft + 145 + 16, top, 80, RowHeight));
  top += RowStep;
  fedtDB = FileField(Panel2, "fedtDB", top);
  RowLabel(Panel2, "Launch File:", top, fedtDB);
  top += RowStep;
  fedtBrenvollPath = FileField(Panel2, "fedtBrenvollPath", top);
  RowLabel(Panel2, "Brenvoll Path:", top, fedtBrenvollPath);

  QWidget* tabOrder[] = {fedtAccess, edtDesc,  lboxCompactFiles, chkRepair, fedtWrkgrp,
                         medtLogin,  medtPwd,  chkEncrypt,       fedtDB,    fedtBrenvollPath};
  for (size_t index = 1; index < std::size(tabOrder); ++index) {
    setTabOrder(tabOrder[index - 1], tabOrder[index]);
  }

  OpenDialog1.kind = FileDialogKind::Open;
  OpenDialog1.title = "Open";
  SaveDialog1.kind = FileDialogKind::Save;
  SaveDialog1.title = "Save As";
  SaveDialog1.confirmOverwrite = true;
  for (FileDialogRequest* dialog : {&OpenDialog1, &SaveDialog1}) {
    dialog->filter = "Config Files (*.cfg)";
    dialog->defaultExt = "cfg";
  }

  DropFileTarget1 = new TDropFileTarget(this);
  DropFileTarget1->setObjectName("DropFileTarget1");
  DropFileTarget1->Dragtypes = dtCopy | dtMove | dtLink;

  BuildMenus();
  // The client area excludes the menu bar, as on the platform this layout was drawn for.
  setFixedSize(ClientWidth, ClientHeight + menuBar()->sizeHint().height());
  CentreOnScreen(this);
}

void TForm1::BuildMenus() {
  QMenuBar* bar = menuBar();
  File1 = bar->addMenu("&File");
  File1->setObjectName("File1");
  NewConfigFile1 = MenuItem(File1, "NewConfigFile1", "&New Config File");
  OpenConfigFile1 = MenuItem(File1, "OpenConfigFile1", "&Open Config File");
  SaveConfigFIle1 = MenuItem(File1, "SaveConfigFIle1", "&Save Config FIle");
  SaveAs1 = MenuItem(File1, "SaveAs1", "Save &As");
  DeleteFile1 = MenuItem(File1, "DeleteFile1", "&Delete File");
  File1->addSeparator()->setObjectName("N1");
  CreateDesktopIcon1 = MenuItem(File1, "CreateDesktopIcon1", "Create Desktop &Icon");
  File1->addSeparator()->setObjectName("N2");
  Exit1 = MenuItem(File1, "Exit1", "E&xit");

  View1 = bar->addMenu("&View");
  View1->setObjectName("View1");
  Scheduling1 = MenuItem(View1, "Scheduling1", "S&cheduling");
  bar->addSeparator()->setObjectName("N3");

  Help1 = bar->addMenu("&Help");
  Help1->setObjectName("Help1");
  Contents1 = MenuItem(Help1, "Contents1", "&Contents");
  KeywordSearch1 = MenuItem(Help1, "KeywordSearch1", "Keyword &Search");
  Help1->addSeparator()->setObjectName("N4");
  BrenvollWebPage1 = MenuItem(Help1, "BrenvollWebPage1", "Brenvoll &Web Page");
  QuorridgeHomePage1 = MenuItem(Help1, "QuorridgeHomePage1", "Quorridge &Home Page");
  EmailFeedback1 = MenuItem(Help1, "EmailFeedback1", "&E-mail Feedback");
  Help1->addSeparator()->setObjectName("N5");
  About1 = MenuItem(Help1, "About1", "&About");
}
