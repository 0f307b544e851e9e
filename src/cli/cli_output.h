// The command line's exit statuses and its one way of printing a message to stderr.
#pragma once

#include <cstdio>
#include <string>

#include "cli/console.h"

namespace tq {

inline constexpr int kExitCompleted = 0;
inline constexpr int kExitStopped = 1;
inline constexpr int kExitUsage = 2;
inline constexpr int kExitRefused = 3;
inline constexpr int kExitFailed = 4;

inline void PrintError(const std::string& message) { Print(stderr, "tecris2quillo: " + message + "\n"); }

}  // namespace tq
