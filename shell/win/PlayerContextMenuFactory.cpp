#include "shell/win/PlayerContextMenuFactory.h"

#include "shell/TrayExtProtocol.h"

namespace nv {

TPlayerContextMenuFactory::TPlayerContextMenuFactory()
    : TXComObjectFactory(kContextMenuClassId, kContextMenuDescription, ThreadingModel::Apartment) {}

ServerClassEntry TPlayerContextMenuFactory::RegistryEntry() {
  ServerClassEntry entry = TXComObjectFactory::RegistryEntry();
  entry.shellFileTypes = kContextMenuFileTypes;
  return entry;
}

}  // namespace nv
