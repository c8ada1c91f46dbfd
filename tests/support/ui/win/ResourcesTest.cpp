// Resources and the system's optional entry points: every string loads in both binaries, image lists draw the
// image asked for, and entry points that a system lacks are null, never an error.
#include <gtest/gtest.h>

#include <string>

#include "resources/StringIds.h"
#include "support/ui/win/GdiObjects.h"
#include "support/ui/win/ImageList.h"
#include "support/ui/win/Resources.h"
#include "support/ui/win/SystemApi.h"
#include "tests/common/TestPaths.h"
#include "tests/common/win/TrayServer.h"
#include "tests/common/win/WineTestEnv.h"

namespace nv {
namespace {

struct StringCase {
  UINT id;
  const wchar_t* text;
};

const StringCase kStrings[] = {
    {IDS_CAPTION_WARNING, L"Warning"},
    {IDS_CAPTION_ERROR, L"Error"},
    {IDS_CAPTION_INFORMATION, L"Information"},
    {IDS_CAPTION_CONFIRM, L"Confirm"},
    {IDS_BUTTON_YES, L"&Yes"},
    {IDS_BUTTON_NO, L"&No"},
    {IDS_BUTTON_OK, L"OK"},
    {IDS_BUTTON_CANCEL, L"Cancel"},
    {IDS_BUTTON_ABORT, L"&Abort"},
    {IDS_BUTTON_RETRY, L"&Retry"},
    {IDS_BUTTON_IGNORE, L"&Ignore"},
    {IDS_BUTTON_ALL, L"&All"},
    {IDS_BUTTON_NO_TO_ALL, L"N&o to All"},
    {IDS_BUTTON_YES_TO_ALL, L"Yes to &All"},
    {IDS_BUTTON_HELP, L"&Help"},
    {IDS_SHOW_NEXT_TIME, L"Show this dialog next time."},
    {IDS_FILE_NAME_LABEL, L"File name:"},
    {IDS_URL_LABEL, L"URL:"},
    {IDS_UNKNOWN_FAILURE, L"An unexpected failure occurred."},
    {IDS_BALANCE_CENTRE, L"Center"},
    {IDS_BALANCE_LEFT, L"Left "},
    {IDS_BALANCE_RIGHT, L"Right "},
};

TEST(Resources, EveryStringLoadsInThePlayerSideAndInTheComServer) {
  for (const StringCase& c : kStrings) EXPECT_EQ(ResourceString(c.id), c.text) << c.id;
  EXPECT_EQ(ResourceString(9999), L"") << "a missing string is empty, not an error";

  // The server is 64-bit only: a 32-bit test reads the one of the 64-bit build, as data.
  const HMODULE server = LoadLibraryExW(test::BuiltServerPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(server, nullptr) << "Norvale.dll";
  for (const StringCase& c : kStrings) EXPECT_EQ(ResourceString(server, c.id), c.text) << c.id << " in Norvale.dll";
  FreeLibrary(server);
}

TEST(SystemApi, EntryPointsAreTheLibrariesOwnOrNullWhenMissing) {
  ASSERT_NE(UxTheme().OpenThemeData, nullptr);  // binds the library
  EXPECT_EQ(reinterpret_cast<FARPROC>(UxTheme().OpenThemeData),
            GetProcAddress(GetModuleHandleW(L"uxtheme.dll"), "OpenThemeData"));
  EXPECT_NE(UxTheme().BeginBufferedPaint, nullptr);
  EXPECT_NE(User().GetLayeredWindowAttributes, nullptr);
  EXPECT_NE(User().RegisterShellHookWindow, nullptr);
  EXPECT_NE(Dwm().IsCompositionEnabled, nullptr);
  CompositionEnabled();  // answers either way
  ThemesActive();

  const RuntimeLibrary missing(L"norvale-no-such-library.dll");
  EXPECT_FALSE(missing.Loaded());
  EXPECT_EQ(missing.Find<FARPROC>("Anything"), nullptr);
  const RuntimeLibrary user32(L"user32.dll");
  EXPECT_EQ(user32.Find<FARPROC>("NorvaleNoSuchFunction"), nullptr);
}

TEST(ImageList, DrawsTheImageOfTheIndexAsked) {
  // A strip of three 8 x 8 images: red, green, blue.
  const HDC screen = GetDC(nullptr);
  UniqueBitmap strip(CreateCompatibleBitmap(screen, 24, 8));
  UniqueMemoryDC dc(CreateCompatibleDC(screen));
  {
    const SelectedObject selected(dc.Get(), strip.Get());
    const COLORREF colours[] = {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255)};
    for (int i = 0; i < 3; ++i) {
      const UniqueBrush brush(CreateSolidBrush(colours[i]));
      const RECT part{8 * i, 0, 8 * i + 8, 8};
      FillRect(dc.Get(), &part, brush.Get());
    }
  }
  ImageList images(8, 8);
  EXPECT_EQ(images.AddBitmap(strip.Get()), 0);
  EXPECT_EQ(images.Count(), 3);

  UniqueBitmap target(CreateCompatibleBitmap(screen, 8, 8));
  ReleaseDC(nullptr, screen);
  const SelectedObject selected(dc.Get(), target.Get());
  images.Draw(dc.Get(), 1, 0, 0);
  EXPECT_EQ(GetPixel(dc.Get(), 4, 4), RGB(0, 255, 0));
  images.Draw(dc.Get(), 7, 0, 0);  // no such image: nothing drawn
  EXPECT_EQ(GetPixel(dc.Get(), 4, 4), RGB(0, 255, 0));
}

}  // namespace
}  // namespace nv
