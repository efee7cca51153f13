// Where a restored window may open: where the user left it while its
// caption can be grabbed, otherwise moved just inside the nearest work area.
#include "app/WindowPlacement.h"

#include <gtest/gtest.h>

#include <string>

namespace velmora {
namespace {

constexpr PlacementRect kWorkArea{0, 0, 1280, 984};
constexpr PixelSize kLaidOut{472, 472};

struct ReachCase {
  const char* name;
  PlacementRect given;
  PlacementRect expected;
};

class ReachableRectTest : public ::testing::TestWithParam<ReachCase> {};

TEST_P(ReachableRectTest, KeepsTheCaptionWithinReach) {
  EXPECT_EQ(ReachableRect(GetParam().given, kWorkArea, kLaidOut), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReachableRectTest,
    ::testing::Values(
        ReachCase{"InsideStays", {100, 80, 700, 560}, {100, 80, 700, 560}},
        ReachCase{"PartlyOffTheRightEdgeStays", {1200, 80, 1800, 560}, {1200, 80, 1800, 560}},
        ReachCase{"BottomBelowTheScreenStays", {100, 900, 700, 1380}, {100, 900, 700, 1380}},
        ReachCase{"TooLittleOnTheScreenMovesIn", {1250, 80, 1850, 560}, {680, 80, 1280, 560}},
        ReachCase{"CaptionAboveTheScreenMovesDown", {100, -30, 700, 450}, {100, 0, 700, 480}},
        ReachCase{"CaptionBelowTheScreenMovesUp", {100, 960, 700, 1440}, {100, 504, 700, 984}},
        ReachCase{"FarOffMovesToTheNearestCorner", {-5000, -5000, -4400, -4520}, {0, 0, 600, 480}},
        ReachCase{"LargerThanTheScreenShrinks", {-3000, 2000, 3000, 6000}, {0, 0, 1280, 984}},
        ReachCase{"WithoutAreaTakesTheLaidOutSize", {100, 80, 50, 80}, {100, 80, 572, 552}}),
    [](const ::testing::TestParamInfo<ReachCase>& info) { return std::string(info.param.name); });

TEST(WindowStateFromNumber, OnlyOneAndTwoAreNotNormal) {
  EXPECT_EQ(WindowStateFromNumber(0), WindowState::Normal);
  EXPECT_EQ(WindowStateFromNumber(1), WindowState::Minimised);
  EXPECT_EQ(WindowStateFromNumber(2), WindowState::Maximised);
  EXPECT_EQ(WindowStateFromNumber(7), WindowState::Normal);
  EXPECT_EQ(WindowStateFromNumber(-1), WindowState::Normal);
}

}  // namespace
}  // namespace velmora
