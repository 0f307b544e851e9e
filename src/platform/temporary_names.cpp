// Temporary names with their owner, and the removal of those whose process is gone.
#include "platform/temporary_names.h"

#include "platform/native_files.h"

namespace tq {
namespace {

bool AllDigits(const std::string& text) {
  return !text.empty() && text.size() < 10 && text.find_first_not_of("0123456789") == std::string::npos;
}

}  // namespace

const std::string& HostName() {
  static const std::string name = native::HostName();
  return name;
}

std::string TemporaryName(const std::string& target, int attempt) {
  std::string name = "." + target + ".tmp" + std::to_string(native::ProcessId());
  if (attempt > 0) name += "-" + std::to_string(attempt);
  return name + "@" + HostName();
}

std::string TemporaryPathBeside(const std::string& target, const std::string& suffix, int attempt) {
  std::size_t separator = target.find_last_of("/\\");
  std::size_t nameStart = separator == std::string::npos ? 0 : separator + 1;
  return target.substr(0, nameStart) + TemporaryName(target.substr(nameStart) + suffix, attempt);
}

std::optional<TemporaryOwner> OwnerOfTemporary(const std::string& name) {
  std::size_t at = name.rfind('@');
  std::size_t tmp = name.rfind(".tmp", at);
  if (name.empty() || name[0] != '.' || at == std::string::npos || tmp == std::string::npos || tmp == 0) return {};
  std::string id = name.substr(tmp + 4, at - tmp - 4);
  std::string pid = id.substr(0, id.find('-'));
  std::string attempt = id.find('-') == std::string::npos ? "0" : id.substr(id.find('-') + 1);
  if (!AllDigits(pid) || !AllDigits(attempt) || at + 1 == name.size()) return {};
  return TemporaryOwner{std::stoul(pid), name.substr(at + 1)};
}

void RemoveStaleTemporaries(const std::string& nativeFolder) {
  for (const native::Entry& entry : native::List(nativeFolder)) {
    std::optional<TemporaryOwner> owner = OwnerOfTemporary(entry.name);
    if (!owner || owner->host != HostName() || !native::ProcessIsGone(owner->pid)) continue;
    native::RemoveTree(native::Join(nativeFolder, entry.name));
  }
}

}  // namespace tq
