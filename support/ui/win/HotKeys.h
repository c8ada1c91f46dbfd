#pragma once
// A global hot key of a window, registered with the system while this object lives. A form that receives it runs
// the first action of its lists with the hot key's identifier as Tag that reports it was handled (Form.h).
#include <windows.h>

#include "support/ui/ShortCut.h"

namespace nv {

class HotKeyRegistration {
public:
  HotKeyRegistration(HWND window, int id, ShortCut keys)
      : window_(window), id_(id), registered_(RegisterHotKey(window, id, keys.modifiers, keys.key) != FALSE) {}
  ~HotKeyRegistration() {
    if (registered_) UnregisterHotKey(window_, id_);
  }
  HotKeyRegistration(const HotKeyRegistration&) = delete;
  HotKeyRegistration& operator=(const HotKeyRegistration&) = delete;

  // False when the system refused the keys (another program holds them): that is not an error.
  bool Registered() const { return registered_; }

private:
  HWND window_;
  int id_;
  bool registered_;
};

}  // namespace nv
