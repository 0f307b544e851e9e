// Conversions of the program's texts: code page 932, UTF-8, trimming, width folding.
#include "common/text.h"

#include <algorithm>
#include <cstdint>

#include "common/cp932.h"

namespace tq {
namespace {

char32_t Escape(unsigned char byte) { return cp932::kEscapeBase + byte; }

bool IsEscape(char32_t c) { return c >= cp932::kEscapeBase + 0x80 && c <= cp932::kEscapeBase + 0xFF; }

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

// Length of the UTF-8 sequence starting at bytes[i], 0 when it is not a valid one.
std::size_t Utf8SequenceLength(std::string_view bytes, std::size_t i, char32_t& value) {
  unsigned char b = static_cast<unsigned char>(bytes[i]);
  std::size_t length = 0;
  char32_t min = 0;
  if (b >= 0xC2 && b <= 0xDF) {
    length = 2;
    value = b & 0x1F;
    min = 0x80;
  } else if (b >= 0xE0 && b <= 0xEF) {
    length = 3;
    value = b & 0x0F;
    min = 0x800;
  } else if (b >= 0xF0 && b <= 0xF4) {
    length = 4;
    value = b & 0x07;
    min = 0x10000;
  } else
    return 0;
  if (i + length > bytes.size()) return 0;
  for (std::size_t k = 1; k < length; ++k) {
    unsigned char t = static_cast<unsigned char>(bytes[i + k]);
    if ((t & 0xC0) != 0x80) return 0;
    value = (value << 6) | (t & 0x3F);
  }
  if (value < min || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return 0;
  return length;
}

// Half-width forms of the full-width katakana; voiced ones fold into two characters.
struct KanaFold {
  char32_t fullWidth;
  char32_t halfWidth;
  char32_t mark;  // U+FF9E voiced or U+FF9F semi-voiced sound mark, or 0
};

constexpr char32_t kVoiced = 0xFF9E;
constexpr char32_t kSemiVoiced = 0xFF9F;

constexpr KanaFold kKanaFolds[] = {
    {U'。', 0xFF61, 0},           {U'「', 0xFF62, 0},           {U'」', 0xFF63, 0},
    {U'、', 0xFF64, 0},           {U'・', 0xFF65, 0},           {U'ヲ', 0xFF66, 0},
    {U'ァ', 0xFF67, 0},           {U'ィ', 0xFF68, 0},           {U'ゥ', 0xFF69, 0},
    {U'ェ', 0xFF6A, 0},           {U'ォ', 0xFF6B, 0},           {U'ャ', 0xFF6C, 0},
    {U'ュ', 0xFF6D, 0},           {U'ョ', 0xFF6E, 0},           {U'ッ', 0xFF6F, 0},
    {U'ー', 0xFF70, 0},           {U'ア', 0xFF71, 0},           {U'イ', 0xFF72, 0},
    {U'ウ', 0xFF73, 0},           {U'エ', 0xFF74, 0},           {U'オ', 0xFF75, 0},
    {U'カ', 0xFF76, 0},           {U'キ', 0xFF77, 0},           {U'ク', 0xFF78, 0},
    {U'ケ', 0xFF79, 0},           {U'コ', 0xFF7A, 0},           {U'サ', 0xFF7B, 0},
    {U'シ', 0xFF7C, 0},           {U'ス', 0xFF7D, 0},           {U'セ', 0xFF7E, 0},
    {U'ソ', 0xFF7F, 0},           {U'タ', 0xFF80, 0},           {U'チ', 0xFF81, 0},
    {U'ツ', 0xFF82, 0},           {U'テ', 0xFF83, 0},           {U'ト', 0xFF84, 0},
    {U'ナ', 0xFF85, 0},           {U'ニ', 0xFF86, 0},           {U'ヌ', 0xFF87, 0},
    {U'ネ', 0xFF88, 0},           {U'ノ', 0xFF89, 0},           {U'ハ', 0xFF8A, 0},
    {U'ヒ', 0xFF8B, 0},           {U'フ', 0xFF8C, 0},           {U'ヘ', 0xFF8D, 0},
    {U'ホ', 0xFF8E, 0},           {U'マ', 0xFF8F, 0},           {U'ミ', 0xFF90, 0},
    {U'ム', 0xFF91, 0},           {U'メ', 0xFF92, 0},           {U'モ', 0xFF93, 0},
    {U'ヤ', 0xFF94, 0},           {U'ユ', 0xFF95, 0},           {U'ヨ', 0xFF96, 0},
    {U'ラ', 0xFF97, 0},           {U'リ', 0xFF98, 0},           {U'ル', 0xFF99, 0},
    {U'レ', 0xFF9A, 0},           {U'ロ', 0xFF9B, 0},           {U'ワ', 0xFF9C, 0},
    {U'ン', 0xFF9D, 0},           {U'゛', kVoiced, 0},          {U'゜', kSemiVoiced, 0},
    {U'ガ', 0xFF76, kVoiced},     {U'ギ', 0xFF77, kVoiced},     {U'グ', 0xFF78, kVoiced},
    {U'ゲ', 0xFF79, kVoiced},     {U'ゴ', 0xFF7A, kVoiced},     {U'ザ', 0xFF7B, kVoiced},
    {U'ジ', 0xFF7C, kVoiced},     {U'ズ', 0xFF7D, kVoiced},     {U'ゼ', 0xFF7E, kVoiced},
    {U'ゾ', 0xFF7F, kVoiced},     {U'ダ', 0xFF80, kVoiced},     {U'ヂ', 0xFF81, kVoiced},
    {U'ヅ', 0xFF82, kVoiced},     {U'デ', 0xFF83, kVoiced},     {U'ド', 0xFF84, kVoiced},
    {U'バ', 0xFF8A, kVoiced},     {U'ビ', 0xFF8B, kVoiced},     {U'ブ', 0xFF8C, kVoiced},
    {U'ベ', 0xFF8D, kVoiced},     {U'ボ', 0xFF8E, kVoiced},     {U'パ', 0xFF8A, kSemiVoiced},
    {U'ピ', 0xFF8B, kSemiVoiced}, {U'プ', 0xFF8C, kSemiVoiced}, {U'ペ', 0xFF8D, kSemiVoiced},
    {U'ポ', 0xFF8E, kSemiVoiced}, {U'ヴ', 0xFF73, kVoiced},
};

void AppendHalfWidth(Text& out, char32_t c) {
  if (c >= 0xFF01 && c <= 0xFF5E) {
    out += c - 0xFF01 + 0x21;
    return;
  }
  if (c == 0x3000) {
    out += U' ';
    return;
  }
  for (const KanaFold& fold : kKanaFolds) {
    if (fold.fullWidth != c) continue;
    out += fold.halfWidth;
    if (fold.mark != 0) out += fold.mark;
    return;
  }
  out += c;
}

}  // namespace

bool HoldsInvalidBytes(TextView text) { return std::any_of(text.begin(), text.end(), IsEscape); }

Text FromShiftJis(std::string_view bytes) {
  Text out;
  out.reserve(bytes.size());
  AppendFromShiftJis(bytes, out);
  return out;
}

void AppendFromShiftJis(std::string_view bytes, Text& out) {
  const cp932::TableView tables = cp932::View();
  // No byte makes more than one character, so the text is written into room made at once.
  std::size_t start = out.size();
  out.resize(start + bytes.size());
  char32_t* to = out.data() + start;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    unsigned char b = static_cast<unsigned char>(bytes[i]);
    if (b < 0x80) {
      *to++ = b;
      continue;
    }
    if (cp932::IsLeadByte(b) && i + 1 < bytes.size()) {
      char32_t pair = tables.Pair(b, static_cast<unsigned char>(bytes[i + 1]));
      if (pair != 0) {
        *to++ = pair;
        ++i;
        continue;
      }
    }
    char32_t single = cp932::IsLeadByte(b) ? 0 : tables.single[b];
    *to++ = single != 0 ? single : Escape(b);
  }
  out.resize(static_cast<std::size_t>(to - out.data()));
}

std::string ToShiftJis(TextView text) {
  std::string out;
  out.reserve(text.size() * 2);
  AppendShiftJis(text, out);
  return out;
}

void AppendShiftJis(TextView text, std::string& out) {
  const cp932::TableView tables = cp932::View();
  // The table gives at most two bytes a character, so the bytes are written into room made at
  // once; only a character beyond the table appends on its own.
  std::size_t end = out.size();
  out.resize(end + 2 * text.size());
  char* to = out.data() + end;
  for (std::size_t i = 0; i < text.size(); ++i) {
    char32_t c = text[i];
    if (c < 0x80) {
      *to++ = static_cast<char>(c);
      continue;
    }
    if (IsEscape(c)) {
      *to++ = static_cast<char>(c - cp932::kEscapeBase);
      continue;
    }
    if (std::uint32_t entry = c < 0x10000 ? tables.encode[c] : 0; entry != 0) {
      if ((entry >> 16) != 1) *to++ = static_cast<char>((entry >> 8) & 0xFF);
      *to++ = static_cast<char>(entry & 0xFF);
      continue;
    }
    out.resize(static_cast<std::size_t>(to - out.data()));
    if (!cp932::AppendEncoded(c, out)) out += '?';
    end = out.size();
    out.resize(end + 2 * (text.size() - i - 1));
    to = out.data() + end;
  }
  out.resize(static_cast<std::size_t>(to - out.data()));
}

Text FromUtf8(std::string_view bytes) {
  Text out;
  out.reserve(bytes.size());
  for (std::size_t i = 0; i < bytes.size();) {
    unsigned char b = static_cast<unsigned char>(bytes[i]);
    if (b < 0x80) {
      out += static_cast<char32_t>(b);
      ++i;
      continue;
    }
    char32_t value = 0;
    std::size_t length = Utf8SequenceLength(bytes, i, value);
    if (length == 0) {
      out += Escape(b);
      ++i;
      continue;
    }
    out += value;
    i += length;
  }
  return out;
}

std::string ToUtf8(TextView text) {
  std::string out;
  out.reserve(text.size());
  for (char32_t c : text) {
    if (IsEscape(c)) {
      out += static_cast<char>(c - cp932::kEscapeBase);
      continue;
    }
    if ((c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF) c = 0xFFFD;
    AppendUtf8(out, c);
  }
  return out;
}

Text TrimLeft(TextView text) {
  std::size_t start = text.find_first_not_of(U' ');
  if (start == TextView::npos) return {};
  return Text(text.substr(start));
}

Text TrimRight(TextView text) {
  std::size_t end = text.find_last_not_of(U' ');
  if (end == TextView::npos) return {};
  return Text(text.substr(0, end + 1));
}

TextView TrimmedView(TextView text) {
  std::size_t start = text.find_first_not_of(U' ');
  if (start == TextView::npos) return {};
  return text.substr(start, text.find_last_not_of(U' ') + 1 - start);
}

Text Trim(TextView text) { return Text(TrimmedView(text)); }

Text NormaliseKind(TextView text) {
  Text narrow;
  narrow.reserve(text.size());
  for (char32_t c : text) {
    // A record kind is nearly always one ASCII letter, which has no wider form to fold.
    if (c < 0x80) {
      narrow += c;
    } else {
      AppendHalfWidth(narrow, c);
    }
  }
  for (char32_t& c : narrow) {
    if (c >= U'a' && c <= U'z') c = c - U'a' + U'A';
  }
  return narrow;
}

Text Mid(TextView text, std::size_t start, std::size_t length) {
  if (start < 1 || start > text.size()) return {};
  return Text(text.substr(start - 1, length));
}

Text Left(TextView text, std::size_t length) { return Text(text.substr(0, length)); }

Text Right(TextView text, std::size_t length) {
  if (length >= text.size()) return Text(text);
  return Text(text.substr(text.size() - length));
}

bool StartsWith(TextView text, TextView prefix) { return text.substr(0, prefix.size()) == prefix; }

bool EndsWith(TextView text, TextView suffix) {
  return text.size() >= suffix.size() && text.substr(text.size() - suffix.size()) == suffix;
}

Text AsciiUpper(Text text) {
  for (char32_t& c : text) {
    if (c >= U'a' && c <= U'z') c -= U'a' - U'A';
  }
  return text;
}

std::int16_t ShiftJisByteLength(TextView text) { return static_cast<std::int16_t>(ToShiftJis(text).size()); }

std::size_t ShiftJisLength(char32_t c) {
  if (c < 0x80 || IsEscape(c)) return 1;
  static const cp932::TableView tables = cp932::View();
  if (std::uint32_t entry = c < 0x10000 ? tables.encode[c] : 0; entry != 0) return entry >> 16;
  std::size_t length = cp932::EncodedLength(c);
  return length == 0 ? 1 : length;
}

Text ShiftJisMid(TextView text, std::size_t start, std::size_t length) {
  std::string bytes = ToShiftJis(text);
  if (start < 1 || start > bytes.size()) return {};
  return FromShiftJis(std::string_view(bytes).substr(start - 1, length));
}

Text DecimalText(long long value) {
  std::string digits = std::to_string(value);
  return Text(digits.begin(), digits.end());
}

}  // namespace tq
