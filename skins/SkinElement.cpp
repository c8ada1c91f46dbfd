#include "skins/SkinElement.h"

#include <algorithm>
#include <limits>

#include "skins/Skin.h"

namespace nv {

namespace {

template <class T>
T Narrow(int value) {
  return static_cast<T>(std::clamp<int>(value, std::numeric_limits<T>::min(), std::numeric_limits<T>::max()));
}

}  // namespace

// --- TCustomSkinElement ---

TCustomSkinElement::~TCustomSkinElement() {
  if (skin_) skin_->UnregisterElement(*this);
}

void TCustomSkinElement::SetSkin(TSkin* skin) {
  if (skin == skin_) return;
  if (skin_) skin_->UnregisterElement(*this);
  skin_ = skin;
  if (skin_) skin_->RegisterElement(*this);
  Changed();
}

bool TCustomSkinElement::SkinUpdating() const { return skin_ && skin_->Updating(); }

void TCustomSkinElement::TellOwner() {
  if (owner_ && !SkinUpdating()) owner_->SkinElementChanged(*this);
}

const std::shared_ptr<const SkinBitmap>& SharedEmptyBitmap() {
  static const std::shared_ptr<const SkinBitmap> empty = std::make_shared<const SkinBitmap>();
  return empty;
}

// --- TSkinElement ---

void TSkinElement::SetOptionalName(std::string_view name) {
  optionalName_ = std::string(name);
  Changed();
}

void TSkinElement::SetName(std::string_view name) {
  name_ = std::string(name);
  Changed();
}

void TSkinElement::SetAutoSize(bool autoSize) {
  autoSize_ = autoSize;
  Changed();
}

void TSkinElement::SetImageCount(std::uint8_t count) {
  imageCount_ = std::max<int>(count, 1);
  rowCount_ = std::min(rowCount_, imageCount_);
  Changed();
}

void TSkinElement::SetRowCount(std::uint8_t count) {
  rowCount_ = std::clamp<int>(count, 1, imageCount_);
  Changed();
}

void TSkinElement::SetRowLayout(SliceLayout layout) {
  rowLayout_ = layout;
  Changed();
}

void TSkinElement::SetImageSpacing(std::int8_t spacing) {
  imageSpacing_ = spacing;
  Changed();
}

void TSkinElement::SetOrigin(std::int16_t left, std::int16_t top) {
  originLeft_ = left;
  originTop_ = top;
  Changed();
}

void TSkinElement::SetImageSize(std::int16_t width, std::int16_t height) {
  imageWidth_ = width;
  imageHeight_ = height;
  Changed();
}

void TSkinElement::SetLightOffset(std::int16_t left, std::int16_t top) {
  lightLeft_ = left;
  lightTop_ = top;
  Changed();
}

void TSkinElement::SetSlice(const SkinSlice& slice) {
  name_ = slice.Item;
  originLeft_ = Narrow<std::int16_t>(slice.OriginLeft);
  originTop_ = Narrow<std::int16_t>(slice.OriginTop);
  imageWidth_ = Narrow<std::int16_t>(slice.ImageWidth);
  imageHeight_ = Narrow<std::int16_t>(slice.ImageHeight);
  imageCount_ = std::max<int>(Narrow<std::uint8_t>(slice.ImageCount), 1);
  rowCount_ = std::clamp<int>(Narrow<std::uint8_t>(slice.RowCount), 1, imageCount_);
  rowLayout_ = slice.Layout;
  imageSpacing_ = Narrow<std::int8_t>(slice.ImageSpacing);
  lightLeft_ = Narrow<std::int16_t>(slice.LBGOffsetLeft);
  lightTop_ = Narrow<std::int16_t>(slice.LBGOffsetTop);
  Changed();
}

void TSkinElement::Changed() {
  if (SkinUpdating()) return;
  Resolve();
  ComputeSize();
  TellOwner();
}

void TSkinElement::Resolve() {
  bitmap_ = SharedEmptyBitmap();
  optionalUsed_ = false;
  if (!Skin()) return;
  const TSkinImageCollection& images = Skin()->Images();
  auto imageOf = [&](const std::string& name) -> const TSkinImage* {
    if (name.empty()) return nullptr;
    const TSkinImage* item = images.Find(name);
    return item && item->HasImage() ? item : nullptr;
  };
  if (const TSkinImage* preferred = imageOf(optionalName_)) {
    bitmap_ = preferred->SharedImage();
    optionalUsed_ = true;
  } else if (const TSkinImage* item = imageOf(name_)) {
    bitmap_ = item->SharedImage();
  }
}

void TSkinElement::ComputeSize() {
  if (!autoSize_ && imageWidth_ > 0 && imageHeight_ > 0) return;
  const int spare = imageSpacing_;
  const int across = BitmapWidth() - originLeft_, down = BitmapHeight() - originTop_;
  int width = across, height = down;
  if (imageCount_ >= 2) {
    const int lines = rowCount_, perLine = SubImagesPerLine(imageCount_, rowCount_);
    if (rowLayout_ == SliceLayout::Vertical) {
      width = (across - spare * (lines - 1)) / lines;
      height = (down - spare * (perLine - 1)) / perLine;
    } else {
      height = (down - spare * (lines - 1)) / lines;
      width = (across - spare * (perLine - 1)) / perLine;
    }
  }
  // A size of 0 or less is asked for again on the next change: it counts as no image until then.
  if (autoSize_ || imageWidth_ <= 0) imageWidth_ = std::max(width, 0);
  if (autoSize_ || imageHeight_ <= 0) imageHeight_ = std::max(height, 0);
}

Rect TSkinElement::GetImageRect(int index, bool light) const {
  if (IsEmpty() || index < 0 || index >= imageCount_) return Rect::FromSize(originLeft_, originTop_, 0, 0);
  int left = originLeft_, top = originTop_;
  if (light && originLeft_ + lightLeft_ < BitmapWidth() && originTop_ + lightTop_ < BitmapHeight()) {
    left += lightLeft_;
    top += lightTop_;
  }
  const SubImagePlace place = PlaceOfSubImage(imageCount_, rowCount_, rowLayout_, index);
  left += place.Column * (imageWidth_ + imageSpacing_);
  top += place.Row * (imageHeight_ + imageSpacing_);
  return {left, top, left + imageWidth_, top + imageHeight_};
}

bool TSkinElement::IsImageMissing(int index, bool light) const {
  if (IsEmpty()) return true;
  const Rect r = GetImageRect(index, light);
  return r.IsEmpty() || r.left < 0 || r.top < 0 || r.right > BitmapWidth() || r.bottom > BitmapHeight();
}

void TSkinElement::GetFixedSize(int& width, int& height) const {
  if (imageWidth_ > 0) width = imageWidth_;
  if (imageHeight_ > 0) height = imageHeight_;
}

// --- TSkinColorElement ---

void TSkinColorElement::SetColorIndex(std::int32_t index) {
  colorIndex_ = index;
  Changed();
}

SkinColour TSkinColorElement::GetColor() {
  if (cached_ == kUnresolved) {
    cached_ = Skin() ? Skin()->GetPaletteColor(colorIndex_) : 0;
    if (Owner() && !SkinUpdating()) Owner()->SkinColourResolved(cached_, *this);
  }
  return cached_;
}

void TSkinColorElement::Changed() {
  cached_ = kUnresolved;
  TellOwner();
}

// --- Light backdrops ---

std::array<Point, 4> LightSamplePoints(const Rect& d) {
  const int w = d.Width() / 3, h = d.Height() / 3;
  return {{{d.left + w, d.top + h}, {d.right - w, d.top + h}, {d.left + w, d.bottom - h}, {d.right - w, d.bottom - h}}};
}

bool IsLightBackdrop(std::span<const SkinColour> samples) {
  if (samples.empty()) return false;
  long sum = 0;
  for (const SkinColour c : samples) sum += ((c & 0xFF) + ((c >> 8) & 0xFF) + ((c >> 16) & 0xFF)) / 3;
  return sum / static_cast<long>(samples.size()) >= 150;
}

}  // namespace nv
