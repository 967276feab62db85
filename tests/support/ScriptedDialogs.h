#pragma once
// A dialog seam for tests: every question is recorded, and each answer comes from the
// queue the test filled (Next...). A question with no scripted answer fails the test and
// returns the box's default button or a cancelled file dialog, so a test never blocks.
// Installed for the lifetime of the object.

#include <gtest/gtest.h>

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "shell/Dialogs.h"

class ScriptedDialogs final : public DialogSeam {
public:
  ScriptedDialogs() { SetDialogs(this); }
  ~ScriptedDialogs() override { SetDialogs(nullptr); }

  void NextButton(DialogButton button) { buttons_.push_back(button); }
  void NextFile(std::optional<std::string> path) { files_.push_back(std::move(path)); }

  DialogButton ShowMessage(const MessageRequest& request) override {
    messages.push_back(request);
    if (buttons_.empty()) {
      ADD_FAILURE() << "unexpected message box \"" << request.title << "\": " << request.text;
      return request.defaultButton;
    }
    DialogButton answer = buttons_.front();
    buttons_.pop_front();
    return answer;
  }

  std::optional<std::string> ChooseFile(const FileDialogRequest& request) override {
    fileDialogs.push_back(request);
    if (files_.empty()) {
      ADD_FAILURE() << "unexpected file dialog \"" << request.title << "\"";
      return std::nullopt;
    }
    std::optional<std::string> answer = files_.front();
    files_.pop_front();
    return answer;
  }

  // Answers not used by the end of the test.
  size_t PendingAnswers() const { return buttons_.size() + files_.size(); }

  std::vector<MessageRequest> messages;
  std::vector<FileDialogRequest> fileDialogs;

private:
  std::deque<DialogButton> buttons_;
  std::deque<std::optional<std::string>> files_;
};
