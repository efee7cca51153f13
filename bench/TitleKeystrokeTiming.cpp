// What one keystroke in the title box costs in the real main window, for
// documents of growing size: the keystroke reaches the core as a title
// change and the window renders the view, which leaves the tree view alone
// when the tree's revision did not move. The cost is therefore flat in the
// tree size; the ratio of the largest size to the smallest is printed
// beside its bound, with the tree view's item updates (which must be none).
//
//   scripts/wine-run.sh --arch win64 --prefix $PWD/build/cross64/wineprefix
//       build/cross64/bench/TitleKeystrokeTiming.exe [largest size, default 100000] [keystrokes, default 200]
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "BenchTrees.h"
#include "TreeViewBench.h"
#include "app/win32/Unit1.h"
#include "files/TreeFile.h"

namespace {

using velmora::bench::Stopwatch;

// Keystrokes in a document of the largest size may cost at most this many
// times those in the smallest: flat, with room for a busy machine.
constexpr double kFlatBound = 2.0;

struct Measured {
  std::size_t items = 0;
  double perKeystroke = 0;
  std::size_t itemUpdates = 0;
};

// Opens a document of `nodes` nodes in a fresh main window and types
// `keystrokes` characters into its title box, one message each.
Measured MeasureSize(std::size_t nodes, int keystrokes) {
  wchar_t folder[MAX_PATH + 1] = {};
  GetTempPathW(MAX_PATH + 1, folder);
  const std::wstring path = std::wstring(folder) + L"velmora-title-timing.tre";
  velmora::DocumentState state;
  state.Title = "Benchmark";
  velmora::win32::Win32FileSystem().WriteFileAtomically(
      velmora::win32::FromWidePath(path), velmora::BuildTreeText(velmora::bench::MakeBenchmarkTree(nodes), state));

  velmora::bench::AnsweringMessageBoxes boxes;
  velmora::win32::MainWindowPorts ports;
  ports.messages = &boxes;
  velmora::win32::TForm1 form(GetModuleHandleW(nullptr), "Velmora", velmora::win32::RunningProgramPath(), ports);
  form.ShowFirstTime(SW_SHOWNOACTIVATE, {path});
  velmora::bench::Pump();
  DeleteFileW(path.c_str());

  HWND box = form.Controls().LabeledEdit1;
  const velmora::win32::TreeViewMirror::Counters before = form.TreeView().Statistics();
  std::wstring title = L"Benchmark";
  Measured measured;
  {
    Stopwatch watch;
    for (int key = 0; key < keystrokes; ++key) {
      title += static_cast<wchar_t>(L'a' + key % 26);
      // What a typed character does to the box: its text changes and it
      // tells its parent (EN_CHANGE).
      SendMessageW(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(title.c_str()));
    }
    measured.perKeystroke = watch.Milliseconds() / keystrokes;
  }
  const velmora::win32::TreeViewMirror::Counters after = form.TreeView().Statistics();
  measured.itemUpdates = (after.inserted - before.inserted) + (after.deleted - before.deleted) +
                         (after.updated - before.updated) + (after.expansions - before.expansions);
  measured.items = static_cast<std::size_t>(SendMessageW(form.Controls().TreeView1, TVM_GETCOUNT, 0, 0));
  if (form.Model().State().Title != velmora::win32::ToCp932(title)) std::fprintf(stderr, "the title was not taken\n");
  velmora::bench::Pump();
  return measured;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const std::size_t largest = argc > 1 ? static_cast<std::size_t>(std::wcstoul(argv[1], nullptr, 10)) : 100000;
  const int keystrokes = argc > 2 ? static_cast<int>(std::wcstol(argv[2], nullptr, 10)) : 200;
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);

  std::printf("%10s %16s %18s\n", "nodes", "ms a keystroke", "tree view updates");
  std::vector<Measured> rows;
  for (std::size_t nodes = largest / 100; nodes <= largest; nodes *= 10) {
    const Measured measured = MeasureSize(nodes, keystrokes);
    std::printf("%10zu %16.3f %18zu\n", measured.items, measured.perKeystroke, measured.itemUpdates);
    std::fflush(stdout);
    rows.push_back(measured);
  }
  const double ratio = rows.back().perKeystroke / rows.front().perKeystroke;
  bool touched = false;
  for (const Measured& row : rows) touched = touched || row.itemUpdates != 0;
  std::printf("  a keystroke at %zu nodes / at %zu nodes: %.2f (bound: at most %.1f)%s%s\n", rows.back().items,
              rows.front().items, ratio, kFlatBound, ratio <= kFlatBound ? "" : "  EXCEEDED",
              touched ? "  TREE VIEW TOUCHED" : "");
  return touched ? 1 : 0;
}
