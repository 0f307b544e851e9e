// Code page 932 (Microsoft's Shift-JIS) tables: decoding and encoding single characters.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace tq::cp932 {

inline constexpr char32_t kEscapeBase = 0xDC00;  // U+DC80..U+DCFF carry invalid bytes

inline bool IsLeadByte(unsigned char byte) { return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC); }

// The tables themselves, for loops that look up every character of a text: one call fetches
// them, and each look-up after that is a plain read.
struct TableView {
  const char32_t* single;       // byte -> code point, 0 when the byte is no character by itself
  const char32_t* pairs;        // lead * 256 + trail -> code point, 0 when the pair is none
  const std::uint32_t* encode;  // code point below 0x10000 -> 0, or (byte count << 16) | bytes

  char32_t Pair(unsigned char lead, unsigned char trail) const { return pairs[lead * 256 + trail]; }
};
TableView View();

// The code page 932 bytes of a code point (one or two), or an empty string when the code
// point has no form in code page 932.
std::string Encode(char32_t codePoint);
// Appends the bytes of Encode to out; false, appending nothing, when there are none.
bool AppendEncoded(char32_t codePoint, std::string& out);
// The number of bytes of Encode, without building them where the table knows the character.
std::size_t EncodedLength(char32_t codePoint);

}  // namespace tq::cp932
