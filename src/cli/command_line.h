// The command line read into what to do: a subcommand with its options and arguments.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tq {

enum class Command { kNone, kHelp, kVersion, kConvert, kCheck, kList, kSetup };

struct CommandLine {
  Command command = Command::kNone;
  std::string helpTopic;  // with kHelp: the subcommand whose usage was asked for, or empty
  std::optional<std::string> patternFolder;
  std::optional<std::string> lockWait;  // seconds, as typed
  bool yes = false;
  bool json = false;                   // check, convert: one JSON object on stdout
  bool quiet = false;                  // convert: errors only
  bool why = false;                    // list: every file, with why it is not offered
  std::vector<std::string> arguments;  // the subcommand's arguments after its options
  std::string usageError;              // set when the command line cannot be read
};

// args: the arguments after the program's name, in UTF-8.
CommandLine ParseCommandLine(std::vector<std::string> args);

}  // namespace tq
