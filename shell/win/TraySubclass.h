#pragma once
// The taskbar's side of docking, living in the shell's process: a subclass of "Shell_TrayWnd" that takes windows
// into its layout (the insert and remove requests), asks each for its size, places them, and moves and shrinks the
// taskbar's own bands by adjusting every position the shell proposes for them.
#include <windows.h>

#include <cstdint>
#include <optional>
#include <vector>

#include "shell/TrayBandLayout.h"
#include "shell/win/SubclassUtils.h"

namespace nv {

// One of the taskbar's bands, whose proposed positions get deltas added. The window may be absent (older or newer
// taskbars): then it is never subclassed and its deltas do nothing.
class TPosChangeSubclasser : private TSubclasser::Owner {
public:
  class Listener {
  public:
    virtual void BandMoved(TPosChangeSubclasser& band) = 0;

  protected:
    ~Listener() = default;
  };

  TPosChangeSubclasser(HWND window, Listener& listener) : subclasser_(window, *this), listener_(listener) {}

  HWND Window() const { return subclasser_.Window(); }
  // Takes the band's present box as the shell's position and adds the deltas from now on.
  bool Subclass();
  // Returns the band to the shell's position first.
  void Unsubclass();
  bool IsSubclassed() const { return subclasser_.IsSubclassed(); }
  // Moves the band to the shell's position plus the deltas.
  void SetDeltas(const BandDeltas& deltas);
  const BandDeltas& Deltas() const { return deltas_; }
  // Where the shell last put the band, in the taskbar's client coordinates; nothing without a window.
  std::optional<BandBox> Base() const;

private:
  LRESULT SubclassedProc(TSubclasser& subclasser, UINT message, WPARAM wParam, LPARAM lParam) override;

  TSubclasser subclasser_;
  Listener& listener_;
  BandBox base_;
  BandDeltas deltas_;
};

struct TTrayChildInfo {
  HWND window;
  std::uint32_t flags;  // the docking mode
  std::optional<DockMargins> lastMargins;
};

class TTraySubclass final : public TWindowSubclass, private TPosChangeSubclasser::Listener {
public:
  TTraySubclass(HWND taskbar, int classIndex);

  bool Subclass() override;
  bool Unsubclass() override;

  static TWindowSubclass* Create(HWND window, int classIndex);

protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  void Released() override;

private:
  HWND Taskbar() { return Main().Window(); }
  LRESULT Insert(std::uint32_t mode, HWND window);
  LRESULT Remove(HWND window);
  void TaskbarMoved(WPARAM wParam, LPARAM lParam);
  void BandMoved(TPosChangeSubclasser& band) override;
  bool AcceptsForDocking(HWND window);
  bool DropGoneWindows();
  void UpdateBandSubclassing();
  void RefreshBandBounds();
  // Runs the layout; with the limit, a window that does not answer within it stops the pass and a relayout is
  // posted to run it again without the limit.
  void LayOut(bool limited);
  void LayOutOnce(bool limited);
  std::optional<DockAnswerSize> Ask(TTrayChildInfo& child, bool limited, int width, int height);
  TaskbarBands Bands();

  TPosChangeSubclasser notify_, dynamicContent_, rebar_, bridge_;
  std::vector<TTrayChildInfo> childs_;
  bool vertical_ = false;
  bool recalcNeeded_ = false;
  bool layingOut_ = false;
  bool layOutAgain_ = false;
  RECT bounds_{};
  RECT rebarBounds_{};
  POINT notifyRight_{};
};

// The class's index in the module's subclass table.
int TraySubclassClass();

// The registered number of the relayout request the taskbar posts to itself.
UINT TrayRelayoutMessage();

}  // namespace nv
