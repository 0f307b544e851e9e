// The failure that stops the conversion of one source file: what went wrong, and where.
#pragma once

#include <stdexcept>

#include "common/text.h"

namespace tq {

// Thrown by readers, writers and value forms when a source file cannot be converted faithfully
// (a file that ends too early, a count outside its range, an output that cannot be written).
// The run adds the source file and, when the failure lies in it, the line.
class ConversionError : public std::runtime_error {
 public:
  explicit ConversionError(Text cause, long line = 0)
      : std::runtime_error(ToUtf8(cause)), cause_(std::move(cause)), line_(line) {}

  const Text& Cause() const { return cause_; }
  // 1-based line of the source file the failure lies in, 0 when it lies elsewhere.
  long Line() const { return line_; }

 private:
  Text cause_;
  long line_;
};

}  // namespace tq
