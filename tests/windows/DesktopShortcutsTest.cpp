// The shortcut commands on the real main window, with real shell links.
//
// They run only in a Wine prefix made for them and thrown away afterwards
// (ctest's windows_shortcut_tests, through scripts/wine-run-throwaway.sh):
// Wine starts every link of a prefix's Startup folder whenever the prefix
// starts, and a prefix's Desktop is usually the user's real one. Inside it
// the "Shell Folders" and "User Shell Folders" values still point at a
// temporary folder while a test runs, and get their old values back after.
#include <gtest/gtest.h>
#include <windows.h>

#include <shobjidl.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "app/CommandIds.h"
#include "desktop/Shortcuts.h"
#include "win32/WideText.h"
#include "win32/ProgramPath.h"
#include "tests/windows/MainWindowTestSupport.h"
#include "win32/ComOwner.h"
#include "win32/WideText.h"

namespace velmora::win32 {
namespace {

using testing::CreateMainWindow;
using testing::RecordingMessageBoxes;

constexpr wchar_t kExplorerKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\";
constexpr const wchar_t* kFolderKeys[] = {L"Shell Folders", L"User Shell Folders"};
constexpr const wchar_t* kValueNames[] = {L"Desktop", L"Startup", L"Programs"};

bool InThrowawayPrefix() {
  wchar_t value[8] = {};
  return GetEnvironmentVariableW(L"VELMORA_THROWAWAY_PREFIX", value, 8) > 0 && value[0] == L'1';
}

std::wstring KeyPath(const wchar_t* folderKey) { return std::wstring(kExplorerKey) + folderKey; }

struct SavedValue {
  DWORD type = 0;
  std::vector<BYTE> data;
};

std::optional<SavedValue> ReadValue(const wchar_t* folderKey, const wchar_t* name) {
  SavedValue value;
  DWORD bytes = 0;
  if (RegGetValueW(HKEY_CURRENT_USER, KeyPath(folderKey).c_str(), name, RRF_RT_ANY | RRF_NOEXPAND, &value.type,
                   nullptr, &bytes) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  value.data.resize(bytes);
  RegGetValueW(HKEY_CURRENT_USER, KeyPath(folderKey).c_str(), name, RRF_RT_ANY | RRF_NOEXPAND, &value.type,
               value.data.data(), &bytes);
  return value;
}

void WriteValue(const wchar_t* folderKey, const wchar_t* name, DWORD type, const void* data, DWORD bytes) {
  RegSetKeyValueW(HKEY_CURRENT_USER, KeyPath(folderKey).c_str(), name, type, data, bytes);
}

void SetFolder(const wchar_t* folderKey, const wchar_t* name, const std::wstring& folder) {
  WriteValue(folderKey, name, REG_SZ, folder.c_str(), static_cast<DWORD>((folder.size() + 1) * sizeof(wchar_t)));
}

void DeleteValue(const wchar_t* folderKey, const wchar_t* name) {
  RegDeleteKeyValueW(HKEY_CURRENT_USER, KeyPath(folderKey).c_str(), name);
}

// The three places of both keys point into `root` for the lifetime of the
// object; their earlier values (or their absence) come back afterwards.
class ShellFoldersRedirect {
 public:
  explicit ShellFoldersRedirect(const std::wstring& root) {
    for (const wchar_t* key : kFolderKeys) {
      for (const wchar_t* name : kValueNames) {
        saved_.push_back({key, name, ReadValue(key, name)});
        SetFolder(key, name, root + name);
      }
    }
  }
  ~ShellFoldersRedirect() {
    for (const Saved& s : saved_) {
      if (s.value) {
        WriteValue(s.key, s.name, s.value->type, s.value->data.data(), static_cast<DWORD>(s.value->data.size()));
      } else {
        DeleteValue(s.key, s.name);
      }
    }
  }
  ShellFoldersRedirect(const ShellFoldersRedirect&) = delete;
  ShellFoldersRedirect& operator=(const ShellFoldersRedirect&) = delete;

 private:
  struct Saved {
    const wchar_t* key;
    const wchar_t* name;
    std::optional<SavedValue> value;
  };
  std::vector<Saved> saved_;
};

// What a shell link file says its target is, read as the shell reads it.
std::optional<std::wstring> LinkTarget(const std::wstring& linkPath) {
  IShellLinkW* rawLink = nullptr;
  CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, reinterpret_cast<void**>(&rawLink));
  const ComOwner<IShellLinkW> link(rawLink);
  if (!link) return std::nullopt;
  IPersistFile* rawFile = nullptr;
  link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&rawFile));
  const ComOwner<IPersistFile> file(rawFile);
  if (!file || FAILED(file->Load(linkPath.c_str(), STGM_READ))) return std::nullopt;
  wchar_t target[MAX_PATH] = {};
  if (FAILED(link->GetPath(target, MAX_PATH, nullptr, 0))) return std::nullopt;
  return std::wstring(target);
}

std::string Registered(const std::wstring& linkPath) { return ShortcutRegisteredMessage(ToCp932(linkPath)); }

struct CommandCase {
  int command;
  const ShortcutPlace* place;
  const wchar_t* folder;
};

class ShortcutFolders : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!InThrowawayPrefix()) GTEST_SKIP() << "runs only in its own prefix: ctest -R windows_shortcut_tests";
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    root_ = std::wstring(temp) + L"velmora-links-" + std::to_wstring(GetCurrentProcessId()) + L"\\";
    for (const wchar_t* name : kValueNames) std::filesystem::create_directories(root_ + name);
    redirect_.emplace(root_);
    form_ = CreateMainWindow(boxes_);
    boxes_.answer = message_box::kAnswerYes;
  }
  void TearDown() override {
    form_.reset();
    redirect_.reset();
    std::error_code ignored;
    if (!root_.empty()) std::filesystem::remove_all(root_, ignored);
  }

  std::wstring LinkIn(const wchar_t* folder) const { return root_ + folder + L"\\Velmora.Lnk"; }

  std::wstring root_;
  std::optional<ShellFoldersRedirect> redirect_;
  RecordingMessageBoxes boxes_;
  std::unique_ptr<TForm1> form_;
};

class DesktopShortcutsTest : public ShortcutFolders, public ::testing::WithParamInterface<CommandCase> {};

TEST_P(DesktopShortcutsTest, CreatesALinkToTheProgramAndReplacesItWithoutAsking) {
  const CommandCase& c = GetParam();
  const std::wstring link = LinkIn(c.folder);
  form_->RunCommand(c.command);
  ASSERT_EQ(boxes_.shown.size(), 2u);
  EXPECT_EQ(boxes_.shown[0].text, c.place->question);
  EXPECT_EQ(boxes_.shown[0].caption, ShortcutQuestionCaption());
  EXPECT_EQ(boxes_.shown[0].flags, 0x24u);
  EXPECT_EQ(boxes_.shown[1].text, Registered(link));
  EXPECT_EQ(boxes_.shown[1].flags, 0u);
  EXPECT_EQ(LinkTarget(link), OwnProgramPath());

  // Spoil the link; the second run replaces it and asks nothing new.
  std::ofstream(std::filesystem::path(link), std::ios::binary | std::ios::trunc) << "not a link";
  ASSERT_FALSE(LinkTarget(link).has_value());
  boxes_.shown.clear();
  form_->RunCommand(c.command);
  ASSERT_EQ(boxes_.shown.size(), 2u);
  EXPECT_EQ(boxes_.shown[1].text, Registered(link));
  EXPECT_EQ(LinkTarget(link), OwnProgramPath());
}

INSTANTIATE_TEST_SUITE_P(EachPlace, DesktopShortcutsTest,
                         ::testing::Values(CommandCase{IDM_DESKTOP1, &kDesktopShortcut, L"Desktop"},
                                           CommandCase{IDM_STARTUP1, &kStartupShortcut, L"Startup"},
                                           CommandCase{IDM_STARTMENU1, &kStartMenuShortcut, L"Programs"}));

class DesktopShortcutsEdgeTest : public ShortcutFolders {};

TEST_F(DesktopShortcutsEdgeTest, NoCreatesNothing) {
  boxes_.answer = message_box::kAnswerNo;
  form_->RunCommand(IDM_DESKTOP1);
  EXPECT_EQ(boxes_.shown.size(), 1u);
  EXPECT_FALSE(std::filesystem::exists(LinkIn(L"Desktop")));
}

// Without its "Shell Folders" value the shell's own Desktop folder is used,
// which the shell finds through "User Shell Folders".
TEST_F(DesktopShortcutsEdgeTest, AMissingValueFallsBackToTheShellsFolder) {
  DeleteValue(L"Shell Folders", L"Desktop");
  form_->RunCommand(IDM_DESKTOP1);
  ASSERT_EQ(boxes_.shown.size(), 2u);
  EXPECT_EQ(boxes_.shown[1].text, Registered(LinkIn(L"Desktop")));
  EXPECT_EQ(LinkTarget(LinkIn(L"Desktop")), OwnProgramPath());
}

TEST_F(DesktopShortcutsEdgeTest, AFailedSaveIsTheGeneralErrorReport) {
  const std::wstring missing = root_ + L"gone";
  SetFolder(L"Shell Folders", L"Startup", missing);
  form_->RunCommand(IDM_STARTUP1);
  ASSERT_EQ(boxes_.shown.size(), 2u);
  // "ファイル "…\gone\Velmora.Lnk" を作成できません。" and the system's reason.
  const std::string prefix = "\x83\x74\x83\x40\x83\x43\x83\x8b\x20\x22" + ToCp932(missing + L"\\Velmora.Lnk") + "\x22";
  EXPECT_EQ(boxes_.shown[1].text.rfind(prefix, 0), 0u) << boxes_.shown[1].text;
  EXPECT_EQ(boxes_.shown[1].flags, 0x10u);
  EXPECT_EQ(boxes_.shown[1].caption, "Velmora");
}

}  // namespace
}  // namespace velmora::win32
