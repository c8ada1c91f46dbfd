#pragma once
// Objects that belong to one graph and hear when it starts, pauses and stops (the equaliser's, the video's and the
// visualiser's per-graph objects), grouped by kind across all graphs in a collection. An object is freed by
// whichever goes first: its graph being cleared or closed, or its collection being destroyed.
#include <mutex>
#include <vector>

namespace nv {

class TXGraph;
class TXGraphObjectCollection;

class TXGraphObject {
public:
  // Joins the collection's list and the graph's list (either may be null).
  TXGraphObject(TXGraphObjectCollection* collection, TXGraph* graph);
  // Leaves both lists.
  virtual ~TXGraphObject();
  TXGraphObject(const TXGraphObject&) = delete;
  TXGraphObject& operator=(const TXGraphObject&) = delete;

  TXGraphObjectCollection* Collection() const { return collection_; }
  TXGraph* Graph() const { return graph_; }

  virtual void GraphStarted() {}
  virtual void GraphPaused() {}
  virtual void GraphStopped() {}

private:
  friend class TXGraph;
  friend class TXGraphObjectCollection;

  TXGraphObjectCollection* collection_;
  TXGraph* graph_;
};

// A guarded list of objects of one kind. Graphs and the objects' own filters touch it from different threads.
class TXGraphObjectCollection {
public:
  TXGraphObjectCollection() = default;
  // Frees every object still in the list.
  virtual ~TXGraphObjectCollection();
  TXGraphObjectCollection(const TXGraphObjectCollection&) = delete;
  TXGraphObjectCollection& operator=(const TXGraphObjectCollection&) = delete;

  // The objects at this moment.
  std::vector<TXGraphObject*> Objects() const;
  int Count() const;

private:
  friend class TXGraphObject;
  void Add(TXGraphObject* object);
  void Remove(TXGraphObject* object);

  mutable std::mutex lock_;
  std::vector<TXGraphObject*> objects_;
};

}  // namespace nv
