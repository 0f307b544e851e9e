// The Japanese user-interface fonts both windows look for.
#pragma once

namespace tq {

// The classic window was drawn in a 9-point Japanese UI font; these come closest, in order.
inline constexpr const char* kJapaneseUiFontFamilies[] = {
    "MS UI Gothic", "Meiryo UI",  "Yu Gothic UI", "Noto Sans CJK JP", "Noto Sans JP", "Source Han Sans JP",
    "IPAexGothic",  "IPAPGothic", "IPAGothic",    "TakaoPGothic",     "VL PGothic",   "VL Gothic",
};
inline constexpr int kJapaneseUiFontPoints = 9;

}  // namespace tq
