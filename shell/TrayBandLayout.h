#pragma once
// Where the taskbar puts the windows docked into it, and how far its own bands (the task band in the rebar, the
// notification area) move and shrink to make room. Pure geometry over the taskbar's client area: the taskbar's
// side asks each docked window for its size through a callback and applies the result.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace nv {

// Messages the taskbar sends to a docked window. The query's wParam and lParam are the taskbar's client width and
// height; the window sizes itself, then answers its margins (AnswerMargins). The notice carries what the taskbar's
// WM_WINDOWPOSCHANGED carried, when the taskbar moved without changing its size.
inline constexpr unsigned WM_TRAYLAYOUTQUERY = 0x0400 + 500;
inline constexpr unsigned WM_TRAYLAYOUTCHANGED = 0x0400 + 501;

// At most this many windows are docked at once; more requests are refused.
inline constexpr std::size_t kMaxDockedWindows = 16;

struct BandBox {
  int x = 0, y = 0, width = 0, height = 0;
  int Right() const { return x + width; }
  int Bottom() const { return y + height; }
  bool operator==(const BandBox&) const = default;
};

// The margins a docked window wants around it, in pixels.
struct DockMargins {
  int left = 0, right = 0, top = 0, bottom = 0;
  bool operator==(const DockMargins&) const = default;
};

// The query's answer: four signed bytes, left, right, top, bottom from the lowest.
DockMargins MarginsFromAnswer(std::uint64_t answer);
std::uint32_t AnswerFromMargins(const DockMargins& margins);

// What a docked window said when asked: its window size after sizing itself, and its margins.
struct DockAnswerSize {
  int width = 0, height = 0;
  DockMargins margins;
};

// The taskbar as the layout sees it: its client size, its orientation, and where the shell last put its bands
// (in client coordinates). A band the taskbar does not have is absent.
struct TaskbarBands {
  int width = 0, height = 0;
  bool vertical = false;
  std::optional<BandBox> startButton;
  std::optional<BandBox> rebar;   // the task band's container
  std::optional<BandBox> notify;  // the notification area
};

// How far a band moves and how much it grows (negative: shrinks), added to what the shell proposes.
struct BandDeltas {
  int dx = 0, dy = 0, dw = 0, dh = 0;
  bool operator==(const BandDeltas&) const = default;
};

struct DockPlacement {
  std::size_t index;  // in the docked list
  BandBox box;
  bool operator==(const DockPlacement&) const = default;
};

struct BandLayout {
  // False when a window did not answer in time: the pass stopped there, the placements before it stand and the
  // bands are left as they are.
  bool complete = true;
  std::vector<DockPlacement> placements;  // in the order they are made
  BandDeltas notify;                      // the notification area and the dynamic-content window
  BandDeltas rebar;                       // the rebar and the composition bridge
};

// Asks docked window `index` for its size; nothing when it did not answer in time.
using AskDockedWindow = std::function<std::optional<DockAnswerSize>(std::size_t index)>;

// Lays out the docked windows, given by their docking modes in docking order. Only the placement kinds 1, 3, 5 and
// 6 are placed; a window answering an empty size is skipped. Every box is clamped into the client area.
BandLayout LayOutTaskbar(const TaskbarBands& taskbar, const std::vector<std::uint32_t>& modes,
                         const AskDockedWindow& ask);

// Which of the taskbar's bands need their positions adjusted for the docked windows: the notification area only
// while a window sits right of it, the rebar while any window is docked.
struct BandsToAdjust {
  bool notify = false;
  bool rebar = false;
  bool operator==(const BandsToAdjust&) const = default;
};
BandsToAdjust BandsToAdjustFor(const std::vector<std::uint32_t>& modes);

}  // namespace nv
