// The controls and texts the setup screen's fuzz target names in its actions, shared with the
// seed generator.
#pragma once

namespace setup_fuzz {

struct Target {
  const char* name;
  int index;
};
// Controls an action may name; any other control is reached through its place on the screen.
constexpr Target kTargets[] = {
    {"SSTab1", -1},      {"Combo1", -1},      {"Combo2", -1},  {"Combo3", -1},  {"Combo4", -1},
    {"Combo5", -1},      {"Combo6", -1},      {"Combo7", -1},  {"Combo8", -1},  {"Combo9", -1},
    {"Combo10", -1},     {"Combo11", -1},     {"Command3", 0}, {"Command3", 1}, {"Command3", 2},
    {"Command3", 3},     {"Command2", 0},     {"Command2", 1}, {"Command1", 0}, {"Command1", 1},
    {"Command1", 2},     {"Command1", 3},     {"Text1", 0},    {"Text1", 1},    {"Text1", 2},
    {"Text2", 0},        {"Text2", 1},        {"Text2", 2},    {"Text2", 3},    {"Text2", 4},
    {"Text3", 0},        {"Text3", 20},       {"Text4", 0},    {"Text4", 1},    {"HScroll1", -1},
    {"txtUserName", -1}, {"txtPassword", -1}, {"cmdOK", -1},
};
const char* const kTexts[] = {"",    "0",        "1",      "9",        "12",     "85",   "86",
                              "99",  "a,b",      "7x",     "32767",    "-32768", "&HFF", "1e2",
                              "Q48", "mira_tek", "qpa-xn", "\xC3\xA9", "2.5",    " 3 "};

// Action kinds (the low three bits of an action's first byte; bit 7: any control by place).
enum Kind { kTab, kSelect, kClick, kSetText, kKey, kScroll, kDblClick, kWait };

}  // namespace setup_fuzz
