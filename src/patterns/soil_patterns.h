// The soil pattern tables: soil names to four-digit pattern codes, learning new names.
#pragma once

#include <chrono>

#include "common/text.h"

namespace tq {

// Gives code the pattern code of the soil name (without its surrounding spaces) from
// KISHITU.TXT or, failing that, from XKISHITU.TXT; a name in neither table gets the next code
// from 1000 up, inserted into XKISHITU.TXT before its first line of code 4000 or more. A name
// not yet in KISHITU.TXT is appended to it and PATADD.txt is created in the program folder
// (a marker that cannot be created is reported as a warning). A blank name leaves code as it
// is and touches no file.
//
// Converters that share the pattern data folder take turns through its lock file KISHITU.LCK,
// so no learned name is lost and no code is given twice. Throws ConversionError when the lock
// cannot be had in time, a table is cut short or cannot be written, or no code below 4000 is
// left.
void MapSoilNameToPattern(const Text& soilName, Text& code);

// How long a lookup waits for another converter's lock; 30 seconds unless changed.
void SetPatternLockWait(std::chrono::milliseconds wait);

}  // namespace tq
