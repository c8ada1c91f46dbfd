#include "shell/TrayBandLayout.h"

#include <algorithm>

#include "shell/DockingMode.h"

namespace nv {

namespace {

// A strip fits under the Start button only with more room than this below it.
constexpr int kMinRoomUnderStartButton = 14;
// The first start window sits this far into the rebar's proposed position.
constexpr int kRebarStartInset = 2;

int SignedByte(std::uint64_t answer, int index) {
  return static_cast<std::int8_t>(static_cast<std::uint8_t>(answer >> (8 * index)));
}

// Position across the taskbar for a box of `size` between `low` and `thickness`, with margins `before` and
// `after` on that axis.
int Across(DockAlignment alignment, int low, int thickness, int size, int before, int after) {
  switch (alignment) {
    case DockAlignment::Start: return low + before;
    case DockAlignment::End: return thickness - size - after;
    case DockAlignment::Centre: break;
  }
  return low + before + (thickness - low - before - after - size) / 2;
}

class Layout {
public:
  Layout(const TaskbarBands& taskbar, const std::vector<std::uint32_t>& modes, const AskDockedWindow& ask)
      : bar_(taskbar), modes_(modes), ask_(ask), thickness_(taskbar.vertical ? taskbar.width : taskbar.height) {}

  BandLayout Run() {
    PlaceUnderStartButton();
    if (!result_.complete) return Finish();
    PlaceAtStart();
    if (!result_.complete) return Finish();
    PlaceRightOfNotificationArea();
    if (!result_.complete) return Finish();
    PlaceAtEnd();
    return Finish();
  }

private:
  unsigned Kind(std::size_t i) const { return DockingKind(modes_[i]); }
  DockAlignment Alignment(std::size_t i) const { return DockingAlignment(modes_[i]); }

  // Asks window `i`; an empty answer means skip, a missing one stops the pass.
  std::optional<DockAnswerSize> Ask(std::size_t i) {
    std::optional<DockAnswerSize> answer = ask_(i);
    if (!answer) {
      result_.complete = false;
      return std::nullopt;
    }
    if (answer->width <= 0 || answer->height <= 0) return std::nullopt;
    return answer;
  }

  void Place(std::size_t i, int x, int y, int width, int height) {
    x = std::max(0, std::min(x, bar_.width - width));
    y = std::max(0, std::min(y, bar_.height - height));
    result_.placements.push_back({i, {x, y, width, height}});
  }

  // The rebar's proposed box along the taskbar. A taskbar without one (newer layouts) gives the room between the
  // Start button and the notification area, so a strip never covers the Start button.
  BandBox Rebar() const {
    if (bar_.rebar) return *bar_.rebar;
    BandBox box{0, 0, bar_.width, bar_.height};
    if (bar_.vertical) {
      box.y = bar_.startButton ? bar_.startButton->Bottom() + kRebarStartInset : 0;
      box.height = std::max(0, (bar_.notify ? bar_.notify->y : bar_.height) - box.y);
    } else {
      box.x = bar_.startButton ? bar_.startButton->Right() + kRebarStartInset : 0;
      box.width = std::max(0, (bar_.notify ? bar_.notify->x : bar_.width) - box.x);
    }
    return box;
  }
  int Along(const BandBox& box) const { return bar_.vertical ? box.y : box.x; }
  int Length(const BandBox& box) const { return bar_.vertical ? box.height : box.width; }
  int SizeWithMargins(const DockAnswerSize& a) const {
    return bar_.vertical ? a.height + a.margins.top + a.margins.bottom : a.width + a.margins.left + a.margins.right;
  }

  // Places `a` with its start edge at `along` (margins not included) and aligned across the taskbar.
  void PlaceAlong(std::size_t i, const DockAnswerSize& a, int along) {
    if (bar_.vertical) {
      const int x = std::max(0, Across(Alignment(i), 0, thickness_, a.width, a.margins.left, a.margins.right));
      Place(i, x, along, a.width, a.height);
    } else {
      Place(i, along, Across(Alignment(i), 0, thickness_, a.height, a.margins.top, a.margins.bottom), a.width,
            a.height);
    }
  }

  // A horizontal taskbar with room under the Start button (two rows or more) puts kind 6 there, side by side.
  void PlaceUnderStartButton() {
    if (bar_.vertical || !bar_.startButton) return;
    const int buttonBottom = bar_.startButton->Bottom();
    if (thickness_ - buttonBottom <= kMinRoomUnderStartButton) return;
    underStartButton_ = true;
    for (std::size_t i = 0; i < modes_.size() && result_.complete; ++i) {
      if (Kind(i) != kDockUnderStartButton) continue;
      const std::optional<DockAnswerSize> a = Ask(i);
      if (!a) continue;
      const DockMargins& m = a->margins;
      Place(i, underWidth_ + m.left, Across(Alignment(i), buttonBottom, thickness_, a->height, m.top, m.bottom),
            a->width, a->height);
      underWidth_ += a->width + m.left + m.right;
    }
  }

  bool IsStartKind(unsigned kind) const {
    return kind == kDockStartOfTaskBand || (kind == kDockUnderStartButton && !underStartButton_);
  }

  void PlaceAtStart() {
    int p = Along(Rebar()) - kRebarStartInset;
    if (underStartButton_) {
      // Strips under the button wider than the room before the task band push the band on.
      startShift_ = std::max(0, underWidth_ - p);
      p += startShift_;
    }
    for (std::size_t i = 0; i < modes_.size() && result_.complete; ++i) {
      if (!IsStartKind(Kind(i))) continue;
      const std::optional<DockAnswerSize> a = Ask(i);
      if (!a) continue;
      PlaceAlong(i, *a, p + (bar_.vertical ? a->margins.top : a->margins.left));
      startShift_ += SizeWithMargins(*a);
      p += SizeWithMargins(*a);
    }
  }

  // Horizontal only: kind 5 sits at the notification area's right end, which moves left to make room. On a
  // vertical taskbar kind 5 is placed like kind 3.
  void PlaceRightOfNotificationArea() {
    if (bar_.vertical) return;
    int q = bar_.notify ? bar_.notify->Right() : bar_.width;
    for (std::size_t n = modes_.size(); n-- > 0 && result_.complete;) {
      if (Kind(n) != kDockRightOfNotificationArea) continue;
      const std::optional<DockAnswerSize> a = Ask(n);
      if (!a) continue;
      Place(n, q - a->margins.right - a->width,
            Across(Alignment(n), 0, thickness_, a->height, a->margins.top, a->margins.bottom), a->width, a->height);
      notifyShift_ += SizeWithMargins(*a);
      q -= SizeWithMargins(*a);
    }
  }

  bool IsEndKind(unsigned kind) const {
    return kind == kDockEndOfTaskBand || (bar_.vertical && kind == kDockRightOfNotificationArea);
  }

  void PlaceAtEnd() {
    const BandBox rebar = Rebar();
    int r = Along(rebar) + Length(rebar) - notifyShift_;
    for (std::size_t n = modes_.size(); n-- > 0 && result_.complete;) {
      if (!IsEndKind(Kind(n))) continue;
      const std::optional<DockAnswerSize> a = Ask(n);
      if (!a) continue;
      const int size = bar_.vertical ? a->height : a->width;
      PlaceAlong(n, *a, r - (bar_.vertical ? a->margins.bottom : a->margins.right) - size);
      endSpace_ += SizeWithMargins(*a);
      r -= SizeWithMargins(*a);
    }
  }

  BandLayout Finish() {
    if (!result_.complete) return std::move(result_);
    const int shrink = -(startShift_ + endSpace_ + notifyShift_);
    if (bar_.vertical) {
      result_.notify = {0, -notifyShift_, 0, 0};
      result_.rebar = {0, startShift_, 0, shrink};
    } else {
      result_.notify = {-notifyShift_, 0, 0, 0};
      result_.rebar = {startShift_, 0, shrink, 0};
    }
    return std::move(result_);
  }

  const TaskbarBands& bar_;
  const std::vector<std::uint32_t>& modes_;
  const AskDockedWindow& ask_;
  const int thickness_;
  bool underStartButton_ = false;
  int underWidth_ = 0;   // U: the strips under the Start button
  int startShift_ = 0;   // S
  int endSpace_ = 0;     // E
  int notifyShift_ = 0;  // N
  BandLayout result_;
};

}  // namespace

DockMargins MarginsFromAnswer(std::uint64_t answer) {
  return {SignedByte(answer, 0), SignedByte(answer, 1), SignedByte(answer, 2), SignedByte(answer, 3)};
}

std::uint32_t AnswerFromMargins(const DockMargins& m) {
  auto byte = [](int value, int index) {
    return static_cast<std::uint32_t>(static_cast<std::uint8_t>(static_cast<std::int8_t>(value))) << (8 * index);
  };
  return byte(m.left, 0) | byte(m.right, 1) | byte(m.top, 2) | byte(m.bottom, 3);
}

BandLayout LayOutTaskbar(const TaskbarBands& taskbar, const std::vector<std::uint32_t>& modes,
                         const AskDockedWindow& ask) {
  return Layout(taskbar, modes, ask).Run();
}

BandsToAdjust BandsToAdjustFor(const std::vector<std::uint32_t>& modes) {
  BandsToAdjust bands;
  for (std::uint32_t mode : modes) {
    const unsigned kind = DockingKind(mode);
    if (kind == 4 || kind == kDockRightOfNotificationArea) bands.notify = true;
    bands.rebar = true;
  }
  return bands;
}

}  // namespace nv
