// The findings and reports of the command line: one line per finding, the counts, and JSON.
#pragma once

#include <string>
#include <vector>

#include "common/findings.h"
#include "run/run_observer.h"

namespace tq {

struct FindingCounts {
  int errors = 0;
  int warnings = 0;
  int infos = 0;

  void Add(const std::vector<Finding>& findings);
};

// "エラー", "警告" or "情報".
std::string SeverityLabel(Severity severity);

// "FILE:LINE: 警告: message [code]" ("FILE: ..." for a finding on no particular line), with
// the file as given.
std::string FindingLine(const Finding& finding);

// "エラー 0 件、警告 2 件、情報 1 件"
std::string CountsText(const FindingCounts& counts);

// {"files": [{"file", "boring", "findings": [{"severity", "code", "line", "message"}]}]}
std::string CheckJson(const std::vector<SourceFileReport>& reports);

// {"outcome", "borings": [{"source", "boring", "files", "findings"}], "summary": {...}}
std::string RunReportJson(const std::vector<SourceFileReport>& reports, const std::string& outcome);

}  // namespace tq
