#pragma once
// A built graph's media information for TXMMFileInfo::ReadFromGraph: the interface the graph search found on one
// of its filters (IWMHeaderInfo or IAMMediaContent), asked for what it offers.
#include <wrl/client.h>

#include "metadata/GraphMediaInfo.h"
#include "support/win/DirectShow.h"

namespace nv {

class TDirectShowMediaInfo final : public TGraphMediaInfo {
public:
  // `source` may be null: then nothing is offered.
  explicit TDirectShowMediaInfo(IUnknown* source) : source_(source) {}

  std::optional<std::vector<WMAttribute>> HeaderAttributes() override;
  std::optional<TMediaContent> MediaContent() override;

private:
  Microsoft::WRL::ComPtr<IUnknown> source_;
};

}  // namespace nv
