// Telling code page 932 from UTF-8 and UTF-16 by the bytes alone.
#include "common/encoding_check.h"

#include <algorithm>

#include "common/cp932.h"

namespace tq {
namespace {

bool StartsWith(const std::string& bytes, std::string_view prefix) {
  return bytes.compare(0, prefix.size(), prefix) == 0;
}

std::optional<Text> ByteOrderMark(const std::string& bytes) {
  if (StartsWith(bytes, "\xEF\xBB\xBF")) return U"UTF-8 のバイト順マーク（BOM）";
  if (StartsWith(bytes, "\xFF\xFE") || StartsWith(bytes, "\xFE\xFF")) return U"UTF-16 のバイト順マーク（BOM）";
  return std::nullopt;
}

// The length of the UTF-8 sequence at i, or 0 when none begins there.
std::size_t Utf8SequenceAt(const std::string& bytes, std::size_t i) {
  auto byte = [&bytes](std::size_t k) { return static_cast<unsigned char>(bytes[k]); };
  unsigned char b = byte(i);
  std::size_t length = b < 0x80                   ? 1
                       : (b >= 0xC2 && b <= 0xDF) ? 2
                       : (b >= 0xE0 && b <= 0xEF) ? 3
                       : (b >= 0xF0 && b <= 0xF4) ? 4
                                                  : 0;
  if (length == 0 || i + length > bytes.size()) return 0;
  for (std::size_t k = 1; k < length; ++k) {
    if ((byte(i + k) & 0xC0) != 0x80) return 0;
  }
  return length;
}

// Valid UTF-8 with at least one character beyond ASCII.
bool IsUtf8BeyondAscii(const std::string& bytes) {
  bool beyond = false;
  for (std::size_t i = 0; i < bytes.size();) {
    std::size_t length = Utf8SequenceAt(bytes, i);
    if (length == 0) return false;
    beyond = beyond || length > 1;
    i += length;
  }
  return beyond;
}

// The length of the code page 932 character at i, or 0 when the bytes there are none.
std::size_t Cp932CharacterAt(const cp932::TableView& tables, const std::string& bytes, std::size_t i) {
  auto lead = static_cast<unsigned char>(bytes[i]);
  if (!cp932::IsLeadByte(lead)) return tables.single[lead] != 0 ? 1 : 0;
  if (i + 1 >= bytes.size()) return 0;
  return tables.Pair(lead, static_cast<unsigned char>(bytes[i + 1])) != 0 ? 2 : 0;
}

std::vector<long> LinesWithInvalidBytes(const std::string& bytes) {
  const cp932::TableView tables = cp932::View();
  std::vector<long> lines;
  // Lines are counted only up to an invalid byte, which few files have.
  long line = 1;
  auto counted = bytes.begin();
  for (std::size_t i = 0; i < bytes.size();) {
    // Most bytes of a log are ASCII, which code page 932 takes as it is (all but NUL).
    if (auto b = static_cast<unsigned char>(bytes[i]); b != 0 && b < 0x80) {
      ++i;
      continue;
    }
    std::size_t length = Cp932CharacterAt(tables, bytes, i);
    if (length == 0) {
      auto here = bytes.begin() + static_cast<std::ptrdiff_t>(i);
      line += static_cast<long>(std::count(counted, here, '\n'));
      counted = here;
      if (lines.empty() || lines.back() != line) lines.push_back(line);
    }
    i += length == 0 ? 1 : length;
  }
  return lines;
}

}  // namespace

EncodingCheck CheckEncoding(const std::string& bytes) {
  EncodingCheck check;
  check.otherEncoding = ByteOrderMark(bytes);
  if (check.otherEncoding) return check;
  check.linesWithInvalidBytes = LinesWithInvalidBytes(bytes);
  if (!check.linesWithInvalidBytes.empty() && IsUtf8BeyondAscii(bytes)) {
    check.otherEncoding = U"UTF-8 の文字";
    check.linesWithInvalidBytes.clear();
  }
  return check;
}

}  // namespace tq
