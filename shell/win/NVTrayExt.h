#pragma once
// The tray extension object behind INorvaleTrayExt, one per connection of a player. Creating it attaches the
// taskbar's side; destroying it deregisters its shell hook and detaches. A failure of the shell side never leaves
// a method as an exception: the call answers its HRESULT (E_UNEXPECTED when it has none).
#include "shell/NorvaleTEL.h"
#include "shell/win/TrayShellSide.h"
#include "shell/win/XComObject.h"
#include "shell/win/XComObjectFactory.h"

namespace nv {

class TNorvaleTrayExt final : public TXAutoObject<INorvaleTrayExt> {
public:
  TNorvaleTrayExt(TXAutoObjectFactory& factory, TrayShellSide& shellSide);
  ~TNorvaleTrayExt() override;

  // The registered numbers of the insert and remove requests.
  HRESULT STDMETHODCALLTYPE GetMessages(ULONG* insertMessage, ULONG* removeMessage) override;
  // `window` as the 32-bit value that crosses the interface; the hook replaces any this object had.
  HRESULT STDMETHODCALLTYPE RegisterShellHook(ULONG window, ULONG messageBase, VARIANT_BOOL* result) override;
  HRESULT STDMETHODCALLTYPE DeregisterShellHook() override;

private:
  TrayShellSide& shellSide_;
};

class TNorvaleTrayExtFactory final : public TXAutoObjectFactory {
public:
  explicit TNorvaleTrayExtFactory(TrayShellSide& shellSide);
  IUnknown* CreateComObject() override;

protected:
  // The class runs in the system's COM surrogate: that is how a 32-bit player reaches a 64-bit server.
  ServerClassEntry RegistryEntry() override;

private:
  TrayShellSide& shellSide_;
};

}  // namespace nv
