#include <gtest/gtest.h>

#include "support/win/Win32Error.h"
#include "support/win/WideText.h"

namespace nv {
namespace {

TEST(Win32Error, CarriesTheCodeAndTheSystemsText) {
  SetLastError(ERROR_FILE_NOT_FOUND);
  try {
    RaiseLastWin32Error();
    FAIL() << "nothing raised";
  } catch (const EWin32Error& e) {
    EXPECT_EQ(e.Code(), static_cast<std::uint32_t>(ERROR_FILE_NOT_FOUND));
    const std::string message = e.what();
    EXPECT_EQ(message.rfind("Win32 Error.  Code: 2.\n", 0), 0u) << message;
    EXPECT_GT(message.size(), std::string("Win32 Error.  Code: 2.\n").size()) << "the system's text follows";
    EXPECT_NE(message.back(), '\n');
  }
}

TEST(Win32Error, NoCodeGivesTheGenericText) {
  SetLastError(0);
  EXPECT_THROW(Win32Check(false), EWin32Error);
  try {
    Win32Check(false);
  } catch (const EWin32Error& e) {
    EXPECT_STREQ(e.what(), "A Win32 API function failed");
  }
  EXPECT_NO_THROW(Win32Check(true));
}

TEST(WideText, MarkedTextReachesWideCallsIntact) {
  const std::wstring wide = L"\u041F\u0440\u0438\u0432\u0435\u0442 \U0001D11E";
  const std::string held = WideToMarked(wide);
  EXPECT_TRUE(IsMarked(held));
  EXPECT_EQ(MarkedToWide(held), wide);
}

}  // namespace
}  // namespace nv
