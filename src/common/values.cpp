// Value forms: the value of a text, number texts, depth texts and row position texts.
#include "common/values.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <iterator>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

#include "common/errors.h"

namespace tq {
namespace {

bool IsIgnoredInValue(char32_t c) { return c == U' ' || c == U'\t' || c == U'\n'; }
bool IsDigit(char32_t c) { return c >= U'0' && c <= U'9'; }
bool IsExponentLetter(char32_t c) { return c == U'E' || c == U'e' || c == U'D' || c == U'd'; }

// The characters of a text that take part in its value, spaces, tabs and line feeds dropped.
std::string ValueCharacters(TextView text) {
  std::string chars;
  chars.reserve(text.size());
  for (char32_t c : text) {
    if (IsIgnoredInValue(c)) continue;
    chars += c < 0x80 ? static_cast<char>(c) : '\x7F';
  }
  return chars;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// &H and &O integers take the 16-bit or 32-bit signed value of their bits, as the classic
// Basic number parser does (&HFFFF is -1); nothing when they do not fit 32 bits.
std::optional<double> RadixValue(const std::string& chars, std::size_t start, int radix) {
  unsigned long long value = 0;
  bool any = false;
  for (std::size_t i = start; i < chars.size(); ++i) {
    int digit = HexDigit(chars[i]);
    if (digit < 0 || digit >= radix) break;
    value = value * static_cast<unsigned>(radix) + static_cast<unsigned>(digit);
    any = true;
    if (value > 0xFFFFFFFFull) return std::nullopt;
  }
  if (!any) return 0.0;
  if (value <= 0xFFFF) return static_cast<double>(static_cast<std::int16_t>(static_cast<std::uint16_t>(value)));
  return static_cast<double>(static_cast<std::int32_t>(static_cast<std::uint32_t>(value)));
}

struct DecimalPrefix {
  std::string text;        // sign, mantissa and exponent in the form from_chars reads
  bool any = false;        // at least one mantissa digit
  std::size_t length = 0;  // characters of the value characters that the number takes
};

DecimalPrefix ScanDecimal(const std::string& chars) {
  DecimalPrefix prefix;
  std::size_t i = 0;
  if (i < chars.size() && (chars[i] == '+' || chars[i] == '-')) {
    if (chars[i] == '-') prefix.text += '-';
    ++i;
  }
  bool point = false;
  for (; i < chars.size(); ++i) {
    char c = chars[i];
    if (c >= '0' && c <= '9') {
      prefix.text += c;
      prefix.any = true;
    } else if (c == '.' && !point) {
      prefix.text += '.';
      point = true;
    } else {
      break;
    }
  }
  prefix.length = i;
  if (!prefix.any || i >= chars.size() || !IsExponentLetter(static_cast<unsigned char>(chars[i]))) return prefix;
  std::size_t j = i + 1;
  std::string exponent = "e";
  if (j < chars.size() && (chars[j] == '+' || chars[j] == '-')) exponent += chars[j++];
  std::size_t digitsStart = j;
  while (j < chars.size() && chars[j] >= '0' && chars[j] <= '9') exponent += chars[j++];
  if (j > digitsStart) {
    prefix.text += exponent;
    prefix.length = j;
  }
  return prefix;
}

// The value characters that an &H or &O integer takes, 0 when the text is none.
std::size_t RadixLength(const std::string& chars) {
  if (chars.size() < 2 || chars[0] != '&') return 0;
  int radix = (chars[1] == 'H' || chars[1] == 'h') ? 16 : (chars[1] == 'O' || chars[1] == 'o') ? 8 : 0;
  if (radix == 0) return 0;
  std::size_t i = 2;
  while (i < chars.size() && HexDigit(chars[i]) >= 0 && HexDigit(chars[i]) < radix) ++i;
  return i;
}

// Texts by which a log says that nothing was measured; their value 0 is what the author meant.
bool IsNotMeasuredMark(char32_t c) {
  constexpr TextView kMarks = U"-－―‐ー—*＊/／";
  return kMarks.find(c) != TextView::npos;
}

// Mantissa digits and decimal exponent of a non-zero finite value at the given precision, in
// fixed buffers: every value written goes through here.
struct Significand {
  bool negative = false;
  char digits[40] = {};  // without trailing zeros, at least one digit
  std::size_t count = 0;
  int exponent = 0;  // value = 0.d1d2d3... * 10^(exponent + 1)
};

Significand RoundToDigits(double value, int digits) {
  char text[64];
  const char* end = std::to_chars(text, text + sizeof text, value, std::chars_format::scientific, digits - 1).ptr;
  Significand s;
  const char* p = text;
  if (*p == '-') {
    s.negative = true;
    ++p;
  }
  const char* e = std::find(p, end, 'e');
  for (; p < e; ++p) {
    if (*p != '.') s.digits[s.count++] = *p;
  }
  const char* exponent = e + 1;
  if (exponent < end && *exponent == '+') ++exponent;
  std::from_chars(exponent, end, s.exponent);
  while (s.count > 1 && s.digits[s.count - 1] == '0') --s.count;
  return s;
}

// Characters of a number text built in a fixed buffer.
class NumberChars {
 public:
  void Add(char c) { chars_[size_++] = c; }
  void Add(const char* from, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) Add(from[i]);
  }
  void Zeros(std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) Add('0');
  }
  Text ToText() const { return Text(chars_, chars_ + size_); }

 private:
  char chars_[96];
  std::size_t size_ = 0;
};

// The text of a value that is the double nearest to a decimal of at most three places and 15
// digits, as nearly every depth and measurement of a log is; nothing for any other value. Such
// a decimal is exactly what rounding to 15 significant digits gives, so this is only quicker.
std::optional<Text> FewDecimalsText(double value) {
  constexpr double kScales[] = {1, 10, 100, 1000};
  constexpr double kLimit = 1e15;
  for (std::size_t places = 0; places < std::size(kScales); ++places) {
    double scaled = value * kScales[places];
    if (!(std::fabs(scaled) < kLimit) || std::nearbyint(scaled) != scaled || scaled / kScales[places] != value) continue;
    auto units = static_cast<long long>(std::fabs(scaled));
    auto scale = static_cast<long long>(kScales[places]);
    long long whole = units / scale;
    long long fraction = units % scale;
    NumberChars out;
    if (value < 0) out.Add('-');
    char digits[24];
    out.Add(digits, static_cast<std::size_t>(std::to_chars(digits, digits + sizeof digits, whole).ptr - digits));
    if (fraction != 0) {
      out.Add('.');
      for (std::size_t place = places; place > 0 && fraction != 0; --place) {
        long long unit = static_cast<long long>(kScales[place - 1]);
        out.Add(static_cast<char>('0' + fraction / unit));
        fraction %= unit;
      }
    }
    return out.ToText();
  }
  return std::nullopt;
}

Text FormatSignificant(double value, int digits) {
  if (std::isnan(value) || std::isinf(value)) throw ConversionError(U"数値が扱える範囲を超えています。");
  if (value == 0) return U"0";
  if (digits == 15) {
    if (std::optional<Text> text = FewDecimalsText(value)) return std::move(*text);
  }
  Significand s = RoundToDigits(value, digits);
  NumberChars out;
  if (s.negative) out.Add('-');
  if (s.exponent < -4 || s.exponent > 14) {
    out.Add(s.digits[0]);
    if (s.count > 1) {
      out.Add('.');
      out.Add(s.digits + 1, s.count - 1);
    }
    int magnitude = std::abs(s.exponent);
    out.Add(s.exponent < 0 ? "E-" : "E+", 2);
    if (magnitude < 10) out.Add('0');
    char exponent[8];
    out.Add(exponent,
            static_cast<std::size_t>(std::to_chars(exponent, exponent + sizeof exponent, magnitude).ptr - exponent));
    return out.ToText();
  }
  if (s.exponent < 0) {
    out.Add("0.", 2);
    out.Zeros(static_cast<std::size_t>(-s.exponent - 1));
    out.Add(s.digits, s.count);
    return out.ToText();
  }
  std::size_t integerDigits = static_cast<std::size_t>(s.exponent) + 1;
  if (s.count <= integerDigits) {
    out.Add(s.digits, s.count);
    out.Zeros(integerDigits - s.count);
  } else {
    out.Add(s.digits, integerDigits);
    out.Add('.');
    out.Add(s.digits + integerDigits, s.count - integerDigits);
  }
  return out.ToText();
}

// A plain decimal ("12", "-0.5"), as nearly every value of a log is, copied to chars; nothing
// for any other text, which the general reading takes.
struct PlainDecimal {
  char chars[32];
  std::size_t size = 0;
};

std::optional<PlainDecimal> AsPlainDecimal(TextView text) {
  PlainDecimal plain;
  if (text.empty() || text.size() >= sizeof plain.chars) return std::nullopt;
  bool digit = false;
  bool point = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    char32_t c = text[i];
    if (IsDigit(c)) {
      digit = true;
    } else if (c == U'.' && !point) {
      point = true;
    } else if (c != U'-' || i != 0) {
      return std::nullopt;
    }
    plain.chars[plain.size++] = static_cast<char>(c);
  }
  if (!digit) return std::nullopt;
  return plain;
}

// The number text of a plain decimal of at most 15 significant digits whose first digit stands
// between the places 10^-4 and 10^14, as nearly every value of a log is: the decimal itself,
// its leading and trailing zeros left out. Its double rounded to 15 digits gives back just
// these digits, so this is what NumberText(ValueOf(text)) gives, only without the two ways
// through a double. Nothing for any other text.
std::optional<Text> PlainNumberText(TextView text) {
  std::optional<PlainDecimal> plain = AsPlainDecimal(text);
  if (!plain) return std::nullopt;
  std::string_view chars(plain->chars, plain->size);
  bool negative = chars.front() == '-';
  if (negative) chars.remove_prefix(1);
  std::size_t point = chars.find('.');
  std::string_view whole = chars.substr(0, point);
  std::string_view fraction = point == std::string_view::npos ? std::string_view() : chars.substr(point + 1);
  while (!whole.empty() && whole.front() == '0') whole.remove_prefix(1);
  while (!fraction.empty() && fraction.back() == '0') fraction.remove_suffix(1);
  if (whole.empty() && fraction.empty()) return Text(U"0");
  std::size_t leadingZeros = whole.empty() ? fraction.find_first_not_of('0') : 0;
  std::size_t significant = whole.size() + fraction.size() - leadingZeros;
  if (significant > 15 || whole.size() > 15 || leadingZeros > 3) return std::nullopt;
  Text out;
  out.reserve(chars.size() + 2);
  if (negative) out += U'-';
  if (whole.empty()) out += U'0';
  for (char c : whole) out += static_cast<char32_t>(c);
  if (!fraction.empty()) out += U'.';
  for (char c : fraction) out += static_cast<char32_t>(c);
  return out;
}

// The seven characters of DepthText from the number text of the depth.
Text DepthTextOfNumber(TextView number) {
  // The whole part right-aligned in four places (only its last four kept), a point, and the
  // first two decimals padded with zeros.
  std::size_t point = number.find(U'.');
  TextView whole = number.substr(0, point);
  TextView decimals = point == TextView::npos ? TextView() : number.substr(point + 1);
  Text depth;
  depth.reserve(7);
  if (whole.size() < 4) depth.append(4 - whole.size(), U' ');
  depth.append(whole.substr(whole.size() > 4 ? whole.size() - 4 : 0));
  depth += U'.';
  for (std::size_t i = 0; i < 2; ++i) depth += i < decimals.size() ? decimals[i] : U'0';
  return depth;
}

}  // namespace

double ValueOf(TextView text) {
  if (std::optional<PlainDecimal> plain = AsPlainDecimal(text)) {
    double value = 0;
    const char* end = plain->chars + plain->size;
    auto result = std::from_chars(plain->chars, end, value, std::chars_format::general);
    if (result.ec == std::errc() && result.ptr == end) return value;
  }
  std::string chars = ValueCharacters(text);
  if (chars.size() >= 2 && chars[0] == '&') {
    int radix = (chars[1] == 'H' || chars[1] == 'h') ? 16 : (chars[1] == 'O' || chars[1] == 'o') ? 8 : 0;
    if (radix != 0) {
      std::optional<double> value = RadixValue(chars, 2, radix);
      if (!value) throw ConversionError(U"数値「" + Text(text) + U"」が大きすぎます。");
      return *value;
    }
  }
  DecimalPrefix prefix = ScanDecimal(chars);
  if (!prefix.any) return 0;
  double value = 0;
  const char* first = prefix.text.data();
  const char* last = first + prefix.text.size();
  auto result = std::from_chars(first, last, value, std::chars_format::general);
  if (result.ec == std::errc::result_out_of_range) {
    // from_chars leaves the value alone when it cannot be represented: decide between an
    // underflow (the value is 0) and an overflow (the number cannot be converted).
    double probe = std::strtod(prefix.text.c_str(), nullptr);
    if (std::isinf(probe)) throw ConversionError(U"数値「" + Text(text) + U"」が大きすぎます。");
    return 0;
  }
  return value;
}

Text NumberText(double value) { return FormatSignificant(value, 15); }

Text SingleNumberText(float value) { return FormatSignificant(static_cast<double>(value), 7); }

Text ValueCell(TextView field) {
  if (TrimmedView(field).empty()) return {};
  return NumberTextOf(field);
}

Text NumberTextOf(TextView field) {
  if (std::optional<Text> plain = PlainNumberText(field)) return std::move(*plain);
  return NumberText(ValueOf(field));
}

Text DepthText(double value) { return DepthTextOfNumber(NumberText(value)); }

Text DepthTextOf(TextView field) { return DepthTextOfNumber(NumberTextOf(field)); }

Text RowPositionText(long row) {
  char digits[24];
  std::string_view number(digits,
                          static_cast<std::size_t>(std::to_chars(digits, digits + sizeof digits, row).ptr - digits));
  if (number.size() > 4) number.remove_prefix(number.size() - 4);
  Text text(4 - number.size(), U' ');
  for (char c : number) text += static_cast<char32_t>(c);
  return text;
}

NumberReading ReadNumberText(TextView text) {
  TextView t = TrimmedView(text);
  if (t.empty()) return NumberReading::kBlank;
  if (AsPlainDecimal(t)) return NumberReading::kWhole;
  if (std::all_of(t.begin(), t.end(), IsNotMeasuredMark)) return NumberReading::kNotMeasured;
  std::string chars = ValueCharacters(t);
  std::size_t length = RadixLength(chars);
  if (length == 0) {
    DecimalPrefix prefix = ScanDecimal(chars);
    if (!prefix.any) return NumberReading::kNone;
    length = prefix.length;
  }
  return length == chars.size() ? NumberReading::kWhole : NumberReading::kPrefix;
}

bool IsNumeric(TextView text) {
  Text t = Trim(text);
  std::size_t i = 0;
  if (i < t.size() && (t[i] == U'+' || t[i] == U'-')) ++i;
  bool digits = false;
  bool point = false;
  for (; i < t.size(); ++i) {
    if (IsDigit(t[i])) {
      digits = true;
    } else if (t[i] == U'.' && !point) {
      point = true;
    } else {
      break;
    }
  }
  if (!digits) return false;
  if (i == t.size()) return true;
  if (!IsExponentLetter(t[i])) return false;
  ++i;
  if (i < t.size() && (t[i] == U'+' || t[i] == U'-')) ++i;
  std::size_t exponentStart = i;
  while (i < t.size() && IsDigit(t[i])) ++i;
  return i > exponentStart && i == t.size();
}

double NumOrZero(TextView text) {
  if (!IsNumeric(text)) return 0;
  double value = ValueOf(text);
  std::optional<float> single = ToSingle(value);
  if (!single) throw ConversionError(U"数値「" + Trim(text) + U"」が単精度の範囲を超えています。");
  return static_cast<double>(*single);
}

std::optional<std::int16_t> RoundToInt16(double value) {
  if (std::isnan(value)) return std::nullopt;
  double rounded = std::nearbyint(value);
  if (rounded < -32768.0 || rounded > 32767.0) return std::nullopt;
  return static_cast<std::int16_t>(rounded);
}

std::optional<float> ToSingle(double value) {
  if (std::isnan(value)) return std::nullopt;
  if (std::fabs(value) > static_cast<double>(std::numeric_limits<float>::max())) return std::nullopt;
  return static_cast<float>(value);
}

}  // namespace tq
