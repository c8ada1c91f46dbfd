#pragma once
// CLSIDs the graph rule tests name: stock Windows filters, and small distinct ones that stand for any filter.
#include "support/Guid.h"

namespace nv::test {

inline constexpr Guid kFileSource = "{E436EBB5-524F-11CE-9F53-0020AF0BA770}"_guid;     // File Source (Async.)
inline constexpr Guid kAsfReader = "{187463A0-5BB7-11D3-ACBE-0080C75E246E}"_guid;      // WM ASF Reader
inline constexpr Guid kDSound = "{79376820-07D0-11CF-A24D-0020AFD79767}"_guid;         // DirectSound Renderer
inline constexpr Guid kWaveOut = "{E30629D1-27E5-11CE-875D-00608CB78066}"_guid;        // Audio Renderer (waveOut)
inline constexpr Guid kVideoRenderer = "{70E102B0-5556-11CE-97C0-00AA0055595A}"_guid;  // Video Renderer
inline constexpr Guid kVmr9 = "{51B4ABF3-748F-4E3B-A276-C828330E926A}"_guid;           // Video Mixing Renderer 9

inline constexpr Guid kA = "{0000000A-0000-0000-0000-000000000000}"_guid;
inline constexpr Guid kB = "{0000000B-0000-0000-0000-000000000000}"_guid;
inline constexpr Guid kC = "{0000000C-0000-0000-0000-000000000000}"_guid;

}  // namespace nv::test
