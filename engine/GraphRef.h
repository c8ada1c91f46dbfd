#pragma once
// A counted hold on a graph (anything with AddRef and Release): the graph frees itself when the last hold goes.
// The player keeps its graphs this way because a graph that is building handles messages, and whoever lets go of
// it meanwhile must not pull it from under its own build.
#include <utility>

namespace nv {

template <class Graph>
class TXGraphRef {
public:
  TXGraphRef() = default;
  TXGraphRef(Graph* graph) : graph_(graph) {
    if (graph_) graph_->AddRef();
  }
  TXGraphRef(const TXGraphRef& other) : TXGraphRef(other.graph_) {}
  TXGraphRef(TXGraphRef&& other) noexcept : graph_(std::exchange(other.graph_, nullptr)) {}
  TXGraphRef& operator=(TXGraphRef other) noexcept {
    std::swap(graph_, other.graph_);
    return *this;
  }
  ~TXGraphRef() { Reset(); }

  void Reset() {
    if (Graph* graph = std::exchange(graph_, nullptr)) graph->Release();
  }
  Graph* Get() const { return graph_; }
  Graph* operator->() const { return graph_; }
  Graph& operator*() const { return *graph_; }
  explicit operator bool() const { return graph_ != nullptr; }

private:
  Graph* graph_ = nullptr;
};

}  // namespace nv
