// Whole conversions with the Nth file operation failing, for every N until one gets through.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "run/execute.h"
#include "support/test_support.h"

namespace tq {
namespace {

namespace fs = std::filesystem;
using test::TempDrive;
using test::U8;

const fs::path kExamples = TQ_EXAMPLES_DIR;

// Every entry below a native folder, by relative path, with the bytes of each file.
using Tree = std::map<std::string, std::string>;

Tree TreeOf(const fs::path& root) {
  Tree tree;
  if (!fs::exists(root)) return tree;
  for (const auto& entry : fs::recursive_directory_iterator(root)) {
    std::ostringstream bytes;
    if (entry.is_regular_file()) bytes << std::ifstream(entry.path(), std::ios::binary).rdbuf();
    tree[fs::relative(entry.path(), root).string()] = bytes.str();
  }
  return tree;
}

bool HoldsHiddenEntry(const Tree& tree) {
  for (const auto& [path, bytes] : tree) {
    for (const fs::path& part : fs::path(path)) {
      if (part.string().starts_with(".")) return true;
    }
  }
  return false;
}

// The rows of a soil pattern table, each as its six fields read.
std::vector<std::vector<Text>> RowsOf(const std::string& table) {
  std::vector<std::vector<Text>> rows;
  SourceFile file(table);
  while (!file.AtEnd()) {
    std::vector<Text> row;
    for (int k = 0; k < 6; ++k) row.push_back(file.ReadField());
    rows.push_back(row);
  }
  return rows;
}

// A boring with every section whose layers hold a soil name neither table knows, converted into
// a destination that holds an older conversion of it, or none.
struct Scenario {
  const char* what;
  bool olderConversion;
};

class FaultInjectionTest : public ::testing::TestWithParam<Scenario> {
 protected:
  // The drive as it is before every run.
  static void Prepare(const TempDrive& drive, bool olderConversion) {
    fs::copy(kExamples / "patdat", drive.Native("patdat"));
    drive.MakeFolder("src");
    drive.MakeFolder("prog");
    fs::copy(kExamples / "borings" / "12345678.003", drive.Native("src/12345678.003"));
    drive.MakeFolder("out");
    if (!olderConversion) return;
    drive.Write("out/12345678003/titl01.txt", "older title\r\n");
    drive.Write("out/12345678003/X1.txt", "   1,   9.00,0001,older\r\n");
    drive.Write("out/12345678003/L4.txt", "a file of no section\r\n");
  }

  struct Run {
    RunOutcome outcome;
    std::vector<test::ShownMessage> messages;
    std::vector<Text> warnings;
  };

  class Window : public test::ScriptedWindow {
   public:
    void Warning(const Text& text) override { warnings.push_back(text); }
    std::vector<Text> warnings;
  };

  static Run Convert(Converter& converter) {
    converter.Patterns().SetFolder(U"T:\\patdat\\");
    converter.Patterns().SetProgramFolder(U"T:\\prog");
    Window window;
    window.source = U"T:\\src";
    window.destination = U"T:\\out";
    window.SelectAll({U"12345678.003"});
    RunOutcome outcome = window.Run(converter);
    return {outcome, window.messages, window.warnings};
  }
};

TEST_P(FaultInjectionTest, EveryFailedOperationLeavesOldOrCompleteFilesAndACleanRerunConverts) {
  // The reference: a conversion on which nothing fails.
  TempDrive clean;
  Prepare(clean, GetParam().olderConversion);
  const Tree patternsBefore = TreeOf(clean.Native("patdat"));
  const Tree boringBefore = TreeOf(clean.Native("out"));
  {
    Converter converter(clean.Files());
    ASSERT_EQ(Convert(converter).outcome, RunOutcome::kCompleted);
  }
  const Tree patternsAfter = TreeOf(clean.Native("patdat"));
  const Tree boringAfter = TreeOf(clean.Native("out"));
  ASSERT_NE(patternsAfter.at("KISHITU.TXT"), patternsBefore.at("KISHITU.TXT")) << "the boring must teach a name";

  for (Fault::Kind kind : {Fault::kError, Fault::kShortWrite}) {
    int injected = 0;
    for (int n = 1;; ++n) {
      SCOPED_TRACE((kind == Fault::kError ? "error at operation " : "short write at write ") + std::to_string(n));
      TempDrive drive;
      Prepare(drive, GetParam().olderConversion);
      Converter converter(drive.Files());
      int calls = 0;
      converter.Files().SetFaultHook([&](FileOperation operation, const std::string&) {
        if (kind == Fault::kShortWrite && operation != FileOperation::kWrite) return Fault(Fault::kNone);
        return Fault(++calls == n ? kind : Fault::kNone);
      });
      Run run = Convert(converter);
      if (calls < n) break;  // the conversion got through without meeting the Nth operation
      ++injected;

      const Tree patterns = TreeOf(drive.Native("patdat"));
      const Tree boring = TreeOf(drive.Native("out"));
      EXPECT_FALSE(HoldsHiddenEntry(patterns) || HoldsHiddenEntry(boring)) << "a temporary was left";
      for (const char* table : {"KISHITU.TXT", "XKISHITU.TXT"}) {
        EXPECT_TRUE(patterns.at(table) == patternsBefore.at(table) || patterns.at(table) == patternsAfter.at(table))
            << table << " is neither old nor complete";
      }
      if (run.outcome == RunOutcome::kCompleted) {
        // Only the pattern-added marker may fail without stopping the run, and it is warned of.
        EXPECT_FALSE(run.warnings.empty());
        EXPECT_EQ(boring, boringAfter);
      } else {
        EXPECT_EQ(run.outcome, RunOutcome::kConversionFailed);
        ASSERT_EQ(run.messages.size(), 1u);
        EXPECT_NE(run.messages[0].text.find(U"一つも書き込んでいません"), Text::npos) << U8(run.messages[0].text);
        EXPECT_EQ(boring, boringBefore) << "the boring folder must stay as it was";
      }

      converter.Files().SetFaultHook(nullptr);
      ASSERT_EQ(Convert(converter).outcome, RunOutcome::kCompleted);
      EXPECT_EQ(TreeOf(drive.Native("out")), boringAfter);
      // A row learned from XKISHITU.TXT is copied as its fields read, without the spaces
      // around them, so the rerun's soil table holds the same rows, not the same bytes.
      Tree rerunPatterns = TreeOf(drive.Native("patdat"));
      EXPECT_EQ(RowsOf(rerunPatterns.at("KISHITU.TXT")), RowsOf(patternsAfter.at("KISHITU.TXT")));
      EXPECT_EQ(rerunPatterns.at("XKISHITU.TXT"), patternsAfter.at("XKISHITU.TXT"));
      if (::testing::Test::HasFailure()) return;
    }
    EXPECT_GT(injected, kind == Fault::kError ? 20 : 5) << "the loop must have met the conversion's operations";
  }
}

// The example borings converted together. While one boring goes into place the next is already
// converted, so a failure at any operation must still leave exactly what a run that stopped at the
// failing boring leaves: every boring before it complete, nothing of it or after it, and tables that
// learned nothing from a boring after it.
class FaultInjectionBatchTest : public ::testing::Test {
 protected:
  static constexpr const char* kBorings[] = {"12345678.001", "12345678.002", "12345678.003", "12345678.004"};

  struct State {
    Tree patterns;
    Tree out;
  };

  static void Prepare(const TempDrive& drive, std::size_t borings) {
    fs::copy(kExamples / "patdat", drive.Native("patdat"));
    drive.MakeFolder("prog");
    drive.MakeFolder("out");
    drive.MakeFolder("src");
    for (std::size_t i = 0; i < borings; ++i) {
      fs::copy(kExamples / "borings" / kBorings[i], drive.Native(std::string("src/") + kBorings[i]));
    }
  }

  static RunOutcome Convert(Converter& converter, std::vector<test::ShownMessage>* messages = nullptr) {
    converter.Patterns().SetFolder(U"T:\\patdat\\");
    converter.Patterns().SetProgramFolder(U"T:\\prog");
    test::ScriptedWindow window;
    window.source = U"T:\\src";
    window.destination = U"T:\\out";
    for (const char* name : kBorings) window.items.push_back(test::T(name));
    window.selected.assign(window.items.size(), true);
    RunOutcome outcome = window.Run(converter);
    if (messages) *messages = window.messages;
    return outcome;
  }

  // What a run that converts the first k borings leaves, for k = 0 .. all.
  static std::vector<State> StatesAfterEachBoring() {
    std::vector<State> states;
    for (std::size_t k = 0; k <= std::size(kBorings); ++k) {
      TempDrive drive;
      Prepare(drive, k);
      Converter converter(drive.Files());
      if (k > 0) Convert(converter);
      states.push_back({TreeOf(drive.Native("patdat")), TreeOf(drive.Native("out"))});
    }
    return states;
  }

  // The boring whose file the failure message names.
  static std::size_t FailingBoring(const Text& message) {
    for (std::size_t i = 0; i < std::size(kBorings); ++i) {
      if (message.find(test::T(kBorings[i])) != Text::npos) return i;
    }
    return std::size(kBorings);
  }
};

TEST_F(FaultInjectionBatchTest, AFailureStopsAtItsBoringAndNothingAfterItIsWrittenOrLearned) {
  const std::vector<State> states = StatesAfterEachBoring();
  int injected = 0;
  for (int n = 1;; ++n) {
    SCOPED_TRACE("error at operation " + std::to_string(n));
    TempDrive drive;
    Prepare(drive, std::size(kBorings));
    Converter converter(drive.Files());
    int calls = 0;
    converter.Files().SetFaultHook([&](FileOperation, const std::string&) { return ++calls == n; });
    std::vector<test::ShownMessage> messages;
    RunOutcome outcome = Convert(converter, &messages);
    if (calls < n) break;
    ++injected;

    State state{TreeOf(drive.Native("patdat")), TreeOf(drive.Native("out"))};
    EXPECT_FALSE(HoldsHiddenEntry(state.patterns) || HoldsHiddenEntry(state.out)) << "a temporary was left";
    if (outcome == RunOutcome::kCompleted) {
      EXPECT_EQ(state.out, states.back().out);  // only the pattern-added marker may fail
      continue;
    }
    ASSERT_EQ(messages.size(), 1u);
    std::size_t failing = FailingBoring(messages[0].text);
    ASSERT_LT(failing, std::size(kBorings)) << U8(messages[0].text);
    EXPECT_EQ(state.out, states[failing].out) << "the borings before the failing one, and nothing else";
    // The failing boring may have taught some of its names before the failure, never a later one's.
    for (const char* table : {"KISHITU.TXT", "XKISHITU.TXT"}) {
      auto rows = [](const std::string& bytes) {
        std::vector<std::vector<Text>> all = RowsOf(bytes);
        return std::set<std::vector<Text>>(all.begin(), all.end());
      };
      std::set<std::vector<Text>> now = rows(state.patterns.at(table));
      std::set<std::vector<Text>> before = rows(states[failing].patterns.at(table));
      std::set<std::vector<Text>> after = rows(states[failing + 1].patterns.at(table));
      EXPECT_TRUE(std::includes(now.begin(), now.end(), before.begin(), before.end())) << table << " lost rows";
      EXPECT_TRUE(std::includes(after.begin(), after.end(), now.begin(), now.end()))
          << table << " learned from a boring after the failing one";
    }
    if (::testing::Test::HasFailure()) return;
  }
  EXPECT_GT(injected, 40) << "the loop must have met the operations of every boring";
}

INSTANTIATE_TEST_SUITE_P(Destinations, FaultInjectionTest,
                         ::testing::Values(Scenario{"older conversion", true}, Scenario{"new boring", false}),
                         [](const auto& info) { return info.param.olderConversion ? "OlderConversion" : "NewBoring"; });

}  // namespace
}  // namespace tq
