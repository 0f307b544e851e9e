// A boring folder's files, each written at its commit.
#include "platform/boring_files.h"

#include "platform/paths.h"

namespace tq {

Text BoringFiles::PathOf(const Text& name) const { return JoinPath(folder_, name); }

void BoringFiles::Commit(const Text& name, const std::string& bytes) { ReplaceFileContents(files_, PathOf(name), bytes); }

}  // namespace tq
