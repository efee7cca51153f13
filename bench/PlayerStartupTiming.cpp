// How long a generated executable takes from its start to its first step
// dialog on screen, beside a bare message-box program doing the least any
// program can do. Both are started as real processes; the time runs from
// CreateProcess until a dialog of the process is visible. A second bare
// program with the player's manifest, when given, shows what visual styles
// and per-monitor DPI cost any program's start. The same procedure with a
// screenshot on its first step shows what decoding and scaling a picture
// adds (bound: 1.2 times the step without one).
//
//   PlayerStartupTiming.exe STUB BARE_MESSAGE_BOX [RUNS [STYLED_BARE_MESSAGE_BOX]]
#include <windows.h>

#include <objbase.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "document/Picture.h"
#include "files/DistributionPayload.h"
#include "win32/PictureEncoding.h"
#include "tests/windows/ProcessWindows.h"
#include "tests/windows/TestPictures.h"
#include "document/DecisionTree.h"
#include "document/DocumentState.h"

namespace {

using Clock = std::chrono::steady_clock;

std::string ReadBytes(const std::wstring& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return {};
  LARGE_INTEGER size{};
  GetFileSizeEx(file, &size);
  std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
  DWORD read = 0;
  ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
  CloseHandle(file);
  bytes.resize(read);
  return bytes;
}

bool WriteBytes(const std::wstring& path, const std::string& bytes) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
  return written == bytes.size();
}

// A procedure of the size a support desk writes: 6 levels of questions.
void AddQuestions(velmora::DecisionTree& tree, velmora::TreeNode* node, int depth) {
  if (depth == 0) return;
  for (int answer = 0; answer < 2; ++answer) {
    velmora::TreeNode* child = tree.AddChild(node, "Step " + std::to_string(depth) + (answer == 0 ? " yes" : " no"),
                                             depth > 1 ? velmora::Question : velmora::Information);
    AddQuestions(tree, child, depth - 1);
  }
}

// A screenshot-sized picture (1280 x 720) with detail in every row, as PNG.
std::string Screenshot() {
  const std::string dib = velmora::win32::testing::DibOf(1280, 720, [](int x, int y) {
    return static_cast<unsigned>(((x * 7 + y * 13 + (x / 40) * (y / 30)) & 0xFF) | (x & 0xFF) << 8 | (y & 0xFF) << 16);
  });
  return velmora::win32::EncodePicture(velmora::win32::BmpFileOfDib(dib), velmora::win32::EncodedFormat::Png)
      .value_or("");
}

HWND VisibleDialogOf(DWORD process) { return velmora::win32::testing::VisibleWindowOf(process, L"#32770"); }

// Milliseconds from the start to the first visible dialog, or -1.
double TimeToFirstDialog(const std::wstring& program) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  std::wstring commandLine = L"\"" + program + L"\"";
  const Clock::time_point start = Clock::now();
  if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &info)) {
    return -1;
  }
  CloseHandle(info.hThread);
  double elapsed = -1;
  const Clock::time_point giveUp = start + std::chrono::seconds(20);
  while (Clock::now() < giveUp) {
    if (HWND dialog = VisibleDialogOf(info.dwProcessId)) {
      elapsed = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
      PostMessageW(dialog, WM_CLOSE, 0, 0);
      break;
    }
    if (WaitForSingleObject(info.hProcess, 1) == WAIT_OBJECT_0) break;
  }
  if (WaitForSingleObject(info.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(info.hProcess, 1);
  CloseHandle(info.hProcess);
  return elapsed;
}

// Prints the runs' median, fastest and slowest; returns the median, or -1
// when no dialog appeared.
double Report(const char* name, std::vector<double> times) {
  times.erase(std::remove(times.begin(), times.end(), -1.0), times.end());
  if (times.empty()) {
    std::printf("%-28s no dialog appeared\n", name);
    return -1;
  }
  std::sort(times.begin(), times.end());
  const double median = times[times.size() / 2];
  std::printf("%-28s median %7.1f ms   min %7.1f ms   max %7.1f ms   (%zu runs)\n", name, median, times.front(),
              times.back(), times.size());
  return median;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: PlayerStartupTiming STUB BARE_MESSAGE_BOX [RUNS]\n");
    return 2;
  }
  const std::string stub = ReadBytes(argv[1]);
  if (stub.empty()) {
    std::fprintf(stderr, "cannot read the stub\n");
    return 2;
  }
  const int runs = argc > 3 ? std::max(1, _wtoi(argv[3])) : 15;

  velmora::DecisionTree tree;
  velmora::DocumentState state;
  state.Title = "Start-up timing";
  state.Color = 1;
  AddQuestions(tree, tree.AddTopLevel("Does the printer print?", velmora::Question), 6);
  const std::string executable = velmora::BuildDistributionExecutable(stub, tree, state);
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  velmora::LaterFields picture;
  picture.Set(*velmora::FieldNamed("picture"), velmora::Base64Encode(Screenshot()));
  picture.Set(*velmora::FieldNamed("alt"), "the printer's lamp");
  tree.SetLater(*tree.Root(), picture);
  const std::string withPicture = velmora::BuildDistributionExecutable(stub, tree, state);

  wchar_t folder[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, folder);
  const std::wstring generated = std::wstring(folder) + L"velmora-startup-timing.exe";
  const std::wstring generatedWithPicture = std::wstring(folder) + L"velmora-startup-timing-picture.exe";
  if (!WriteBytes(generated, executable) || !WriteBytes(generatedWithPicture, withPicture)) {
    std::fprintf(stderr, "cannot write the generated executable\n");
    return 2;
  }

  const wchar_t* const styled = argc > 4 ? argv[4] : nullptr;
  std::vector<double> player;
  std::vector<double> bare;
  std::vector<double> styledBare;
  std::vector<double> pictured;
  // Alternate them, so that a slow phase of the machine hits all alike.
  for (int run = 0; run < runs; ++run) {
    player.push_back(TimeToFirstDialog(generated));
    pictured.push_back(TimeToFirstDialog(generatedWithPicture));
    bare.push_back(TimeToFirstDialog(argv[2]));
    if (styled != nullptr) styledBare.push_back(TimeToFirstDialog(styled));
  }
  std::printf("stub size %zu bytes; generated executable %zu bytes (%zu nodes)\n", stub.size(), executable.size(),
              tree.Count());
  const double playerMedian = Report("generated executable", player);
  const double bareMedian = Report("bare message box", bare);
  if (playerMedian > 0 && bareMedian > 0) std::printf("ratio generated / bare: %.2f\n", playerMedian / bareMedian);
  // The bound is against the program that pays for the same manifest: the
  // player keeps its visual styles and per-monitor DPI.
  if (styled != nullptr) {
    const double styledMedian = Report("bare, player's manifest", styledBare);
    if (playerMedian > 0 && styledMedian > 0) {
      const double ratio = playerMedian / styledMedian;
      std::printf("ratio generated / bare with the player's manifest: %.2f (bound: at most 1.1)%s\n", ratio,
                  ratio <= 1.1 ? "" : "  EXCEEDED");
    }
  }
  const double picturedMedian = Report("first step with a picture", pictured);
  if (playerMedian > 0 && picturedMedian > 0) {
    const double ratio = picturedMedian / playerMedian;
    std::printf("ratio with a picture / without: %.2f (bound: at most 1.2)%s\n", ratio, ratio <= 1.2 ? "" : "  EXCEEDED");
  }
  DeleteFileW(generated.c_str());
  DeleteFileW(generatedWithPicture.c_str());
  return 0;
}
