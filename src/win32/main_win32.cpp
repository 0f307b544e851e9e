// tecris2quillo-gui.exe: the converter's window on Windows.

#include <cstdio>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "run/execute.h"
#include "win32/dpi.h"
#include "win32/screenshot_win32.h"
#include "win32/win32_form.h"
#include "win32/win32_text.h"
#include "win32/windows_headers.h"

namespace tq::win32 {
namespace {

std::vector<std::wstring> Arguments() {
  int count = 0;
  LPWSTR* wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
  std::vector<std::wstring> arguments;
  for (int i = 1; wide != nullptr && i < count; ++i) arguments.emplace_back(wide[i]);
  if (wide != nullptr) ::LocalFree(wide);
  return arguments;
}

// Handles what is waiting, then returns: the window paints itself and settles.
void HandleWaitingMessages() {
  MSG message;
  while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
}

int RunMessageLoop(const Win32Form& form) {
  MSG message;
  while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
    MSG navigation = message;
    if (form.TranslateNavigation(navigation)) continue;
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}

// The test hook: --test-execute SOURCE DESTINATION REPORT [PICTURE.png]. Message boxes are
// answered Yes or OK and written to the report instead of shown; every file of SOURCE is
// converted into DESTINATION through the form logic, and the rows of the findings list, the
// window's caption and status caption go to the report (UTF-8) before the program ends.
struct TestRun {
  std::wstring source;
  std::wstring destination;
  std::wstring report;
  std::wstring picture;
};

std::optional<TestRun> TestRunOf(const std::vector<std::wstring>& arguments) {
  if (arguments.size() < 4 || arguments[0] != L"--test-execute") return std::nullopt;
  return TestRun{arguments[1], arguments[2], arguments[3], arguments.size() > 4 ? arguments[4] : L""};
}

void WriteReport(const std::wstring& path, const std::string& utf8) {
  std::FILE* file = ::_wfopen(path.c_str(), L"wb");
  if (file == nullptr) return;
  std::fwrite(utf8.data(), 1, utf8.size(), file);
  std::fclose(file);
}

int RunTest(Win32Form& form, const TestRun& test) {
  std::string report;
  form.SetMessageBoxHook([&report](const Text& text, int style, const std::optional<Text>&) {
    report += "message=" + ToUtf8(text) + "\n";
    return style == kStyleYesNoQuestion ? kAnswerYes : kAnswerOk;
  });
  bool started = form.Logic().Form_Load();
  if (started) {
    ::ShowWindow(form.Window(), SW_SHOWNORMAL);
    ::UpdateWindow(form.Window());
    HandleWaitingMessages();
    form.Logic().ExecuteAllFiles(TextOf(test.source), TextOf(test.destination));
    // The report counts the rows of the findings list; the picture shows the window without it.
    if (const FindingsWindow* findings = form.Findings()) {
      report += "findings=" + std::to_string(findings->RowCount()) + "\n";
      ::DestroyWindow(findings->Window());
    }
    HandleWaitingMessages();
    ::Sleep(500);  // the window system shows the last paint
    HandleWaitingMessages();
    if (!test.picture.empty() && !SaveWindowPicture(form.Window(), test.picture)) report += "picture=failed\n";
  }
  Text status = WindowText(form.ControlWindow(Control::kLabel3));
  report += "caption=" + ToUtf8(WindowText(form.Window())) + "\nstatus=" + ToUtf8(status) + "\n";
  WriteReport(test.report, report);
  return started && status == kCaptionFinished ? 0 : 1;
}

}  // namespace
}  // namespace tq::win32

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
  using namespace tq::win32;
  BecomeDpiAware();
  Win32Form form(instance, tq::FileSystem::FromEnvironment());
  if (std::optional<TestRun> test = TestRunOf(Arguments())) return RunTest(form, *test);
  if (!form.Logic().Form_Load()) return 1;
  ::ShowWindow(form.Window(), show);
  return RunMessageLoop(form);
}
