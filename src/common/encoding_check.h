// Whether a source file's bytes are the code page 932 text the converter reads.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "common/text.h"

namespace tq {

struct EncodingCheck {
  // Why the file is text in another encoding (a byte order mark, or UTF-8 that code page 932
  // cannot read); nothing when it may be code page 932.
  std::optional<Text> otherEncoding;
  // The 1-based lines that hold bytes which are no character of code page 932.
  std::vector<long> linesWithInvalidBytes;
};

EncodingCheck CheckEncoding(const std::string& bytes);

}  // namespace tq
