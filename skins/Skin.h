#pragma once
// The skin: the named images the player's windows are drawn from, where they come from (Path), the palette that
// gives labels and the spectrum their colours, and the elements that show its images. One skin serves every window
// of the player (the strip's); the options dialog keeps a second one for its preview.
//
// A change of skin — a new Path, activation, loading — runs inside the images' update bracket, so that every
// registered element resolves once, when loading ends, and each owning control hears of it once:
//
//   TSkin skin(SystemSkinEnvironment());
//   DeclareStripSkin(skin);
//   skin.SetPath(currentSkin);
//   skin.SetActive(true);           // loads
//   element.SetSkin(&skin);         // resolves now
//   ...
//   skin.SetPath(anotherSkin);      // every element resolves again, and every owner hears of it once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "skins/SkinElement.h"
#include "skins/SkinImageCollection.h"
#include "skins/SkinLoading.h"

namespace nv {

class TSkin {
public:
  explicit TSkin(SkinEnvironment& system);
  // The elements still registered lose their skin.
  ~TSkin();
  TSkin(const TSkin&) = delete;
  TSkin& operator=(const TSkin&) = delete;

  // While false the images are released and nothing is loaded; setting it applies the path.
  bool Active() const { return active_; }
  void SetActive(bool active);

  TSkinImageCollection& Images() { return images_; }
  const TSkinImageCollection& Images() const { return images_; }
  // Takes over another collection's items (names, optional flags and images).
  void AssignImages(const TSkinImageCollection& from);

  // Where the skin comes from: empty for the default skin; a folder of images or a package file, relative to the
  // program's folder unless it has a drive or a UNC prefix. Changing it applies it (when active).
  const std::string& Path() const { return path_; }
  void SetPath(std::string_view path);

  // The palette: the image of that name, read in cells of PaletteDX x PaletteDY pixels (2 x 2 unless set).
  const std::string& PaletteName() const { return paletteName_; }
  void SetPaletteName(std::string_view name);
  int PaletteDX() const { return paletteDX_; }
  int PaletteDY() const { return paletteDY_; }
  void SetPaletteCell(std::int8_t dx, std::int8_t dy);
  // The colour of the palette's cell `index`, counted row by row; 0 without a palette, for a cell size of 0 or
  // less, or for a cell outside the palette.
  SkinColour GetPaletteColor(int index) const;

  // The loaded skin's "copyright.txt" and "readme.txt".
  const std::string& Notice() const { return notice_; }
  const std::string& Readme() const { return readme_; }

  // Loads per Path: the default skin for an empty path or one that names nothing, a folder or a package
  // otherwise. Raises ESkinError "Default skin corrupted." when even the default skin cannot be read.
  void Apply();
  void LoadFromPackage(std::string_view path);
  void LoadFromFolder(std::string_view folder);
  void LoadDefault();

  // Every registered element reads the skin again.
  void Changed();
  void RegisterElement(TCustomSkinElement& element);
  void UnregisterElement(TCustomSkinElement& element);
  const std::vector<TCustomSkinElement*>& Elements() const { return elements_; }
  // True while the images are being loaded.
  bool Updating() const { return images_.Updating(); }

private:
  SkinEnvironment& system_;
  TSkinImageCollection images_;
  bool active_ = false;
  std::string path_, paletteName_, notice_, readme_;
  int paletteDX_ = 2, paletteDY_ = 2;
  std::vector<TCustomSkinElement*> elements_;
};

// The colour of cell `index` of a palette image read in cells of dx x dy pixels (see GetPaletteColor).
SkinColour PaletteColour(const SkinBitmap* palette, int dx, int dy, int index);

// Where a skin's path leads: the default skin, a folder or a package, with the path made absolute.
struct SkinSource {
  enum class Kind { Default, Folder, Package } kind = Kind::Default;
  std::string path;
  bool operator==(const SkinSource&) const = default;
};
SkinSource ChooseSkinSource(std::string_view path, std::string_view programFolder);

// The strip's skin: the items of a complete skin, its palette "Palettes" read in 1 x 2 cells.
void DeclareStripSkin(TSkin& skin);

}  // namespace nv
