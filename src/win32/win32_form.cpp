// Form1's controls on Windows: their captions, their positions in twips and the events they raise.
#include "win32/win32_form.h"

#include "run/run_observer.h"
#include "win32/dpi.h"
#include "win32/folder_icons.h"
#include "win32/ui_font_win32.h"
#include "win32/win32_text.h"

namespace tq::win32 {
namespace {

constexpr wchar_t kFormClass[] = L"Tecris2QuilloForm1";
constexpr wchar_t kPictureClass[] = L"Tecris2QuilloPicture1";
constexpr DWORD kFormStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr int kFormWidth = 9090;  // the client area, in twips
constexpr int kFormHeight = 6495;
constexpr WORD kFirstId = 100;

struct Frame {
  int left;
  int top;
};
constexpr Frame kWindow{0, 0};
constexpr Frame kFrame2{240, 1620};
constexpr Frame kFrame1{6000, 1620};
constexpr Frame kFrame3{240, 4740};

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
constexpr DWORD kFolderListStyle = kChild | WS_TABSTOP | WS_VSCROLL | WS_BORDER | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS |
                                   LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
constexpr DWORD kDriveListStyle = kChild | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST;

// One control: where it stands (inside its frame when it has one) and how it is made. The
// table is in creation order, which is the tab order; a frame comes after the controls it
// holds, so that they stand above it.
struct ControlLayout {
  Control control;
  const wchar_t* kind;
  const char* caption;
  DWORD style;
  DWORD exStyle;
  Frame frame;
  int left, top, width, height;
};

const ControlLayout kControls[] = {
    {Control::kLabel2, L"STATIC", "変換元ﾌｧｲﾙ名 ：", kChild | SS_NOTIFY, 0, kWindow, 240, 300, 2235, 315},
    {Control::kText2, L"EDIT", "", kChild | WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, kWindow, 2400, 240, 6255,
     405},
    {Control::kLabel1, L"STATIC", "変換先ﾌｫﾙﾀﾞ名 ：", kChild | SS_NOTIFY, 0, kWindow, 240, 900, 2235, 315},
    {Control::kText1, L"EDIT", "", kChild | WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, kWindow, 2400, 840, 6255,
     405},
    {Control::kDir2, L"LISTBOX", "", kFolderListStyle, 0, kFrame2, 180, 420, 2595, 1530},
    {Control::kDrive2, L"COMBOBOX", "", kDriveListStyle, 0, kFrame2, 180, 2220, 2595, 390},
    {Control::kList1, L"LISTBOX", "",
     kChild | WS_TABSTOP | WS_VSCROLL | WS_BORDER | LBS_EXTENDEDSEL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, 0, kFrame2,
     3000, 240, 2295, 2490},
    {Control::kFrame2, L"BUTTON", "変換元ﾌｧｲﾙ名選択", kChild | BS_GROUPBOX, 0, kWindow, 240, 1620, 5535, 2895},
    {Control::kDir1, L"LISTBOX", "", kFolderListStyle, 0, kFrame1, 120, 420, 2415, 1530},
    {Control::kDrive1, L"COMBOBOX", "", kDriveListStyle, 0, kFrame1, 120, 2220, 2415, 390},
    {Control::kFrame1, L"BUTTON", "変換先ﾌｫﾙﾀﾞ名選択", kChild | BS_GROUPBOX, 0, kWindow, 6000, 1620, 2715, 2895},
    // Shown over the free right end of the caption during a run of several files.
    {Control::kProgressBar1, PROGRESS_CLASSW, "", WS_CHILD | WS_CLIPSIBLINGS, 0, kFrame3, 5400, 240, 2955, 315},
    {Control::kLabel3, L"STATIC", "", kChild | SS_NOTIFY | SS_LEFTNOWORDWRAP, 0, kFrame3, 180, 240, 8175, 315},
    {Control::kFrame3, L"BUTTON", "メッセージ", kChild | BS_GROUPBOX, 0, kWindow, 240, 4740, 8475, 675},
    {Control::kCommand1, L"BUTTON", "実  行", kChild | WS_TABSTOP | BS_PUSHBUTTON, 0, kWindow, 2520, 5580, 1935, 555},
    {Control::kCommand2, L"BUTTON", "終  了", kChild | WS_TABSTOP | BS_PUSHBUTTON, 0, kWindow, 5160, 5580, 2055, 555},
};

// The drive list's height holds its dropped-down entries as well.
constexpr int kDriveListDropRows = 8;

WORD IdOf(Control control) { return static_cast<WORD>(kFirstId + static_cast<WORD>(control)); }

// A frame answers pointer moves itself, as the classic frame did, rather than letting them
// through to the background behind it.
LRESULT CALLBACK FrameProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
  if (message == WM_NCHITTEST) return HTCLIENT;
  return ::DefSubclassProc(window, message, wParam, lParam);
}

// Enter opens a folder list's entry, as a double-click does; the list asks for the key so that
// the dialog navigation leaves it there.
LRESULT CALLBACK FolderListProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
  if (message == WM_GETDLGCODE && wParam == VK_RETURN) return DLGC_WANTALLKEYS;
  if (message == WM_KEYDOWN && wParam == VK_RETURN) {
    ::SendMessageW(::GetParent(window), WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(window), LBN_DBLCLK),
                   reinterpret_cast<LPARAM>(window));
    return 0;
  }
  return ::DefSubclassProc(window, message, wParam, lParam);
}

// Enter on a focused button presses it, as Space does; Enter anywhere else starts nothing.
LRESULT CALLBACK ButtonProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
  if (message == WM_GETDLGCODE && wParam == VK_RETURN) return DLGC_WANTALLKEYS;
  if (message == WM_KEYDOWN && wParam == VK_RETURN) {
    ::SendMessageW(window, BM_CLICK, 0, 0);
    return 0;
  }
  return ::DefSubclassProc(window, message, wParam, lParam);
}

void RegisterClasses(HINSTANCE instance, WNDPROC form, WNDPROC picture) {
  WNDCLASSEXW formClass{};
  formClass.cbSize = sizeof formClass;
  formClass.lpfnWndProc = form;
  formClass.hInstance = instance;
  formClass.hIcon = ::LoadIconW(instance, MAKEINTRESOURCEW(1));
  formClass.hCursor = ::LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
  formClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  formClass.lpszClassName = kFormClass;
  ::RegisterClassExW(&formClass);
  WNDCLASSEXW pictureClass = formClass;
  pictureClass.lpfnWndProc = picture;
  pictureClass.hIcon = nullptr;
  pictureClass.lpszClassName = kPictureClass;
  ::RegisterClassExW(&pictureClass);
}

}  // namespace

Win32Form::Win32Form(HINSTANCE instance, FileSystem files) : instance_(instance), logic_(*this, std::move(files)) {
  INITCOMMONCONTROLSEX common{sizeof(INITCOMMONCONTROLSEX), ICC_PROGRESS_CLASS};
  ::InitCommonControlsEx(&common);
  RegisterClasses(instance, FormProcedure, PictureProcedure);
  window_ = ::CreateWindowExW(0, kFormClass, WideOf(kProgramTitle).c_str(), kFormStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                              CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance, this);
  CreateControls();
  ApplyDpi(WindowDpi(window_));
  logic_.FillBrowsers();
}

Win32Form::~Win32Form() {
  if (window_ != nullptr) ::DestroyWindow(window_);
  if (font_ != nullptr) ::DeleteObject(font_);
}

void Win32Form::CreateControls() {
  // Not clipping its children: the frames leave their inside for the background to paint.
  HWND picture =
      ::CreateWindowExW(WS_EX_CONTROLPARENT, kPictureClass, L"", kChild, 0, 0, 0, 0, window_,
                        reinterpret_cast<HMENU>(static_cast<UINT_PTR>(IdOf(Control::kPicture1))), instance_, this);
  controls_[static_cast<std::size_t>(Control::kPicture1)] = picture;
  for (const ControlLayout& layout : kControls) {
    HWND control =
        ::CreateWindowExW(layout.exStyle, layout.kind, Wide(layout.caption).c_str(), layout.style, 0, 0, 0, 0, picture,
                          reinterpret_cast<HMENU>(static_cast<UINT_PTR>(IdOf(layout.control))), instance_, nullptr);
    controls_[static_cast<std::size_t>(layout.control)] = control;
    if (layout.style & BS_GROUPBOX && std::wstring_view(layout.kind) == L"BUTTON") {
      ::SetWindowSubclass(control, FrameProcedure, 1, 0);
    }
  }
  for (HWND list : {Ctl(Control::kDir1), Ctl(Control::kDir2)}) ::SetWindowSubclass(list, FolderListProcedure, 1, 0);
  for (HWND button : {Ctl(Control::kCommand1), Ctl(Control::kCommand2)}) {
    ::SetWindowSubclass(button, ButtonProcedure, 1, 0);
  }
}

// Everything that depends on the monitor's dots per inch: positions, the font and the icons.
void Win32Form::ApplyDpi(UINT dpi) {
  dpi_ = dpi;
  HFONT old = font_;
  font_ = CreateJapaneseUiFont(dpi);
  for (HWND control : controls_) ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
  if (old != nullptr) ::DeleteObject(old);
  // The boxes' margins follow the scale too; left to the font, some systems clip the first letter.
  int margin = ::MulDiv(3, static_cast<int>(dpi), 96);
  for (HWND box : {Ctl(Control::kText1), Ctl(Control::kText2)}) {
    ::SendMessageW(box, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(margin, margin));
  }
  folderIcons_ = FolderIcons(dpi);
  for (HWND list : {Ctl(Control::kDir1), Ctl(Control::kDir2)}) {
    ::SendMessageW(list, LB_SETITEMHEIGHT, 0, folderIcons_.LineHeight(font_));
  }
  Layout();
}

void Win32Form::Layout() {
  RECT outer{0, 0, Pixels(kFormWidth, dpi_), Pixels(kFormHeight, dpi_)};
  AdjustForDpi(outer, kFormStyle, dpi_);
  ::SetWindowPos(window_, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  ::SetWindowPos(Ctl(Control::kPicture1), nullptr, 0, 0, Pixels(9075, dpi_), Pixels(kFormHeight, dpi_), SWP_NOZORDER);
  for (const ControlLayout& layout : kControls) {
    int height = Pixels(layout.height, dpi_);
    if (std::wstring_view(layout.kind) == L"COMBOBOX") height *= kDriveListDropRows;
    ::SetWindowPos(Ctl(layout.control), nullptr, Pixels(layout.frame.left + layout.left, dpi_),
                   Pixels(layout.frame.top + layout.top, dpi_), Pixels(layout.width, dpi_), height,
                   SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

LRESULT CALLBACK Win32Form::FormProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
    ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* form = reinterpret_cast<Win32Form*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
  if (form == nullptr || form->window_ == nullptr) return ::DefWindowProcW(window, message, wParam, lParam);
  return form->OnFormMessage(message, wParam, lParam);
}

LRESULT CALLBACK Win32Form::PictureProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
    ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* form = reinterpret_cast<Win32Form*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
  if (form == nullptr) return ::DefWindowProcW(window, message, wParam, lParam);
  return form->OnPictureMessage(window, message, wParam, lParam);
}

LRESULT Win32Form::OnFormMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_DPICHANGED: {
      ApplyDpi(HIWORD(wParam));
      const RECT& suggested = *reinterpret_cast<const RECT*>(lParam);
      ::SetWindowPos(window_, nullptr, suggested.left, suggested.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
      return 0;
    }
    case WM_SETCURSOR:
      if (OnSetCursor()) return TRUE;
      break;
    // The focus leaves with the window and comes back to the control that had it, at first the
    // source folder box, the first in the tab order.
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) {
        focused_ = ::GetFocus();
      } else {
        ::SetFocus(focused_ != nullptr && ::IsChild(window_, focused_) ? focused_ : Ctl(Control::kText2));
      }
      return 0;
    case WM_CLOSE: logic_.Command2_Click(); return 0;
    case WM_DESTROY:
      window_ = nullptr;
      ::PostQuitMessage(0);
      return 0;
    default: break;
  }
  return ::DefWindowProcW(window_, message, wParam, lParam);
}

// The background holds every control, so their notifications arrive here.
LRESULT Win32Form::OnPictureMessage(HWND picture, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      if (OnCommand(LOWORD(wParam), HIWORD(wParam))) return 0;
      break;
    case WM_DRAWITEM: folderIcons_.Draw(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)); return TRUE;
    case WM_MOUSEMOVE: logic_.Picture1_MouseMove(); return 0;
    case WM_SETCURSOR:
      if (OnSetCursor()) return TRUE;
      break;
    default: break;
  }
  return ::DefWindowProcW(picture, message, wParam, lParam);
}

bool Win32Form::OnCommand(WORD id, WORD code) {
  if (id == IdOf(Control::kCommand1) && code == BN_CLICKED) {
    logic_.Command1_Click();
    return true;
  }
  if (id == IdOf(Control::kCommand2) && code == BN_CLICKED) {
    logic_.Command2_Click();
    return true;
  }
  for (Browser browser : {Browser::kDestination, Browser::kSource}) {
    HWND drives = DriveListOf(browser);
    if (id == ::GetDlgCtrlID(drives) && code == CBN_SELCHANGE) {
      logic_.DriveSelected(browser, static_cast<int>(::SendMessageW(drives, CB_GETCURSEL, 0, 0)));
      return true;
    }
    // A folder list's entry opens on a double-click or on Enter; a single click only selects it.
    HWND folders = FolderListOf(browser);
    if (id == ::GetDlgCtrlID(folders) && code == LBN_DBLCLK) {
      logic_.FolderOpened(browser, static_cast<int>(::SendMessageW(folders, LB_GETCURSEL, 0, 0)));
      return true;
    }
  }
  return false;
}

bool Win32Form::OnSetCursor() {
  if (!busy_) return false;
  ::SetCursor(::LoadCursorW(nullptr, MAKEINTRESOURCEW(32514)));  // IDC_WAIT
  return true;
}

bool Win32Form::TranslateNavigation(MSG& message) const {
  if (const FindingsWindow* findings = Findings(); findings != nullptr) {
    if (::IsDialogMessageW(findings->Window(), &message) != 0) return true;
  }
  return window_ != nullptr && ::IsDialogMessageW(window_, &message) != 0;
}

HWND Win32Form::DriveListOf(Browser browser) const {
  return Ctl(browser == Browser::kDestination ? Control::kDrive1 : Control::kDrive2);
}

HWND Win32Form::FolderListOf(Browser browser) const {
  return Ctl(browser == Browser::kDestination ? Control::kDir1 : Control::kDir2);
}

}  // namespace tq::win32
