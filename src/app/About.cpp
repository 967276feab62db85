#include "app/About.h"

#include <QEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>

#include <cstdio>

#include "app/Application.h"
#include "app/Icons.h"
#include "app/ProductInfo.h"
#include "shell/WindowParts.h"
#include "base/FormatSettings.h"
#include "shell/HelpSeam.h"
#include "shell/OpenAddress.h"

TAboutBox* AboutBox = nullptr;

namespace {
// The about box's topic in the help file (its index carries it as "topic-61").
constexpr int AboutBoxHelpTopic = 61;
}  // namespace

std::string VersionText(double version) {
  char digits[32];
  std::snprintf(digits, sizeof digits, "%.2f", version);
  std::string text = digits;
  for (char& c : text)
    if (c == '.') c = ProcessFormatSettings().DecimalSeparator;
  return "Version " + text;
}

namespace {
QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text, QRect where,
                  const QFont& font) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  label->setFont(font);
  label->setGeometry(where);
  return label;
}
}  // namespace

TAboutBox::TAboutBox(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
  setObjectName("AboutBox");
  setWindowTitle("About Brenvoll");
  setWindowIcon(::ProgramIcon());
  setFixedSize(297, 240);
  QFont arial("Arial", 8);
  setFont(arial);

  ProgramIcon = new QLabel(this);
  ProgramIcon->setObjectName("ProgramIcon");
  ProgramIcon->setPixmap(::ProgramIcon().pixmap(96, 96));
  ProgramIcon->setGeometry(8, 8, 96, 96);

  QFont bold = arial;
  bold.setBold(true);
  QFont large("Arial", 18, QFont::Bold);
  Label1 = MakeLabel(this, "Label1", QString::fromUtf8("Quorridge\u00ae"), {120, 12, 170, 16}, bold);
  ProductName = MakeLabel(this, "ProductName", QString::fromUtf8("Brenvoll\u2122"),
                          {120, 30, 170, 32}, large);
  Version = MakeLabel(this, "Version", "", {120, 70, 170, 16}, arial);
  Build = MakeLabel(this, "Build", "", {120, 88, 170, 16}, arial);

  QFont link = arial;
  link.setUnderline(true);
  Label2 = MakeLabel(this, "Label2", MakerHomePageText, {8, 128, 281, 16}, link);
  Label2->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
  QPalette navy = Label2->palette();
  navy.setColor(QPalette::WindowText, QColor(0, 0, 128));
  Label2->setPalette(navy);
  Label2->setCursor(Qt::PointingHandCursor);
  Label2->installEventFilter(this);

  Bevel1 = new QFrame(this);
  Bevel1->setObjectName("Bevel1");
  Bevel1->setFrameStyle(QFrame::HLine | QFrame::Sunken);
  Bevel1->setGeometry(8, 168, 281, 4);

  OKButton = new QPushButton("OK", this);
  OKButton->setObjectName("OKButton");
  OKButton->setGeometry(111, 196, 75, 25);
  OKButton->setDefault(true);
  OKButton->setAutoDefault(true);
  // Escape rejects the dialog, Enter presses the default button: both close the box.
  connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);

  CentreOnScreen(this);
  GuardHandler([this] { FormCreate(); });
}

void TAboutBox::FormCreate() {
  Version->setText(QString::fromStdString(VersionText(ProgramVersion)));
  Build->setText(QString("Build ") + ProgramBuild);
}

void TAboutBox::Label2Click() { OpenAddress(MakerHomePage, true); }

bool TAboutBox::eventFilter(QObject* watched, QEvent* event) {
  if (watched == Label2 && event->type() == QEvent::MouseButtonRelease &&
      static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
    GuardHandler([this] { Label2Click(); });
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

void TAboutBox::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_F1) {
    Help().ShowTopic(AboutBoxHelpTopic);
    return;
  }
  QDialog::keyPressEvent(event);
}
