// The names of the temporary files through which outputs are put in place.
#pragma once

#include <string>

namespace tq {

// How many names a writer tries before it gives up.
inline constexpr int kTemporaryAttempts = 100;

// A hidden name next to the target, unique per process and attempt: a run killed while
// writing leaves its temporary file behind, and a later process may get the same id, so a
// writer whose name is taken tries the next attempt's name rather than reusing it.
std::string TemporaryName(const std::string& nativeTarget, unsigned long processId, int attempt);

}  // namespace tq
