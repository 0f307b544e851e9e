// Shared test helpers: a temporary drive, file bytes, code page 932 literals, a scripted window.
#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <filesystem>
#include <string>
#include <vector>

#include "common/errors.h"
#include "common/section_table.h"
#include "common/source_file.h"
#include "patterns/pattern_data.h"
#include "platform/boring_files.h"
#include "platform/file_system.h"
#include "run/execute.h"

namespace tq::test {

// Code page 932 bytes of a UTF-8 literal.
std::string Sjis(std::string_view utf8);
// A text from a UTF-8 literal.
Text T(std::string_view utf8);
// UTF-8 of a text, for assertion messages.
std::string U8(TextView text);

// Sets an environment variable of this process to a UTF-8 value; removes it when value is empty.
void SetEnvironment(const char* name, const std::string& value);

// The UTF-8 string of a native path with the system's own separators, as FileSystem has it.
std::string NativeString(const std::filesystem::path& path);

// A fresh temporary folder mapped as drive T: (and Z: as the root that holds it, "/" on POSIX)
// in a file system of its own with T:\ as the current folder; removed again at the end of the
// test.
class TempDrive {
 public:
  TempDrive();
  ~TempDrive();
  TempDrive(const TempDrive&) = delete;
  TempDrive& operator=(const TempDrive&) = delete;

  const std::filesystem::path& Root() const { return root_; }
  FileSystem& Files() { return files_; }
  const FileSystem& Files() const { return files_; }
  // The files of a boring folder given in drive form, such as T:\out.
  BoringFiles Folder(const Text& path) const { return BoringFiles(files_, path); }
  // relative: UTF-8, with "/" between names.
  std::filesystem::path Native(const std::string& relative) const;

  void Write(const std::string& relative, const std::string& bytes) const;
  std::string Read(const std::string& relative) const;
  bool Exists(const std::string& relative) const;
  void MakeFolder(const std::string& relative) const;

 private:
  std::filesystem::path root_;
  FileSystem files_;
};

// The ConversionError that action throws; nothing when it throws none.
std::optional<ConversionError> ConversionErrorOf(const std::function<void()>& action);

// A TempDrive whose folder T:\patdat\ is the pattern data folder and T:\prog the program
// folder, where the pattern-added marker goes.
class PatternDrive : public TempDrive {
 public:
  PatternDrive();

  PatternData& Patterns() { return patterns_; }
  // Points other pattern data, such as a converter's, at the same two folders.
  void ShareFolders(PatternData& patterns) const;

 private:
  PatternData patterns_;
};

// Lines joined with CR LF, each line ended by CR LF, in code page 932.
std::string CrLf(const std::vector<std::string>& utf8Lines);

// What a section reader left: its count and table, and the field that follows the section.
struct SectionRead {
  std::int16_t count = -1;
  SectionTable table;
  Text next;
};

// Runs a reader of the form (count, table, file) on the lines, whose first field (the record
// letter of the header) is read first, as the run does.
template <typename Reader>
SectionRead ReadSectionWith(Reader reader, const std::vector<std::string>& utf8Lines) {
  SourceFile file(CrLf(utf8Lines));
  file.ReadField();
  SectionRead read;
  reader(read.count, read.table, file);
  read.next = file.ReadField();
  return read;
}

// A soil pattern table row as the converter writes it (UTF-8, to go through CrLf).
std::string PatternRow(const std::string& code, const std::string& name);

struct ShownMessage {
  Text text;
  int style;
  std::optional<Text> title;
};

// A window whose boxes, file list and message answers a test sets; records what the run did.
class ScriptedWindow : public RunObserver {
 public:
  Text source;
  Text destination;
  std::vector<Text> items;
  std::vector<bool> selected;
  std::deque<int> answers;  // answers to questions, in order; No when none left

  std::vector<ShownMessage> messages;
  std::vector<Text> captions;
  std::vector<int> pointers;
  int focusCount = 0;

  void SelectAll(std::vector<Text> names);

  // The boxes and the selected entries of the file list, in list order.
  RunRequest Request() const;
  // An Execute command of the converter with this window's request.
  RunOutcome Run(Converter& converter) { return Command1_Click(converter, Request(), *this); }

  int MsgBox(const Text& text, int style, const std::optional<Text>& title) override;
  void SetStatusCaption(const Text& caption) override { captions.push_back(caption); }
  void FocusDestinationBox() override { ++focusCount; }
  void SetMousePointer(int pointer) override { pointers.push_back(pointer); }

  Text LastCaption() const { return captions.empty() ? Text() : captions.back(); }
  int LastPointer() const { return pointers.empty() ? kPointerDefault : pointers.back(); }
};

}  // namespace tq::test
