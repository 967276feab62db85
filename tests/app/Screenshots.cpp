// Writes the README's screenshots of the main window, the about box and the help viewer,
// taken from the running program as the start-up makes it. Run under xvfb-run with the
// output folder (the build puts a copy of the help file beside the tool):
//   xvfb-run -a -s "-screen 0 1024x768x24" build/tools/app_screenshots docs
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QScreen>
#include <QTimer>

#include <cstdio>
#include <string>

#include "app/About.h"
#include "app/StartUp.h"
#include "config/fCfgMain.h"
#include "shell/HelpSeam.h"
#include "shell/FilenameEdit.h"

namespace {
std::string outputFolder = ".";

// The window as the screen shows it, frame included where a window manager draws one.
void Save(QWidget* window, const char* name) {
  QApplication::processEvents();
  const QRect frame = window->frameGeometry();
  QPixmap shot = window->screen()->grabWindow(0, frame.x(), frame.y(), frame.width(),
                                              frame.height());
  const std::string path = outputFolder + "/" + name;
  if (!shot.save(QString::fromStdString(path))) std::fprintf(stderr, "cannot write %s\n", path.c_str());
}

void FillExample() {
  Form1->edtDesc->setText("Nightly sales");
  Form1->lboxCompactFiles->addItems({"/srv/access/sales.mdb", "/srv/access/stock.mdb"});
  Form1->chkRepair->setChecked(true);
  Form1->fedtWrkgrp->setText("/srv/access/system.mdw");
  Form1->medtLogin->setText("admin");
  Form1->medtPwd->setText("secret");
  Form1->chkEncrypt->setChecked(true);
}

void TakeShots() {
  FillExample();
  Form1->activateWindow();
  QTimer::singleShot(300, [] {
    Save(Form1, "main-window.png");
    AboutBox->show();
    QTimer::singleShot(300, [] {
      Save(AboutBox, "about-box.png");
      AboutBox->hide();
      Help().ShowTopic(190);
      QTimer::singleShot(300, [] {
        for (QWidget* window : QApplication::topLevelWidgets())
          if (window->objectName() == "HelpViewer" && window->isVisible())
            Save(window, "help-window.png");
        QApplication::exit(0);
      });
    });
  });
}
}  // namespace

int main(int argc, char** argv) {
  if (argc > 1) outputFolder = argv[1];
  return RunProgram(argc, argv, TakeShots);
}
