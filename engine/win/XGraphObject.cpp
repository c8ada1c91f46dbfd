#include "engine/win/XGraphObject.h"

#include <utility>

#include "engine/win/XGraph.h"

namespace nv {

void TXGraphObjectList::Add(TXGraphObject* object) {
  const std::lock_guard lock(lock_);
  objects_.push_back(object);
}

void TXGraphObjectList::Remove(TXGraphObject* object) {
  const std::lock_guard lock(lock_);
  std::erase(objects_, object);
}

std::vector<TXGraphObject*> TXGraphObjectList::Snapshot() const {
  const std::lock_guard lock(lock_);
  return objects_;
}

int TXGraphObjectList::Count() const {
  const std::lock_guard lock(lock_);
  return static_cast<int>(objects_.size());
}

std::vector<TXGraphObject*> TXGraphObjectList::TakeAll() {
  const std::lock_guard lock(lock_);
  return std::exchange(objects_, {});
}

TXGraphObject::TXGraphObject(TXGraphObjectCollection* collection, TXGraph* graph)
    : collection_(collection), graph_(graph) {
  if (collection_) collection_->objects_.Add(this);
  if (graph_) graph_->AttachObject(this);
}

TXGraphObject::~TXGraphObject() {
  if (graph_) graph_->DetachObject(this);
  if (collection_) collection_->objects_.Remove(this);
}

TXGraphObjectCollection::~TXGraphObjectCollection() {
  for (TXGraphObject* object : objects_.TakeAll()) {
    object->collection_ = nullptr;
    delete object;
  }
}

}  // namespace nv
