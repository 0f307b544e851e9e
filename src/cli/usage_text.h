// The usage texts that --help prints: the whole program's and each subcommand's.
#pragma once

#include <string>

namespace tq {

// The usage of a subcommand ("convert", "list", "setup"), or of the whole program for an
// empty topic; the empty text for a topic that is no subcommand.
std::string UsageText(const std::string& topic);

}  // namespace tq
