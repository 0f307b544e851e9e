// The runs the batch benchmark times: a batch against its floor, and a crowded destination.
#include "batch/scenarios.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "batch/borings.h"

namespace bench {
namespace {

namespace fs = std::filesystem;

// Every generated boring has every section, so its folder receives this many files.
constexpr std::uintmax_t kFilesPerBoring = 12;

std::string Contents(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string Quoted(const fs::path& path) { return "「" + path.string() + "」"; }

void Require(const ChildRun& run, const std::string& name, const ChildSetup& setup) {
  if (run.timedOut) {
    throw std::runtime_error(setup.arguments[0] + " (" + name + ") が " + std::to_string(setup.deadline.count()) +
                             " 秒で終わらないため止めました。");
  }
  if (run.exitCode == 0) return;
  std::string errors = Contents(setup.errors);
  if (errors.size() > 2000) errors = "…" + errors.substr(errors.size() - 2000);
  throw std::runtime_error(setup.arguments[0] + " (" + name + ") が終了コード " + std::to_string(run.exitCode) +
                           " で終わりました。0 のはずです。標準エラー" + Quoted(setup.errors) + ":\n" + errors);
}

// Runs one timed step with its output in work/name.out and work/name.err.
ChildRun Timed(const Tools& tools, std::vector<std::string> arguments, const fs::path& work, const std::string& name) {
  // Pages an earlier step left dirty would otherwise be written back during this one.
  ::sync();
  ChildSetup setup{std::move(arguments), work / (name + ".out"), work / (name + ".err"),
                   {{"TECRIS2QUILLO_PROGRAM_FOLDER", work.string()}}, tools.deadline};
  ChildRun run = RunChild(setup);
  Require(run, name, setup);
  return run;
}

// Learned soil names change the pattern data folder, so every conversion starts from its own copy.
ChildRun Convert(const Tools& tools, const fs::path& borings, const fs::path& destination, const fs::path& work,
                 const std::string& name) {
  fs::path patterns = work / (name + "-patdat");
  WritePatternFolder(tools.examples, patterns);
  return Timed(tools,
               {tools.converter.string(), "convert", "--pattern-folder", patterns.string(), "--yes", borings.string(),
                destination.string()},
               work, name);
}

void KeepFaster(ChildRun& best, const ChildRun& run, int repeat) {
  if (repeat == 1 || run.seconds < best.seconds) best = run;
}

void RequireFolders(const fs::path& destination, int expected) {
  int folders = 0;
  for (const fs::directory_entry& entry : fs::directory_iterator(destination)) folders += entry.is_directory() ? 1 : 0;
  if (folders == expected) return;
  throw std::runtime_error("変換先フォルダ" + Quoted(destination) + "のボーリングフォルダが " + std::to_string(folders) +
                           " 個です。" + std::to_string(expected) + " 個のはずです。");
}

// Hidden temporary files count too: one left behind is a fault of the run.
void MeasureOutput(const fs::path& destination, BatchResult& result) {
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(destination)) {
    if (!entry.is_regular_file()) continue;
    ++result.outputFiles;
    result.outputBytes += entry.file_size();
  }
  std::uintmax_t expected = kFilesPerBoring * static_cast<std::uintmax_t>(result.borings);
  if (result.outputFiles == expected) return;
  throw std::runtime_error("変換先フォルダ" + Quoted(destination) + "のファイルが " + std::to_string(result.outputFiles) +
                           " 個です。" + std::to_string(expected) + " 個のはずです。");
}

// The floor reports what it wrote and its writing time: "folders F files N bytes B seconds S cpu C".
FloorRun RunFloorOnce(const Tools& tools, const std::string& name, const std::string& mode, const fs::path& reference,
                      const fs::path& work, std::uintmax_t files) {
  FloorRun floor{Timed(tools, {tools.floor.string(), mode, reference.string(), (work / name).string()}, work, name), 0};
  std::string report = Contents(work / (name + ".out"));
  std::istringstream fields(report);
  std::string word;
  std::uintmax_t folders = 0, written = 0, bytes = 0;
  fields >> word >> folders >> word >> written >> word >> bytes >> word >> floor.writeSeconds >> word >>
      floor.writeCpuSeconds;
  if (fields && written == files) return floor;
  throw std::runtime_error("下限プログラムの報告「" + report + "」が読めないか、ファイル数が " + std::to_string(files) +
                           " 個ではありません。");
}

// The run with the shortest writing time: the floor is what the disk allows at its best.
void RunFloorRound(const Tools& tools, const std::string& mode, const fs::path& reference, const fs::path& work,
                   std::uintmax_t files, int repeat, FloorRun& best) {
  FloorRun run = RunFloorOnce(tools, "floor-" + mode + "-" + std::to_string(repeat), mode, reference, work, files);
  if (repeat == 1 || run.writeSeconds < best.writeSeconds) best = run;
}

ChildRun RunList(const Tools& tools, const fs::path& borings, const fs::path& work, int expected) {
  ChildRun run = Timed(tools, {tools.converter.string(), "list", borings.string()}, work, "list");
  std::string listed = Contents(work / "list.out");
  auto lines = std::count(listed.begin(), listed.end(), '\n');
  if (lines == expected) return run;
  throw std::runtime_error("変換元フォルダ" + Quoted(borings) + "の list が " + std::to_string(lines) + " 行です。" +
                           std::to_string(expected) + " 行のはずです。");
}

// Identifiers that no generated boring has.
void MakeBoringFolders(const fs::path& destination, int count) {
  fs::create_directories(destination);
  for (int i = 0; i < count; ++i) {
    char name[16];
    std::snprintf(name, sizeof name, "9%010d", i);
    fs::create_directory(destination / name);
  }
}

}  // namespace

BatchResult RunBatch(const Tools& tools, const fs::path& scratch, int borings) {
  fs::path work = scratch / ("batch-" + std::to_string(borings));
  fs::path source = work / "borings";
  fs::path destination = work / "out";
  BatchResult result;
  result.borings = borings;
  result.sourceBytes = WriteBorings(source, borings);
  // Best of the repeats like the floors, each into a fresh destination; the first one's output
  // is the tree the floors write again. The conversions and the floors take turns, so that a slow
  // spell of a shared machine falls on both rather than on one of them.
  for (int r = 1; r <= tools.repeats; ++r) {
    fs::path into = r == 1 ? destination : work / ("out-" + std::to_string(r));
    KeepFaster(result.convert, Convert(tools, source, into, work, r == 1 ? "convert" : "convert-" + std::to_string(r)), r);
    RequireFolders(into, borings);
    if (r > 1) fs::remove_all(into);
    if (r == 1) MeasureOutput(destination, result);
    RunFloorRound(tools, "plain", destination, work, result.outputFiles, r, result.plainFloor);
    RunFloorRound(tools, "rename", destination, work, result.outputFiles, r, result.renameFloor);
  }
  result.list = RunList(tools, source, work, borings);
  return result;
}

CrowdedResult RunCrowded(const Tools& tools, const fs::path& scratch, int borings, int folders) {
  fs::path work = scratch / "crowded";
  fs::path source = work / "borings";
  WriteBorings(source, borings);
  CrowdedResult result{borings, folders, tools.repeats, {}, {}};
  // Each run has a crowd of its own: removing what a run added would slow the next one's creates.
  for (int r = 1; r <= tools.repeats; ++r) {
    std::string run = std::to_string(r);
    fs::path empty = work / ("empty-out-" + run);
    fs::path crowded = work / ("crowded-out-" + run);
    MakeBoringFolders(crowded, folders);
    KeepFaster(result.empty, Convert(tools, source, empty, work, "empty-" + run), r);
    RequireFolders(empty, borings);
    KeepFaster(result.crowded, Convert(tools, source, crowded, work, "crowded-" + run), r);
    RequireFolders(crowded, folders + borings);
  }
  return result;
}

}  // namespace bench
