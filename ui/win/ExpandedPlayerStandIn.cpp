#include "ui/win/ExpandedPlayerStandIn.h"

#include <algorithm>

#include "app/win/MainPlayerFm.h"
#include "metadata/HeaderAttributes.h"
#include "resources/StringIds.h"
#include "support/PathNames.h"
#include "support/ui/win/Application.h"
#include "support/ui/win/GdiObjects.h"
#include "support/ui/win/Label.h"
#include "support/ui/win/Resources.h"
#include "support/win/WideText.h"

namespace nv {

namespace {

constexpr int kWidth = 380, kHeight = 260;
constexpr int kRowHeight = 18;
constexpr int kStateHeight = 24;
constexpr COLORREF kBackground = RGB(0x23, 0x28, 0x2F);
constexpr COLORREF kText = RGB(0xE6, 0xEB, 0xF0);
constexpr COLORREF kDimText = RGB(0x8A, 0x95, 0xA3);
constexpr COLORREF kCurrent = RGB(0x38, 0xC9, 0xB4);

std::wstring EntryText(const TXPlayListItem& item) {
  std::u16string title = item.Value(kTitleAttribute).ToUtf16();
  if (title.empty()) title = std::u16string(ExtractFileName(item.WideFileName()));
  return ToWide(title);
}

std::wstring TimeText(std::int32_t ms) {
  const std::int32_t seconds = std::max(ms, 0) / 1000;
  wchar_t text[16];
  swprintf(text, 16, L"%d:%02d", seconds / 60, seconds % 60);
  return text;
}

// Bottom right of the work area, where the expanded player shows.
Rect StandInBounds() {
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  return Rect::FromSize(work.right - kWidth - 8, work.bottom - kHeight - 8, kWidth, kHeight);
}

}  // namespace

// The state line and the entries, one row each.
class ExpandedPlayerStandIn::ListView final : public Control {
public:
  ListView(WinControl& parent, TXPlayer& player) : Control(&parent), player_(player) {}

  void Paint(HDC dc) override {
    const SelectedObject font(dc, MessageFont());
    SetBkMode(dc, TRANSPARENT);
    TXPlayerPlayList& list = player_.PlayList();
    RECT state{8, 4, Width() - 8, kStateHeight};
    SetTextColor(dc, kDimText);
    DrawTextW(dc, StateText().c_str(), -1, &state, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    const int current = list.CurrentIndex();
    const int rows = std::max(0, (Height() - kStateHeight) / kRowHeight);
    const int first = std::clamp(current - rows / 2, 0, std::max(0, list.Count() - rows));
    for (int i = first; i < list.Count() && i < first + rows; ++i) {
      RECT row{8, kStateHeight + (i - first) * kRowHeight, Width() - 8, kStateHeight + (i - first + 1) * kRowHeight};
      SetTextColor(dc, i == current ? kCurrent : kText);
      const std::wstring text = std::to_wstring(i + 1) + L". " + EntryText(list.Items(i));
      DrawTextW(dc, text.c_str(), -1, &row, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    }
    firstRow_ = first;
  }

protected:
  void DoubleClick(const MouseEvent& event) override {
    const int row = (event.at.y - kStateHeight) / kRowHeight;
    if (event.at.y >= kStateHeight) player_.PlayList().PlayIndex(firstRow_ + row, true, TSetCurrentMode::smSmooth);
    Control::DoubleClick(event);
  }

private:
  std::wstring StateText() const {
    std::wstring text;
    switch (player_.State()) {
      case TXPlayerState::psPlaying: text = ResourceString(IDS_STANDIN_PLAYING); break;
      case TXPlayerState::psPaused: text = ResourceString(IDS_STANDIN_PAUSED); break;
      case TXPlayerState::psStopped: text = ResourceString(IDS_STANDIN_STOPPED); break;
    }
    if (player_.State() != TXPlayerState::psStopped)
      text += L"  " + TimeText(player_.Position()) + L" / " + TimeText(player_.Duration());
    text += L"  \u2014  " + ResourceString(IDS_STANDIN_MENU_HINT);
    return text;
  }

  TXPlayer& player_;
  int firstRow_ = 0;
};

ExpandedPlayerStandIn::ExpandedPlayerStandIn(TMainPlayerFm& mainForm)
    : TChildPlayerForm(mainForm, {.className = L"NorvaleExpandedPlayerStandIn",
                                  .caption = App().Title(),
                                  .border = FormBorder::Sizeable,
                                  .appWindow = true,
                                  .bounds = StandInBounds(),
                                  .minSize = {240, 120},
                                  .keyPreview = true,
                                  .acceptFiles = true}),
      list_(std::make_unique<ListView>(*this, mainForm.Player())) {
  SetColor(kBackground);
  list_->SetAlignment(Align::Client);
  Menu = &mainForm.MainMenu();
  // Files dropped here go to the player as if dropped on the main window.
  OnDropFiles = [this](WinControl&, const DroppedFiles& files) { MainPlayerForm().FilesDropped(files.names); };
}

ExpandedPlayerStandIn::~ExpandedPlayerStandIn() = default;

void ExpandedPlayerStandIn::PlayerEvent(TPlayerCore&, TPlayerEventType event, void*) {
  switch (event) {
    case peStateChanged:
    case pePositionChanged:
    case pePlayListChanged:
    case peCurrentChanged:
    case peItemInfoChanged:
      list_->Invalidate();
      break;
    default:
      break;
  }
}

void ExpandedPlayerStandIn::Closing(CloseAction& action) {
  action = CloseAction::None;
  MainPlayerForm().MainActions().Find("aClose")->Execute();
}

bool ExpandedPlayerStandIn::KeyDown(WORD key, std::uint8_t modifiers) {
  if (key == VK_SPACE && modifiers == 0) return MainPlayerForm().MainActions().Find("aPlayPause")->Execute();
  return TChildPlayerForm::KeyDown(key, modifiers);
}

}  // namespace nv
