// Shared test helpers.
#include "support/test_support.h"

#ifdef _WIN32
#include "platform/win32.h"
#else
#include <stdlib.h>
#endif

#include <fstream>
#include <map>
#include <random>
#include <sstream>

namespace tq::test {

std::string Sjis(std::string_view utf8) { return ToShiftJis(FromUtf8(utf8)); }

Text T(std::string_view utf8) { return FromUtf8(utf8); }

std::string U8(TextView text) { return ToUtf8(text); }

namespace {

std::filesystem::path Utf8Path(std::string_view utf8) { return std::u8string(utf8.begin(), utf8.end()); }

// A folder of a name nobody else has taken, created here so that no other test gets it.
std::filesystem::path MakeTemporaryFolder() {
  std::random_device seed;
  std::mt19937_64 random(seed());
  for (;;) {
    std::filesystem::path folder = std::filesystem::temp_directory_path() / ("tq-test-" + std::to_string(random()));
    if (std::filesystem::create_directory(folder)) return folder;
  }
}

}  // namespace

void SetEnvironment(const char* name, const std::string& value) {
#ifdef _WIN32
  ::SetEnvironmentVariableW(win32::Wide(name).c_str(), value.empty() ? nullptr : win32::Wide(value).c_str());
#else
  if (value.empty()) {
    ::unsetenv(name);
  } else {
    ::setenv(name, value.c_str(), 1);
  }
#endif
}

std::string NativeString(const std::filesystem::path& path) {
  std::u8string utf8 = std::filesystem::path(path).make_preferred().u8string();
  return std::string(utf8.begin(), utf8.end());
}

TempDrive::TempDrive()
    : root_(MakeTemporaryFolder()),
      files_(std::map<char32_t, std::string>{{U'T', NativeString(root_)}, {U'Z', NativeString(root_.root_path())}}) {
  files_.SetCurrentDrive(U'T');
}

std::filesystem::path TempDrive::Native(const std::string& relative) const { return root_ / Utf8Path(relative); }

TempDrive::~TempDrive() {
  std::error_code ec;
  std::filesystem::remove_all(root_, ec);
}

void TempDrive::Write(const std::string& relative, const std::string& bytes) const {
  std::filesystem::path path = Native(relative);
  std::filesystem::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary);
  out << bytes;
}

std::string TempDrive::Read(const std::string& relative) const {
  std::ifstream in(Native(relative), std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

bool TempDrive::Exists(const std::string& relative) const { return std::filesystem::exists(Native(relative)); }

void TempDrive::MakeFolder(const std::string& relative) const { std::filesystem::create_directories(Native(relative)); }

PatternDrive::PatternDrive() : patterns_(Files(), Text()) {
  MakeFolder("patdat");
  MakeFolder("prog");
  ShareFolders(patterns_);
}

void PatternDrive::ShareFolders(PatternData& patterns) const {
  patterns.SetFolder(U"T:\\patdat\\");
  patterns.SetProgramFolder(U"T:\\prog");
}

std::optional<ConversionError> ConversionErrorOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const ConversionError& error) {
    return error;
  }
  return std::nullopt;
}

std::string CrLf(const std::vector<std::string>& utf8Lines) {
  std::string out;
  for (const std::string& line : utf8Lines) out += Sjis(line) + "\r\n";
  return out;
}

std::string PatternRow(const std::string& code, const std::string& name) {
  return code + "," + name + ",    ,    ,    ,0000";
}

RunRequest ScriptedWindow::Request() const {
  RunRequest request{source, destination, {}};
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (selected[i]) request.files.push_back(items[i]);
  }
  return request;
}

void ScriptedWindow::SelectAll(std::vector<Text> names) {
  items = std::move(names);
  selected.assign(items.size(), true);
}

int ScriptedWindow::MsgBox(const Text& text, int style, const std::optional<Text>& title) {
  messages.push_back({text, style, title});
  if (style != kStyleYesNoQuestion) return kAnswerOk;
  if (answers.empty()) return kAnswerNo;
  int answer = answers.front();
  answers.pop_front();
  return answer;
}

}  // namespace tq::test
