// Soil name to pattern code: the searches, the new-code rule, the table updates and the lock.
#include "patterns/soil_patterns.h"

#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <cstdlib>
#include <map>
#include <set>
#include <sstream>

#include "common/errors.h"
#include "platform/file_lock.h"
#include "platform/native_files.h"
#include "platform/temporary_names.h"
#include "support/test_support.h"

namespace tq {
namespace {

using test::ConversionErrorOf;
using test::CrLf;
using test::PatternRow;
using test::Sjis;
using test::T;
using test::U8;

class SoilPatternsTest : public ::testing::Test {
 protected:
  void Tables(const std::vector<std::string>& soil, const std::vector<std::string>& extended) const {
    drive.Write("patdat/KISHITU.TXT", CrLf(soil));
    drive.Write("patdat/XKISHITU.TXT", CrLf(extended));
  }
  std::string Soil() const { return drive.Read("patdat/KISHITU.TXT"); }
  std::string Extended() const { return drive.Read("patdat/XKISHITU.TXT"); }
  bool Marker() const { return drive.Exists("prog/PATADD.txt"); }

  Text Map(const std::string& name, const std::string& before = "") {
    Text code = T(before);
    MapSoilNameToPattern(drive.Patterns(), T(name), code);
    return code;
  }

  test::PatternDrive drive;
};

// Whether a native path ends in the entry name, after either system's separator.
bool Names(const std::string& path, const std::string& name) {
  return path.ends_with("/" + name) || path.ends_with("\\" + name);
}

// The cause of the ConversionError that fn throws; a test failure when it throws none.
template <typename Fn>
Text CauseOf(Fn fn) {
  try {
    fn();
  } catch (const ConversionError& error) {
    return error.Cause();
  }
  ADD_FAILURE() << "no ConversionError";
  return {};
}

// ---- Searches ----

struct SearchCase {
  const char* what;
  std::vector<std::string> soil;
  std::vector<std::string> extended;
  std::string name;
  std::string code;
  std::vector<std::string> soilAfter;  // empty: KISHITU.TXT unchanged
  bool newRow;                         // a new row in XKISHITU.TXT
};

TEST_F(SoilPatternsTest, SearchesBothTablesForTheExactName) {
  const std::vector<SearchCase> cases = {
      {"exact hit in KISHITU.TXT",
       {PatternRow("1001", "砂"), PatternRow("2000", "シルト")},
       {PatternRow("1001", "砂")},
       "シルト",
       "2000",
       {},
       false},
      {"surrounding spaces are not part of the name",
       {PatternRow("2000", "シルト")},
       {},
       "  シルト ",
       "2000",
       {},
       false},
      {"first of two equal rows", {PatternRow("2000", "砂"), PatternRow("2001", "砂")}, {}, "砂", "2000", {}, false},
      {"a longer row name is no match",
       {PatternRow("2000", "砂質シルト")},
       {PatternRow("1000", "砂")},
       "砂",
       "1000",
       {PatternRow("2000", "砂質シルト"), "1000,砂,,,,0000"},
       false},
      {"a contained row name does not count",
       {PatternRow("2000", "シルト")},
       {PatternRow("2000", "シルト")},
       "砂質シルト",
       "2001",
       {PatternRow("2000", "シルト"), PatternRow("2001", "砂質シルト")},
       true},
      {"exact comparison: full-width and half-width katakana differ",
       {PatternRow("2000", "ｼﾙﾄ")},
       {PatternRow("2000", "ｼﾙﾄ")},
       "シルト",
       "2001",
       {PatternRow("2000", "ｼﾙﾄ"), PatternRow("2001", "シルト")},
       true},
      {"name only in XKISHITU.TXT is copied with its six fields as read",
       {PatternRow("1001", "砂")},
       {PatternRow("1001", "砂"), "3500,粘土,ab,\"c d\", e ,0123", PatternRow("4000", "礫")},
       "粘土",
       "3500",
       {PatternRow("1001", "砂"), "3500,粘土,ab,c d,e,0123"},
       false},
      {"the first of two equal rows in XKISHITU.TXT",
       {},
       {"1500,礫,a,a,a,0001", "1600,礫,b,b,b,0002"},
       "礫",
       "1500",
       {"1500,礫,a,a,a,0001"},
       false},
  };
  for (const SearchCase& c : cases) {
    SCOPED_TRACE(c.what);
    Tables(c.soil, c.extended);
    std::filesystem::remove(drive.Native("prog/PATADD.txt"));
    std::string extendedBefore = Extended();
    EXPECT_EQ(U8(Map(c.name)), c.code);
    EXPECT_EQ(Soil(), CrLf(c.soilAfter.empty() ? c.soil : c.soilAfter));
    EXPECT_EQ(Marker(), !c.soilAfter.empty());
    EXPECT_EQ(Extended() != extendedBefore, c.newRow);
  }
}

TEST_F(SoilPatternsTest, BlankNameLeavesTheCodeAndTheTablesAlone) {
  EXPECT_EQ(U8(Map("   ", "1234")), "1234");
  EXPECT_FALSE(drive.Exists("patdat/KISHITU.TXT"));
  EXPECT_FALSE(drive.Exists("patdat/XKISHITU.TXT"));
  EXPECT_FALSE(drive.Exists("patdat/KISHITU.LCK"));
  EXPECT_FALSE(Marker());
}

// ---- New codes ----

struct NewCodeCase {
  const char* what;
  std::vector<std::string> extended;
  std::string code;
  std::vector<std::string> extendedAfter;
};

TEST_F(SoilPatternsTest, NewNameGetsTheCodeAfterTheLastBelow4000) {
  const std::vector<NewCodeCase> cases = {
      {"inserted between 1002 and 4000",
       {PatternRow("1000", "砂"), PatternRow("1001", "シルト"), PatternRow("1002", "粘土"), PatternRow("4000", "礫"),
        PatternRow("4001", "玉石")},
       "1003",
       {PatternRow("1000", "砂"), PatternRow("1001", "シルト"), PatternRow("1002", "粘土"), PatternRow("1003", "新土"),
        PatternRow("4000", "礫"), PatternRow("4001", "玉石")}},
      {"only rows of 4000 and above",
       {PatternRow("4000", "礫"), PatternRow("4001", "玉石")},
       "1000",
       {PatternRow("1000", "新土"), PatternRow("4000", "礫"), PatternRow("4001", "玉石")}},
      {"empty table", {}, "1000", {PatternRow("1000", "新土")}},
      {"last code below 1000",
       {PatternRow("0500", "埋土"), PatternRow("4000", "礫")},
       "1000",
       {PatternRow("0500", "埋土"), PatternRow("1000", "新土"), PatternRow("4000", "礫")}},
      {"no row of 4000 or more: appended at the end",
       {PatternRow("1000", "砂"), PatternRow("1041", "シルト")},
       "1042",
       {PatternRow("1000", "砂"), PatternRow("1041", "シルト"), PatternRow("1042", "新土")}},
      {"the last row before 4000 decides, not the highest",
       {PatternRow("1500", "砂"), PatternRow("1200", "シルト"), PatternRow("4000", "礫")},
       "1201",
       {PatternRow("1500", "砂"), PatternRow("1200", "シルト"), PatternRow("1201", "新土"), PatternRow("4000", "礫")}},
      {"a line without a code keeps the last code",
       {PatternRow("1000", "砂"), "メモ,,,,,", PatternRow("4000", "礫")},
       "1001",
       {PatternRow("1000", "砂"), "メモ,,,,,", PatternRow("1001", "新土"), PatternRow("4000", "礫")}},
      {"a code of 0000 counts",
       {PatternRow("1500", "砂"), PatternRow("0000", "予備"), PatternRow("4000", "礫")},
       "1000",
       {PatternRow("1500", "砂"), PatternRow("0000", "予備"), PatternRow("1000", "新土"), PatternRow("4000", "礫")}},
      {"blank lines hold no row and keep the last code",
       {PatternRow("1000", "砂"), PatternRow("1001", "シルト"), ""},
       "1002",
       {PatternRow("1000", "砂"), PatternRow("1001", "シルト"), "", PatternRow("1002", "新土")}},
  };
  for (const NewCodeCase& c : cases) {
    SCOPED_TRACE(c.what);
    Tables({PatternRow("1000", "砂")}, c.extended);
    std::filesystem::remove(drive.Native("prog/PATADD.txt"));
    EXPECT_EQ(U8(Map("新土")), c.code);
    EXPECT_EQ(Extended(), CrLf(c.extendedAfter));
    EXPECT_EQ(Soil(), CrLf({PatternRow("1000", "砂"), PatternRow(c.code, "新土")}));
    EXPECT_FALSE(drive.Exists("patdat/XKISHITU.TMP"));
    EXPECT_TRUE(Marker());
  }
}

TEST_F(SoilPatternsTest, MissingTablesAreCreated) {
  EXPECT_EQ(U8(Map("砂")), "1000");
  EXPECT_EQ(Extended(), CrLf({PatternRow("1000", "砂")}));
  EXPECT_EQ(Soil(), CrLf({PatternRow("1000", "砂")}));
}

TEST_F(SoilPatternsTest, SameNewNameTwiceIsAddedOnce) {
  Tables({}, {PatternRow("4000", "礫")});
  EXPECT_EQ(U8(Map("砂")), "1000");
  EXPECT_EQ(U8(Map(" 砂")), "1000");
  EXPECT_EQ(U8(Map("シルト")), "1001");
  EXPECT_EQ(Soil(), CrLf({PatternRow("1000", "砂"), PatternRow("1001", "シルト")}));
  EXPECT_EQ(Extended(), CrLf({PatternRow("1000", "砂"), PatternRow("1001", "シルト"), PatternRow("4000", "礫")}));
}

TEST_F(SoilPatternsTest, FullRangeBelow4000StopsWithTheNameAndTheTable) {
  Tables({PatternRow("1000", "砂")},
         {PatternRow("3998", "砂"), PatternRow("3999", "シルト"), PatternRow("4000", "礫")});
  std::string soil = Soil();
  std::string extended = Extended();
  Text cause = CauseOf([&] { Map("新土"); });
  EXPECT_NE(cause.find(U"「新土」"), Text::npos) << U8(cause);
  EXPECT_NE(cause.find(U"T:\\patdat\\XKISHITU.TXT"), Text::npos) << U8(cause);
  EXPECT_EQ(Soil(), soil);
  EXPECT_EQ(Extended(), extended);
  EXPECT_FALSE(Marker());
}

// ---- How the tables are written ----

TEST_F(SoilPatternsTest, RebuildPassesOtherLinesOnByteForByte) {
  // NEC-selected IBM extension (0xED40) and a lone LF: bytes a text round trip could change.
  std::string extended = "1000,\xED\x40,    ,    ,    ,0000\n4000,\"" + Sjis("礫") + "\",a,b,c,0001\r\n";
  drive.Write("patdat/XKISHITU.TXT", extended);
  EXPECT_EQ(U8(Map("砂")), "1001");
  EXPECT_EQ(Extended(), "1000,\xED\x40,    ,    ,    ,0000\r\n" + Sjis(PatternRow("1001", "砂")) + "\r\n4000,\"" +
                            Sjis("礫") + "\",a,b,c,0001\r\n");
}

TEST_F(SoilPatternsTest, FailedRebuildLeavesTheOldTable) {
  Tables({}, {PatternRow("1000", "砂"), PatternRow("4000", "礫")});
  std::string extended = Extended();
  drive.Files().SetFaultHook(
      [](FileOperation, const std::string& path) { return path.find("XKISHITU") != std::string::npos; });
  EXPECT_THROW(Map("シルト"), ConversionError);
  EXPECT_EQ(Extended(), extended);
  EXPECT_EQ(Soil(), "");
  EXPECT_FALSE(drive.Exists("patdat/XKISHITU.TMP"));
  EXPECT_FALSE(Marker());
  drive.Files().SetFaultHook(nullptr);
  EXPECT_EQ(U8(Map("シルト")), "1001");
}

struct AppendFaultCase {
  const char* what;
  FileOperation operation;
  Fault fault;
};

// A full disk or an I/O error while the learned row is appended: KISHITU.TXT keeps exactly its
// old bytes, the lookup stops naming the table, and the next lookup learns the name normally.
TEST_F(SoilPatternsTest, FailedAppendLeavesTheSoilTableAsItWas) {
  const std::vector<AppendFaultCase> cases = {
      {"disk full half-way through the row", FileOperation::kWrite, Fault::kShortWrite},
      {"write error", FileOperation::kWrite, Fault::kError},
      {"sync error", FileOperation::kSync, Fault::kError},
  };
  for (const AppendFaultCase& c : cases) {
    SCOPED_TRACE(c.what);
    Tables({PatternRow("2000", "砂")}, {PatternRow("1000", "粘土"), PatternRow("4000", "礫")});
    std::string soil = Soil();
    drive.Files().SetFaultHook([&](FileOperation operation, const std::string& path) {
      return Names(path, "KISHITU.TXT") && operation == c.operation ? c.fault : Fault::kNone;
    });
    Text cause = CauseOf([&] { Map("粘土"); });
    EXPECT_NE(cause.find(U"T:\\patdat\\KISHITU.TXT"), Text::npos) << U8(cause);
    EXPECT_EQ(Soil(), soil);
    drive.Files().SetFaultHook(nullptr);
    EXPECT_EQ(U8(Map("粘土")), "1000");
    EXPECT_EQ(Soil(), CrLf({PatternRow("2000", "砂"), "1000,粘土,,,,0000"}));
  }
}

// The new code must be on the disk before KISHITU.TXT names it: a pattern folder that cannot be
// synced stops the lookup before the append. A table rewritten without its end-of-file mark is
// synced the same way.
TEST_F(SoilPatternsTest, FailedSyncOfThePatternFolderStopsTheLookup) {
  const std::string sand = CrLf({PatternRow("2000", "砂")});
  auto failFolderSync = [](FileOperation operation, const std::string& path) {
    return operation == FileOperation::kSync && Names(path, "patdat");
  };
  Tables({PatternRow("2000", "砂")}, {PatternRow("4000", "礫")});
  drive.Files().SetFaultHook(failFolderSync);
  Text cause = CauseOf([&] { Map("粘土"); });
  EXPECT_NE(cause.find(U"XKISHITU.TXT"), Text::npos) << U8(cause);
  EXPECT_EQ(Soil(), sand);

  drive.Write("patdat/KISHITU.TXT", sand + "\x1A");
  cause = CauseOf([&] { Map("粘土"); });
  EXPECT_NE(cause.find(U"KISHITU.TXT"), Text::npos) << U8(cause);

  drive.Files().SetFaultHook(nullptr);
  EXPECT_EQ(U8(Map("粘土")), "1000");
  EXPECT_EQ(Soil(), sand + Sjis("1000,粘土,,,,0000\r\n"));
}

TEST_F(SoilPatternsTest, AppendStartsOnANewLine) {
  drive.Write("patdat/KISHITU.TXT", Sjis(PatternRow("2000", "砂")));
  Map("シルト");
  EXPECT_EQ(Soil(), CrLf({PatternRow("2000", "砂"), PatternRow("1000", "シルト")}));
}

TEST_F(SoilPatternsTest, NameWithACommaIsQuotedAndFoundAgain) {
  EXPECT_EQ(U8(Map("砂,礫")), "1000");
  EXPECT_EQ(Soil(), CrLf({"1000,\"砂,礫\",    ,    ,    ,0000"}));
  EXPECT_EQ(U8(Map("砂,礫")), "1000");
  EXPECT_EQ(U8(Map("礫")), "1001");
}

struct CutShortCase {
  const char* what;
  std::string soil;
  bool fails;
};

TEST_F(SoilPatternsTest, TableCutShortInsideARowIsReportedWithItsLine) {
  const std::vector<CutShortCase> cases = {
      {"blank lines at the end are no row", CrLf({PatternRow("2000", "砂"), "", "  "}), false},
      {"row of two fields at the end", CrLf({PatternRow("2000", "砂"), "2001,シルト"}), true},
  };
  for (const CutShortCase& c : cases) {
    SCOPED_TRACE(c.what);
    drive.Write("patdat/KISHITU.TXT", c.soil);
    if (!c.fails) {
      EXPECT_EQ(U8(Map("砂")), "2000");
      EXPECT_EQ(U8(Map("粘土")), "1000");
      continue;
    }
    // Whether or not the name stands before the fault, and however often the table is asked.
    for (const char* name : {"砂", "粘土", "砂"}) {
      SCOPED_TRACE(name);
      Text cause = CauseOf([&] { Map(name); });
      EXPECT_NE(cause.find(U"KISHITU.TXT」の 2 行目"), Text::npos) << U8(cause);
    }
  }
}

struct BrokenRowCase {
  const char* what;
  std::string soil;
  const char* where;  // the row's own line and its field count
};

TEST_F(SoilPatternsTest, RowOfTheWrongFieldCountIsReportedOnItsOwnLine) {
  const std::vector<BrokenRowCase> cases = {
      {"five fields on line 5",
       CrLf({PatternRow("2000", "砂"), PatternRow("2001", "礫"), PatternRow("2002", "泥"), PatternRow("2003", "岩"),
             "2004,シルト,    ,    ,0000", PatternRow("2005", "粘土")}),
       "の 5 行目は項目が 5 個しかありません"},
      {"seven fields on line 2",
       CrLf({PatternRow("2000", "砂"), PatternRow("2001", "礫") + ",x", PatternRow("2002", "泥")}),
       "の 2 行目は項目が 7 個あります"},
      {"a row cut short by the end of the table", CrLf({PatternRow("2000", "砂")}) + "2001,",
       "の 2 行目は項目が 1 個しかありません"},
  };
  for (const BrokenRowCase& c : cases) {
    SCOPED_TRACE(c.what);
    drive.Write("patdat/KISHITU.TXT", c.soil);
    Text cause = CauseOf([&] { Map("砂"); });
    EXPECT_NE(cause.find(T(c.where)), Text::npos) << U8(cause);
    EXPECT_NE(cause.find(U"計 6 項目が必要です"), Text::npos) << U8(cause);
    EXPECT_EQ(Soil(), c.soil);
  }
}

// Another converter may change a table between two lookups of this one: the second lookup
// must see the change, even when the table keeps its size.
TEST_F(SoilPatternsTest, TableChangedBetweenLookupsIsReadAnew) {
  Tables({PatternRow("2000", "砂")}, {PatternRow("2000", "砂")});
  EXPECT_EQ(U8(Map("砂")), "2000");
  Tables({PatternRow("2001", "砂")}, {PatternRow("2001", "砂")});
  EXPECT_EQ(U8(Map("砂")), "2001");
  Tables({PatternRow("2001", "礫")}, {PatternRow("3000", "砂")});
  EXPECT_EQ(U8(Map("砂")), "3000");
}

struct TableEndCase {
  const char* what;
  std::string soil;
  std::string soilAfter;  // after learning 粘土
};

// Hand-edited tables and tables from old DOS tools: what follows the last row must not hide
// the rows appended after it, or every lookup would learn the name again.
TEST_F(SoilPatternsTest, LearnedNameIsFoundAgainWhateverTheSoilTableEndsWith) {
  const std::string sand = Sjis(PatternRow("2000", "砂"));
  const std::string learned = Sjis(PatternRow("1000", "粘土")) + "\r\n";
  const std::vector<TableEndCase> cases = {
      {"blank line", sand + "\r\n\r\n", sand + "\r\n\r\n" + learned},
      {"line of spaces", sand + "\r\n  \r\n", sand + "\r\n  \r\n" + learned},
      {"end-of-file mark", sand + "\r\n\x1A", sand + "\r\n" + learned},
      {"end-of-file mark right after the last row", sand + "\x1A", sand + "\r\n" + learned},
  };
  for (const TableEndCase& c : cases) {
    SCOPED_TRACE(c.what);
    drive.Write("patdat/KISHITU.TXT", c.soil);
    drive.Write("patdat/XKISHITU.TXT", "");
    EXPECT_EQ(U8(Map("粘土")), "1000");
    EXPECT_EQ(U8(Map("粘土")), "1000");
    EXPECT_EQ(U8(Map("砂")), "2000");
    EXPECT_EQ(Soil(), c.soilAfter);
    EXPECT_EQ(Extended(), CrLf({PatternRow("1000", "粘土")}));
  }
}

TEST_F(SoilPatternsTest, BlankLinesBetweenRowsAreNoRow) {
  Tables({PatternRow("2000", "砂"), "", "  ", PatternRow("2001", "シルト")},
         {PatternRow("1000", "粘土"), "", PatternRow("4000", "礫")});
  EXPECT_EQ(U8(Map("シルト")), "2001");
  EXPECT_EQ(U8(Map("礫")), "4000");
  EXPECT_EQ(Soil(), CrLf({PatternRow("2000", "砂"), "", "  ", PatternRow("2001", "シルト"), "4000,礫,,,,0000"}));
  EXPECT_EQ(Extended(), CrLf({PatternRow("1000", "粘土"), "", PatternRow("4000", "礫")}));
}

// ---- The pattern-added marker ----

TEST_F(SoilPatternsTest, MarkerIsCreatedButNeverChanged) {
  drive.Write("prog/PATADD.txt", "keep");
  Map("砂");
  EXPECT_EQ(drive.Read("prog/PATADD.txt"), "keep");
  std::filesystem::remove(drive.Native("prog/PATADD.txt"));
  Map("シルト");
  EXPECT_EQ(drive.Read("prog/PATADD.txt"), "");
}

TEST_F(SoilPatternsTest, MarkerThatCannotBeCreatedIsAWarningAndKeepsTheRows) {
  drive.Patterns().SetProgramFolder(U"T:\\no-such-folder");
  std::vector<Text> warnings;
  drive.Patterns().SetWarningSink([&](const Text& warning) { warnings.push_back(warning); });
  EXPECT_EQ(U8(Map("砂")), "1000");
  ASSERT_EQ(warnings.size(), 1u);
  EXPECT_NE(warnings[0].find(U"PATADD.txt"), Text::npos) << U8(warnings[0]);
  EXPECT_EQ(Soil(), CrLf({PatternRow("1000", "砂")}));
  EXPECT_EQ(Extended(), CrLf({PatternRow("1000", "砂")}));
}

// ---- The lock ----

TEST_F(SoilPatternsTest, LockHeldElsewhereStopsAfterTheWait) {
  Tables({PatternRow("2000", "砂")}, {});
  FileLock other;
  ASSERT_EQ(other.Lock(drive.Files(), U"T:\\patdat\\KISHITU.LCK", std::chrono::milliseconds(0)),
            FileLock::Result::kLocked);
  drive.Patterns().SetLockWait(std::chrono::milliseconds(100));
  Text cause = CauseOf([&] { Map("砂"); });
  EXPECT_NE(cause.find(U"ほかの変換が使用中"), Text::npos) << U8(cause);
  EXPECT_NE(cause.find(U"「砂」"), Text::npos) << U8(cause);
  other.Unlock();
  EXPECT_EQ(U8(Map("砂")), "2000");
}

// The waiting converter says at once who holds the lock and how long it waits, and that the
// wait is over; the holder's host and process come from the lock file.
TEST_F(SoilPatternsTest, WaitForTheLockIsToldAtOnceWithItsHolder) {
  Tables({PatternRow("2000", "砂")}, {});
  FileLock other;
  ASSERT_EQ(other.Lock(drive.Files(), U"T:\\patdat\\KISHITU.LCK", std::chrono::milliseconds(0)),
            FileLock::Result::kLocked);
  std::vector<Text> notices;
  drive.Patterns().SetWaitSink([&](const Text& notice) { notices.push_back(notice); });
  drive.Patterns().SetLockWait(std::chrono::milliseconds(200));
  Text holder = T("ホスト「" + HostName() + "」のプロセス " + std::to_string(native::ProcessId()));
  Text cause = CauseOf([&] { Map("砂"); });
  ASSERT_EQ(notices.size(), 2u);
  EXPECT_NE(notices[0].find(holder), Text::npos) << U8(notices[0]);
  EXPECT_NE(notices[0].find(U"最大 0.2 秒待ちます"), Text::npos) << U8(notices[0]);
  EXPECT_EQ(notices[1], U"") << "the wait is over";
  EXPECT_NE(cause.find(holder), Text::npos) << U8(cause);
  other.Unlock();
  notices.clear();
  EXPECT_EQ(U8(Map("砂")), "2000");
  EXPECT_TRUE(notices.empty()) << "no wait, no notice";
}

// Converters killed while writing a table leave their temporaries; the next one to hold the
// lock removes those of this host's ended processes and nothing else.
TEST_F(SoilPatternsTest, TemporariesOfEndedProcessesOfThisHostAreRemovedUnderTheLock) {
  // Above every process id the systems give out (Linux at most 2^22, Windows far fewer).
  const std::string gone = "999999996";
  ASSERT_TRUE(native::ProcessIsGone(999999996));
  const std::string stem = "patdat/.XKISHITU.TMP.tmp";
  const std::vector<std::pair<std::string, bool>> leftovers = {
      // name, removed
      {stem + gone + "@" + HostName(), true},
      {"patdat/.KISHITU.TXT.tmp" + gone + "-2@" + HostName(), true},
      {stem + std::to_string(native::ProcessId()) + "@" + HostName(), false},  // still running
      {stem + gone + "@another-host", false},
      {stem + gone, false},                                          // no host: it cannot be told whose it is
      {"patdat/XKISHITU.TXT.tmp" + gone + "@" + HostName(), false},  // not hidden: no temporary
  };
  for (const auto& [name, removed] : leftovers) drive.Write(name, "half");
  Tables({PatternRow("2000", "砂")}, {});
  EXPECT_EQ(U8(Map("砂")), "2000");
  for (const auto& [name, removed] : leftovers) EXPECT_EQ(drive.Exists(name), !removed) << name;

  // Looked for at the first lock of each run, which a window that stays open starts many of.
  const std::string later = stem + gone + "-3@" + HostName();
  drive.Write(later, "half");
  EXPECT_EQ(U8(Map("砂")), "2000");
  EXPECT_TRUE(drive.Exists(later)) << "not at every lock";
  drive.Patterns().StartRun();
  EXPECT_EQ(U8(Map("砂")), "2000");
  EXPECT_FALSE(drive.Exists(later)) << "at the first lock of the next run";
}

// The lookups of one boring's layers hold the lock from the first name to Finish: another
// converter waits for the whole boring, never in between two of its layers.
TEST_F(SoilPatternsTest, LayersOfOneBoringHoldTheLockUntilFinished) {
  Tables({PatternRow("2000", "砂")}, {});
  PatternData other(drive.Files(), U"T:\\prog");
  drive.ShareFolders(other);
  other.SetLockWait(std::chrono::milliseconds(0));
  auto otherMaps = [&] {
    Text code;
    MapSoilNameToPattern(other, U"砂", code);
    return code;
  };
  SoilPatternLookup layers(drive.Patterns());
  Text code;
  layers.Map(U"  ", code);
  EXPECT_EQ(U8(otherMaps()), "2000") << "a blank name takes no lock";
  layers.Map(U"砂", code);
  EXPECT_TRUE(ConversionErrorOf([&] { otherMaps(); })) << "held after the first layer";
  layers.Map(U"粘土", code);
  EXPECT_EQ(U8(code), "1000");
  EXPECT_TRUE(ConversionErrorOf([&] { otherMaps(); })) << "held after a learned name";
  EXPECT_FALSE(Marker()) << "the marker follows the lock's release";
  layers.Finish();
  EXPECT_TRUE(Marker());
  EXPECT_EQ(U8(otherMaps()), "2000");
  Text learned;
  MapSoilNameToPattern(other, U"粘土", learned);
  EXPECT_EQ(U8(learned), "1000") << "the other converter reads the table this one wrote";
}

// The names one boring teaches are written when its layers are done, each table once: the
// tables come out as learning the names one at a time makes them.
TEST_F(SoilPatternsTest, NamesLearnedByOneBoringAreWrittenTogether) {
  const std::vector<std::string> soil = {PatternRow("2000", "砂")};
  const std::vector<std::string> extended = {PatternRow("1000", "粘土"), PatternRow("4000", "礫")};
  const std::vector<std::string> names = {"シルト", "砂", "粘土", "シルト", "ローム", "礫"};
  Tables(soil, extended);
  std::vector<std::string> oneByOne;
  for (const std::string& name : names) oneByOne.push_back(U8(Map(name)));
  std::string soilOneByOne = Soil();
  std::string extendedOneByOne = Extended();

  Tables(soil, extended);
  std::map<std::string, int> syncs;
  drive.Files().SetFaultHook([&](FileOperation operation, const std::string& path) {
    if (operation == FileOperation::kSync) ++syncs[path.substr(path.find_last_of("/\\") + 1)];
    return false;
  });
  std::vector<std::string> together;
  {
    SoilPatternLookup layers(drive.Patterns());
    for (const std::string& name : names) {
      Text code;
      layers.Map(T(name), code);
      together.push_back(U8(code));
    }
    EXPECT_EQ(Soil(), CrLf(soil)) << "nothing is written before the layers are done";
    layers.Finish();
  }
  drive.Files().SetFaultHook(nullptr);
  EXPECT_EQ(together, oneByOne);
  EXPECT_EQ(together, (std::vector<std::string>{"1001", "2000", "1000", "1001", "1002", "4000"}));
  EXPECT_EQ(Soil(), soilOneByOne);
  EXPECT_EQ(Extended(), extendedOneByOne);
  EXPECT_EQ(syncs["KISHITU.TXT"], 1);
  EXPECT_EQ(syncs["XKISHITU.TMP"], 1);
  EXPECT_TRUE(Marker());
}

// A layer that stops the boring still lets go of the lock and marks the names it learned.
TEST_F(SoilPatternsTest, LookupThatStopsReleasesTheLockAndKeepsTheMarker) {
  Tables({}, {});
  {
    SoilPatternLookup layers(drive.Patterns());
    Text code;
    layers.Map(U"粘土", code);
    EXPECT_TRUE(ConversionErrorOf([&] { layers.Map(U"砂\r\n礫", code); }));
  }
  EXPECT_TRUE(Marker());
  drive.Patterns().SetLockWait(std::chrono::milliseconds(0));
  EXPECT_EQ(U8(Map("粘土")), "1000");
}

TEST_F(SoilPatternsTest, LockFileThatCannotBeCreatedIsReported) {
  drive.Patterns().SetFolder(U"T:\\missing\\");
  Text cause = CauseOf([&] { Map("砂"); });
  EXPECT_NE(cause.find(U"T:\\missing\\KISHITU.LCK"), Text::npos) << U8(cause);
}

#ifndef _WIN32  // fork; Windows has its own test of converters in threads sharing a folder
// Four converters share one pattern data folder and each meets 50 names nobody has seen.
TEST_F(SoilPatternsTest, FourProcessesAtOnceLoseNoNameAndGiveNoCodeTwice) {
  constexpr int kProcesses = 4;
  constexpr int kNames = 50;
  Tables({PatternRow("0001", "表土")}, {PatternRow("1000", "砂"), PatternRow("4000", "礫")});
  auto nameOf = [](int process, int i) { return "土質" + std::to_string(process) + "-" + std::to_string(i); };
  for (int p = 0; p < kProcesses; ++p) {
    std::vector<std::string> lines = {
        "\"A\",\"1234567800" + std::to_string(p) + "\",\"\"",
        "\"X\",\"001\",\"1234567800" + std::to_string(p) + "\",\"" + std::to_string(kNames) + "\""};
    for (int i = 1; i <= kNames; ++i) {
      lines.push_back("\"X\",\"\",\"\",\"" + std::to_string(i) + "\",\"" + nameOf(p, i) + "\",\"\"");
    }
    drive.Write("src/1234567800" + std::to_string(p) + ".001", CrLf(lines));
  }
  drive.MakeFolder("out");
  int start[2];
  ASSERT_EQ(::pipe(start), 0);
  std::vector<pid_t> children;
  for (int p = 0; p < kProcesses; ++p) {
    pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
      ::close(start[1]);
      char byte;
      (void)::read(start[0], &byte, 1);  // all children start together when the pipe closes
      Converter converter(drive.Files());
      drive.ShareFolders(converter.Patterns());
      test::ScriptedWindow window;
      window.source = U"T:\\src";
      window.destination = U"T:\\out";
      window.SelectAll({T("1234567800" + std::to_string(p) + ".001")});
      ::_exit(window.Run(converter) == RunOutcome::kCompleted ? 0 : 1);
    }
    children.push_back(pid);
  }
  ::close(start[0]);
  ::close(start[1]);
  for (pid_t pid : children) {
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }

  auto rowsOf = [&](const std::string& bytes) {
    std::map<std::string, std::string> codes;  // name -> code
    std::vector<std::string> lines;
    std::istringstream in(U8(FromShiftJis(bytes)));
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    for (const std::string& line : lines) {
      std::string code = line.substr(0, 4);
      std::string name = line.substr(5, line.find(',', 5) - 5);
      EXPECT_TRUE(codes.emplace(name, code).second) << "name twice: " << name;
    }
    return std::make_pair(codes, lines.size());
  };
  auto [soil, soilRows] = rowsOf(Soil());
  auto [extended, extendedRows] = rowsOf(Extended());
  EXPECT_EQ(soilRows, 1u + kProcesses * kNames);
  EXPECT_EQ(extendedRows, 2u + kProcesses * kNames);
  std::set<std::string> newCodes;
  for (int p = 0; p < kProcesses; ++p) {
    for (int i = 1; i <= kNames; ++i) {
      std::string name = nameOf(p, i);
      ASSERT_TRUE(soil.count(name)) << name;
      EXPECT_EQ(soil[name], extended[name]) << name;
      newCodes.insert(soil[name]);
    }
  }
  EXPECT_EQ(newCodes.size(), static_cast<std::size_t>(kProcesses * kNames));
  EXPECT_EQ(*newCodes.begin(), "1001");
  EXPECT_EQ(*newCodes.rbegin(), "1200");
  for (int p = 0; p < kProcesses; ++p) {
    std::istringstream x1(U8(FromShiftJis(drive.Read("out/1234567800" + std::to_string(p) + "/X1.txt"))));
    int lines = 0;
    for (std::string line; std::getline(x1, line); ++lines) {
      std::string name = line.substr(18, line.size() - 19);  // "   1,   1.00,1001," then the name and CR
      EXPECT_EQ(line.substr(13, 4), soil[name]) << line;
    }
    EXPECT_EQ(lines, kNames);
  }
}
#endif

}  // namespace
}  // namespace tq
