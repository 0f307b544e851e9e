// Folder and name joining.
#include "platform/paths.h"

namespace tq {

Text WithBackslash(const Text& folder) { return EndsWith(folder, U"\\") ? folder : folder + U"\\"; }

Text JoinPath(const Text& folder, const Text& name) { return WithBackslash(folder) + name; }

}  // namespace tq
