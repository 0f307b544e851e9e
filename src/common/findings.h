// Findings: places where a source file probably does not say what its author meant.
#pragma once

#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "common/text.h"

namespace tq {

enum class Severity {
  kError,    // the conversion of the file stops
  kWarning,  // converted, but the output probably differs from what the author meant
  kInfo,
};

// Something found in a source file, with where it stands.
struct Finding {
  Text file;
  long line = 0;  // 1-based; 0 when it lies in no particular line
  Severity severity = Severity::kError;
  std::string code;
  Text message;
};

// The stable codes of the findings, as a user or a script looks them up.
namespace finding_code {
inline constexpr char kNotANumber[] = "not-a-number";
inline constexpr char kNumberPrefix[] = "number-prefix";
inline constexpr char kRecordSplit[] = "record-split";
inline constexpr char kExtraFields[] = "extra-fields";
inline constexpr char kSectionPassedOver[] = "section-passed-over";
inline constexpr char kKindSkipped[] = "kind-skipped";
inline constexpr char kCountBelowRows[] = "count-below-rows";
inline constexpr char kCountAboveRows[] = "count-above-rows";
inline constexpr char kCountReadsZero[] = "count-reads-zero";
inline constexpr char kDepthCut[] = "depth-cut";
inline constexpr char kTitleCut[] = "title-cut";
inline constexpr char kTitleLength[] = "title-length";
inline constexpr char kNotShiftJis[] = "not-shift-jis";
inline constexpr char kInvalidByte[] = "invalid-byte";
inline constexpr char kIdentifierDiffers[] = "identifier-differs";
inline constexpr char kIdentifierRepeated[] = "identifier-repeated";
inline constexpr char kStaleOutput[] = "stale-output";
inline constexpr char kSoilNameLearned[] = "soil-name-learned";
inline constexpr char kFileRefused[] = "file-refused";
inline constexpr char kFileStopped[] = "file-stopped";
}  // namespace finding_code

// The findings of one source file in the order they were noted; a note that repeats one already
// noted on the same line is dropped, so a line that two scans pass over is reported once.
class FindingList {
 public:
  void Add(long line, Severity severity, std::string code, Text message);
  void Warn(long line, std::string code, Text message) {
    Add(line, Severity::kWarning, std::move(code), std::move(message));
  }

  const std::vector<Finding>& All() const { return findings_; }
  bool HasError() const;

 private:
  std::vector<Finding> findings_;
  // Line, code and message of each finding, so that a file of many findings is not searched
  // whole for every note.
  std::set<std::tuple<long, std::string, Text>> noted_;
};

// The findings in the order of their lines, those on no particular line first; findings of one
// line keep the order they were noted in.
std::vector<Finding> SortedByLine(std::vector<Finding> findings);

// "error", "warning" or "info", as the JSON reports name them.
const char* SeverityName(Severity severity);

// A value written as text in a finding's message: 「text」, its first 40 characters and "…" when
// it is longer, so that a field of many megabytes makes no message of many megabytes.
Text Quoted(TextView text);

}  // namespace tq
