// How long the main window's tree view takes to show a large tree: the
// mirror's first fill and its patch after a one-node change, beside a raw
// TVM_INSERTITEMW loop over the same tree, for growing sizes, so that the
// growth (linear or not) shows in the ratios. The largest size is measured
// in several rounds and its median ratio printed beside its bound.
//
//   scripts/wine-run.sh --arch win64 --prefix $PWD/build/cross64/wineprefix
//       build/cross64/bench/TreeViewTiming.exe [largest size, default 100000] [rounds, default 3]
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "document/BranchRecord.h"
#include "TreeViewBench.h"
#include "app/win32/TreeViewMirror.h"
#include "document/Editor.h"

namespace {

using velmora::DecisionTree;
using velmora::TreeNode;
using velmora::bench::Stopwatch;
using velmora::bench::TreeViewWindow;

constexpr double kFillBound = 1.2;

// A yes/no tree filled level by level, every branch shown unfolded, as a
// large procedure is shown after an add or the node editor.
DecisionTree BuildTree(std::size_t count) {
  DecisionTree tree;
  std::vector<TreeNode*> open{tree.AddTopLevel("\x8E\xBF\x96\xE2 0", velmora::Question)};  // "質問 0"
  std::size_t next = 0;
  while (tree.Count() < count) {
    TreeNode* parent = open[next++];
    for (int answer = 0; answer < 2 && tree.Count() < count; ++answer) {
      const int kind = static_cast<int>(tree.Count() % 4);
      open.push_back(tree.AddChild(parent, "\x8E\xBF\x96\xE2 " + std::to_string(tree.Count()), kind));
    }
  }
  return tree;
}

struct MirrorTimes {
  double fill = 0;
  double patch = 0;
};

MirrorTimes MirrorFillAndPatch(HWND view, DecisionTree tree) {
  velmora::NullEditorView port;
  velmora::Editor editor(port);
  editor.ReplaceDocument(std::move(tree), velmora::DocumentState{});
  velmora::win32::TreeViewMirror mirror(view);
  MirrorTimes times;
  {
    Stopwatch watch;
    mirror.Sync(editor.Tree(), editor.Selected(), editor.Generation());
    UpdateWindow(view);
    times.fill = watch.Milliseconds();
  }
  // One command's worth of change: a text edited and an answer added deep
  // in the tree, then the selection moved there.
  TreeNode* last = editor.Tree().LastPreOrder();
  last->SetText("\x95\xD2\x8F\x57");  // "編集"
  TreeNode* added = editor.AddBranch(last, PackNode("\x81\x63", velmora::Unset));
  {
    Stopwatch watch;
    editor.Select(added);
    mirror.Sync(editor.Tree(), editor.Selected(), editor.Generation());
    UpdateWindow(view);
    times.patch = watch.Milliseconds();
  }
  return times;
}

struct Round {
  double raw = 0;
  MirrorTimes mirror;
};

// Each measurement in a window of its own, so neither fill inherits the
// other's item heap.
Round MeasureRound(const velmora::win32::EditorImageLists& images, std::size_t count) {
  Round round;
  {
    TreeViewWindow window(images);
    round.raw = velmora::bench::RawInsertLoop(window.View(), BuildTree(count));
    velmora::bench::Pump();
  }
  {
    TreeViewWindow window(images);
    round.mirror = MirrorFillAndPatch(window.View(), BuildTree(count));
    velmora::bench::Pump();
  }
  return round;
}

void PrintRow(std::size_t count, const Round& round) {
  std::printf("%10zu %14.1f %16.1f %16.2f %8.2f\n", count, round.raw, round.mirror.fill, round.mirror.patch,
              round.mirror.fill / round.raw);
  std::fflush(stdout);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const std::size_t largest = argc > 1 ? static_cast<std::size_t>(std::wcstoul(argv[1], nullptr, 10)) : 100000;
  const int rounds = argc > 2 ? static_cast<int>(std::wcstol(argv[2], nullptr, 10)) : 3;
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TREEVIEW_CLASSES};
  InitCommonControlsEx(&controls);
  const velmora::win32::EditorImageLists images;

  std::printf("%10s %14s %16s %16s %8s\n", "nodes", "raw insert ms", "mirror fill ms", "mirror patch ms",
              "fill/raw");
  for (std::size_t count = largest / 8; count < largest; count *= 2) PrintRow(count, MeasureRound(images, count));
  std::vector<double> ratios;
  for (int round = 0; round < rounds; ++round) {
    const Round measured = MeasureRound(images, largest);
    PrintRow(largest, measured);
    ratios.push_back(measured.mirror.fill / measured.raw);
  }
  const double median = velmora::bench::Median(ratios);
  std::printf("  first fill of %zu nodes / raw insert loop, median of %d: %.2f (bound: at most %.1f)%s\n", largest,
              rounds, median, kFillBound, median <= kFillBound ? "" : "  EXCEEDED");
  return 0;
}
