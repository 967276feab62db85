#include "AccessCommand.h"

#include <strings.h>

namespace {

bool IsWindowsProgramPath(const std::string& path) {
  const bool driveLetter = path.size() >= 2 && path[1] == ':' &&
                           ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
  const bool exeName = path.size() >= 4 && strcasecmp(path.c_str() + path.size() - 4, ".exe") == 0;
  return driveLetter || exeName || path.find('\\') != std::string::npos;
}

void AddSwitch(std::vector<std::string>& command, const char* name, const std::string& value) {
  if (value.empty()) return;
  command.push_back(name);
  command.push_back(value);
}

}  // namespace

std::vector<std::string> AccessCommand(const std::string& accessPath,
                                       const CompactionConfig& config,
                                       const std::string& database) {
  std::vector<std::string> command;
  if (IsWindowsProgramPath(accessPath)) command.push_back("wine");
  command.push_back(accessPath);
  command.push_back(database);
  command.push_back("/compact");
  if (config.Repair) command.push_back("/repair");
  AddSwitch(command, "/wrkgrp", config.Workgroup);
  AddSwitch(command, "/user", config.Login);
  AddSwitch(command, "/pwd", config.Password);
  return command;
}
