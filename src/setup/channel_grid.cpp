#include "setup/channel_grid.h"

#include <algorithm>

#include "config/parameter_setup.h"

namespace setup {

namespace {
constexpr int kPerPage = 8;
constexpr int kLeft = 2280;
constexpr int kStep = 840;
constexpr int kWidth = 855;
constexpr int kHeight = 375;
constexpr int kLabelTop = 3000;
constexpr int kTableTops[config::kChannelTableCount] = {3720, 4080, 4800, 5160, 5520, 5880};
constexpr form::Colour kLabelBack = form::Colour::Rgb(192, 255, 192);
constexpr form::Colour kOddBack = form::Colour::Rgb(255, 224, 192);
constexpr form::Colour kEvenBack = form::Colour::Rgb(255, 192, 192);

int PageOf(int channel) {
  return (channel - 1) / kPerPage;
}
int LeftOf(int channel) {
  return kLeft + kStep * ((channel - 1) % kPerPage);
}

form::Control* Slot(const std::vector<form::Control*>& v, int i) {
  return i >= 1 && i <= static_cast<int>(v.size()) ? v[static_cast<size_t>(i - 1)] : nullptr;
}
}  // namespace

ChannelGrid::ChannelGrid(const SetupContext& c, form::Control& scroll) : c_(c), scroll_(scroll) {
  scroll_.onChange = [this] { ShowPage(scroll_.value()); };
  c_.form.setSlotArray("ChannelLabels", [this](int i) { return Slot(labels_, i); });
  c_.form.setSlotArray("ParameterBoxes", [this](int i) { return Slot(boxes_, i); });
}

// AddParameterLabel and AddParameterBox: one channel's heading and its six boxes.
void ChannelGrid::AddChannel(int i, int n, const Values& value, bool enabled) {
  const int left = LeftOf(i);
  if (form::Control* l = c_.form.add(form::Kind::Label, "LED" + std::to_string(i), &c_.tabs)) {
    l->setTabPage(1);
    l->setText(std::to_string(i));
    l->setBounds(left, kLabelTop, kWidth, kHeight);
    l->setBackColor(kLabelBack);
    l->setForeColor(form::colours::ButtonText);
    l->setFont(form::Font{.size = 12});
    l->setAlignment(form::Align::Center);
    l->setBorder(true);
    labels_[static_cast<size_t>(i - 1)] = l;
  }
  for (int k = 0; k < config::kChannelTableCount; ++k) {
    const int entry = i + k * n;
    form::Control* b =
        c_.form.add(form::Kind::TextBox, "Sensor_Test" + std::to_string(entry), &c_.tabs);
    if (!b) continue;
    b->setTabPage(1);
    b->setBounds(left, kTableTops[k], kWidth, kHeight);
    b->setMaxLength(3);
    b->setFont(form::Font{.size = 9, .bold = true});
    b->setForeColor(form::colours::WindowText);
    b->setBackColor(i % 2 == 1 ? kOddBack : kEvenBack);
    b->setAlignment(form::Align::Center);
    b->setBorder(true);
    b->setEnabled(enabled);
    b->setText(value(k, i));
    boxes_[static_cast<size_t>(entry - 1)] = b;
  }
}

void ChannelGrid::Build(int n, const Values& value, bool enabled) {
  Remove();
  n = std::clamp(n, 0, config::kMaxLedNumber);
  labels_.assign(static_cast<size_t>(n), nullptr);
  boxes_.assign(static_cast<size_t>(n * config::kChannelTableCount), nullptr);
  for (int i = 1; i <= n; ++i) AddChannel(i, n, value, enabled);
  count_ = static_cast<int16_t>(n);
  const int last = n > 0 ? PageOf(n) : 0;
  scroll_.setMax(last);
  scroll_.setVisible(last > 0);
  scroll_.setValue(0);
  ShowPage(0);
}

void ChannelGrid::Remove() {
  for (form::Control* l : labels_) c_.form.remove(l);
  for (form::Control* b : boxes_) c_.form.remove(b);
  labels_.clear();
  boxes_.clear();
  count_ = 0;
  scroll_.setVisible(false);
}

void ChannelGrid::ShowPage(int page) {
  for (int i = 1; i <= count_; ++i) {
    const bool shown = PageOf(i) == page;
    if (form::Control* l = Slot(labels_, i)) l->setVisible(shown);
    for (int k = 0; k < config::kChannelTableCount; ++k) {
      if (form::Control* b = Box(k, i)) b->setVisible(shown);
    }
  }
}

void ChannelGrid::EnableBoxes(int n) {
  for (int i = 1; i <= std::min(n, static_cast<int>(count_)); ++i) {
    for (int k = 0; k < config::kChannelTableCount; ++k) {
      if (form::Control* b = Box(k, i)) b->setEnabled(true);
    }
  }
}

form::Control* ChannelGrid::Box(int table, int channel) const {
  if (channel < 1 || channel > count_) return nullptr;
  return Slot(boxes_, channel + table * count_);
}

std::string ChannelGrid::Value(int table, int channel) const {
  const form::Control* b = Box(table, channel);
  return b ? b->text() : "0";
}

}  // namespace setup
