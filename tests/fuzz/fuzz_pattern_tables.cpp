// Fuzz target: soil name lookups and the L4.TXT reading over fuzzed pattern tables.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "common/errors.h"
#include "fuzz_support.h"
#include "patterns/lookup_tables.h"
#include "patterns/soil_patterns.h"

namespace {

using namespace tq;

// The input is KISHITU.TXT, XKISHITU.TXT and L4.TXT, separated by NUL bytes.
std::string_view NextPart(std::string_view& input) {
  std::size_t nul = input.find('\0');
  std::string_view part = input.substr(0, nul);
  input = nul == std::string_view::npos ? std::string_view() : input.substr(nul + 1);
  return part;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const fuzz::ScratchDrive drive;
  std::string_view input(reinterpret_cast<const char*>(data), size);
  for (const char* name : {"KISHITU.TXT", "XKISHITU.TXT", "L4.TXT"}) drive.Write(std::string("pat/") + name, std::string(NextPart(input)));
  drive.Write("prog/.keep", "");

  FileSystem files = drive.Files();
  PatternData patterns(files, U"F:\\prog");
  patterns.SetFolder(U"F:\\pat\\");
  // A name in the example tables, a new one, and one with a comma that must be quoted.
  for (const Text& name : {Text(U"砂"), Text(U"新しい土"), Text(U"砂,礫"), Text(U"砂")}) {
    try {
      Text code;
      MapSoilNameToPattern(patterns, name, code);
    } catch (const ConversionError&) {
      // Broken tables are refused with a message, which is what they should be.
    }
  }
  try {
    L4Table l4 = ReadL4Table(patterns);
    for (const L4Row& row : l4.rows) (void)L4Code(l4, row);
  } catch (const ConversionError&) {
  }
  return 0;
}
