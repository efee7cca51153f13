// The screenshot taker: the pictures of the help file, taken from the real
// windows with the sample procedure open, each cropped to its client area
// (Wine draws captions without the symbols of the caption buttons), as BMP
// files in the folder VELMORA_HELP_PICTURES names. A program of its own, so
// that test runs never write them: resources/help/make-pictures.sh runs it
// on a virtual display and turns the bitmaps into the PNG files of
// resources/help/images/, and scripts/take-screenshots.sh keeps them to
// compare the windows before and after a change.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "document/BranchRecord.h"
#include "document/ContentVersion.h"
#include "document/Picture.h"
#include "files/TreeFile.h"
#include "app/CommandIds.h"
#include "tests/windows/FileDialogDriver.h"
#include "app/win32/Unit1.h"
#include "document/win32/LinkPicker.h"
#include "document/win32/Unit2.h"
#include "tests/windows/IdleScript.h"
#include "tests/windows/MainWindowTestSupport.h"
#include "tests/windows/ProcessWindows.h"
#include "win32/PictureEncoding.h"
#include "win32/WideText.h"
#include "win32/Win32Handles.h"

namespace velmora::win32 {
namespace {

using testing::IdleScript;
using testing::PumpMessages;

std::wstring PicturesFolder() {
  wchar_t folder[MAX_PATH] = {};
  GetEnvironmentVariableW(L"VELMORA_HELP_PICTURES", folder, MAX_PATH);
  return folder;
}

std::wstring SampleProcedure() {
  std::wstring path = L"Z:" + ToWide(VELMORA_TEST_DATA) + L"/../../docs/sample.tre";
  std::replace(path.begin(), path.end(), L'/', L'\\');
  wchar_t full[MAX_PATH] = {};
  GetFullPathNameW(path.c_str(), MAX_PATH, full, nullptr);
  return full;
}

RECT ClientOnScreen(HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
  return client;
}

// What the screen shows inside `area`, as a 24-bit bottom-up BMP file.
std::string ScreenBmp(const RECT& area) {
  const int width = area.right - area.left;
  const int height = area.bottom - area.top;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  void* bits = nullptr;
  const UniqueBitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (bits == nullptr) return {};
  {
    const WindowDc screen(nullptr);
    const UniqueDc memory(CreateCompatibleDC(screen.Get()));
    SelectedObject selected(memory.get(), bitmap.get());
    BitBlt(memory.get(), 0, 0, width, height, screen.Get(), area.left, area.top, SRCCOPY);
    GdiFlush();
  }
  const DWORD stride = static_cast<DWORD>((width * 3 + 3) & ~3);
  BITMAPFILEHEADER header{};
  header.bfType = 0x4D42;  // "BM"
  header.bfOffBits = sizeof header + sizeof info.bmiHeader;
  header.bfSize = header.bfOffBits + stride * static_cast<DWORD>(height);
  std::string file(reinterpret_cast<const char*>(&header), sizeof header);
  file.append(reinterpret_cast<const char*>(&info.bmiHeader), sizeof info.bmiHeader);
  file.append(static_cast<const char*>(bits), stride * static_cast<std::size_t>(height));
  return file;
}

void SaveScreen(const RECT& area, const wchar_t* name) {
  const std::string bmp = ScreenBmp(area);
  ASSERT_FALSE(bmp.empty());
  const std::wstring path = PicturesFolder() + L"\\" + name + L".bmp";
  FILE* file = _wfopen(path.c_str(), L"wb");
  ASSERT_NE(file, nullptr) << ToCp932(path);
  std::fwrite(bmp.data(), 1, bmp.size(), file);
  std::fclose(file);
}

RECT Union(const RECT& a, const RECT& b) {
  RECT both{};
  UnionRect(&both, &a, &b);
  return both;
}

// As the close box does: every one of these dialogs takes it as Cancel.
void Close(HWND dialog) { PostMessageW(dialog, WM_CLOSE, 0, 0); }

// The main window over the sample, in front and drawn.
void ShowSample(TForm1& form) {
  form.ShowFirstTime(SW_SHOWNORMAL, {SampleProcedure()});
  SetForegroundWindow(form.Handle());
  PumpMessages();
  UpdateWindow(form.Handle());
}

// The dialog each command opens, saved under its name and closed.
void SaveDialogs(TForm1& form, IdleScript& script, const std::vector<std::pair<int, const wchar_t*>>& dialogs) {
  for (const auto& [command, name] : dialogs) {
    // A dialog made from a template shows itself only once its loop first
    // waits; a message it ignores brings the next wait, when it is on screen.
    script.Play({[](HWND dialog) { PostMessageW(dialog, WM_NULL, 0, 0); },
                 [name = name](HWND dialog) {
                   SaveScreen(ClientOnScreen(dialog), name);
                   Close(dialog);
                 }});
    form.RunCommand(command);
    EXPECT_TRUE(script.Finished()) << ToCp932(name);
  }
}

TEST(HelpPictures, FromTheRealWindows) {
  ASSERT_FALSE(PicturesFolder().empty()) << "VELMORA_HELP_PICTURES names the folder for the pictures";
  testing::InitialiseCommonControls();
  TForm1 form(GetModuleHandleW(nullptr), "Velmora");
  ShowSample(form);
  SaveScreen(ClientOnScreen(form.Handle()), L"main-window");

  IdleScript script(form.Handle());
  // The tree view's pop-up menu, opened from the keyboard below the
  // selected node, with the window around it.
  script.Play({[&](HWND) {
    const HWND menu = FindWindowW(L"#32768", nullptr);
    RECT menuRect{};
    GetWindowRect(menu, &menuRect);
    SaveScreen(Union(ClientOnScreen(form.Handle()), menuRect), L"popup-menu");
    EndMenu();
  }});
  SendMessageW(form.Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(form.Controls().TreeView1), -1);
  EXPECT_TRUE(script.Finished());

  SaveDialogs(form, script, {{IDM_EDIT1, L"node-editor"}, {IDM_PREVIEW1, L"preview"}, {IDM_NEWLINE1, L"newline"}});
}

// The check window over the sample with the slips an author makes: a final
// message left as "…", a suffix on a final message, a third answer whose
// kind was never chosen.
TEST(HelpPictures, CheckWindow) {
  ASSERT_FALSE(PicturesFolder().empty());
  testing::InitialiseCommonControls();
  TForm1 form(GetModuleHandleW(nullptr), "Velmora");
  form.ShowFirstTime(SW_SHOWNORMAL, {SampleProcedure()});
  // "…"
  const std::string placeholder = "\x81\x63";
  TreeNode* paper = form.Model().Tree().Root()->FirstChild();
  paper->LastChild()->SetText(placeholder);
  TreeNode* waiting = paper->FirstChild()->FirstChild();
  waiting->SetText(std::string(waiting->Text()) + "(N)");
  form.Model().AddBranch(paper, PackNode(placeholder, Unset));
  form.Sync();
  form.RunCommand(IDM_CHECK);
  PumpMessages();
  ASSERT_NE(form.Checks(), nullptr);
  UpdateWindow(form.Checks()->Handle());
  SaveScreen(ClientOnScreen(form.Checks()->Handle()), L"check-window");
}

// The comparison window: the sample as the author has it now (a final
// message reworded, an answer added) against the sample file it came from.
TEST(HelpPictures, ComparisonWindow) {
  ASSERT_FALSE(PicturesFolder().empty());
  testing::InitialiseCommonControls();
  TForm1 form(GetModuleHandleW(nullptr), "Velmora");
  form.ShowFirstTime(SW_SHOWNORMAL, {SampleProcedure()});
  TreeNode* paper = form.Model().Tree().Root()->FirstChild();
  TreeNode* end = paper->LastChild();
  // "用紙をセットしてから、印刷し直してください。"
  end->SetText("\x97\x70\x8e\x86\x82\xf0\x83\x5a\x83\x62\x83\x67\x82\xb5\x82\xc4\x82\xa9\x82\xe7\x81\x41"
               "\x88\xf3\x8d\xfc\x82\xb5\x92\xbc\x82\xb5\x82\xc4\x82\xad\x82\xbe\x82\xb3\x82\xa2\x81\x42");
  form.Model().AddBranch(end, PackNode("\x81\x63", Unset));
  form.Sync();
  testing::FileDialogDriver dialogs(form.Handle());
  dialogs.Answer({SampleProcedure()});
  form.RunCommand(IDM_COMPARE);
  PumpMessages();
  ASSERT_NE(form.Comparison(), nullptr);
  UpdateWindow(form.Comparison()->Handle());
  SaveScreen(ClientOnScreen(form.Comparison()->Handle()), L"comparison-window");
}


// A step with a picture: the node editor with its thumbnail and words, and
// the step as the end user sees it. The picture is a real screenshot, a
// piece of the main window, written as PNG as a pasted one is.
TEST(HelpPictures, PictureStep) {
  ASSERT_FALSE(PicturesFolder().empty());
  testing::InitialiseCommonControls();
  TForm1 form(GetModuleHandleW(nullptr), "Velmora");
  ShowSample(form);
  RECT piece = ClientOnScreen(form.Handle());
  piece.right = piece.left + 360;
  piece.bottom = piece.top + 150;
  const std::optional<std::string> png = EncodePicture(ScreenBmp(piece), EncodedFormat::Png);
  ASSERT_TRUE(png.has_value());
  Editor& model = form.Model();
  TreeNode* root = model.Tree().Root();
  NodeFields fields = model.Tree().FieldsOf(*root);
  fields.later.Set(*FieldNamed("picture"), Base64Encode(*png));
  fields.later.Set(*FieldNamed("alt"), "Velmora \x82\xcc\x89\xe6\x96\xca\x82\xcc\x88\xea\x95\x94");  // Velmora の画面の一部
  model.SetNode(root, fields);
  model.Select(root);
  form.Sync();

  IdleScript script(form.Handle());
  SaveDialogs(form, script, {{IDM_EDIT1, L"node-editor-picture"}, {IDM_PREVIEW1, L"step-picture"}});
}

// The list of the nodes an end may continue at, opened from the node
// editor of the sample's shared step and narrowed by its search box.
TEST(HelpPictures, LinkPicker) {
  ASSERT_FALSE(PicturesFolder().empty());
  testing::InitialiseCommonControls();
  TForm1 form(GetModuleHandleW(nullptr), "Velmora");
  ShowSample(form);
  form.Model().Select(form.Model().Tree().Root()->FirstChild()->LastChild());
  form.Sync();

  // The list is the node editor's: it tells the node editor when it waits.
  IdleScript script(form.Handle());
  std::optional<IdleScript> listScript;
  script.Play({
      [&](HWND editor) {
        listScript.emplace(editor);
        listScript->Play({[](HWND picker) {
                            const HWND search = GetDlgItem(picker, link_picker::kSearch);
                            SendMessageW(search, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"用紙"));
                            SendMessageW(picker, WM_COMMAND, MAKEWPARAM(link_picker::kSearch, EN_CHANGE),
                                         reinterpret_cast<LPARAM>(search));
                          },
                          // Taken at the next wait, once the narrowed list is on the screen.
                          [](HWND picker) {
                            SaveScreen(ClientOnScreen(picker), L"link-picker");
                            Close(picker);
                          }});
        PostMessageW(editor, WM_COMMAND, MAKEWPARAM(node_editor::kLinkButton, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(editor, node_editor::kLinkButton)));
      },
      [](HWND editor) { Close(editor); },
  });
  form.RunCommand(IDM_EDIT1);
  EXPECT_TRUE(script.Finished());
  EXPECT_TRUE(listScript && listScript->Finished());
}

// The run statistics window over the sample, its record folder holding the
// records of a few runs as the generated program leaves them.
TEST(HelpPictures, RunStatisticsWindow) {
  ASSERT_FALSE(PicturesFolder().empty());
  testing::InitialiseCommonControls();
  TForm1 form(GetModuleHandleW(nullptr), "Velmora");
  form.ShowFirstTime(SW_SHOWNORMAL, {SampleProcedure()});
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  const std::wstring folder = std::wstring(temp) + L"velmora-help-records";
  CreateDirectoryW(folder.c_str(), nullptr);
  form.Model().SetRecordFolder(ToCp932(folder));
  const std::string version = ContentVersion(BuildTreeText(form.Model().Tree(), form.Model().State()));
  // Steps and ends by line: most runs end at the paper, some stop at the first question.
  const std::pair<const char*, const char*> runs[] = {{"1 2 6", "6"}, {"1 2 6", "6"}, {"1 2 3 4", "4"},
                                                      {"1 2 6", "6"}, {"1", ""},      {"1 7 9", "9"}};
  std::vector<std::wstring> files;
  for (std::size_t i = 0; i < std::size(runs); ++i) {
    const std::string record = "velmora-run 1\r\ntitle=t\r\nversion=" + version +
                               "\r\nstart=2026-12-09T20:30:05Z\r\nduration-ms=42000\r\nsteps=" + runs[i].first +
                               "\r\nanswers=y\r\nend=" + runs[i].second + "\r\noutcome=none\r\n";
    files.push_back(folder + L"\\velmora-run-help-" + std::to_wstring(i) + L".txt");
    const UniqueKernelHandle file(CreateFileW(files.back().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    DWORD written = 0;
    WriteFile(file.get(), record.data(), static_cast<DWORD>(record.size()), &written, nullptr);
  }
  form.Sync();
  form.RunCommand(IDM_RUNSTATS);
  PumpMessages();
  ASSERT_NE(form.RunStatistics(), nullptr);
  UpdateWindow(form.RunStatistics()->Handle());
  SaveScreen(ClientOnScreen(form.RunStatistics()->Handle()), L"run-statistics-window");
  for (const std::wstring& file : files) DeleteFileW(file.c_str());
  RemoveDirectoryW(folder.c_str());
}

// Another program's window, waited for as a person would wait for it.
HWND WaitForWindow(DWORD process, const wchar_t* className) {
  for (int tries = 0; tries < 400; ++tries) {
    if (HWND window = testing::VisibleWindowOf(process, className)) return window;
    Sleep(50);
  }
  return nullptr;
}

// The About box names the program's own path, so it is taken from the real
// program where a user would have put it.
TEST(HelpPictures, AboutBoxOfTheInstalledProgram) {
  ASSERT_FALSE(PicturesFolder().empty());
  std::wstring built = L"Z:" + ToWide(VELMORA_BUILD_DIR) + L"/app/Velmora.exe";
  std::replace(built.begin(), built.end(), L'/', L'\\');
  const std::wstring folder = L"C:\\Program Files\\Velmora";
  const std::wstring program = folder + L"\\Velmora.exe";
  CreateDirectoryW(folder.c_str(), nullptr);
  ASSERT_TRUE(CopyFileW(built.c_str(), program.c_str(), FALSE)) << ToCp932(built);

  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started{};
  std::wstring commandLine = L"\"" + program + L"\"";
  ASSERT_TRUE(CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                             folder.c_str(), &startup, &started));
  const UniqueKernelHandle process(started.hProcess);
  const UniqueKernelHandle thread(started.hThread);
  const HWND main = WaitForWindow(started.dwProcessId, L"TForm1");
  ASSERT_NE(main, nullptr);
  PostMessageW(main, WM_COMMAND, IDM_ABOUT1, 0);
  const HWND about = WaitForWindow(started.dwProcessId, L"#32770");
  ASSERT_NE(about, nullptr);
  Sleep(500);  // its first paint
  SaveScreen(ClientOnScreen(about), L"about");
  PostMessageW(about, WM_CLOSE, 0, 0);
  PostMessageW(main, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(process.get(), 10000) != WAIT_OBJECT_0) TerminateProcess(process.get(), 1);
}

}  // namespace
}  // namespace velmora::win32
