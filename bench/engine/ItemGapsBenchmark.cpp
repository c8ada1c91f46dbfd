// item-gaps: in unbroken play, how long the silence (or, below zero, the overlap) between consecutive items is, as
// heard on the null sink, for WAV, Ogg Vorbis and MP3 items. Items alternate between two pitches, so each item's
// start and end are found by its own pitch whatever the other one does.
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "tests/common/win/WineTestEnv.h"
#include "tests/engine/win/PlayerRun.h"

namespace {

using nv::test::Span;

// As many as make_items.py makes, alternating 440 and 880 Hz.
constexpr int kItems = 6;
constexpr int kRuns = 3;

// From the end of each item heard to the start of the next, in ms.
std::vector<double> Gaps(const nv::test::Recording& recording) {
  struct Heard {
    Span span;
    bool low;
  };
  std::vector<Heard> heard;
  for (const Span& run : nv::test::ToneRuns(recording, 440)) heard.push_back({run, true});
  for (const Span& run : nv::test::ToneRuns(recording, 880)) heard.push_back({run, false});
  std::sort(heard.begin(), heard.end(), [](const Heard& a, const Heard& b) { return a.span.startMs < b.span.startMs; });
  std::vector<double> gaps;
  for (std::size_t i = 1; i < heard.size(); ++i)
    if (heard[i].low != heard[i - 1].low) gaps.push_back(heard[i].span.startMs - heard[i - 1].span.endMs);
  return gaps;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values.empty() ? 0 : values[values.size() / 2];
}

}  // namespace

int main() {
  std::string summary = "item-gaps: unbroken play, silence between items (negative: overlap), median over " +
                        std::to_string(kRuns * (kItems - 1)) + " changes:";
  for (const char* format : {"wav", "ogg", "mp3"}) {
    std::vector<std::string> files;
    for (int item = 0; item < kItems; ++item)
      files.push_back(nv::test::UnixToWindowsPathA(std::string(NV_GAP_ITEMS) + "/item-" + std::to_string(item) + "." +
                                                   format));
    std::vector<double> gaps;
    for (int run = 0; run < kRuns; ++run) {
      const nv::test::PlayerRun played = nv::test::RunPlayerOn({"--unbroken"}, files, std::string("gaps-") + format);
      const std::vector<double> heard = Gaps(played.recording);
      if (heard.size() != kItems - 1) std::printf("%s: run %d: %zu changes heard\n", format, run, heard.size());
      gaps.insert(gaps.end(), heard.begin(), heard.end());
    }
    const auto [least, most] = std::minmax_element(gaps.begin(), gaps.end());
    std::printf("%s: median %.0f ms, from %.0f to %.0f ms\n", format, Median(gaps), gaps.empty() ? 0 : *least,
                gaps.empty() ? 0 : *most);
    char part[64];
    std::snprintf(part, sizeof part, " %s %.0f ms", format, Median(gaps));
    summary += part;
  }
  std::printf("%s\n", summary.c_str());
  return 0;
}
