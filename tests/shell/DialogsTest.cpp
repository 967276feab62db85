#include "shell/Dialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"

namespace {
// Runs act on the modal window once it is open, and records what it showed.
template <typename Window>
void WhenOpen(std::function<void(Window&)> act) {
  QTimer::singleShot(0, [act] {
    auto* window = qobject_cast<Window*>(QApplication::activeModalWidget());
    if (!window) {
      ADD_FAILURE() << "no modal window opened";
      return;
    }
    act(*window);
  });
}

QAbstractButton* ButtonCaptioned(QMessageBox& box, const QString& caption) {
  for (QAbstractButton* button : box.buttons())
    if (button->text() == caption) return button;
  return nullptr;
}

TEST(QtDialogs, MessageBoxesShowTheCaptionsAndReturnThePressedButton) {
  using B = DialogButton;
  struct Case {
    const char* label;
    MessageRequest request;
    QString press;  // a caption, or empty for Escape
    QStringList captions;
    QString defaultCaption;
    DialogButton expected;
  };
  const Case cases[] = {
      {"Yes/No, Yes pressed", {"Confirm", "Go?", DialogIcon::Question, {B::Yes, B::No}, B::Yes},
       "&Yes", {"&Yes", "&No"}, "&Yes", B::Yes},
      {"Yes/No, Escape is No", {"Confirm", "Go?", DialogIcon::Question, {B::Yes, B::No}, B::Yes},
       "", {"&Yes", "&No"}, "&Yes", B::No},
      {"Yes/Cancel, Escape is Cancel",
       {"Confirm", "Close?", DialogIcon::Question, {B::Yes, B::Cancel}, B::Yes}, "",
       {"&Yes", "Cancel"}, "&Yes", B::Cancel},
      {"OK alone, Escape is OK", {"Error...", "Bad", DialogIcon::Error, {B::Ok}, B::Ok}, "",
       {"OK"}, "OK", B::Ok},
      {"No pressed", {"Confirm", "Go?", DialogIcon::Question, {B::Yes, B::No}, B::No}, "&No",
       {"&Yes", "&No"}, "&No", B::No},
  };
  SetDialogs(nullptr);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    QStringList captions;
    QString defaultCaption, title, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    WhenOpen<QMessageBox>([&](QMessageBox& box) {
      for (QAbstractButton* button : box.buttons()) captions << button->text();
      defaultCaption = box.defaultButton() ? box.defaultButton()->text() : QString();
      title = box.windowTitle();
      text = box.text();
      icon = box.icon();
      if (c.press.isEmpty()) QTest::keyClick(&box, Qt::Key_Escape);
      else if (QAbstractButton* button = ButtonCaptioned(box, c.press)) button->click();
      else box.reject();
    });
    EXPECT_EQ(Dialogs().ShowMessage(c.request), c.expected) << "row: " << c.label;
    captions.sort();
    QStringList expectedCaptions = c.captions;
    expectedCaptions.sort();
    EXPECT_EQ(captions, expectedCaptions) << "row: " << c.label;
    EXPECT_EQ(defaultCaption, c.defaultCaption) << "row: " << c.label;
    EXPECT_EQ(title.toStdString(), c.request.title) << "row: " << c.label;
    EXPECT_EQ(text.toStdString(), c.request.text) << "row: " << c.label;
    EXPECT_EQ(icon, c.request.icon == DialogIcon::Question ? QMessageBox::Question
                                                           : QMessageBox::Critical)
        << "row: " << c.label;
  }
}

TEST(QtDialogs, FileDialogOffersEveryFileAndReturnsTheChoice) {
  TempDir dir;
  std::string wine = dir.Write("wine", "");  // a program without an extension
  SetDialogs(nullptr);
  QStringList filters;
  WhenOpen<QFileDialog>([&](QFileDialog& dialog) {
    filters = dialog.nameFilters();
    dialog.selectFile(QString::fromStdString(wine));
    static_cast<QDialog&>(dialog).accept();  // QFileDialog hides it
  });
  FileDialogRequest request;
  request.title = "Browse";
  request.filter = "All files (*.*)";
  request.initialDir = dir.Path();
  EXPECT_EQ(Dialogs().ChooseFile(request), wine);
  EXPECT_EQ(filters, QStringList{"All files (*)"});

  WhenOpen<QFileDialog>([](QFileDialog& dialog) { dialog.reject(); });
  EXPECT_EQ(Dialogs().ChooseFile(request), std::nullopt);
}

TEST(UsualBoxes, AskAndTellThroughTheSeam) {
  struct Case {
    const char* label;
    std::function<bool()> show;
    DialogButton answer;
    bool expected;
    std::vector<DialogButton> buttons;
    DialogIcon icon;
    const char* title;
  };
  using B = DialogButton;
  const Case cases[] = {
      {"Yes/No answered Yes", [] { return ConfirmYesNo("Delete?"); }, B::Yes, true,
       {B::Yes, B::No}, DialogIcon::Question, "Confirm"},
      {"Yes/No answered No", [] { return ConfirmYesNo("Delete?"); }, B::No, false,
       {B::Yes, B::No}, DialogIcon::Question, "Confirm"},
      {"Yes/Cancel answered Cancel", [] { return ConfirmYesCancel("Delete?"); }, B::Cancel, false,
       {B::Yes, B::Cancel}, DialogIcon::Question, "Confirm"},
      {"error box", [] { ShowErrorBox("Delete?"); return true; }, B::Ok, true, {B::Ok},
       DialogIcon::Error, "Error..."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    ScriptedDialogs dialogs;
    dialogs.NextButton(c.answer);
    EXPECT_EQ(c.show(), c.expected) << "row: " << c.label;
    ASSERT_EQ(dialogs.messages.size(), 1u) << "row: " << c.label;
    const MessageRequest& box = dialogs.messages[0];
    EXPECT_EQ(box.title, c.title) << "row: " << c.label;
    EXPECT_EQ(box.text, "Delete?") << "row: " << c.label;
    EXPECT_EQ(box.buttons, c.buttons) << "row: " << c.label;
    EXPECT_EQ(box.defaultButton, c.buttons[0]) << "row: " << c.label;
    EXPECT_EQ(box.icon, c.icon) << "row: " << c.label;
  }
}
}  // namespace
