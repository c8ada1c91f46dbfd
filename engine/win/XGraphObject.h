#pragma once
// Objects that belong to one graph and hear when it starts, pauses and stops (the equaliser's, the video's and the
// visualiser's per-graph objects), grouped by kind across all graphs in a collection. An object is freed by
// whichever goes first: its graph being cleared or closed, or its collection being destroyed.
#include <mutex>
#include <vector>

namespace nv {

class TXGraph;
class TXGraphObject;
class TXGraphObjectCollection;

// A list of graph objects behind its own lock: a graph's list and a collection's list are each reached from the
// user-interface thread and from the objects' own filters.
class TXGraphObjectList {
public:
  void Add(TXGraphObject* object);
  void Remove(TXGraphObject* object);
  // The objects at this moment.
  std::vector<TXGraphObject*> Snapshot() const;
  int Count() const;
  // Empties the list and hands its objects to the caller.
  std::vector<TXGraphObject*> TakeAll();

private:
  mutable std::mutex lock_;
  std::vector<TXGraphObject*> objects_;
};

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
  std::vector<TXGraphObject*> Objects() const { return objects_.Snapshot(); }
  int Count() const { return objects_.Count(); }

private:
  friend class TXGraphObject;
  TXGraphObjectList objects_;
};

}  // namespace nv
