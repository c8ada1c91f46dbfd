#pragma once
// The factory of Explorer's context-menu handler: registered for all files, folders and drives, apartment
// threaded. The handler itself is its own module; until it joins, the factory creates nothing (E_NOTIMPL), so
// Explorer shows no command.
#include "shell/win/XComObjectFactory.h"

namespace nv {

inline constexpr char16_t kContextMenuDescription[] = u"Brindle Norvale";
inline constexpr char16_t kContextMenuFileTypes[] = u"*;Directory;Drive";

class TPlayerContextMenuFactory final : public TXComObjectFactory {
public:
  TPlayerContextMenuFactory();
  IUnknown* CreateComObject() override { return nullptr; }

protected:
  ServerClassEntry RegistryEntry() override;
};

}  // namespace nv
