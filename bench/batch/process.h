// Child processes of the batch benchmark: run to the end or to a deadline, with wall time and peak memory.
#pragma once

#include <chrono>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace bench {

struct ChildRun {
  int exitCode = -1;       // -1 when the child ended by a signal or was killed at its deadline
  bool timedOut = false;
  double seconds = 0;      // wall clock, from just before the fork to the child's end
  double cpuSeconds = 0;   // user and system time: less swayed than the wall clock by other load
  long peakKilobytes = 0;  // the child's maximum resident set size
};

struct ChildSetup {
  std::vector<std::string> arguments;  // the program's path first
  std::filesystem::path output;        // receives standard output
  std::filesystem::path errors;        // receives standard error
  std::map<std::string, std::string> environment;  // set on top of this process's environment
  std::chrono::seconds deadline{600};
};

// Runs a program with standard input from /dev/null and waits for it; kills it at the deadline.
ChildRun RunChild(const ChildSetup& setup);

}  // namespace bench
