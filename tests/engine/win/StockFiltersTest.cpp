// The shipped standard rules name stock Windows filters by their real CLSIDs: each one is a filter the SDK names,
// and each that Wine provides can be created.
#include <wrl/client.h>

#include <map>

#include <gtest/gtest.h>

#include "engine/EngineConstants.h"
#include "engine/StandardGraphRules.h"
#include "support/win/DirectShow.h"
#include "support/win/ProductProfileFile.h"
#include "support/win/WinGuid.h"
#include "tests/common/TestPaths.h"
#include "tests/common/win/WineTestEnv.h"

namespace nv {
namespace {

void Collect(const TXGraphFiltersInfo& set, std::vector<Guid>& clsids) {
  for (const TXCLSID& clsid : {set.SourceFilter, set.AudioRender, set.VideoRender})
    if (!clsid.Empty()) clsids.push_back(clsid.Get());
  for (const TXCLSIDList* list : {&set.GeneralFilters, &set.AudioFilters, &set.VideoFilters})
    clsids.insert(clsids.end(), list->begin(), list->end());
}

TEST(ShippedGraphRules, NameStockFiltersThatExist) {
  const IniDocument profile = OpenProductProfile(test::UnixToWindowsPath(test::SourceDir() + "/resources/Norvale.profile"));
  std::vector<Guid> named;
  for (const std::int32_t number : StandardRuleNumbers(profile)) {
    const TXStandardRule standard = ReadStandardRule(profile, number);
    Collect(standard.Rule.Normal, named);
    Collect(standard.Rule.FailSafe, named);
  }
  ASSERT_FALSE(named.empty());

  const std::map<Guid, const char*> stock = {
      {FromWinGuid(CLSID_AsyncReader), "File Source (Async.)"},
      {FromWinGuid(CLSID_URLReader), "File Source (URL)"},
      {FromWinGuid(CLSID_WMAsfReader), "WM ASF Reader"},
      {FromWinGuid(CLSID_DSoundRender), "DirectSound Renderer"},
      {FromWinGuid(CLSID_AudioRender), "Audio Renderer (waveOut)"},
      {FromWinGuid(CLSID_VideoRenderer), "Video Renderer"},
      {FromWinGuid(CLSID_VideoMixingRenderer9), "Video Mixing Renderer 9"},
  };
  ASSERT_HRESULT_SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
  for (const Guid& clsid : named) {
    SCOPED_TRACE(FormatGuid(clsid));
    if (clsid == kWinampSourceClsid) continue;  // the player's own
    const auto found = stock.find(clsid);
    ASSERT_NE(found, stock.end()) << "not a stock filter";
    if (clsid == FromWinGuid(CLSID_URLReader)) continue;  // Wine has no URL source
    Microsoft::WRL::ComPtr<IBaseFilter> filter;
    EXPECT_HRESULT_SUCCEEDED(CoCreateInstance(ToWinGuid(clsid), nullptr, CLSCTX_INPROC_SERVER,
                                              IID_PPV_ARGS(filter.GetAddressOf())))
        << found->second;
  }
  CoUninitialize();
}

}  // namespace
}  // namespace nv
