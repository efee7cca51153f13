// One running copy per executable name. The behaviour lies between
// processes, so these tests start the real Velmora.exe (copied under names of
// their own, so that parallel runs cannot meet) and answer its message box.
#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/win32/SingleInstance.h"
#include "tests/windows/ProcessWindows.h"
#include "win32/Win32Handles.h"

namespace velmora::win32 {
namespace {

// "既に起動されています。"
const std::wstring kAlreadyRunning = L"既に起動されています。";
// Other processes take their time under Wine; this bounds every wait.
constexpr DWORD kPatienceMs = 30000;
constexpr DWORD kPollMs = 20;

std::wstring WindowsPath(const std::string& unixPath) {
  std::wstring path = L"Z:";
  for (char c : unixPath) path += c == '/' ? L'\\' : static_cast<wchar_t>(c);
  return path;
}

std::wstring BuiltEditor() { return WindowsPath(VELMORA_BUILD_DIR) + L"\\app\\Velmora.exe"; }

// A folder of its own under the temporary folder, removed with its files.
class TemporaryFolder {
 public:
  explicit TemporaryFolder(const std::wstring& name) {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    path_ = std::wstring(temp) + name + L"-" + std::to_wstring(GetCurrentProcessId());
    CreateDirectoryW(path_.c_str(), nullptr);
  }
  ~TemporaryFolder() {
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW((path_ + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
      do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) DeleteFileW((path_ + L"\\" + found.cFileName).c_str());
      } while (FindNextFileW(search, &found));
      FindClose(search);
    }
    RemoveDirectoryW(path_.c_str());
  }
  TemporaryFolder(const TemporaryFolder&) = delete;
  TemporaryFolder& operator=(const TemporaryFolder&) = delete;

  // A copy of the editor under `baseName`.exe in this folder.
  std::wstring CopyOfEditor(const std::wstring& baseName) const {
    const std::wstring target = path_ + L"\\" + baseName + L".exe";
    EXPECT_TRUE(CopyFileW(BuiltEditor().c_str(), target.c_str(), FALSE)) << "is Velmora.exe built?";
    return target;
  }

 private:
  std::wstring path_;
};

// A started copy of the program, ended by force if a test fails midway.
class RunningCopy {
 public:
  RunningCopy(const std::wstring& exe, const std::wstring& argument = L"") {
    std::wstring commandLine = L"\"" + exe + L"\"";
    if (!argument.empty()) commandLine += L" \"" + argument + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    started_ = CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                              &startup, &info) != FALSE;
    if (!started_) return;
    process_.reset(info.hProcess);
    CloseHandle(info.hThread);
    id_ = info.dwProcessId;
  }
  ~RunningCopy() {
    if (process_ && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT) TerminateProcess(process_.get(), 99);
  }
  RunningCopy(const RunningCopy&) = delete;
  RunningCopy& operator=(const RunningCopy&) = delete;

  bool Started() const { return started_; }
  DWORD Id() const { return id_; }
  bool Running() const { return WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT; }

  // Waits for `found` to give a window, pacing on the process itself so
  // that an early end is seen at once.
  template <typename Find>
  HWND WaitFor(Find found) const {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < kPatienceMs) {
      if (HWND window = found()) return window;
      if (WaitForSingleObject(process_.get(), kPollMs) == WAIT_OBJECT_0) return found();
    }
    return nullptr;
  }

  // The exit code, after waiting for the end; STILL_ACTIVE if it did not end.
  DWORD ExitCode() const {
    WaitForSingleObject(process_.get(), kPatienceMs);
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(process_.get(), &code);
    return code;
  }

  // Its message box, if it shows one.
  HWND MessageBox() const { return testing::VisibleWindowOf(id_, L"#32770"); }

 private:

  UniqueKernelHandle process_;
  DWORD id_ = 0;
  bool started_ = false;
};

std::wstring TextOf(HWND window) {
  wchar_t text[256] = {};
  GetWindowTextW(window, text, 256);
  return text;
}

std::wstring MessageTextOf(HWND box) {
  wchar_t text[256] = {};
  GetDlgItemTextW(box, 0xFFFF, text, 256);
  return text;
}

void CloseAndExpectCleanEnd(RunningCopy& copy, HWND window) {
  PostMessageW(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(copy.ExitCode(), 0u);
}

std::wstring UniqueName(const wchar_t* stem) { return stem + std::to_wstring(GetCurrentProcessId()); }

TEST(InstanceName, IsTheFileNameWithoutFolderAndExtension) {
  EXPECT_EQ(InstanceNameFromPath(L"C:\\Program Files\\Tools\\Tool.exe"), L"Tool");
  EXPECT_EQ(InstanceNameFromPath(L"C:\\Tools\\VelMora.EXE"), L"VelMora");
  EXPECT_EQ(InstanceNameFromPath(L"C:\\v1.7\\My.Tool.exe"), L"My.Tool");
  EXPECT_EQ(InstanceNameFromPath(L"Tool"), L"Tool");
  EXPECT_EQ(InstanceNameFromPath(L"D:Tool.exe"), L"Tool");
}

TEST(InstanceMutex, TheSecondOfOneNameFindsTheFirst) {
  const std::wstring name = UniqueName(L"VelmoraMutexTest");
  const InstanceMutex first(name);
  EXPECT_FALSE(first.AnotherCopyRuns());
  const InstanceMutex second(name);
  EXPECT_TRUE(second.AnotherCopyRuns());
  const InstanceMutex other(name + L"Other");
  EXPECT_FALSE(other.AnotherCopyRuns());
}

TEST(InstanceMark, IsFoundByEnumerationAndGoesWithItsObject) {
  const std::wstring name = UniqueName(L"VelmoraMarkTest");
  HWND window = CreateWindowExW(0, L"STATIC", L"marked", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
  {
    const InstanceMarkProperty mark(window, name);
    EXPECT_EQ(reinterpret_cast<UINT_PTR>(GetPropW(window, name.c_str())), kInstanceMark);
    EXPECT_EQ(FindMarkedWindow(name), window);
    EXPECT_EQ(FindMarkedWindow(name + L"Other"), nullptr);
  }
  EXPECT_EQ(GetPropW(window, name.c_str()), nullptr);
  EXPECT_EQ(FindMarkedWindow(name), nullptr);
  DestroyWindow(window);
}

TEST(SingleInstance, ASecondStartWithoutAFileShowsTheMessageAndBringsTheFirstBack) {
  const TemporaryFolder folder(L"VelmoraSingle");
  const std::wstring name = UniqueName(L"VelmoraTwice");
  const std::wstring exe = folder.CopyOfEditor(name);
  RunningCopy first(exe);
  ASSERT_TRUE(first.Started());
  const HWND main = first.WaitFor([&] { return FindMarkedWindow(name); });
  ASSERT_NE(main, nullptr) << "the first copy shows no marked window";
  ShowWindow(main, SW_MINIMIZE);
  ASSERT_TRUE(IsIconic(main));

  RunningCopy second(exe);
  ASSERT_TRUE(second.Started());
  const HWND box = second.WaitFor([&] { return second.MessageBox(); });
  ASSERT_NE(box, nullptr) << "the second start shows no message";
  EXPECT_EQ(MessageTextOf(box), kAlreadyRunning);
  EXPECT_EQ(TextOf(box), name);  // captioned with the base name, not "Velmora"
  EXPECT_NE(GetDlgItem(box, IDOK), nullptr);
  EXPECT_EQ(GetDlgItem(box, IDCANCEL), nullptr);
  // Nothing has been handed over while the box is up.
  EXPECT_TRUE(IsIconic(main));
  PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, IDOK)));

  EXPECT_EQ(second.ExitCode(), 0u);
  EXPECT_FALSE(IsIconic(main));
  EXPECT_EQ(GetForegroundWindow(), main);
  // The first copy still shows its starting tree.
  HWND tree = FindWindowExW(main, nullptr, WC_TREEVIEWW, nullptr);
  EXPECT_EQ(SendMessageW(tree, TVM_GETCOUNT, 0, 0), 3);

  CloseAndExpectCleanEnd(first, main);
  EXPECT_EQ(FindMarkedWindow(name), nullptr);
}

// Double-clicking a file while the program runs: the second start hands the
// path over and ends without a word; the running copy opens the file and
// comes back from the taskbar.
TEST(SingleInstance, ASecondStartWithAFileHandsItToTheRunningCopy) {
  const TemporaryFolder folder(L"VelmoraHandOver");
  const std::wstring name = UniqueName(L"VelmoraHandOver");
  const std::wstring exe = folder.CopyOfEditor(name);
  // A name the ANSI code page cannot hold: only a lossless hand-over finds it.
  const std::wstring file = exe.substr(0, exe.rfind(L'\\')) + L"\\hand-over-ā.tre";
  {
    UniqueKernelHandle handle(CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    const std::string bytes = "? handed\r\n\ti over\r\n[OPTION]\r\nColor=2\r\n";
    DWORD written = 0;
    ASSERT_TRUE(WriteFile(handle.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr));
  }
  RunningCopy first(exe);
  ASSERT_TRUE(first.Started());
  const HWND main = first.WaitFor([&] { return FindMarkedWindow(name); });
  ASSERT_NE(main, nullptr) << "the first copy shows no marked window";
  ShowWindow(main, SW_MINIMIZE);

  RunningCopy second(exe, file);
  ASSERT_TRUE(second.Started());
  // A message box would keep it waiting for OK: it ends at once instead.
  EXPECT_EQ(second.ExitCode(), 0u);
  HWND tree = FindWindowExW(main, nullptr, WC_TREEVIEWW, nullptr);
  const HWND opened = first.WaitFor([&] { return SendMessageW(tree, TVM_GETCOUNT, 0, 0) == 2 ? main : nullptr; });
  EXPECT_EQ(opened, main) << "the running copy did not open the file";
  EXPECT_FALSE(IsIconic(main));
  EXPECT_EQ(first.MessageBox(), nullptr);

  CloseAndExpectCleanEnd(first, main);
}

TEST(SingleInstance, CopiesUnderOtherNamesRunSideBySide) {
  const TemporaryFolder folder(L"VelmoraSideBySide");
  const std::wstring nameA = UniqueName(L"VelmoraLeft");
  const std::wstring nameB = UniqueName(L"VelmoraRight");
  RunningCopy a(folder.CopyOfEditor(nameA));
  RunningCopy b(folder.CopyOfEditor(nameB));
  ASSERT_TRUE(a.Started());
  ASSERT_TRUE(b.Started());
  const HWND mainA = a.WaitFor([&] { return FindMarkedWindow(nameA); });
  const HWND mainB = b.WaitFor([&] { return FindMarkedWindow(nameB); });
  ASSERT_NE(mainA, nullptr);
  ASSERT_NE(mainB, nullptr);
  EXPECT_NE(mainA, mainB);
  EXPECT_EQ(a.MessageBox(), nullptr);
  EXPECT_EQ(b.MessageBox(), nullptr);
  CloseAndExpectCleanEnd(a, mainA);
  CloseAndExpectCleanEnd(b, mainB);
}

TEST(SingleInstance, OneNameInTwoFoldersIsStillOneProgram) {
  const TemporaryFolder left(L"VelmoraFolderA");
  const TemporaryFolder right(L"VelmoraFolderB");
  const std::wstring name = UniqueName(L"VelmoraSameName");
  RunningCopy first(left.CopyOfEditor(name));
  const HWND main = first.WaitFor([&] { return FindMarkedWindow(name); });
  ASSERT_NE(main, nullptr);
  RunningCopy second(right.CopyOfEditor(name));
  const HWND box = second.WaitFor([&] { return second.MessageBox(); });
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(MessageTextOf(box), kAlreadyRunning);
  PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, IDOK)));
  EXPECT_EQ(second.ExitCode(), 0u);
  CloseAndExpectCleanEnd(first, main);
}

}  // namespace
}  // namespace velmora::win32
