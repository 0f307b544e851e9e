// The findings of one source file.
#include "common/findings.h"

#include <algorithm>

namespace tq {

void FindingList::Add(long line, Severity severity, std::string code, Text message) {
  if (!noted_.emplace(line, code, message).second) return;
  findings_.push_back({Text(), line, severity, std::move(code), std::move(message)});
}

bool FindingList::HasError() const {
  return std::any_of(findings_.begin(), findings_.end(),
                     [](const Finding& f) { return f.severity == Severity::kError; });
}

std::vector<Finding> SortedByLine(std::vector<Finding> findings) {
  std::stable_sort(findings.begin(), findings.end(),
                   [](const Finding& a, const Finding& b) { return a.line < b.line; });
  return findings;
}

const char* SeverityName(Severity severity) {
  switch (severity) {
    case Severity::kError: return "error";
    case Severity::kWarning: return "warning";
    case Severity::kInfo: return "info";
  }
  return "error";
}

Text Quoted(TextView text) {
  constexpr std::size_t kShown = 40;
  if (text.size() <= kShown) return U"「" + Text(text) + U"」";
  return U"「" + Text(text.substr(0, kShown)) + U"…」";
}

}  // namespace tq
