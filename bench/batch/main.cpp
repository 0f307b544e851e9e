// bench_batch: the command line over generated borings, timed against the disk's floor.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <string>
#include <vector>

#include "batch/borings.h"
#include "batch/machine.h"
#include "batch/scenarios.h"

namespace bench {
namespace {

namespace fs = std::filesystem;

const char kUsage[] =
    "使い方: bench_batch [--crowded-folders N] [--crowded-borings N] [--repeats N] [--deadline 秒] [--keep]\n"
    "                   [--converter PATH] [--floor PATH] [--examples DIR] [ボーリング数 ...]\n"
    "ボーリング数を省略すると 1000 と 10000 です。作業フォルダは TMPDIR（既定 /tmp）の下に作り、\n"
    "1000 本あたり小さなファイル約 9 万個、ディスク約 350 MB を使います（終わると消します。--keep で残します）。\n"
    "--crowded-folders 0 で、ボーリングフォルダの多い変換先への変換を省きます。\n";

struct Options {
  Tools tools{TQ_BENCH_CONVERTER, TQ_BENCH_FLOOR, TQ_BENCH_EXAMPLES};
  std::vector<int> counts;
  int crowdedFolders = 20000;
  int crowdedBorings = 100;
  bool keep = false;  // leave the scratch folder with every generated and written file behind
};

int Usage(const std::string& problem) {
  std::fprintf(stderr, "bench_batch: %s\n%s", problem.c_str(), kUsage);
  return 2;
}

bool ParsePositive(const char* text, int& value) {
  char* end = nullptr;
  long parsed = std::strtol(text, &end, 10);
  if (end == text || *end != '\0' || parsed < 0 || parsed > 999000) return false;
  value = static_cast<int>(parsed);
  return true;
}

// Returns an empty text when the options are complete, else what is wrong with them.
std::string Parse(int argc, char** argv, Options& options) {
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    int number = 0;
    if (arg == "--keep") {
      options.keep = true;
      continue;
    }
    if (arg.rfind("--", 0) != 0) {
      if (!ParsePositive(argv[i], number) || number == 0) return "ボーリング数「" + arg + "」は 1 から 999000 の数です。";
      options.counts.push_back(number);
      continue;
    }
    if (i + 1 == argc) return "オプション " + arg + " に値がありません。";
    const char* value = argv[++i];
    if (arg == "--converter") options.tools.converter = value;
    else if (arg == "--floor") options.tools.floor = value;
    else if (arg == "--examples") options.tools.examples = value;
    else if (!ParsePositive(value, number)) return "オプション " + arg + " の値「" + value + "」は 0 以上の数です。";
    else if (arg == "--crowded-folders") options.crowdedFolders = number;
    else if (arg == "--crowded-borings") options.crowdedBorings = number;
    else if (arg == "--repeats") options.tools.repeats = number;
    else if (arg == "--deadline") options.tools.deadline = std::chrono::seconds(number);
    else return "知らないオプションです: " + arg;
  }
  if (options.counts.empty()) options.counts = {1000, 10000};
  if (options.tools.repeats < 1 || options.crowdedBorings < 1) return "--repeats と --crowded-borings は 1 以上です。";
  return {};
}

double Megabytes(double bytes) { return bytes / (1024.0 * 1024.0); }

void PrintMachine(const Machine& machine, const fs::path& scratch) {
  std::printf("計測環境: %ld コア、%s、作業フォルダ %s（%s）、開始時の負荷 %s\n", machine.cores, machine.cpuModel.c_str(),
              scratch.c_str(), machine.fileSystem.c_str(), machine.loadAverage.c_str());
  std::printf("生成するボーリング: 1 本 2〜20 KB、A〜H、X、Z の全節、土質名 50 種（%d 種は土質パターン表になく、変換中に追加）\n\n",
              UnlearnedSoilNames());
}

void PrintFloor(const char* label, const FloorRun& floor, const ChildRun& convert) {
  std::printf("  %s: %.2f 秒（CPU %.2f 秒）、変換はその %.2f 倍（CPU %.1f 倍）\n", label, floor.writeSeconds,
              floor.writeCpuSeconds, convert.seconds / floor.writeSeconds, convert.cpuSeconds / floor.writeCpuSeconds);
}

void PrintBatch(const BatchResult& r) {
  std::printf("ボーリング %d 本（変換元 %.1f MB、出力 %ju ファイル %.1f MB）\n", r.borings, Megabytes(r.sourceBytes),
              r.outputFiles, Megabytes(r.outputBytes));
  std::printf("  変換 convert（最短）: %.2f 秒（CPU %.2f 秒）、%.0f 本/秒、最大メモリ %.1f MB\n", r.convert.seconds,
              r.convert.cpuSeconds, r.borings / r.convert.seconds, r.convert.peakKilobytes / 1024.0);
  PrintFloor("下限（書くだけ、最短）", r.plainFloor, r.convert);
  PrintFloor("下限（一時名と改名、最短）", r.renameFloor, r.convert);
  std::printf("  一覧 list: %.2f 秒、最大メモリ %.1f MB\n\n", r.list.seconds, r.list.peakKilobytes / 1024.0);
  std::fflush(stdout);
}

// How the cost grows from one batch size to the next.
void PrintGrowth(const std::vector<BatchResult>& results) {
  for (std::size_t k = 1; k < results.size(); ++k) {
    const BatchResult& a = results[k - 1];
    const BatchResult& b = results[k];
    std::printf("%d 本から %d 本へ（%.1f 倍）: 変換 %.1f 倍、下限 %.1f 倍、一覧 %.1f 倍\n", a.borings, b.borings,
                static_cast<double>(b.borings) / a.borings, b.convert.seconds / a.convert.seconds,
                b.plainFloor.writeSeconds / a.plainFloor.writeSeconds, b.list.seconds / a.list.seconds);
  }
}

void PrintCrowded(const CrowdedResult& r) {
  std::printf("ボーリング %d 本: %d フォルダのある変換先へ %.2f 秒（CPU %.2f 秒）、空の変換先へ %.2f 秒（CPU %.2f 秒）、"
              "%.2f 倍（CPU %.2f 倍、%d 回の最短）\n\n",
              r.borings, r.folders, r.crowded.seconds, r.crowded.cpuSeconds, r.empty.seconds, r.empty.cpuSeconds,
              r.crowded.seconds / r.empty.seconds, r.crowded.cpuSeconds / r.empty.cpuSeconds, r.repeats);
  std::fflush(stdout);
}

int Run(const Options& options) {
  fs::path scratch = fs::temp_directory_path() / ("tq-batch-" + std::to_string(::getpid()));
  fs::create_directories(scratch);
  PrintMachine(DescribeMachine(scratch), scratch);
  try {
    if (options.crowdedFolders > 0) {
      PrintCrowded(RunCrowded(options.tools, scratch, options.crowdedBorings, options.crowdedFolders));
    }
    std::vector<BatchResult> results;
    for (int count : options.counts) {
      results.push_back(RunBatch(options.tools, scratch, count));
      PrintBatch(results.back());
    }
    PrintGrowth(results);
    std::fflush(stdout);
  } catch (const std::exception& error) {
    std::fflush(stdout);
    std::fprintf(stderr, "bench_batch: %s\n作業フォルダ「%s」を調べられるように残しました。\n", error.what(), scratch.c_str());
    return 1;
  }
  if (options.keep) return 0;
  std::fprintf(stderr, "作業フォルダ「%s」を消しています（ファイルが多いと数分かかります）。\n", scratch.c_str());
  fs::remove_all(scratch);
  return 0;
}

}  // namespace
}  // namespace bench

int main(int argc, char** argv) {
  if (argc == 2 && (std::string(argv[1]) == "--help" || std::string(argv[1]) == "-h")) {
    std::fputs(bench::kUsage, stdout);
    return 0;
  }
  bench::Options options;
  std::string problem = bench::Parse(argc, argv, options);
  if (!problem.empty()) return bench::Usage(problem);
  return bench::Run(options);
}
