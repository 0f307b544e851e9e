// The machine a batch benchmark ran on, for the figures to be read against.
#include "batch/machine.h"

#include <unistd.h>

#include <fstream>
#include <sstream>

namespace bench {
namespace {

std::string CpuModel() {
  std::ifstream cpuinfo("/proc/cpuinfo");
  std::string line;
  while (std::getline(cpuinfo, line)) {
    if (line.rfind("model name", 0) != 0) continue;
    std::size_t colon = line.find(':');
    return colon == std::string::npos ? line : line.substr(line.find_first_not_of(' ', colon + 1));
  }
  return "unknown";
}

bool Holds(const std::string& mountPoint, const std::string& path) {
  if (path.rfind(mountPoint, 0) != 0) return false;
  return mountPoint == "/" || path.size() == mountPoint.size() || path[mountPoint.size()] == '/';
}

// The mount with the longest mount point that holds the folder.
std::string FileSystemOf(const std::filesystem::path& folder) {
  std::string path = std::filesystem::weakly_canonical(folder).string();
  std::ifstream mounts("/proc/self/mounts");
  std::string line;
  std::string best = "unknown";
  std::size_t bestLength = 0;
  while (std::getline(mounts, line)) {
    std::istringstream fields(line);
    std::string device, mountPoint, type;
    fields >> device >> mountPoint >> type;
    if (!Holds(mountPoint, path) || mountPoint.size() < bestLength) continue;
    best = type + " on " + mountPoint;
    bestLength = mountPoint.size();
  }
  return best;
}

std::string LoadAverage() {
  std::ifstream loadavg("/proc/loadavg");
  std::string one, five, fifteen;
  loadavg >> one >> five >> fifteen;
  return one + " " + five + " " + fifteen;
}

}  // namespace

Machine DescribeMachine(const std::filesystem::path& scratch) {
  return {::sysconf(_SC_NPROCESSORS_ONLN), CpuModel(), FileSystemOf(scratch), LoadAverage()};
}

}  // namespace bench
