// The program's text type and the conversions between it, code page 932 and UTF-8.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tq {

// Texts are sequences of Unicode code points, so lengths and positions count characters.
// A byte that is not valid code page 932 is carried as the code point U+DC00 + byte, so it
// survives reading and writing unchanged.
using Text = std::u32string;
using TextView = std::u32string_view;

Text FromShiftJis(std::string_view bytes);
// Appends the text of bytes to out.
void AppendFromShiftJis(std::string_view bytes, Text& out);
std::string ToShiftJis(TextView text);
// Appends the code page 932 form of text to out.
void AppendShiftJis(TextView text, std::string& out);

// UTF-8 for the terminal and for native file names; invalid UTF-8 bytes are carried like
// invalid code page 932 bytes.
Text FromUtf8(std::string_view bytes);
std::string ToUtf8(TextView text);

// Whether a text carries bytes that its conversion could not read as characters.
bool HoldsInvalidBytes(TextView text);

// Leading and trailing half-width spaces removed.
Text Trim(TextView text);
// The same without a copy; it views the text it is given.
TextView TrimmedView(TextView text);
Text TrimLeft(TextView text);
Text TrimRight(TextView text);

// Full-width characters folded to half-width, then upper-cased; nothing is trimmed.
Text NormaliseKind(TextView text);

// Characters start .. start + length - 1 (1-based), fewer when the text ends first.
Text Mid(TextView text, std::size_t start, std::size_t length = Text::npos);
Text Left(TextView text, std::size_t length);
Text Right(TextView text, std::size_t length);

bool StartsWith(TextView text, TextView prefix);
bool EndsWith(TextView text, TextView suffix);
// The text with a to z in upper case, as names compare on a system that ignores case.
Text AsciiUpper(Text text);

// Byte length and byte-position substring of a text's code page 932 form.
std::int16_t ShiftJisByteLength(TextView text);
// The bytes of one character in code page 932 ("?" for one it cannot hold).
std::size_t ShiftJisLength(char32_t c);
Text ShiftJisMid(TextView text, std::size_t start, std::size_t length = std::string::npos);

// Decimal digits of a whole number, for messages.
Text DecimalText(long long value);

}  // namespace tq
