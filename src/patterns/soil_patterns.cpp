// Soil name to pattern code: the table searches, the XKISHITU.TXT rebuild, the KISHITU.TXT
// append and the pattern-added marker, all under one lock.
#include "patterns/soil_patterns.h"

#include <optional>
#include <string>
#include <vector>

#include "common/errors.h"
#include "common/source_file.h"
#include "common/values.h"
#include "patterns/pattern_table.h"
#include "patterns/soil_names.h"
#include "platform/append_file.h"
#include "platform/file_lock.h"
#include "platform/file_system.h"
#include "platform/output_file.h"
#include "platform/paths.h"
#include "platform/temporary_names.h"

namespace tq {
namespace {

const Text kSoilTable = U"KISHITU.TXT";
const Text kExtendedTable = U"XKISHITU.TXT";
const Text kExtendedTemporary = U"XKISHITU.TMP";
const Text kLockFile = U"KISHITU.LCK";
const Text kMarker = U"PATADD.txt";
constexpr int kFirstAddedCode = 1000;
constexpr double kFirstReservedCode = 4000;

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
void ReplaceExtendedTable(const PatternData& patterns, const std::string& bytes) {
  const FileSystem& fs = patterns.Files();
  Text temporary = patterns.PathOf(kExtendedTemporary);
  Text target = patterns.PathOf(kExtendedTable);
  ReplaceFileContents(fs, temporary, bytes, /*durable=*/true);
  if (!fs.RenameFile(temporary, target)) {
    fs.DeleteFile(temporary);
    throw ConversionError(CannotWriteCause(target));
  }
  // The new code must be on the disk before KISHITU.TXT names it, or it could be given again.
  if (!SyncFolderOf(fs, target)) throw ConversionError(CannotWriteCause(target));
}

bool EndsLine(const std::string& bytes) { return bytes.empty() || bytes.back() == '\n' || bytes.back() == '\r'; }

// rows: whole lines in code page 932.
void AppendSoilRows(const FileSystem& fs, const Text& path, const std::string& existing, const std::string& rows) {
  // A row after an end-of-file mark would be past the end for every reader, so a table that
  // ends with one is written anew without it.
  if (!existing.empty() && existing.back() == '\x1A') {
    std::string table = existing.substr(0, existing.size() - 1);
    ReplaceFileContents(fs, path, table + (EndsLine(table) ? "" : "\r\n") + rows, /*durable=*/true);
    if (!SyncFolderOf(fs, path)) throw ConversionError(CannotWriteCause(path));
    return;
  }
  // A last line without its line end would otherwise run into the new row.
  std::string bytes = (EndsLine(existing) ? "" : "\r\n") + rows;
  if (!AppendToFile(fs, path, bytes)) throw ConversionError(CannotWriteCause(path));
}

void CreatePatternAddedMarker(const PatternData& patterns) {
  Text path = JoinPath(patterns.ProgramFolder(), kMarker);
  if (AppendToFile(patterns.Files(), path, std::string())) return;
  patterns.Warn(U"土質名を土質パターン表に追加しましたが、追加を示すファイル「" + path +
                U"」を作成できませんでした。追加した行は土質パターン表に残っています。"
                U"プログラムのフォルダに書き込めるか確認してください。");
}

// "ホスト「pc12」のプロセス 4321" from the lock file's "pc12 4321".
Text HolderText(const std::string& holder) {
  std::size_t space = holder.rfind(' ');
  if (holder.empty() || space == std::string::npos) return U"だれが使っているかは分かりません";
  return U"ホスト「" + FromUtf8(holder.substr(0, space)) + U"」のプロセス " + FromUtf8(holder.substr(space + 1));
}

Text WaitSeconds(const PatternData& patterns) { return NumberText(patterns.LockWait().count() / 1000.0); }

// Temporaries of converters killed while they wrote a table. Under the lock no living converter
// of this host is writing one, and those of other hosts are theirs to remove.
void RemoveStalePatternTemporaries(const PatternData& patterns) {
  if (std::optional<std::string> folder = patterns.Files().NativePath(patterns.Folder()))
    RemoveStaleTemporaries(*folder);
}

void LockTables(FileLock& lock, const PatternData& patterns, const Text& name) {
  Text path = patterns.PathOf(kLockFile);
  Text holder = HolderText(std::string());
  bool waited = false;
  auto onWait = [&](const std::string& holderInFile) {
    waited = true;
    holder = HolderText(holderInFile);
    patterns.NoteWait(U"土質パターン表はほかの変換が使用中です（" + holder + U"）。空くまで最大 " +
                      WaitSeconds(patterns) + U" 秒待ちます。（ロックファイル「" + path + U"」）");
  };
  FileLock::Result result = lock.Lock(patterns.Files(), path, patterns.LockWait(), onWait);
  if (waited) patterns.NoteWait(Text());
  switch (result) {
    case FileLock::Result::kLocked: return;
    case FileLock::Result::kCannotOpen:
      throw ConversionError(U"土質パターン表のロックファイル「" + path +
                            U"」を作成できません。パターンデータフォルダに書き込めるか確認してください。");
    case FileLock::Result::kTimedOut:
      throw ConversionError(U"土質パターン表（" + patterns.PathOf(kSoilTable) + U"、" + kExtendedTable +
                            U"）はほかの変換が使用中のため（" + holder + U"）、" + WaitSeconds(patterns) +
                            U" 秒待っても土質名「" + name +
                            U"」を照合できませんでした。"
                            U"しばらくしてからもう一度変換してください。（ロックファイル「" +
                            path + U"」）");
  }
}

// The row of a name in the soil table, else in the extended table; nothing when in neither.
std::optional<TableRow> FindSoilRow(PatternData& patterns, const Text& name, SoilNamePlace& place) {
  const FileSystem& fs = patterns.Files();
  Text soilPath = patterns.PathOf(kSoilTable);
  place = SoilNamePlace::kSoilTable;
  if (auto row = patterns.SoilIndex().FindRow(soilPath, patterns.Tables().Read(fs, soilPath), name)) return row;
  Text extendedPath = patterns.PathOf(kExtendedTable);
  place = SoilNamePlace::kExtendedOnly;
  if (auto row = patterns.SoilIndex().FindRow(extendedPath, patterns.Tables().Read(fs, extendedPath), name)) {
    return row;
  }
  place = SoilNamePlace::kNowhere;
  return std::nullopt;
}

}  // namespace

SoilNamePlace LookUpSoilName(PatternData& patterns, const Text& name) {
  SoilNamePlace place = SoilNamePlace::kNowhere;
  FindSoilRow(patterns, Trim(name), place);
  return place;
}

SoilPatternLookup::SoilPatternLookup(PatternData& patterns) : patterns_(patterns) {}

SoilPatternLookup::~SoilPatternLookup() {
  try {
    Finish();
  } catch (...) {
    // A warning sink that fails while a conversion error unwinds must not end the program.
  }
}

void SoilPatternLookup::Finish() {
  try {
    WriteLearnedRows();
  } catch (...) {
    Release();
    throw;
  }
  Release();
}

void SoilPatternLookup::Release() {
  extendedBytes_.reset();
  soilBytes_.reset();
  soilRows_.clear();
  learnedCodes_.clear();
  lock_.Unlock();
  locked_ = false;
  soil_ = nullptr;
  extended_ = nullptr;
  if (learned_) CreatePatternAddedMarker(patterns_);
  learned_ = false;
}

// XKISHITU.TXT first: its new codes are on the disk before KISHITU.TXT names them.
void SoilPatternLookup::WriteLearnedRows() {
  if (extendedBytes_) {
    std::string rebuilt = std::move(*extendedBytes_);
    extendedBytes_.reset();
    Forget(extended_, patterns_.PathOf(kExtendedTable));
    ReplaceExtendedTable(patterns_, rebuilt);
  }
  if (soilBytes_) {
    std::string existing = std::move(*soilBytes_);
    soilBytes_.reset();
    Text soilPath = patterns_.PathOf(kSoilTable);
    Forget(soil_, soilPath);
    AppendSoilRows(patterns_.Files(), soilPath, existing, soilRows_);
    soilRows_.clear();
    learned_ = true;
  }
}

std::vector<Text> SoilPatternLookup::Learn(const Text& name) {
  patterns_.BeforeTablesChange();
  Text extendedPath = patterns_.PathOf(kExtendedTable);
  const CachedTable& extendedTable = Table(extended_, extendedPath);
  std::vector<Text> fields;
  if (std::optional<TableRow> row = patterns_.SoilIndex().FindRow(extendedPath, extendedTable, name)) {
    fields = row->fields;
  } else {
    extendedBytes_ = InsertNewRow(extendedBytes_ ? *extendedBytes_ : extendedTable.bytes, name, extendedPath, fields);
  }
  if (!soilBytes_) soilBytes_ = soil_->bytes;
  soilRows_ += ToShiftJis(JoinRow(fields)) + "\r\n";
  return fields;
}

void SoilPatternLookup::Map(const Text& soilName, Text& code) {
  CheckSoilName(soilName, 0);
  Text name = Trim(soilName);
  if (name.empty()) return;
  if (patterns_.LooksOnly()) {
    SoilNamePlace place = SoilNamePlace::kNowhere;
    if (std::optional<TableRow> row = FindSoilRow(patterns_, name, place)) code = row->fields[1];
    return;
  }
  if (!locked_) {
    LockTables(lock_, patterns_, name);
    locked_ = true;
    if (patterns_.NeedsStaleCleanup()) RemoveStalePatternTemporaries(patterns_);
  }
  Text soilPath = patterns_.PathOf(kSoilTable);
  if (std::optional<TableRow> row = patterns_.SoilIndex().FindRow(soilPath, Table(soil_, soilPath), name)) {
    code = row->fields[1];
    return;
  }
  // A name learned earlier in this boring stands first under its name once the rows are written.
  if (auto learned = learnedCodes_.find(name); learned != learnedCodes_.end()) {
    code = learned->second;
    return;
  }
  code = Learn(name)[1];
  learnedCodes_.emplace(name, code);
}

// Under the lock only this converter changes the tables, so each is checked once per lock and
// read again only after this converter wrote it.
const CachedTable& SoilPatternLookup::Table(const CachedTable*& table, const Text& path) {
  if (table == nullptr) table = &patterns_.Tables().Read(patterns_.Files(), path);
  return *table;
}

void SoilPatternLookup::Forget(const CachedTable*& table, const Text& path) {
  table = nullptr;
  patterns_.Tables().Forget(path);
}

void MapSoilNameToPattern(PatternData& patterns, const Text& soilName, Text& code) {
  SoilPatternLookup lookup(patterns);
  lookup.Map(soilName, code);
  lookup.Finish();
}

}  // namespace tq
