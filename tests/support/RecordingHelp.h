#pragma once
// A help service for tests: installed for its lifetime, it records each request as a short
// text ("contents", "search \"word\"", "topic 190").
#include <string>
#include <vector>

#include "shell/HelpSeam.h"

class RecordingHelp final : public HelpService {
public:
  RecordingHelp() { SetHelp(this); }
  ~RecordingHelp() override { SetHelp(nullptr); }
  void ShowContents() override { requests.push_back("contents"); }
  void SearchKeyword(const char* keyword) override {
    requests.push_back("search \"" + std::string(keyword) + "\"");
  }
  void ShowTopic(int contextNumber) override {
    requests.push_back("topic " + std::to_string(contextNumber));
  }
  std::vector<std::string> requests;
};
