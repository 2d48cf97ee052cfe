#include "setup/interface_tab.h"

#include "config/interface_version.h"
#include "setup/setup_design.h"

namespace setup {

using namespace design;

namespace {
enum EditButton { kAdd, kDelete, kModify, kSave };
constexpr int kPage = 3;

constexpr form::ControlDesign kDesign[] = {
    {.kind = form::Kind::Label,
     .name = "Label2",
     .index = 37,
     .caption = "Interface Version Information",
     .left = 2280,
     .top = 840,
     .width = 6975,
     .height = 435,
     .fore = form::colours::Blue,
     .fontSize = 14,
     .bold = true,
     .align = form::Align::Center},
    Caption(35, "Interface Version", 2160, 1560, 1935),
    Choice("Combo9", 4200, 1560, 1215),
    Caption(36, "Interface Protcol", 2160, 2040, 1935),
    Choice("Combo10", 4200, 2040, 4455),
    Caption(39, "Interface Version", 2160, 3000, 1935),
    Entry("Text4", 0, 4200, 3000, 615, 1),
    Caption(38, "Interface Protcol", 2160, 3480, 1935),
    Entry("Text4", 1, 4200, 3480, 4455),
    Button("Command1", 0, "ADD", 2280, 4440),
    Button("Command1", 1, "Delete", 3960, 4440),
    Button("Command1", 2, "Modify", 5640, 4440),
    Button("Command1", 3, "Save", 7320, 4440),
    LineListBox("List2"),
};

// The row whose item equals `text`, the last one when several do; -1 when none.
int LastRowOf(const form::Control& combo, const std::string& text) {
  int row = -1;
  for (int i = 0; i < combo.listCount(); ++i) {
    if (combo.items()[static_cast<size_t>(i)] == text) row = i;
  }
  return row;
}
}  // namespace

const SetupContext& InterfaceTab::Designed(const SetupContext& c) {
  for (const form::ControlDesign& d : kDesign) c.Add(d, kPage);
  return c;
}

InterfaceTab::InterfaceTab(const SetupContext& c)
    : c_(Designed(c)),
      codes_(c.form.at("Combo9")),
      texts_(c.form.at("Combo10")),
      lines_(c, c.form.at("List2"), config::kInterfaceVersion),
      refusals_(c.form) {
  for (int i = 0; i < 2; ++i) entry_[static_cast<size_t>(i)] = &c.form.at("Text4", i);
  for (int i = 0; i < 4; ++i) buttons_[static_cast<size_t>(i)] = &c.form.at("Command1", i);
  ChooseOnly(codes_);
  ChooseOnly(texts_);
  codes_.onClick = [this] { Combo9_Click(); };
  texts_.onClick = [this] { Combo10_Click(); };
  for (int i = 0; i < 2; ++i)
    entry_[static_cast<size_t>(i)]->onChange = [this, i] { Text4_Change(i); };
  buttons_[kAdd]->onClick = [this] { Add(); };
  buttons_[kDelete]->onClick = [this] { Delete(); };
  buttons_[kModify]->onClick = [this] { Modify(); };
  buttons_[kSave]->onClick = [this] { Save(); };
}

void InterfaceTab::Clear() {
  codes_.clear();
  texts_.clear();
  lines_.Clear();
  refusals_.Clear();
}

void InterfaceTab::LoadInterfaceList() {
  lines_.Load();
  for (const std::string& line : lines_.lines()) {
    if (line.empty()) continue;
    const std::vector<std::string> f = FieldsOf(line);
    codes_.addItem(f[config::kInterfaceCode]);
    texts_.addItem(f.size() > 1 ? f[config::kInterfaceText] : std::string());
  }
  if (codes_.listCount() > 0) {
    codes_.setListIndex(0);
    return;
  }
  // Nothing listed: a first version can be added.
  for (form::Control* box : entry_) {
    box->setText("");
    box->setEnabled(false);
  }
  SetButtons(true);
  buttons_[kDelete]->setEnabled(false);
  buttons_[kModify]->setEnabled(false);
}

void InterfaceTab::SetButtons(bool showing) {
  buttons_[kAdd]->setEnabled(showing);
  buttons_[kDelete]->setEnabled(showing);
  buttons_[kModify]->setEnabled(showing);
  buttons_[kSave]->setEnabled(!showing);
}

void InterfaceTab::Combo9_Click() {
  texts_.setListIndex(codes_.listIndex());
  entry_[0]->setText(codes_.text());
  for (form::Control* box : entry_) box->setEnabled(false);
  SetButtons(true);
}

void InterfaceTab::Combo10_Click() {
  codes_.setListIndex(texts_.listIndex());
  entry_[1]->setText(texts_.text());
}

// Typing a code or text that is listed selects its row, which ends the editing. An emptied
// box selects nothing (ADD empties both), and a row already showing the text stays selected.
void InterfaceTab::Text4_Change(int index) {
  form::Control& combo = index == 0 ? codes_ : texts_;
  const std::string& text = entry_[static_cast<size_t>(index)]->text();
  if (text.empty() || combo.text() == text) return;
  const int row = LastRowOf(combo, text);
  if (row >= 0) combo.setListIndex(row);
}

void InterfaceTab::Add() {
  for (form::Control* combo : {&codes_, &texts_}) {
    combo->setListIndex(-1);
    combo->setText("");
  }
  for (form::Control* box : entry_) {
    box->setEnabled(true);
    box->setText("");
  }
  SetButtons(false);
  buttons_[kSave]->setTag(design::kSaveAdds);
}

void InterfaceTab::Modify() {
  SetButtons(false);
  entry_[1]->setEnabled(true);  // the code stays
  buttons_[kSave]->setTag(design::kSaveModifies);
}

// A line is known by its text before the first comma; a line without one is never changed.
bool InterfaceTab::SameCode(std::string_view line) const {
  const size_t comma = line.find(',');
  return comma != std::string_view::npos && line.substr(0, comma) == entry_[0]->text();
}

void InterfaceTab::Save() {
  refusals_.Clear();
  const std::string& tag = buttons_[kSave]->tag();
  const bool adding = tag == design::kSaveAdds;
  const bool modifying = tag == design::kSaveModifies;
  if (adding || modifying) {
    bool fine = true;
    for (form::Control* box : entry_) fine = CheckOneField(refusals_, *box) && fine;
    if (!fine) return;
  }
  if (!lines_.EnsureLoaded()) return;
  ListEdit edit(c_, {&lines_});
  const std::string line = config::BuildInterfaceLine(entry_[0]->text(), entry_[1]->text());
  if (adding) lines_.Append(line);
  if (modifying) lines_.Replace([this](std::string_view l) { return SameCode(l); }, line);
  if (edit.Save()) c_.refreshTab();
}

void InterfaceTab::Delete() {
  if (!c_.ConfirmDelete() || !lines_.EnsureLoaded()) return;
  ListEdit edit(c_, {&lines_});
  lines_.RemoveIf([this](std::string_view l) { return SameCode(l); });
  if (edit.Save()) c_.refreshTab();
}

}  // namespace setup
