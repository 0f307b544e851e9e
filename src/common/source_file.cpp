// Field and line reading of source files.
#include "common/source_file.h"

#include <algorithm>

#include "common/errors.h"
#include "common/values.h"

namespace tq {

SourceFile::SourceFile(std::string bytes) : bytes_(std::move(bytes)) {
  // Files from old DOS tools may end with an end-of-file mark; it is no data.
  if (!bytes_.empty() && bytes_.back() == '\x1A') bytes_.pop_back();
}

void SourceFile::RequireMore() const {
  if (!AtEnd()) return;
  throw ConversionError(
      U"ファイルが途中で終わっています（読むべきデータがもうありません）。"
      U"見出しの件数と実際のデータ行の数が合っているか確認してください。",
      lastLine_ == 0 ? 1 : lastLine_);
}

bool SourceFile::AtLineEnd() const { return pos_ < bytes_.size() && (bytes_[pos_] == '\r' || bytes_[pos_] == '\n'); }

void SourceFile::ConsumeLineEnd() {
  if (bytes_[pos_] == '\r' && pos_ + 1 < bytes_.size() && bytes_[pos_ + 1] == '\n') ++pos_;
  ++pos_;
  ++line_;
}

std::string_view SourceFile::NextFieldBytes() {
  RequireMore();
  while (pos_ < bytes_.size() && bytes_[pos_] == ' ') ++pos_;
  lastLine_ = line_;
  std::string_view field;
  if (pos_ < bytes_.size() && bytes_[pos_] == '"') {
    std::size_t close = bytes_.find('"', pos_ + 1);
    std::size_t end = close == std::string::npos ? bytes_.size() : close;
    field = std::string_view(bytes_).substr(pos_ + 1, end - pos_ - 1);
    // Nearly no field holds a line end, so the count starts only at the first one.
    std::size_t lineEnd = field.find('\n');
    if (lineEnd != std::string_view::npos)
      line_ += static_cast<long>(std::count(field.begin() + static_cast<std::ptrdiff_t>(lineEnd), field.end(), '\n'));
    pos_ = close == std::string::npos ? bytes_.size() : close + 1;
    // Anything between the closing quote and the delimiter is no part of the field.
    while (pos_ < bytes_.size() && bytes_[pos_] != ',' && !AtLineEnd()) ++pos_;
  } else {
    std::size_t start = pos_;
    while (pos_ < bytes_.size() && bytes_[pos_] != ',' && !AtLineEnd()) ++pos_;
    field = std::string_view(bytes_).substr(start, pos_ - start);
    while (!field.empty() && field.back() == ' ') field.remove_suffix(1);
  }
  lastEndedLine_ = true;
  if (pos_ < bytes_.size() && bytes_[pos_] == ',') {
    ++pos_;
    lastEndedLine_ = false;
  } else if (AtLineEnd()) {
    ConsumeLineEnd();
  }
  return field;
}

Text SourceFile::ReadField() { return FromShiftJis(NextFieldBytes()); }

void SourceFile::AppendField(Text& out) { AppendFromShiftJis(NextFieldBytes(), out); }

Text SourceFile::ReadLine() {
  RequireMore();
  lastLine_ = line_;
  std::size_t start = pos_;
  while (pos_ < bytes_.size() && !AtLineEnd()) ++pos_;
  std::string_view line = std::string_view(bytes_).substr(start, pos_ - start);
  lastEndedLine_ = true;
  if (AtLineEnd()) ConsumeLineEnd();
  return FromShiftJis(line);
}

Text SourceFile::PeekLine() const {
  std::size_t end = pos_;
  while (end < bytes_.size() && bytes_[end] != '\r' && bytes_[end] != '\n') ++end;
  return FromShiftJis(
      std::string_view(bytes_).substr(std::min(pos_, bytes_.size()), end - std::min(pos_, bytes_.size())));
}

void SourceFile::SkipFields(int count) {
  for (int i = 0; i < count; ++i) NextFieldBytes();
}

void SourceFile::SkipBlankLines() {
  if (pos_ > 0 && bytes_[pos_ - 1] != '\r' && bytes_[pos_ - 1] != '\n') return;
  for (;;) {
    std::size_t next = bytes_.find_first_not_of(' ', pos_);
    if (next == std::string::npos) next = bytes_.size();
    if (next < bytes_.size() && bytes_[next] != '\r' && bytes_[next] != '\n') return;
    pos_ = next;
    if (AtEnd()) return;
    ConsumeLineEnd();
  }
}

SourceFile::LineMark SourceFile::MarkLineStart() const {
  if (pos_ == 0) return {0, line_};
  std::size_t lineEnd = bytes_.find_last_of("\r\n", pos_ - 1);
  return {lineEnd == std::string::npos ? 0 : lineEnd + 1, line_};
}

void SourceFile::ReturnTo(const LineMark& mark) {
  pos_ = mark.pos;
  line_ = mark.line;
  lastLine_ = 0;
  lastEndedLine_ = false;
}

}  // namespace tq

namespace tq {

std::int16_t SectionCount(double value, TextView text, long line) {
  std::optional<std::int16_t> count = RoundToInt16(value);
  if (count && *count >= 0) return *count;
  throw ConversionError(U"件数「" + Trim(text) + U"」が正しくありません。0 から 32767 までの数でなければなりません。",
                        line);
}

std::int16_t ReadSectionCount(SourceFile& file) {
  Text text = file.ReadField();
  double value = 0;
  try {
    value = ValueOf(text);
  } catch (const ConversionError& error) {
    throw ConversionError(error.Cause(), file.LastLine());
  }
  return SectionCount(value, text, file.LastLine());
}

}  // namespace tq
