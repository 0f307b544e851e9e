// Hidden temporary names that say which process on which host made them, and their removal
// once that process is gone.
#pragma once

#include <optional>
#include <string>

namespace tq {

// This machine's name, as other machines sharing a folder see it in temporary names.
const std::string& HostName();

// The temporary name for a file or folder named target, made by this process: "." + target +
// ".tmp" + process id, "-" + attempt after the first attempt, then "@" + host name.
std::string TemporaryName(const std::string& target, int attempt = 0);

// The native path of a temporary beside the native path target, named after target's name
// with suffix appended.
std::string TemporaryPathBeside(const std::string& target, const std::string& suffix = "", int attempt = 0);

struct TemporaryOwner {
  unsigned long pid = 0;
  std::string host;
};
// Who made a temporary name; nothing for any other name.
std::optional<TemporaryOwner> OwnerOfTemporary(const std::string& name);

// Removes from a native folder the temporary files and folders whose process has ended on this
// host. Those of other hosts, and of processes still running, are left alone. The caller must
// make sure no process of this host is about to reuse a dead one's name (by holding a lock).
void RemoveStaleTemporaries(const std::string& nativeFolder);

}  // namespace tq
