#pragma once
// The playlist of a Windows Media redirector file, as its source filter offers it (IAMPlayList), for the playlist
// model's ExpandMediaPlayList. Failing calls raise EDirectX.
#include <wrl/client.h>

#include "playlist/MediaPlayList.h"
#include "support/win/DirectShowQNetwork.h"

namespace nv {

class TDirectShowPlayList final : public TMediaPlayList {
public:
  explicit TDirectShowPlayList(IAMPlayList* playList) : playList_(playList) {}

  int ItemCount() override;
  int SourceCount(int item) override;
  std::u16string SourceURL(int item, int source) override;
  // From the playlist object's media content, when it offers one.
  std::u16string Title() override;

private:
  Microsoft::WRL::ComPtr<IAMPlayListItem> Item(int item);

  Microsoft::WRL::ComPtr<IAMPlayList> playList_;
};

}  // namespace nv
