// The scratch drive of the fuzz targets.
#include "fuzz_support.h"

#include <fstream>
#include <map>
#include <sstream>
#include <vector>

#include "platform/native_files.h"

namespace tq::fuzz {
namespace fs = std::filesystem;

// A folder of its own per drive: the process id keeps processes apart, the count the drives of one.
ScratchDrive::ScratchDrive() {
  static int made = 0;
  for (;;) {
    root_ =
        fs::temp_directory_path() / ("tq-fuzz-" + std::to_string(native::ProcessId()) + "-" + std::to_string(made++));
    std::error_code ec;
    if (fs::create_directory(root_, ec)) return;
    if (ec) throw fs::filesystem_error("cannot make a scratch folder", root_, ec);
  }
}

ScratchDrive::~ScratchDrive() {
  std::error_code ec;
  fs::remove_all(root_, ec);
}

FileSystem ScratchDrive::Files() const {
  FileSystem files(std::map<char32_t, std::string>{{U'F', root_.string()}});
  files.SetCurrentDrive(U'F');
  return files;
}

void ScratchDrive::Write(const std::string& relative, const std::string& bytes) const {
  fs::path path = root_ / relative;
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << bytes;
}

void ScratchDrive::Remove(const std::string& relative) const {
  std::error_code ec;
  fs::remove_all(root_ / relative, ec);
}

std::string ReadExample(const std::string& relative) {
  std::ifstream in(fs::path(TQ_EXAMPLES_DIR) / relative, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

}  // namespace tq::fuzz
