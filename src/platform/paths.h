// Building Windows paths from a folder and a name.
#pragma once

#include "common/text.h"

namespace tq {

// The folder with a backslash at its end, added unless it is there already.
Text WithBackslash(const Text& folder);

// A name inside a folder: one backslash between them, whether or not the folder ends with one
// (a drive root such as "C:\" does).
Text JoinPath(const Text& folder, const Text& name);

}  // namespace tq
