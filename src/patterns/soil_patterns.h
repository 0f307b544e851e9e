// The soil pattern tables: soil names to four-digit pattern codes, learning new names.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "common/text.h"
#include "patterns/pattern_data.h"
#include "platform/file_lock.h"

namespace tq {

// Gives code the pattern code of the soil name (without its surrounding spaces) from
// KISHITU.TXT or, failing that, from XKISHITU.TXT; a name in neither table gets the next code
// from 1000 up, inserted into XKISHITU.TXT before its first line of code 4000 or more. A name
// not yet in KISHITU.TXT is appended to it and PATADD.txt is created in the program folder (a
// marker that cannot be created is a warning to the pattern data's sink). A blank name leaves
// code as it is and touches no file.
//
// Converters that share the pattern data folder take turns through its lock file KISHITU.LCK,
// waiting at most the pattern data's lock wait, so no learned name is lost and no code is given
// twice. Throws ConversionError when the name cannot be a table row (see CheckSoilName), the
// lock cannot be had in time, a table is cut short or cannot be written, or no code below 4000
// is left.
//
// When the pattern data only looks, the code comes from either table without the lock and
// nothing is written; a name in neither table leaves code as it is.
void MapSoilNameToPattern(PatternData& patterns, const Text& soilName, Text& code);

// The lookups of MapSoilNameToPattern for the layers of one boring: the lock is taken at the
// first name that is not blank and held until Finish (or destruction), so a boring's layers pay
// for the lock, and for the check that the tables are as last read, once rather than per layer.
// Other converters wait meanwhile, as they would for one name. The names a boring teaches the
// tables are written at Finish, still under the lock, each table once however many there are.
class SoilPatternLookup {
 public:
  explicit SoilPatternLookup(PatternData& patterns);
  ~SoilPatternLookup();
  SoilPatternLookup(const SoilPatternLookup&) = delete;
  SoilPatternLookup& operator=(const SoilPatternLookup&) = delete;

  void Map(const Text& soilName, Text& code);
  // Writes the rows learned, lets go of the lock and, when a name was learned, creates the
  // pattern-added marker. Throws ConversionError, the lock let go, when a table cannot be written.
  void Finish();

 private:
  const CachedTable& Table(const CachedTable*& table, const Text& path);
  void Forget(const CachedTable*& table, const Text& path);
  // The row a name gets in the tables; the first change waits for the borings going into place.
  std::vector<Text> Learn(const Text& name);
  void WriteLearnedRows();
  void Release();

  PatternData& patterns_;
  FileLock lock_;
  const CachedTable* soil_ = nullptr;  // the tables as checked under the lock now held
  const CachedTable* extended_ = nullptr;
  bool locked_ = false;
  bool learned_ = false;
  // What the names learned under the lock now held make of the tables, until Finish writes it.
  std::optional<std::string> extendedBytes_;  // XKISHITU.TXT with its new rows
  std::optional<std::string> soilBytes_;      // KISHITU.TXT as read before its new rows
  std::string soilRows_;                      // the rows to add to KISHITU.TXT, in code page 932
  std::map<Text, Text> learnedCodes_;         // name -> code given under this lock
};
// Where a soil name (without its surrounding spaces) stands in the soil pattern tables, read
// without the lock and without writing anything.
enum class SoilNamePlace {
  kSoilTable,     // in KISHITU.TXT: its code is used as it is
  kExtendedOnly,  // only in XKISHITU.TXT: a lookup appends it to KISHITU.TXT
  kNowhere,       // in neither: a lookup gives it a new code in both tables
};
SoilNamePlace LookUpSoilName(PatternData& patterns, const Text& name);

}  // namespace tq
