// The setting file PatdatV5.ini: its bytes, writing it whole, inspecting it and the folder's tables.
#include "patterns/pattern_setting_file.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "common/errors.h"
#include "patterns/pattern_settings.h"
#include "platform/output_file.h"
#include "support/test_support.h"

namespace tq {
namespace {

using test::CrLf;
using test::Sjis;
using test::TempDrive;
using test::U8;

class PatternSettingFile : public ::testing::Test {
 protected:
  void SetUp() override { UseConfigurationFolder("sys"); }
  void TearDown() override { test::SetEnvironment("TECRIS2QUILLO_SYSDIR", ""); }
  void UseConfigurationFolder(const std::string& relative) {
    configuration_ = relative;
    test::SetEnvironment("TECRIS2QUILLO_SYSDIR", test::NativeString(drive_.Native(relative)));
  }
  std::string SettingRelative() const { return configuration_ + "/PatdatV5.ini"; }

  TempDrive drive_;
  std::string configuration_;
};

TEST_F(PatternSettingFile, BytesAreTheSectionLineAndTheFolderWithItsBackslash) {
  struct Case {
    Text folder;
    std::optional<std::string> bytes;
  } cases[] = {
      {U"Z:\\home\\me\\patdat", "[PATDAT]\r\nZ:\\home\\me\\patdat\\\r\n"},
      {U"Z:\\home\\me\\patdat\\", "[PATDAT]\r\nZ:\\home\\me\\patdat\\\r\n"},
      // ソ is 0x83 0x5C in code page 932: its trail byte is a backslash, the folder's end is not.
      {U"T:\\パターン\\ソ", "[PATDAT]\r\n" + Sjis("T:\\パターン\\ソ\\") + "\r\n"},
      {U"T:\\caf\u00e9", std::nullopt},  // é has no code page 932 form
  };
  for (const Case& c : cases) EXPECT_EQ(PatternSettingBytes(c.folder), c.bytes) << U8(c.folder);
}

TEST_F(PatternSettingFile, WrittenSettingIsReadBackByStartUp) {
  UseConfigurationFolder("home/.config/tecris2quillo");  // several levels missing
  drive_.MakeFolder("パターン");
  WritePatternSetting(drive_.Files(), U"T:\\パターン");

  EXPECT_EQ(drive_.Read(SettingRelative()), "[PATDAT]\r\n" + Sjis("T:\\パターン\\") + "\r\n");
  EXPECT_EQ(U8(ReadPatternFolderSetting(drive_.Files())), "T:\\パターン\\");
  auto entries = std::distance(std::filesystem::directory_iterator(drive_.Native(configuration_)),
                               std::filesystem::directory_iterator());
  EXPECT_EQ(entries, 1) << "no temporary file is left beside the setting";
}

TEST_F(PatternSettingFile, WritingReplacesTheWholeFileOrNothing) {
  drive_.Write(SettingRelative(), CrLf({"[PATDAT]", "T:\\a very long old folder name\\", "old line 3"}));
  WritePatternSetting(drive_.Files(), U"T:\\new\\");
  EXPECT_EQ(drive_.Read(SettingRelative()), "[PATDAT]\r\nT:\\new\\\r\n");

  drive_.Files().SetFaultHook([](FileOperation, const std::string&) { return true; });
  EXPECT_THROW(WritePatternSetting(drive_.Files(), U"T:\\other\\"), ConversionError);
  EXPECT_EQ(drive_.Read(SettingRelative()), "[PATDAT]\r\nT:\\new\\\r\n");
  EXPECT_THROW(WritePatternSetting(drive_.Files(), U"T:\\caf\u00e9\\"), ConversionError);
}

TEST_F(PatternSettingFile, InspectionSaysWhyThereIsNoFolder) {
  struct Case {
    const char* name;
    std::optional<std::string> bytes;
    PatternSettingState state;
    Text folder;
  } cases[] = {
      {"no file", std::nullopt, PatternSettingState::kNoFile, U""},
      {"empty file", "", PatternSettingState::kEmpty, U""},
      {"one line", "[PATDAT]\r\n", PatternSettingState::kOneLine, U""},
      {"one line without its line end", "[PATDAT]", PatternSettingState::kOneLine, U""},
      {"empty second line", "[PATDAT]\r\n\r\n", PatternSettingState::kNoFolder, U""},
      {"folder", "[PATDAT]\r\n  T:\\p\\ ,x\r\n", PatternSettingState::kFolderNamed, U"T:\\p\\"},
  };
  for (const Case& c : cases) {
    std::filesystem::remove(drive_.Native(SettingRelative()));
    if (c.bytes) drive_.Write(SettingRelative(), *c.bytes);
    PatternSetting setting = InspectPatternSetting(drive_.Files());
    EXPECT_EQ(setting.state, c.state) << c.name;
    EXPECT_EQ(U8(setting.folder), U8(c.folder)) << c.name;
    EXPECT_EQ(drive_.Exists(SettingRelative()), c.bytes.has_value()) << c.name << ": inspecting changes nothing";
  }
}

TEST_F(PatternSettingFile, MissingTablesAreNamed) {
  drive_.Write("patdat/L2.txt", "");
  drive_.Write("patdat/l4.txt", "");        // copied from Windows in lower case: still found
  drive_.MakeFolder("patdat/KISHITU.TXT");  // a folder is no table
  std::vector<Text> expected = {U"KISHITU.TXT", U"XKISHITU.TXT"};
  EXPECT_EQ(MissingPatternTables(drive_.Files(), U"T:\\patdat\\"), expected);
}

TEST_F(PatternSettingFile, StartUpMessageSaysHowToSetTheFolder) {
  PatternData patterns(drive_.Files(), U"T:\\prog");
  test::ScriptedWindow window;
  ASSERT_FALSE(LoadPatternFolder(patterns, window));
  ASSERT_EQ(window.messages.size(), 1u);
  std::string message = U8(window.messages[0].text);
  std::string firstLine = message.substr(0, message.find('\n'));
  std::string secondLine = message.substr(message.find('\n') + 1);
  EXPECT_EQ(firstLine, " PATDAT の設定がありません.");
  EXPECT_NE(secondLine.find(test::NativeString(drive_.Native(SettingRelative()))), std::string::npos) << secondLine;
  EXPECT_NE(secondLine.find("tecris2quillo setup --pattern-folder フォルダ"), std::string::npos) << secondLine;

  test::ScriptedWindow direct;
  ASSERT_FALSE(UsePatternFolder(patterns, U"T:\\missing\\", direct));
  EXPECT_EQ(U8(direct.messages.at(0).text),
            " PATDAT の設定がありません.\n指定されたパターンデータフォルダ「T:\\missing\\」がありません。")
      << "a folder given directly needs no setting, only its name";

  drive_.Write(SettingRelative(), CrLf({"[PATDAT]", "T:\\gone\\"}));
  test::ScriptedWindow named;
  ASSERT_FALSE(LoadPatternFolder(patterns, named));
  std::string refused = U8(named.messages.at(0).text);
  EXPECT_NE(refused.find("\n設定ファイルに書かれたパターンデータフォルダ「T:\\gone\\」がありません。\n設定ファイル「"),
            std::string::npos)
      << refused;
}

}  // namespace
}  // namespace tq
