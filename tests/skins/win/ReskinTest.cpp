// A skin package named on a second instance's command line re-skins the running player's windows: the real
// Norvale.exe copies it into the skin folder, makes it the current skin and tells the running player, which sets
// its skin's path again; every open skinned window then shows the new skin, each control repainted once.
//
// This test process is the running player: it holds the instance atom and a window of the player's class inside
// the taskbar that reloads the player's skin on the reload command, and it shows skinned windows drawn from that
// skin. (Its default skin is the package beside it, as for a program that carries none.)
#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <memory>

#include "app/AppConstants.h"
#include "app/win/PlayerSkin.h"
#include "skins/win/SkinPackageReader.h"
#include "support/RegIniFile.h"
#include "support/ui/win/LoadingScope.h"
#include "support/win/RegistryKeyValueStore.h"
#include "tests/common/TestPaths.h"
#include "tests/common/win/Screenshot.h"
#include "tests/common/win/WineTestEnv.h"
#include "tests/skins/win/SkinTestSupport.h"
#include "tests/support/ui/win/UiTestSupport.h"

namespace nv {
namespace {

// The running player's window, where a second instance looks for it: it reloads the skin when told to.
// (The preferences are the player's, "Software\Norvale", where the second instance writes the current skin; this
// process's own store would be named after its program file.)
class PlayerWindow final : public Window {
public:
  PlayerWindow(HWND taskbar, const TXRegIniFile& preferences) : preferences_(preferences) {
    Create({kPlayerWindowClass}, {.style = WS_CHILD, .parent = taskbar});
  }
  int reloads = 0;

protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_PLAYERCOMMAND && wParam == kCommandReloadSkin) {
      ++reloads;
      ReloadPlayerSkin(preferences_);
      return 0;
    }
    return Window::WindowProc(message, wParam, lParam);
  }

private:
  const TXRegIniFile& preferences_;
};

std::string Utf8(const std::wstring& text) {
  const int size =
      WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string out(size, '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size, nullptr, nullptr);
  return out;
}

class Reskin : public ::testing::Test {
protected:
  void SetUp() override {
    taskbar_ = FindWindowW(kTaskbarWindowClass, nullptr);
    ASSERT_NE(taskbar_, nullptr);
    ASSERT_EQ(FindWindowExW(taskbar_, nullptr, kPlayerWindowClass, nullptr), nullptr) << "a player is running";
    while (const ATOM stale = GlobalFindAtomW(kInstanceAtomName)) GlobalDeleteAtom(stale);
    scratch_ = std::filesystem::temp_directory_path() / (L"norvale-reskin-" + std::to_wstring(GetCurrentProcessId()));
    std::filesystem::create_directories(scratch_ / L"Downloads");
    preferences_.WriteString("Preferences", "Skin path", Utf8((scratch_ / L"Skins").wstring()));
    preferences_.DeleteValue("Preferences", "Current skin");
    atom_ = GlobalAddAtomW(kInstanceAtomName);
    window_ = std::make_unique<PlayerWindow>(taskbar_, preferences_);
  }

  void TearDown() override {
    window_.reset();
    if (atom_) GlobalDeleteAtom(atom_);
    preferences_.DeleteValue("Preferences", "Skin path");
    preferences_.DeleteValue("Preferences", "Current skin");
    std::error_code ignored;
    std::filesystem::remove_all(scratch_, ignored);
  }

  // Runs Norvale.exe with the arguments to its end; its exit code.
  static DWORD RunPlayer(const std::wstring& arguments) {
    const std::wstring program = test::UnixToWindowsPath(test::BinaryDir() + "/bin/Norvale.exe");
    std::wstring line = L"\"" + program + L"\" " + arguments;
    STARTUPINFOW startup{sizeof startup};
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
      return 1000;
    CloseHandle(process.hThread);
    DWORD code = 1001;
    // The player's window is ours: messages it is sent must be handled while the second instance runs.
    test::PumpUntil([&] { return WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0; }, 20000);
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hProcess);
    return code;
  }

  HWND taskbar_ = nullptr;
  ATOM atom_ = 0;
  std::filesystem::path scratch_;
  TXRegIniFile preferences_{std::make_unique<RegistryKeyValueStore>(), "Software\\Norvale"};
  std::unique_ptr<PlayerWindow> window_;
};

TEST_F(Reskin, ASkinInstalledFromTheCommandLineReskinsTheOpenWindows) {
  TSkin& skin = PlayerSkin();
  ReloadPlayerSkin(preferences_);
  ASSERT_EQ(skin.Path(), "") << "no current skin: the default skin";
  test::TestSkinForm form({300, 300});
  std::unique_ptr<test::SkinPicture> button;
  std::unique_ptr<test::CountingLabel> caption;
  {
    LoadingScope loading(form);
    form.UseImages(skin, "InfoMain", "InfoMain.mask");
    button = std::make_unique<test::SkinPicture>(form, Point{150, 20});
    button->Picture.SetSlice(*FindSkinSlice("CButtons.Play"));
    button->Picture.SetSkin(&skin);
    caption = std::make_unique<test::CountingLabel>(form, Rect::FromSize(80, 6, 60, 14));
    caption->SetCaption("Norvale");
    caption->Color.SetColorIndex(25);
    caption->Color.SetSkin(&skin);
  }
  form.ShowNoActivate();
  ASSERT_TRUE(test::PumpUntil([&] { return form.paints > 0 && button->paints > 0; }, 3000));
  test::PumpFor(200);
  const test::Rgb before = test::TakeScreenshot("reskin-before").At(300 + 40, 300 + 30);

  const std::filesystem::path download = scratch_ / L"Downloads" / L"Sunset.nvs";
  std::filesystem::copy_file(test::TestPackage("inverted-look.nvs"), download);
  form.paints = button->paints = caption->paints = 0;
  EXPECT_EQ(RunPlayer(L"\"" + download.wstring() + L"\""), 0u);

  const std::string installed = Utf8((scratch_ / L"Skins" / L"Sunset.nvs").wstring());
  EXPECT_TRUE(test::PumpUntil([&] { return skin.Path() == installed; }, 5000)) << "the skin is " << skin.Path();
  test::PumpFor(300);
  EXPECT_EQ(window_->reloads, 1);
  EXPECT_EQ(form.paints, 1);
  EXPECT_EQ(button->paints, 1);
  EXPECT_EQ(caption->paints, 1);
  const test::Screenshot after = test::TakeScreenshot("reskin-after");
  const test::Rgb now = after.At(300 + 40, 300 + 30);
  EXPECT_LE(test::ColourDistance(now, {std::uint8_t(255 - before.r), std::uint8_t(255 - before.g),
                                       std::uint8_t(255 - before.b)}),
            2)
      << "see " << after.PngPath();
  EXPECT_EQ(form.Bounds(), Rect::FromSize(300, 300, 190, 44)) << "the same shape in the new colours";
}

}  // namespace
}  // namespace nv
