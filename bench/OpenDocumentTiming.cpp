// How long the editor takes to open a procedure of 100,000 nodes, from the
// command (a file dropped on the main window) to the filled tree view on
// screen, beside what no open can avoid: reading and parsing the file, and
// a raw TVM_INSERTITEMW loop showing the same tree. Each round uses a fresh
// main window, as a start with the file would; the median ratio is printed
// beside its bound.
//
//   scripts/wine-run.sh --arch win64 --prefix $PWD/build/cross64/wineprefix
//       build/cross64/bench/OpenDocumentTiming.exe [nodes, default 100000] [rounds, default 3]
#include <windows.h>

#include <shlobj.h>

#include <cstdio>
#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

#include "BenchTrees.h"
#include "TreeViewBench.h"
#include "app/win32/Unit1.h"
#include "files/TreeFile.h"

namespace {

using velmora::bench::Stopwatch;

constexpr double kOpenBound = 1.5;

std::wstring TemporaryTreeFile() {
  wchar_t folder[MAX_PATH + 1] = {};
  GetTempPathW(MAX_PATH + 1, folder);
  return std::wstring(folder) + L"velmora-open-timing.tre";
}

// A file dropped on the window, as the shell hands it over.
HGLOBAL DroppedFile(const std::wstring& path) {
  const SIZE_T size = sizeof(DROPFILES) + (path.size() + 2) * sizeof(wchar_t);
  HGLOBAL memory = GlobalAlloc(GHND, size);
  auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
  drop->pFiles = sizeof(DROPFILES);
  drop->fWide = TRUE;
  std::memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), path.c_str(), path.size() * sizeof(wchar_t));
  GlobalUnlock(memory);
  return memory;
}

struct Round {
  double parse = 0;
  double raw = 0;
  double open = 0;
};

// The reference: the file read and parsed, and its tree shown by a raw
// loop in a bare tree view like the editor's (same font, indent and size,
// without the main window's subclasses). Returns the number of nodes.
std::size_t ParseAndRawInsert(const velmora::win32::EditorImageLists& images, HWND editorTree,
                              const velmora::FilePath& file, Round& round) {
  velmora::win32::Win32FileSystem files;
  Stopwatch watch;
  velmora::LoadedDocument document = velmora::LoadTreeFile(files, file, velmora::DocumentState{});
  round.parse = watch.Milliseconds();
  velmora::bench::TreeViewWindow window(images, editorTree);
  round.raw = velmora::bench::RawInsertLoop(window.View(), document.tree);
  velmora::bench::Pump();
  return document.tree.Count();
}

// One round in a fresh main window, shown as at a start without a file.
bool MeasureRound(const velmora::win32::EditorImageLists& images, const std::wstring& path, Round& round,
                  std::size_t& items) {
  velmora::bench::AnsweringMessageBoxes boxes;
  velmora::win32::MainWindowPorts ports;
  ports.messages = &boxes;
  velmora::win32::TForm1 form(GetModuleHandleW(nullptr), "Velmora", velmora::win32::RunningProgramPath(), ports);
  form.ShowFirstTime(SW_SHOWNOACTIVATE, {});
  velmora::bench::Pump();
  HWND tree = form.Controls().TreeView1;
  items = ParseAndRawInsert(images, tree, velmora::win32::FromWidePath(path), round);
  {
    Stopwatch watch;
    SendMessageW(form.Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(DroppedFile(path)), 0);
    UpdateWindow(tree);
    round.open = watch.Milliseconds();
  }
  const auto shown = static_cast<std::size_t>(SendMessageW(tree, TVM_GETCOUNT, 0, 0));
  velmora::bench::Pump();
  if (shown == items) return true;
  std::fprintf(stderr, "the tree view shows %zu items instead of %zu\n", shown, items);
  return false;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const std::size_t nodes = argc > 1 ? static_cast<std::size_t>(std::wcstoul(argv[1], nullptr, 10)) : 100000;
  const int rounds = argc > 2 ? static_cast<int>(std::wcstol(argv[2], nullptr, 10)) : 3;
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  const velmora::win32::EditorImageLists images;

  const std::wstring path = TemporaryTreeFile();
  const velmora::FilePath file = velmora::win32::FromWidePath(path);
  velmora::DocumentState state;
  state.Title = "Benchmark";
  velmora::win32::Win32FileSystem().WriteFileAtomically(
      file, velmora::BuildTreeText(velmora::bench::MakeBenchmarkTree(nodes), state));

  std::printf("%10s %10s %14s %10s %12s\n", "nodes", "parse ms", "raw insert ms", "open ms", "open/(p+r)");
  std::vector<double> ratios;
  int status = 0;
  for (int round = 0; round < rounds && status == 0; ++round) {
    Round measured;
    std::size_t items = 0;
    if (!MeasureRound(images, path, measured, items)) status = 1;
    const double ratio = measured.open / (measured.parse + measured.raw);
    std::printf("%10zu %10.1f %14.1f %10.1f %12.2f\n", items, measured.parse, measured.raw, measured.open, ratio);
    std::fflush(stdout);
    ratios.push_back(ratio);
  }
  DeleteFileW(path.c_str());
  const double median = velmora::bench::Median(ratios);
  std::printf("  open of %zu nodes / (parse + raw insert loop), median of %d: %.2f (bound: at most %.1f)%s\n", nodes,
              rounds, median, kOpenBound, median <= kOpenBound ? "" : "  EXCEEDED");
  return status;
}
