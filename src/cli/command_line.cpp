// Reading the command line with CLI11; its own texts are replaced by the program's Japanese ones.
#include "cli/command_line.h"

#include <CLI/CLI.hpp>
#include <algorithm>

namespace tq {
namespace {

// A subcommand whose help flag and arguments are the program's own, so that its usage text
// and its errors stay Japanese.
CLI::App* AddSubcommand(CLI::App& app, const std::string& name, CommandLine& line, bool& help) {
  CLI::App* sub = app.add_subcommand(name);
  sub->set_help_flag();
  sub->add_flag("-h,--help", help);
  sub->add_option("arguments", line.arguments);
  sub->allow_extras();
  return sub;
}

CLI::Option* AddPatternFolder(CLI::App& sub, std::string& value) {
  return sub.add_option("--pattern-folder", value)->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
}

// CLI11 names the option first in the message of a missing value: "--pattern-folder: 1 required ...".
std::string OptionOf(const CLI::ParseError& error) {
  std::string message = error.what();
  return message.substr(0, message.find(':'));
}

std::string UnexpectedArgument(const std::vector<std::string>& extras, bool atTop) {
  const std::string& first = extras.front();
  if (atTop && (first.empty() || first[0] != '-')) return "知らないコマンドです: " + first;
  return "知らないオプション、または値のないオプションです: " + first;
}

// The program's options and subcommands as CLI11 apps; the values land in line and the flags.
struct Grammar {
  Grammar() {
    app.set_help_flag();
    app.add_flag("-h,--help", help);
    app.add_flag("--version", version);
    app.allow_extras();
    app.require_subcommand(0, 1);  // so that a folder named "list" stays a folder
    convert = AddSubcommand(app, "convert", line, subcommandHelp);
    convertFolder = AddPatternFolder(*convert, patternFolder);
    convert->add_flag("-y,--yes", line.yes);
    convertLockWait =
        convert->add_option("--lock-wait", lockWait)->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
    convert->add_flag("--json", line.json);
    convert->add_flag("-q,--quiet", line.quiet);
    check = AddSubcommand(app, "check", line, subcommandHelp);
    checkFolder = AddPatternFolder(*check, patternFolder);
    check->add_flag("--json", line.json);
    list = AddSubcommand(app, "list", line, subcommandHelp);
    list->add_flag("--why", line.why);
    setup = AddSubcommand(app, "setup", line, subcommandHelp);
    setupFolder = AddPatternFolder(*setup, patternFolder);
    helpCommand = AddSubcommand(app, "help", line, subcommandHelp);
  }

  // What to do once the arguments are parsed.
  void Choose() {
    if (convertFolder->count() > 0 || setupFolder->count() > 0 || checkFolder->count() > 0) {
      line.patternFolder = patternFolder;
    }
    if (convertLockWait->count() > 0) line.lockWait = lockWait;
    if (help || version) {
      line.command = help ? Command::kHelp : Command::kVersion;
      return;
    }
    const std::pair<CLI::App*, Command> commands[] = {
        {convert, Command::kConvert}, {check, Command::kCheck}, {list, Command::kList}, {setup, Command::kSetup}};
    for (const auto& [sub, command] : commands) {
      if (!sub->parsed()) continue;
      line.command = subcommandHelp ? Command::kHelp : command;
      if (subcommandHelp) line.helpTopic = sub->get_name();
    }
    if (!helpCommand->parsed()) return;
    line.command = Command::kHelp;
    if (!line.arguments.empty()) line.helpTopic = line.arguments.front();
  }

  CommandLine line;
  bool help = false;
  bool version = false;
  bool subcommandHelp = false;
  std::string patternFolder;
  std::string lockWait;
  CLI::App app{"tecris2quillo", "tecris2quillo"};
  CLI::App* convert = nullptr;
  CLI::App* check = nullptr;
  CLI::App* list = nullptr;
  CLI::App* setup = nullptr;
  CLI::App* helpCommand = nullptr;
  CLI::Option* convertFolder = nullptr;
  CLI::Option* setupFolder = nullptr;
  CLI::Option* checkFolder = nullptr;
  CLI::Option* convertLockWait = nullptr;
};

}  // namespace

CommandLine ParseCommandLine(std::vector<std::string> args) {
  Grammar grammar;
  CommandLine& line = grammar.line;

  // CLI11 hands what follows "--" back to the parent command once a subcommand has its first
  // argument, so the arguments after it are taken here.
  auto optionsEnd = std::find(args.begin(), args.end(), "--");
  std::vector<std::string> afterOptions(optionsEnd == args.end() ? optionsEnd : optionsEnd + 1, args.end());
  args.erase(optionsEnd, args.end());
  std::reverse(args.begin(), args.end());  // CLI11 takes its arguments from the back

  try {
    grammar.app.parse(args);
  } catch (const CLI::ParseError& error) {
    line.usageError = "値のないオプションです: " + OptionOf(error);
    return line;
  }
  bool subcommandGiven = !grammar.app.get_subcommands().empty();
  if (std::vector<std::string> extras = grammar.app.remaining(true); !extras.empty()) {
    line.usageError = UnexpectedArgument(extras, !subcommandGiven);
    return line;
  }
  if (!afterOptions.empty() && !subcommandGiven) {
    line.usageError = UnexpectedArgument(afterOptions, true);
    return line;
  }
  line.arguments.insert(line.arguments.end(), afterOptions.begin(), afterOptions.end());
  grammar.Choose();
  return line;
}

}  // namespace tq
