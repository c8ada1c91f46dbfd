#pragma once
// Label: a windowless text on its parent's background, in the parent's font (the system's message font unless one
// is given), wrapped at its width. It is as high as its text needs when AutoHeight is set.
//
//   Label version(form);
//   version.SetBounds(120, 74, 200, 0);
//   version.SetText(L"Version: 2.6b");
#include <windows.h>

#include <string>

#include "support/ui/win/Control.h"

namespace nv {

class Label : public Control {
public:
  explicit Label(WinControl& parent);

  const std::wstring& Text() const { return text_; }
  void SetText(std::wstring text);
  void SetTextColor(COLORREF color);
  void SetFont(HFONT font);  // not owned; null: the system's message font
  // DT_LEFT, DT_CENTER or DT_RIGHT.
  void SetAlignment(UINT alignment);
  bool AutoHeight = true;

  // The height the text needs at a width.
  int TextHeight(int width) const;

  void Paint(HDC dc) override;

protected:
  void AdjustBounds(Rect& bounds) override;

private:
  HFONT Font() const;

  std::wstring text_;
  COLORREF textColor_ = GetSysColor(COLOR_WINDOWTEXT);
  HFONT font_ = nullptr;
  UINT alignment_ = DT_LEFT;
};

// The system's message font (what dialogs and menus use), made once per process.
HFONT MessageFont();

}  // namespace nv
