#include "setup/command_tab.h"

#include <algorithm>

#include "setup/setup_design.h"

namespace setup {

using namespace design;

namespace {
constexpr int kPage = 2;
constexpr int kTop = 600;
constexpr int kCodesTop = 1200;
constexpr int kCodeStep = 480;
constexpr int kMaxCode = 255;  // a command goes out as one byte

// Each code box beside its caption: two columns of eight, and the five LED codes under
// "MASK LED". Captions are Label2(22..34, 40, 42, 43, 45..49).
struct CodeRow {
  int label;
  const char* caption;
};
constexpr CodeRow kCodes[config::kCommandCodeCount] = {
    {22, "Enter Test Mode"},
    {23, "Leave Any Test Mode"},
    {24, "Enter Sensor Adjust Mode"},
    {25, "Enter IO &  Sensort  Test Mode"},
    {26, "ON / OFF Fish LED"},
    {27, "All LED Light"},
    {28, "Send Pulse"},
    {29, "Enter Bill Mortor Test Mode"},
    {30, "Stop Motor"},
    {31, "Forward Motor"},
    {32, "Backward Motor"},
    {33, "Enter Stacker Motor Test Mode"},
    {34, "Stacking Active"},
    {40, "Enter Bill Length Mode"},
    {42, "Enter Interface Setup Mode"},
    {43, "Ask Interface Mode"},
    {45, "Red LED Light"},
    {46, "Green LED Light"},
    {47, "Blue LED Light"},
    {48, "ZRN LED Light"},
    {49, "All LED Dark"},
};
struct Column {
  int first, last, captionLeft, captionWidth, boxLeft, top;
};
constexpr Column kColumns[] = {
    {0, 7, 120, 3135, 3360, kCodesTop},
    {8, 15, 4080, 3015, 7200, kCodesTop},
    {16, 20, 8040, 1935, 10080, kCodesTop + kCodeStep},
};

constexpr form::ControlDesign kDesign[] = {
    Caption(3, "Select BA", 120, kTop, 1215),       Choice("Combo7", 1380, kTop, 2055),
    Caption(21, "System Name", 3480, kTop, 1335),   Choice("Combo8", 4860, kTop, 2775),
    Heading(44, "MASK LED", 9240, kCodesTop, 1455), Button("Command2", 0, "Modify", 3600, 6720),
    Button("Command2", 1, "Save", 5400, 6720),      LineListBox("List1"),
};
}  // namespace

const SetupContext& CommandTab::Designed(const SetupContext& c) {
  for (const form::ControlDesign& d : kDesign) c.Add(d, kPage);
  for (const Column& col : kColumns) {
    for (int j = col.first; j <= col.last; ++j) {
      const int top = col.top + (j - col.first) * kCodeStep;
      const CodeRow& row = kCodes[j];
      c.Add(Caption(row.label, row.caption, col.captionLeft, top, col.captionWidth), kPage);
      form::ControlDesign box = Entry("Text3", j, col.boxLeft, top, 615, 3);
      box.caption = "0";
      box.align = form::Align::Center;
      c.Add(box, kPage);
    }
  }
  return c;
}

CommandTab::CommandTab(const SetupContext& c, const SystemRecords& records)
    : c_(Designed(c)),
      records_(records),
      combo7_(c.form.at("Combo7")),
      combo8_(c.form.at("Combo8")),
      modify_(c.form.at("Command2", 0)),
      save_(c.form.at("Command2", 1)),
      commandLines_(c, c.form.at("List1"), config::kCommandSetup),
      refusals_(c.form) {
  for (int j = 0; j < config::kCommandCodeCount; ++j) {
    codes_[static_cast<size_t>(j)] = &c.form.at("Text3", j);
    DigitsOnly(*codes_[static_cast<size_t>(j)]);
  }
  ChooseOnly(combo7_);
  ChooseOnly(combo8_);
  combo7_.onClick = [this] { Combo7_Click(); };
  combo8_.onClick = [this] { Combo8_Click(); };
  modify_.onClick = [this] { Modify(); };
  save_.onClick = [this] { Save(); };
}

void CommandTab::ShowNoSystem() {
  combo8_.clear();
  for (form::Control* box : codes_) {
    box->setText("0");
    box->setEnabled(false);
  }
  modify_.setEnabled(false);
  save_.setEnabled(false);
}

void CommandTab::Combo7_Click() {
  combo8_.clear();
  for (const SystemRecord& r : records_) {
    if (r[config::kSystemBaName] != combo7_.text()) continue;
    combo8_.addItem(r[config::kSystemName]);
    combo8_.setListIndex(0);
  }
}

void CommandTab::Combo8_Click() {
  refusals_.Clear();
  for (form::Control* box : codes_) {
    box->setText("0");
    box->setEnabled(false);
  }
  modify_.setEnabled(true);
  save_.setEnabled(false);
  commandLines_.Clear();
  LoadCommandList();
}

// Fills the code boxes from the system's line; with several lines the last one read shows.
// Fields past the 21 codes are ignored.
void CommandTab::LoadCommandList() {
  commandLines_.Load();
  for (const std::string& line : commandLines_.lines()) {
    if (!LineMatches(line, config::kCommandBaName, combo7_.text(), config::kCommandSystemName,
                     combo8_.text())) {
      continue;
    }
    const std::vector<std::string> f = FieldsOf(line);
    const int last =
        std::min(static_cast<int>(f.size()), static_cast<int>(config::kCommandFieldCount));
    for (int i = config::kFirstCodeField; i < last; ++i) {
      codes_[static_cast<size_t>(i - config::kFirstCodeField)]->setText(f[static_cast<size_t>(i)]);
    }
  }
}

void CommandTab::Modify() {
  for (form::Control* box : codes_) box->setEnabled(true);
  save_.setEnabled(true);
}

void CommandTab::Save() {
  refusals_.Clear();
  // A line needs its system: without one it would be a line of codes without names.
  if (combo7_.text().empty() || combo8_.text().empty()) {
    refusals_.Mark(combo8_, "Choose a system first");
    return;
  }
  // A pasted name with a comma or a line break would break the line.
  bool fine = CheckOneField(refusals_, combo7_);
  fine = CheckOneField(refusals_, combo8_) && fine;
  for (form::Control* box : codes_) {
    fine =
        CheckNumber(refusals_, *box, kMaxCode, "A command code is a number from 0 to 255") && fine;
  }
  if (!fine || !commandLines_.EnsureLoaded()) return;
  ListEdit edit(c_, {&commandLines_});
  std::vector<std::string> codes;
  for (const form::Control* box : codes_) codes.push_back(box->text());
  const std::string line = config::BuildCommandLine(combo7_.text(), combo8_.text(), codes);
  const std::string ba = combo7_.text();
  const std::string system = combo8_.text();
  const int replaced = commandLines_.Replace(
      [&](std::string_view l) {
        return LineMatches(l, config::kCommandBaName, ba, config::kCommandSystemName, system);
      },
      line);
  if (replaced == 0) commandLines_.Append(line);
  if (edit.Save()) c_.refreshTab();
}

}  // namespace setup
