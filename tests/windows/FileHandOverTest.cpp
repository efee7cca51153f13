// The receiving side of a second start's file, in this process: the data is
// checked, a well-formed path opens as a dropped file, and while a modal
// dialog has the window disabled the path waits instead of being lost.
#include "app/win32/FileHandOver.h"

#include <gtest/gtest.h>

#include <string>

#include "files/FileMessages.h"
#include "tests/windows/MainWindowTestSupport.h"
#include "win32/Win32Handles.h"
#include "win32/WideText.h"

namespace velmora::win32 {
namespace {

COPYDATASTRUCT HandOver(const std::wstring& bytes, ULONG_PTR id = FileHandOverId()) {
  COPYDATASTRUCT data{};
  data.dwData = id;
  data.cbData = static_cast<DWORD>(bytes.size() * sizeof(wchar_t));
  data.lpData = const_cast<wchar_t*>(bytes.data());
  return data;
}

TEST(FileHandOver, OnlyAWellFormedPathIsTaken) {
  const std::wstring path = L"C:\\Procédures\\ā.tre";
  EXPECT_EQ(ReadFileHandOver(HandOver(path)), path) << "every UTF-16 unit arrives";
  EXPECT_EQ(ReadFileHandOver(HandOver(path + L'\0')), path) << "a closing NUL is allowed";

  const std::wstring withNul = std::wstring(L"C:\\a.tre") + L'\0' + L"b";
  const std::wstring tooLong(kMaxHandedOverPath + 1, L'a');
  COPYDATASTRUCT odd = HandOver(path);
  odd.cbData -= 1;
  COPYDATASTRUCT noData = HandOver(path);
  noData.lpData = nullptr;
  const COPYDATASTRUCT refused[] = {HandOver(path, FileHandOverId() + 1), HandOver(path, 0), HandOver(L""),
                                    HandOver(std::wstring(1, L'\0')), HandOver(withNul), HandOver(tooLong), odd,
                                    noData};
  for (const COPYDATASTRUCT& data : refused) {
    EXPECT_FALSE(ReadFileHandOver(data).has_value()) << data.dwData << " " << data.cbData;
  }
  EXPECT_TRUE(ReadFileHandOver(HandOver(std::wstring(kMaxHandedOverPath, L'a'))).has_value());
}

class FileHandOverWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form = testing::CreateMainWindow(boxes);
    form->ShowFirstTime(SW_SHOWNOACTIVATE, {});
    wchar_t temp[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH + 1, temp);
    // Not a name the ANSI code page can hold: the path must arrive whole.
    path = std::wstring(temp) + L"hand-over-ā-" + std::to_wstring(GetCurrentProcessId()) + L".tre";
    const std::string bytes = "? handed\r\n\ti over\r\n[OPTION]\r\nColor=3\r\n";
    UniqueKernelHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    DWORD written = 0;
    WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  }
  void TearDown() override {
    form.reset();
    DeleteFileW(path.c_str());
  }

  LRESULT Send(const std::wstring& sent) {
    COPYDATASTRUCT data = HandOver(sent);
    return SendMessageW(form->Handle(), WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data));
  }

  testing::RecordingMessageBoxes boxes;
  std::unique_ptr<TForm1> form;
  std::wstring path;
};

TEST_F(FileHandOverWindowTest, AHandedOverFileOpensOnceNoModalDialogRuns) {
  // A modal dialog disables its owner: the file waits.
  EnableWindow(form->Handle(), FALSE);
  EXPECT_EQ(Send(path), TRUE);
  testing::PumpMessages();
  EXPECT_EQ(form->Model().Tree().Count(), 3u) << "opened under a modal dialog";

  // The dialog ends: the file opens as a dropped one.
  EnableWindow(form->Handle(), TRUE);
  testing::PumpMessages();
  EXPECT_EQ(form->Model().Tree().Count(), 2u);
  EXPECT_EQ(form->Model().State().Color, 3);
  EXPECT_EQ(form->Model().State().CurrentFileName.Utf8(), FromWidePath(path).Utf8());
  EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(FileHandOverWindowTest, AFileThatCannotBeOpenedIsReportedNotDropped) {
  const std::wstring missing = path + L".gone.tre";
  EXPECT_EQ(Send(missing), TRUE);
  testing::PumpMessages();
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_NE(boxes.shown[0].text.find(".gone.tre"), std::string::npos) << boxes.shown[0].text;
  EXPECT_EQ(form->Model().Tree().Count(), 3u);

  // Data that is no hand-over is refused and changes nothing.
  COPYDATASTRUCT other = HandOver(path, FileHandOverId() + 1);
  EXPECT_EQ(SendMessageW(form->Handle(), WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&other)), FALSE);
  testing::PumpMessages();
  EXPECT_EQ(form->Model().Tree().Count(), 3u);
}

}  // namespace
}  // namespace velmora::win32
