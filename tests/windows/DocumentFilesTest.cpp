// The document commands on the real main window with the system's real
// file dialogs and real files: Save As writes what a tree file holds, Read
// opens tree files and generated executables, Generate writes a program
// that starts at the first step, and a folder whose name code page 932
// cannot hold is reached exactly.
#include <windows.h>

#include <objbase.h>
#include <shlobj.h>


#include <gtest/gtest.h>

#include "FileDialogDriver.h"
#include "MainWindowTestSupport.h"
#include "RunningPlayer.h"
#include "StepDialogReading.h"
#include "app/CommandIds.h"
#include "files/DocumentCommands.h"
#include "files/FileMessages.h"
#include "distribution/GenerateCommand.h"
#include "win32/ComOwner.h"
#include "win32/WholeFile.h"
#include "win32/WideText.h"

namespace velmora::win32 {
namespace {

using testing::FileDialogDriver;
using testing::RecordingMessageBoxes;
using testing::WindowText;

using testing::HostPath;

const std::wstring kDataFolder = HostPath(VELMORA_TEST_DATA "/files");
// sample.tre as the editor writes it back: the unmarked question has its
// marker and the title lost the blanks around it when it was read.
const std::wstring kResaved = kDataFolder + L"\\sample-resaved.tre";

std::string ReadBytes(const std::wstring& path) {
  if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) return "(missing)";
  return ReadWholeFile(path);
}

// A folder of its own under the temporary folder, removed with all it holds.
class ScratchFolder {
 public:
  ScratchFolder() {
    wchar_t temp[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH + 1, temp);
    static int counter = 0;
    // Wine hands out the same few process ids run after run, so the time
    // keeps a folder an earlier run could not remove out of the way.
    path_ = std::wstring(temp) + L"velmora-documents-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
            std::to_wstring(GetTickCount64()) + L"-" + std::to_wstring(++counter) + L"\\";
    EXPECT_TRUE(CreateDirectoryW(path_.c_str(), nullptr)) << GetLastError();
  }
  ~ScratchFolder() { Remove(path_); }
  const std::wstring& Path() const { return path_; }

 private:
  static void Remove(const std::wstring& folder) {
    WIN32_FIND_DATAW entry{};
    HANDLE search = FindFirstFileW((folder + L"*").c_str(), &entry);
    if (search != INVALID_HANDLE_VALUE) {
      do {
        const std::wstring name = entry.cFileName;
        if (name == L"." || name == L"..") continue;
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
          Remove(folder + name + L"\\");
        } else {
          DeleteFileW((folder + name).c_str());
        }
      } while (FindNextFileW(search, &entry));
      FindClose(search);
    }
    RemoveDirectoryW(folder.c_str());
  }

  std::wstring path_;
};

// A shortcut file made by the shell's link object, as Explorer makes one.
bool CreateShortcut(const std::wstring& shortcut, const std::wstring& target) {
  IShellLinkW* rawLink = nullptr;
  const HRESULT created = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                           reinterpret_cast<void**>(&rawLink));
  const ComOwner<IShellLinkW> link(rawLink);
  if (FAILED(created) || !SUCCEEDED(link->SetPath(target.c_str()))) return false;
  IPersistFile* rawFile = nullptr;
  const HRESULT queried = link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&rawFile));
  const ComOwner<IPersistFile> file(rawFile);
  return SUCCEEDED(queried) && SUCCEEDED(file->Save(shortcut.c_str(), TRUE));
}

// The folder a dialog showed, for comparing with one that ends in "\".
std::wstring WithSeparator(std::wstring folder) {
  if (!folder.empty() && folder.back() != L'\\') folder += L'\\';
  return folder;
}

class DocumentFilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form = testing::CreateMainWindow(boxes);
    form->ShowFirstTime(SW_SHOWNOACTIVATE, {});
  }
  void TearDown() override { form.reset(); }

  // The sample procedure, opened from the command line.
  void OpenSample() {
    form->RunGuarded([this] { form->FormShow({kDataFolder + L"\\sample.tre"}); });
    ASSERT_EQ(WindowText(form->Handle()), L"sample.tre - Velmora");
    ASSERT_FALSE(Recent().empty());
    ASSERT_EQ(Recent().front(), kDataFolder + L"\\sample.tre");
  }

  // The recent files of the File menu, most recent first.
  std::vector<std::wstring> Recent() {
    std::vector<std::wstring> paths;
    for (int slot = 1; slot <= HistorySize; ++slot) {
      const FilePath& path = form->RecentFileList().Slot(slot);
      if (!path.Empty()) paths.push_back(ToWidePath(path));
    }
    return paths;
  }

  std::wstring Caption() { return WindowText(form->Handle()); }
  std::wstring CurrentFile() { return ToWidePath(form->Model().State().CurrentFileName); }

  RecordingMessageBoxes boxes;
  std::unique_ptr<TForm1> form;
  ScratchFolder scratch;
};

TEST_F(DocumentFilesTest, SaveAsThroughTheSaveDialogWritesTheTreeFile) {
  OpenSample();
  FileDialogDriver dialogs(form->Handle());
  // Without an extension: the dialog adds ".tre".
  dialogs.Answer({scratch.Path() + L"copy"});
  form->RunCommand(IDM_SAVEAS1);

  const std::wstring saved = scratch.Path() + L"copy.tre";
  EXPECT_EQ(ReadBytes(saved), ReadBytes(kResaved));
  ASSERT_EQ(dialogs.Seen().size(), 1u);
  EXPECT_EQ(dialogs.Seen()[0].caption, L"切り分け定義を名前を付けて保存");
  EXPECT_EQ(dialogs.Seen()[0].proposedName, L"sample.tre");
  EXPECT_EQ(dialogs.Seen()[0].filters.size(), 2u);
  EXPECT_EQ(lstrcmpiW(WithSeparator(dialogs.Seen()[0].folder).c_str(), (kDataFolder + L"\\").c_str()), 0)
      << ToCp932(dialogs.Seen()[0].folder);
  EXPECT_EQ(CurrentFile(), saved);
  EXPECT_EQ(Caption(), L"copy.tre - Velmora");
  EXPECT_FALSE(form->Model().State().Modified);
  EXPECT_EQ(Recent().front(), saved);
  EXPECT_EQ(Recent()[1], kDataFolder + L"\\sample.tre");
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].text, ToCp932(saved) + kSavedToTail);
  EXPECT_EQ(boxes.shown[0].caption, "sample.tre - Velmora");
}

TEST_F(DocumentFilesTest, ReadThroughTheOpenDialogOpensATreeFileAndAnExecutable) {
  form->Model().InitialDir = FromWidePath(kDataFolder + L"\\");
  FileDialogDriver dialogs(form->Handle());
  dialogs.Answer({kDataFolder + L"\\sample.tre", kDataFolder + L"\\sample-generated.exe"});

  form->RunCommand(IDM_READ1);
  EXPECT_EQ(Caption(), L"sample.tre - Velmora");
  EXPECT_EQ(CurrentFile(), kDataFolder + L"\\sample.tre");
  const std::vector<std::wstring> afterTreeFile = Recent();
  ASSERT_FALSE(afterTreeFile.empty());
  EXPECT_EQ(afterTreeFile.front(), kDataFolder + L"\\sample.tre");
  EXPECT_GT(form->Model().Tree().Count(), 3u);

  form->RunCommand(IDM_READ1);
  EXPECT_EQ(Caption(), L"sample-generated.exe - Velmora");
  EXPECT_EQ(CurrentFile(), kDataFolder + L"\\sample-generated.tre");
  EXPECT_EQ(Recent(), afterTreeFile) << "a tree read out of an executable is no recent file";
  EXPECT_TRUE(boxes.shown.empty()) << boxes.shown.front().text;

  ASSERT_EQ(dialogs.Seen().size(), 2u);
  const testing::SeenFileDialog& open = dialogs.Seen()[0];
  EXPECT_EQ(lstrcmpiW(WithSeparator(open.folder).c_str(), (kDataFolder + L"\\").c_str()), 0) << ToCp932(open.folder);
  EXPECT_TRUE(open.proposedName.empty());
  ASSERT_EQ(open.filters.size(), 3u);
  // "ツリーファイル(*.tre)"
  EXPECT_EQ(open.filters[0], L"ツリーファイル(*.tre)");
}

TEST_F(DocumentFilesTest, GenerateWritesAnExecutableThatStartsAtItsFirstStep) {
  MainWindowPorts ports;
  ports.messages = &boxes;
  ports.playerProgram = FromWidePath(HostPath(VELMORA_BUILD_DIR "/app/Velmora.exe"));
  form = std::make_unique<TForm1>(GetModuleHandleW(nullptr), "Velmora", RunningProgramPath(), ports);
  form->ShowFirstTime(SW_SHOWNOACTIVATE, {});
  OpenSample();
  const std::vector<std::wstring> recentBefore = Recent();
  boxes.answer = message_box::kAnswerNo;  // no folder window
  FileDialogDriver dialogs(form->Handle());
  dialogs.Answer({scratch.Path() + L"printer.EXE"});
  form->RunCommand(IDM_GENERATE1);

  const std::wstring output = scratch.Path() + L"printer.EXE";
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].text,
            ToCp932(output) + kGeneratedTail + "\r\n\r\n" + kOpenOutputFolderQuestion);
  EXPECT_EQ(boxes.shown[0].flags, message_box::kYesNo | message_box::kIconQuestion);
  ASSERT_EQ(dialogs.Seen().size(), 1u);
  EXPECT_EQ(dialogs.Seen()[0].proposedName, L"sample.EXE");
  // "配布用単体EXEファイルを保存"
  EXPECT_EQ(dialogs.Seen()[0].caption, L"配布用単体EXEファイルを保存");
  EXPECT_EQ(CurrentFile(), kDataFolder + L"\\sample.tre") << "Generate does not rename the document";
  EXPECT_EQ(Recent(), recentBefore);

  testing::RunningPlayer player(output);
  ASSERT_TRUE(player.Started());
  HWND first = player.NextDialog();
  ASSERT_NE(first, nullptr) << "no step dialog appeared";
  const testing::ShownStep step = testing::ReadStepDialog(first);
  EXPECT_EQ(step.caption, L"Printer");
  EXPECT_EQ(step.message, L"Power on?");
}

// On a Western Windows "é" and "ó" exist in the ANSI code page but "Ł" and
// "ź" do not; in code page 932 none of them does. Only the caption may
// show a substitute.
TEST_F(DocumentFilesTest, AFolderCp932CannotNameRoundTripsThroughSaveAsAndRead) {
  const std::wstring folder = scratch.Path() + L"Procédures Łódź\\";
  ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr)) << GetLastError() << " " << ToCp932(folder);
  const std::wstring saved = folder + L"Łódź.tre";
  OpenSample();
  wchar_t before[MAX_PATH * 4] = {};
  GetCurrentDirectoryW(MAX_PATH * 4, before);
  FileDialogDriver dialogs(form->Handle());
  dialogs.Answer({saved, saved});

  form->RunCommand(IDM_SAVEAS1);
  EXPECT_EQ(ReadBytes(saved), ReadBytes(kResaved));
  EXPECT_EQ(CurrentFile(), saved);
  EXPECT_EQ(Caption(), ToWide(ToCp932(L"Łódź.tre")) + L" - Velmora");

  form->RunCommand(IDM_NEW1);
  ASSERT_EQ(form->Model().Tree().Count(), 3u);
  form->RunCommand(IDM_READ1);
  EXPECT_EQ(CurrentFile(), saved);
  EXPECT_EQ(ToWidePath(form->Model().InitialDir), folder);
  EXPECT_GT(form->Model().Tree().Count(), 3u);
  ASSERT_GE(Recent().size(), 2u);
  EXPECT_EQ(Recent()[0], saved);
  EXPECT_EQ(Recent()[1], kDataFolder + L"\\sample.tre") << "the saved file is listed once";
  ASSERT_EQ(dialogs.Seen().size(), 2u);
  EXPECT_EQ(WithSeparator(dialogs.Seen()[1].folder), folder) << "Read starts where the document was saved";
  wchar_t after[MAX_PATH * 4] = {};
  GetCurrentDirectoryW(MAX_PATH * 4, after);
  EXPECT_EQ(std::wstring(after), std::wstring(before)) << "the author's folder is not held as the current one";
}

// Dropped or named on the command line, a shortcut opens its target; one
// whose target is gone is refused and the open document stays.
TEST_F(DocumentFilesTest, AShortcutOpensItsTargetAndADeadOneIsRefused) {
  const std::wstring target = scratch.Path() + L"Procédure.tre";
  ASSERT_TRUE(CopyFileW((kDataFolder + L"\\sample.tre").c_str(), target.c_str(), TRUE));
  const std::wstring shortcut = scratch.Path() + L"Printer.lnk";
  ASSERT_TRUE(CreateShortcut(shortcut, target));

  form->RunGuarded([&] { form->FormShow({shortcut}); });
  EXPECT_TRUE(boxes.shown.empty()) << boxes.shown.front().text;
  EXPECT_EQ(CurrentFile(), target);
  EXPECT_EQ(Caption(), ToWide(ToCp932(L"Procédure.tre")) + L" - Velmora");
  const std::vector<std::wstring> recent = Recent();
  ASSERT_FALSE(recent.empty());
  EXPECT_EQ(recent.front(), target);

  ASSERT_TRUE(DeleteFileW(target.c_str()));
  form->RunGuarded([&] { form->FormShow({shortcut}); });
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].text, UnsupportedExtensionMessage(""));
  EXPECT_EQ(CurrentFile(), target);
  EXPECT_EQ(Recent(), recent);
}

}  // namespace
}  // namespace velmora::win32
