#include "shell/win/TraySubclass.h"

#include <algorithm>

#include "shell/DockingMode.h"
#include "shell/TrayExtProtocol.h"

namespace nv {

namespace {

const int trayClassIndex = RegisterSubclassClass(&TTraySubclass::Create);

// A docked window must answer the layout query within this time during a dock, a move or a band's change, so
// that a busy player never freezes the taskbar; the relayout pass that follows waits longer, but not for ever.
constexpr UINT kQueryLimitMs = 10;
constexpr UINT kQueryBoundMs = 1000;
constexpr UINT kMovedNoticeLimitMs = 10;

UINT InsertMessage() {
  static const UINT message = RegisterWindowMessageW(kInsertMessageName);
  return message;
}

UINT RemoveMessage() {
  static const UINT message = RegisterWindowMessageW(kRemoveMessageName);
  return message;
}

HWND FirstChild(HWND parent, const wchar_t* className) { return FindWindowExW(parent, nullptr, className, nullptr); }

BandBox BoxInParent(HWND window) {
  RECT box{};
  GetWindowRect(window, &box);
  MapWindowPoints(nullptr, GetAncestor(window, GA_PARENT), reinterpret_cast<POINT*>(&box), 2);
  return {box.left, box.top, box.right - box.left, box.bottom - box.top};
}

RECT WindowBox(HWND window) {
  RECT box{};
  GetWindowRect(window, &box);
  return box;
}

bool SameSize(const RECT& a, const RECT& b) {
  return a.right - a.left == b.right - b.left && a.bottom - a.top == b.bottom - b.top;
}

}  // namespace

UINT TrayRelayoutMessage() {
  static const UINT message = RegisterWindowMessageW(L"{6F1D3DD3-68C9-43E4-A0D8-70446504397B}");
  return message;
}

int TraySubclassClass() { return trayClassIndex; }

// --- One band ---

bool TPosChangeSubclasser::Subclass() {
  if (Window() == nullptr || IsSubclassed()) return IsSubclassed();
  base_ = BoxInParent(Window());
  return subclasser_.Subclass();
}

void TPosChangeSubclasser::Unsubclass() {
  if (!IsSubclassed()) return;
  SetDeltas({});
  subclasser_.Unsubclass();
}

void TPosChangeSubclasser::SetDeltas(const BandDeltas& deltas) {
  deltas_ = deltas;
  if (!IsSubclassed()) return;
  // Proposed again at the shell's position, the band takes the deltas on its way through the subclass.
  SetWindowPos(Window(), nullptr, base_.x, base_.y, base_.width, base_.height, SWP_NOACTIVATE | SWP_NOZORDER);
  RedrawWindow(Window(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_INTERNALPAINT);
}

std::optional<BandBox> TPosChangeSubclasser::Base() const {
  if (Window() == nullptr || !IsWindow(Window())) return std::nullopt;
  return IsSubclassed() ? base_ : BoxInParent(Window());
}

LRESULT TPosChangeSubclasser::SubclassedProc(TSubclasser&, UINT message, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = subclasser_.CallPrevious(message, wParam, lParam);
  if (message == WM_WINDOWPOSCHANGING) {
    auto& pos = *reinterpret_cast<WINDOWPOS*>(lParam);
    if (!(pos.flags & SWP_NOMOVE)) {
      base_.x = pos.x;
      base_.y = pos.y;
      pos.x = std::max(0, pos.x + deltas_.dx);
      pos.y = std::max(0, pos.y + deltas_.dy);
    }
    if (!(pos.flags & SWP_NOSIZE)) {
      base_.width = pos.cx;
      base_.height = pos.cy;
      pos.cx = std::max(0, pos.cx + deltas_.dw);
      pos.cy = std::max(0, pos.cy + deltas_.dh);
    }
    return 0;
  }
  if (message == WM_WINDOWPOSCHANGED) listener_.BandMoved(*this);
  return result;
}

// --- The taskbar ---

TWindowSubclass* TTraySubclass::Create(HWND window, int classIndex) { return new TTraySubclass(window, classIndex); }

TTraySubclass::TTraySubclass(HWND taskbar, int classIndex)
    : TWindowSubclass(taskbar, classIndex),
      notify_(FirstChild(taskbar, L"TrayNotifyWnd"), *this),
      dynamicContent_(FirstChild(taskbar, L"DynamicContent1"), *this),
      rebar_(FirstChild(taskbar, L"ReBarWindow32"), *this),
      bridge_(FirstChild(taskbar, L"Windows.UI.Composition.DesktopWindowContentBridge"), *this) {
  bounds_ = WindowBox(taskbar);
  RefreshBandBounds();
}

bool TTraySubclass::Subclass() {
  if (!TWindowSubclass::Subclass()) return false;
  RECT client{};
  GetClientRect(Taskbar(), &client);
  vertical_ = client.right < client.bottom;
  return true;
}

bool TTraySubclass::Unsubclass() {
  vertical_ = false;
  for (TPosChangeSubclasser* band : {&bridge_, &rebar_, &notify_}) band->SetDeltas({});
  for (TPosChangeSubclasser* band : {&notify_, &dynamicContent_, &rebar_, &bridge_}) band->Unsubclass();
  return TWindowSubclass::Unsubclass();
}

void TTraySubclass::Released() {
  // The last extension object is gone: windows whose player died without undocking are given up, and the bands
  // go back to the shell when nothing is left docked.
  if (DropGoneWindows()) {
    UpdateBandSubclassing();
    LayOut(true);
  }
}

LRESULT TTraySubclass::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == InsertMessage()) return Insert(static_cast<std::uint32_t>(wParam), reinterpret_cast<HWND>(lParam));
  if (message == RemoveMessage()) return Remove(reinterpret_cast<HWND>(lParam));
  if (message == TrayRelayoutMessage()) {
    if (recalcNeeded_) LayOut(false);
    return 0;
  }
  if (message == WM_WINDOWPOSCHANGED) {
    const auto& pos = *reinterpret_cast<const WINDOWPOS*>(lParam);
    if (pos.flags & SWP_NOSIZE) {
      // The proposal carries no size then: the window's own rectangle says how the taskbar stands.
      const RECT box = WindowBox(Taskbar());
      vertical_ = box.right - box.left < box.bottom - box.top;
    } else {
      vertical_ = pos.cx < pos.cy;
    }
    const LRESULT result = Main().CallPrevious(message, wParam, lParam);
    TaskbarMoved(wParam, lParam);
    return result;
  }
  return Main().CallPrevious(message, wParam, lParam);
}

bool TTraySubclass::AcceptsForDocking(HWND window) {
  // A live window, and not the taskbar or anything it lies in: docking those would loop the window tree.
  if (window == nullptr || !IsWindow(window)) return false;
  for (HWND outer = Taskbar(); outer != nullptr; outer = GetAncestor(outer, GA_PARENT))
    if (outer == window) return false;
  return true;
}

LRESULT TTraySubclass::Insert(std::uint32_t mode, HWND window) {
  if (!AcceptsForDocking(window)) return 0;
  DropGoneWindows();
  auto docked = std::find_if(childs_.begin(), childs_.end(), [&](const TTrayChildInfo& c) { return c.window == window; });
  if (docked != childs_.end()) {
    docked->flags = mode;
  } else {
    if (childs_.size() >= kMaxDockedWindows) return 0;
    switch (DockAnswerForKind(DockingKind(mode))) {
      case DockAnswer::Refused: return 0;
      case DockAnswer::Reparented:
        if (SetParent(window, Taskbar()) == nullptr) return 0;
        break;
      case DockAnswer::Accepted: break;
    }
    childs_.push_back({window, mode, std::nullopt});
  }
  UpdateBandSubclassing();
  LayOut(true);
  return 1;
}

LRESULT TTraySubclass::Remove(HWND window) {
  auto docked = std::find_if(childs_.begin(), childs_.end(), [&](const TTrayChildInfo& c) { return c.window == window; });
  if (docked == childs_.end()) return 0;
  if (SetParent(window, nullptr) == nullptr) return 0;
  childs_.erase(docked);
  LayOut(true);
  UpdateBandSubclassing();
  return 1;
}

void TTraySubclass::TaskbarMoved(WPARAM wParam, LPARAM lParam) {
  const RECT now = WindowBox(Taskbar());
  if (SameSize(now, bounds_)) {
    // Moved without a new size: the bands keep their places, the docked windows hear of it.
    bounds_ = now;
    DropGoneWindows();
    for (const TTrayChildInfo& child : childs_)
      SendMessageTimeoutW(child.window, WM_TRAYLAYOUTCHANGED, wParam, lParam, SMTO_ABORTIFHUNG, kMovedNoticeLimitMs,
                          nullptr);
    return;
  }
  bounds_ = now;
  RefreshBandBounds();
  LayOut(true);
}

void TTraySubclass::BandMoved(TPosChangeSubclasser& band) {
  if (&band == &notify_) {
    const RECT box = WindowBox(notify_.Window());
    if (box.right == notifyRight_.x && box.bottom == notifyRight_.y) return;
    notifyRight_ = {box.right, box.bottom};
    LayOut(true);
  } else if (&band == &rebar_) {
    const RECT box = WindowBox(rebar_.Window());
    if (EqualRect(&box, &rebarBounds_)) return;
    rebarBounds_ = box;
    LayOut(true);
  }
}

bool TTraySubclass::DropGoneWindows() {
  const auto gone = std::remove_if(childs_.begin(), childs_.end(), [](const TTrayChildInfo& c) { return !IsWindow(c.window); });
  const bool dropped = gone != childs_.end();
  childs_.erase(gone, childs_.end());
  return dropped;
}

void TTraySubclass::UpdateBandSubclassing() {
  std::vector<std::uint32_t> modes;
  for (const TTrayChildInfo& child : childs_) modes.push_back(child.flags);
  const BandsToAdjust bands = BandsToAdjustFor(modes);
  for (TPosChangeSubclasser* band : {&notify_, &dynamicContent_}) bands.notify ? (void)band->Subclass() : band->Unsubclass();
  for (TPosChangeSubclasser* band : {&rebar_, &bridge_}) bands.rebar ? (void)band->Subclass() : band->Unsubclass();
}

void TTraySubclass::RefreshBandBounds() {
  if (rebar_.Window()) rebarBounds_ = WindowBox(rebar_.Window());
  if (notify_.Window()) {
    const RECT box = WindowBox(notify_.Window());
    notifyRight_ = {box.right, box.bottom};
  }
}

void TTraySubclass::LayOut(bool limited) {
  // Moving a band brings its own notice back here; that pass runs once the present one is done.
  if (layingOut_) {
    layOutAgain_ = true;
    return;
  }
  layingOut_ = true;
  for (int pass = 0; pass < 3; ++pass) {
    layOutAgain_ = false;
    LayOutOnce(limited);
    if (!layOutAgain_ || recalcNeeded_) break;
  }
  layingOut_ = false;
}

TaskbarBands TTraySubclass::Bands() {
  TaskbarBands bands;
  RECT client{};
  GetClientRect(Taskbar(), &client);
  bands.width = client.right;
  bands.height = client.bottom;
  bands.vertical = vertical_;
  if (HWND start = FirstChild(Taskbar(), L"Button")) bands.startButton = BoxInParent(start);
  bands.rebar = rebar_.Base();
  if (!bands.rebar) bands.rebar = bridge_.Base();
  bands.notify = notify_.Base();
  return bands;
}

std::optional<DockAnswerSize> TTraySubclass::Ask(TTrayChildInfo& child, bool limited, int width, int height) {
  DWORD_PTR answer = 0;
  const bool answered = SendMessageTimeoutW(child.window, WM_TRAYLAYOUTQUERY, width, height, SMTO_ABORTIFHUNG,
                                            limited ? kQueryLimitMs : kQueryBoundMs, &answer) != 0;
  if (answered) {
    child.lastMargins = MarginsFromAnswer(answer);
  } else if (limited) {
    return std::nullopt;
  }
  // Without an answer even in the longer wait, the window keeps the size and margins it had.
  RECT box{};
  GetWindowRect(child.window, &box);
  return DockAnswerSize{box.right - box.left, box.bottom - box.top, child.lastMargins.value_or(DockMargins{})};
}

void TTraySubclass::LayOutOnce(bool limited) {
  recalcNeeded_ = false;
  if (DropGoneWindows()) UpdateBandSubclassing();
  // Docking requests may arrive while a window is asked: the pass works on the list as it was when it began.
  std::vector<TTrayChildInfo> docked = childs_;
  std::vector<std::uint32_t> modes;
  for (const TTrayChildInfo& child : docked) modes.push_back(child.flags);
  const TaskbarBands bands = Bands();
  const BandLayout layout = LayOutTaskbar(bands, modes, [&](std::size_t index) {
    return Ask(docked[index], limited, bands.width, bands.height);
  });
  for (const TTrayChildInfo& asked : docked)
    for (TTrayChildInfo& child : childs_)
      if (child.window == asked.window) child.lastMargins = asked.lastMargins;
  for (const DockPlacement& placement : layout.placements) {
    const BandBox& box = placement.box;
    SetWindowPos(docked[placement.index].window, nullptr, box.x, box.y, box.width, box.height,
                 SWP_NOACTIVATE | SWP_NOZORDER);
  }
  if (!layout.complete) {
    recalcNeeded_ = true;
    PostMessageW(Taskbar(), TrayRelayoutMessage(), 0, 0);
    return;
  }
  notify_.SetDeltas(layout.notify);
  dynamicContent_.SetDeltas(layout.notify);
  rebar_.SetDeltas(layout.rebar);
  bridge_.SetDeltas(layout.rebar);
  InvalidateRect(Taskbar(), nullptr, TRUE);
}

}  // namespace nv
