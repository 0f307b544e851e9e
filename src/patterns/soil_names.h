// Which soil names may become rows of the shared soil pattern tables.
#pragma once

#include "common/text.h"

namespace tq {

inline constexpr std::size_t kLongestSoilName = 256;  // characters, without surrounding spaces

// Throws ConversionError (with the given source line) for a soil name that cannot be one row of
// the soil pattern tables: one holding a line break, one longer than kLongestSoilName, or one
// that is not valid code page 932 or that reads as Japanese in UTF-8 (a file saved as UTF-8).
// A blank name passes; it is never looked up.
void CheckSoilName(TextView name, long line);

}  // namespace tq
