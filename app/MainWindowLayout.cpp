#include "app/MainWindowLayout.h"

#include <algorithm>

namespace velmora {

namespace {

// The designer's numbers (96 DPI).
constexpr int kToolBarHeight = 22;
constexpr int kGridPanelHeight = 65;
// The first column's share of the bottom panel, in millionths (65.4711 %).
constexpr long long kFirstColumnShare = 654711;
constexpr long long kWholeShare = 1000000;

// GroupBox1's margins: left 2, top 4, right 2, bottom 2.
constexpr int kGroupBox1Left = 2;
constexpr int kGroupBox1Top = 4;
constexpr int kGroupBox1Right = 2;
constexpr int kGroupBox1Bottom = 2;

// A group box's frame takes this much inside its outline besides its caption.
constexpr int kGroupBoxFrame = 2;
// The standard margin of a control aligned with margins.
constexpr int kStandardMargin = 3;

ControlRect Offset(ControlRect rect, int dx, int dy) {
  rect.left += dx;
  rect.top += dy;
  return rect;
}

ControlRect Inset(const ControlRect& cell, int left, int top, int right, int bottom) {
  return {cell.left + left, cell.top + top, std::max(0, cell.width - left - right),
          std::max(0, cell.height - top - bottom)};
}

// GroupBox1's children are anchored inside it; positions are relative to the
// group box as designed at 452 x 320.
void LayOutDefinitionGroup(MainWindowLayout& layout, const LabelWidths& labels) {
  const ControlRect& box = layout.GroupBox1;
  const int growX = box.width - 452;
  const int growY = box.height - 320;
  layout.LabeledEdit1 = Offset({10, 34, std::max(0, 431 + growX), 20}, box.left, box.top);
  // The label sits above its edit box, three pixels apart.
  layout.LabeledEdit1Label = Offset({10, 34 - 3 - 12, labels.titleLabel, 12}, box.left, box.top);
  layout.Label1 = Offset({10, 61, labels.treeLabel, 12}, box.left, box.top);
  layout.TreeView1 = Offset({10, 78, std::max(0, 431 + growX), std::max(0, 231 + growY)}, box.left, box.top);
  layout.ProgressByGreen1 = Offset({327 + growX, 16, 32, 17}, box.left, box.top);
  // The colours' group: its caption before the buttons, and the buttons.
  layout.ColourLabel =
      Offset({327 + growX - 4 - labels.colourLabel, 16, labels.colourLabel + 4 + 108, 17}, box.left, box.top);
  layout.ProgressByYellow1 = Offset({365 + growX, 16, 32, 17}, box.left, box.top);
  layout.ProgressByRed1 = Offset({403 + growX, 16, 32, 17}, box.left, box.top);
}

// Percent columns take their truncated share; the last column takes the
// rest, so the columns always fill the panel exactly.
void LayOutBottomPanel(MainWindowLayout& layout, int captionHeight) {
  const ControlRect& panel = layout.GridPanel1;
  const int firstWidth = static_cast<int>(panel.width * kFirstColumnShare / kWholeShare);
  const ControlRect firstCell{panel.left, panel.top, firstWidth, panel.height};
  const ControlRect secondCell{panel.left + firstWidth, panel.top, panel.width - firstWidth, panel.height};

  layout.GroupBox2 = Inset(firstCell, 1, 0, 1, 0);
  // GridPanel2 fills the group box's client area (inside the frame, below the
  // caption) with the standard margins.
  const ControlRect inner = Inset(layout.GroupBox2, kGroupBoxFrame, captionHeight + kGroupBoxFrame, kGroupBoxFrame,
                                  kGroupBoxFrame);
  const ControlRect grid = Inset(inner, kStandardMargin, kStandardMargin, kStandardMargin, kStandardMargin);
  const int half = grid.width / 2;
  const ControlRect previewCell{grid.left, grid.top, half, grid.height};
  const ControlRect generateCell{grid.left + half, grid.top, grid.width - half, grid.height};
  layout.PreViewBtn = Inset(previewCell, 6, 2, 6, 6);
  layout.GenerateBtn = Inset(generateCell, 6, 2, 6, 6);
  layout.ExitBtn = Inset(secondCell, 14, 19, 14, 11);
}

ControlRect ScaleRect(const ControlRect& r, int dpi) {
  auto scale = [dpi](int v) { return static_cast<int>((static_cast<long long>(v) * dpi + kDesignDpi / 2) / kDesignDpi); };
  const int left = scale(r.left);
  const int top = scale(r.top);
  return {left, top, scale(r.left + r.width) - left, scale(r.top + r.height) - top};
}

}  // namespace

MainWindowLayout ComputeMainWindowLayout(int clientWidth, int clientHeight, int captionHeight,
                                         LabelWidths labels) {
  MainWindowLayout layout;
  layout.ToolBar1 = {0, 0, clientWidth, kToolBarHeight};
  layout.GridPanel1 = {0, clientHeight - kGridPanelHeight, clientWidth, kGridPanelHeight};
  const int groupTop = kToolBarHeight + kGroupBox1Top;
  layout.GroupBox1 = {kGroupBox1Left, groupTop, std::max(0, clientWidth - kGroupBox1Left - kGroupBox1Right),
                      std::max(0, layout.GridPanel1.top - kGroupBox1Bottom - groupTop)};
  LayOutDefinitionGroup(layout, labels);
  LayOutBottomPanel(layout, captionHeight);
  return layout;
}

MainWindowLayout ScaleLayout(const MainWindowLayout& l, int dpi) {
  if (dpi == kDesignDpi) return l;
  MainWindowLayout s;
  s.ToolBar1 = ScaleRect(l.ToolBar1, dpi);
  s.GroupBox1 = ScaleRect(l.GroupBox1, dpi);
  s.LabeledEdit1Label = ScaleRect(l.LabeledEdit1Label, dpi);
  s.LabeledEdit1 = ScaleRect(l.LabeledEdit1, dpi);
  s.Label1 = ScaleRect(l.Label1, dpi);
  s.TreeView1 = ScaleRect(l.TreeView1, dpi);
  s.ColourLabel = ScaleRect(l.ColourLabel, dpi);
  s.ProgressByGreen1 = ScaleRect(l.ProgressByGreen1, dpi);
  s.ProgressByYellow1 = ScaleRect(l.ProgressByYellow1, dpi);
  s.ProgressByRed1 = ScaleRect(l.ProgressByRed1, dpi);
  s.GridPanel1 = ScaleRect(l.GridPanel1, dpi);
  s.GroupBox2 = ScaleRect(l.GroupBox2, dpi);
  s.PreViewBtn = ScaleRect(l.PreViewBtn, dpi);
  s.GenerateBtn = ScaleRect(l.GenerateBtn, dpi);
  s.ExitBtn = ScaleRect(l.ExitBtn, dpi);
  return s;
}

}  // namespace velmora
