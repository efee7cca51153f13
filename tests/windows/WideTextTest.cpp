// The CP932 <-> UTF-16 conversion must not depend on the ANSI code page of
// the machine: these run under Wine once with 932 and once with 1252.
#include "win32/WideText.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace velmora::win32 {
namespace {

// "既に起動されています。" in CP932 and in UTF-16.
const std::string kAlreadyRunning =
    "\x8A\xF9\x82\xC9\x8B\x4E\x93\xAE\x82\xB3\x82\xEA\x82\xC4\x82\xA2\x82\xDC\x82\xB7\x81\x42";
const std::wstring kAlreadyRunningWide =
    L"既に起動されています。";

TEST(WideText, SystemTextsRoundTrip) {
  EXPECT_EQ(ToWide(kAlreadyRunning), kAlreadyRunningWide);
  EXPECT_EQ(ToCp932(kAlreadyRunningWide), kAlreadyRunning);
  EXPECT_EQ(ToWide("\x81\x63"), L"…");   // the placeholder "…"
  EXPECT_EQ(ToWide("\x81\xAB"), L"↓");   // the newline mark "↓"
  EXPECT_EQ(ToCp932(L"…"), "\x81\x63");
}

TEST(WideText, IndependentOfTheAnsiCodePage) {
  // Whatever GetACP says, the conversion is the CP932 one.
  // The test runner says which locale it started Wine with.
  wchar_t lang[64] = {};
  GetEnvironmentVariableW(L"VELMORA_LANG", lang, 64);
  const std::wstring locale(lang);
  if (locale.rfind(L"ja_JP", 0) == 0) {
    EXPECT_EQ(GetACP(), 932u);
  }
  if (locale.rfind(L"en_US", 0) == 0) {
    EXPECT_EQ(GetACP(), 1252u);
  }
  EXPECT_EQ(ToCp932(ToWide(kAlreadyRunning)), kAlreadyRunning);
}

TEST(WideText, FindsCharactersCp932CannotHold) {
  EXPECT_FALSE(FirstUnrepresentableChar(kAlreadyRunningWide).has_value());
  EXPECT_FALSE(FirstUnrepresentableChar(L"abc").has_value());
  const std::wstring emoji = L"ok \U0001F600 then";
  ASSERT_TRUE(FirstUnrepresentableChar(emoji).has_value());
  EXPECT_EQ(*FirstUnrepresentableChar(emoji), L"\U0001F600");
  // A simplified Chinese character outside JIS X 0208.
  EXPECT_EQ(FirstUnrepresentableChar(L"a们b"), std::optional<std::wstring>(L"们"));
}

// Paths cross between UTF-16 and UTF-8 without loss, a lone surrogate
// (legal in a Windows file name) included.
TEST(WideText, PathsRoundTripWithoutLoss) {
  for (const std::wstring& path : {std::wstring(L"C:\\Procédures\\手順.tre"),
                                   std::wstring(L"C:\\\U0001F600\\a.tre"), std::wstring(L"x\xD800y\xDC00")}) {
    EXPECT_EQ(ToWidePath(FromWidePath(path)), path);
  }
  EXPECT_EQ(FromWidePath(L"手").Utf8(), "\xe6\x89\x8b");
  EXPECT_EQ(FromWidePath(L"\U0001F600").Utf8(), "\xf0\x9f\x98\x80");
}

}  // namespace
}  // namespace velmora::win32
