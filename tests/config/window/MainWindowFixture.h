#pragma once
// A main window over a temporary application directory, with an empty Wine prefix (no
// Access registry), scripted dialogs, and recorded help requests and errors.

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>

#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "config/fCfgMain.h"
#include "shell/FilenameEdit.h"
#include "support/RecordingHelp.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"

class MainWindowFixture : public testing::Test {
protected:
  void SetUp() override {
    if (const char* old = std::getenv("WINEPREFIX")) savedPrefix_ = old;
    setenv("WINEPREFIX", prefix.Path().c_str(), 1);
  }
  void TearDown() override {
    window.reset();
    if (savedPrefix_) {
      setenv("WINEPREFIX", savedPrefix_->c_str(), 1);
    } else {
      unsetenv("WINEPREFIX");
    }
    EXPECT_EQ(dialogs.PendingAnswers(), 0u) << "scripted answers left over";
  }

  TForm1& Create() {
    window.reset();
    window = std::make_unique<TForm1>(Host());
    return *window;
  }
  MainWindowHost Host() {
    return MainWindowHost{[this] { return app.Path(); },
                          [this](const std::function<void()>& handler) {
                            try {
                              handler();
                            } catch (const std::exception& e) {
                              errors.push_back(e.what());
                            }
                          },
                          [this] { shown.push_back("scheduler"); },
                          [this] { shown.push_back("about"); }};
  }

  void WriteSettings(const std::string& lines) {
    app.Write("Brenvoll.ini", "[Defaults]\r\n" + lines);
  }
  std::string Caption() const { return window->windowTitle().toStdString(); }
  std::vector<std::string> ListLines() const {
    std::vector<std::string> lines;
    for (int row = 0; row < window->lboxCompactFiles->count(); ++row) {
      lines.push_back(window->lboxCompactFiles->item(row)->text().toStdString());
    }
    return lines;
  }
  static std::string Text(const QLineEdit* field) { return field->text().toStdString(); }

  // Types text at the end of a field, as the keyboard does.
  static void Type(QLineEdit* field, const std::string& text) {
    field->setFocus();
    field->end(false);
    for (char c : text) {
      QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(QChar(c)));
      QApplication::sendEvent(field, &press);
    }
  }

  // Opens a file through the window's Open command.
  void Open(const std::string& path) {
    dialogs.NextFile(path);
    window->OpenConfigFile1Click();
  }
  // Closes the window and tells whether it closed.
  bool Close() { return window->close(); }
  // Whether the "Save changes?" question was asked since the last call.
  bool AskedToSave() {
    bool asked = false;
    for (const MessageRequest& m : dialogs.messages) asked = asked || m.text == "Save changes?";
    dialogs.messages.clear();
    return asked;
  }

  TempDir app;     // the application directory
  TempDir prefix;  // an empty Wine prefix
  TempDir work;    // configurations
  ScriptedDialogs dialogs;
  RecordingHelp help;
  std::vector<std::string> errors;
  std::vector<std::string> shown;
  std::unique_ptr<TForm1> window;

private:
  std::optional<std::string> savedPrefix_;
};
