#pragma once
// What the player's "Now playing" list needs of the player. The player implements it and gives itself to its
// TXPlayerPlayList, which answers the list's virtual operations from it.
#include <string_view>

#include "playlist/PlayListConstants.h"

namespace nv {

class TXPlayListItem;

class TPlayListPlayer {
public:
  virtual ~TPlayListPlayer() = default;

  // The item of the current graph; null when there is no graph.
  virtual TXPlayListItem* CurrentItem() = 0;
  // The item of the prepared next graph (crossfade, unbroken play); null when none is prepared.
  virtual TXPlayListItem* PreparedItem() = 0;
  virtual TXPlayerState State() = 0;
  // Opens a graph for `item` (null closes the current one), starting playback when `play`, in `mode`.
  virtual void OpenItem(TXPlayListItem* item, bool play, TSetCurrentMode mode) = 0;
  virtual void Play() = 0;

  // The hand-over of an item being destroyed. It is called while the item is still whole and after the list has
  // made it stop being current (OpenItem(null)) when it was. When it returns, nothing the player keeps may refer to
  // the item: a prepared graph of the item is discarded, an inspected graph of it is released, and a graph still
  // building for it (a build pumps messages, so the user can remove its item meanwhile) is closed so that the build
  // ends with the silent abort and forgets the item instead of reading or updating it afterwards.
  virtual void ReleaseItem(TXPlayListItem& item) = 0;

  // The extension (with its dot) is one of the player's known media and playlist extensions.
  virtual bool IsKnownExtension(std::u16string_view extension) = 0;

  // Player events raised for the list: pePlayListChanged, and peItemInfoChanged with the item.
  virtual void PlayListChanged() = 0;
  virtual void ItemInfoChanged(TXPlayListItem& item) = 0;
  // The player window's timer for background information reading (timer 3, 50 ms): (re)started, or killed.
  virtual void StartInfoTimer() = 0;
  virtual void StopInfoTimer() = 0;
};

}  // namespace nv
