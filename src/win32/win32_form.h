// Form1 on Windows: the classic form made of the system's own controls, a view of the form logic.
#pragma once

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "form/form_logic.h"
#include "form/form_view.h"
#include "platform/message_box.h"
#include "win32/findings_window.h"
#include "win32/folder_icons.h"
#include "win32/windows_headers.h"

namespace tq::win32 {

// The controls by name; each is a child window whose identifier is its place here.
enum class Control {
  kPicture1,
  kLabel2,
  kText2,
  kLabel1,
  kText1,
  kFrame2,
  kDir2,
  kDrive2,
  kList1,
  kFrame1,
  kDir1,
  kDrive1,
  kFrame3,
  kLabel3,
  kProgressBar1,
  kCommand1,
  kCommand2,
  kCount
};

// Answers a message box instead of showing it; the test hook records what it said.
using MessageBoxHook = std::function<int(const Text& text, int style, const std::optional<Text>& title)>;

class Win32Form : public FormView {
 public:
  Win32Form(HINSTANCE instance, FileSystem files);
  ~Win32Form() override;
  Win32Form(const Win32Form&) = delete;
  Win32Form& operator=(const Win32Form&) = delete;

  HWND Window() const { return window_; }
  HWND ControlWindow(Control control) const { return controls_[static_cast<std::size_t>(control)]; }
  FormLogic& Logic() { return logic_; }
  void SetMessageBoxHook(MessageBoxHook hook) { messageBoxHook_ = std::move(hook); }
  // True when the message was the dialog navigation (Tab, Enter on a button) of the window.
  bool TranslateNavigation(MSG& message) const;

  Text BoxText(Box box) const override;
  void SetBoxText(Box box, const Text& text) override;
  void SetStatusCaption(const Text& caption) override;
  void FillDriveList(Browser browser, const std::vector<Text>& captions, int selected) override;
  void SelectDrive(Browser browser, int index) override;
  void FillFolderList(Browser browser, const std::vector<FolderEntry>& entries, int current) override;
  void FillFileList(const std::vector<Text>& names) override;
  std::vector<int> SelectedFiles() const override;
  void SelectFiles(const std::vector<int>& indices) override;
  void CentreOnScreen() override;
  void SetMousePointer(int pointer) override;
  void FocusDestinationBox() override;
  int ShowMessage(const Text& text, int style, const std::optional<Text>& title) override;
  void ShowProgress(int done, int total) override;
  void HideProgress() override;
  void Close() override;
  void DiscardPendingInput() override;
  void ShowFindings(const std::vector<Finding>& findings) override;
  // The list of the last run's findings; nothing when none was shown or the user closed it.
  const FindingsWindow* Findings() const { return findings_ && findings_->Window() ? findings_.get() : nullptr; }

 private:
  static LRESULT CALLBACK FormProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK PictureProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT OnFormMessage(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT OnPictureMessage(HWND picture, UINT message, WPARAM wParam, LPARAM lParam);
  bool OnCommand(WORD id, WORD code);
  bool OnSetCursor();
  void CreateControls();
  void Layout();
  void ApplyDpi(UINT dpi);
  HWND Ctl(Control control) const { return ControlWindow(control); }
  HWND DriveListOf(Browser browser) const;
  HWND FolderListOf(Browser browser) const;
  void PaintNow(HWND window) const;

  HINSTANCE instance_;
  HWND window_ = nullptr;
  std::array<HWND, static_cast<std::size_t>(Control::kCount)> controls_{};
  HFONT font_ = nullptr;
  FolderIcons folderIcons_;
  UINT dpi_ = 96;
  bool busy_ = false;
  HWND focused_ = nullptr;
  MessageBoxHook messageBoxHook_;
  std::unique_ptr<FindingsWindow> findings_;
  FormLogic logic_;
};

}  // namespace tq::win32
