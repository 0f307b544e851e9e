// The soil name checks made before a name reaches the soil pattern tables.
#include "patterns/soil_names.h"

#include <algorithm>

#include "common/errors.h"

namespace tq {
namespace {

bool IsJapanese(char32_t c) { return (c >= 0x3000 && c <= 0x9FFF) || (c >= 0xFF00 && c <= 0xFFEF); }

// Japanese written in UTF-8 often reads as code page 932 too, as other characters: its bytes
// then also read as UTF-8 that holds Japanese, which names written in code page 932 almost
// never do.
bool LooksLikeUtf8(TextView name) {
  Text utf8 = FromUtf8(ToShiftJis(name));
  return !HoldsInvalidBytes(utf8) && std::any_of(utf8.begin(), utf8.end(), IsJapanese);
}

Text NotShiftJisCause(bool utf8) {
  return Text(U"土質名が Shift-JIS（コードページ 932）の文字として読めません。") +
         (utf8 ? U"このファイルは Shift-JIS ではなく UTF-8 で保存されているようです。"
               : U"このファイルは Shift-JIS で保存されていないようです。") +
         U"Shift-JIS で保存し直してから変換してください。土質パターン表は変更していません。";
}

}  // namespace

void CheckSoilName(TextView name, long line) {
  std::size_t first = name.find_first_not_of(U' ');
  if (first == TextView::npos) return;
  std::size_t length = name.find_last_not_of(U' ') + 1 - first;
  if (length > kLongestSoilName) {
    throw ConversionError(U"土質名が長すぎます（" + DecimalText(static_cast<long long>(length)) + U" 文字）。土質名は " +
                              DecimalText(kLongestSoilName) + U" 文字まででなければなりません。土質パターン表は変更していません。",
                          line);
  }
  bool utf8 = LooksLikeUtf8(name);
  if (utf8 || HoldsInvalidBytes(name)) throw ConversionError(NotShiftJisCause(utf8), line);
  if (name.find_first_of(U"\r\n") != TextView::npos) {
    throw ConversionError(U"土質名に改行が含まれています。土質名は土質パターン表の 1 行に収まらなければなりません。"
                          U"土質パターン表は変更していません。",
                          line);
  }
}

}  // namespace tq
