#pragma once
// The named images of a skin: the items the windows declare (a name, unique without regard to case, and whether
// the skin may leave it out), each with its decoded image or none. Loading runs inside an update bracket, so that
// whoever listens hears of the change once, when the outermost bracket closes.
#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "skins/SkinBitmap.h"

namespace nv {

class TSkinImage {
public:
  TSkinImage(std::string name, bool optional) : name_(std::move(name)), optional_(optional) {}

  const std::string& Name() const { return name_; }
  bool Optional() const { return optional_; }
  // Null when the item has no image.
  const SkinBitmap* Image() const { return image_.get(); }
  // The same image as shared with the elements that show it (null when none).
  const std::shared_ptr<const SkinBitmap>& SharedImage() const { return image_; }
  bool HasImage() const { return image_ != nullptr; }
  // Set when the image has 32 bits per pixel: premultiplied, drawn blended.
  bool Alpha() const { return image_ && image_->Alpha; }

private:
  friend class TSkinImageCollection;
  std::string name_;
  bool optional_;
  std::shared_ptr<const SkinBitmap> image_;
};

class TSkinImageCollection {
public:
  // Raises ESkinError "Duplicate skin item name" when another item has the name.
  TSkinImage& Add(std::string_view name, bool optional = false);
  void Rename(std::size_t index, std::string_view name);

  std::size_t Count() const { return items_.size(); }
  const TSkinImage& operator[](std::size_t index) const { return items_[index]; }
  // The first item of that name, compared without regard to case; null when there is none.
  const TSkinImage* Find(std::string_view name) const;
  std::ptrdiff_t IndexOf(std::string_view name) const;  // -1 when none

  void SetImage(std::size_t index, SkinBitmap image);
  // Becomes a copy of another collection's items, their images shared (one change).
  void Assign(const TSkinImageCollection& from);
  void ClearImage(std::size_t index);
  void ClearImages();

  // Called once per change, or once when an update bracket with changes closes.
  void SetOnChange(std::function<void()> onChange) { onChange_ = std::move(onChange); }
  void BeginUpdate() { ++updates_; }
  void EndUpdate();
  bool Updating() const { return updates_ > 0; }

private:
  void Changed();

  std::vector<TSkinImage> items_;
  std::function<void()> onChange_;
  int updates_ = 0;
  bool changedInUpdate_ = false;
};

// Holds a collection's update bracket open for a scope, also when it is left by an exception.
class SkinUpdateBracket {
public:
  explicit SkinUpdateBracket(TSkinImageCollection& items) : items_(items) { items_.BeginUpdate(); }
  ~SkinUpdateBracket() { items_.EndUpdate(); }
  SkinUpdateBracket(const SkinUpdateBracket&) = delete;
  SkinUpdateBracket& operator=(const SkinUpdateBracket&) = delete;

private:
  TSkinImageCollection& items_;
};

// The items the taskbar strip's skin declares, in their order: the vocabulary of a complete skin.
void DeclareStripSkinItems(TSkinImageCollection& items);

}  // namespace nv
