// The check command: the findings of source files, without writing anything.
#pragma once

#include "cli/command_line.h"

namespace tq {

// Exit status: 0 no warning and no error, 1 warnings, 4 a file that would stop, 2 usage.
int RunCheck(const CommandLine& line);

}  // namespace tq
