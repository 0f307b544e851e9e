// The check command: source files read exactly as a conversion reads them, with nothing written.
#pragma once

#include <vector>

#include "common/text.h"
#include "run/converter.h"
#include "run/run_observer.h"

namespace tq {

// Reads each named file of the folder (a drive-form path) as the Execute command would convert
// it, and reports its findings; written lists the files its conversion would write. Nothing is
// written anywhere, not even to the soil pattern tables, and a file that would stop a
// conversion does not stop the check of the files after it.
std::vector<SourceFileReport> CheckSourceFiles(Converter& converter, const Text& folder,
                                               const std::vector<Text>& names);

}  // namespace tq
