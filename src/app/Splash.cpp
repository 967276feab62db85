#include "app/Splash.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QScreen>

#include "app/Icons.h"
#include "shell/WindowParts.h"

TfrmSplash::TfrmSplash(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint) {
  setObjectName("frmSplash");
  setWindowTitle("Loading Brenvoll");
  setFixedSize(360, 212);
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setFocusPolicy(Qt::NoFocus);
  setAutoFillBackground(true);
  QPalette white = palette();
  white.setColor(QPalette::Window, Qt::white);
  setPalette(white);

  auto* panel = new QFrame(this);
  panel->setObjectName("Panel1");
  panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
  panel->setLineWidth(5);
  panel->setGeometry(0, 0, 360, 212);

  auto* title = new QLabel(QString::fromUtf8("Brenvoll\u2122"), panel);
  title->setObjectName("lblProduct");
  QFont font("Arial", 24, QFont::Bold);
  title->setFont(font);
  QPalette green = title->palette();
  green.setColor(QPalette::WindowText, QColor(0, 128, 0));
  title->setPalette(green);
  title->setGeometry(16, 12, 330, 44);

  auto* picture = new QLabel(panel);
  picture->setObjectName("Image1");
  picture->setAttribute(Qt::WA_TranslucentBackground);
  picture->setPixmap(ProgramIcon().pixmap(137, 137));
  picture->setScaledContents(true);
  picture->setGeometry(360 - 137 - 14, 212 - 137 - 14, 137, 137);

  CentreOnScreen(this);
}

void TfrmSplash::ShowNow() {
  show();
  raise();
  repaint();
  QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}
