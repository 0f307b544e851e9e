// Temporary names with their owner, and the removal of those whose process is gone.
#include "platform/temporary_names.h"

#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <filesystem>
#include <system_error>

namespace tq {
namespace fs = std::filesystem;
namespace {

bool AllDigits(const std::string& text) {
  return !text.empty() && text.size() < 10 && text.find_first_not_of("0123456789") == std::string::npos;
}

bool ProcessIsGone(long pid) { return pid > 0 && ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH; }

}  // namespace

const std::string& HostName() {
  static const std::string name = [] {
    char buffer[HOST_NAME_MAX + 1] = {};
    if (::gethostname(buffer, sizeof buffer - 1) != 0 || buffer[0] == '\0') return std::string("localhost");
    return std::string(buffer);
  }();
  return name;
}

std::string TemporaryName(const std::string& target, int attempt) {
  std::string name = "." + target + ".tmp" + std::to_string(::getpid());
  if (attempt > 0) name += "-" + std::to_string(attempt);
  return name + "@" + HostName();
}

std::optional<TemporaryOwner> OwnerOfTemporary(const std::string& name) {
  std::size_t at = name.rfind('@');
  std::size_t tmp = name.rfind(".tmp", at);
  if (name.empty() || name[0] != '.' || at == std::string::npos || tmp == std::string::npos || tmp == 0) return {};
  std::string id = name.substr(tmp + 4, at - tmp - 4);
  std::string pid = id.substr(0, id.find('-'));
  std::string attempt = id.find('-') == std::string::npos ? "0" : id.substr(id.find('-') + 1);
  if (!AllDigits(pid) || !AllDigits(attempt) || at + 1 == name.size()) return {};
  return TemporaryOwner{std::stol(pid), name.substr(at + 1)};
}

void RemoveStaleTemporaries(const std::string& nativeFolder) {
  std::error_code ec;
  for (fs::directory_iterator it(nativeFolder, ec), end; !ec && it != end; it.increment(ec)) {
    std::optional<TemporaryOwner> owner = OwnerOfTemporary(it->path().filename().string());
    if (!owner || owner->host != HostName() || !ProcessIsGone(owner->pid)) continue;
    std::error_code removeError;
    fs::remove_all(it->path(), removeError);
  }
}

}  // namespace tq
