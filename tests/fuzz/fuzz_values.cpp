// Fuzz target: the value forms of a fuzzed field, and the code page 932 round trip of its text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "common/errors.h"
#include "common/text.h"
#include "common/values.h"
#include "sections/section_d_x100a.h"
#include "sections/section_values.h"

namespace {

using namespace tq;

void ValueForms(const Text& field) {
  try {
    double value = ValueOf(field);
    (void)NumberText(value);
    (void)DepthText(value);
    (void)ValueCell(field);
    (void)SingleValueOf(field);
    (void)ExponentNumberText(field);
    (void)IsNumeric(field);
    (void)RoundToInt16(NumOrZero(field));
  } catch (const ConversionError&) {
    // A value beyond the number range is refused with a message, which is what it should do.
  }
}

void TextForms(const Text& text) {
  (void)NormaliseKind(text);
  (void)Trim(text);
  (void)ShiftJisByteLength(text);
  (void)ShiftJisMid(text, 2, 5);
  (void)Mid(text, 26, 3);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const Text text = FromShiftJis(bytes);
  // Every character written reads back as itself. Characters with two codes (the NEC-selected
  // IBM extensions) are written with one of them, so bytes need not come back the same; and a
  // byte that was no character may pair with the next one once that is written anew, so texts
  // that hold such bytes are left out.
  if (!HoldsInvalidBytes(text) && FromShiftJis(ToShiftJis(text)) != text) std::abort();
  ValueForms(text);
  TextForms(text);
  return 0;
}
