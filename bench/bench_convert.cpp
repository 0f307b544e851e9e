// Conversion throughput: whole Execute commands over many generated borings, and the text forms.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "common/values.h"
#include "platform/file_system.h"
#include "run/execute.h"

namespace {

using namespace tq;

// Answers every question Yes.
class BatchObserver : public RunObserver {
 public:
  int MsgBox(const Text&, int, const std::optional<Text>&) override { return kAnswerYes; }
};

std::string BoringBytes(const std::string& id, int rows) {
  std::string bytes = "\"A\",\"" + id + "\",\"\"\r\n\"A\",\"\",\"\",\"\x92\x6E\x8E\xBF\x92\xB2\x8D\xB8\"\r\n";
  bytes += "\"C\",\"\",\"\",\"" + std::to_string(rows) + "\"\r\n";
  for (int i = 1; i <= rows; ++i) {
    bytes += "\"C\",\"\",\"\",\"" + std::to_string(i) + ".15\",\"" + std::to_string(i % 60) + "\",\"30\"\r\n";
  }
  return bytes;
}

// Writes `files` borings made by `boring` (from their identifier) and the given pattern
// tables into a scratch drive B:, then times whole Execute commands over all of them.
template <typename MakeBoring>
void TimeRuns(benchmark::State& state, int files, MakeBoring boring,
              const std::map<std::string, std::string>& patternTables) {
  std::filesystem::path root = std::filesystem::temp_directory_path() / ("tq-bench-" + std::to_string(::getpid()));
  std::filesystem::create_directories(root / "src");
  std::filesystem::create_directories(root / "pat");
  for (const auto& [name, bytes] : patternTables) std::ofstream(root / "pat" / name, std::ios::binary) << bytes;
  std::vector<Text> names;
  for (int i = 1; i <= files; ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "12345678.%03d", i % 1000);
    std::string id = std::string(name, 8) + std::string(name + 9, 3);
    std::ofstream(root / "src" / name, std::ios::binary) << boring(id);
    names.push_back(FromUtf8(name));
  }
  FileSystem fs(std::map<char32_t, std::string>{{U'B', root.string()}});
  fs.SetCurrentDrive(U'B');
  Converter converter(std::move(fs));
  converter.Patterns().SetFolder(U"B:\\pat\\");
  const RunRequest request{U"B:\\src\\", U"B:\\out", names};
  for (auto _ : state) {
    BatchObserver observer;
    if (Command1_Click(converter, request, observer) != RunOutcome::kCompleted) {
      state.SkipWithError("conversion failed");
    }
  }
  state.SetItemsProcessed(state.iterations() * files);
  std::filesystem::remove_all(root);
}

void ConvertBorings(benchmark::State& state) {
  TimeRuns(state, static_cast<int>(state.range(0)), [](const std::string& id) { return BoringBytes(id, 50); }, {});
}
BENCHMARK(ConvertBorings)->Arg(100)->Unit(benchmark::kMillisecond);

// Soil pattern table rows "code,name,    ,    ,    ,0000" for names 土質0001 up.
std::string SoilTableBytes(int rows) {
  std::string bytes;
  for (int i = 1; i <= rows; ++i) {
    char row[64];
    std::snprintf(row, sizeof row, "%04d,\x93\x79\x8E\xBF%04d,    ,    ,    ,0000\r\n", 999 + i, i);
    bytes += row;
  }
  return bytes;
}

// A boring with sections A, C, D, E, F, G, H, X and Z; its X rows name soils of the table.
std::string FullBoringBytes(const std::string& id, int layers, int tableRows) {
  std::string bytes = "\"A\",\"" + id + "\",\"1\"\r\n\"A\",\"1\",\"2\",\"\x92\x6E\x8E\xBF\"\r\n";
  bytes += "\"C\",\"1\",\"1\",\"2\"\r\n\"C\",\"1\",\"1\",\"1.15\",\"3\",\"30\"\r\n";
  bytes += "\"C\",\"1\",\"2\",\"2.15\",\"12\",\"30\"\r\n\"D\",\"1\",\"1\",\"1\"\r\n";
  bytes += "\"D\",\"1\",\"1\",\"1\",\"1.50\",\"2.30\",\"1.85\",\"2.65\",\"35.2\",\"0.98\",\"2.5\",\"40.1\","
           "\"55.3\",\"2.1\",\"45.0\",\"20.3\",\"1.0\",\"1\",\"1\",\"12.5\",\"30\",\"15\",\"0.15\",\"-\","
           "\"1.5E-5\",\"2.0E-3\"\r\n";
  bytes += "\"E\",\"1\",\"1\",\"1\",\"1\"\r\n\"E\",\"1\",\"1\",\"2.50\",\"10\",\"20\",\"30\"\r\n";
  bytes += "\"F\",\"1\",\"1\",\"1\",\"8\"\r\n\"F\",\"1\",\"1\",\"1.00\",\"2.50\",\"2.5E-3\"\r\n";
  bytes += "\"G\",\"1\",\"1\",\"1\"\r\n\"G\",\"1\",\"1\",\"0.00\",\"1.00\",\"5\"\r\n";
  bytes += "\"H\",\"1\",\"1\",\"1\"\r\n\"H\",\"1\",\"1\",\"1.0\",\"3.00\",\"7\"\r\n";
  char header[64];
  std::snprintf(header, sizeof header, "\"X\",\"%s\",\"1234\",%3d\r\n", id.c_str(), layers);
  bytes += header;
  for (int i = 1; i <= layers; ++i) {
    char row[96];
    std::snprintf(row, sizeof row, "\"X\",\"1\",\"%d\",\"%d.00\",\"\x93\x79\x8E\xBF%04d\",\"\x8A\x44\x90\x46\"\r\n",
                  i, i, 1 + (i * 97) % tableRows);
    bytes += row;
  }
  std::snprintf(header, sizeof header, "\"Z\",\"%s\",\"1234\",  1\r\n", id.c_str());
  bytes += header;
  bytes += "\"Z\",\"1\",\"1\",\"1.20\",\"\x95\x5C\x93\x79\"\r\n";
  return bytes;
}

// Whole runs over borings with every section, their soil names looked up in pattern tables
// of realistic size: the cost per file a user converting a few hundred borings pays.
void ConvertFullBorings(benchmark::State& state) {
  const int tableRows = static_cast<int>(state.range(1));
  std::string table = SoilTableBytes(tableRows);
  TimeRuns(
      state, static_cast<int>(state.range(0)),
      [tableRows](const std::string& id) { return FullBoringBytes(id, 20, tableRows); },
      {{"KISHITU.TXT", table}, {"XKISHITU.TXT", table}});
}
BENCHMARK(ConvertFullBorings)->Args({100, 200})->Args({100, 2000})->Unit(benchmark::kMillisecond);

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
