// Where docked windows go in the taskbar and how its bands make room, for every placement kind and orientation.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "shell/DockingMode.h"
#include "shell/TrayBandLayout.h"

namespace nv {

void PrintTo(const BandBox& b, std::ostream* os) {
  *os << "{" << b.x << "," << b.y << " " << b.width << "x" << b.height << "}";
}
void PrintTo(const BandDeltas& d, std::ostream* os) {
  *os << "{dx " << d.dx << " dy " << d.dy << " dw " << d.dw << " dh " << d.dh << "}";
}

void PrintTo(const DockPlacement& p, std::ostream* os) {
  *os << "#" << p.index << " ";
  PrintTo(p.box, os);
}

namespace {

using ::testing::ElementsAreArray;

// A one-row horizontal taskbar: Start 0-48, the rebar 50-1130, the notification area 1140-1280.
TaskbarBands Horizontal(int height = 40, int startHeight = 40) {
  TaskbarBands bar;
  bar.width = 1280;
  bar.height = height;
  bar.startButton = BandBox{0, 0, 48, startHeight};
  bar.rebar = BandBox{50, 0, 1080, height};
  bar.notify = BandBox{1140, 0, 140, height};
  return bar;
}

// A vertical taskbar 60 wide: Start at the top, the rebar 32-632, the notification area 640-800.
TaskbarBands Vertical() {
  TaskbarBands bar;
  bar.width = 60;
  bar.height = 800;
  bar.vertical = true;
  bar.startButton = BandBox{0, 0, 60, 30};
  bar.rebar = BandBox{0, 32, 60, 600};
  bar.notify = BandBox{0, 640, 60, 160};
  return bar;
}

// A taskbar without a rebar and a notification area, as newer layouts have.
TaskbarBands WithoutBands() {
  TaskbarBands bar = Horizontal();
  bar.rebar.reset();
  bar.notify.reset();
  return bar;
}

struct Docked {
  std::uint32_t mode;
  std::optional<DockAnswerSize> answer;  // nothing: does not answer in time
};

struct Case {
  std::string name;
  TaskbarBands bar;
  std::vector<Docked> docked;
  std::vector<DockPlacement> placements;
  BandDeltas notify;
  BandDeltas rebar;
  bool complete = true;
};

const DockAnswerSize kStrip{100, 30, {2, 3, 0, 0}};  // 105 wide with its margins


struct LayoutRun {
  BandLayout layout;
  std::vector<std::size_t> asked;
};

LayoutRun LayOut(const Case& c) {
  std::vector<std::uint32_t> modes;
  for (const Docked& d : c.docked) modes.push_back(d.mode);
  LayoutRun run;
  run.layout = LayOutTaskbar(c.bar, modes, [&](std::size_t index) {
    run.asked.push_back(index);
    return c.docked[index].answer;
  });
  return run;
}

TEST(TrayBandLayout, EveryKindFindsItsPlaceAndTheBandsMakeRoom) {
  const auto five = MakeDockingMode(kDockRightOfNotificationArea);
  const auto three = MakeDockingMode(kDockEndOfTaskBand);
  const auto one = MakeDockingMode(kDockStartOfTaskBand);
  const auto six = MakeDockingMode(kDockUnderStartButton);
  const Case cases[] = {
      {"kind 5: the notification area moves left by the strip and its margins, the task band shrinks as much",
       Horizontal(), {{five, kStrip}}, {{0, {1177, 5, 100, 30}}}, {-105, 0, 0, 0}, {0, 0, -105, 0}},
      {"kind 3: at the end of the task band, which shrinks", Horizontal(), {{three, kStrip}},
       {{0, {1027, 5, 100, 30}}}, {}, {0, 0, -105, 0}},
      {"kind 1: after the Start button; the task band moves right and shrinks", Horizontal(), {{one, kStrip}},
       {{0, {50, 5, 100, 30}}}, {}, {105, 0, -105, 0}},
      {"kind 6 on a one-row taskbar is placed as kind 1", Horizontal(), {{six, kStrip}}, {{0, {50, 5, 100, 30}}}, {},
       {105, 0, -105, 0}},
      {"kind 6 on a 60-px taskbar sits under Start; the band moves by what is wider than the room before it",
       Horizontal(60, 30), {{six, DockAnswerSize{100, 20, {2, 3, 0, 0}}}}, {{0, {2, 35, 100, 20}}}, {},
       {57, 0, -57, 0}},
      {"kind 6 under Start narrower than the room moves nothing", Horizontal(60, 30),
       {{six, DockAnswerSize{30, 20, {0, 0, 2, 0}}}}, {{0, {0, 36, 30, 20}}}, {}, {}},
      {"two rows with 14 px under Start is not room enough", Horizontal(44, 30), {{six, kStrip}},
       {{0, {50, 7, 100, 30}}}, {}, {105, 0, -105, 0}},
      {"kind 1 follows the strips under Start into the moved band", Horizontal(60, 30),
       {{six, DockAnswerSize{100, 20, {0, 0, 0, 0}}}, {one, kStrip}},
       {{0, {0, 35, 100, 20}}, {1, {102, 15, 100, 30}}}, {}, {52 + 105, 0, -(52 + 105), 0}},
      {"several kind 5: the last docked is rightmost", Horizontal(),
       {{five, kStrip}, {five, DockAnswerSize{50, 30, {}}}}, {{1, {1230, 5, 50, 30}}, {0, {1127, 5, 100, 30}}},
       {-155, 0, 0, 0}, {0, 0, -155, 0}},
      {"kind 3 sits left of the room made for kind 5", Horizontal(), {{five, kStrip}, {three, kStrip}},
       {{0, {1177, 5, 100, 30}}, {1, {922, 5, 100, 30}}}, {-105, 0, 0, 0}, {0, 0, -210, 0}},
      {"alignment to the top and to the bottom", Horizontal(),
       {{MakeDockingMode(kDockEndOfTaskBand, DockAlignment::Start), DockAnswerSize{40, 20, {0, 0, 3, 0}}},
        {MakeDockingMode(kDockStartOfTaskBand, DockAlignment::End), DockAnswerSize{40, 20, {0, 0, 0, 4}}}},
       {{1, {48, 16, 40, 20}}, {0, {1090, 3, 40, 20}}}, {}, {40, 0, -80, 0}},
      {"a vertical taskbar: kind 5 sits above the notification area like kind 3", Vertical(),
       {{five, DockAnswerSize{50, 40, {1, 3, 2, 4}}}}, {{0, {4, 588, 50, 40}}}, {}, {0, 0, 0, -46}},
      {"a vertical taskbar: kind 1 under the Start button, aligned left and right", Vertical(),
       {{MakeDockingMode(kDockStartOfTaskBand, DockAlignment::Start), DockAnswerSize{50, 40, {1, 3, 2, 4}}},
        {MakeDockingMode(kDockStartOfTaskBand, DockAlignment::End), DockAnswerSize{50, 40, {0, 5, 0, 0}}}},
       {{0, {1, 32, 50, 40}}, {1, {5, 76, 50, 40}}}, {}, {0, 86, 0, -86}},
      {"kinds that are not placed are never asked", Horizontal(), {{0, kStrip}, {7, kStrip}, {15, kStrip}}, {}, {},
       {}},
      {"a window answering an empty size is skipped", Horizontal(), {{three, DockAnswerSize{0, 30, {}}}}, {}, {},
       {}},
      {"without a rebar the start strip follows the Start button", WithoutBands(), {{one, kStrip}},
       {{0, {50, 5, 100, 30}}}, {}, {105, 0, -105, 0}},
      {"without a notification area kind 5 takes the taskbar's right end", WithoutBands(), {{five, kStrip}},
       {{0, {1177, 5, 100, 30}}}, {-105, 0, 0, 0}, {0, 0, -105, 0}},
      {"a strip wider than the taskbar is clamped into it", Horizontal(), {{five, DockAnswerSize{1400, 50, {}}}},
       {{0, {0, 0, 1400, 50}}}, {-1400, 0, 0, 0}, {0, 0, -1400, 0}},
      {"a strip pushed past the end is clamped back", Horizontal(), {{one, DockAnswerSize{100, 30, {100, 0, 0, 0}}},
       {one, DockAnswerSize{1200, 30, {}}}}, {{0, {148, 5, 100, 30}}, {1, {80, 5, 1200, 30}}}, {}, {1400, 0, -1400, 0}},
      {"a window that does not answer stops the pass; the bands stay", Horizontal(),
       {{one, kStrip}, {three, std::nullopt}, {five, kStrip}}, {{0, {50, 5, 100, 30}}, {2, {1177, 5, 100, 30}}}, {},
       {}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const LayoutRun run = LayOut(c);
    EXPECT_EQ(run.layout.complete, c.complete);
    EXPECT_THAT(run.layout.placements, ElementsAreArray(c.placements));
    EXPECT_EQ(run.layout.notify, c.notify);
    EXPECT_EQ(run.layout.rebar, c.rebar);
  }
}

TEST(TrayBandLayout, EachWindowIsAskedOnceInItsPlacesOrder) {
  // Start strips in docking order, then the strips right of the notification area and at the end, last first.
  const Case c{"", Horizontal(60, 30),
               {{MakeDockingMode(kDockRightOfNotificationArea), kStrip},
                {MakeDockingMode(kDockUnderStartButton), kStrip},
                {MakeDockingMode(kDockEndOfTaskBand), kStrip},
                {MakeDockingMode(kDockStartOfTaskBand), kStrip},
                {MakeDockingMode(kDockRightOfNotificationArea), kStrip},
                {MakeDockingMode(kDockEndOfTaskBand), kStrip}},
               {},
               {},
               {}};
  EXPECT_THAT(LayOut(c).asked, ElementsAreArray<std::size_t>({1, 3, 4, 0, 5, 2}));
}

TEST(TrayBandLayout, TheAnswerCarriesFourSignedMargins) {
  struct Row {
    std::uint64_t answer;
    DockMargins margins;
  };
  const Row rows[] = {
      {0x00000000, {0, 0, 0, 0}},
      {0x04030201, {1, 2, 3, 4}},
      {0xFFFEFD80, {-128, -3, -2, -1}},
      {0xFFFFFFFF'7F000000ull, {0, 0, 0, 127}},  // what lies above the low four bytes is not read
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.answer);
    EXPECT_EQ(MarginsFromAnswer(row.answer), row.margins);
    EXPECT_EQ(AnswerFromMargins(row.margins), static_cast<std::uint32_t>(row.answer));
  }
}

TEST(TrayBandLayout, TheNotificationAreaIsAdjustedOnlyForWindowsRightOfIt) {
  struct Row {
    std::vector<std::uint32_t> modes;
    BandsToAdjust bands;
  };
  const Row rows[] = {
      {{}, {false, false}},
      {{MakeDockingMode(kDockUnderStartButton)}, {false, true}},
      {{MakeDockingMode(kDockEndOfTaskBand), 0}, {false, true}},
      {{MakeDockingMode(kDockEndOfTaskBand), MakeDockingMode(kDockRightOfNotificationArea, DockAlignment::End)},
       {true, true}},
  };
  for (const Row& row : rows) EXPECT_EQ(BandsToAdjustFor(row.modes), row.bands);
}

}  // namespace
}  // namespace nv
