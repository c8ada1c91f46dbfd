#pragma once
// The playlist inside a Windows Media redirector file, as DirectShow's IAMPlayList gives it while a graph is built.
// The graph building side wraps the interface; its failing calls raise.
#include <string>

namespace nv {

class TMediaPlayList {
public:
  virtual ~TMediaPlayList() = default;
  virtual int ItemCount() = 0;
  virtual int SourceCount(int item) = 0;
  virtual std::u16string SourceURL(int item, int source) = 0;
  // The playlist's title from its media content; empty when it offers none.
  virtual std::u16string Title() = 0;
};

}  // namespace nv
