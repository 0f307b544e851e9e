// Findings as lines and as JSON.
#include "cli/run_report.h"

#include <nlohmann/json.hpp>

namespace tq {
namespace {

using nlohmann::json;

json FindingsJson(const std::vector<Finding>& findings) {
  json list = json::array();
  for (const Finding& f : findings) {
    list.push_back(
        {{"severity", SeverityName(f.severity)}, {"code", f.code}, {"line", f.line}, {"message", ToUtf8(f.message)}});
  }
  return list;
}

json NamesJson(const std::vector<Text>& names) {
  json list = json::array();
  for (const Text& name : names) list.push_back(ToUtf8(name));
  return list;
}

// Invalid bytes of a name or a message are carried as escapes and written as U+FFFD, so the
// report is always valid JSON.
std::string Dump(const json& value) { return value.dump(2, ' ', false, json::error_handler_t::replace) + "\n"; }

}  // namespace

void FindingCounts::Add(const std::vector<Finding>& findings) {
  for (const Finding& f : findings) {
    int& count = f.severity == Severity::kError ? errors : f.severity == Severity::kWarning ? warnings : infos;
    ++count;
  }
}

std::string SeverityLabel(Severity severity) {
  switch (severity) {
    case Severity::kError: return "エラー";
    case Severity::kWarning: return "警告";
    case Severity::kInfo: return "情報";
  }
  return "エラー";
}

std::string FindingLine(const Finding& finding) {
  std::string where = ToUtf8(finding.file);
  if (finding.line > 0) where += ":" + std::to_string(finding.line);
  return where + ": " + SeverityLabel(finding.severity) + ": " + ToUtf8(finding.message) + " [" + finding.code + "]\n";
}

std::string CountsText(const FindingCounts& counts) {
  return "エラー " + std::to_string(counts.errors) + " 件、警告 " + std::to_string(counts.warnings) + " 件、情報 " +
         std::to_string(counts.infos) + " 件";
}

std::string CheckJson(const std::vector<SourceFileReport>& reports) {
  json files = json::array();
  for (const SourceFileReport& r : reports) {
    files.push_back({{"file", ToUtf8(r.source)}, {"boring", ToUtf8(r.boring)}, {"findings", FindingsJson(r.findings)}});
  }
  return Dump({{"files", files}});
}

std::string RunReportJson(const std::vector<SourceFileReport>& reports, const std::string& outcome) {
  json borings = json::array();
  FindingCounts counts;
  std::size_t written = 0;
  std::size_t converted = 0;
  for (const SourceFileReport& r : reports) {
    borings.push_back({{"source", ToUtf8(r.source)},
                       {"boring", ToUtf8(r.boring)},
                       {"files", NamesJson(r.written)},
                       {"findings", FindingsJson(r.findings)}});
    counts.Add(r.findings);
    written += r.written.size();
    if (!r.written.empty()) ++converted;
  }
  json summary = {{"borings", converted},
                  {"files", written},
                  {"errors", counts.errors},
                  {"warnings", counts.warnings},
                  {"infos", counts.infos}};
  return Dump({{"outcome", outcome}, {"borings", borings}, {"summary", summary}});
}

}  // namespace tq
