#include "distribution/TidyTreeLayout.h"

#include <algorithm>

namespace velmora {
namespace {

constexpr std::size_t kNone = kNoLayoutParent;

// The working state of Buchheim's algorithm, one slot per box plus a
// zero-sized root above the top level that ties a forest together.
class TidyTree {
 public:
  TidyTree(const std::vector<LayoutItem>& items, double gap) : items_(items), gap_(gap), root_(items.size()) {
    const std::size_t count = items.size() + 1;
    parent_.assign(count, kNone);
    firstChild_.assign(count, kNone);
    lastChild_.assign(count, kNone);
    previous_.assign(count, kNone);
    next_.assign(count, kNone);
    number_.assign(count, 0);
    prelim_.assign(count, 0);
    mod_.assign(count, 0);
    shift_.assign(count, 0);
    change_.assign(count, 0);
    thread_.assign(count, kNone);
    ancestor_.resize(count);
    defaultAncestor_.assign(count, kNone);
    for (std::size_t v = 0; v < count; ++v) ancestor_[v] = v;
    for (std::size_t v = 0; v < items.size(); ++v) Link(v, items[v].parent == kNone ? root_ : items[v].parent);
  }

  // First walk in post-order, children left to right, without recursion:
  // the reverse of a pre-order that visits children right to left.
  void FirstWalk() {
    std::vector<std::size_t> order;
    order.reserve(parent_.size());
    std::vector<std::size_t> stack{root_};
    while (!stack.empty()) {
      const std::size_t v = stack.back();
      stack.pop_back();
      order.push_back(v);
      for (std::size_t w = firstChild_[v]; w != kNone; w = next_[w]) stack.push_back(w);
    }
    for (auto it = order.rbegin(); it != order.rend(); ++it) Finish(*it);
  }

  // Second walk: each box at its preliminary place plus its ancestors' mods.
  std::vector<double> Centres() const {
    std::vector<double> modSum(parent_.size(), 0);
    std::vector<double> centres(items_.size());
    modSum[root_] = mod_[root_];
    for (std::size_t v = 0; v < items_.size(); ++v) {
      const std::size_t p = parent_[v];
      centres[v] = prelim_[v] + modSum[p];
      modSum[v] = modSum[p] + mod_[v];
    }
    return centres;
  }

 private:
  void Link(std::size_t v, std::size_t parent) {
    parent_[v] = parent;
    if (firstChild_[parent] == kNone) {
      firstChild_[parent] = v;
      number_[v] = 1;
    } else {
      previous_[v] = lastChild_[parent];
      next_[lastChild_[parent]] = v;
      number_[v] = number_[lastChild_[parent]] + 1;
    }
    lastChild_[parent] = v;
  }

  double Size(std::size_t v) const { return v == root_ ? 0 : items_[v].breadth; }
  // Centre-to-centre distance that keeps two neighbouring boxes apart.
  double Distance(std::size_t left, std::size_t right) const { return (Size(left) + Size(right)) / 2 + gap_; }
  std::size_t NextLeft(std::size_t v) const { return firstChild_[v] != kNone ? firstChild_[v] : thread_[v]; }
  std::size_t NextRight(std::size_t v) const { return lastChild_[v] != kNone ? lastChild_[v] : thread_[v]; }

  // Called once the subtrees of all of v's children are placed (and v's
  // left siblings are finished): v's own place, then v against its left
  // siblings.
  void Finish(std::size_t v) {
    const std::size_t left = previous_[v];
    if (firstChild_[v] == kNone) {
      prelim_[v] = left != kNone ? prelim_[left] + Distance(left, v) : 0;
    } else {
      ExecuteShifts(v);
      const double midpoint = (prelim_[firstChild_[v]] + prelim_[lastChild_[v]]) / 2;
      if (left != kNone) {
        prelim_[v] = prelim_[left] + Distance(left, v);
        mod_[v] = prelim_[v] - midpoint;
      } else {
        prelim_[v] = midpoint;
      }
    }
    if (v == root_) return;
    const std::size_t p = parent_[v];
    if (defaultAncestor_[p] == kNone) defaultAncestor_[p] = firstChild_[p];
    Apportion(v, defaultAncestor_[p]);
  }

  // Pushes v's subtree right until, level by level, it clears the subtrees
  // of its left siblings; the shift is spread over the siblings between.
  void Apportion(std::size_t v, std::size_t& defaultAncestor) {
    const std::size_t w = previous_[v];
    if (w == kNone) return;
    std::size_t vip = v, vop = v, vim = w, vom = firstChild_[parent_[v]];
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

  std::size_t Ancestor(std::size_t vim, std::size_t v, std::size_t defaultAncestor) const {
    return parent_[ancestor_[vim]] == parent_[v] ? ancestor_[vim] : defaultAncestor;
  }

  void MoveSubtree(std::size_t wm, std::size_t wp, double shift) {
    const double subtrees = static_cast<double>(number_[wp] - number_[wm]);
    change_[wp] -= shift / subtrees;
    shift_[wp] += shift;
    change_[wm] += shift / subtrees;
    prelim_[wp] += shift;
    mod_[wp] += shift;
  }

  void ExecuteShifts(std::size_t v) {
    double shift = 0, change = 0;
    for (std::size_t w = lastChild_[v]; w != kNone; w = previous_[w]) {
      prelim_[w] += shift;
      mod_[w] += shift;
      change += change_[w];
      shift += shift_[w] + change;
    }
  }

  const std::vector<LayoutItem>& items_;
  double gap_;
  std::size_t root_;
  std::vector<std::size_t> parent_, firstChild_, lastChild_, previous_, next_, number_;
  std::vector<double> prelim_, mod_, shift_, change_;
  std::vector<std::size_t> thread_, ancestor_, defaultAncestor_;
};

// The near edge of each level: levels follow each other at the depth of
// their deepest box plus the gap, so every box of a level lines up.
std::vector<double> LevelStarts(const std::vector<LayoutItem>& items, const std::vector<std::size_t>& levels,
                                double levelGap, double& extent) {
  std::vector<double> deepest;
  for (std::size_t v = 0; v < items.size(); ++v) {
    if (levels[v] >= deepest.size()) deepest.resize(levels[v] + 1, 0);
    deepest[levels[v]] = std::max(deepest[levels[v]], items[v].depth);
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
  TidyTree tree(items, spacing.siblingGap);
  tree.FirstWalk();
  std::vector<double> centres = tree.Centres();

  std::vector<std::size_t> levels(items.size(), 0);
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
