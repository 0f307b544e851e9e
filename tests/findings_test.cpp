// Findings: each kind from a small source file, the same from the check and from a conversion,
// and the values that mean "not measured" or read as written, which are no finding.
#include "common/findings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <sstream>

#include "run/check.h"
#include "run/execute.h"
#include "support/test_support.h"

namespace tq {
namespace {

using test::CrLf;
using test::T;
using test::U8;

const std::string kFirstRecord = R"("A","12345678001","x")";
const std::string kName = "12345678.001";

// A source file: the first record, then the given lines.
std::string Source(const std::vector<std::string>& lines) {
  std::vector<std::string> all{kFirstRecord};
  all.insert(all.end(), lines.begin(), lines.end());
  return CrLf(all);
}

// The five title records with the given title fields set; the others are empty. Field 7 stands
// for the compound code (title fields 7 to 9), 10 and 13 for the two split fields.
std::vector<std::string> TitleRecords(const std::map<int, std::string>& set) {
  auto record = [&set](std::vector<int> fields) {
    std::string text = R"("A","","")";
    for (int i : fields) text += ",\"" + (set.count(i) ? set.at(i) : std::string()) + "\"";
    return text;
  };
  return {kFirstRecord, record({1}), record({2, 3, 4, 6, 7}), record({10, 13, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25}),
          record({26, 27, 28, 29, 30, 31, 32, 33, 34})};
}

std::string Describe(const std::vector<Finding>& findings) {
  std::ostringstream out;
  for (const Finding& f : findings)
    out << f.line << " " << SeverityName(f.severity) << " [" << f.code << "] " << U8(f.message) << "\n";
  return out.str();
}

// Runs check and a conversion on source files of the test drive and keeps what each found.
class FindingsTest : public ::testing::Test {
 protected:
  FindingsTest() {
    drive_.MakeFolder("src");
    drive_.MakeFolder("out");
    drive_.MakeFolder("pat");
    drive_.Write("pat/KISHITU.TXT", CrLf({test::PatternRow("0101", "砂")}));
    checker_.Patterns().SetFolder(U"T:\\pat\\");
    converter_.Patterns().SetFolder(U"T:\\pat\\");
  }

  std::vector<SourceFileReport> Check(const std::vector<std::string>& names) {
    std::vector<Text> texts;
    for (const std::string& name : names) texts.push_back(T(name));
    return CheckSourceFiles(checker_, U"T:\\src", texts);
  }
  std::vector<Finding> CheckOne(const std::string& bytes, const std::string& name = kName) {
    drive_.Write("src/" + name, bytes);
    return Check({name}).at(0).findings;
  }

  // The findings a conversion reports, to a window that answers every message OK.
  std::vector<Finding> Convert(const std::vector<std::string>& names) {
    struct Recorder : RunObserver {
      std::vector<tq::Finding> findings;
      void Finding(const tq::Finding& finding) override { findings.push_back(finding); }
    } recorder;
    RunRequest request{U"T:\\src", U"T:\\out", {}};
    for (const std::string& name : names) request.files.push_back(T(name));
    Command1_Click(converter_, request, recorder);
    return recorder.findings;
  }

  test::TempDrive drive_;
  Converter checker_{drive_.Files()};
  Converter converter_{drive_.Files()};
};

struct FindingCase {
  const char* name;
  std::string bytes;  // the source file 12345678.001
  const char* code;
  long line;
  Severity severity;
};

const std::string kCHeader = R"("C","a","b","1")";
const std::string kCRow = R"("C","1","1","1.15","12","30")";

const FindingCase kCases[] = {
    {"NotANumber", Source({kCHeader, R"("C","1","1","1.15","x50","30")"}), finding_code::kNotANumber, 3,
     Severity::kWarning},
    {"NumberPrefix", Source({kCHeader, R"("C","1","1","1.15","12abc","30")"}), finding_code::kNumberPrefix, 3,
     Severity::kWarning},
    {"FullWidthDigits", Source({kCHeader, R"("C","1","1","１.15","12","30")"}), finding_code::kNotANumber, 3,
     Severity::kWarning},
    {"TitleNumber", CrLf(TitleRecords({{19, "abc"}})), finding_code::kNotANumber, 4, Severity::kWarning},
    {"RecordOverTwoLines", Source({kCHeader, R"("C","1","1","1.15")", R"("12","30")"}), finding_code::kRecordSplit, 3,
     Severity::kWarning},
    {"TitleRecordOverTwoLines",
     CrLf({R"("A","12345678001","x")", R"("A","","","t")", R"("A","","","a","b")", R"("c","d","e")", R"("Q","x")"}),
     finding_code::kRecordSplit, 3, Severity::kWarning},
    {"MoreFieldsThanTheRecord", Source({kCHeader, R"("C","1","1","1.15","12","30","99")"}), finding_code::kExtraFields,
     3, Severity::kWarning},
    {"SectionAfterALaterOne", Source({R"("D","a","b","0")", kCHeader, R"("C","1","1","1.15","12","30")"}),
     finding_code::kSectionPassedOver, 3, Severity::kWarning},
    {"ZBeforeX", Source({R"("Z","a","b","0")", R"("X","a","b","0")", R"("Q","end")"}), finding_code::kSectionPassedOver,
     2, Severity::kWarning},
    {"KindOutsideTheChain", Source({R"("Q","x")"}), finding_code::kKindSkipped, 2, Severity::kInfo},
    {"KindOutsideTheChainPassedByTheScan",
     Source({kCHeader, R"("C","1","1","1.15","12","30")", R"("Q","x")", R"("R","x")"}), finding_code::kKindSkipped, 5,
     Severity::kInfo},
    {"CountBelowTheRows", Source({kCHeader, R"("C","1","1","1.15","12","30")", R"("C","1","2","2.15","13","30")"}),
     finding_code::kCountBelowRows, 4, Severity::kWarning},
    {"CountBelowTheRowsOfH", Source({R"("H","a","b","1")", R"("H","1","1","1","3","7")", R"("H","1","2","3","4","8")"}),
     finding_code::kCountBelowRows, 4, Severity::kWarning},
    {"CountAboveTheRows",
     Source(
         {R"("C","a","b","2")", R"("C","1","1","1.15","12","30")", R"("E","a","b","0")", R"("Q","1","2","3","4","5")"}),
     finding_code::kCountAboveRows, 4, Severity::kWarning},
    {"XCountOfLetters", Source({R"("X","a","b","ab")", R"("X","1","1","2.0","砂","")"}), finding_code::kCountReadsZero,
     2, Severity::kWarning},
    {"ZCountOfBlanks", Source({R"("Z","12345678901","1234",   )", R"("Z","1","1","1.2","表土")"}),
     finding_code::kCountReadsZero, 2, Severity::kWarning},
    {"XRowsBeyondItsCount",
     Source({R"("X","a","b","1")", R"("X","1","1","2.0","砂","")", R"("X","1","2","3.0","砂","")"}),
     finding_code::kCountBelowRows, 4, Severity::kWarning},
    {"DepthOfFiveDigits", Source({kCHeader, R"("C","1","1","12345.6","12","30")"}), finding_code::kDepthCut, 3,
     Severity::kWarning},
    {"NegativeDepthOfFourDigits", Source({kCHeader, R"("C","1","1","-1234","12","30")"}), finding_code::kDepthCut, 3,
     Severity::kWarning},
    {"TitleTextWiderThanItsColumn", CrLf(TitleRecords({{26, "AB"}})), finding_code::kTitleCut, 5, Severity::kWarning},
    {"TitleAngleOfAnotherLength", CrLf(TitleRecords({{10, "123456"}})), finding_code::kTitleLength, 4,
     Severity::kWarning},
    {"TitleCodeOfAnotherLength", CrLf(TitleRecords({{7, "19981234567"}})), finding_code::kTitleLength, 3,
     Severity::kWarning},
    {"TitleNumberWiderThanItsColumn", CrLf(TitleRecords({{33, "123"}})), finding_code::kTitleCut, 5,
     Severity::kWarning},
    {"Utf8ByteOrderMark", "\xEF\xBB\xBF" + Source({}), finding_code::kNotShiftJis, 1, Severity::kError},
    {"Utf8Text", kFirstRecord + "\r\n\"Q\",\"\xE7\xA0\x82\"\r\n", finding_code::kNotShiftJis, 1, Severity::kError},
    {"ByteOutsideCodePage932", Source({"\"Q\",\"\xFD\""}), finding_code::kInvalidByte, 2, Severity::kWarning},
    {"SoilNameToBeLearned",
     Source({R"("X","a","b","2")", R"("X","1","1","2.0","砂","")", R"("X","1","2","3.0","礫","")"}),
     finding_code::kSoilNameLearned, 4, Severity::kInfo},
    {"IdentifierOfTenCharacters", CrLf({R"("A","1234567800","x")"}), finding_code::kFileRefused, 0, Severity::kError},
    {"CountBeyondTheRange", Source({R"("C","a","b","99999")"}), finding_code::kFileStopped, 2, Severity::kError},
};

class FindingCaseTest : public FindingsTest, public ::testing::WithParamInterface<FindingCase> {};

TEST_P(FindingCaseTest, CheckReportsIt) {
  std::vector<Finding> findings = CheckOne(GetParam().bytes);
  auto found = std::find_if(findings.begin(), findings.end(), [](const Finding& f) {
    return f.code == GetParam().code && f.line == GetParam().line && f.severity == GetParam().severity;
  });
  ASSERT_NE(found, findings.end()) << Describe(findings);
  EXPECT_EQ(U8(found->file), kName);
  EXPECT_FALSE(found->message.empty());
}

// The check reads as the conversion reads, so both find the same, message for message.
TEST_P(FindingCaseTest, ConversionReportsTheSame) {
  std::vector<Finding> checked = CheckOne(GetParam().bytes);
  std::vector<Finding> converted = Convert({kName});
  EXPECT_EQ(Describe(converted), Describe(checked));
}

INSTANTIATE_TEST_SUITE_P(Findings, FindingCaseTest, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Texts that say "not measured", and numbers in every spelling the value reading takes, are
// what their author meant: no finding.
TEST_F(FindingsTest, ValuesReadAsWrittenAreNoFinding) {
  const char* values[] = {"-", "－", "", "  ", "12", " 1.5 ", "-0.5", "2.5E-3", "1D2", "&H1F", "+3."};
  for (const char* value : values) {
    std::string row = std::string(R"("E","1","1","3.5",")") + value + R"(","1","2")";
    EXPECT_EQ(Describe(CheckOne(Source({R"("E","a","b","1")", row}))), "") << value;
  }
  // A penetration marked "*", and an exponent with a full-width letter in the form that reads it.
  EXPECT_EQ(Describe(CheckOne(Source({kCHeader, R"("C","1","1","1.15","60","*")"}))), "");
  EXPECT_EQ(Describe(CheckOne(Source({R"("F","a","b","1")", R"("F","1","1","1.00","2.50","2.5Ｅ-3")"}))), "");
  // Split title fields of the lengths they are split at, and title numbers that fit their columns.
  EXPECT_EQ(Describe(CheckOne(CrLf(TitleRecords(
                {{7, "1998123456"}, {10, "3540123"}, {13, "13945067"}, {19, "12.5"}, {33, "12"}, {26, "A"}})))),
            "");
}

// A field of many megabytes is quoted by its beginning only.
TEST_F(FindingsTest, AHugeValueMakesAShortMessage) {
  std::string huge(1 << 20, 'x');
  std::vector<Finding> findings = CheckOne(Source({kCHeader, R"("C","1","1","1.15",")" + huge + R"(","30")"}));
  ASSERT_EQ(findings.size(), 1u);
  EXPECT_LT(findings[0].message.size(), 200u);
  EXPECT_NE(U8(findings[0].message).find("「" + std::string(40, 'x') + "…」"), std::string::npos);
}

TEST_F(FindingsTest, TwoFilesOfOneIdentifier) {
  drive_.Write("src/12345678.001", Source({kCHeader, kCRow}));
  drive_.Write("src/12345678.002", Source({kCHeader, kCRow}));
  std::vector<SourceFileReport> reports = Check({"12345678.001", "12345678.002"});
  EXPECT_EQ(Describe(reports[0].findings), "");
  std::string second = Describe(reports[1].findings);
  EXPECT_NE(second.find("1 warning [identifier-differs]"), std::string::npos) << second;
  EXPECT_NE(second.find("1 warning [identifier-repeated]"), std::string::npos) << second;
  EXPECT_NE(second.find("12345678.001"), std::string::npos) << second;
}

// Only a conversion has a boring folder to look into.
TEST_F(FindingsTest, OutputsOfAnEarlierConversionThatStay) {
  drive_.Write("src/" + kName, Source({R"("D","a","b","0")"}));
  drive_.MakeFolder("out/12345678001");
  drive_.Write("out/12345678001/X1.txt", CrLf({"   1,   2.00,0101,砂"}));
  drive_.Write("out/12345678001/X5.txt", "");
  std::string found = Describe(Convert({kName}));
  EXPECT_NE(found.find("0 warning [stale-output] ボーリングフォルダ「T:\\out\\12345678001」に以前の変換の「X1.txt」"),
            std::string::npos)
      << found;
  EXPECT_NE(found.find("セクション D の X100.txt"), std::string::npos) << found;
  EXPECT_NE(found.find("「X5.txt」"), std::string::npos) << found;
}

// Nothing of a check reaches the disk: no boring folder, no table row, no lock, no marker.
TEST_F(FindingsTest, CheckWritesNothing) {
  std::string tables = drive_.Read("pat/KISHITU.TXT");
  drive_.Write("src/" + kName, Source({R"("X","a","b","1")", R"("X","1","1","2.0","礫","")"}));
  std::vector<SourceFileReport> reports = Check({kName});
  EXPECT_EQ(reports[0].boring, U"12345678001");
  EXPECT_EQ(reports[0].written, (std::vector<Text>{U"titl01.txt", U"titl02.txt", U"titl04.txt", U"X1.txt", U"X3.txt"}));
  EXPECT_EQ(drive_.Read("pat/KISHITU.TXT"), tables);
  EXPECT_FALSE(drive_.Exists("pat/XKISHITU.TXT"));
  EXPECT_FALSE(drive_.Exists("pat/KISHITU.LCK"));
  EXPECT_FALSE(drive_.Exists("12345678001"));
  EXPECT_FALSE(drive_.Exists("src/12345678001"));
  EXPECT_FALSE(checker_.Patterns().LooksOnly());
}

// A file that would stop a conversion does not stop the check of the files after it.
TEST_F(FindingsTest, CheckGoesOnAfterAFileThatWouldStop) {
  drive_.Write("src/12345678.001", CrLf({R"("A","1234567800","x")"}));
  drive_.Write("src/12345678.002", CrLf({R"("A","12345678002","x")", kCHeader, kCRow}));
  std::vector<SourceFileReport> reports = Check({"12345678.001", "12345678.002", "12345678.009"});
  ASSERT_EQ(reports.size(), 3u);
  EXPECT_NE(Describe(reports[0].findings).find("は 10 文字です"), std::string::npos) << Describe(reports[0].findings);
  EXPECT_EQ(reports[1].boring, U"12345678002");
  EXPECT_EQ(Describe(reports[1].findings), "");
  EXPECT_NE(Describe(reports[2].findings).find("0 error [file-refused]"), std::string::npos);
  EXPECT_NE(Describe(reports[2].findings).find("がありません"), std::string::npos);
}

}  // namespace
}  // namespace tq
