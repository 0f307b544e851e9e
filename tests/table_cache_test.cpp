// Pattern data tables read again only when their file changed, and when a change is too recent to tell.
#include "patterns/table_cache.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "platform/native_files.h"
#include "support/test_support.h"

namespace tq {
namespace {

using test::TempDrive;

struct ChangeCase {
  const char* what;
  std::function<void(TempDrive&)> change;
  std::string bytes;  // what the next reading gives
  bool newVersion;
};

// Each change is one another converter or an editor could make between two lookups of a run.
TEST(TableCache, ReadsTheTableAgainOnlyWhenItsFileChanged) {
  const std::vector<ChangeCase> cases = {
      {"nothing", [](TempDrive&) {}, "1001,sand\r\n", false},
      {"a row appended", [](TempDrive& d) { d.Write("p/T.TXT", "1001,sand\r\n1002,clay\r\n"); },
       "1001,sand\r\n1002,clay\r\n", true},
      // A rebuilt table renamed into place is another file, even of the same length.
      {"replaced by a rename, same length",
       [](TempDrive& d) {
         d.Write("p/new", "1001,silt\r\n");
         std::filesystem::rename(d.Native("p/new"), d.Native("p/T.TXT"));
       },
       "1001,silt\r\n", true},
      // Written in place just now: its times may not yet tell it from the bytes read before.
      {"rewritten in place at once, same length", [](TempDrive& d) { d.Write("p/T.TXT", "1001,loam\r\n"); },
       "1001,loam\r\n", true},
      {"removed", [](TempDrive& d) { std::filesystem::remove(d.Native("p/T.TXT")); }, "", true},
  };
  for (const ChangeCase& c : cases) {
    TempDrive drive;
    drive.Write("p/T.TXT", "1001,sand\r\n");
    TableCache tables;
    std::uint64_t before = tables.Read(drive.Files(), U"T:\\p\\T.TXT").version;
    c.change(drive);
    const CachedTable& after = tables.Read(drive.Files(), U"T:\\p\\T.TXT");
    EXPECT_EQ(after.bytes, c.bytes) << c.what;
    EXPECT_EQ(after.version != before, c.newVersion) << c.what;
  }
}

TEST(TableCache, ForgottenTableIsReadAgain) {
  TempDrive drive;
  drive.Write("p/T.TXT", "a");
  TableCache tables;
  std::uint64_t before = tables.Read(drive.Files(), U"T:\\p\\T.TXT").version;
  tables.Forget(U"T:\\p\\T.TXT");
  EXPECT_NE(tables.Read(drive.Files(), U"T:\\p\\T.TXT").version, before);
}

struct RecentCase {
  const char* what;
  std::int64_t latest;
  std::int64_t now;
  bool recent;
};

TEST(FileStamp, AChangeIsRecentForLongerWhereTimesAreWholeSeconds) {
  constexpr std::int64_t s = 1000000000;  // nanoseconds
  const std::vector<RecentCase> cases = {
      {"fine times, 50 ms ago", 100 * s + 123, 100 * s + 123 + s / 20, true},
      {"fine times, 200 ms ago", 100 * s + 123, 100 * s + 123 + s / 5, false},
      {"whole seconds, 2 s ago", 100 * s, 102 * s, true},
      {"whole seconds, 4 s ago", 100 * s, 104 * s, false},
  };
  for (const RecentCase& c : cases) EXPECT_EQ(native::IsRecentChange(c.latest, c.now, s), c.recent) << c.what;
}

}  // namespace
}  // namespace tq
