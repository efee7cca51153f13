#pragma once
// Where the main window's controls go for a given client size. The design
// is fixed at 96 pixels per inch for a client area of 456 x 413; this
// computes the same arrangement for any size, following the anchors: the
// title box and the tree stretch to the right, the tree also to the bottom,
// the colour buttons stay at the top right of their group box, and the
// bottom panel keeps its height of 65 and its column shares.

namespace velmora {

struct ControlRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  bool operator==(const ControlRect& o) const {
    return left == o.left && top == o.top && width == o.width && height == o.height;
  }
};

struct MainWindowLayout {
  ControlRect ToolBar1;
  ControlRect GroupBox1;
  ControlRect LabeledEdit1Label;
  ControlRect LabeledEdit1;
  ControlRect Label1;
  ControlRect TreeView1;
  ControlRect ColourLabel;
  ControlRect ProgressByGreen1;
  ControlRect ProgressByYellow1;
  ControlRect ProgressByRed1;
  ControlRect GridPanel1;
  ControlRect GroupBox2;
  ControlRect PreViewBtn;
  ControlRect GenerateBtn;
  ControlRect ExitBtn;
};

// Labels size themselves to their text, as the designer's labels do; these
// are the widths the design was drawn with.
struct LabelWidths {
  int titleLabel = 64;
  int treeLabel = 46;
  // The colour buttons' label, right-aligned before the first of them.
  int colourLabel = 60;
};

constexpr int kDesignClientWidth = 456;
constexpr int kDesignClientHeight = 413;
constexpr int kDesignDpi = 96;

// All rectangles are in client coordinates of the main window, in pixels at
// 96 DPI. `captionHeight` is the height of a group box caption's text, which
// decides where the distribution buttons start inside their group box.
MainWindowLayout ComputeMainWindowLayout(int clientWidth, int clientHeight, int captionHeight = 12,
                                         LabelWidths labels = {});

// Multiplies every rectangle by dpi / 96.
MainWindowLayout ScaleLayout(const MainWindowLayout& layout, int dpi);

}  // namespace velmora
