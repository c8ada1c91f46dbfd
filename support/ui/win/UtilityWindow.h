#pragma once
// The utility window: one hidden window per user-interface thread that carries what windowless controls cannot
// have themselves — their timers (the timer's identifier is the control's), repaints and deferred calls posted to
// be handled later, also from other threads.
//
// Posts name a control by its identifier, never by its address: a post that arrives after its control was
// destroyed finds no control and is dropped, whichever thread posted it.
#include <windows.h>

#include <cstdint>
#include <functional>

#include "support/ui/win/Window.h"

namespace nv {

class Control;
using ControlId = std::uint32_t;  // 0 names no control

// A control named by its identifier: safe to keep and to use on any thread, whatever becomes of the control.
class ControlRef {
public:
  ControlRef() = default;
  ControlId Id() const { return id_; }
  // The control while it exists, else null. On the control's own thread only.
  Control* Get() const;

  // Any thread. The control is repainted (the call made) later on its thread, unless it is gone by then.
  void PostRepaint() const;
  void PostCall(std::function<void()> call) const;

private:
  friend class Control;
  ControlRef(ControlId id, HWND utility) : id_(id), utility_(utility) {}
  ControlId id_ = 0;
  HWND utility_ = nullptr;
};

class UtilityWindow final : public Window {
public:
  // This thread's utility window, made on first use.
  static UtilityWindow& Current();
  ~UtilityWindow() override;

  void SetControlTimer(ControlId control, UINT periodMs);
  void KillControlTimer(ControlId control);
  // A call made later on this thread, after the message being handled (not bound to a control).
  void PostCall(std::function<void()> call);

  // Posts to a utility window from any thread; the call (may be null) is freed when the post fails or is dropped.
  static void Post(HWND utility, UINT message, ControlId control, std::function<void()> call);

protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
  UtilityWindow();
};

}  // namespace nv
