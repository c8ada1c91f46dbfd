#include "skins/SkinImageCollection.h"

#include "skins/SkinErrors.h"
#include "skins/SkinSlicing.h"
#include "support/TextCompare.h"

namespace nv {

TSkinImage& TSkinImageCollection::Add(std::string_view name, bool optional) {
  if (Find(name)) throw ESkinError(kDuplicateSkinItemMessage);
  items_.emplace_back(std::string(name), optional);
  return items_.back();
}

void TSkinImageCollection::Rename(std::size_t index, std::string_view name) {
  const std::ptrdiff_t other = IndexOf(name);
  if (other >= 0 && static_cast<std::size_t>(other) != index) throw ESkinError(kDuplicateSkinItemMessage);
  items_.at(index).name_ = std::string(name);
}

const TSkinImage* TSkinImageCollection::Find(std::string_view name) const {
  const std::ptrdiff_t index = IndexOf(name);
  return index < 0 ? nullptr : &items_[static_cast<std::size_t>(index)];
}

std::ptrdiff_t TSkinImageCollection::IndexOf(std::string_view name) const {
  for (std::size_t i = 0; i < items_.size(); ++i)
    if (LocaleSameText(items_[i].name_, name)) return static_cast<std::ptrdiff_t>(i);
  return -1;
}

void TSkinImageCollection::SetImage(std::size_t index, SkinBitmap image) {
  items_.at(index).image_ = std::make_shared<const SkinBitmap>(std::move(image));
  Changed();
}

void TSkinImageCollection::Assign(const TSkinImageCollection& from) {
  if (&from == this) return;
  items_ = from.items_;
  Changed();
}

void TSkinImageCollection::ClearImage(std::size_t index) {
  if (!items_.at(index).image_) return;
  items_[index].image_.reset();
  Changed();
}

void TSkinImageCollection::ClearImages() {
  for (std::size_t i = 0; i < items_.size(); ++i) ClearImage(i);
}

void TSkinImageCollection::EndUpdate() {
  if (updates_ > 0 && --updates_ == 0 && changedInUpdate_) {
    changedInUpdate_ = false;
    if (onChange_) onChange_();
  }
}

void TSkinImageCollection::Changed() {
  if (updates_ > 0) {
    changedInUpdate_ = true;
  } else if (onChange_) {
    onChange_();
  }
}

void DeclareStripSkinItems(TSkinImageCollection& items) {
  for (const SkinItemSpec& item : kSkinItems) items.Add(item.Name, item.Optional);
}

}  // namespace nv
