// Soil name to pattern code: the table searches, the XKISHITU.TXT rebuild, the KISHITU.TXT
// append and the pattern-added marker, all under one lock.
#include "patterns/soil_patterns.h"

#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "common/errors.h"
#include "common/source_file.h"
#include "common/values.h"
#include "common/warnings.h"
#include "patterns/pattern_settings.h"
#include "patterns/pattern_table.h"
#include "platform/append_file.h"
#include "platform/file_lock.h"
#include "platform/file_system.h"
#include "platform/output_file.h"

namespace tq {
namespace {

const Text kSoilTable = U"KISHITU.TXT";
const Text kExtendedTable = U"XKISHITU.TXT";
const Text kExtendedTemporary = U"XKISHITU.TMP";
const Text kLockFile = U"KISHITU.LCK";
const Text kMarker = U"PATADD.txt";
const Text kRowExpected = U"コード、土質名と 4 つの項目の計 6 項目";
constexpr int kRowFields = 6;
constexpr int kFirstAddedCode = 1000;
constexpr double kFirstReservedCode = 4000;

std::chrono::milliseconds& LockWait() {
  static std::chrono::milliseconds wait{30000};
  return wait;
}

// A table's rows by name, the first row of each name only, as read from one content of the
// table, or the fault that kept the table from being read to its end.
struct TableIndex {
  std::string bytes;
  std::unordered_map<Text, TableRow> firstRowByName;
  std::optional<ConversionError> fault;
};

TableIndex BuildIndex(const Text& path, std::string bytes) {
  TableIndex index;
  SourceFile table(bytes);
  TableRow row;
  try {
    while (ReadTableRow(table, path, kRowFields, kRowExpected, row)) {
      index.firstRowByName.try_emplace(row.fields[2], row);
    }
  } catch (const ConversionError& error) {
    index.fault = error;
  }
  index.bytes = std::move(bytes);
  return index;
}

// The first row whose name equals the soil name. A row whose name is only part of the soil
// name may be the longest contained one, but it never decides the code, so the search for
// the longest contained name comes down to this. The search reads the whole table, so a
// table cut short stops every lookup, whichever name it asks for.
//
// Every soil layer of every boring asks both tables, so each table is indexed once per
// content: the bytes are read anew every time (another converter may have changed them)
// and the index is rebuilt only when they differ.
std::optional<TableRow> FindRow(const Text& path, const std::string& bytes, const Text& name) {
  static std::unordered_map<Text, TableIndex> indexes;
  auto cached = indexes.find(path);
  if (cached == indexes.end() || cached->second.bytes != bytes) {
    cached = indexes.insert_or_assign(path, BuildIndex(path, bytes)).first;
  }
  const TableIndex& index = cached->second;
  if (index.fault) throw *index.fault;
  auto found = index.firstRowByName.find(name);
  if (found == index.firstRowByName.end()) return std::nullopt;
  return found->second;
}

// A field with a comma or a line end is quoted, so that the row reads back as six fields.
Text RowField(const Text& field) {
  if (field.find_first_of(U",\r\n") == Text::npos) return field;
  return U"\"" + field + U"\"";
}

Text JoinRow(const std::vector<Text>& fields) {
  Text row;
  for (std::size_t k = 1; k < fields.size(); ++k) row += (k == 1 ? U"" : U",") + RowField(fields[k]);
  return row;
}

// The table's lines as raw bytes, so that the rows a rebuild passes on keep every byte.
std::vector<std::string> RawLines(const std::string& bytes) {
  std::size_t end = bytes.size();
  if (end > 0 && bytes[end - 1] == '\x1A') --end;
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < end) {
    std::size_t stop = bytes.find_first_of("\r\n", start);
    if (stop == std::string::npos || stop >= end) stop = end;
    lines.push_back(bytes.substr(start, stop - start));
    start = stop;
    if (start < end && bytes[start] == '\r' && start + 1 < end && bytes[start + 1] == '\n') ++start;
    if (start < end) ++start;
  }
  return lines;
}

struct Insertion {
  std::size_t before = 0;  // index of the first line of code 4000 or more, or the line count
  int lastCode = 0;        // code of the last line below 4000 before it
};

// Whether a line begins with a number: its code.
bool BeginsWithCode(TextView line) {
  Text start = TrimLeft(Left(line, 4));
  std::size_t i = (!start.empty() && (start[0] == U'+' || start[0] == U'-')) ? 1 : 0;
  if (i < start.size() && start[i] == U'.') ++i;
  return i < start.size() && start[i] >= U'0' && start[i] <= U'9';
}

// Blank lines and lines without a code hold no row, so they do not reset the last code (such
// a line after the added rows would otherwise restart the codes at 1000 and give a code twice).
Insertion FindInsertion(const std::vector<std::string>& lines) {
  Insertion at{lines.size(), 0};
  for (std::size_t i = 0; i < lines.size(); ++i) {
    Text line = FromShiftJis(lines[i]);
    if (!BeginsWithCode(line)) continue;
    double code = ValueOf(Left(line, 4));
    if (code >= kFirstReservedCode) {
      at.before = i;
      return at;
    }
    at.lastCode = RoundToInt16(code).value_or(0);
  }
  return at;
}

Text RangeFullCause(const Text& name, const Text& path) {
  return U"土質名「" + name + U"」に新しいパターンコードを付けられません。拡張土質パターン表「" + path +
         U"」では、新しい土質名に使える 1000 から 3999 までのコードを使い切っています"
         U"（4000 以上の行の前の最後のコードが 3999 です）。";
}

// XKISHITU.TXT with a new row for the name; fields receives the new row.
std::string InsertNewRow(const std::string& bytes, const Text& name, const Text& path, std::vector<Text>& fields) {
  std::vector<std::string> lines = RawLines(bytes);
  Insertion at = FindInsertion(lines);
  int code = (at.lastCode < kFirstAddedCode ? kFirstAddedCode - 1 : at.lastCode) + 1;
  if (code >= kFirstReservedCode) throw ConversionError(RangeFullCause(name, path));
  fields = {Text(), Right(U"0000" + DecimalText(code), 4), name, U"    ", U"    ", U"    ", U"0000"};
  std::string table;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i == at.before) table += ToShiftJis(JoinRow(fields)) + "\r\n";
    table += lines[i] + "\r\n";
  }
  if (at.before == lines.size()) table += ToShiftJis(JoinRow(fields)) + "\r\n";
  return table;
}

// The new table is complete on the disk before one rename puts it in place of the old one, so
// a failure at any moment leaves either the old or the new table.
void ReplaceExtendedTable(const Text& folder, const std::string& bytes) {
  const FileSystem& fs = FileSystem::Instance();
  Text temporary = folder + kExtendedTemporary;
  Text target = folder + kExtendedTable;
  ReplaceFileContents(temporary, bytes, /*durable=*/true);
  if (!fs.RenameFile(temporary, target)) {
    fs.DeleteFile(temporary);
    throw ConversionError(CannotWriteCause(target));
  }
  // The new code must be on the disk before KISHITU.TXT names it, or it could be given again.
  SyncFolderOf(target);
}

bool EndsLine(const std::string& bytes) { return bytes.empty() || bytes.back() == '\n' || bytes.back() == '\r'; }

void AppendSoilRow(const Text& path, const std::string& existing, const std::vector<Text>& fields) {
  std::string row = ToShiftJis(JoinRow(fields)) + "\r\n";
  // A row after an end-of-file mark would be past the end for every reader, so a table that
  // ends with one is written anew without it.
  if (!existing.empty() && existing.back() == '\x1A') {
    std::string table = existing.substr(0, existing.size() - 1);
    ReplaceFileContents(path, table + (EndsLine(table) ? "" : "\r\n") + row, /*durable=*/true);
    return;
  }
  // A last line without its line end would otherwise run into the new row.
  std::string bytes = (EndsLine(existing) ? "" : "\r\n") + row;
  if (!AppendToFile(path, bytes)) throw ConversionError(CannotWriteCause(path));
}

Text MarkerPath() {
  Text folder = ProgramFolder();
  return EndsWith(folder, U"\\") ? folder + kMarker : folder + U"\\" + kMarker;
}

void CreatePatternAddedMarker() {
  Text path = MarkerPath();
  if (AppendToFile(path, std::string())) return;
  ReportWarning(U"土質名を土質パターン表に追加しましたが、追加を示すファイル「" + path +
                U"」を作成できませんでした。追加した行は土質パターン表に残っています。"
                U"プログラムのフォルダに書き込めるか確認してください。");
}

void LockTables(FileLock& lock, const Text& folder, const Text& name) {
  Text path = folder + kLockFile;
  switch (lock.Lock(path, LockWait())) {
    case FileLock::Result::kLocked:
      return;
    case FileLock::Result::kCannotOpen:
      throw ConversionError(U"土質パターン表のロックファイル「" + path +
                            U"」を作成できません。パターンデータフォルダに書き込めるか確認してください。");
    case FileLock::Result::kTimedOut:
      throw ConversionError(U"土質パターン表（" + folder + kSoilTable + U"、" + kExtendedTable +
                            U"）はほかの変換が使用中のため、" + NumberText(LockWait().count() / 1000.0) +
                            U" 秒待っても土質名「" + name + U"」を照合できませんでした。"
                            U"しばらくしてからもう一度変換してください。（ロックファイル「" + path + U"」）");
  }
}

}  // namespace

void MapSoilNameToPattern(const Text& soilName, Text& code) {
  Text name = Trim(soilName);
  if (name.empty()) return;
  const Text folder = PatternFolder();
  FileLock lock;
  LockTables(lock, folder, name);

  Text soilPath = folder + kSoilTable;
  std::string soilTable = ReadPatternTableBytes(soilPath);
  if (std::optional<TableRow> row = FindRow(soilPath, soilTable, name)) {
    code = row->fields[1];
    return;
  }
  Text extendedPath = folder + kExtendedTable;
  std::string extendedTable = ReadPatternTableBytes(extendedPath);
  std::vector<Text> fields;
  if (std::optional<TableRow> row = FindRow(extendedPath, extendedTable, name)) {
    fields = row->fields;
  } else {
    ReplaceExtendedTable(folder, InsertNewRow(extendedTable, name, extendedPath, fields));
  }
  AppendSoilRow(soilPath, soilTable, fields);
  code = fields[1];
  lock.Unlock();
  CreatePatternAddedMarker();
}

void SetPatternLockWait(std::chrono::milliseconds wait) { LockWait() = wait; }

}  // namespace tq
