// What the fuzz targets share: a scratch drive that lives as long as the process.
#pragma once

#include <filesystem>
#include <string>

#include "platform/file_system.h"

namespace tq::fuzz {

// A temporary folder mapped as drive F:, removed when the process ends normally.
class ScratchDrive {
 public:
  ScratchDrive();
  ~ScratchDrive();

  FileSystem Files() const;
  void Write(const std::string& relative, const std::string& bytes) const;
  void Remove(const std::string& relative) const;
  const std::filesystem::path& Root() const { return root_; }

 private:
  std::filesystem::path root_;
};

// The bytes of a file under the examples folder.
std::string ReadExample(const std::string& relative);

}  // namespace tq::fuzz
