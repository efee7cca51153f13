// The Windows file-system port on real files: CP932 paths, atomic replace
// that keeps the target's attributes, refusals that leave the old file and
// no temporary file behind, and reasons in the system's words.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "win32/WideText.h"
#include "document/Errors.h"
#include "files/FileMessages.h"
#include "files/win32/Win32FileSystem.h"

namespace velmora::win32 {
namespace {

class Win32FileSystemTest : public ::testing::Test {
 protected:
  void SetUp() override {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    folder_ = ToCp932(temp) + "velmora-fs-" + std::to_string(GetCurrentProcessId()) + "\\";
    CreateDirectoryW(ToWide(folder_).c_str(), nullptr);
  }

  void TearDown() override {
    WIN32_FIND_DATAW found;
    const std::wstring pattern = ToWide(folder_) + L"*";
    HANDLE search = FindFirstFileW(pattern.c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
      do {
        const std::wstring path = ToWide(folder_) + found.cFileName;
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(path.c_str());
      } while (FindNextFileW(search, &found));
      FindClose(search);
    }
    RemoveDirectoryW(ToWide(folder_).c_str());
  }

  int FilesInFolder() const {
    int count = 0;
    WIN32_FIND_DATAW found;
    const std::wstring pattern = ToWide(folder_) + L"*";
    HANDLE search = FindFirstFileW(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return 0;
    do {
      if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) ++count;
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return count;
  }

  template <typename Action>
  static std::string ErrorOf(Action action) {
    try {
      action();
    } catch (const VelmoraError& error) {
      return error.what();
    }
    return "(no error)";
  }

  std::string folder_;
  Win32FileSystem files_;
};

TEST_F(Win32FileSystemTest, WritesAndReadsWholeFilesUnderJapaneseNames) {
  // "手順.tre"; the trail byte of "ソ" (83 5C) is a backslash.
  const std::string path = folder_ + "\x8e\xe8\x8f\x87\x83\x5c.tre";
  const std::string bytes("a\0b\r\n\x81\xab", 7);
  files_.WriteFileAtomically(path, bytes);
  EXPECT_TRUE(files_.FileExists(path));
  EXPECT_FALSE(files_.FileExists(folder_));
  EXPECT_EQ(files_.ReadWholeFile(path), bytes);
  EXPECT_NE(GetFileAttributesW((ToWide(folder_) + L"\u624b\u9806\u30bd.tre").c_str()), INVALID_FILE_ATTRIBUTES);
  files_.WriteFileAtomically(path, "");
  EXPECT_EQ(files_.ReadWholeFile(path), "");
  EXPECT_EQ(FilesInFolder(), 1);
}

TEST_F(Win32FileSystemTest, ReplacingKeepsTheTargetsAttributes) {
  const std::string path = folder_ + "hidden.tre";
  files_.WriteFileAtomically(path, "old");
  SetFileAttributesW(ToWide(path).c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE);
  files_.WriteFileAtomically(path, "new");
  EXPECT_EQ(files_.ReadWholeFile(path), "new");
  EXPECT_TRUE(GetFileAttributesW(ToWide(path).c_str()) & FILE_ATTRIBUTE_HIDDEN);
  EXPECT_EQ(FilesInFolder(), 1);
}

TEST_F(Win32FileSystemTest, RefusalsNameThePathAndLeaveTheOldFile) {
  const std::string missing = folder_ + "missing.tre";
  EXPECT_EQ(ErrorOf([&] { files_.ReadWholeFile(missing); }),
            CannotOpenMessage(missing, SystemReasonText(ERROR_FILE_NOT_FOUND)));

  const std::string locked = folder_ + "locked.tre";
  files_.WriteFileAtomically(locked, "precious");
  SetFileAttributesW(ToWide(locked).c_str(), FILE_ATTRIBUTE_READONLY);
  EXPECT_EQ(ErrorOf([&] { files_.WriteFileAtomically(locked, "new"); }),
            CannotCreateMessage(locked, SystemReasonText(ERROR_ACCESS_DENIED)));
  EXPECT_EQ(files_.ReadWholeFile(locked), "precious");

  const std::string noFolder = folder_ + "no\\such\\x.tre";
  const std::string message = ErrorOf([&] { files_.WriteFileAtomically(noFolder, "x"); });
  EXPECT_EQ(message.rfind(CannotCreateMessage(noFolder, ""), 0), 0u) << message;
  EXPECT_EQ(FilesInFolder(), 1);
}

TEST_F(Win32FileSystemTest, ReasonTextsAreCp932WithoutTheLineBreak) {
  const std::string reason = SystemReasonText(ERROR_FILE_NOT_FOUND);
  EXPECT_FALSE(reason.empty());
  EXPECT_NE(reason.back(), '\n');
  EXPECT_EQ(ToCp932(ToWide(reason)), reason);
}

}  // namespace
}  // namespace velmora::win32
