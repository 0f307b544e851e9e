// The scratch drive of the fuzz targets.
#include "fuzz_support.h"

#include <unistd.h>

#include <fstream>
#include <map>
#include <sstream>
#include <vector>

namespace tq::fuzz {
namespace fs = std::filesystem;

ScratchDrive::ScratchDrive() {
  std::string pattern = (fs::temp_directory_path() / "tq-fuzz-XXXXXX").string();
  std::vector<char> buffer(pattern.begin(), pattern.end());
  buffer.push_back('\0');
  root_ = ::mkdtemp(buffer.data());
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
