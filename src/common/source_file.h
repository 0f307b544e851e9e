// Reading a source file: fields, lines and the end test, with the line of every field read.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "common/text.h"

namespace tq {

// A whole TECRIS boring data file (or a lookup table of the pattern data folder) held in
// memory and read field by field. Fields and lines are delivered as Unicode texts.
//
// Field reading: spaces before a field are skipped; a field that begins with a double quote
// runs to the next double quote and loses both (commas and line ends inside stay); any other
// field runs to the next comma or line end and loses its trailing spaces. The comma or line
// end after a field is consumed, so fields flow from one record into the next. An empty line
// is one empty field. Reading when the end test is true throws ConversionError.
class SourceFile {
 public:
  explicit SourceFile(std::string bytes);

  Text ReadField();
  // Reads a field and appends its text to out.
  void AppendField(Text& out);
  Text ReadLine();
  // Reads a field and drops it.
  void SkipFields(int count);
  // At the beginning of a line, passes over lines that hold nothing but spaces; elsewhere does
  // nothing. For tables that are read row by row.
  void SkipBlankLines();
  bool AtEnd() const { return pos_ >= bytes_.size(); }
  // The rest of the current line, read without moving on; empty at the end.
  Text PeekLine() const;
  // 1-based line on which the next read begins.
  long NextLine() const { return line_; }

  // 1-based line on which the last field or line read began (0 before any read).
  long LastLine() const { return lastLine_; }
  // Whether the last field read was ended by a line end (or by the end of the file) rather
  // than by a comma.
  bool LastFieldEndedLine() const { return lastEndedLine_; }

  // A place to read from again: the beginning of the line that the next read starts on.
  struct LineMark {
    std::size_t pos = 0;
    long line = 1;
  };
  LineMark MarkLineStart() const;
  void ReturnTo(const LineMark& mark);

 private:
  void RequireMore() const;
  // Reads a field: its bytes, quotes and trailing spaces taken off, as a view of the file.
  std::string_view NextFieldBytes();
  void ConsumeLineEnd();
  bool AtLineEnd() const;

  std::string bytes_;
  std::size_t pos_ = 0;
  long line_ = 1;
  long lastLine_ = 0;
  bool lastEndedLine_ = false;
};

}  // namespace tq

namespace tq {

// A section's row count from the value of its text, rounded to the nearest whole number with
// halves to the even neighbour. A count that is negative or does not fit 16 bits throws
// ConversionError naming the line.
std::int16_t SectionCount(double value, TextView text, long line);

// Reads the count field of a section header and returns its count (from the value of the text).
std::int16_t ReadSectionCount(SourceFile& file);

}  // namespace tq
