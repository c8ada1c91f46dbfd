#pragma once
// TXPlayerPlayList: the player's "Now playing" list. The current and prepared items, the player's state and what
// happens when an item is made current or destroyed are answered by the player; every change of the list is
// announced to it, and its information timer drives the background reading.
#include "playlist/PlayListPlayer.h"
#include "playlist/XPlayList.h"

namespace nv {

class TXPlayerPlayList : public TXPlayList {
public:
  explicit TXPlayerPlayList(TPlayListPlayer& player,
                            const TPlayListEnvironment& environment = TPlayListEnvironment::System());
  ~TXPlayerPlayList() override;

  void Update() override;
  TXPlayListItem* GetCurrent() override { return player_.CurrentItem(); }
  void SetCurrent(TXPlayListItem* item, bool play, TSetCurrentMode mode) override;
  TXPlayListItem* GetPrepared() override { return player_.PreparedItem(); }
  void ItemRemoving(TXPlayListItem& item) override { player_.ReleaseItem(item); }
  TXPlayerState GetPlayerState() override { return player_.State(); }
  void Clear() override;
  // A known media or playlist extension, or a CD audio track path.
  bool AcceptFile(std::string_view path) override;

  // The player's events for the list.
  // peCompleted: the item ended and nothing was prepared; playback moves on by the play order.
  void Completed() { Step(true, true, true, TSetCurrentMode::smNormal); }
  // pePrepareNext: time to prepare the next item.
  void PrepareNext() { Step(true, false, true, TSetCurrentMode::smPrepare); }
  // A tick of the information timer: reads one item; stops the timer when nothing is left to read.
  void InfoTimerTick();

private:
  TPlayListPlayer& player_;
};

}  // namespace nv
