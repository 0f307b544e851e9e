// How a folder list draws its entries: an icon and the caption, indented by the entry's depth.
#pragma once

#include <array>

#include "form/form_view.h"
#include "win32/windows_headers.h"

namespace tq::win32 {

// An entry's item data holds its depth and its icon.
LPARAM FolderItemData(const FolderEntry& entry);

// The drive, open-folder and closed-folder icons at the size for one dpi.
class FolderIcons {
 public:
  FolderIcons() = default;
  explicit FolderIcons(UINT dpi);
  ~FolderIcons();
  FolderIcons(const FolderIcons&) = delete;
  FolderIcons& operator=(const FolderIcons&) = delete;
  FolderIcons& operator=(FolderIcons&& other) noexcept;

  int LineHeight(HFONT font) const;
  void Draw(const DRAWITEMSTRUCT& item) const;

 private:
  void Release();

  std::array<HICON, 3> icons_{};
  int size_ = 16;
  int indent_ = 9;
};

}  // namespace tq::win32
