// The command line's contact with its console: its arguments, its messages, its terminal.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace tq {

// The arguments after the program's name, in UTF-8 (on Windows read as UTF-16 from the
// command line itself, so that names outside the ANSI code page arrive whole).
std::vector<std::string> CommandLineArguments(int argc, char** argv);

// Writes a UTF-8 message: as it is on POSIX; on Windows as UTF-16 to a console and in code page
// 932 to a redirected stream or file, which is what a Japanese Windows user's editor reads.
void Print(std::FILE* stream, std::string_view utf8);

// Whether a standard stream is a terminal (a console on Windows) that a person reads and types at.
bool IsTerminal(std::FILE* stream);

// How folders are written on this system, and where the setting file is, for the usage text.
extern const char kFolderHelp[];
extern const char kSettingFileHelp[];

}  // namespace tq
