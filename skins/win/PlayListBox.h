#pragma once
// TXPlayListBox: the player's playlist as a skinned list. The rows are the player's playlist itself — an owner-data
// list box (the system's, with no strings and no scroll bars of its own) whose count follows the list — drawn from
// the Image's row sub-images, with the number, the name and the duration of each item. It is scrolled by a skinned
// slider, the wheel and the keys; typing finds a row by its name; rows are dragged to another place (scrolling
// when the pointer is held above or below the box); the selection can be deleted, saved or played.
//
// The list's count is synchronised at once when the list empties (so no row stands for an item that is gone) and
// after the change otherwise (many changes, one synchronisation); every row index is checked against the list
// before it is used.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "playlist/PlayListFiles.h"
#include "skins/PlayListRows.h"
#include "skins/win/PlayerControl.h"
#include "skins/win/SkinNotices.h"
#include "support/ui/win/WinControl.h"

namespace nv {

class TCustomSkinSlider;

// What each row shows (a set of flags).
enum TXPlayListBoxOption : std::uint8_t {
  loShowNo = 1,
  loShowDuration = 2,
  loShowArtist = 4,
  loShowAlbum = 8,
  loDrawFocus = 16,
};
using TXPlayListBoxOptions = std::uint8_t;

class TXPlayListBox : public PlayerObserving<WinControl> {
private:
  SkinNotices notices_{*this};

public:
  TXPlayListBox(WinControl& parent, const Rect& bounds);
  ~TXPlayListBox() override;

  // Sub-image 0 the background below the rows; 1 a row, 2 a selected row, 3 the current item, 4 the row a drag
  // would drop on. A column of pixels right of sub-image 0 gives the text colours (normal, selected, current,
  // current and selected).
  TSkinElement Image{&notices_};

  TXPlayList* PlayList() const;
  TXPlayListBoxOptions Options() const { return options_; }
  void SetOptions(TXPlayListBoxOptions options);
  // The slider that scrolls the box; its OnChange is the box's from then on.
  TCustomSkinSlider* ScrollBar() const { return scrollBar_; }
  void SetScrollBar(TCustomSkinSlider* slider);
  // Files dropped on the box are added to the list (replacing it unless Shift is held).
  bool AcceptFiles() const { return acceptFiles_; }
  void SetAcceptFiles(bool accept);
  // Draws a row instead of the box (the row's index, its rectangle, ODS_* state).
  std::function<void(TXPlayListBox&, HDC, int row, const Rect&, UINT state)> OnDrawItem;
  // A double click; without a handler the focused item plays.
  std::function<void(TXPlayListBox&)> OnDoubleClick;

  // What the box offers.
  void DeleteSelected();
  void SelectAll();
  void ActivateFocused();
  TPlayListSave SaveSelected(std::string_view fileName, bool replace);
  // The first row whose name starts with the text (or, with `insideWords`, has it after a word's end); -1.
  int FindItem(std::u16string_view typed, bool insideWords) const;

  // Its state.
  HWND ListHandle() const { return list_; }
  int RowCount() const;
  int TopRow() const;
  void SetTopRow(int row);
  int Caret() const;
  std::vector<int> SelectedRows() const;
  int RowHeight() const { return rowHeight_; }
  int VisibleRows() const;
  int DragSource() const { return dragSource_; }
  int DropTarget() const { return dropTarget_; }
  // A row's rectangle in the box's own coordinates.
  Rect RowRect(int row) const;

  bool ShowHint(HintInfo& info) override;

protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  LRESULT ControlMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void HandleTimer(UINT_PTR id) override;
  void BoundsChanged() override;
  void PlayerEvent(TXPlayer& player, TPlayerEventType event, void* param) override;
  void PlayerGone() override { SyncCount(); }

private:
  // Where a row's parts lie and what its name says.
  struct RowParts {
    Rect number, name, duration;
    std::wstring numberText, nameText, durationText;
  };

  std::optional<LRESULT> ListMessage(UINT message, WPARAM wParam, LPARAM lParam);

  void SyncCount();
  void PostSync();
  void ScrollCurrentIntoView();
  // The top row moved: the scroll bar follows and the background is drawn again.
  void Scrolled();
  void CheckScrolled();
  void UpdateScrollBar();
  void InvalidateRow(int row);
  void SelectAlone(int row);
  void RefreshColours();

  int RowAt(int y) const;
  RowParts LayOut(HDC dc, int row, const Rect& rect) const;
  std::wstring NameOf(int row) const;
  void DrawRow(const DRAWITEMSTRUCT& draw);
  void PaintBackground(HDC dc);

  bool PressRow(int x, int y, WPARAM keys);
  void MoveDrag(int y);
  void EndDrag(bool drop);
  void SetDropTarget(int row);
  void Type(wchar_t typed);
  void Wheel(int delta);
  void Drop(HDROP drop);

  HWND list_ = nullptr;
  std::unique_ptr<WindowSubclass> subclass_;
  HFONT font_;
  int rowHeight_ = 16;
  TXPlayListBoxOptions options_ = loShowNo | loShowDuration | loShowArtist;
  TCustomSkinSlider* scrollBar_ = nullptr;
  bool acceptFiles_ = false;
  COLORREF colours_[4] = {};
  bool syncPosted_ = false;
  int shownTop_ = 0;
  // A drag: the row it took, the row it would drop on, the way it scrolls (-1 up, +1 down, 0 not) and how often.
  int dragSource_ = -1, dropTarget_ = -1;
  int scrollDirection_ = 0;
  unsigned scrollInterval_ = 0;
  TypeAheadText typed_;
  WheelRows wheel_;
};

}  // namespace nv
