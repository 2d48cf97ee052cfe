// The sensor test frames and sensor adjust replies, fed byte by byte to the two stages with
// plain labels standing in for the panels' run-time grids.
#include "replies/sensor_replies.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "config/receive_modes.h"
#include "form/form.h"
#include "form/virtual_host.h"
#include "panels/sensor_adjust_panel.h"
#include "panels/sensor_test_panel.h"

namespace {

using namespace form::colours;
using Changes = std::vector<std::pair<int, uint8_t>>;

constexpr int kMany = 70000;  // more bytes than a 16-bit counter holds

// The screen with both sensor panels, before the stages resolve their labels.
bool Show(form::Form& f) {
  f.setVisible(true);
  panels::AddSensorTestPanel(f);
  panels::AddSensorAdjustPanel(f);
  return true;
}

class Bench : public ::testing::Test {
 public:
  // Cells 1..cells of a slot array as plain labels on green.
  template <size_t Size>
  void Fill(std::array<form::Control*, Size>& slots, const char* frame, int cells) {
    for (int i = 1; i <= cells; ++i) {
      auto*& c = slots[static_cast<size_t>(i)];
      c = f.add(form::Kind::Label, frame + std::string("Cell") + std::to_string(i), &f.at(frame));
      c->setBackColor(Green);
    }
  }
  void Grid(int cells) { Fill(s.labels.SensorTestValues, "Frame7", cells); }
  void Table(int cells) { Fill(s.labels.SensorAdjustValues, "Frame9", cells); }
  form::Control& T(int i) { return *s.labels.SensorTestValues[static_cast<size_t>(i)]; }
  form::Control& A(int i) { return *s.labels.SensorAdjustValues[static_cast<size_t>(i)]; }
  // The captions of the cells, joined with "/".
  template <class Cell>
  std::string Texts(Cell cell, std::initializer_list<int> indices) {
    std::string all;
    for (int i : indices) all += (all.empty() ? "" : "/") + (this->*cell)(i).text();
    return all;
  }
  std::string Reading(int index) { return f.at("Label8", index).text(); }
  void Setup(int mode, int channels) {
    s.profile.ReceiveDataMode = static_cast<int16_t>(mode);
    s.profile.LedNumber = static_cast<int16_t>(channels);
  }
  // Feeds positions first..last, the byte at p being p (wrapped) unless changed.
  void Feed(void (replies::SensorReplies::*stage)(uint8_t), int last, const Changes& changes,
            int first) {
    for (int p = first; p <= last; ++p) {
      auto b = static_cast<uint8_t>(p);
      for (const auto& [at, value] : changes) b = at == p ? value : b;
      (r.*stage)(b);
    }
  }
  void Test(int last, const Changes& changes = {}, int first = 1) {
    Feed(&replies::SensorReplies::SensorTest, last, changes, first);
  }
  void Adjust(int last, const Changes& changes = {}, int first = 1) {
    Feed(&replies::SensorReplies::SensorAdjust, last, changes, first);
  }

  form::VirtualHost vh;
  form::Form f{"MainScreen", vh.host()};
  bool shown = Show(f);
  replies::MainState s;
  replies::SensorReplies r{f, s.tests, s.profile, s.labels};
};

using SensorTestReplies = Bench;
using SensorAdjustReplies = Bench;

TEST_F(SensorTestReplies, Mode0PlacesRowsAndReadingsAndJudgesChannels) {
  Setup(0, 8);
  Grid(16);
  s.labels.SensorTestValues[5] = nullptr;  // a missing cell is passed over
  s.profile.SensorValueMaximum.fill(255);
  s.profile.SensorValueMaximum[1] = 80;
  Test(29, {{3, 200}, {21, 90}});
  EXPECT_EQ(Texts(&Bench::T, {1, 2, 4, 16}), "200/90/22/28");
  EXPECT_EQ(T(2).backColor(), Red);
  EXPECT_EQ(T(16).backColor(), MenuText);
  EXPECT_EQ(T(1).backColor(), Green);  // row 1 is never judged
  EXPECT_EQ(Reading(2) + "/" + Reading(4) + "/" + Reading(6) + "/" + Reading(8), "17/18/20/29");
  EXPECT_EQ(s.tests.IoByteIndex, 0);

  s.tests.SensorValueRequested = true;  // judged against the minimum from the next byte on
  s.profile.SensorValueMinimum[1] = 90;
  Test(29);
  EXPECT_EQ(T(2).backColor(), Red);
  Test(29, {{21, 90}});
  EXPECT_EQ(T(2).backColor(), MenuText);
}

// A byte recolours the cells it writes at once; a limit changed since recolours every cell.
TEST_F(SensorTestReplies, ALimitChangedMeanwhileRecoloursCellsTheNextByteDoesNotWrite) {
  Setup(0, 8);
  Grid(16);
  s.profile.SensorValueMaximum.fill(255);
  Test(29);
  EXPECT_EQ(T(16).backColor(), MenuText);  // 28
  s.tests.IoByteIndex = 27;
  Test(28, {{28, 100}}, 28);
  EXPECT_EQ(T(16).backColor(), MenuText);
  s.profile.SensorValueMaximum[8] = 99;
  Test(29, {}, 29);  // the frame's last byte writes no grid cell
  EXPECT_EQ(T(16).backColor(), Red);
  EXPECT_EQ(T(2).backColor(), MenuText);
  s.profile.LedNumber = 7;  // channel 8 is no longer judged, and keeps its colour
  s.profile.SensorValueMaximum[8] = 255;
  Test(1);
  EXPECT_EQ(T(16).backColor(), Red);
}

TEST_F(SensorAdjustReplies, ARangeChangedMeanwhileRecoloursRowsTheNextByteDoesNotWrite) {
  Setup(0, 8);
  Table(40);
  s.profile.AdjustRangeMaximum.fill(255);
  Adjust(56, {{16, 50}, {56, 50}});  // channel 8: adjust value and stored value 50
  EXPECT_EQ(A(38).backColor(), MenuText);
  EXPECT_EQ(A(40).backColor(), MenuText);
  s.profile.AdjustRangeMaximum[8] = 49;
  Adjust(1);
  EXPECT_EQ(A(38).backColor(), Red);
  EXPECT_EQ(A(40).backColor(), MenuText);  // the stored value still matches
  s.tests.ShortReplyCount = 15;
  Adjust(16, {{16, 51}}, 16);  // a new adjust value makes the row's stored value differ
  EXPECT_EQ(A(40).backColor(), Red);
}

TEST_F(SensorTestReplies, Mode3FrameFollowsChannelCount) {
  Grid(12);
  Setup(3, 5);
  Test(13);
  EXPECT_EQ(s.tests.ChannelIndex, 0);  // the AD sensor mode byte restarts the count
  Test(20, {}, 14);
  EXPECT_EQ(Texts(&Bench::T, {9, 2, 10}), "7/14/18");
  EXPECT_EQ(Reading(6) + "/" + Reading(8), "13/20");
  EXPECT_EQ(s.tests.IoByteIndex, 0);
  EXPECT_EQ(s.tests.ChannelIndex, 5);

  Setup(3, 6);
  Test(20, {{20, 99}});
  EXPECT_EQ(Texts(&Bench::T, {11, 2, 12}), "8/14/19");
  EXPECT_EQ(Reading(6) + "/" + Reading(8), "13/99");
  EXPECT_EQ(s.tests.IoByteIndex, 0);
}

TEST_F(SensorTestReplies, ColumnsBeyondTheGridAreNotWritten) {
  Grid(170);
  Setup(5, 90);  // 90 channels, 85 columns
  Test(2 * 90 + 13);
  EXPECT_EQ(Texts(&Bench::T, {169, 170}), "98/188");
  EXPECT_EQ(s.tests.IoByteIndex, 0);
  EXPECT_EQ(s.tests.ChannelIndex, 90);

  Setup(7, 83);  // 86 columns; the last channel has none
  s.profile.SensorValueMaximum.fill(100);
  T(170).setText("101");
  Test(38);
  EXPECT_EQ(T(2).text(), "25");
  EXPECT_EQ(T(170).backColor(), Red);
  EXPECT_EQ(s.tests.IoByteIndex, 0);
}

// Mode 6: the two leading columns are normal up to 80 and at 255, the channels up to their
// maximum, and once the LEDs are lit from their minimum on.
TEST_F(SensorTestReplies, LimitsIncludeTheirBounds) {
  Setup(6, 12);
  Grid(28);
  s.profile.SensorValueMaximum.fill(100);
  s.profile.SensorValueMinimum.fill(50);
  Test(40, {{23, 80}, {24, 81}, {25, 100}, {26, 101}});
  EXPECT_EQ(T(2).backColor(), MenuText);
  EXPECT_EQ(T(4).backColor(), Red);
  EXPECT_EQ(T(6).backColor(), MenuText);
  EXPECT_EQ(T(8).backColor(), Red);
  Test(40, {{23, 255}, {24, 254}});
  EXPECT_EQ(T(2).backColor(), MenuText);
  EXPECT_EQ(T(4).backColor(), Red);

  s.tests.SensorValueRequested = true;
  Test(40, {{25, 50}, {26, 49}});
  EXPECT_EQ(T(6).backColor(), MenuText);
  EXPECT_EQ(T(8).backColor(), Red);
}

// Frames that never end or grids without columns, and unknown modes, on both stages.
TEST_F(SensorTestReplies, DegenerateChannelCountsSaturateInsideTheGrids) {
  Grid(170);
  Table(425);
  for (int mode = -1; mode <= 11; ++mode) {
    for (int channels : {0, -1}) {
      SCOPED_TRACE(std::to_string(mode) + "/" + std::to_string(channels));
      s.tests.IoByteIndex = s.tests.ShortReplyCount = 0;
      for (int i = 1; i <= 170; ++i) T(i).setText("");
      Setup(mode, channels);
      Test(kMany);
      Adjust(kMany);
      const int columns = std::max(config::ReceiveModeOf(mode).gridColumns(channels), 0);
      for (int i = 2 * columns + 1; i <= 170; ++i) ASSERT_EQ(T(i).text(), "") << i;
      for (int i = 1; i <= 425; ++i) ASSERT_EQ(A(i).text(), "") << i;
      EXPECT_EQ(s.tests.IoByteIndex == 32767, mode < 0 || mode > 10);
      EXPECT_EQ(s.tests.ShortReplyCount == 32767, mode < 0 || mode >= 5);
    }
  }
}

TEST_F(SensorAdjustReplies, EepromModesFillColumnsOneThreeAndFive) {
  Setup(1, 5);
  Table(25);
  s.labels.SensorAdjustValues[8] = nullptr;  // a missing cell is passed over
  Adjust(10, {{1, 10}, {2, 20}, {5, 50}, {6, 11}, {10, 51}});
  EXPECT_EQ(Texts(&Bench::A, {1, 6, 21, 3, 13, 23}), "10/20/50/11/8/51");
  EXPECT_EQ(s.tests.ShortReplyCount, 0);
  Adjust(1, {{1, 99}});
  EXPECT_EQ(A(1).text(), "99");

  Setup(4, 5);
  s.tests.ShortReplyCount = 0;
  Adjust(45, {{31, 5}, {32, 6}, {33, 7}});
  EXPECT_EQ(Texts(&Bench::A, {5, 10, 25}), "7/36/45");
  EXPECT_EQ(A(3).text(), "6");  // positions 11..30 write nothing
  EXPECT_EQ(s.tests.ShortReplyCount, 0);
}

TEST_F(SensorAdjustReplies, FramReplyRunsByChannelCount) {
  Setup(6, 12);
  Table(84);
  Adjust(59);
  EXPECT_EQ(Texts(&Bench::A, {3, 5, 6, 7}), "13/25/37/49");
  EXPECT_EQ(s.tests.ChannelIndex, 11);
  Adjust(60, {}, 60);
  EXPECT_EQ(A(84).text(), "60");
  EXPECT_EQ(s.tests.ShortReplyCount, 0);
  EXPECT_EQ(s.tests.ChannelIndex, 12);
}

TEST_F(SensorAdjustReplies, RangesIncludeTheirBounds) {
  Setup(1, 5);
  Table(25);
  s.profile.VrRangeMinimum[1] = 10;
  s.profile.VrRangeMaximum[1] = 200;
  s.profile.AdjustRangeMinimum[1] = 20;
  s.profile.AdjustRangeMaximum[1] = 30;
  struct Case {
    uint8_t vr, adjust;
    form::Colour vrColour, adjustColour;
  };
  for (const Case& c : {Case{200, 20, MenuText, MenuText}, Case{201, 30, Red, MenuText},
                        Case{10, 19, MenuText, Red}, Case{9, 31, Red, Red}}) {
    Adjust(10, {{1, c.vr}, {6, c.adjust}});
    EXPECT_EQ(A(1).backColor(), c.vrColour) << int{c.vr};
    EXPECT_EQ(A(3).backColor(), c.adjustColour) << int{c.adjust};
  }
  EXPECT_EQ(A(5).backColor(), Green);  // empty cells keep their colour
}

TEST_F(SensorAdjustReplies, StoredValuesMatchTheAdjustValueAsText) {
  Setup(0, 8);
  Table(40);
  Adjust(56, {{9, 121}, {49, 120}});
  EXPECT_EQ(A(5).backColor(), Red);
  Adjust(9, {{9, 120}});
  EXPECT_EQ(A(5).backColor(), MenuText);

  Setup(6, 2);
  for (int i = 1; i <= 14; ++i) A(i).setText("");
  s.tests.ShortReplyCount = 4;  // a shifted reply: a stored 0 is not the empty adjust cell
  Adjust(5, {{5, 0}}, 5);
  EXPECT_EQ(A(5).backColor(), Red);
  s.tests.ShortReplyCount = 0;
  Adjust(10, {{3, 7}, {5, 7}, {7, 7}, {9, 8}});
  EXPECT_EQ(A(5).backColor(), MenuText);
  EXPECT_EQ(A(6).backColor(), MenuText);
  EXPECT_EQ(A(7).backColor(), Red);
}

}  // namespace
