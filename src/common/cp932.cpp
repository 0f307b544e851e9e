// Code page 932 tables, built once from the system's converter (iconv, or Win32 on Windows).
#include "common/cp932.h"

#include <array>
#include <cstdint>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <iconv.h>
#endif

namespace tq::cp932 {
namespace {

// The bytes that can follow a lead byte.
constexpr int kFirstTrail = 0x40;
constexpr int kLastTrail = 0xFC;

// One character through the system converter: bytes to a BMP code point, 0 when invalid.
class SystemConverter {
 public:
  // The code points of the pairs lead + trail, for trail from kFirstTrail up, one conversion a pair.
  void PairsOneByOne(unsigned char lead, char32_t* out) const {
    for (int trail = kFirstTrail; trail <= kLastTrail; ++trail) {
      char bytes[2] = {static_cast<char>(lead), static_cast<char>(trail)};
      out[trail - kFirstTrail] = ToUnicode(bytes, 2);
    }
  }
#ifdef _WIN32
  char32_t ToUnicode(const char* bytes, int length) const {
    wchar_t out[2] = {};
    int n = MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, bytes, length, out, 2);
    return n == 1 ? static_cast<char32_t>(out[0]) : 0;
  }
  void PairsOfLead(unsigned char lead, char32_t* out) const { PairsOneByOne(lead, out); }
  std::string FromUnicode(char32_t codePoint) const {
    if (codePoint > 0xFFFF) return {};
    wchar_t in = static_cast<wchar_t>(codePoint);
    char out[4] = {};
    BOOL usedDefault = FALSE;
    int n = WideCharToMultiByte(932, 0, &in, 1, out, 4, nullptr, &usedDefault);
    if (n <= 0 || usedDefault) return {};
    return std::string(out, static_cast<std::size_t>(n));
  }
#else
  SystemConverter() : toUnicode_(iconv_open("UTF-32LE", "CP932")), fromUnicode_(iconv_open("CP932", "UTF-32LE")) {}
  ~SystemConverter() {
    if (toUnicode_ != kInvalid) iconv_close(toUnicode_);
    if (fromUnicode_ != kInvalid) iconv_close(fromUnicode_);
  }
  SystemConverter(const SystemConverter&) = delete;
  SystemConverter& operator=(const SystemConverter&) = delete;

  char32_t ToUnicode(const char* bytes, int length) const {
    unsigned char out[8] = {};
    std::size_t produced =
        Convert(toUnicode_, bytes, static_cast<std::size_t>(length), reinterpret_cast<char*>(out), sizeof out);
    if (produced != 4) return 0;
    return static_cast<char32_t>(out[0] | (out[1] << 8) | (out[2] << 16) | (out[3] << 24));
  }
  // PairsOneByOne in one conversion, which passes over the pairs that are none.
  void PairsOfLead(unsigned char lead, char32_t* out) const {
    constexpr int kPairs = kLastTrail - kFirstTrail + 1;
    char in[2 * kPairs];
    for (int k = 0; k < kPairs; ++k) {
      in[2 * k] = static_cast<char>(lead);
      in[2 * k + 1] = static_cast<char>(kFirstTrail + k);
    }
    unsigned char produced[4 * kPairs];
    int pair = 0;
    while (pair < kPairs) {
      iconv(toUnicode_, nullptr, nullptr, nullptr, nullptr);
      char* inPtr = in + 2 * pair;
      std::size_t inLeft = static_cast<std::size_t>(2 * (kPairs - pair));
      char* outPtr = reinterpret_cast<char*>(produced);
      std::size_t outLeft = sizeof produced;
      bool stopped = iconv(toUnicode_, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1);
      std::size_t consumed = static_cast<std::size_t>(inPtr - (in + 2 * pair));
      std::size_t written = sizeof produced - outLeft;
      // Each pair is one character of four bytes, or the positions would not tell which is which.
      if (consumed % 2 != 0 || written != 2 * consumed) return PairsOneByOne(lead, out);
      for (std::size_t k = 0; k < consumed / 2; ++k) {
        const unsigned char* c = produced + 4 * k;
        out[pair++] = static_cast<char32_t>(c[0] | (c[1] << 8) | (c[2] << 16) | (c[3] << 24));
      }
      if (!stopped) break;
      out[pair++] = 0;  // the pair the conversion stopped at is none
    }
  }
  std::string FromUnicode(char32_t codePoint) const {
    unsigned char in[4] = {
        static_cast<unsigned char>(codePoint & 0xFF), static_cast<unsigned char>((codePoint >> 8) & 0xFF),
        static_cast<unsigned char>((codePoint >> 16) & 0xFF), static_cast<unsigned char>((codePoint >> 24) & 0xFF)};
    char out[8] = {};
    std::size_t produced = Convert(fromUnicode_, reinterpret_cast<const char*>(in), 4, out, sizeof out);
    if (produced == 0 || produced > 2) return {};
    return std::string(out, produced);
  }

 private:
  static inline const iconv_t kInvalid = reinterpret_cast<iconv_t>(static_cast<std::intptr_t>(-1));

  // Bytes produced for one complete input, 0 when the input was not converted whole.
  static std::size_t Convert(iconv_t cd, const char* in, std::size_t inLength, char* out, std::size_t outSize) {
    if (cd == kInvalid) return 0;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    char* inPtr = const_cast<char*>(in);
    char* outPtr = out;
    std::size_t inLeft = inLength;
    std::size_t outLeft = outSize;
    if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1)) return 0;
    if (inLeft != 0) return 0;
    return outSize - outLeft;
  }

  iconv_t toUnicode_;
  iconv_t fromUnicode_;
#endif
};

const SystemConverter& Converter() {
  static const SystemConverter converter;
  return converter;
}

constexpr int kTrailCount = 256;

// Lead byte groups in the order in which their characters are preferred when one code point
// has several byte forms: JIS X 0208 rows, then NEC row 13, then the IBM extensions, then the
// NEC-selected IBM extensions, then everything else.
bool InRange(int b, int lo, int hi) { return b >= lo && b <= hi; }

// ASCII and half-width katakana. Windows reads 0x80, 0xA0 and 0xFD to 0xFF as best-fit
// characters where other converters refuse them; they are no characters here, so that they
// survive reading and writing unchanged on every system.
bool IsSingleByteCharacter(int b) { return b <= 0x7F || InRange(b, 0xA1, 0xDF); }
int LeadPreference(int lead) {
  if (InRange(lead, 0x81, 0x84) || InRange(lead, 0x88, 0x9F) || InRange(lead, 0xE0, 0xEA)) return 0;
  if (lead == 0x87) return 1;
  if (InRange(lead, 0xFA, 0xFC)) return 2;
  if (InRange(lead, 0xED, 0xEE)) return 3;
  return 4;
}

struct Tables {
  std::array<char32_t, 256> single{};
  std::vector<char32_t> pairs = std::vector<char32_t>(256 * kTrailCount, 0);
  // Code point to bytes: 0 = none, otherwise (byte count << 16) | bytes.
  std::vector<std::uint32_t> encode = std::vector<std::uint32_t>(0x10000, 0);

  Tables() {
    const SystemConverter& conv = Converter();
    for (int b = 0; b < 256; ++b) {
      if (!IsSingleByteCharacter(b)) continue;
      char byte = static_cast<char>(b);
      single[b] = b == 0 ? 0 : conv.ToUnicode(&byte, 1);
      if (single[b] != 0 && single[b] < 0x10000) encode[single[b]] = (1u << 16) | static_cast<unsigned>(b);
    }
    encode[0] = 1u << 16;
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
      if (!IsLeadByte(static_cast<unsigned char>(lead))) continue;
      conv.PairsOfLead(static_cast<unsigned char>(lead), &pairs[lead * kTrailCount + kFirstTrail]);
    }
    for (int preference = 0; preference <= 4; ++preference) {
      for (int lead = 0x81; lead <= 0xFC; ++lead) {
        if (!IsLeadByte(static_cast<unsigned char>(lead)) || LeadPreference(lead) != preference) continue;
        for (int trail = kFirstTrail; trail <= kLastTrail; ++trail) {
          char32_t cp = pairs[lead * kTrailCount + trail];
          if (cp == 0 || cp >= 0x10000 || encode[cp] != 0) continue;
          encode[cp] = (2u << 16) | static_cast<unsigned>(lead << 8 | trail);
        }
      }
    }
  }
};

const Tables& GetTables() {
  static const Tables tables;
  return tables;
}

}  // namespace

TableView View() {
  const Tables& tables = GetTables();
  return {tables.single.data(), tables.pairs.data(), tables.encode.data()};
}

std::string Encode(char32_t codePoint) {
  std::string bytes;
  AppendEncoded(codePoint, bytes);
  return bytes;
}

bool AppendEncoded(char32_t codePoint, std::string& out) {
  if (codePoint < 0x10000) {
    std::uint32_t entry = GetTables().encode[codePoint];
    if (entry != 0) {
      if ((entry >> 16) != 1) out += static_cast<char>((entry >> 8) & 0xFF);
      out += static_cast<char>(entry & 0xFF);
      return true;
    }
  }
  // Best-fit forms the converter knows beyond the table (such as U+00A5 for 0x5C).
  std::string bestFit = Converter().FromUnicode(codePoint);
  out += bestFit;
  return !bestFit.empty();
}

std::size_t EncodedLength(char32_t codePoint) {
  if (codePoint < 0x10000) {
    std::uint32_t entry = GetTables().encode[codePoint];
    if (entry != 0) return (entry >> 16) == 1 ? 1 : 2;
  }
  return Encode(codePoint).size();
}

}  // namespace tq::cp932
