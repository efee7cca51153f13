// The player's copy of the path taken: the footer it adds and the text it
// leaves on the real clipboard.
#include <windows.h>

#include <string>

#include <gtest/gtest.h>

#include "ClipboardReading.h"
#include "distribution/win32/PathClipboard.h"
#include "win32/WideText.h"

namespace velmora::win32 {
namespace {

SYSTEMTIME Time(WORD year, WORD month, WORD day, WORD hour, WORD minute) {
  SYSTEMTIME time{};
  time.wYear = year;
  time.wMonth = month;
  time.wDay = day;
  time.wHour = hour;
  time.wMinute = minute;
  return time;
}

// "日時: " and "ファイル: " in CP932.
const std::string kDate = "\x93\xFA\x8E\x9E: ";
const std::string kFile = "\x83\x74\x83\x40\x83\x43\x83\x8B: ";

TEST(PathClipboard, FooterPadsTheDateAndNamesTheFileWithoutItsFolder) {
  struct Case {
    SYSTEMTIME time;
    std::wstring program;
    std::string footer;
  };
  const Case cases[] = {
      {Time(2026, 1, 5, 9, 7), L"C:\\Users\\a\\Desktop\\printer.exe", kDate + "2026/01/05 09:07\r\n" + kFile + "printer.exe\r\n"},
      {Time(2026, 12, 31, 23, 59), L"Z:/tmp/x.exe", kDate + "2026/12/31 23:59\r\n" + kFile + "x.exe\r\n"},
      {Time(999, 10, 10, 0, 0), L"bare.exe", kDate + "0999/10/10 00:00\r\n" + kFile + "bare.exe\r\n"},
      // A Japanese file name, in CP932 like the rest of the text.
      {Time(2026, 2, 3, 4, 5), L"C:\\プリンタ.exe",
       kDate + "2026/02/03 04:05\r\n" + kFile + "\x83\x76\x83\x8A\x83\x93\x83\x5E.exe\r\n"},
  };
  for (const Case& c : cases) EXPECT_EQ(PathFooter(c.time, c.program), c.footer) << c.footer;
}

TEST(PathClipboard, CopyLeavesThePathAndFooterAsUnicodeText) {
  ASSERT_TRUE(CopyPathToClipboard(nullptr, "T\r\n[\x8C\x8B\x89\xCA] ok\r\n"));  // "[結果] ok"
  const std::wstring text = ClipboardText();
  EXPECT_EQ(text.rfind(L"T\r\n[結果] ok\r\n日時: ", 0), 0u) << ToCp932(text);
  const std::wstring fileLine = L"ファイル: windows_tests.exe\r\n";
  ASSERT_GE(text.size(), fileLine.size());
  EXPECT_EQ(text.substr(text.size() - fileLine.size()), fileLine) << ToCp932(text);
}

}  // namespace
}  // namespace velmora::win32
