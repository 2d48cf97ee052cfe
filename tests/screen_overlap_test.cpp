// Every receive data mode, access mode, LED mask and stacker, with the terminal open, the test
// menu and each test panel it offers: no shown control of the main screen covers a shown
// sibling, and nothing stands below its container or outside the window.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "app/main_screen.h"
#include "test_support.h"

namespace {

using form::Control;
using form::Kind;

// Borders may touch or share a line; more than this in both directions hides a value.
constexpr int kBorder = 30;
constexpr int kLastMode = 10;
constexpr const char* kAccessModes[] = {"User Mode", "Production Mode", "Engineer Mode",
                                        "Admin Mode"};
// Menu items that open a panel (Exit and the erase item do not).
constexpr int kPanelItems[] = {1, 2, 3, 4, 5, 6, 8};

bool Drawn(const Control& c) {
  return c.shown() && c.kind() != Kind::Timer && c.kind() != Kind::ImageList;
}

int Shared(int a0, int a1, int b0, int b1) {
  return std::min(a1, b1) - std::max(a0, b0);
}

bool Contains(const Control& outer, const Control& inner) {
  return inner.left() >= outer.left() && inner.top() >= outer.top() &&
         inner.left() + inner.width() <= outer.left() + outer.width() &&
         inner.top() + inner.height() <= outer.top() + outer.height();
}

bool SamePlace(const Control& a, const Control& b) {
  return a.left() == b.left() && a.top() == b.top() && a.width() == b.width() &&
         a.height() == b.height();
}

std::string Where(const Control& c) {
  return c.fullName() + " [" + std::to_string(c.left()) + "," + std::to_string(c.top()) + " " +
         std::to_string(c.width()) + "x" + std::to_string(c.height()) + "]";
}

// What is wrong with the screen as shown, one line per fault. The controls in `designed`, those
// the screen was built with, must end above their container's bottom; run-time grid cells page
// inside their frame and may stand outside it.
std::set<std::string> Faults(const form::Form& screen, const std::set<const Control*>& designed) {
  std::set<std::string> faults;
  std::vector<const Control*> drawn;
  for (const Control* c : screen.controls()) {
    if (Drawn(*c)) drawn.push_back(c);
  }
  for (const Control* c : drawn) {
    const Control* in = c->container();
    const bool outside =
        in ? designed.count(c) && c->top() + c->height() > in->height()
           : c->kind() != Kind::StatusBar && (c->left() + c->width() > screen.width() ||
                                              c->top() + c->height() > screen.height());
    if (outside) faults.insert(Where(*c) + " outside " + (in ? Where(*in) : "the window"));
  }
  for (size_t i = 0; i < drawn.size(); ++i) {
    for (size_t j = 0; j < i; ++j) {
      const Control& a = *drawn[i];
      const Control& b = *drawn[j];
      if (a.container() != b.container() || SamePlace(a, b)) continue;
      // A panel drawn over a whole panel, as the wide panels over the version panel.
      if (a.kind() == Kind::Frame && b.kind() == Kind::Frame && (Contains(a, b) || Contains(b, a)))
        continue;
      if (Shared(a.left(), a.left() + a.width(), b.left(), b.left() + b.width()) > kBorder &&
          Shared(a.top(), a.top() + a.height(), b.top(), b.top() + b.height()) > kBorder)
        faults.insert(Where(a) + " covers " + Where(b));
    }
  }
  return faults;
}

TEST(ScreenOverlap, NoShownControlCoversAnotherInAnyModeOrPanel) {
  // Each fault with the first case that shows it and how many cases do.
  std::map<std::string, std::pair<std::string, int>> all;
  for (int mode = 0; mode <= kLastMode; ++mode) {
    for (const char* access : kAccessModes) {
      for (int mask = 0; mask <= 1; ++mask) {
        for (int stacker = 0; stacker <= 1; ++stacker) {
          support::Tool tool;
          const std::set<const Control*> designed(tool.screen().controls().begin(),
                                                  tool.screen().controls().end());
          tool.openTerminal();
          app::MainScreen& main = tool.app.main();
          config::ActiveProfile& p = tool.state().profile;
          p.ReceiveDataMode = static_cast<int16_t>(mode);
          p.LedMask = static_cast<int16_t>(mask);
          p.WithStacker = static_cast<int16_t>(stacker);
          p.LedNumber = 16;
          main.setStatusText(8, access);
          const std::string system = "mode " + std::to_string(mode) + ", " + access + ", mask " +
                                     std::to_string(mask) + ", stacker " + std::to_string(stacker);
          const auto check = [&](const std::string& what) {
            for (const std::string& f : Faults(tool.screen(), designed)) {
              auto& [first, count] = all[f];
              if (count++ == 0) first = what;
            }
          };
          for (int item : kPanelItems) {
            main.testMenu().Label2_Click(0);
            check(system + ", test menu");
            const Control& entry = tool.at("Label2", item);
            if (!entry.usable()) continue;
            main.testMenu().Label2_Click(item);
            tool.run(1500);  // entries that wait
            check(system + ", " + entry.text());
            main.testMenu().RestartSession();
            tool.run(600);
            check(system + ", after Restart");
          }
        }
      }
    }
  }
  std::string report;
  for (const auto& [fault, seen] : all) {
    report += fault + " in " + std::to_string(seen.second) + " cases, first " + seen.first + "\n";
  }
  EXPECT_TRUE(all.empty()) << all.size() << " faults:\n" << report;
}

// The LED mask block keeps its place over hidden rows, moves below the lowest shown row with
// Exit after it, and the window grows for it only while the IO panel is shown.
TEST(ScreenOverlap, LedMaskBlockMovesBelowTheRowsAndTheWindowFollows) {
  support::Tool tool;
  tool.runTo(1100);
  app::MainScreen& main = tool.app.main();
  tool.state().profile.LedMask = 1;
  struct Case {
    int mode;
    const char* access;
    int titleTop, exitTop, frameHeight, screenHeight;
  };
  for (const Case& c :
       {Case{0, "Admin Mode", 4080, 5520, 6135, 6855}, Case{6, "User Mode", 4560, 6000, 6615, 7335},
        Case{6, "Production Mode", 5520, 6960, 7575, 8295},
        Case{7, "Engineer Mode", 5040, 6480, 7095, 7815},
        Case{7, "User Mode", 4080, 5520, 6135, 6855}}) {
    SCOPED_TRACE(std::to_string(c.mode) + " " + c.access);
    tool.state().profile.ReceiveDataMode = static_cast<int16_t>(c.mode);
    main.setStatusText(8, c.access);
    main.testMenu().Label2_Click(0);
    main.testMenu().Label2_Click(1);
    EXPECT_EQ(tool.at("Label7", 22).top(), c.titleTop);
    EXPECT_EQ(tool.at("Command2", 4).top(), c.titleTop + 480);
    EXPECT_EQ(tool.at("Command2", 6).top(), c.titleTop + 960);
    EXPECT_EQ(tool.at("Label7", 21).top(), c.exitTop);
    EXPECT_EQ(tool.at("Frame6").height(), c.frameHeight);
    EXPECT_EQ(tool.screen().height(), c.screenHeight);
    EXPECT_EQ(tool.at("StatusBar1").top(), c.screenHeight);
    EXPECT_TRUE(tool.screen().userClick(tool.at("Label7", 21)));  // Exit
    EXPECT_EQ(tool.screen().height(), 6855);
    EXPECT_EQ(tool.at("StatusBar1").top(), 6855);
  }
  tool.state().profile.ReceiveDataMode = 9;
  main.testMenu().Label2_Click(1);
  EXPECT_EQ(tool.screen().height(), 8295);
  main.testMenu().RestartSession();
  EXPECT_EQ(tool.screen().height(), 6855);
}

}  // namespace
