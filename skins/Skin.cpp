#include "skins/Skin.h"

#include <algorithm>

#include "skins/SkinSlicing.h"
#include "support/FileSystem.h"
#include "support/MarkedText.h"
#include "support/PathNames.h"

namespace nv {

TSkin::TSkin(SkinEnvironment& system) : system_(system) {
  images_.SetOnChange([this] { Changed(); });
}

TSkin::~TSkin() {
  images_.SetOnChange(nullptr);
  for (TCustomSkinElement* element : elements_) element->skin_ = nullptr;
}

void TSkin::SetActive(bool active) {
  if (active == active_) return;
  active_ = active;
  Apply();
}

void TSkin::AssignImages(const TSkinImageCollection& from) { images_.Assign(from); }

void TSkin::SetPath(std::string_view path) {
  if (path == path_) return;
  path_ = std::string(path);
  if (active_) Apply();
}

void TSkin::SetPaletteName(std::string_view name) {
  paletteName_ = std::string(name);
  Changed();
}

void TSkin::SetPaletteCell(std::int8_t dx, std::int8_t dy) {
  paletteDX_ = dx;
  paletteDY_ = dy;
  Changed();
}

SkinColour PaletteColour(const SkinBitmap* palette, int dx, int dy, int index) {
  if (!palette || dx <= 0 || dy <= 0 || index < 0) return 0;
  if (palette->Width < dx || palette->Height < dy) return 0;
  const int columns = palette->Width / dx;
  const int x = (index % columns) * dx, y = (index / columns) * dy;
  if (y >= palette->Height) return 0;
  const std::uint32_t argb = palette->At(x, y);
  // 0xAARRGGBB to the system's 0x00BBGGRR.
  return ((argb >> 16) & 0xFF) | (argb & 0xFF00) | ((argb & 0xFF) << 16);
}

SkinColour TSkin::GetPaletteColor(int index) const {
  const TSkinImage* palette = paletteName_.empty() ? nullptr : images_.Find(paletteName_);
  return PaletteColour(palette ? palette->Image() : nullptr, paletteDX_, paletteDY_, index);
}

SkinSource ChooseSkinSource(std::string_view path, std::string_view programFolder) {
  if (path.empty()) return {};
  std::u16string full = MarkedToUtf16(path);
  if (ExtractFileDrive(full).empty()) full = JoinPath(MarkedToUtf16(programFolder), full);
  full = std::u16string(ExcludeTrailingPathDelimiter(full));
  std::string held = Utf16ToMarked(full);
  switch (SystemFileSystem().KindOf(held)) {
    case PathKind::Folder: return {SkinSource::Kind::Folder, std::move(held)};
    case PathKind::File: return {SkinSource::Kind::Package, std::move(held)};
    case PathKind::None: break;
  }
  return {};
}

void TSkin::Apply() {
  if (!active_) {
    SkinUpdateBracket bracket(images_);
    images_.ClearImages();
    notice_.clear();
    readme_.clear();
    return;
  }
  const SkinSource source = ChooseSkinSource(path_, system_.ProgramFolder());
  switch (source.kind) {
    case SkinSource::Kind::Folder: LoadFromFolder(source.path); break;
    case SkinSource::Kind::Package: LoadFromPackage(source.path); break;
    case SkinSource::Kind::Default: LoadDefault(); break;
  }
}

void TSkin::LoadFromPackage(std::string_view path) { LoadSkinFromPackage(system_, path, images_, &notice_, &readme_); }

void TSkin::LoadFromFolder(std::string_view folder) {
  LoadSkinFromFolder(system_, folder, images_, &notice_, &readme_);
}

void TSkin::LoadDefault() { LoadFromPackage(system_.DefaultPackagePath()); }

void TSkin::Changed() {
  // An owner may make or destroy elements while it hears of the change: each one still registered hears once.
  const std::vector<TCustomSkinElement*> elements = elements_;
  for (TCustomSkinElement* element : elements)
    if (std::find(elements_.begin(), elements_.end(), element) != elements_.end()) element->Changed();
}

void TSkin::RegisterElement(TCustomSkinElement& element) {
  if (std::find(elements_.begin(), elements_.end(), &element) == elements_.end()) elements_.push_back(&element);
}

void TSkin::UnregisterElement(TCustomSkinElement& element) { std::erase(elements_, &element); }

void DeclareStripSkin(TSkin& skin) {
  DeclareStripSkinItems(skin.Images());
  skin.SetPaletteName("Palettes");
  skin.SetPaletteCell(kSkinPaletteCellWidth, kSkinPaletteCellHeight);
}

}  // namespace nv
