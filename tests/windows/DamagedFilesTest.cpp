// Damaged files in the real editor: a line of 50 MB at a wrong level gives
// a message box that fits on the screen and the editor goes on; a file with
// a NUL byte opens with a notice that names the file and the line. The
// message boxes are the system's own, answered as they come up.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "files/FileMessages.h"
#include "tests/windows/EditingDriver.h"
#include "tests/windows/MainWindowTestSupport.h"
#include "win32/Win32Handles.h"
#include "win32/WideText.h"

namespace velmora::win32 {
namespace {

using editing_test::DialogScript;

struct SeenBox {
  std::wstring text;
  RECT rect{};
};

class DamagedFilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // No test port for the message boxes: the window's own, the system's.
    testing::InitialiseCommonControls();
    form = std::make_unique<TForm1>(GetModuleHandleW(nullptr), "Velmora", RunningProgramPath(), MainWindowPorts{});
    form->ShowFirstTime(SW_SHOWNOACTIVATE, {});
    script = std::make_unique<DialogScript>();
  }
  void TearDown() override {
    script.reset();
    form.reset();
    if (!path.empty()) DeleteFileW(path.c_str());
  }

  // Writes `bytes` to a file of this test's own in the temporary folder.
  void Put(const std::wstring& name, const std::string& bytes) {
    wchar_t temp[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH + 1, temp);
    path = std::wstring(temp) + std::to_wstring(GetCurrentProcessId()) + L"-" + name;
    UniqueKernelHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    ASSERT_NE(file.get(), INVALID_HANDLE_VALUE);
    DWORD written = 0;
    ASSERT_TRUE(WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr));
    ASSERT_EQ(written, bytes.size());
  }

  // Opens the file as from the command line; the one box it shows is read
  // and answered OK.
  SeenBox OpenAndAnswerOneBox() {
    SeenBox seen;
    script->Play({[&](HWND box) {
      seen.text = editing_test::MessageBoxText(box);
      GetWindowRect(box, &seen.rect);
      editing_test::Answer(box, IDOK);
    }});
    form->RunGuarded([&] { form->FormShow({path}); });
    EXPECT_TRUE(script->Finished()) << "no message box was shown";
    return seen;
  }

  std::unique_ptr<TForm1> form;
  std::unique_ptr<DialogScript> script;
  std::wstring path;
};

TEST_F(DamagedFilesTest, AFiftyMegabyteLineAtAWrongLevelGivesAShortMessage) {
  Put(L"long-line.tre", "r\r\n\t\t" + std::string(50u << 20, 'x') + "\r\n");
  const SeenBox seen = OpenAndAnswerOneBox();
  EXPECT_LT(seen.text.size(), 2 * kQuoteLimit);
  EXPECT_NE(seen.text.find(L"xxx…\""), std::wstring::npos) << "the quote ends in an ellipsis";
  // OK is on the screen: the box is no larger than the screen.
  EXPECT_LE(seen.rect.right - seen.rect.left, GetSystemMetrics(SM_CXSCREEN));
  EXPECT_LE(seen.rect.bottom - seen.rect.top, GetSystemMetrics(SM_CYSCREEN));
  // The editor goes on with the document it had.
  EXPECT_EQ(form->Model().Tree().Count(), 3u);
  EXPECT_TRUE(IsWindowEnabled(form->Handle()));
}

TEST_F(DamagedFilesTest, AFileWithANulByteOpensWithANoticeNamingTheLine) {
  Put(L"nul.tre", std::string("? root\r\n\ti yes\r\n\ti no") + '\0' + "\r\n\t\ti lost\r\n");
  const SeenBox seen = OpenAndAnswerOneBox();
  EXPECT_EQ(seen.text, ToWide(StoppedAtNulNotice(ToCp932(path), 3)));
  EXPECT_EQ(form->Model().Tree().Count(), 3u);
  EXPECT_EQ(form->Model().State().CurrentFileName.Utf8(), FromWidePath(path).Utf8());
  EXPECT_FALSE(form->Model().State().Modified);
}

}  // namespace
}  // namespace velmora::win32
