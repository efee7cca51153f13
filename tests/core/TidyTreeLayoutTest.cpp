// The tidy-tree layout of the diagram: boxes never overlap, siblings keep
// their order, a parent sits centred over its answers, and neither size nor
// depth of a tree breaks it.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "distribution/TidyTreeLayout.h"

namespace velmora {
namespace {

constexpr LayoutSpacing kSpacing{10, 30};

struct Rect {
  double left, top, right, bottom;
};

std::vector<Rect> RectsOf(const std::vector<LayoutItem>& items, const TreeLayout& layout) {
  std::vector<Rect> rects;
  for (std::size_t i = 0; i < items.size(); ++i) {
    const LayoutPlace& place = layout.places[i];
    rects.push_back({place.breadthCentre - items[i].breadth / 2, place.depthStart,
                     place.breadthCentre + items[i].breadth / 2, place.depthStart + items[i].depth});
  }
  return rects;
}

// Every pair of boxes, checked by a sweep over their left edges: the first
// pair that overlaps (by more than rounding) is reported.
std::string FirstOverlap(std::vector<Rect> rects) {
  constexpr double kSlack = 1e-6;
  std::sort(rects.begin(), rects.end(), [](const Rect& a, const Rect& b) { return a.left < b.left; });
  for (std::size_t i = 0; i < rects.size(); ++i) {
    for (std::size_t j = i + 1; j < rects.size() && rects[j].left < rects[i].right - kSlack; ++j) {
      if (rects[j].top < rects[i].bottom - kSlack && rects[i].top < rects[j].bottom - kSlack) {
        return "boxes at x " + std::to_string(rects[i].left) + " and " + std::to_string(rects[j].left) + " overlap";
      }
    }
  }
  return "";
}

// A random tree in pre-order: each node hangs below a random node of the
// path from the root to the previous node, so trees get both deep and bushy;
// many nodes get two answers, some one or three and more, boxes differ in
// size as texts do.
std::vector<LayoutItem> RandomTree(std::size_t count, unsigned seed) {
  std::mt19937 random(seed);
  std::uniform_real_distribution<float> breadth(20, 260), depth(30, 90);
  std::vector<LayoutItem> items;
  std::vector<LayoutIndex> path;
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t keep = path.empty() ? 0 : std::uniform_int_distribution<std::size_t>(0, path.size())(random);
    path.resize(keep);
    items.push_back({path.empty() ? kNoLayoutParent : path.back(), breadth(random), depth(random)});
    path.push_back(static_cast<LayoutIndex>(i));
  }
  return items;
}

class RandomTrees : public ::testing::TestWithParam<std::size_t> {};

TEST_P(RandomTrees, PlaceNoTwoBoxesOverEachOtherAndCentreParents) {
  for (unsigned seed = 1; seed <= 3; ++seed) {
    const std::vector<LayoutItem> items = RandomTree(GetParam(), seed * 7919U + static_cast<unsigned>(GetParam()));
    const TreeLayout layout = LayoutTidyTree(items, kSpacing);
    ASSERT_EQ(layout.places.size(), items.size());
    EXPECT_EQ(FirstOverlap(RectsOf(items, layout)), "") << "seed " << seed;

    std::vector<std::size_t> first(items.size(), kNoLayoutParent), last(items.size(), kNoLayoutParent);
    for (std::size_t i = 0; i < items.size(); ++i) {
      const std::size_t parent = items[i].parent;
      if (parent == kNoLayoutParent) continue;
      if (last[parent] != kNoLayoutParent) {
        // Siblings left to right, at least the gap apart.
        const std::size_t left = last[parent];
        EXPECT_GE(layout.places[i].breadthCentre - items[i].breadth / 2,
                  layout.places[left].breadthCentre + items[left].breadth / 2 + kSpacing.siblingGap - 1e-6);
      }
      if (first[parent] == kNoLayoutParent) first[parent] = i;
      last[parent] = i;
      EXPECT_GE(layout.places[i].depthStart, layout.places[parent].depthStart + items[parent].depth +
                                                  kSpacing.levelGap - 1e-6);
    }
    for (std::size_t i = 0; i < items.size(); ++i) {
      if (first[i] == kNoLayoutParent) continue;
      const double middle = (layout.places[first[i]].breadthCentre + layout.places[last[i]].breadthCentre) / 2;
      EXPECT_NEAR(layout.places[i].breadthCentre, middle, 1e-6);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Sizes, RandomTrees, ::testing::Values(1U, 2U, 7U, 100U, 1000U, 10000U));

TEST(TidyTreeLayout, StartsAtZeroAndReportsTheDrawingsExtent) {
  // A root with two answers of different widths.
  const std::vector<LayoutItem> items = {{kNoLayoutParent, 40, 20}, {0, 100, 30}, {0, 60, 50}};
  const TreeLayout layout = LayoutTidyTree(items, kSpacing);
  EXPECT_DOUBLE_EQ(layout.places[1].breadthCentre, 50);
  EXPECT_DOUBLE_EQ(layout.places[2].breadthCentre, 100 + 10 + 30);
  EXPECT_DOUBLE_EQ(layout.places[0].breadthCentre, (50 + 140) / 2.0);
  EXPECT_DOUBLE_EQ(layout.breadthExtent, 170);
  EXPECT_DOUBLE_EQ(layout.places[1].depthStart, 20 + 30);
  EXPECT_DOUBLE_EQ(layout.places[2].depthStart, 20 + 30);
  EXPECT_DOUBLE_EQ(layout.depthExtent, 20 + 30 + 50);
}

TEST(TidyTreeLayout, PlacesAChainTenThousandLevelsDeepWithoutRecursing) {
  std::vector<LayoutItem> items;
  for (LayoutIndex i = 0; i < 10000; ++i) items.push_back({i == 0 ? kNoLayoutParent : i - 1, 50, 10});
  const TreeLayout layout = LayoutTidyTree(items, kSpacing);
  EXPECT_DOUBLE_EQ(layout.places.back().breadthCentre, 25);
  EXPECT_DOUBLE_EQ(layout.places.back().depthStart, 9999 * 40.0);
}

TEST(TidyTreeLayout, DrawsASubtreeTheSameWhereverItStands) {
  // The same three-node subtree under both answers of a root.
  const std::vector<LayoutItem> items = {{kNoLayoutParent, 30, 10}, {0, 30, 10}, {1, 80, 10}, {1, 20, 10},
                                         {0, 30, 10},               {4, 80, 10}, {4, 20, 10}};
  const TreeLayout layout = LayoutTidyTree(items, kSpacing);
  const double offset = layout.places[4].breadthCentre - layout.places[1].breadthCentre;
  EXPECT_DOUBLE_EQ(layout.places[5].breadthCentre - layout.places[2].breadthCentre, offset);
  EXPECT_DOUBLE_EQ(layout.places[6].breadthCentre - layout.places[3].breadthCentre, offset);
  EXPECT_EQ(FirstOverlap(RectsOf(items, layout)), "");
}

TEST(TidyTreeLayout, PutsSeveralTopLevelNodesSideBySide) {
  const std::vector<LayoutItem> items = {{kNoLayoutParent, 30, 10}, {0, 50, 10}, {kNoLayoutParent, 30, 10}};
  const TreeLayout layout = LayoutTidyTree(items, kSpacing);
  EXPECT_EQ(FirstOverlap(RectsOf(items, layout)), "");
  EXPECT_DOUBLE_EQ(layout.places[0].depthStart, layout.places[2].depthStart);
  EXPECT_LT(layout.places[0].breadthCentre, layout.places[2].breadthCentre);
}

TEST(TidyTreeLayout, AnEmptyTreeHasNoExtent) {
  const TreeLayout layout = LayoutTidyTree({}, kSpacing);
  EXPECT_TRUE(layout.places.empty());
  EXPECT_EQ(layout.breadthExtent, 0);
}

}  // namespace
}  // namespace velmora
