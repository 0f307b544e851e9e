// The check command over the same conversion as the Execute command, its outputs kept in memory.
#include "run/check.h"

#include "common/errors.h"
#include "platform/paths.h"
#include "run/run_data.h"
#include "run/source_conversion.h"
#include "run/source_identity.h"

namespace tq {
namespace {

// The pattern data of the converter only looks while a check runs.
class ScopedLookOnly {
 public:
  explicit ScopedLookOnly(PatternData& patterns) : patterns_(patterns), previous_(patterns.LooksOnly()) {
    patterns_.SetLooksOnly(true);
  }
  ~ScopedLookOnly() { patterns_.SetLooksOnly(previous_); }
  ScopedLookOnly(const ScopedLookOnly&) = delete;
  ScopedLookOnly& operator=(const ScopedLookOnly&) = delete;

 private:
  PatternData& patterns_;
  bool previous_;
};

void CheckOne(Converter& converter, RunData& data, const Text& path, SourceFileReport& report, FindingList& findings) {
  const FileSystem& fs = converter.Files();
  report.boring = ReadBoringIdentifier(fs, path);
  if (report.boring.empty()) {
    findings.Add(0, Severity::kError, finding_code::kFileRefused, WhyFileIsRefused(fs, path));
    return;
  }
  std::optional<std::string> bytes = fs.ReadFile(path);
  if (!bytes) throw ConversionError(U"ファイルを読み込めません。");
  BoringFiles boring(fs, report.boring, BoringFiles::Mode::kLookOnly);
  ConvertSource(data, {report.source, report.boring, std::move(*bytes)}, boring, converter.Patterns(), findings);
  report.written = boring.KeptNames();
}

}  // namespace

std::vector<SourceFileReport> CheckSourceFiles(Converter& converter, const Text& folder,
                                               const std::vector<Text>& names) {
  ScopedLookOnly looking(converter.Patterns());
  RunData data;
  std::vector<SourceFileReport> reports;
  for (const Text& name : names) {
    SourceFileReport report{Trim(name), Text(), {}, {}};
    FindingList findings;
    try {
      CheckOne(converter, data, JoinPath(folder, report.source), report, findings);
    } catch (const ConversionError& error) {
      if (!findings.HasError()) findings.Add(error.Line(), Severity::kError, finding_code::kFileStopped, error.Cause());
      report.written.clear();
    }
    for (Finding finding : SortedByLine(findings.All())) {
      finding.file = report.source;
      report.findings.push_back(std::move(finding));
    }
    reports.push_back(std::move(report));
  }
  return reports;
}

}  // namespace tq
