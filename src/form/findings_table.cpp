#include "form/findings_table.h"

#include <string>

namespace tq {
namespace {

Text SeverityLabel(Severity severity) {
  switch (severity) {
    case Severity::kError: return U"エラー";
    case Severity::kWarning: return U"警告";
    case Severity::kInfo: return U"情報";
  }
  return U"エラー";
}

Text NumberText(long number) {
  std::string digits = std::to_string(number);
  return Text(digits.begin(), digits.end());
}

std::string CsvField(const Text& text) {
  std::string utf8 = ToUtf8(text);
  if (utf8.find_first_of(",\"\r\n") == std::string::npos) return utf8;
  std::string quoted = "\"";
  for (char c : utf8) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + "\"";
}

template <typename CellOf>
std::string CsvRecord(CellOf cellOf) {
  std::string record;
  for (FindingColumn column : kFindingColumns) {
    if (column != kFindingColumns.front()) record += ',';
    record += CsvField(cellOf(column));
  }
  return record + "\r\n";
}

}  // namespace

Text FindingColumnTitle(FindingColumn column) {
  switch (column) {
    case FindingColumn::kFile: return U"ファイル";
    case FindingColumn::kLine: return U"行";
    case FindingColumn::kSeverity: return U"重大度";
    case FindingColumn::kCode: return U"コード";
    case FindingColumn::kMessage: return U"内容";
  }
  return Text();
}

Text FindingCell(const Finding& finding, FindingColumn column) {
  switch (column) {
    case FindingColumn::kFile: return finding.file;
    case FindingColumn::kLine: return finding.line > 0 ? NumberText(finding.line) : Text();
    case FindingColumn::kSeverity: return SeverityLabel(finding.severity);
    case FindingColumn::kCode: return Text(finding.code.begin(), finding.code.end());
    case FindingColumn::kMessage: return finding.message;
  }
  return Text();
}

int CompareFindings(const Finding& a, const Finding& b, FindingColumn column) {
  if (column == FindingColumn::kLine) return a.line < b.line ? -1 : (a.line > b.line ? 1 : 0);
  return FindingCell(a, column).compare(FindingCell(b, column));
}

std::string FindingsCsv(const std::vector<Finding>& findings) {
  std::string csv = "\xEF\xBB\xBF";
  csv += CsvRecord([](FindingColumn column) { return FindingColumnTitle(column); });
  for (const Finding& finding : findings) {
    csv += CsvRecord([&](FindingColumn column) { return FindingCell(finding, column); });
  }
  return csv;
}

Text FindingsNotSavedMessage(const Text& path, const Text& reason) {
  return U"指摘を CSV ファイルに保存できませんでした。\n" + path + U"\n" + reason;
}

}  // namespace tq
