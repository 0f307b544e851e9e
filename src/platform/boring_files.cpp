// A boring folder's files, each written at its commit or all together once the source is converted.
#include "platform/boring_files.h"

#include <utility>

#include "platform/paths.h"

namespace tq {

Text BoringFiles::PathOf(const Text& name) const { return JoinPath(folder_, name); }

const std::string* BoringFiles::Kept(const Text& name) const {
  for (const auto& [keptName, bytes] : kept_) {
    if (keptName == name) return &bytes;
  }
  return nullptr;
}

void BoringFiles::Commit(const Text& name, std::string bytes) {
  if (mode_ == Mode::kEachFile) return ReplaceFileContents(files_, PathOf(name), bytes);
  for (auto& [keptName, keptBytes] : kept_) {
    if (keptName == name) {
      keptBytes = std::move(bytes);
      return;
    }
  }
  kept_.emplace_back(name, std::move(bytes));
}

void BoringFiles::CommitAll() {
  if (mode_ == Mode::kLookOnly) return;
  CommitBoringFolder(files_, folder_, kept_);
  kept_.clear();
}

bool BoringFiles::IsPlainFile(const Text& name) const {
  if (Kept(name)) return true;
  return mode_ != Mode::kLookOnly && files_.IsPlainFile(PathOf(name));
}

std::optional<std::string> BoringFiles::Read(const Text& name) const {
  if (const std::string* bytes = Kept(name)) return *bytes;
  if (mode_ == Mode::kLookOnly) return std::nullopt;
  return files_.ReadFile(PathOf(name));
}

std::size_t BoringFiles::KeptBytes() const {
  std::size_t bytes = 0;
  for (const auto& kept : kept_) bytes += kept.second.size();
  return bytes;
}

std::vector<Text> BoringFiles::KeptNames() const {
  std::vector<Text> names;
  for (const auto& kept : kept_) names.push_back(kept.first);
  return names;
}

}  // namespace tq
