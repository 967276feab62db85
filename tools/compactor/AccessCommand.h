#pragma once
// The Access program's command line for one database of a configuration.

#include <string>
#include <vector>

#include "config/CompactionConfig.h"

// accessPath, the database, "/compact", then "/repair" when Repair is set, "/wrkgrp <file>",
// "/user <login>" and "/pwd <password>" for those that are given. A Windows program path
// (a drive letter, a backslash or a name ending in ".exe") runs under "wine" from PATH.
std::vector<std::string> AccessCommand(const std::string& accessPath,
                                       const CompactionConfig& config,
                                       const std::string& database);
