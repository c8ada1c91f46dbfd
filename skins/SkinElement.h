#pragma once
// Skin elements: how a control names and slices one image of a skin (TSkinElement), or takes one colour of the
// skin's palette (TSkinColorElement). An element is owned by one control and points at a skin (TSkin, Skin.h); it
// resolves its image whenever one of its properties or the skin changes, and tells its owner, which resizes and
// repaints. Nothing is resolved while the skin's images are being loaded: the owner hears of a new skin once, when
// loading ends.
//
// The drawing of elements is the Windows layer's (skins/win/SkinDrawing.h); what is decided here — which bitmap,
// where each sub-image lies, whether a sub-image is there at all, whether the backdrop asks for the light variant —
// needs no device context.
#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "skins/SkinBitmap.h"
#include "skins/SkinSlicing.h"
#include "support/ui/Geometry.h"

namespace nv {

class TSkin;
class TCustomSkinElement;

// A colour as the system's COLORREF holds it: 0x00BBGGRR.
using SkinColour = std::uint32_t;

// The control that owns elements: it hears of their changes at once.
class SkinElementOwner {
public:
  // The element's bitmap or slicing changed.
  virtual void SkinElementChanged(TCustomSkinElement& element) = 0;
  // A palette colour was just resolved into `colour`; the owner may put another one in its place.
  virtual void SkinColourResolved(SkinColour& colour, TCustomSkinElement& element) {}

protected:
  ~SkinElementOwner() = default;
};

class TCustomSkinElement {
public:
  explicit TCustomSkinElement(SkinElementOwner* owner = nullptr) : owner_(owner) {}
  virtual ~TCustomSkinElement();
  TCustomSkinElement(const TCustomSkinElement&) = delete;
  TCustomSkinElement& operator=(const TCustomSkinElement&) = delete;

  TSkin* Skin() const { return skin_; }
  // Leaves the old skin, joins the new one (either may be none) and runs Changed.
  void SetSkin(TSkin* skin);
  SkinElementOwner* Owner() const { return owner_; }

  // Reads what the element shows from the skin again and tells the owner; skipped while the skin is loading.
  virtual void Changed() = 0;

protected:
  // True while the skin's images are being loaded (their update bracket is open).
  bool SkinUpdating() const;
  void TellOwner();

private:
  friend class TSkin;
  SkinElementOwner* owner_;
  TSkin* skin_ = nullptr;
};

// The bitmap every element shows when its skin has no image for it: one for the whole program.
const std::shared_ptr<const SkinBitmap>& SharedEmptyBitmap();

class TSkinElement : public TCustomSkinElement {
public:
  using TCustomSkinElement::TCustomSkinElement;

  // The preferred item, used when it exists and has an image; `Name` otherwise.
  const std::string& OptionalName() const { return optionalName_; }
  void SetOptionalName(std::string_view name);
  const std::string& Name() const { return name_; }
  void SetName(std::string_view name);
  // Recomputes ImageWidth and ImageHeight from the bitmap on every change.
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool autoSize);
  // At least 1: 0 is stored as 1 (and RowCount lowered to it).
  int ImageCount() const { return imageCount_; }
  void SetImageCount(std::uint8_t count);
  // Rows (horizontal layout) or columns (vertical), 1 to ImageCount.
  int RowCount() const { return rowCount_; }
  void SetRowCount(std::uint8_t count);
  SliceLayout RowLayout() const { return rowLayout_; }
  void SetRowLayout(SliceLayout layout);
  // The gap between neighbouring sub-images, both ways.
  int ImageSpacing() const { return imageSpacing_; }
  void SetImageSpacing(std::int8_t spacing);
  // The top-left corner of sub-image 0.
  int OriginLeft() const { return originLeft_; }
  int OriginTop() const { return originTop_; }
  void SetOrigin(std::int16_t left, std::int16_t top);
  // The size of one sub-image.
  int ImageWidth() const { return imageWidth_; }
  int ImageHeight() const { return imageHeight_; }
  void SetImageSize(std::int16_t width, std::int16_t height);
  // Where the light-backdrop variant of every sub-image lies, from the sub-image.
  int LBGOffsetLeft() const { return lightLeft_; }
  int LBGOffsetTop() const { return lightTop_; }
  void SetLightOffset(std::int16_t left, std::int16_t top);
  // Every slicing property of one use of an image (SkinSlicing.h) at once, and the image's name: one change.
  void SetSlice(const SkinSlice& slice);

  void Changed() override;

  // The resolved bitmap: never null (the shared empty bitmap when the skin has none).
  const SkinBitmap& Bitmap() const { return *bitmap_; }
  const std::shared_ptr<const SkinBitmap>& SharedBitmap() const { return bitmap_; }
  bool OptionalUsed() const { return optionalUsed_; }
  bool IsEmpty() const { return bitmap_->Empty(); }
  int BitmapWidth() const { return bitmap_->Width; }
  int BitmapHeight() const { return bitmap_->Height; }
  bool HasLightVariant() const { return lightLeft_ != 0 || lightTop_ != 0; }

  // Where sub-image `index` lies in the bitmap (the light variant when asked for and the bitmap reaches it); an
  // empty rectangle at the origin for an empty bitmap or an index past the last sub-image. The rectangle may reach
  // past the bitmap: drawing clips it.
  Rect GetImageRect(int index, bool light) const;
  // True when there is nothing to draw for the sub-image: the bitmap is empty, the sub-image has no area, or it
  // lies partly outside the bitmap.
  bool IsImageMissing(int index, bool light) const;
  // Replaces each of the sizes by ImageWidth or ImageHeight when that is greater than 0.
  void GetFixedSize(int& width, int& height) const;

private:
  void Resolve();
  void ComputeSize();

  std::string optionalName_, name_;
  bool autoSize_ = false;
  int imageCount_ = 1, rowCount_ = 1;
  SliceLayout rowLayout_ = SliceLayout::Horizontal;
  int imageSpacing_ = 0;
  int originLeft_ = 0, originTop_ = 0, imageWidth_ = 0, imageHeight_ = 0, lightLeft_ = 0, lightTop_ = 0;
  std::shared_ptr<const SkinBitmap> bitmap_ = SharedEmptyBitmap();
  bool optionalUsed_ = false;
};

class TSkinColorElement : public TCustomSkinElement {
public:
  using TCustomSkinElement::TCustomSkinElement;

  static constexpr SkinColour kUnresolved = 0x1FFFFFFF;

  int ColorIndex() const { return colorIndex_; }
  void SetColorIndex(std::int32_t index);
  // The palette's colour at ColorIndex (0 without a skin), resolved once and cached until the skin changes. When it
  // is resolved the owner may substitute another colour (not while the skin loads).
  SkinColour GetColor();

  // Forgets the cached colour and tells the owner.
  void Changed() override;

private:
  std::int32_t colorIndex_ = 0;
  SkinColour cached_ = kUnresolved;
};

// Light-backdrop detection: the four points of a destination that are read (a third of its size in from each
// corner), and the decision from the colours that could be read there: light when at least one was read and the
// mean of their (red + green + blue) / 3 is 150 or more.
std::array<Point, 4> LightSamplePoints(const Rect& destination);
bool IsLightBackdrop(std::span<const SkinColour> samples);

}  // namespace nv
