#pragma once
// What a built graph tells about its media: the first of its filters that offers a Windows Media header
// (IWMHeaderInfo) or media content (IAMMediaContent). The DirectShow side lives in the Windows layer
// (metadata/win/DirectShowMediaInfo.h); tests answer with their own.
#include <optional>
#include <string>
#include <vector>

#include "metadata/WindowsMediaAttributes.h"

namespace nv {

struct TMediaContent {
  std::u16string Title, AuthorName, Description;
};

class TGraphMediaInfo {
public:
  virtual ~TGraphMediaInfo() = default;
  // The header's attributes; nothing when the source offers no header, an empty list when reading it failed.
  virtual std::optional<std::vector<WMAttribute>> HeaderAttributes() = 0;
  // Title, author and description; nothing when the source offers no media content.
  virtual std::optional<TMediaContent> MediaContent() = 0;
};

}  // namespace nv
