// Where the main window's controls go: at the design size exactly where the
// designer put them, and at any other size following the anchors (the title
// box and the tree stretch, the colour buttons keep to the top right, the
// bottom panel keeps its height of 65 and its column shares).
#include "app/MainWindowLayout.h"

#include <gtest/gtest.h>

#include <ostream>

namespace velmora {

void PrintTo(const ControlRect& r, std::ostream* out) {
  *out << '(' << r.left << ", " << r.top << ", " << r.width << ", " << r.height << ')';
}

namespace {

int Right(const ControlRect& r) { return r.left + r.width; }
int Bottom(const ControlRect& r) { return r.top + r.height; }

TEST(MainWindowLayout, PutsEveryControlWhereTheDesignHasItAtTheDesignSize) {
  const MainWindowLayout l = ComputeMainWindowLayout(kDesignClientWidth, kDesignClientHeight);
  EXPECT_EQ(l.ToolBar1, (ControlRect{0, 0, 456, 22}));
  EXPECT_EQ(l.GroupBox1, (ControlRect{2, 26, 452, 320}));
  // The group box's children sit at their designed places inside it.
  EXPECT_EQ(l.LabeledEdit1, (ControlRect{2 + 10, 26 + 34, 431, 20}));
  EXPECT_EQ(l.Label1, (ControlRect{2 + 10, 26 + 61, 46, 12}));
  EXPECT_EQ(l.TreeView1, (ControlRect{2 + 10, 26 + 78, 431, 231}));
  EXPECT_EQ(l.ProgressByGreen1, (ControlRect{2 + 327, 26 + 16, 32, 17}));
  EXPECT_EQ(l.ProgressByYellow1, (ControlRect{2 + 365, 26 + 16, 32, 17}));
  EXPECT_EQ(l.ProgressByRed1, (ControlRect{2 + 403, 26 + 16, 32, 17}));
  EXPECT_EQ(l.GridPanel1, (ControlRect{0, 348, 456, 65}));
  // 65.4711 % of 456 is 298.5: the first column takes 298, the exit button's
  // column the remaining 158; margins 1, 0, 1, 0 and 14, 19, 14, 11.
  EXPECT_EQ(l.GroupBox2, (ControlRect{1, 348, 296, 65}));
  EXPECT_EQ(l.ExitBtn, (ControlRect{298 + 14, 348 + 19, 158 - 28, 65 - 30}));
}

struct ClientSize {
  int width;
  int height;
};

class MainWindowResize : public ::testing::TestWithParam<ClientSize> {};

TEST_P(MainWindowResize, FollowsTheAnchors) {
  const ClientSize size = GetParam();
  const MainWindowLayout design = ComputeMainWindowLayout(kDesignClientWidth, kDesignClientHeight);
  const MainWindowLayout l = ComputeMainWindowLayout(size.width, size.height);
  const int growX = size.width - kDesignClientWidth;
  const int growY = size.height - kDesignClientHeight;

  EXPECT_EQ(l.ToolBar1, (ControlRect{0, 0, size.width, 22}));
  // The definition group fills the space between toolbar and bottom panel.
  EXPECT_EQ(l.GroupBox1, (ControlRect{2, 26, 452 + growX, 320 + growY}));

  // Title box: left and top fixed, stretched to the right.
  EXPECT_EQ(l.LabeledEdit1, (ControlRect{12, 60, 431 + growX, 20}));
  EXPECT_EQ(l.LabeledEdit1Label, design.LabeledEdit1Label);
  EXPECT_EQ(l.Label1, design.Label1);
  // Tree: anchored on all four sides.
  EXPECT_EQ(l.TreeView1, (ControlRect{12, 104, 431 + growX, 231 + growY}));
  EXPECT_EQ(Right(l.GroupBox1) - Right(l.TreeView1), Right(design.GroupBox1) - Right(design.TreeView1));
  EXPECT_EQ(Bottom(l.GroupBox1) - Bottom(l.TreeView1), Bottom(design.GroupBox1) - Bottom(design.TreeView1));

  // Colour buttons: same top, same distance from the group box's right edge.
  for (auto button : {&MainWindowLayout::ProgressByGreen1, &MainWindowLayout::ProgressByYellow1,
                      &MainWindowLayout::ProgressByRed1}) {
    EXPECT_EQ((l.*button).top, (design.*button).top);
    EXPECT_EQ((l.*button).width, (design.*button).width);
    EXPECT_EQ(Right(l.GroupBox1) - Right(l.*button), Right(design.GroupBox1) - Right(design.*button));
  }

  // Bottom panel: docked at the bottom, 65 high, columns 65.4711 : 34.5289
  // that always fill it exactly.
  EXPECT_EQ(l.GridPanel1, (ControlRect{0, size.height - 65, size.width, 65}));
  const int firstColumn = static_cast<int>(static_cast<long long>(size.width) * 654711 / 1000000);
  EXPECT_EQ(l.GroupBox2, (ControlRect{1, size.height - 65, firstColumn - 2, 65}));
  EXPECT_EQ(l.ExitBtn, (ControlRect{firstColumn + 14, size.height - 65 + 19, size.width - firstColumn - 28, 35}));
  // The preview and generate buttons share the distribution group's width.
  EXPECT_EQ(l.PreViewBtn.top, l.GenerateBtn.top);
  // 65 less the group box's caption and frame (12 + 2 + 2), the inner panel's
  // margins (3 + 3) and the buttons' own (2 + 6).
  EXPECT_EQ(l.PreViewBtn.height, 35);
  EXPECT_LE(Right(l.PreViewBtn), l.GenerateBtn.left);
  EXPECT_LT(Right(l.GenerateBtn), Right(l.GroupBox2));
  EXPECT_LE(l.GenerateBtn.width - l.PreViewBtn.width, 1);
}

INSTANTIATE_TEST_SUITE_P(Sizes, MainWindowResize,
                         ::testing::Values(ClientSize{456, 413}, ClientSize{457, 414}, ClientSize{800, 600},
                                           ClientSize{1920, 413}, ClientSize{456, 1000}, ClientSize{1001, 777}));

TEST(MainWindowLayout, NeverGivesAControlANegativeSizeWhenTheWindowIsTiny) {
  for (const ClientSize size : {ClientSize{0, 0}, ClientSize{40, 30}, ClientSize{120, 90}}) {
    const MainWindowLayout l = ComputeMainWindowLayout(size.width, size.height);
    for (const ControlRect& r : {l.GroupBox1, l.LabeledEdit1, l.TreeView1, l.GroupBox2, l.PreViewBtn,
                                 l.GenerateBtn, l.ExitBtn}) {
      EXPECT_GE(r.width, 0);
      EXPECT_GE(r.height, 0);
    }
  }
}

TEST(MainWindowLayout, ScalesEdgesSoNeighboursStillMeetAtHigherDpi) {
  const MainWindowLayout design = ComputeMainWindowLayout(kDesignClientWidth, kDesignClientHeight);
  EXPECT_EQ(ScaleLayout(design, 96).TreeView1, design.TreeView1);
  const MainWindowLayout at144 = ScaleLayout(design, 144);
  EXPECT_EQ(at144.GroupBox1, (ControlRect{3, 39, 678, 480}));
  EXPECT_EQ(at144.GridPanel1, (ControlRect{0, 522, 684, 98}));
  // At 120 DPI the edges are rounded, not the sizes: the panel still ends at
  // the scaled client height.
  const MainWindowLayout at120 = ScaleLayout(design, 120);
  EXPECT_EQ(Bottom(at120.GridPanel1), (kDesignClientHeight * 120 + 48) / 96);
  EXPECT_EQ(Right(at120.ToolBar1), kDesignClientWidth * 120 / 96);
}

}  // namespace
}  // namespace velmora
