#pragma once
// Numbers of the filter framework and of the player's own graph events. The event codes go into a graph's event
// queue through IMediaEventSink::Notify (both parameters 0) and come back out of IMediaEvent::GetEvent.
#include <cstdint>

namespace nv {

// EC_USER: the first event code that DirectShow leaves to applications.
inline constexpr long kEcUserBase = 0x8000;

inline constexpr long kEcGraphBuilt = kEcUserBase + 1;         // the graph finished building
inline constexpr long kEcEndOfData = kEcUserBase + 2;          // end of stream passed the PCM information filter
inline constexpr long kEcCompleteAdvance = kEcUserBase + 3;    // the last sample is the complete advance away
inline constexpr long kEcItemInfoChanged = kEcUserBase + 4;    // the item's information may have changed

// DirectShow times are 100-ns units.
inline constexpr std::int64_t kUnitsPerSecond = 10'000'000;
inline constexpr std::int64_t kUnitsPerMs = 10'000;

// A complete-advance notice due within this time is sent at once instead of arming a timer.
inline constexpr std::int64_t kAdvanceAtOnceUnits = 5 * kUnitsPerMs;
// Resolution asked of the one-shot multimedia timer of the complete-advance notice.
inline constexpr unsigned kAdvanceTimerResolutionMs = 5;

}  // namespace nv
