#pragma once
// The about box: product, version and build, the maker and a link to its home page.
// Created once at start-up and shown modally by the main window's About command.

#include <QDialog>
#include <string>

class QLabel;
class QPushButton;
class QFrame;

// "Version " and the version with two decimals and the process-wide decimal separator.
std::string VersionText(double version);

class TAboutBox final : public QDialog {
  Q_OBJECT
public:
  explicit TAboutBox(QWidget* parent = nullptr);

  void FormCreate();
  void Label2Click();

  QLabel* ProgramIcon;
  QLabel* Label1;
  QLabel* ProductName;
  QLabel* Version;
  QLabel* Build;
  QLabel* Label2;
  QFrame* Bevel1;
  QPushButton* OKButton;

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
};

// The about box the start-up created (null before that).
extern TAboutBox* AboutBox;
