#include "skins/win/PlayListBox.h"

#include <commctrl.h>
#include <shellapi.h>
#include <windowsx.h>

#include <algorithm>

#include "metadata/MediaFormatting.h"
#include "playlist/XPlayListItem.h"
#include "playlist/win/SavePlaylistFileWin.h"
#include "skins/PlayerTexts.h"
#include "skins/SkinSlicing.h"
#include "skins/win/SkinDrawing.h"
#include "skins/win/SkinMessages.h"
#include "skins/win/SkinSlider.h"
#include "support/MarkedText.h"
#include "support/ui/win/GdiObjects.h"
#include "support/ui/win/Hints.h"
#include "support/ui/win/WinRect.h"
#include "support/win/WideText.h"

namespace nv {

namespace {

constexpr UINT_PTR kListId = 1;
constexpr UINT_PTR kAutoScrollTimer = 1;
// The row images stretch around the insets the slicing table gives them.
Insets RowInsets() {
  static const Insets insets = [] {
    const SkinStretch& s = *FindSkinStretch("PlayList.Rows");
    return Insets{s.Left, s.Top, s.Right, s.Bottom};
  }();
  return insets;
}
constexpr int kRowMargin = 2, kPartGap = 4;

LRESULT Send(HWND list, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
  return SendMessageW(list, message, wParam, lParam);
}

int TextWidth(HDC dc, const std::wstring& text) {
  SIZE size{};
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
  return size.cx;
}

}  // namespace

TXPlayListBox::TXPlayListBox(WinControl& parent, const Rect& bounds)
    : PlayerObserving(&parent, {L"TXPlayListBox", CS_DBLCLKS}, {.bounds = bounds}),
      font_(static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT))) {
  {
    const WindowDC screen(Handle());
    const SelectedObject selected(screen.Get(), font_);
    TEXTMETRICW metrics{};
    GetTextMetricsW(screen.Get(), &metrics);
    rowHeight_ = metrics.tmHeight + 2;
  }
  RefreshColours();
  const Rect client = ClientRect();
  // Owner-data: the box holds no strings, only a count; rows are drawn from the list.
  list_ = CreateWindowExW(0, L"LISTBOX", L"",
                          WS_CHILD | WS_VISIBLE | WS_TABSTOP | LBS_NODATA | LBS_OWNERDRAWFIXED | LBS_EXTENDEDSEL |
                              LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
                          0, 0, client.Width(), client.Height(), Handle(), reinterpret_cast<HMENU>(kListId),
                          GetModuleHandleW(nullptr), nullptr);
  Send(list_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  Send(list_, LB_SETITEMHEIGHT, 0, rowHeight_);
  subclass_ = std::make_unique<WindowSubclass>(
      list_, [this](UINT message, WPARAM wParam, LPARAM lParam) { return ListMessage(message, wParam, lParam); });
}

TXPlayListBox::~TXPlayListBox() {
  ReleasePlayer();
  subclass_.reset();
}

TXPlayList* TXPlayListBox::PlayList() const { return Player() ? &Player()->PlayList() : nullptr; }

void TXPlayListBox::SetOptions(TXPlayListBoxOptions options) {
  options_ = options;
  InvalidateRect(list_, nullptr, TRUE);
}

void TXPlayListBox::SetScrollBar(TCustomSkinSlider* slider) {
  scrollBar_ = slider;
  if (!slider) return;
  slider->OnChange = [this](TCustomSkinSlider& s) { SetTopRow(s.Position()); };
  UpdateScrollBar();
}

void TXPlayListBox::SetAcceptFiles(bool accept) {
  acceptFiles_ = accept;
  DragAcceptFiles(list_, accept);
}

// --- The list's state ---

int TXPlayListBox::RowCount() const { return static_cast<int>(Send(list_, LB_GETCOUNT)); }
int TXPlayListBox::TopRow() const { return static_cast<int>(Send(list_, LB_GETTOPINDEX)); }

int TXPlayListBox::Caret() const {
  const int caret = static_cast<int>(Send(list_, LB_GETCARETINDEX));
  return caret < RowCount() ? caret : -1;
}

int TXPlayListBox::VisibleRows() const {
  RECT client{};
  GetClientRect(list_, &client);
  return std::max<int>(client.bottom / std::max(rowHeight_, 1), 1);
}

std::vector<int> TXPlayListBox::SelectedRows() const {
  const int count = static_cast<int>(Send(list_, LB_GETSELCOUNT));
  std::vector<int> rows(std::max(count, 0));
  if (count > 0) Send(list_, LB_GETSELITEMS, count, reinterpret_cast<LPARAM>(rows.data()));
  return rows;
}

Rect TXPlayListBox::RowRect(int row) const {
  RECT client{};
  GetClientRect(list_, &client);
  return Rect::FromSize(0, (row - TopRow()) * rowHeight_, client.right, rowHeight_);
}

int TXPlayListBox::RowAt(int y) const {
  if (y < 0) return -1;
  const int row = TopRow() + y / std::max(rowHeight_, 1);
  return row < RowCount() ? row : -1;
}

void TXPlayListBox::SetTopRow(int row) {
  const int top = std::clamp(row, 0, LastTopRow(RowCount(), VisibleRows()));
  if (top != TopRow()) Send(list_, LB_SETTOPINDEX, top);
  Scrolled();
}

void TXPlayListBox::Scrolled() {
  shownTop_ = TopRow();
  UpdateScrollBar();
  // The background is stretched over the whole box: scrolling moved it with the rows.
  InvalidateRect(list_, nullptr, TRUE);
}

void TXPlayListBox::CheckScrolled() {
  if (TopRow() != shownTop_) Scrolled();
}

void TXPlayListBox::UpdateScrollBar() {
  if (!scrollBar_) return;
  const ScrollBarValues values = ScrollBarFor(RowCount(), VisibleRows(), TopRow());
  scrollBar_->SetMax(values.max);
  scrollBar_->SetPage(values.page);
  scrollBar_->SetPosition(values.position);
}

void TXPlayListBox::InvalidateRow(int row) {
  if (row < 0 || row >= RowCount()) return;
  const RECT r = ToRECT(RowRect(row));
  InvalidateRect(list_, &r, FALSE);
}

void TXPlayListBox::SelectAlone(int row) {
  Send(list_, LB_SETSEL, FALSE, -1);
  if (row < 0 || row >= RowCount()) return;
  Send(list_, LB_SETSEL, TRUE, row);
  Send(list_, LB_SETCARETINDEX, row, FALSE);  // scrolled into view
  CheckScrolled();
}

void TXPlayListBox::BoundsChanged() {
  WinControl::BoundsChanged();
  const Rect client = ClientRect();
  if (list_) MoveWindow(list_, 0, 0, client.Width(), client.Height(), TRUE);
  if (list_) Scrolled();
}

// --- Following the player ---

void TXPlayListBox::PlayerEvent(TXPlayer& player, TPlayerEventType event, void* param) {
  TXPlayList* list = PlayList();
  switch (event) {
    case peLoaded:
      SyncCount();
      break;
    case pePlayListChanged:
      // An emptied list is synchronised at once; a list that changes is synchronised once after its changes.
      if (!list || list->Count() == 0) SyncCount();
      else PostSync();
      break;
    case peStateChanged:
      if (player.State() == TXPlayerState::psPlaying) ScrollCurrentIntoView();
      InvalidateRect(list_, nullptr, FALSE);
      break;
    case peCurrentChanged:
      ScrollCurrentIntoView();
      InvalidateRect(list_, nullptr, FALSE);
      break;
    case peItemInfoChanged:
      if (const auto* item = static_cast<const TXPlayListItem*>(param); item && list && list->Contains(*item))
        InvalidateRow(item->Index());
      break;
    default:
      break;
  }
}

void TXPlayListBox::PostSync() {
  if (syncPosted_) return;
  syncPosted_ = true;
  Ref().PostCall([this] {
    if (syncPosted_) SyncCount();
  });
}

void TXPlayListBox::SyncCount() {
  syncPosted_ = false;
  const TXPlayList* list = PlayList();
  const int count = list ? list->Count() : 0;
  const int top = TopRow(), caret = static_cast<int>(Send(list_, LB_GETCARETINDEX));
  Send(list_, LB_SETCOUNT, count);
  if (count > 0) {
    Send(list_, LB_SETTOPINDEX, std::clamp(top, 0, LastTopRow(count, VisibleRows())));
    const int kept = ClampRow(caret, count);
    Send(list_, LB_SETCARETINDEX, kept, TRUE);
    Send(list_, LB_SETSEL, TRUE, kept);
  }
  Scrolled();
}

void TXPlayListBox::ScrollCurrentIntoView() {
  if (dragSource_ >= 0) return;
  TXPlayList* list = PlayList();
  if (!list) return;
  const int current = list->CurrentIndex();
  if (current < 0 || current >= RowCount()) return;
  const int top = TopRow(), visible = VisibleRows();
  if (current < top) SetTopRow(current);
  else if (current >= top + visible) SetTopRow(current - visible + 1);
}

// --- Drawing ---

void TXPlayListBox::RefreshColours() {
  const SkinBitmap& bitmap = Image.Bitmap();
  const int x = Image.OriginLeft() + Image.ImageWidth(), y = Image.OriginTop();
  if (!Image.IsEmpty() && x >= 0 && y >= 0 && x < bitmap.Width && y + kPlayListTextColourCount <= bitmap.Height) {
    for (int i = 0; i < kPlayListTextColourCount; ++i) {
      const std::uint32_t argb = bitmap.At(x, y + i);
      colours_[i] = RGB(argb >> 16 & 0xFF, argb >> 8 & 0xFF, argb & 0xFF);
    }
    return;
  }
  colours_[0] = GetSysColor(COLOR_WINDOWTEXT);
  colours_[1] = GetSysColor(COLOR_HIGHLIGHTTEXT);
  colours_[2] = RGB(0, 0, 128);    // navy
  colours_[3] = RGB(0, 255, 255);  // aqua
}

LRESULT TXPlayListBox::ControlMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_SKINELEMENTCHANGED) {
    RefreshColours();
    if (list_) InvalidateRect(list_, nullptr, TRUE);
    return 0;
  }
  return WinControl::ControlMessage(message, wParam, lParam);
}

std::wstring TXPlayListBox::NameOf(int row) const {
  const TXPlayList* list = PlayList();
  if (!list || row < 0 || row >= list->Count()) return {};
  return ToWide(RowNameText(list->Items(row), options_ & loShowArtist, options_ & loShowAlbum));
}

TXPlayListBox::RowParts TXPlayListBox::LayOut(HDC dc, int row, const Rect& rect) const {
  RowParts parts;
  Rect inside = rect.Deflate({kRowMargin, 0, kRowMargin, 0});
  const TXPlayList* list = PlayList();
  if (!list || row < 0 || row >= list->Count()) return parts;
  if (options_ & loShowNo) {
    parts.numberText = std::to_wstring(row + 1) + L".";
    const int width = row + 1 >= 100 ? TextWidth(dc, parts.numberText) : TextWidth(dc, L"00.");
    parts.number = {inside.left, inside.top, inside.left + width, inside.bottom};
    inside.left = parts.number.right + kPartGap;
  }
  if (options_ & loShowDuration) {
    parts.durationText = MarkedToWide(DurationText(list->Items(row).Value(kDurationAttribute)));
    if (!parts.durationText.empty()) {
      const int width = TextWidth(dc, parts.durationText);
      parts.duration = {inside.right - width, inside.top, inside.right, inside.bottom};
      inside.right = parts.duration.left - kPartGap;
    }
  }
  parts.name = inside;
  parts.nameText = NameOf(row);
  return parts;
}

void TXPlayListBox::DrawRow(const DRAWITEMSTRUCT& draw) {
  const HDC dc = draw.hDC;
  const Rect rect = FromRECT(draw.rcItem);
  const RECT area = draw.rcItem;
  const TXPlayList* list = PlayList();
  const int row = static_cast<int>(draw.itemID);
  // A row the list no longer has (the count follows after the change): the background only.
  if (draw.itemID == static_cast<UINT>(-1) || !list || row >= list->Count()) {
    const SavedDC saved(dc);
    IntersectClipRect(dc, area.left, area.top, area.right, area.bottom);
    PaintBackground(dc);
    return;
  }
  if (OnDrawItem) {
    OnDrawItem(*this, dc, row, rect, draw.itemState);
    return;
  }
  const TXPlayListItem& item = list->Items(row);
  const bool selected = draw.itemState & ODS_SELECTED, current = item.IsCurrent();
  if (!Image.IsEmpty()) {
    const int index = std::min(row == dropTarget_ ? 4 : selected ? 2 : current ? 3 : 1, Image.ImageCount() - 1);
    DrawElementStretched(dc, Image, rect, RowInsets(), index);
  } else {
    FillRect(dc, &area, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  }
  const SelectedObject font(dc, font_);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, current ? colours_[selected ? 3 : 2] : colours_[selected ? 1 : 0]);
  const RowParts parts = LayOut(dc, row, rect);
  const UINT flags = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;
  auto text = [&](const std::wstring& s, const Rect& r, UINT more) {
    if (s.empty() || r.IsEmpty()) return;
    RECT box = ToRECT(r);
    DrawTextW(dc, s.c_str(), static_cast<int>(s.size()), &box, flags | more);
  };
  text(parts.numberText, parts.number, DT_CENTER);
  text(parts.durationText, parts.duration, DT_RIGHT);
  text(parts.nameText, parts.name, DT_LEFT | DT_END_ELLIPSIS);
  if ((options_ & loDrawFocus) && (draw.itemState & ODS_FOCUS) && !(draw.itemState & ODS_NOFOCUSRECT))
    DrawFocusRect(dc, &area);
}

void TXPlayListBox::PaintBackground(HDC dc) {
  RECT client{};
  GetClientRect(list_, &client);
  if (!Image.IsEmpty()) {
    DrawElementStretched(dc, Image, FromRECT(client), {}, 0);
  } else {
    const UniqueBrush brush(CreateSolidBrush(Color()));
    FillRect(dc, &client, brush.Get());
  }
}

bool TXPlayListBox::ShowHint(HintInfo& info) {
  // Over a row whose name is cut short: the whole name, exactly over the row's text, while the pointer stays on it.
  info.text.clear();
  POINT cursor{};
  GetCursorPos(&cursor);
  ::ScreenToClient(list_, &cursor);
  const int row = RowAt(cursor.y);
  if (row < 0) return false;
  const WindowDC window(list_);
  const SelectedObject font(window.Get(), font_);
  const Rect rect = RowRect(row);
  const RowParts parts = LayOut(window.Get(), row, rect);
  if (parts.nameText.empty() || TextWidth(window.Get(), parts.nameText) <= parts.name.Width()) return false;
  POINT origin{0, 0};
  ::ClientToScreen(list_, &origin);
  info.text = parts.nameText;
  // The hint's text starts where the row's does (past the hint's frame and margin); it widens to the whole name.
  info.area = Rect{parts.name.left - 2, rect.top, parts.name.right, rect.bottom}.Offset(origin.x, origin.y);
  info.cursorRect = rect.Offset(origin.x, origin.y);
  info.hidePause = 0;
  return WinControl::ShowHint(info);
}

// --- The box's window and the list's ---

LRESULT TXPlayListBox::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_MEASUREITEM:
      reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight = rowHeight_;
      return TRUE;
    case WM_DRAWITEM: {
      const auto* draw = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (draw->hwndItem != list_ || !list_) break;
      DrawRow(*draw);
      return TRUE;
    }
    case WM_CTLCOLORLISTBOX:
      // The background below the rows is the box's own (WM_ERASEBKGND): the list fills nothing.
      return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
    case WM_COMMAND:
      if (reinterpret_cast<HWND>(lParam) == list_ && HIWORD(wParam) == LBN_DBLCLK) {
        if (OnDoubleClick) OnDoubleClick(*this);
        else ActivateFocused();
        return 0;
      }
      break;
    case WM_SETFOCUS:
      if (list_) SetFocus(list_);
      return 0;
    default:
      break;
  }
  return WinControl::WindowProc(message, wParam, lParam);
}

std::optional<LRESULT> TXPlayListBox::ListMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  const int x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
  switch (message) {
    case WM_ERASEBKGND:
      PaintBackground(reinterpret_cast<HDC>(wParam));
      return 1;
    case WM_PAINT:
      // An empty list box paints a blank row for its focus in its own colours: without rows, only the background.
      if (RowCount() == 0) {
        PAINTSTRUCT paint;
        const HDC dc = BeginPaint(list_, &paint);
        PaintBackground(dc);
        EndPaint(list_, &paint);
        return 0;
      }
      break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if (PressRow(x, y, wParam)) return 0;
      break;
    case WM_MOUSEMOVE:
      if (dragSource_ >= 0) {
        MoveDrag(y);
        return 0;
      }
      break;
    case WM_LBUTTONUP:
      if (dragSource_ >= 0) {
        EndDrag(true);
        return 0;
      }
      break;
    case WM_CAPTURECHANGED:
      if (dragSource_ >= 0 && reinterpret_cast<HWND>(lParam) != list_) EndDrag(false);
      break;
    case WM_RBUTTONDOWN: {
      const int row = RowAt(y);
      if (row >= 0) {
        if (!Send(list_, LB_GETSEL, row)) SelectAlone(row);
        Send(list_, LB_SETCARETINDEX, row, FALSE);
      }
      SetFocus(list_);
      return 0;
    }
    case WM_MOUSEWHEEL:
      Wheel(GET_WHEEL_DELTA_WPARAM(wParam));
      return 0;
    case WM_KEYDOWN:
      if (wParam == VK_SPACE) return 0;  // typed text: its WM_CHAR follows
      break;
    case WM_CHAR:
      if (wParam > 31) {
        Type(static_cast<wchar_t>(wParam));
        return 0;
      }
      break;
    case WM_DROPFILES:
      Drop(reinterpret_cast<HDROP>(wParam));
      return 0;
    default:
      break;
  }
  if (message == WM_KEYDOWN || message == WM_LBUTTONDOWN || message == WM_MOUSEMOVE || message == WM_TIMER ||
      message == WM_LBUTTONUP) {
    const LRESULT result = DefSubclassProc(list_, message, wParam, lParam);
    CheckScrolled();
    return result;
  }
  return std::nullopt;
}

// --- Mouse and keys ---

bool TXPlayListBox::PressRow(int x, int y, WPARAM keys) {
  const int row = RowAt(y);
  if (row < 0) {
    // Below the rows: nothing is selected.
    SetFocus(list_);
    Send(list_, LB_SETSEL, FALSE, -1);
    return true;
  }
  // The list's own selection first (Shift and Ctrl as usual), then the drag takes over from its tracking.
  DefSubclassProc(list_, WM_LBUTTONDOWN, keys, MAKELPARAM(x, y));
  CheckScrolled();
  RECT client{};
  GetClientRect(list_, &client);
  const Rect rect = RowRect(row);
  if (rect.top < 0 || rect.bottom > client.bottom) return true;  // only a fully visible row drags
  ReleaseCapture();
  dragSource_ = row;
  Send(list_, LB_SETCARETINDEX, row, FALSE);
  ::SetCapture(list_);
  return true;
}

void TXPlayListBox::SetDropTarget(int row) {
  if (row == dropTarget_) return;
  const int previous = dropTarget_;
  dropTarget_ = row;
  InvalidateRow(previous);
  InvalidateRow(row);
  if (row >= 0) Send(list_, LB_SETCARETINDEX, row, FALSE);
}

void TXPlayListBox::MoveDrag(int y) {
  RECT client{};
  GetClientRect(list_, &client);
  const int count = RowCount();
  if (count == 0) return;
  // Outside the box the list scrolls towards the pointer, the faster the farther it is.
  const int direction = y < 0 ? -1 : y >= client.bottom ? 1 : 0;
  const int distance = y < 0 ? -y : y - client.bottom + 1;
  if (direction == 0) {
    if (scrollInterval_ > 0) KillTimer(kAutoScrollTimer);
    scrollDirection_ = 0;
    scrollInterval_ = 0;
    const int row = RowAt(y);
    SetDropTarget(row >= 0 ? row : count - 1);
    return;
  }
  const unsigned interval = std::max(AutoScrollInterval(distance), 1u);
  if (direction != scrollDirection_ || interval != scrollInterval_) {
    scrollDirection_ = direction;
    scrollInterval_ = interval;
    SetTimer(kAutoScrollTimer, interval);
  }
}

void TXPlayListBox::HandleTimer(UINT_PTR id) {
  if (id != kAutoScrollTimer) {
    WinControl::HandleTimer(id);
    return;
  }
  if (dragSource_ < 0 || scrollDirection_ == 0) {
    KillTimer(kAutoScrollTimer);
    return;
  }
  const int top = TopRow(), last = LastTopRow(RowCount(), VisibleRows());
  const int next = std::clamp(top + scrollDirection_, 0, last);
  if (next != top) SetTopRow(next);
  // The row at the edge the pointer is beyond.
  SetDropTarget(std::min(scrollDirection_ < 0 ? TopRow() : TopRow() + VisibleRows() - 1, RowCount() - 1));
  if (next == top) KillTimer(kAutoScrollTimer), scrollInterval_ = 0;
}

void TXPlayListBox::EndDrag(bool drop) {
  const int source = dragSource_;
  dragSource_ = -1;
  SetDropTarget(-1);
  KillTimer(kAutoScrollTimer);
  scrollDirection_ = 0;
  scrollInterval_ = 0;
  if (GetCapture() == list_) ReleaseCapture();
  TXPlayList* list = PlayList();
  const int caret = Caret();
  if (!drop || !list || caret < 0 || caret == source) return;
  if (source >= list->Count() || caret >= list->Count()) return;
  SelectAlone(caret);
  list->Move(source, caret);
  InvalidateRect(list_, nullptr, FALSE);
}

void TXPlayListBox::Type(wchar_t typed) {
  const std::u16string& text = typed_.Add(static_cast<char16_t>(typed), static_cast<std::int64_t>(GetTickCount64()));
  const bool insideWords = (GetKeyState(VK_SHIFT) & 0x8000) == 0;
  const int row = FindItem(text, insideWords);
  if (row >= 0) SelectAlone(row);
}

int TXPlayListBox::FindItem(std::u16string_view typed, bool insideWords) const {
  const TXPlayList* list = PlayList();
  const int count = list ? std::min(list->Count(), RowCount()) : 0;
  return FindTypedRow(count, [&](int row) { return ToUtf16(NameOf(row)); }, typed, insideWords);
}

void TXPlayListBox::Wheel(int delta) {
  const int rows = wheel_.Turn(delta);
  if (rows != 0) SetTopRow(TopRow() - rows);
}

void TXPlayListBox::Drop(HDROP drop) {
  std::vector<std::string> names;
  const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
  for (UINT i = 0; i < count; ++i) {
    std::wstring name(DragQueryFileW(drop, i, nullptr, 0), L'\0');
    DragQueryFileW(drop, i, name.data(), static_cast<UINT>(name.size() + 1));
    names.push_back(WideToMarked(name));
  }
  DragFinish(drop);
  const bool replace = (GetKeyState(VK_SHIFT) & 0x8000) == 0;
  if (TXPlayList* list = PlayList()) list->AddDropFiles(names, replace, replace);
}

// --- Commands ---

void TXPlayListBox::DeleteSelected() {
  TXPlayList* list = PlayList();
  if (!list) return;
  std::vector<int> rows = SelectedRows();
  std::erase_if(rows, [&](int row) { return row < 0 || row >= list->Count(); });
  if (rows.empty()) return;
  const int remaining = list->Count() - static_cast<int>(rows.size());
  const int caret = RowAfterDeletion(Caret(), rows, remaining);
  // The current item is made current again where it now stands (playing on when the player played); a list
  // without one gets none.
  const bool reselect = list->CurrentIndex() >= 0;
  list->DeleteIndices(rows, std::nullopt, true, reselect);
  SyncCount();
  if (caret >= 0) SelectAlone(caret);
}

void TXPlayListBox::SelectAll() { Send(list_, LB_SETSEL, TRUE, -1); }

void TXPlayListBox::ActivateFocused() {
  TXPlayList* list = PlayList();
  const int caret = Caret();
  if (list && caret >= 0 && caret < list->Count()) list->Items(caret).Activate(true, TSetCurrentMode::smNormal);
}

TPlayListSave TXPlayListBox::SaveSelected(std::string_view fileName, bool replace) {
  const TXPlayList* list = PlayList();
  std::vector<const TXPlayListItem*> items;
  if (list)
    for (const int row : SelectedRows())
      if (row >= 0 && row < list->Count()) items.push_back(&list->Items(row));
  const bool duplicates = list && (list->Options() & ploAllowDuplicates);
  return SavePlaylistFileAndNotify(fileName, items, duplicates, replace);
}

}  // namespace nv
