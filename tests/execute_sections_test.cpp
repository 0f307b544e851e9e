// Whole runs through the Execute command: how the section chain reaches sections D to H and Z.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "run/execute.h"
#include "support/test_support.h"

namespace tq {
namespace {

using test::CrLf;
using test::ScriptedWindow;
using test::T;
using test::TempDrive;
using test::U8;

// A header whose count stands at characters 26 to 28 and is also its fourth field.
std::string HeaderLine(const std::string& kind, int count) {
  std::string digits = std::to_string(count);
  return "\"" + kind + "\",\"12345678901\",\"1234\"," + std::string(3 - digits.size(), ' ') + digits;
}

std::string DRow(const std::string& upper, const std::string& value22 = "") {
  std::string row = R"("D","1","1")";
  for (int v = 1; v <= 23; ++v) {
    std::string value = v == 2 ? upper : v == 3 ? "9" : v == 22 ? value22 : std::to_string(v);
    row += ",\"" + value + "\"";
  }
  return row;
}

const std::vector<std::string> kSectionC = {R"("C","a","b","1")", R"("C","1","1","1.15","12","30")"};
const std::vector<std::string> kSectionD = {R"("D","a","b","2")", DRow("1.5"), DRow("6")};
const std::vector<std::string> kSectionE = {R"("E","a","b","1")", R"("E","1","1","3.5","10","20","30")"};
const std::vector<std::string> kSectionF = {R"("F","a","b","1","8")", R"("F","1","1","1.00","2.50","2.5E-3")"};
const std::vector<std::string> kSectionG = {R"("G","a","b","2")", R"("G","1","1","0","1","5")",
                                            R"("G","1","2","1","2","6")"};
const std::vector<std::string> kSectionH = {R"("H","a","b","1")", R"("H","1","1","1","3","7")"};
const std::vector<std::string> kSectionX = {HeaderLine("X", 0)};
const std::vector<std::string> kSectionZ = {HeaderLine("Z", 2), R"("Z","1","1","1.2","表土")",
                                            R"("Z","1","2","3.5","粘土")"};
const std::string kX12 = CrLf({"   1,   0.00,\"表土\"", "   2,   1.20,\"粘土\""});

std::vector<std::string> Join(std::initializer_list<std::vector<std::string>> sections) {
  std::vector<std::string> lines;
  for (const auto& section : sections) lines.insert(lines.end(), section.begin(), section.end());
  return lines;
}

class SectionChainRunTest : public ::testing::Test {
 protected:
  SectionChainRunTest() {
    drive.MakeFolder("src");
    drive.MakeFolder("out");
    drive.MakeFolder("patdat");
    converter.Patterns().SetFolder(U"T:\\patdat\\");
    window.source = U"T:\\src";
    window.destination = U"T:\\out";
  }

  // Converts source files named 12345678.00n, each given by its lines after the first record.
  RunOutcome ConvertFiles(const std::vector<std::vector<std::string>>& files) {
    std::vector<Text> names;
    for (std::size_t n = 0; n < files.size(); ++n) {
      std::string name = "12345678.00" + std::to_string(n + 3);
      std::vector<std::string> lines = {"\"A\",\"12345678" + std::string("00") + std::to_string(n + 3) + "\",\"x\""};
      lines.insert(lines.end(), files[n].begin(), files[n].end());
      drive.Write("src/" + name, CrLf(lines));
      names.push_back(T(name));
    }
    window.SelectAll(names);
    return window.Run(converter);
  }

  RunOutcome Convert(const std::vector<std::string>& lines) { return ConvertFiles({lines}); }

  std::string Out(const std::string& name, int file = 3) { return drive.Read(Folder(file) + name); }
  bool Has(const std::string& name, int file = 3) { return drive.Exists(Folder(file) + name); }
  static std::string Folder(int file) { return "out/12345678" + std::string("00") + std::to_string(file) + "/"; }

  TempDrive drive;
  Converter converter{drive.Files()};
  ScriptedWindow window;
};

TEST_F(SectionChainRunTest, EverySectionOfTheChainIsConverted) {
  ASSERT_EQ(Convert(Join({kSectionC, kSectionD, kSectionE, kSectionF, kSectionG, kSectionH, kSectionX, kSectionZ})),
            RunOutcome::kCompleted);
  EXPECT_EQ(Out("L209.txt"), CrLf({"   1,,   3.50,,30,,10,20,,,,,,,"}));
  EXPECT_EQ(Out("L204.txt"), CrLf({"   1,   1.50,   1.00,0.0025,,,,,,,,,,,"}));
  EXPECT_EQ(Out("L201.txt"), CrLf({"   1,   1.00,   0.00,,,5,,,,,,,,,", "   2,   1.00,   1.00,,,6,,,,7,,,,,"}));
  EXPECT_EQ(Out("X12.txt"), kX12);
  EXPECT_EQ(Out("X100A.txt"), CrLf({"   1,1,15,20,21,,23", "   2,1,15,20,21,,23"}));
  EXPECT_TRUE(Has("X100.txt"));
  EXPECT_TRUE(Has("X5.txt"));
}

TEST_F(SectionChainRunTest, AFileWithoutSectionXKeepsItsSectionZ) {
  ASSERT_EQ(Convert(Join({kSectionC, kSectionD, kSectionE, kSectionF, kSectionG, kSectionH, kSectionZ})),
            RunOutcome::kCompleted);
  EXPECT_EQ(Out("X12.txt"), kX12);
}

TEST_F(SectionChainRunTest, ASectionZRightAfterTheChainIsFoundWithoutSectionX) {
  // The chain has read the Z header's record kind, so the X scan begins inside that line.
  ASSERT_EQ(Convert(Join({kSectionC, kSectionZ})), RunOutcome::kCompleted);
  EXPECT_EQ(Out("X12.txt"), kX12);
}

TEST_F(SectionChainRunTest, ASectionZBeforeSectionXIsStillPassedOver) {
  ASSERT_EQ(Convert(Join({kSectionC, kSectionZ, kSectionX})), RunOutcome::kCompleted);
  EXPECT_FALSE(Has("X12.txt"));
}

TEST_F(SectionChainRunTest, AHeaderOfFourFieldsWithNoRowsLeavesTheNextSection) {
  ASSERT_EQ(Convert(Join({{R"("E","a","b","0")"}, kSectionF, {R"("G","a","b","0")"}, kSectionH, kSectionZ})),
            RunOutcome::kCompleted);
  EXPECT_EQ(Out("L209.txt"), "");
  EXPECT_EQ(Out("L204.txt"), CrLf({"   1,   1.50,   1.00,0.0025,,,,,,,,,,,"}));
  EXPECT_EQ(Out("L201.txt"), CrLf({"   1,   2.00,   1.00,,,,,,,7,,,,,"}));
  EXPECT_EQ(Out("X12.txt"), kX12);
}

TEST_F(SectionChainRunTest, RowLettersInLowerCaseOrFullWidthShiftNoField) {
  ASSERT_EQ(Convert(Join({{R"("F","a","b","2")", R"("f","1","1","1.00","2.50","1")", R"("Ｆ","1","2","2.5","3","2")"},
                          kSectionG})),
            RunOutcome::kCompleted);
  EXPECT_EQ(Out("L204.txt"), CrLf({"   1,   1.50,   1.00,,,1,,,,,,,,,", "   2,   0.50,   2.50,,,2,,,,,,,,,"}));
  EXPECT_TRUE(Has("L201.txt"));
}

TEST_F(SectionChainRunTest, SectionDFilesUseTheLayersInTheBoringFolder) {
  drive.Write(Folder(3) + "X1.txt", CrLf({"   1,   2.00,0101,砂", "   2,   9.00,0202,粘土"}));
  ASSERT_EQ(Convert(Join({kSectionD, kSectionZ})), RunOutcome::kCompleted);
  std::string x100 = Out("X100.txt");
  EXPECT_NE(x100.find(test::Sjis(",0101,砂,")), std::string::npos) << x100;
  EXPECT_NE(x100.find(test::Sjis(",0202,粘土,")), std::string::npos) << x100;
  EXPECT_TRUE(Has("X100A.txt"));
}

TEST_F(SectionChainRunTest, SectionDFilesTakeTheLayersOfTheSameFilesSectionX) {
  converter.Patterns().SetProgramFolder(U"T:\\");
  drive.Write(Folder(3) + "X1.txt", CrLf({"   1,  99.00,0909,stale layer of an earlier run"}));
  std::vector<std::string> sectionX = {HeaderLine("X", 2), R"("X","1","","2.0","砂","")", R"("X","2","","9.0","粘土","")"};
  ASSERT_EQ(Convert(Join({kSectionD, sectionX})), RunOutcome::kCompleted);
  std::string x100 = Out("X100.txt");
  EXPECT_NE(x100.find(test::Sjis(",1000,砂,")), std::string::npos) << x100;
  EXPECT_NE(x100.find(test::Sjis(",1001,粘土,")), std::string::npos) << x100;
  EXPECT_EQ(x100.find("stale"), std::string::npos) << x100;
}

TEST_F(SectionChainRunTest, SectionDFilesWaitForTheXStep) {
  // A malformed X header stops the file before the layers are written, and so before X100.txt;
  // the boring's files are written together, so L209.txt is not written either.
  std::vector<std::string> badX = {R"("X","12345678901","1234", -5)"};
  EXPECT_EQ(Convert(Join({kSectionD, kSectionE, badX})), RunOutcome::kConversionFailed);
  EXPECT_FALSE(Has("L209.txt"));
  EXPECT_FALSE(Has("X100.txt"));
  EXPECT_FALSE(Has("X100A.txt"));
}

TEST_F(SectionChainRunTest, OnlyFilesWithTheirOwnSectionsGetTheirFiles) {
  ASSERT_EQ(ConvertFiles({Join({kSectionD, kSectionG}), Join({kSectionC})}),
            RunOutcome::kCompleted);
  EXPECT_TRUE(Has("X100.txt", 3));
  EXPECT_TRUE(Has("L201.txt", 3));
  EXPECT_FALSE(Has("X100.txt", 4));
  EXPECT_FALSE(Has("X100A.txt", 4));
  EXPECT_FALSE(Has("L201.txt", 4));
}

TEST_F(SectionChainRunTest, AValueBeyondSinglePrecisionStopsTheFileNamingItsLine) {
  EXPECT_EQ(Convert(Join({kSectionC, {R"("D","a","b","2")", DRow("1"), DRow("2", "1E39")}})),
            RunOutcome::kConversionFailed);
  ASSERT_EQ(window.messages.size(), 1u);
  std::string message = U8(window.messages[0].text);
  EXPECT_NE(message.find("12345678.003"), std::string::npos) << message;
  EXPECT_NE(message.find("の 6 行目"), std::string::npos) << message;
  EXPECT_NE(message.find("1E39"), std::string::npos) << message;
  EXPECT_FALSE(Has("X100.txt"));
}

std::string ReadExample(const std::string& name) {
  std::ifstream in(std::filesystem::path(TQ_EXAMPLES_DIR) / "borings" / name, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

TEST_F(SectionChainRunTest, TheExampleBoringsConvertToTheSameBytesTwice) {
  const char* files[] = {"titl01.txt", "titl02.txt", "titl04.txt", "X5.txt",   "X100.txt", "X100A.txt",
                         "L209.txt",   "L204.txt",   "L201.txt",   "X12.txt"};
  for (const char* example : {"12345678.003", "12345678.004"}) {
    std::string bytes = ReadExample(example);
    ASSERT_FALSE(bytes.empty()) << example;
    drive.Write(std::string("src/") + example, bytes);
  }
  window.SelectAll({U"12345678.003", U"12345678.004"});
  ASSERT_EQ(window.Run(converter), RunOutcome::kCompleted);
  std::vector<std::string> first;
  for (int boring : {3, 4}) {
    for (const char* name : files) {
      ASSERT_TRUE(Has(name, boring)) << boring << " " << name;
      first.push_back(Out(name, boring));
    }
  }
  // Only the boring with section X has its layers.
  EXPECT_TRUE(Has("X1.txt", 3) && Has("X3.txt", 3));
  EXPECT_FALSE(Has("X1.txt", 4) || Has("X3.txt", 4));
  first.push_back(Out("X1.txt", 3));
  first.push_back(Out("X3.txt", 3));
  // Without section X the second boring's remarks are found all the same.
  EXPECT_EQ(Out("X12.txt", 4), Out("X12.txt", 3));
  ASSERT_EQ(window.Run(converter), RunOutcome::kCompleted);
  std::size_t k = 0;
  for (int boring : {3, 4}) {
    for (const char* name : files) EXPECT_EQ(Out(name, boring), first[k++]) << boring << " " << name;
  }
  EXPECT_EQ(Out("X1.txt", 3), first[k++]);
  EXPECT_EQ(Out("X3.txt", 3), first[k++]);
}

}  // namespace
}  // namespace tq
