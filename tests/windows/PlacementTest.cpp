// Where the dialogs appear and how large their units are: the step dialog,
// the About box, the node editor and the input box all go through these.
#include "win32/Placement.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "win32/DialogUnits.h"
#include "win32/Win32Handles.h"

namespace velmora::win32 {
namespace {

struct PlacementCase {
  const char* what;
  RECT area;
  SIZE size;
  POINT expected;
};

// A 1000 x 700 work area that starts below and right of the origin.
constexpr RECT kWork{100, 50, 1100, 750};

TEST(Placement, CentresOnTheAreaAndStaysInsideTheWorkArea) {
  const PlacementCase cases[] = {
      {"centred on an owner", {300, 200, 700, 500}, {200, 100}, {400, 300}},
      {"an odd pixel left over stays right and below", {300, 200, 701, 501}, {200, 100}, {400, 300}},
      {"on a point", {600, 400, 600, 400}, {201, 101}, {500, 350}},
      {"pushed back from the right and bottom edges", {1000, 700, 1100, 750}, {300, 200}, {800, 550}},
      {"pushed back from the left and top edges", {0, 0, 100, 50}, {300, 200}, {100, 50}},
      {"larger than the work area: the caption stays on it", {100, 50, 1100, 750}, {1200, 900}, {100, 50}},
  };
  for (const PlacementCase& c : cases) {
    const POINT topLeft = PlaceCentredIn(c.area, c.size, kWork);
    EXPECT_EQ(topLeft.x, c.expected.x) << c.what;
    EXPECT_EQ(topLeft.y, c.expected.y) << c.what;
  }
}

TEST(Placement, APointIsTheCentreOfAnEmptyArea) {
  const POINT centre = CentreOf(RECT{300, 200, 701, 501});
  EXPECT_EQ(centre.x, 500);
  EXPECT_EQ(centre.y, 350);
  const POINT onPoint = PlaceCentredOn(centre, {200, 100}, kWork);
  EXPECT_EQ(onPoint.x, 400);
  EXPECT_EQ(onPoint.y, 300);
}

TEST(Placement, AWindowIsCentredOnItsOwner) {
  const HWND owner = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 200, 150, 400, 300, nullptr, nullptr, nullptr, nullptr);
  const HWND window = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 100, 60, owner, nullptr, nullptr, nullptr);
  ASSERT_NE(owner, nullptr);
  ASSERT_NE(window, nullptr);
  CentreOnOwner(window, owner);
  RECT placed{};
  GetWindowRect(window, &placed);
  EXPECT_EQ(placed.left, 350);
  EXPECT_EQ(placed.top, 270);
  EXPECT_EQ(placed.right - placed.left, 100);
  DestroyWindow(window);
  DestroyWindow(owner);
}

// The dialog manager's own units for a dialog in the system font: the
// layout of the message-like dialogs must measure a font as it does.
TEST(DialogUnits, MeasureAFontAsTheDialogManagerDoes) {
  const WindowDc screen(nullptr);
  SelectedObject selected(screen.Get(), GetStockObject(SYSTEM_FONT));
  const DialogUnits units(screen.Get());
  const LONG base = GetDialogBaseUnits();
  EXPECT_EQ(units.X(4), LOWORD(base));
  EXPECT_EQ(units.Y(8), HIWORD(base));
}

}  // namespace
}  // namespace velmora::win32
