// The list of a run's findings beside the window on Windows: a list view in report mode that a
// click on a column's header sorts, and a button that saves the findings as a CSV file.
#pragma once

#include <vector>

#include "common/findings.h"
#include "win32/windows_headers.h"

namespace tq::win32 {

class FindingsWindow {
 public:
  // Shown at once, owned by owner: it stays above it and closes with it.
  FindingsWindow(HINSTANCE instance, HWND owner, std::vector<Finding> findings);
  ~FindingsWindow();
  FindingsWindow(const FindingsWindow&) = delete;
  FindingsWindow& operator=(const FindingsWindow&) = delete;

  // Nothing once the user closed it.
  HWND Window() const { return window_; }
  int RowCount() const;

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static int CALLBACK CompareRows(LPARAM a, LPARAM b, LPARAM self);
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void CreateControls();
  void FillList();
  void Layout();
  void SortBy(int column);
  void SaveCsv();

  HINSTANCE instance_;
  HWND window_ = nullptr;
  HWND list_ = nullptr;
  HWND save_ = nullptr;
  HWND close_ = nullptr;
  HFONT font_ = nullptr;
  std::vector<Finding> findings_;  // each row's item data is its index here
  int sortColumn_ = -1;
  bool ascending_ = true;
};

}  // namespace tq::win32
