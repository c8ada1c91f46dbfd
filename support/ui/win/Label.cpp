#include "support/ui/win/Label.h"

#include "support/ui/win/GdiObjects.h"

namespace nv {

namespace {
constexpr UINT kTextFormat = DT_WORDBREAK | DT_NOPREFIX | DT_EDITCONTROL;
}  // namespace

HFONT MessageFont() {
  static const UniqueFont font = [] {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    return UniqueFont(CreateFontIndirectW(&metrics.lfMessageFont));
  }();
  return font.Get() ? font.Get() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

Label::Label(WinControl& parent) : Control(&parent) { SetHitTransparent(true); }

void Label::SetText(std::wstring text) {
  if (text == text_) return;
  text_ = std::move(text);
  SetBounds(Bounds());  // the height follows the text
  Invalidate();
}

void Label::SetTextColor(COLORREF color) {
  textColor_ = color;
  Invalidate();
}

void Label::SetFont(HFONT font) {
  font_ = font;
  SetBounds(Bounds());
  Invalidate();
}

void Label::SetAlignment(UINT alignment) {
  alignment_ = alignment;
  Invalidate();
}

HFONT Label::Font() const { return font_ ? font_ : MessageFont(); }

int Label::TextHeight(int width) const {
  const WindowDC screen(nullptr);
  const SelectedObject font(screen.Get(), Font());
  RECT r{0, 0, width, 0};
  // An empty text is as high as a line.
  DrawTextW(screen.Get(), text_.empty() ? L" " : text_.c_str(), -1, &r, kTextFormat | DT_CALCRECT);
  return r.bottom - r.top;
}

void Label::AdjustBounds(Rect& bounds) {
  if (AutoHeight) bounds.bottom = bounds.top + TextHeight(bounds.Width());
}

void Label::Paint(HDC dc) {
  const SelectedObject font(dc, Font());
  SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, textColor_);
  RECT r{0, 0, Width(), Height()};
  DrawTextW(dc, text_.c_str(), -1, &r, kTextFormat | alignment_);
}

}  // namespace nv
