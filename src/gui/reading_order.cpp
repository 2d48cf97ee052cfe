#include "gui/reading_order.h"

#include <algorithm>
#include <cstdint>

namespace gui {
namespace {

using form::Control;
using Children = std::unordered_map<const Control*, std::vector<const Control*>>;

Children ByContainer(const form::Form& screen) {
  Children children;
  for (const Control* c : screen.controls()) children[c->container()].push_back(c);
  return children;
}

int64_t Right(const Control& c) {
  return static_cast<int64_t>(c.left()) + c.width();
}

int64_t Bottom(const Control& c) {
  return static_cast<int64_t>(c.top()) + c.height();
}

bool Within(int64_t gap) {
  return gap <= kCaptionGap && gap >= -kCaptionOverlap;
}

enum class Side { kLeft, kRight, kAbove };

// The nearest label or box close to `box` on that side.
const Control* Neighbour(const std::vector<const Control*>& list, const Control& box, Side side) {
  const bool across = side != Side::kAbove;
  const Control* best = nullptr;
  int64_t bestGap = 0;
  for (const Control* c : list) {
    if (c == &box || c->tabPage() != box.tabPage()) continue;
    if (c->kind() != form::Kind::Label && !NamedByCaption(c->kind())) continue;
    const int64_t middle = across ? c->top() + static_cast<int64_t>(c->height()) / 2
                                  : c->left() + static_cast<int64_t>(c->width()) / 2;
    const bool lined = across ? middle >= box.top() && middle <= Bottom(box)
                              : middle >= box.left() && middle <= Right(box);
    const int64_t gap = side == Side::kLeft    ? box.left() - Right(*c)
                        : side == Side::kRight ? c->left() - Right(box)
                                               : box.top() - Bottom(*c);
    const bool beyond = side == Side::kLeft    ? c->left() < box.left()
                        : side == Side::kRight ? c->left() > box.left()
                                               : c->top() < box.top();
    if (lined && beyond && Within(gap) && (!best || gap < bestGap)) {
      best = c;
      bestGap = gap;
    }
  }
  return best;
}

bool IsBox(const Control* c) {
  return c && NamedByCaption(c->kind());
}

// Follows a row (or column) of boxes back to the label that heads it.
class CaptionFinder {
 public:
  explicit CaptionFinder(const std::vector<const Control*>& list) : list_(list) {}

  const Control* heading(const Control& box, bool row) {
    auto& memo = row ? rows_ : columns_;
    if (auto it = memo.find(&box); it != memo.end()) return it->second;
    memo[&box] = nullptr;  // a cycle ends here
    const Control* next = Neighbour(list_, box, row ? Side::kLeft : Side::kAbove);
    const Control* found = !next || next->kind() == form::Kind::Label ? next : heading(*next, row);
    memo[&box] = found;
    return found;
  }

 private:
  const std::vector<const Control*>& list_;
  std::unordered_map<const Control*, const Control*> rows_, columns_;
};

void AppendInOrder(const Children& children, const Control* container,
                   std::vector<const Control*>& out) {
  auto it = children.find(container);
  if (it == children.end()) return;
  std::vector<const Control*> list = it->second;
  std::stable_sort(list.begin(), list.end(), [](const Control* a, const Control* b) {
    return a->tabPage() != b->tabPage() ? a->tabPage() < b->tabPage() : a->top() < b->top();
  });
  for (auto row = list.begin(); row != list.end();) {
    const Control& first = **row;
    const int64_t limit = first.top() + static_cast<int64_t>(first.height()) / 2;
    auto end = std::find_if(row + 1, list.end(), [&](const Control* c) {
      return c->tabPage() != first.tabPage() || c->top() >= limit;
    });
    std::stable_sort(row, end,
                     [](const Control* a, const Control* b) { return a->left() < b->left(); });
    for (; row != end; ++row) {
      out.push_back(*row);
      AppendInOrder(children, *row, out);
    }
  }
}

}  // namespace

bool NamedByCaption(form::Kind kind) {
  using form::Kind;
  return kind == Kind::TextBox || kind == Kind::ComboBox || kind == Kind::ListBox ||
         kind == Kind::HScrollBar || kind == Kind::VScrollBar;
}

std::unordered_map<const Control*, BoxCaption> BoxCaptions(const form::Form& screen) {
  std::unordered_map<const Control*, BoxCaption> captions;
  for (const auto& [container, list] : ByContainer(screen)) {
    CaptionFinder finder(list);
    for (const Control* box : list) {
      if (!NamedByCaption(box->kind())) continue;
      BoxCaption caption;
      const Control* left = Neighbour(list, *box, Side::kLeft);
      const bool grid = IsBox(left) || IsBox(Neighbour(list, *box, Side::kRight));
      caption.row = IsBox(left) ? finder.heading(*box, true) : left;
      if (grid || !caption.row) caption.column = finder.heading(*box, false);
      if (!caption.column) {
        caption.label = caption.row == left ? left : nullptr;
      } else if (!caption.row && caption.column == Neighbour(list, *box, Side::kAbove)) {
        caption.label = caption.column;
      }
      if (caption.row || caption.column) captions[box] = caption;
    }
  }
  return captions;
}

std::string CaptionText(const BoxCaption& caption) {
  const std::string row = caption.row ? caption.row->text() : "";
  const std::string column = caption.column ? caption.column->text() : "";
  return row.empty() || column.empty() ? row + column : row + " " + column;
}

std::vector<const Control*> ReadingOrder(const form::Form& screen) {
  std::vector<const Control*> order;
  order.reserve(screen.controls().size());
  AppendInOrder(ByContainer(screen), nullptr, order);
  return order;
}

}  // namespace gui
