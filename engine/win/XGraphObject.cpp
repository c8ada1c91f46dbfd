#include "engine/win/XGraphObject.h"

#include <algorithm>

#include "engine/win/XGraph.h"

namespace nv {

TXGraphObject::TXGraphObject(TXGraphObjectCollection* collection, TXGraph* graph)
    : collection_(collection), graph_(graph) {
  if (collection_) collection_->Add(this);
  if (graph_) graph_->AttachObject(this);
}

TXGraphObject::~TXGraphObject() {
  if (graph_) graph_->DetachObject(this);
  if (collection_) collection_->Remove(this);
}

TXGraphObjectCollection::~TXGraphObjectCollection() {
  std::vector<TXGraphObject*> objects;
  {
    const std::lock_guard lock(lock_);
    objects.swap(objects_);
  }
  for (TXGraphObject* object : objects) {
    object->collection_ = nullptr;
    delete object;
  }
}

std::vector<TXGraphObject*> TXGraphObjectCollection::Objects() const {
  const std::lock_guard lock(lock_);
  return objects_;
}

int TXGraphObjectCollection::Count() const {
  const std::lock_guard lock(lock_);
  return static_cast<int>(objects_.size());
}

void TXGraphObjectCollection::Add(TXGraphObject* object) {
  const std::lock_guard lock(lock_);
  objects_.push_back(object);
}

void TXGraphObjectCollection::Remove(TXGraphObject* object) {
  const std::lock_guard lock(lock_);
  std::erase(objects_, object);
}

}  // namespace nv
