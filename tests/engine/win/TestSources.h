#pragma once
// Source filters of the graph tests, registered with COM for this process only, so that graph building creates
// them by CLSID as it creates any rule's filter:
//   - a Windows Media redirector stand-in: it reads a text file of entries (one path or URL a line) and offers them
//     as DirectShow's playlist (IAMPlayList), with no pins, as Windows' own redirector source does; Wine has none;
//   - a source of several streams: sine tones, an audio stream no decoder understands, a stream of a kind nothing
//     renders; it may refuse to seek, and may offer a source's own seeking (IAMExtendedSeeking), which Wine's
//     sources never do.
#include <windows.h>
#include <wrl/client.h>

#include <atomic>
#include <functional>
#include <string>
#include <vector>

#include "support/win/DirectShowQNetwork.h"

namespace nv::test {

// {5E1C4C1A-7D0B-4C47-9A52-0B3F1D6C2E01}
inline constexpr CLSID CLSID_TestRedirector = {0x5e1c4c1a, 0x7d0b, 0x4c47, {0x9a, 0x52, 0x0b, 0x3f, 0x1d, 0x6c, 0x2e, 0x01}};
// Two tones (440 Hz and 660 Hz, one second each) and a stream nothing renders.
// {5E1C4C1A-7D0B-4C47-9A52-0B3F1D6C2E02}
inline constexpr CLSID CLSID_TestTwoTones = {0x5e1c4c1a, 0x7d0b, 0x4c47, {0x9a, 0x52, 0x0b, 0x3f, 0x1d, 0x6c, 0x2e, 0x02}};
// One audio stream in a format no decoder knows.
// {5E1C4C1A-7D0B-4C47-9A52-0B3F1D6C2E03}
inline constexpr CLSID CLSID_TestUndecodable = {0x5e1c4c1a, 0x7d0b, 0x4c47, {0x9a, 0x52, 0x0b, 0x3f, 0x1d, 0x6c, 0x2e, 0x03}};
// Only a stream nothing renders.
// {5E1C4C1A-7D0B-4C47-9A52-0B3F1D6C2E04}
inline constexpr CLSID CLSID_TestUnrenderable = {0x5e1c4c1a, 0x7d0b, 0x4c47, {0x9a, 0x52, 0x0b, 0x3f, 0x1d, 0x6c, 0x2e, 0x04}};
// A live tone (440 Hz): it cannot seek, and says so.
// {5E1C4C1A-7D0B-4C47-9A52-0B3F1D6C2E05}
inline constexpr CLSID CLSID_TestLiveTone = {0x5e1c4c1a, 0x7d0b, 0x4c47, {0x9a, 0x52, 0x0b, 0x3f, 0x1d, 0x6c, 0x2e, 0x05}};
// The same, but the source seeks on its own terms (IAMExtendedSeeking), as a network source may.
// {5E1C4C1A-7D0B-4C47-9A52-0B3F1D6C2E06}
inline constexpr CLSID CLSID_TestExtendedSeeking = {0x5e1c4c1a, 0x7d0b, 0x4c47, {0x9a, 0x52, 0x0b, 0x3f, 0x1d, 0x6c, 0x2e, 0x06}};
// A CLSID that no class answers.
// {5E1C4C1A-7D0B-4C47-9A52-0B3F1D6C2EFF}
inline constexpr CLSID CLSID_TestMissing = {0x5e1c4c1a, 0x7d0b, 0x4c47, {0x9a, 0x52, 0x0b, 0x3f, 0x1d, 0x6c, 0x2e, 0xff}};

// The test sources' classes, registered while the object lives (on the thread that made it).
class RegisteredTestSources {
public:
  RegisteredTestSources();
  ~RegisteredTestSources();
  RegisteredTestSources(const RegisteredTestSources&) = delete;
  RegisteredTestSources& operator=(const RegisteredTestSources&) = delete;

private:
  std::vector<DWORD> cookies_;
};

// Test source filters alive now, of every kind: a graph that lets go of everything brings it back to 0.
int LiveTestSources();

// Writes a redirector file: one entry a line.
void WriteRedirector(const std::wstring& path, const std::vector<std::string>& entries);

}  // namespace nv::test
