#pragma once
// What the skinned-window tests and the skin benchmark share: skins read through the cabinet library with the
// build's default package as the default skin, skin folders written for one test, a skinned form placed on the
// Wine desktop and controls that show one sub-image, each counting its paints.
#include <windows.h>

#include <filesystem>
#include <string>
#include <string_view>

#include "skins/Skin.h"
#include "skins/win/SkinControl.h"
#include "skins/win/SkinForm.h"
#include "skins/win/SkinLabel.h"
#include "skins/win/SkinPanel.h"

namespace nv::test {

// Packages through the system's cabinet library; the default skin is the one the build packed.
class TestSkinEnvironment final : public SkinEnvironment {
public:
  void ReadPackage(std::string_view path, SkinPackageFill& fill) override;
  std::string DefaultPackagePath() override;
};
SkinEnvironment& TestSkins();

// The strip's skin items, loaded from the build's default skin once for the process.
TSkin& DefaultPlayerSkin();

// The packages the build made for the tests (NV_SKIN_PACKAGES): "complete.nvs" is the default skin inverted.
std::string TestPackage(std::string_view name);

// A folder of skin images for one test, gone with it.
class SkinFolder {
public:
  SkinFolder();
  ~SkinFolder();
  SkinFolder(const SkinFolder&) = delete;
  SkinFolder& operator=(const SkinFolder&) = delete;
  // "<item>.bmp"
  void Write(std::string_view item, const std::string& bmp);
  std::string Path() const;

private:
  std::filesystem::path path_;
};

// A skinned form at a place of the screen, topmost, counting its paints.
class TestSkinForm : public TSkinForm {
public:
  explicit TestSkinForm(Point at, Size size = {100, 100});
  // Draws the form from `image`, shaped by `mask`, of the skin.
  void UseImages(TSkin& skin, std::string_view image, std::string_view mask);
  int paints = 0;

protected:
  void PaintBackground(HDC dc, const Rect& clip) override;
};

// A windowless control that shows sub-image `index` of its element, which fixes its size.
class SkinPicture : public TSkinControl {
public:
  SkinPicture(WinControl& parent, Point at);
  TSkinElement Picture{Notices()};
  int index = 0;
  int paints = 0;
  void Paint(HDC dc) override;
};

class CountingLabel final : public TSkinLabel {
public:
  using TSkinLabel::TSkinLabel;
  int paints = 0;
  void Paint(HDC dc) override {
    ++paints;
    TSkinLabel::Paint(dc);
  }
};

class CountingPanel final : public TSkinPanel {
public:
  using TSkinPanel::TSkinPanel;
  int paints = 0;

protected:
  void PaintBackground(HDC dc, const Rect& clip) override {
    ++paints;
    TSkinPanel::PaintBackground(dc, clip);
  }
};

}  // namespace nv::test
