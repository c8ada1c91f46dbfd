#pragma once
// TSkinLabel: a windowless label whose text colour comes from the skin's palette (Color); its background is what
// lies beneath. A text wider than the label scrolls through it when AutoScroll is set (Marquee.h). Held text —
// ANSI or marked Unicode — is drawn with the wide text functions; a disabled label draws it embossed. When the
// palette colour is resolved, the form the label is on may substitute another (it receives the colour-resolved
// message with the label).
#include <windows.h>

#include <string>
#include <string_view>

#include "skins/Marquee.h"
#include "skins/SkinElement.h"
#include "skins/win/SkinNotices.h"
#include "support/ui/win/Control.h"

namespace nv {

enum class TextAlign { Left, Right, Centre };
enum class TextLayout { Top, Centre, Bottom };

class TSkinLabel : public Control {
private:
  SkinNotices notices_{*this};

public:
  TSkinLabel(WinControl& parent, const Rect& bounds);

  TSkinColorElement Color{&notices_};

  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string_view heldText);
  // The label takes its text's size (true unless set).
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool autoSize);
  bool AutoScroll() const { return autoScroll_; }
  void SetAutoScroll(bool autoScroll);
  TextAlign Alignment() const { return alignment_; }
  void SetAlignment(TextAlign alignment);
  TextLayout Layout() const { return layout_; }
  void SetLayout(TextLayout layout);
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool wordWrap);
  // The font (not owned); the system's GUI font unless set.
  void SetFont(HFONT font);

  // The width of the whole text, as last measured.
  int TextWidth() const { return textWidth_; }
  const Marquee& Scrolling() const { return marquee_; }

  void Paint(HDC dc) override;

protected:
  void AdjustBounds(Rect& bounds) override;
  void TimerTick() override;
  LRESULT ControlMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
  UINT TextFlags() const;
  // The text's size at the given width (the width only matters with word wrap).
  Size MeasureText(int width, UINT flags) const;
  // Measures again and starts or stops the marquee.
  void Remeasure();
  void DrawTextAt(HDC dc, const std::wstring& text, RECT area, UINT flags);

  std::string caption_;
  std::wstring text_;
  bool autoSize_ = true, autoScroll_ = false, wordWrap_ = false;
  TextAlign alignment_ = TextAlign::Left;
  TextLayout layout_ = TextLayout::Top;
  HFONT font_;
  int textWidth_ = 0;
  Marquee marquee_;
};

}  // namespace nv
