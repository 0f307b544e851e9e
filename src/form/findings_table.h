// The findings of a run as the window lists them and saves them: the columns, the texts of the
// cells, the order a column sorts in and the CSV file.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "common/findings.h"
#include "common/text.h"

namespace tq {

enum class FindingColumn { kFile, kLine, kSeverity, kCode, kMessage };

inline constexpr std::array<FindingColumn, 5> kFindingColumns{FindingColumn::kFile, FindingColumn::kLine,
                                                              FindingColumn::kSeverity, FindingColumn::kCode,
                                                              FindingColumn::kMessage};

inline const Text kFindingsTitle = U"変換の指摘";
inline const Text kFindingsSaveButton = U"CSV で保存...";
inline const Text kFindingsCloseButton = U"閉じる";
inline const Text kFindingsCsvFilter = U"CSV ファイル (*.csv)";
inline const Text kFindingsCsvName = U"findings.csv";

Text FindingColumnTitle(FindingColumn column);
// The cell's text; a finding on no particular line has an empty line cell.
Text FindingCell(const Finding& finding, FindingColumn column);
// Negative, zero or positive as a sorts before, with or after b in the column: lines by their
// number, those on no particular line first; texts by their characters.
int CompareFindings(const Finding& a, const Finding& b, FindingColumn column);

// The findings as a spreadsheet opens them: UTF-8 with a byte order mark, a title row, one
// record per finding, CR LF after each, a field quoted when it holds a comma, a quote or a line end.
std::string FindingsCsv(const std::vector<Finding>& findings);

// The message when the CSV file could not be written: which file, and why.
Text FindingsNotSavedMessage(const Text& path, const Text& reason);

}  // namespace tq
