// The settings file with the real main window: a first start, a run whose
// placement, options and recent files the next start finds again, hand-edited
// odd values, and the close questions asked for every kind of close request,
// the system's end-of-session query included. Each test runs the window as a
// program of its own in a fresh folder, so its settings file is its own.
#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FileDialogDriver.h"
#include "MainWindowTestSupport.h"
#include "app/CloseSequence.h"
#include "app/CommandIds.h"
#include "app/win32/UserLocaleCollation.h"
#include "win32/WideText.h"
#include "win32/Win32Handles.h"

namespace velmora::win32 {
namespace {

using testing::PumpMessages;
using testing::RecordingMessageBoxes;
using testing::WindowText;

constexpr unsigned kSaveQuestionFlags = 0x33;
constexpr unsigned kExitQuestionFlags = 0x24;

std::wstring SampleTree() {
  std::wstring path = L"Z:" + ToWide(VELMORA_TEST_DATA) + L"/files/sample.tre";
  for (wchar_t& c : path) {
    if (c == L'/') c = L'\\';
  }
  return path;
}

class SettingsWindowTest : public ::testing::Test {
 protected:
  SettingsWindowTest() {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    static int count = 0;
    folder_ = std::wstring(temp) + L"velmora-settings-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
              std::to_wstring(++count);
    CreateDirectoryW(folder_.c_str(), nullptr);
  }
  ~SettingsWindowTest() override {
    for (const wchar_t* name : {L"Velmora.ini", L"a.tre", L"b.tre"}) DeleteFileW(InFolder(name).c_str());
    RemoveDirectoryW(folder_.c_str());
  }

  std::wstring InFolder(const std::wstring& name) const { return folder_ + L"\\" + name; }
  std::wstring SettingsFile() const { return InFolder(L"Velmora.ini"); }
  bool SettingsWritten() const { return GetFileAttributesW(SettingsFile().c_str()) != INVALID_FILE_ATTRIBUTES; }
  std::string SettingsText() { return files_.ReadWholeFile(FromWidePath(SettingsFile())); }
  void WriteSettings(const std::string& text) { files_.WriteFileAtomically(FromWidePath(SettingsFile()), text); }

  // The main window of a program in this test's folder, created hidden as
  // the entry creates it.
  std::unique_ptr<TForm1> Start() {
    testing::InitialiseCommonControls();
    MainWindowPorts ports;
    ports.messages = &boxes;
    auto form = std::make_unique<TForm1>(GetModuleHandleW(nullptr), "Velmora", FromWidePath(InFolder(L"Velmora.exe")), ports);
    return form;
  }
  // A close request as the exit button makes it; the window is gone after.
  static void Exit(TForm1& form) {
    form.RunCommand(IDM_EXIT1);
    PumpMessages();
    DropQuitRequest();
  }
  static void DropQuitRequest() {
    MSG quit{};
    PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
  }
  static RECT NormalRect(HWND window) {
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    GetWindowPlacement(window, &placement);
    return placement.rcNormalPosition;
  }
  static std::wstring HistoryText(const TForm1& form, int slot) {
    wchar_t text[512] = {};
    GetMenuStringW(form.MainMenu1(), static_cast<UINT>(IDM_HISTORY1 + slot - 1), text, 512, MF_BYCOMMAND);
    return text;
  }
  static bool HasExpandButtons(const TForm1& form) {
    return (GetWindowLongPtrW(form.Controls().TreeView1, GWL_STYLE) & TVS_HASBUTTONS) != 0;
  }

  std::wstring folder_;
  Win32FileSystem files_;
  RecordingMessageBoxes boxes;
};

TEST_F(SettingsWindowTest, FirstStartCentresTheWindowAtItsDesignSizeWithAllOptionsOff) {
  auto form = Start();
  RECT frame{};
  GetWindowRect(form->Handle(), &frame);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  const RECT normal = NormalRect(form->Handle());
  EXPECT_EQ(normal.left, (GetSystemMetrics(SM_CXSCREEN) - width) / 2);
  EXPECT_EQ(normal.top, (GetSystemMetrics(SM_CYSCREEN) - height) / 2);
  EXPECT_EQ(normal.right - normal.left, width);
  const int dpi = GetDeviceCaps(WindowDc(nullptr).Get(), LOGPIXELSY);
  RECT client{};
  GetClientRect(form->Handle(), &client);
  EXPECT_EQ(client.right, MulDiv(kDesignClientWidth, dpi, kDesignDpi));
  EXPECT_EQ(client.bottom, MulDiv(kDesignClientHeight, dpi, kDesignDpi));

  for (int id : {IDM_CLOSEQUERY1, IDM_SAVESTATUS1, IDM_SHOWBUTTONS1}) EXPECT_FALSE(form->IsChecked(id)) << id;
  EXPECT_FALSE(HasExpandButtons(*form));
  EXPECT_EQ(form->Model().State().NewLineMark, "\x81\xab");
  EXPECT_EQ(ToWidePath(form->Model().InitialDir), folder_ + L"\\");
  EXPECT_EQ(GetMenuState(form->MainMenu1(), IDM_HISTORY1, MF_BYCOMMAND), static_cast<UINT>(-1));
  EXPECT_TRUE(boxes.shown.empty());

  form->ShowFirstTime(SW_SHOWNOACTIVATE, {});
  EXPECT_TRUE(IsWindowVisible(form->Handle()));
  EXPECT_FALSE(IsZoomed(form->Handle()));
  Exit(*form);
  EXPECT_EQ(SettingsText(), "[PROGRAM]\r\nName=Velmora.exe\r\nPath=" + ToCp932(folder_) + "\\\r\nVersion=V1.7\r\n\r\n");
}

TEST_F(SettingsWindowTest, ARunWithSaveStatusOnIsWhatTheNextStartFinds) {
  ASSERT_TRUE(CopyFileW(SampleTree().c_str(), InFolder(L"a.tre").c_str(), FALSE));
  ASSERT_TRUE(CopyFileW(SampleTree().c_str(), InFolder(L"b.tre").c_str(), FALSE));
  RECT restored{};
  std::string newLineMark;
  {
    auto form = Start();
    form->ShowFirstTime(SW_SHOWNOACTIVATE, {});
    SetWindowPos(form->Handle(), nullptr, 50, 60, 640, 520, SWP_NOZORDER | SWP_NOACTIVATE);
    for (int id : {IDM_SAVESTATUS1, IDM_CLOSEQUERY1, IDM_SHOWBUTTONS1}) form->RunCommand(id);
    form->RunGuarded([&] { form->FormShow({InFolder(L"a.tre")}); });
    form->RunGuarded([&] { form->FormShow({InFolder(L"b.tre")}); });
    ShowWindow(form->Handle(), SW_MAXIMIZE);
    restored = NormalRect(form->Handle());
    newLineMark = form->Model().State().NewLineMark;
    boxes.answer = message_box::kAnswerYes;
    Exit(*form);
    ASSERT_EQ(form->Handle(), nullptr);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].flags, kExitQuestionFlags);
  }
  EXPECT_EQ(restored.left, 50);
  EXPECT_EQ(restored.right, 690);

  auto form = Start();
  const RECT normal = NormalRect(form->Handle());
  EXPECT_EQ(normal.left, restored.left);
  EXPECT_EQ(normal.top, restored.top);
  EXPECT_EQ(normal.right, restored.right);
  EXPECT_EQ(normal.bottom, restored.bottom);
  for (int id : {IDM_CLOSEQUERY1, IDM_SAVESTATUS1, IDM_SHOWBUTTONS1}) EXPECT_TRUE(form->IsChecked(id)) << id;
  EXPECT_TRUE(HasExpandButtons(*form));
  EXPECT_EQ(form->Model().State().NewLineMark, newLineMark);
  EXPECT_EQ(ToWidePath(form->Model().InitialDir), folder_ + L"\\");
  EXPECT_EQ(HistoryText(*form, 1), L"&1 " + InFolder(L"b.tre"));
  EXPECT_EQ(HistoryText(*form, 2), L"&2 " + InFolder(L"a.tre"));
  form->ShowFirstTime(SW_SHOWNOACTIVATE, {});
  EXPECT_TRUE(IsZoomed(form->Handle()));

  // A recent file opens from its item and moves to the top; one that is
  // gone does nothing.
  form->RunCommand(IDM_HISTORY1 + 1);
  EXPECT_EQ(WindowText(form->Handle()), L"a.tre - Velmora");
  EXPECT_EQ(HistoryText(*form, 1), L"&1 " + InFolder(L"a.tre"));
  ASSERT_TRUE(DeleteFileW(InFolder(L"b.tre").c_str()));
  form->RunCommand(IDM_HISTORY1 + 1);
  EXPECT_EQ(WindowText(form->Handle()), L"a.tre - Velmora");
  EXPECT_EQ(HistoryText(*form, 2), L"&2 " + InFolder(L"b.tre"));
  EXPECT_EQ(boxes.shown.size(), 1u);
}

TEST_F(SettingsWindowTest, AHandEditedFileWithOddValuesStartsWithoutHarm) {
  WriteSettings(
      "[position]\r\nleft=100\r\ntop=-30\r\nright=700\r\nbottom=470\r\nstate=7\r\n"
      "[Option]\r\nSaveStatus=1\r\n[OPTION]\r\nshowbuttons=1\r\nShowButtons=0\r\n");
  auto form = Start();
  EXPECT_TRUE(boxes.shown.empty());
  // Of a key twice the first counts, of a section twice the last.
  EXPECT_FALSE(form->IsChecked(IDM_SAVESTATUS1));
  EXPECT_TRUE(form->IsChecked(IDM_SHOWBUTTONS1));
  // The caption above the screen could not be grabbed: the window comes
  // down onto the work area, at the size it was given, before it shows.
  const RECT normal = NormalRect(form->Handle());
  MONITORINFO info{};
  info.cbSize = sizeof info;
  GetMonitorInfoW(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), &info);
  EXPECT_EQ(normal.left, 100);
  EXPECT_EQ(normal.top, 0);
  EXPECT_EQ(normal.right - normal.left, 600);
  EXPECT_EQ(normal.bottom - normal.top, 500);
  form->ShowFirstTime(SW_SHOWNOACTIVATE, {});
  EXPECT_FALSE(IsZoomed(form->Handle()));
  EXPECT_FALSE(IsIconic(form->Handle()));
  RECT frame{};
  GetWindowRect(form->Handle(), &frame);
  EXPECT_EQ(frame.left, info.rcWork.left + 100);
  EXPECT_EQ(frame.top, info.rcWork.top);
}

TEST_F(SettingsWindowTest, UnsavedChangesAreAskedAboutAndCancelKeepsTheProgramRunning) {
  auto form = Start();
  form->Model().MarkModified();
  boxes.answer = message_box::kAnswerCancel;
  SendMessageW(form->Handle(), WM_CLOSE, 0, 0);
  ASSERT_NE(form->Handle(), nullptr);
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].text, kExitSaveQuestion);
  EXPECT_EQ(boxes.shown[0].caption, "Velmora");
  EXPECT_EQ(boxes.shown[0].flags, kSaveQuestionFlags);

  // Log-off asks the same question; Cancel refuses it.
  EXPECT_EQ(SendMessageW(form->Handle(), WM_QUERYENDSESSION, 0, 0), FALSE);
  EXPECT_EQ(boxes.shown.size(), 2u);
  EXPECT_FALSE(SettingsWritten());
  // A session that ends after a refusal does not take the window with it.
  SendMessageW(form->Handle(), WM_ENDSESSION, FALSE, 0);
  ASSERT_NE(form->Handle(), nullptr);
  EXPECT_TRUE(form->Model().State().Modified);
}

// Yes at the question saves first; a Save As the user then cancels keeps
// the program running with its changes instead of losing them.
TEST_F(SettingsWindowTest, YesAtTheExitQuestionClosesOnlyOnceTheDocumentIsSaved) {
  auto form = Start();
  form->Model().MarkModified();
  boxes.answer = message_box::kAnswerYes;
  testing::FileDialogDriver dialogs(form->Handle());
  dialogs.Answer({std::nullopt, InFolder(L"a.tre")});
  SendMessageW(form->Handle(), WM_CLOSE, 0, 0);
  ASSERT_NE(form->Handle(), nullptr);
  EXPECT_TRUE(form->Model().State().Modified);
  EXPECT_FALSE(SettingsWritten());

  SendMessageW(form->Handle(), WM_CLOSE, 0, 0);
  EXPECT_EQ(form->Handle(), nullptr);
  EXPECT_NE(GetFileAttributesW(InFolder(L"a.tre").c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_TRUE(SettingsWritten());
  EXPECT_EQ(ToWidePath(form->RecentFileList().Slot(1)), InFolder(L"a.tre"));
  DropQuitRequest();
}

TEST_F(SettingsWindowTest, TheSessionEndsWithoutAskingTwice) {
  auto form = Start();
  form->Model().MarkModified();
  boxes.answer = message_box::kAnswerNo;
  EXPECT_EQ(SendMessageW(form->Handle(), WM_QUERYENDSESSION, 0, 0), TRUE);
  EXPECT_EQ(boxes.shown.size(), 1u);
  ASSERT_TRUE(SettingsWritten());
  ASSERT_TRUE(DeleteFileW(SettingsFile().c_str()));
  SendMessageW(form->Handle(), WM_ENDSESSION, TRUE, 0);
  EXPECT_EQ(form->Handle(), nullptr);
  EXPECT_EQ(boxes.shown.size(), 1u);
  EXPECT_FALSE(SettingsWritten());
  DropQuitRequest();
}

TEST(UserLocaleCollation, ComparesTheWholeTextWithLetterCase) {
  UserLocaleCollation collation;
  const auto path = [](const wchar_t* text) { return FromWidePath(text); };
  EXPECT_TRUE(collation.Equal(path(L"c:\\procédures\\a.tre"), path(L"c:\\procédures\\a.tre")));
  EXPECT_FALSE(collation.Equal(path(L"c:\\a.tre"), path(L"c:\\a.tre.bak")));
  EXPECT_FALSE(collation.Equal(path(L"c:\\Ａ.tre"), path(L"c:\\ａ.tre")));
  EXPECT_FALSE(collation.Equal(path(L"c:\\a.tre"), FilePath()));
}

}  // namespace
}  // namespace velmora::win32
