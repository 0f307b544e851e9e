// The pattern data folder setting and the start-up check.
#include <gtest/gtest.h>

#include <cstdlib>

#include "patterns/pattern_settings.h"
#include "support/test_support.h"

namespace tq {
namespace {

using test::CrLf;
using test::ScriptedWindow;
using test::TempDrive;
using test::U8;

class PatternSettings : public ::testing::Test {
 protected:
  void SetUp() override { test::SetEnvironment("TECRIS2QUILLO_SYSDIR", test::NativeString(drive_.Native("sys"))); }
  void TearDown() override { test::SetEnvironment("TECRIS2QUILLO_SYSDIR", ""); }
  void WriteSetting(const std::string& bytes) { drive_.Write("sys/PatdatV5.ini", bytes); }

  TempDrive drive_;
  PatternData patterns_{drive_.Files(), Text()};
};

TEST_F(PatternSettings, SecondLineFirstFieldTrimmed) {
  struct Case {
    std::string bytes;
    Text folder;
  } cases[] = {
      {CrLf({"[anything, at all]", "  T:\\PATDAT\\  "}), U"T:\\PATDAT\\"},
      {CrLf({"", "\"T:\\PAT DAT\\\""}), U"T:\\PAT DAT\\"},
      {CrLf({"x", "T:\\PATDAT\\,more,fields", "line 3"}), U"T:\\PATDAT\\"},
      {CrLf({"only one line"}), U""},
  };
  for (const Case& c : cases) {
    WriteSetting(c.bytes);
    EXPECT_EQ(U8(ReadPatternFolderSetting(drive_.Files())), U8(c.folder)) << c.bytes;
  }
}

TEST_F(PatternSettings, MissingOrEmptySettingFile) {
  EXPECT_EQ(ReadPatternFolderSetting(drive_.Files()), U"");
  EXPECT_FALSE(drive_.Exists("sys/PatdatV5.ini")) << "no setting file is left behind";
  WriteSetting("");
  EXPECT_EQ(ReadPatternFolderSetting(drive_.Files()), U"");
  EXPECT_FALSE(drive_.Exists("sys/PatdatV5.ini")) << "an empty setting file is deleted";
}

TEST_F(PatternSettings, StartUpRefusesWithoutAUsableFolder) {
  struct Case {
    const char* name;
    std::optional<std::string> setting;
    bool ok;
  } cases[] = {
      {"no setting file", std::nullopt, false},
      {"folder does not exist", CrLf({"", "T:\\missing\\"}), false},
      {"folder exists", CrLf({"", "T:\\patdat\\"}), true},
      {"without its backslash the last character is cut", CrLf({"", "T:\\patdatX"}), true},
  };
  drive_.MakeFolder("patdat");
  for (const Case& c : cases) {
    std::filesystem::remove(drive_.Native("sys/PatdatV5.ini"));
    if (c.setting) WriteSetting(*c.setting);
    ScriptedWindow window;
    EXPECT_EQ(LoadPatternFolder(patterns_, window), c.ok) << c.name;
    if (c.ok) {
      EXPECT_TRUE(window.messages.empty()) << c.name;
      continue;
    }
    ASSERT_EQ(window.messages.size(), 1u) << c.name;
    EXPECT_TRUE(StartsWith(window.messages[0].text, U" PATDAT の設定がありません.\n")) << c.name;
    EXPECT_EQ(window.messages[0].style, 0);
  }
}

TEST_F(PatternSettings, StartUpSetsPatternFolder) {
  drive_.MakeFolder("patdat");
  WriteSetting(CrLf({"", "T:\\patdat\\"}));
  ScriptedWindow window;
  ASSERT_TRUE(LoadPatternFolder(patterns_, window));
  EXPECT_EQ(patterns_.Folder(), U"T:\\patdat\\");
}

}  // namespace
}  // namespace tq
