#include "win32/findings_window.h"

// clang-format off
#include "win32/windows_headers.h"
#include <commdlg.h>
// clang-format on

#include <cstdio>
#include <string>

#include "form/findings_table.h"
#include "win32/dpi.h"
#include "win32/ui_font_win32.h"
#include "win32/win32_text.h"

namespace tq::win32 {
namespace {

constexpr wchar_t kFindingsClass[] = L"Tecris2QuilloFindings";
constexpr WORD kListId = 1;
constexpr WORD kSaveId = 2;
constexpr WORD kCloseId = IDCANCEL;  // Escape closes, as in a dialog
constexpr int kMargin = 8;
constexpr int kButtonWidth = 120;
constexpr int kButtonHeight = 28;

void RegisterFindingsClass(HINSTANCE instance, WNDPROC procedure) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = instance;
  windowClass.hCursor = ::LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kFindingsClass;
  ::RegisterClassExW(&windowClass);  // fails harmlessly when a window before registered it
}

HWND Button(HWND parent, HINSTANCE instance, const Text& caption, WORD id) {
  return ::CreateWindowExW(0, L"BUTTON", WideOf(caption).c_str(), WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0,
                           0, 0, 0, parent, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), instance, nullptr);
}

bool WriteWhole(const std::wstring& path, const std::string& bytes) {
  std::FILE* file = ::_wfopen(path.c_str(), L"wb");
  if (file == nullptr) return false;
  bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return std::fclose(file) == 0 && written;
}

}  // namespace

FindingsWindow::FindingsWindow(HINSTANCE instance, HWND owner, std::vector<Finding> findings)
    : instance_(instance), findings_(std::move(findings)) {
  INITCOMMONCONTROLSEX common{sizeof(INITCOMMONCONTROLSEX), ICC_LISTVIEW_CLASSES};
  ::InitCommonControlsEx(&common);
  RegisterFindingsClass(instance, Procedure);
  window_ = ::CreateWindowExW(WS_EX_CONTROLPARENT, kFindingsClass, WideOf(kFindingsTitle).c_str(),
                              WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CW_USEDEFAULT, CW_USEDEFAULT, 760, 360, owner,
                              nullptr, instance, this);
  if (window_ == nullptr) return;
  font_ = CreateJapaneseUiFont(WindowDpi(window_));
  CreateControls();
  FillList();
  Layout();
  // The window keeps the keyboard, so the keys the user gives after a run act on it as before.
  ::ShowWindow(window_, SW_SHOWNOACTIVATE);
}

FindingsWindow::~FindingsWindow() {
  if (window_ != nullptr) ::DestroyWindow(window_);
  if (font_ != nullptr) ::DeleteObject(font_);
}

int FindingsWindow::RowCount() const {
  return list_ != nullptr ? static_cast<int>(::SendMessageW(list_, LVM_GETITEMCOUNT, 0, 0)) : 0;
}

void FindingsWindow::CreateControls() {
  list_ = ::CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"",
                            WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SHOWSELALWAYS, 0, 0, 0, 0, window_,
                            reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kListId)), instance_, nullptr);
  ::SendMessageW(list_, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
  save_ = Button(window_, instance_, kFindingsSaveButton, kSaveId);
  close_ = Button(window_, instance_, kFindingsCloseButton, kCloseId);
  for (HWND control : {list_, save_, close_}) {
    ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
  }
}

// Every cell's text is set here; the item data is the finding's index, which the sort compares by.
void FindingsWindow::FillList() {
  constexpr int kWidths[] = {110, 40, 60, 130, 400};
  for (std::size_t column = 0; column < kFindingColumns.size(); ++column) {
    std::wstring title = WideOf(FindingColumnTitle(kFindingColumns[column]));
    LVCOLUMNW header{};
    header.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
    header.fmt = kFindingColumns[column] == FindingColumn::kLine ? LVCFMT_RIGHT : LVCFMT_LEFT;
    header.cx = kWidths[column];
    header.pszText = title.data();
    ::SendMessageW(list_, LVM_INSERTCOLUMNW, column, reinterpret_cast<LPARAM>(&header));
  }
  for (std::size_t row = 0; row < findings_.size(); ++row) {
    for (std::size_t column = 0; column < kFindingColumns.size(); ++column) {
      std::wstring text = WideOf(FindingCell(findings_[row], kFindingColumns[column]));
      LVITEMW item{};
      item.iItem = static_cast<int>(row);
      item.iSubItem = static_cast<int>(column);
      item.pszText = text.data();
      if (column == 0) {
        item.mask = LVIF_TEXT | LVIF_PARAM;
        item.lParam = static_cast<LPARAM>(row);
        ::SendMessageW(list_, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
      } else {
        item.mask = LVIF_TEXT;
        ::SendMessageW(list_, LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
      }
    }
  }
}

void FindingsWindow::Layout() {
  RECT client{};
  ::GetClientRect(window_, &client);
  int buttonsTop = client.bottom - kMargin - kButtonHeight;
  ::MoveWindow(list_, kMargin, kMargin, client.right - 2 * kMargin, buttonsTop - 2 * kMargin, TRUE);
  ::MoveWindow(close_, client.right - kMargin - kButtonWidth, buttonsTop, kButtonWidth, kButtonHeight, TRUE);
  ::MoveWindow(save_, client.right - 2 * (kMargin + kButtonWidth), buttonsTop, kButtonWidth, kButtonHeight, TRUE);
}

// A second click on the same header turns the order round.
void FindingsWindow::SortBy(int column) {
  ascending_ = column == sortColumn_ ? !ascending_ : true;
  sortColumn_ = column;
  ::SendMessageW(list_, LVM_SORTITEMS, reinterpret_cast<WPARAM>(this), reinterpret_cast<LPARAM>(&CompareRows));
}

int CALLBACK FindingsWindow::CompareRows(LPARAM a, LPARAM b, LPARAM self) {
  const auto* window = reinterpret_cast<const FindingsWindow*>(self);
  const Finding& first = window->findings_[static_cast<std::size_t>(a)];
  const Finding& second = window->findings_[static_cast<std::size_t>(b)];
  int order = CompareFindings(first, second, kFindingColumns[static_cast<std::size_t>(window->sortColumn_)]);
  return window->ascending_ ? order : -order;
}

void FindingsWindow::SaveCsv() {
  std::wstring path(MAX_PATH * 4, L'\0');
  std::wstring initial = WideOf(kFindingsCsvName);
  initial.copy(path.data(), path.size() - 1);
  std::wstring filter = WideOf(kFindingsCsvFilter) + L'\0' + L"*.csv" + L'\0';
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = window_;
  dialog.lpstrFilter = filter.c_str();
  dialog.lpstrFile = path.data();
  dialog.nMaxFile = static_cast<DWORD>(path.size());
  dialog.lpstrDefExt = L"csv";
  dialog.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR;
  if (!::GetSaveFileNameW(&dialog)) return;
  path.resize(path.find(L'\0'));
  if (WriteWhole(path, FindingsCsv(findings_))) return;
  Text message = FindingsNotSavedMessage(TextOf(path), U"書き込めませんでした。");
  ::MessageBoxW(window_, WideOf(message).c_str(), WideOf(kFindingsTitle).c_str(), MB_OK | MB_ICONEXCLAMATION);
}

LRESULT CALLBACK FindingsWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
    ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<FindingsWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self == nullptr || self->window_ == nullptr) return ::DefWindowProcW(window, message, wParam, lParam);
  return self->OnMessage(message, wParam, lParam);
}

LRESULT FindingsWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SIZE: Layout(); return 0;
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lParam);
      if (header->hwndFrom == list_ && header->code == LVN_COLUMNCLICK) {
        SortBy(reinterpret_cast<const NMLISTVIEW*>(lParam)->iSubItem);
        return 0;
      }
      break;
    }
    case WM_COMMAND:
      if (LOWORD(wParam) == kSaveId) SaveCsv();
      if (LOWORD(wParam) == kCloseId) ::DestroyWindow(window_);
      return 0;
    case WM_CLOSE: ::DestroyWindow(window_); return 0;
    case WM_DESTROY:
      ::SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
      window_ = nullptr;
      list_ = save_ = close_ = nullptr;
      return 0;
    default: break;
  }
  return ::DefWindowProcW(window_, message, wParam, lParam);
}

}  // namespace tq::win32
