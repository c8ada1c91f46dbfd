#include "tests/skins/win/SkinTestSupport.h"

#include <fstream>

#include "skins/win/SkinDrawing.h"
#include "skins/win/SkinPackageReader.h"
#include "tests/skins/SkinTestFiles.h"

namespace nv::test {

void TestSkinEnvironment::ReadPackage(std::string_view path, SkinPackageFill& fill) {
  WindowsSkinEnvironment().ReadPackage(path, fill);
}

std::string TestSkinEnvironment::DefaultPackagePath() { return PlatformPath(NV_DEFAULT_SKIN_PACKAGE); }

SkinEnvironment& TestSkins() {
  static TestSkinEnvironment skins;
  return skins;
}

TSkin& DefaultPlayerSkin() {
  static TSkin& skin = *[] {
    auto* made = new TSkin(TestSkins());
    DeclareStripSkin(*made);
    made->SetActive(true);
    return made;
  }();
  return skin;
}

std::string TestPackage(std::string_view name) {
  return PlatformPath(std::string(NV_SKIN_PACKAGES) + "/" + std::string(name));
}

SkinFolder::SkinFolder() {
  static int folders = 0;
  path_ = std::filesystem::temp_directory_path() /
          (L"norvale-skin-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++folders));
  std::filesystem::create_directories(path_);
}

SkinFolder::~SkinFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

void SkinFolder::Write(std::string_view item, const std::string& bmp) {
  std::ofstream(path_ / (std::string(item) + ".bmp"), std::ios::binary) << bmp;
}

std::string SkinFolder::Path() const { return path_.string(); }

namespace {

FormParams TestSkinFormParams(Point at, Size size) {
  FormParams params = SkinFormParams(L"NorvaleTestSkinForm");
  params.topmost = true;
  params.bounds = Rect::FromSize(at.x, at.y, size.width, size.height);
  return params;
}

}  // namespace

TestSkinForm::TestSkinForm(Point at, Size size) : TSkinForm(TestSkinFormParams(at, size)) {}

void TestSkinForm::UseImages(TSkin& skin, std::string_view image, std::string_view mask) {
  Image.SetName(image);
  Mask.SetName(mask);
  Image.SetSkin(&skin);
  Mask.SetSkin(&skin);
}

void TestSkinForm::PaintBackground(HDC dc, const Rect& clip) {
  ++paints;
  TSkinForm::PaintBackground(dc, clip);
}

SkinPicture::SkinPicture(WinControl& parent, Point at) : TSkinControl(&parent) {
  SetSizingElement(&Picture);
  SetBounds(Rect::FromSize(at.x, at.y, 1, 1));
}

void SkinPicture::Paint(HDC dc) {
  ++paints;
  DrawElement(dc, Picture, 0, 0, index);
}

}  // namespace nv::test
