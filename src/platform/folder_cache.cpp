// Folders found once and listed at most once per run.
#include "platform/folder_cache.h"

#include "platform/native_files.h"

namespace tq {
namespace {

bool IsAsciiLetter(char32_t c) { return (c >= U'a' && c <= U'z') || (c >= U'A' && c <= U'Z'); }

bool HasAsciiLetter(const Text& name) {
  for (char32_t c : name) {
    if (IsAsciiLetter(c)) return true;
  }
  return false;
}

}  // namespace

bool FolderCache::Active() const {
  std::lock_guard guard(mutex_.Get());
  return depth_ > 0;
}

void FolderCache::Begin() {
  std::lock_guard guard(mutex_.Get());
  ++depth_;
}

void FolderCache::End() {
  std::lock_guard guard(mutex_.Get());
  if (depth_ == 0 || --depth_ > 0) return;
  found_.clear();
  listings_.clear();
  knownPaths_.clear();
}

std::optional<std::string> FolderCache::KnownPath(const Text& drivePath) const {
  std::lock_guard guard(mutex_.Get());
  auto known = knownPaths_.find(drivePath);
  if (known == knownPaths_.end()) return std::nullopt;
  return known->second;
}

void FolderCache::NoteKnownPath(const Text& drivePath, const std::string& nativePath) {
  // Every source file and boring folder of a batch passes through here once or twice, so the
  // paths are forgotten now and then: the few used again and again are soon known again, and a
  // batch of any length keeps little.
  constexpr std::size_t kMostKnownPaths = 2048;
  std::lock_guard guard(mutex_.Get());
  if (depth_ == 0) return;
  if (knownPaths_.size() >= kMostKnownPaths) knownPaths_.clear();
  knownPaths_.insert_or_assign(drivePath, nativePath);
}

std::string FolderCache::Resolve(const std::string& folder, const Text& name, bool& settled) {
  std::string exact = native::Join(folder, ToUtf8(name));
  settled = true;
  // Without a letter no other name can differ from it only in case, so there is nothing to ask.
  if (!HasAsciiLetter(name)) return exact;
  std::lock_guard guard(mutex_.Get());
  auto known = found_.find(exact);
  if (known != found_.end()) return known->second;
  bool exists = false;
  std::string found = Find(folder, name, exact, exists);
  // An entry that is missing now may be created later in the run, so only found ones are kept.
  if (exists) found_.emplace(exact, found);
  settled = exists;
  return found;
}

std::string FolderCache::Find(const std::string& folder, const Text& name, const std::string& exact, bool& exists) {
  exists = native::EntryExists(exact);
  if (exists) return exact;
  const FoldedNames& names = Listing(folder);
  auto entry = names.find(AsciiUpper(name));
  if (entry == names.end()) return exact;
  std::string candidate = native::Join(folder, entry->second);
  // The run may have removed it since the folder was listed.
  if (!native::EntryExists(candidate)) return exact;
  exists = true;
  return candidate;
}

const FolderCache::FoldedNames& FolderCache::Listing(const std::string& folder) {
  auto listed = listings_.find(folder);
  if (listed != listings_.end()) return listed->second;
  FoldedNames names;
  for (const native::Entry& entry : native::List(folder)) names.try_emplace(AsciiUpper(FromUtf8(entry.name)), entry.name);
  return listings_.emplace(folder, std::move(names)).first->second;
}

void FolderCache::NoteCreated(const std::string& nativePath) {
  std::lock_guard guard(mutex_.Get());
  if (depth_ == 0) return;
  std::size_t separator = nativePath.find_last_of("/\\");
  if (separator == std::string::npos) return;
  std::string folder = nativePath.substr(0, separator == 0 ? 1 : separator);
  auto listed = listings_.find(folder);
  if (listed == listings_.end()) return;
  std::string name = nativePath.substr(separator + 1);
  listed->second.try_emplace(AsciiUpper(FromUtf8(name)), name);
}

}  // namespace tq
