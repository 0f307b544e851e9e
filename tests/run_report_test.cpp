// The JSON of check and of the run report: valid JSON of the promised shape, whatever the texts hold.
#include "cli/run_report.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

namespace tq {
namespace {

using nlohmann::json;

std::vector<SourceFileReport> Reports() {
  // A message with a byte that is no code page 932 character, carried as its escape.
  Finding warning{U"12345678.001", 3, Severity::kWarning, "not-a-number", FromShiftJis("\x81\x75x\xFD\x81\x76")};
  Finding info{U"12345678.001", 7, Severity::kInfo, "soil-name-learned", U"土質名「礫」"};
  Finding refused{U"12345678.002", 0, Severity::kError, "file-refused", U"識別子が 10 文字です"};
  return {{U"12345678.001", U"12345678001", {U"titl01.txt", U"X5.txt"}, {warning, info}},
          {U"12345678.002", U"", {}, {refused}}};
}

TEST(RunReport, CheckJsonHasTheShapeOfTheReport) {
  json report = json::parse(CheckJson(Reports()));
  ASSERT_EQ(report.size(), 1u);
  const json& files = report.at("files");
  ASSERT_EQ(files.size(), 2u);
  EXPECT_EQ(files[0].at("file"), "12345678.001");
  EXPECT_EQ(files[0].at("boring"), "12345678001");
  EXPECT_EQ(files[1].at("boring"), "");
  const json& finding = files[0].at("findings").at(0);
  EXPECT_EQ(finding.size(), 4u);
  EXPECT_EQ(finding.at("severity"), "warning");
  EXPECT_EQ(finding.at("code"), "not-a-number");
  EXPECT_EQ(finding.at("line"), 3);
  EXPECT_EQ(finding.at("message"), "「x\xEF\xBF\xBD」");
  EXPECT_EQ(files[1].at("findings").at(0).at("severity"), "error");
  EXPECT_EQ(files[0].at("findings").at(1).at("severity"), "info");
}

TEST(RunReport, RunReportJsonListsWhatEachBoringWroteAndCountsTheFindings) {
  json report = json::parse(RunReportJson(Reports(), "refused"));
  EXPECT_EQ(report.at("outcome"), "refused");
  EXPECT_EQ(report.at("borings").at(0).at("files"), json({"titl01.txt", "X5.txt"}));
  EXPECT_EQ(report.at("borings").at(1).at("source"), "12345678.002");
  EXPECT_EQ(report.at("summary"), json({{"borings", 1}, {"files", 2}, {"errors", 1}, {"warnings", 1}, {"infos", 1}}));
}

TEST(RunReport, FindingLinesNameFileLineSeverityAndCode) {
  std::vector<SourceFileReport> reports = Reports();
  EXPECT_EQ(FindingLine(reports[0].findings[1]), "12345678.001:7: 情報: 土質名「礫」 [soil-name-learned]\n");
  EXPECT_EQ(FindingLine(reports[1].findings[0]), "12345678.002: エラー: 識別子が 10 文字です [file-refused]\n");
}

}  // namespace
}  // namespace tq
