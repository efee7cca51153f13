#include "distribution/TidyTreeLayout.h"

#include <algorithm>
#include <cstdint>
#include <utility>

namespace velmora {
namespace {

using Index = LayoutIndex;
constexpr Index kNone = kNoLayoutParent;

// The working state of Buchheim's algorithm, one slot per box plus a
// zero-sized root above the top level that ties a forest together. A box's
// family is read from the items (in pre-order a first child follows its
// parent), and what only matters while a parent's children are being placed
// (the shifts still to spread, the left sibling, the default ancestor) is
// kept for the open parents alone: a diagram of a million boxes then needs
// 32 bytes a box here.
class TidyTree {
 public:
  TidyTree(const std::vector<LayoutItem>& items, double gap)
      : items_(items), gap_(gap), root_(static_cast<Index>(items.size())) {
    const std::size_t count = items.size() + 1;
    lastChild_.assign(count, kNone);
    number_.assign(count, 0);
    thread_.assign(count, kNone);
    ancestor_.resize(count);
    prelim_.assign(count, 0);
    mod_.assign(count, 0);
    for (Index v = 0; v < count; ++v) ancestor_[v] = v;
    for (Index v = 0; v < root_; ++v) {
      const Index parent = Parent(v);
      number_[v] = lastChild_[parent] == kNone ? 1 : number_[lastChild_[parent]] + 1;
      lastChild_[parent] = v;
    }
  }

  // First walk in post-order, children left to right, without recursion: in
  // pre-order a box closes its open ancestors below its parent, which are
  // then finished, deepest first.
  void FirstWalk() {
    open_.push_back({root_, kNone});
    for (Index v = 0; v < root_; ++v) {
      const Index parent = Parent(v);
      while (open_.back().box != parent) FinishOpen();
      open_.push_back({v, kNone});
    }
    while (!open_.empty()) FinishOpen();
  }

  // Second walk: each box at its preliminary place plus its ancestors' mods.
  // Parents come before their children, so each mod becomes the sum down to
  // its box in place, and each place its centre: a large tree needs no
  // further lists for it. The walk ends the layout.
  std::vector<double> TakeCentres() {
    for (Index v = 0; v < root_; ++v) {
      const Index p = Parent(v);
      prelim_[v] += mod_[p];
      mod_[v] += mod_[p];
    }
    prelim_.pop_back();  // the tying root
    return std::move(prelim_);
  }

 private:
  // A parent whose children are being placed.
  struct OpenBox {
    Index box;
    Index defaultAncestor;  // kNone until its first child is finished
  };
  // A finished child of an open parent, with the shift it still owes the
  // siblings between it and a subtree that pushed it away.
  struct PlacedChild {
    Index box;
    double shift;
    double change;
  };

  Index Parent(Index v) const {
    if (v == root_) return kNone;
    return items_[v].parent == kNoLayoutParent ? root_ : items_[v].parent;
  }
  Index FirstChild(Index v) const {
    if (lastChild_[v] == kNone) return kNone;
    return v == root_ ? 0 : v + 1;
  }
  double Size(Index v) const { return v == root_ ? 0 : items_[v].breadth; }
  // Centre-to-centre distance that keeps two neighbouring boxes apart.
  double Distance(Index left, Index right) const { return (Size(left) + Size(right)) / 2 + gap_; }
  Index NextLeft(Index v) const { return lastChild_[v] != kNone ? FirstChild(v) : thread_[v]; }
  Index NextRight(Index v) const { return lastChild_[v] != kNone ? lastChild_[v] : thread_[v]; }
  Index ChildCount(Index v) const { return lastChild_[v] == kNone ? 0 : number_[lastChild_[v]]; }

  void FinishOpen() {
    const Index v = open_.back().box;
    open_.pop_back();
    Finish(v);
  }

  // Called once the subtrees of all of v's children are placed (and v's
  // left siblings are finished): v's own place, then v against its left
  // siblings. v's children are the last of the placed children.
  void Finish(Index v) {
    const Index children = ChildCount(v);
    double midpoint = 0;
    if (children > 0) {
      ExecuteShifts(children);
      placed_.resize(placed_.size() - children);
      midpoint = (prelim_[FirstChild(v)] + prelim_[lastChild_[v]]) / 2;
    }
    const Index left = number_[v] > 1 ? placed_.back().box : kNone;
    if (left != kNone) {
      prelim_[v] = prelim_[left] + Distance(left, v);
      if (children > 0) mod_[v] = prelim_[v] - midpoint;
    } else {
      prelim_[v] = midpoint;
    }
    if (v == root_) return;
    placed_.push_back({v, 0, 0});
    Index& defaultAncestor = open_.back().defaultAncestor;
    if (defaultAncestor == kNone) defaultAncestor = FirstChild(Parent(v));
    Apportion(v, left, defaultAncestor);
  }

  // Pushes v's subtree right until, level by level, it clears the subtrees
  // of its left siblings; the shift is spread over the siblings between.
  void Apportion(Index v, Index w, Index& defaultAncestor) {
    if (w == kNone) return;
    Index vip = v, vop = v, vim = w, vom = FirstChild(Parent(v));
    double sip = mod_[vip], sop = mod_[vop], sim = mod_[vim], som = mod_[vom];
    while (NextRight(vim) != kNone && NextLeft(vip) != kNone) {
      vim = NextRight(vim);
      vip = NextLeft(vip);
      vom = NextLeft(vom);
      vop = NextRight(vop);
      ancestor_[vop] = v;
      const double shift = (prelim_[vim] + sim) - (prelim_[vip] + sip) + Distance(vim, vip);
      if (shift > 0) {
        MoveSubtree(Ancestor(vim, v, defaultAncestor), v, shift);
        sip += shift;
        sop += shift;
      }
      sim += mod_[vim];
      sip += mod_[vip];
      som += mod_[vom];
      sop += mod_[vop];
    }
    if (NextRight(vim) != kNone && NextRight(vop) == kNone) {
      thread_[vop] = NextRight(vim);
      mod_[vop] += sim - sop;
    }
    if (NextLeft(vip) != kNone && NextLeft(vom) == kNone) {
      thread_[vom] = NextLeft(vip);
      mod_[vom] += sip - som;
      defaultAncestor = v;
    }
  }

  Index Ancestor(Index vim, Index v, Index defaultAncestor) const {
    return Parent(ancestor_[vim]) == Parent(v) ? ancestor_[vim] : defaultAncestor;
  }

  // wp is the child being finished, the last placed one; wm a sibling
  // before it, placed by its number among them.
  void MoveSubtree(Index wm, Index wp, double shift) {
    const double subtrees = static_cast<double>(number_[wp] - number_[wm]);
    PlacedChild& right = placed_.back();
    PlacedChild& left = placed_[placed_.size() - number_[wp] + number_[wm] - 1];
    right.change -= shift / subtrees;
    right.shift += shift;
    left.change += shift / subtrees;
    prelim_[wp] += shift;
    mod_[wp] += shift;
  }

  // Spreads the shifts owed over the last `children` placed children.
  void ExecuteShifts(Index children) {
    double shift = 0, change = 0;
    for (std::size_t i = placed_.size(); i-- > placed_.size() - children;) {
      const PlacedChild& w = placed_[i];
      prelim_[w.box] += shift;
      mod_[w.box] += shift;
      change += w.change;
      shift += w.shift + change;
    }
  }

  const std::vector<LayoutItem>& items_;
  double gap_;
  Index root_;
  std::vector<Index> lastChild_, number_, thread_, ancestor_;
  std::vector<double> prelim_, mod_;
  std::vector<OpenBox> open_;        // the path from the root to the box at hand
  std::vector<PlacedChild> placed_;  // the open parents' finished children
};

// The near edge of each level: levels follow each other at the depth of
// their deepest box plus the gap, so every box of a level lines up.
std::vector<double> LevelStarts(const std::vector<LayoutItem>& items, const std::vector<Index>& levels,
                                double levelGap, double& extent) {
  std::vector<double> deepest;
  for (std::size_t v = 0; v < items.size(); ++v) {
    if (levels[v] >= deepest.size()) deepest.resize(levels[v] + 1, 0);
    deepest[levels[v]] = std::max(deepest[levels[v]], static_cast<double>(items[v].depth));
  }
  std::vector<double> starts(deepest.size(), 0);
  double at = 0;
  for (std::size_t level = 0; level < deepest.size(); ++level) {
    starts[level] = at;
    at += deepest[level] + levelGap;
  }
  extent = deepest.empty() ? 0 : at - levelGap;
  return starts;
}

}  // namespace

TreeLayout LayoutTidyTree(const std::vector<LayoutItem>& items, const LayoutSpacing& spacing) {
  TreeLayout layout;
  if (items.empty()) return layout;
  // The algorithm's working state goes before the rest is worked out.
  const std::vector<double> centres = [&] {
    TidyTree tree(items, spacing.siblingGap);
    tree.FirstWalk();
    return tree.TakeCentres();
  }();

  std::vector<Index> levels(items.size(), 0);
  for (std::size_t v = 0; v < items.size(); ++v) {
    if (items[v].parent != kNoLayoutParent) levels[v] = levels[items[v].parent] + 1;
  }
  const std::vector<double> starts = LevelStarts(items, levels, spacing.levelGap, layout.depthExtent);

  // Shift everything so the leftmost edge is at 0.
  double low = centres[0] - items[0].breadth / 2, high = centres[0] + items[0].breadth / 2;
  for (std::size_t v = 0; v < items.size(); ++v) {
    low = std::min(low, centres[v] - items[v].breadth / 2);
    high = std::max(high, centres[v] + items[v].breadth / 2);
  }
  layout.breadthExtent = high - low;
  layout.places.resize(items.size());
  for (std::size_t v = 0; v < items.size(); ++v) {
    layout.places[v] = {centres[v] - low, starts[levels[v]]};
  }
  return layout;
}

}  // namespace velmora
