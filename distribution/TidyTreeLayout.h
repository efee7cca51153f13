#pragma once
// Places the boxes of a tree for a diagram: the tidy-tree layout of
// Reingold and Tilford in Buchheim, Jünger and Leipert's linear-time form,
// for boxes of different sizes. Parents sit centred over their children,
// subtrees are packed as close as their contours allow without two boxes
// touching, and a subtree is drawn the same wherever it stands.
//
// The layout knows two axes only: breadth (across siblings) and depth (down
// the levels); the diagram maps them to x and y, or to y and x for a tree
// drawn from left to right. Nothing recurses: procedures may be thousands of
// levels deep.

#include <cstdint>
#include <vector>

namespace velmora {

// Boxes are counted in 32 bits (a tree file cannot hold two thousand million
// lines), so that the lists of a diagram of a million boxes take half the
// room.
using LayoutIndex = std::uint32_t;
inline constexpr LayoutIndex kNoLayoutParent = ~LayoutIndex{0};

// One box, given in pre-order (every parent before its children, siblings in
// their order). Nodes without a parent stand side by side at the top. Sizes
// in single precision: exact for boxes up to 16 million pixels, a line of two
// million characters; places are worked out in double precision.
struct LayoutItem {
  LayoutIndex parent = kNoLayoutParent;
  float breadth = 0;  // the box's extent across siblings
  float depth = 0;    // its extent along the levels
};

struct LayoutSpacing {
  double siblingGap = 0;  // least space between two boxes of one level
  double levelGap = 0;    // space between the deepest box of a level and the next level
};

// Where a box goes: its centre across the breadth, its near edge along the
// depth (all boxes of a level share it). Coordinates start at 0.
struct LayoutPlace {
  double breadthCentre = 0;
  double depthStart = 0;
};

struct TreeLayout {
  std::vector<LayoutPlace> places;  // in the order of the items
  double breadthExtent = 0;         // the whole drawing's size
  double depthExtent = 0;
};

TreeLayout LayoutTidyTree(const std::vector<LayoutItem>& items, const LayoutSpacing& spacing);

}  // namespace velmora
