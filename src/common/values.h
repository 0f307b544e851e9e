// The value forms the writers use: values of texts, number texts, depth and row position texts.
#pragma once

#include <cstdint>
#include <optional>

#include "common/text.h"

namespace tq {

// The number a text begins with, ignoring spaces, tabs and line feeds; 0 when it begins with
// none. Accepts a sign, digits with one point, an exponent (E or D), and &H / &O integers.
// Throws ConversionError when the number is too large for double precision.
double ValueOf(TextView text);

// Decimal text of a value rounded to 15 significant digits (7 for single precision), in
// exponent form when the decimal exponent is below -4 or above 14.
Text NumberText(double value);
Text SingleNumberText(float value);

// Number text of the value of a field: NumberText(ValueOf(field)).
Text NumberTextOf(TextView field);

// Empty when the trimmed field is empty, otherwise the number text of its value.
Text ValueCell(TextView field);

// Seven characters: the integer part right-aligned in 4 (last 4 kept), ".", two decimals cut.
Text DepthText(double value);
// DepthText(ValueOf(field)).
Text DepthTextOf(TextView field);

// A 1-based row number right-aligned in 4, last 4 characters kept.
Text RowPositionText(long row);

// How a numeric field's text reads as a value.
enum class NumberReading {
  kBlank,        // empty or spaces: an empty value
  kNotMeasured,  // only dashes, asterisks or slashes: the log's way of saying "not measured"
  kWhole,        // the whole text is one number
  kPrefix,       // only its beginning is a number; the rest is dropped
  kNone,         // no number at all: the value 0
};
NumberReading ReadNumberText(TextView text);

// Spaces around, a sign, digits with at most one point, an optional exponent; nothing else.
bool IsNumeric(TextView text);

// The single-precision value of a numeric text, otherwise 0.
double NumOrZero(TextView text);

// To the nearest whole number, halves to the even neighbour; nothing when outside -32768..32767.
std::optional<std::int16_t> RoundToInt16(double value);

// The value in single precision; nothing when it lies outside the single-precision range.
std::optional<float> ToSingle(double value);

}  // namespace tq
