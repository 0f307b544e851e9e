// What the form logic shows on the Win32 window. A run does not return to the message loop, so
// whatever changes during one is painted at once.

#include <algorithm>

#include "run/run_observer.h"
#include "win32/win32_form.h"
#include "win32/win32_text.h"
#include "win32/windows_headers.h"

namespace tq::win32 {

Text WindowText(HWND window) {
  std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(::GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return TextOf(text);
}

void Win32Form::PaintNow(HWND window) const {
  ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

Text Win32Form::BoxText(Box box) const {
  return WindowText(Ctl(box == Box::kText1 ? Control::kText1 : Control::kText2));
}

void Win32Form::SetBoxText(Box box, const Text& text) {
  ::SetWindowTextW(Ctl(box == Box::kText1 ? Control::kText1 : Control::kText2), WideOf(text).c_str());
}

void Win32Form::SetStatusCaption(const Text& caption) {
  ::SetWindowTextW(Ctl(Control::kLabel3), WideOf(caption).c_str());
  PaintNow(Ctl(Control::kLabel3));
}

void Win32Form::FillDriveList(Browser browser, const std::vector<Text>& captions, int selected) {
  HWND drives = DriveListOf(browser);
  ::SendMessageW(drives, CB_RESETCONTENT, 0, 0);
  for (const Text& caption : captions) {
    ::SendMessageW(drives, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(WideOf(caption).c_str()));
  }
  SelectDrive(browser, selected);
}

// Setting the selection raises no CBN_SELCHANGE: only the user's choice does.
void Win32Form::SelectDrive(Browser browser, int index) {
  ::SendMessageW(DriveListOf(browser), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

// The classic folder list: one line per folder, indented by its depth, the current folder
// selected and scrolled to the top.
void Win32Form::FillFolderList(Browser browser, const std::vector<FolderEntry>& entries, int current) {
  HWND folders = FolderListOf(browser);
  ::SendMessageW(folders, WM_SETREDRAW, FALSE, 0);
  ::SendMessageW(folders, LB_RESETCONTENT, 0, 0);
  for (const FolderEntry& entry : entries) {
    LRESULT index = ::SendMessageW(folders, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(WideOf(entry.caption).c_str()));
    ::SendMessageW(folders, LB_SETITEMDATA, static_cast<WPARAM>(index), FolderItemData(entry));
  }
  ::SendMessageW(folders, LB_SETCURSEL, static_cast<WPARAM>(current), 0);
  ::SendMessageW(folders, LB_SETTOPINDEX, static_cast<WPARAM>(std::max(current, 0)), 0);
  ::SendMessageW(folders, WM_SETREDRAW, TRUE, 0);
  ::InvalidateRect(folders, nullptr, TRUE);
}

void Win32Form::FillFileList(const std::vector<Text>& names) {
  HWND list = Ctl(Control::kList1);
  ::SendMessageW(list, LB_RESETCONTENT, 0, 0);
  for (const Text& name : names) ::SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(WideOf(name).c_str()));
}

std::vector<int> Win32Form::SelectedFiles() const {
  HWND list = Ctl(Control::kList1);
  LRESULT count = ::SendMessageW(list, LB_GETSELCOUNT, 0, 0);
  if (count <= 0) return {};
  std::vector<int> indices(static_cast<std::size_t>(count));
  count = ::SendMessageW(list, LB_GETSELITEMS, indices.size(), reinterpret_cast<LPARAM>(indices.data()));
  indices.resize(static_cast<std::size_t>(std::max<LRESULT>(count, 0)));
  std::sort(indices.begin(), indices.end());
  return indices;
}

void Win32Form::SelectFiles(const std::vector<int>& indices) {
  HWND list = Ctl(Control::kList1);
  ::SendMessageW(list, LB_SETSEL, FALSE, -1);
  for (int index : indices) ::SendMessageW(list, LB_SETSEL, TRUE, index);
}

void Win32Form::CentreOnScreen() {
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  ::GetMonitorInfoW(::MonitorFromWindow(window_, MONITOR_DEFAULTTOPRIMARY), &monitor);
  RECT outer{};
  ::GetWindowRect(window_, &outer);
  const RECT& area = monitor.rcMonitor;
  int left = area.left + ((area.right - area.left) - (outer.right - outer.left)) / 2;
  int top = area.top + ((area.bottom - area.top) - (outer.bottom - outer.top)) / 2;
  ::SetWindowPos(window_, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The pointer changes at once, without waiting for it to move.
void Win32Form::SetMousePointer(int pointer) {
  busy_ = pointer == kPointerHourglass;
  ::SetCursor(::LoadCursorW(nullptr, MAKEINTRESOURCEW(busy_ ? 32514 : 32512)));  // IDC_WAIT, IDC_ARROW
}

void Win32Form::FocusDestinationBox() {
  HWND box = Ctl(Control::kText1);
  ::SetFocus(box);
  ::SendMessageW(box, EM_SETSEL, static_cast<WPARAM>(::GetWindowTextLengthW(box)), 0);
}

// The style values are those of MessageBoxW (buttons plus icon), and so are its answers. The
// part of the window a box covered is painted again at once: a run goes on after it.
int Win32Form::ShowMessage(const Text& text, int style, const std::optional<Text>& title) {
  if (messageBoxHook_) return messageBoxHook_(text, style, title);
  HWND owner = window_ != nullptr && ::IsWindowVisible(window_) ? window_ : nullptr;
  int answer = ::MessageBoxW(owner, WideOf(text).c_str(), WideOf(title.value_or(kProgramTitle)).c_str(),
                             static_cast<UINT>(style) | MB_SETFOREGROUND);
  if (owner != nullptr) PaintNow(window_);
  return answer;
}

void Win32Form::ShowProgress(int done, int total) {
  HWND bar = Ctl(Control::kProgressBar1);
  ::SendMessageW(bar, PBM_SETRANGE32, 0, total);
  ::SendMessageW(bar, PBM_SETPOS, static_cast<WPARAM>(done), 0);
  ::ShowWindow(bar, SW_SHOWNA);
  PaintNow(bar);
}

void Win32Form::HideProgress() { ::ShowWindow(Ctl(Control::kProgressBar1), SW_HIDE); }

void Win32Form::Close() {
  if (window_ != nullptr) ::DestroyWindow(window_);
}

// Clicks and keys that arrived while the run held the message loop, on the window's controls,
// its frame or its close box.
void Win32Form::DiscardPendingInput() {
  MSG message;
  while (::PeekMessageW(&message, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE)) {
  }
  while (::PeekMessageW(&message, nullptr, WM_MOUSEFIRST, WM_MOUSELAST, PM_REMOVE)) {
  }
  while (::PeekMessageW(&message, nullptr, WM_NCMOUSEMOVE, WM_NCXBUTTONDBLCLK, PM_REMOVE)) {
  }
}

// The list stays open beside the window, so the user can look at the outputs while reading it;
// a later run's list replaces it.
void Win32Form::ShowFindings(const std::vector<Finding>& findings) {
  findings_.reset();
  findings_ = std::make_unique<FindingsWindow>(instance_, window_, findings);
}

}  // namespace tq::win32
