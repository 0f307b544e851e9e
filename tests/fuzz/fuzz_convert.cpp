// Fuzz target: one whole conversion of a fuzzed source file with the example pattern data.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_support.h"
#include "run/execute.h"

namespace {

using namespace tq;

// Answers Yes, so that the destination folder is made.
class Batch : public RunObserver {
 public:
  int MsgBox(const Text&, int, const std::optional<Text>&) override { return kAnswerYes; }
};

const fuzz::ScratchDrive& Drive() {
  static const fuzz::ScratchDrive drive;
  return drive;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::string patterns[] = {"KISHITU.TXT", "XKISHITU.TXT", "L2.txt", "L4.TXT"};
  const fuzz::ScratchDrive& drive = Drive();
  drive.Remove("out");
  for (const std::string& name : patterns) drive.Write("pat/" + name, fuzz::ReadExample("patdat/" + name));
  drive.Write("src/12345678.001", std::string(reinterpret_cast<const char*>(data), size));
  drive.Write("prog/.keep", "");

  Converter converter(drive.Files());
  converter.Patterns().SetFolder(U"F:\\pat\\");
  converter.Patterns().SetProgramFolder(U"F:\\prog");
  Batch batch;
  (void)Command1_Click(converter, RunRequest{U"F:\\src", U"F:\\out", {U"12345678.001"}}, batch);
  return 0;
}
