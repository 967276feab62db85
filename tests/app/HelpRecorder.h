#pragma once
// A help service for tests: records each request as a short text.
#include <string>
#include <vector>

#include "shell/HelpSeam.h"

class HelpRecorder final : public HelpService {
public:
  HelpRecorder() { SetHelp(this); }
  ~HelpRecorder() override { SetHelp(nullptr); }
  void ShowContents() override { requests.push_back("contents"); }
  void SearchKeyword(const char* keyword) override {
    requests.push_back(std::string("search:") + keyword);
  }
  void ShowTopic(int number) override { requests.push_back("topic:" + std::to_string(number)); }
  std::vector<std::string> requests;
};
