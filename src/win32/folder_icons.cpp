// Drawing the classic folder list.
#include "win32/folder_icons.h"

#include <string>
#include <utility>

namespace tq::win32 {
namespace {

constexpr LPARAM kIconKinds = 4;

// The system's stock icon, else the same picture from shell32.dll by its resource number, which
// older systems and Wine share.
HICON LoadShellIcon(SHSTOCKICONID stock, int resource, int size) {
  SHSTOCKICONINFO info{};
  info.cbSize = sizeof info;
  UINT flags = SHGSI_ICON | (size <= 16 ? SHGSI_SMALLICON : SHGSI_LARGEICON);
  if (SUCCEEDED(::SHGetStockIconInfo(stock, flags, &info)) && info.hIcon != nullptr) return info.hIcon;
  HICON large = nullptr;
  HICON small = nullptr;
  ::ExtractIconExW(L"shell32.dll", -resource, &large, &small, 1);
  if (size <= 16) std::swap(large, small);
  if (small != nullptr) ::DestroyIcon(small);
  return large;
}

}  // namespace

LPARAM FolderItemData(const FolderEntry& entry) {
  return static_cast<LPARAM>(entry.depth) * kIconKinds + static_cast<LPARAM>(entry.icon);
}

FolderIcons::FolderIcons(UINT dpi)
    : size_(::MulDiv(16, static_cast<int>(dpi), 96)), indent_(::MulDiv(9, static_cast<int>(dpi), 96)) {
  icons_ = {LoadShellIcon(SIID_DRIVEFIXED, 9, size_), LoadShellIcon(SIID_FOLDEROPEN, 5, size_),
            LoadShellIcon(SIID_FOLDER, 4, size_)};
}

FolderIcons::~FolderIcons() { Release(); }

FolderIcons& FolderIcons::operator=(FolderIcons&& other) noexcept {
  if (this == &other) return *this;
  Release();
  icons_ = std::exchange(other.icons_, {});
  size_ = other.size_;
  indent_ = other.indent_;
  return *this;
}

void FolderIcons::Release() {
  for (HICON& icon : icons_) {
    if (icon != nullptr) ::DestroyIcon(icon);
    icon = nullptr;
  }
}

int FolderIcons::LineHeight(HFONT font) const {
  HDC screen = ::GetDC(nullptr);
  HGDIOBJ old = ::SelectObject(screen, font);
  TEXTMETRICW metrics{};
  ::GetTextMetricsW(screen, &metrics);
  ::SelectObject(screen, old);
  ::ReleaseDC(nullptr, screen);
  return std::max<int>(size_, metrics.tmHeight) + 2;
}

void FolderIcons::Draw(const DRAWITEMSTRUCT& item) const {
  if (item.itemID == static_cast<UINT>(-1)) return;
  bool selected = (item.itemState & ODS_SELECTED) != 0;
  ::FillRect(item.hDC, &item.rcItem, ::GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  auto data = static_cast<LPARAM>(item.itemData);
  int depth = static_cast<int>(data / kIconKinds);
  auto icon = static_cast<std::size_t>(data % kIconKinds);
  int left = item.rcItem.left + 2 + depth * indent_;
  int lineHeight = item.rcItem.bottom - item.rcItem.top;
  if (icon < icons_.size() && icons_[icon] != nullptr) {
    ::DrawIconEx(item.hDC, left, item.rcItem.top + (lineHeight - size_) / 2, icons_[icon], size_, size_, 0, nullptr,
                 DI_NORMAL);
  }
  auto length = static_cast<std::size_t>(::SendMessageW(item.hwndItem, LB_GETTEXTLEN, item.itemID, 0));
  std::wstring caption(length + 1, L'\0');
  ::SendMessageW(item.hwndItem, LB_GETTEXT, item.itemID, reinterpret_cast<LPARAM>(caption.data()));
  caption.resize(length);
  RECT text = item.rcItem;
  text.left = left + size_ + 3;
  ::SetBkMode(item.hDC, TRANSPARENT);
  ::SetTextColor(item.hDC, ::GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  ::DrawTextW(item.hDC, caption.c_str(), static_cast<int>(caption.size()), &text,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
  if ((item.itemState & ODS_FOCUS) != 0) ::DrawFocusRect(item.hDC, &item.rcItem);
}

}  // namespace tq::win32
