// The machine a batch benchmark ran on, for the figures to be read against.
#pragma once

#include <filesystem>
#include <string>

namespace bench {

struct Machine {
  long cores = 0;
  std::string cpuModel;
  std::string fileSystem;   // type and mount point of the file system holding the scratch folder
  std::string loadAverage;  // the 1, 5 and 15 minute load when the benchmark started
};

Machine DescribeMachine(const std::filesystem::path& scratch);

}  // namespace bench
