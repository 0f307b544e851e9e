// Generated borings for the batch benchmark: realistic TECRIS files and a pattern data folder.
#include "batch/borings.h"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <sstream>
#include <stdexcept>
#include <vector>

#include "common/text.h"

namespace bench {
namespace {

namespace fs = std::filesystem;

constexpr std::uint64_t kSeed = 0x7EC4150C0FFEE001;

// splitmix64: the same sequence on every compiler and library, which the standard
// distributions do not promise.
class Random {
 public:
  explicit Random(std::uint64_t seed) : state_(seed) {}

  std::uint64_t Next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
  }
  int Below(int n) { return static_cast<int>(Next() % static_cast<std::uint64_t>(n)); }
  int Between(int low, int high) { return low + Below(high - low + 1); }
  template <std::size_t N>
  const char* Pick(const std::array<const char*, N>& items) {
    return items[static_cast<std::size_t>(Below(static_cast<int>(N)))];
  }

 private:
  std::uint64_t state_;
};

// The first six are in the example tables; the last kUnlearned are in no table.
constexpr auto kSoilNames = std::to_array<const char*>({
    "砂",       "粘土",       "礫",         "砂質シルト", "シルト",     "礫混じり粘土", "表土",     "盛土",
    "埋土",     "細砂",       "中砂",       "粗砂",       "シルト質砂", "粘土質砂",     "礫混じり砂", "砂礫",
    "玉石混じり砂礫", "粘土質シルト", "砂質粘土", "シルト質粘土", "有機質粘土", "有機質シルト", "腐植土", "泥炭",
    "ローム",   "凝灰質粘土", "火山灰",     "軽石",       "スコリア",   "シルト岩",     "砂岩",     "泥岩",
    "礫岩",     "凝灰岩",     "花崗岩",     "安山岩",     "頁岩",       "粘板岩",       "風化花崗岩", "まさ土",
    "崖錐堆積物", "貝殻混じり砂", "砂混じりシルト", "礫混じりシルト", "砂混じり粘土", "シルト混じり砂",
    "粘土混じり砂礫", "砂混じり礫", "コンクリート殻", "チャート"});
static_assert(kSoilNames.size() == 50);
constexpr int kUnlearned = 8;
constexpr int kKnownInExamples = 6;

// Second descriptions: their characters are looked up in L4.TXT.
constexpr auto kColours = std::to_array<const char*>({"暗灰", "褐", "灰～褐", "黄褐", "青灰", "暗緑灰", "黒", "明褐"});
constexpr auto kRemarks = std::to_array<const char*>({"孔内水位は掘進中に確認した。", "コア採取率は良好である。",
                                                 "礫径は最大で二十ミリ程度。", "貝殻片を少量混入する。",
                                                 "腐植物を含み有機臭あり。"});
constexpr auto kL2Codes = std::to_array<const char*>({"10", "20", "21", "30"});

// One record: every field quoted, joined by commas, ended by CR LF.
std::string Record(std::initializer_list<std::string> fields) {
  std::string line;
  bool first = true;
  for (const std::string& field : fields) {
    line += (first ? "\"" : ",\"") + field + "\"";
    first = false;
  }
  return line + "\r\n";
}

// X and Z headers carry their count unquoted at characters 26 to 28 of the line.
std::string HeaderLine(const char* kind, const std::string& id, int count) {
  char line[64];
  std::snprintf(line, sizeof line, "\"%s\",\"%s\",\"1234\",%3d\r\n", kind, id.c_str(), count);
  return line;
}

std::string Metres(double depth) {
  char text[32];
  std::snprintf(text, sizeof text, "%.2f", depth);
  return text;
}

std::string Number(int value) { return std::to_string(value); }

std::string Digits(Random& random, int count) {
  std::string digits;
  for (int i = 0; i < count; ++i) digits += static_cast<char>('0' + random.Below(10));
  return digits;
}

struct Layer {
  double bottom = 0;
  std::string soil;
  std::string colour;
};

struct Boring {
  std::string id;
  int depth = 0;  // metres
  std::vector<Layer> layers;
};

// The eleven digits of the file name.
std::string BoringIdentifier(int index) {
  std::string name = BoringFileName(index);
  return name.substr(0, 8) + name.substr(9, 3);
}

Boring DrawBoring(int index, Random& random) {
  Boring boring{BoringIdentifier(index), random.Between(8, 70), {}};
  int count = random.Between(3, 4 + boring.depth / 3);
  for (int k = 1; k <= count; ++k) {
    boring.layers.push_back({static_cast<double>(boring.depth) * k / count, random.Pick(kSoilNames), random.Pick(kColours)});
  }
  return boring;
}

std::string TitleRecords(const Boring& boring, Random& random) {
  return Record({"A", boring.id, "1"}) + Record({"A", "1", "2", "県道拡幅工事に伴う地質調査"}) +
         Record({"A", "1", "3", "No." + Number(random.Between(1, 99)), "東京都千代田区", "標準貫入", "2", "1310100123"}) +
         Record({"A", "1", "4", Digits(random, 7), Digits(random, 8), Metres(random.Between(100, 9000) / 100.0), "", "",
                 "90", "0", random.Pick(kL2Codes), "2", "株式会社サンプル地質", "", ""}) +
         Record({"A", "1", "5", "1", "12", "123", "45", "10", "20", "", "", "山田太郎"});
}

std::string SectionB(const Boring& boring) {
  std::string bytes = Record({"B", "001", boring.id, Number(static_cast<int>(boring.layers.size()))});
  int k = 0;
  for (const Layer& layer : boring.layers) {
    bytes += Record({"B", Number(++k), "", Metres(layer.bottom), "", layer.soil, "", layer.colour});
  }
  return bytes;
}

// A standard penetration test every metre.
std::string SectionC(const Boring& boring, Random& random) {
  std::string bytes = Record({"C", "1", "1", Number(boring.depth)});
  for (int k = 1; k <= boring.depth; ++k) {
    int blows = random.Between(1, 50);
    bytes += Record({"C", "1", Number(k), Metres(k + 0.15), Number(blows), blows == 50 ? "18" : "30"});
  }
  return bytes;
}

std::string SectionD(const Boring& boring, Random& random) {
  int count = random.Between(1, 1 + boring.depth / 8);
  std::string bytes = Record({"D", "1", "1", Number(count)});
  for (int k = 1; k <= count; ++k) {
    double top = random.Between(50, boring.depth * 100 - 100) / 100.0;
    bytes += Record({"D",    "1",    Number(k), Number(k),   Metres(top), Metres(top + 0.8), "1.85", "2.65", "35.2",
                     "0.98", "2.5",  "40.1",    "55.3",      "2.1",       "45.0",           "20.3", "1.0",  "1",
                     "1",    "12.5", "30",      "15",        "0.15",      "-",              "1.5E-5", "2.0Ｅ-3"});
  }
  return bytes;
}

// Sections E to H: a header and rows of intervals down the boring.
std::string IntervalSection(const char* kind, const char* extra, const char* value, const Boring& boring,
                            Random& random) {
  int count = random.Between(1, 2 + boring.depth / 8);
  std::string bytes = extra ? Record({kind, "1", "1", Number(count), extra}) : Record({kind, "1", "1", Number(count)});
  for (int k = 1; k <= count; ++k) {
    double top = static_cast<double>(boring.depth) * (k - 1) / count;
    double bottom = static_cast<double>(boring.depth) * k / count;
    if (extra && *extra == '1') {
      bytes += Record({kind, "1", Number(k), Metres(bottom), "10", "20", value});
      continue;
    }
    bytes += Record({kind, "1", Number(k), Metres(top), Metres(bottom), value});
  }
  return bytes;
}

std::string SectionX(const Boring& boring) {
  std::string bytes = HeaderLine("X", boring.id, static_cast<int>(boring.layers.size()));
  int k = 0;
  for (const Layer& layer : boring.layers) {
    bytes += Record({"X", "1", Number(++k), Metres(layer.bottom), layer.soil, layer.colour});
  }
  return bytes;
}

std::string SectionZ(const Boring& boring, Random& random) {
  int count = random.Between(2, 4 + boring.depth / 2);
  std::string bytes = HeaderLine("Z", boring.id, count);
  for (int k = 1; k <= count; ++k) {
    std::string remark;
    for (int repeat = random.Between(1, 24); repeat > 0; --repeat) remark += random.Pick(kRemarks);
    bytes += Record({"Z", "1", Number(k), Metres(static_cast<double>(boring.depth) * k / count), remark});
  }
  return bytes;
}

std::string ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path.string());
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteBytes(const fs::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  out << bytes;
  if (!out) throw std::runtime_error("cannot write " + path.string());
}

std::string ShiftJis(const std::string& utf8) { return tq::ToShiftJis(tq::FromUtf8(utf8)); }

// A table row as the converter writes one: code, name, three blank fields, the extended code.
std::string TableRow(int code, const char* name, int extendedCode) {
  char row[128];
  std::snprintf(row, sizeof row, "%04d,%s,    ,    ,    ,%04d\r\n", code, name, extendedCode);
  return ShiftJis(row);
}

// The rows of the names the examples lack, save the unlearned ones, with codes from 1001 up.
std::string AddedRows() {
  std::string rows;
  for (int k = kKnownInExamples; k < static_cast<int>(kSoilNames.size()) - kUnlearned; ++k) {
    rows += TableRow(1001 + k - kKnownInExamples, kSoilNames[static_cast<std::size_t>(k)], 20 + k);
  }
  return rows;
}

// XKISHITU.TXT keeps its codes below 4000 ahead of the reserved ones, where new codes go.
std::string WithRowsBeforeReserved(const std::string& table, const std::string& rows) {
  std::istringstream lines(table);
  std::string line;
  std::string below;
  std::string reserved;
  while (std::getline(lines, line)) {
    (std::atoi(line.c_str()) >= 4000 ? reserved : below) += line + "\n";
  }
  return below + rows + reserved;
}

}  // namespace

std::string BoringFileName(int index) {
  char name[16];
  std::snprintf(name, sizeof name, "%08d.%03d", 13100000 + index / 999, index % 999 + 1);
  return name;
}

std::string BoringBytes(int index) {
  Random random(kSeed ^ (static_cast<std::uint64_t>(index) * 0xD1B54A32D192ED03ULL));
  Boring boring = DrawBoring(index, random);
  std::string utf8 = TitleRecords(boring, random) + SectionB(boring) + SectionC(boring, random) +
                     SectionD(boring, random) + IntervalSection("E", "1", "30", boring, random) +
                     IntervalSection("F", "8", "2.5E-3", boring, random) +
                     IntervalSection("G", nullptr, "5", boring, random) +
                     IntervalSection("H", nullptr, "7", boring, random) + SectionX(boring) + SectionZ(boring, random);
  return ShiftJis(utf8);
}

std::uintmax_t WriteBorings(const fs::path& folder, int count) {
  fs::create_directories(folder);
  std::uintmax_t total = 0;
  for (int i = 0; i < count; ++i) {
    std::string bytes = BoringBytes(i);
    WriteBytes(folder / BoringFileName(i), bytes);
    total += bytes.size();
  }
  return total;
}

void WritePatternFolder(const fs::path& examples, const fs::path& folder) {
  fs::create_directories(folder);
  fs::copy(examples, folder, fs::copy_options::overwrite_existing | fs::copy_options::recursive);
  std::string rows = AddedRows();
  WriteBytes(folder / "KISHITU.TXT", ReadBytes(folder / "KISHITU.TXT") + rows);
  WriteBytes(folder / "XKISHITU.TXT", WithRowsBeforeReserved(ReadBytes(folder / "XKISHITU.TXT"), rows));
}

int UnlearnedSoilNames() { return kUnlearned; }

}  // namespace bench
