#pragma once
// The base classes of the player's windows:
//   TBasePlayerForm   every player window: it belongs to the taskbar ("Shell_TrayWnd"), and without a border it is
//                     a tool window (no button of its own in the taskbar).
//   TMainPlayerForm   the base of the main window (TMainPlayerFm, then the strip TPlayerTrayFm).
//   TChildPlayerForm  a secondary window (the expanded player, the play info, the dialogs, About): a top-level
//                     window without owner, owned by the main player form, which passes it the preferences it
//                     applies and the player's events.
// Every player window is a skinned form: one without a border is shaped and drawn by its skin images, one with a
// border (a dialog) keeps the system's frame.
#include <windows.h>

#include "engine/PlayerTypes.h"
#include "skins/win/SkinForm.h"

namespace nv {

class TMainPlayerFm;
class TPlayerCore;
struct TPlayerPreferences;

class TBasePlayerForm : public TSkinForm {
public:
  // The taskbar window the player windows belong to; null when there is none.
  virtual HWND TaskbarWindow() const;

protected:
  // `ownedByTaskbar`: the taskbar owns the window (or, for a child window, is its parent); else it has no owner.
  TBasePlayerForm(FormParams params, bool ownedByTaskbar);
};

class TMainPlayerForm : public TBasePlayerForm {
protected:
  explicit TMainPlayerForm(FormParams params) : TBasePlayerForm(std::move(params), true) {}
};

class TChildPlayerForm : public TBasePlayerForm {
public:
  ~TChildPlayerForm() override;

  TMainPlayerFm& MainPlayerForm() const { return mainForm_; }

  // From the main form: the preferences it has applied, and every event of its player. Both do nothing here.
  virtual void ApplyPreferences(const TPlayerPreferences& preferences) {}
  virtual void PlayerEvent(TPlayerCore& player, TPlayerEventType event, void* param) {}

protected:
  // The main form owns the window from now on: it destroys it when it goes, unless the window has gone first.
  TChildPlayerForm(TMainPlayerFm& mainForm, FormParams params);

private:
  TMainPlayerFm& mainForm_;
};

}  // namespace nv
