#include "skins/win/SkinLabel.h"

#include "skins/win/SkinMessages.h"
#include "support/ui/win/Form.h"
#include "support/ui/win/GdiObjects.h"
#include "support/ui/win/WinControl.h"
#include "support/win/WideText.h"

namespace nv {

TSkinLabel::TSkinLabel(WinControl& parent, const Rect& bounds)
    : Control(&parent), font_(static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT))) {
  SetBounds(bounds);
}

void TSkinLabel::SetCaption(std::string_view heldText) {
  if (heldText == caption_) return;
  caption_ = std::string(heldText);
  text_ = MarkedToWide(caption_);
  Remeasure();
  Invalidate();
}

void TSkinLabel::SetAutoSize(bool autoSize) {
  autoSize_ = autoSize;
  Remeasure();
}

void TSkinLabel::SetAutoScroll(bool autoScroll) {
  autoScroll_ = autoScroll;
  Remeasure();
  Invalidate();
}

void TSkinLabel::SetAlignment(TextAlign alignment) {
  alignment_ = alignment;
  Invalidate();
}

void TSkinLabel::SetLayout(TextLayout layout) {
  layout_ = layout;
  Invalidate();
}

void TSkinLabel::SetWordWrap(bool wordWrap) {
  wordWrap_ = wordWrap;
  Remeasure();
  Invalidate();
}

void TSkinLabel::SetFont(HFONT font) {
  font_ = font ? font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  Remeasure();
  Invalidate();
}

UINT TSkinLabel::TextFlags() const {
  UINT flags = DT_EXPANDTABS | DT_NOPREFIX;
  if (wordWrap_) flags |= DT_WORDBREAK;
  return flags;
}

Size TSkinLabel::MeasureText(int width, UINT flags) const {
  if (text_.empty()) return {};
  const WindowDC screen(nullptr);
  const SelectedObject font(screen.Get(), font_);
  RECT area{0, 0, width, 0};
  DrawTextW(screen.Get(), text_.c_str(), static_cast<int>(text_.size()), &area, flags | DT_CALCRECT);
  return {area.right - area.left, area.bottom - area.top};
}

void TSkinLabel::AdjustBounds(Rect& bounds) {
  // A label without text keeps the size it was given until it has something to size to.
  if (autoSize_ && !text_.empty()) {
    const Size size = MeasureText(bounds.Width(), TextFlags());
    bounds = Rect::FromSize(bounds.left, bounds.top, size.width, size.height);
    textWidth_ = size.width;
  } else {
    textWidth_ = MeasureText(bounds.Width(), TextFlags()).width;
  }
  const bool scrolls = autoScroll_ && marquee_.Update(textWidth_, bounds.Width());
  if (!autoScroll_) marquee_.Update(0, bounds.Width());
  if (scrolls && TimerInterval() == 0) SetTimerInterval(kMarqueeIntervalMs);
  if (!scrolls && TimerInterval() != 0) SetTimerInterval(0);
}

void TSkinLabel::Remeasure() {
  // The size rule measures the text, also when the bounds come out the same.
  if (!Loading()) SetBounds(Bounds());
}

void TSkinLabel::TimerTick() {
  // The text may have come to fit: the marquee then stops by itself.
  if (!marquee_.Running()) {
    SetTimerInterval(0);
    return;
  }
  marquee_.Advance();
  Invalidate();
}

void TSkinLabel::DrawTextAt(HDC dc, const std::wstring& text, RECT area, UINT flags) {
  if (Enabled()) {
    SetTextColor(dc, Color.GetColor());
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &area, flags);
    return;
  }
  // Disabled: embossed, the highlight one pixel down and right under the shadow.
  RECT lower = area;
  OffsetRect(&lower, 1, 1);
  SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &lower, flags);
  SetTextColor(dc, GetSysColor(COLOR_BTNSHADOW));
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &area, flags);
}

void TSkinLabel::Paint(HDC dc) {
  if (text_.empty()) return;
  const SelectedObject font(dc, font_);
  SetBkMode(dc, TRANSPARENT);
  UINT flags = TextFlags();
  int top = 0;
  if (layout_ != TextLayout::Top) {
    const int free = Height() - MeasureText(Width(), flags).height;
    top = layout_ == TextLayout::Centre ? free / 2 : free;
  }
  if (marquee_.Running()) {
    // The whole text, moved by the offset, and its copy behind it.
    const Marquee::Copies copies = marquee_.Positions();
    DrawTextAt(dc, text_, {copies.first, top, copies.first + textWidth_, Height()}, flags | DT_LEFT);
    if (copies.second) DrawTextAt(dc, text_, {*copies.second, top, *copies.second + textWidth_, Height()}, flags | DT_LEFT);
    return;
  }
  flags |= alignment_ == TextAlign::Right ? DT_RIGHT : alignment_ == TextAlign::Centre ? DT_CENTER : DT_LEFT;
  DrawTextAt(dc, text_, {0, top, Width(), Height()}, flags);
}

LRESULT TSkinLabel::ControlMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SKINELEMENTCHANGED:
      Invalidate();
      return 0;
    case WM_SKINCOLORRESOLVED:
      // The form may put a colour of its own in the palette's place; it hears of the label.
      if (Parent())
        if (Form* form = Form::Containing(Parent()->Handle())) form->Perform(message, wParam, reinterpret_cast<LPARAM>(this));
      return 0;
    default:
      return Control::ControlMessage(message, wParam, lParam);
  }
}

}  // namespace nv
