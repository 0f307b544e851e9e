// The setup subcommand: writes the pattern data folder setting, or shows what it holds.
#pragma once

#include <optional>
#include <string>

namespace tq {

// With a folder: writes PatdatV5.ini naming it and checks its tables. Without: shows the
// setting file, the folder it names and the tables there. Returns the exit status: 0 when
// the folder and all its tables are there, 1 when a check failed, 2 for a folder argument
// that no drive holds.
int RunSetup(const std::optional<std::string>& patternFolder);

}  // namespace tq
