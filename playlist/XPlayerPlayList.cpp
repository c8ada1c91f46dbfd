#include "playlist/XPlayerPlayList.h"

#include "metadata/CDTrackInfo.h"
#include "metadata/MediaPaths.h"
#include "support/MarkedText.h"

namespace nv {

TXPlayerPlayList::TXPlayerPlayList(TPlayListPlayer& player, const TPlayListEnvironment& environment)
    : TXPlayList(environment), player_(player) {}

// The items go while the player can still be told, without announcing an empty list to a player being destroyed.
TXPlayerPlayList::~TXPlayerPlayList() { DestroyAllItems(); }

void TXPlayerPlayList::Update() {
  TXPlayList::Update();
  player_.PlayListChanged();
  if (Count() == 0)
    player_.StopInfoTimer();
  else
    player_.StartInfoTimer();
}

void TXPlayerPlayList::SetCurrent(TXPlayListItem* item, bool play, TSetCurrentMode mode) {
  if (item != GetCurrent())
    player_.OpenItem(item, play, mode);
  else if (play)
    player_.Play();
}

void TXPlayerPlayList::Clear() {
  TXPlayList::Clear();
  player_.PlayListChanged();
}

bool TXPlayerPlayList::AcceptFile(std::string_view path) {
  if (IsCDTrackPath(path)) return true;
  const std::u16string wide = MarkedToUtf16(path);
  const std::u16string_view extension = ExtensionOf(wide);
  return !extension.empty() && player_.IsKnownExtension(extension);
}

void TXPlayerPlayList::InfoTimerTick() {
  if (!ReadNextInfo()) {
    player_.StopInfoTimer();
    return;
  }
  if (LastInfoIndex() >= 0) player_.ItemInfoChanged(Items(LastInfoIndex()));
}

}  // namespace nv
