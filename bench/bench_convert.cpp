// Conversion throughput: whole Execute commands over many generated borings, and the text forms.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "common/values.h"
#include "patterns/pattern_settings.h"
#include "platform/file_system.h"
#include "run/execute.h"

namespace {

using namespace tq;

// A window that selects every file and answers every question Yes.
class BatchWindow : public RunWindow {
 public:
  explicit BatchWindow(std::vector<Text> files) : files_(std::move(files)) {}
  int MsgBox(const Text&, int, const std::optional<Text>&) override { return kAnswerYes; }
  Text SourceFolderText() override { return U"B:\\src\\"; }
  Text DestinationText() override { return U"B:\\out"; }
  void SetStatusCaption(const Text&) override {}
  void FocusDestinationBox() override {}
  void SetMousePointer(int) override {}
  int FileListCount() override { return static_cast<int>(files_.size()); }
  bool FileListSelected(int) override { return true; }
  Text FileListItem(int index) override { return files_[static_cast<std::size_t>(index)]; }

 private:
  std::vector<Text> files_;
};

std::string BoringBytes(const std::string& id, int rows) {
  std::string bytes = "\"A\",\"" + id + "\",\"\"\r\n\"A\",\"\",\"\",\"\x92\x6E\x8E\xBF\x92\xB2\x8D\xB8\"\r\n";
  bytes += "\"C\",\"\",\"\",\"" + std::to_string(rows) + "\"\r\n";
  for (int i = 1; i <= rows; ++i) {
    bytes += "\"C\",\"\",\"\",\"" + std::to_string(i) + ".15\",\"" + std::to_string(i % 60) + "\",\"30\"\r\n";
  }
  return bytes;
}

void ConvertBorings(benchmark::State& state) {
  const int files = static_cast<int>(state.range(0));
  std::filesystem::path root = std::filesystem::temp_directory_path() / ("tq-bench-" + std::to_string(::getpid()));
  std::filesystem::create_directories(root / "src");
  std::filesystem::create_directories(root / "pat");
  std::vector<Text> names;
  for (int i = 1; i <= files; ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "12345678.%03d", i % 1000);
    std::string id = std::string(name, 8) + std::string(name + 9, 3);
    std::ofstream(root / "src" / name, std::ios::binary) << BoringBytes(id, 50);
    names.push_back(FromUtf8(name));
  }
  FileSystem fs(std::map<char32_t, std::string>{{U'B', root.string()}});
  fs.SetCurrentDrive(U'B');
  FileSystem::Replace(std::move(fs));
  SetPatternFolder(U"B:\\pat\\");
  for (auto _ : state) {
    BatchWindow window(names);
    if (Command1_Click(window) != RunOutcome::kCompleted) state.SkipWithError("conversion failed");
  }
  state.SetItemsProcessed(state.iterations() * files);
  std::filesystem::remove_all(root);
}
BENCHMARK(ConvertBorings)->Arg(100)->Unit(benchmark::kMillisecond);

void FormatDepths(benchmark::State& state) {
  const Text fields[] = {U"1.15", U"12.345", U"0.005", U"12345.6", U"", U"-0.5"};
  for (auto _ : state) {
    for (const Text& field : fields) benchmark::DoNotOptimize(DepthTextOf(field));
  }
  state.SetItemsProcessed(state.iterations() * 6);
}
BENCHMARK(FormatDepths);

void DecodeShiftJis(benchmark::State& state) {
  std::string bytes;
  for (int i = 0; i < 1000; ++i) bytes += "\"C\",\"\x8D\xBB\x8E\xBF\x83\x56\x83\x8B\x83\x67\",\"1.15\"\r\n";
  for (auto _ : state) benchmark::DoNotOptimize(FromShiftJis(bytes));
  state.SetBytesProcessed(state.iterations() * static_cast<long>(bytes.size()));
}
BENCHMARK(DecodeShiftJis);

}  // namespace

BENCHMARK_MAIN();
