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
#include "win32/SystemError.h"

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

  // The tests name their files in CP932, as the messages show them.
  static FilePath P(const std::string& cp932) { return FromWidePath(ToWide(cp932)); }

  std::string folder_;
  Win32FileSystem files_;
};

TEST_F(Win32FileSystemTest, WritesAndReadsWholeFilesUnderJapaneseNames) {
  // "手順.tre"; the trail byte of "ソ" (83 5C) is a backslash.
  const std::string path = folder_ + "\x8e\xe8\x8f\x87\x83\x5c.tre";
  const std::string bytes("a\0b\r\n\x81\xab", 7);
  files_.WriteFileAtomically(P(path), bytes);
  EXPECT_TRUE(files_.FileExists(P(path)));
  EXPECT_FALSE(files_.FileExists(P(folder_)));
  EXPECT_EQ(files_.ReadWholeFile(P(path)), bytes);
  EXPECT_NE(GetFileAttributesW((ToWide(folder_) + L"手順ソ.tre").c_str()), INVALID_FILE_ATTRIBUTES);
  files_.WriteFileAtomically(P(path), "");
  EXPECT_EQ(files_.ReadWholeFile(P(path)), "");
  EXPECT_EQ(FilesInFolder(), 1);
}

TEST_F(Win32FileSystemTest, ReplacingKeepsTheTargetsAttributes) {
  const std::string path = folder_ + "hidden.tre";
  files_.WriteFileAtomically(P(path), "old");
  SetFileAttributesW(ToWide(path).c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE);
  files_.WriteFileAtomically(P(path), "new");
  EXPECT_EQ(files_.ReadWholeFile(P(path)), "new");
  EXPECT_TRUE(GetFileAttributesW(ToWide(path).c_str()) & FILE_ATTRIBUTE_HIDDEN);
  EXPECT_EQ(FilesInFolder(), 1);
}

TEST_F(Win32FileSystemTest, RemovesAFileAndTakesAMissingOneForRemoved) {
  // "手順.tre"
  const std::string path = folder_ + "\x8e\xe8\x8f\x87.tre";
  files_.WriteFileAtomically(P(path), "x");
  EXPECT_TRUE(files_.RemoveFile(P(path)));
  EXPECT_FALSE(files_.FileExists(P(path)));
  EXPECT_TRUE(files_.RemoveFile(P(path)));
  EXPECT_TRUE(files_.RemoveFile(P(folder_ + "gone\\a.tre")));
  const std::string locked = folder_ + "locked.tre";
  files_.WriteFileAtomically(P(locked), "x");
  SetFileAttributesW(ToWide(locked).c_str(), FILE_ATTRIBUTE_READONLY);
  EXPECT_FALSE(files_.RemoveFile(P(locked)));
  EXPECT_TRUE(files_.FileExists(P(locked)));
}

TEST_F(Win32FileSystemTest, RefusalsNameThePathAndLeaveTheOldFile) {
  const std::string missing = folder_ + "missing.tre";
  EXPECT_EQ(ErrorOf([&] { files_.ReadWholeFile(P(missing)); }),
            CannotOpenMessage(missing, SystemReasonText(ERROR_FILE_NOT_FOUND)));

  const std::string locked = folder_ + "locked.tre";
  files_.WriteFileAtomically(P(locked), "precious");
  SetFileAttributesW(ToWide(locked).c_str(), FILE_ATTRIBUTE_READONLY);
  EXPECT_EQ(ErrorOf([&] { files_.WriteFileAtomically(P(locked), "new"); }),
            CannotCreateMessage(locked, SystemReasonText(ERROR_ACCESS_DENIED)));
  EXPECT_EQ(files_.ReadWholeFile(P(locked)), "precious");

  const std::string noFolder = folder_ + "no\\such\\x.tre";
  const std::string message = ErrorOf([&] { files_.WriteFileAtomically(P(noFolder), "x"); });
  EXPECT_EQ(message.rfind(CannotCreateMessage(noFolder, ""), 0), 0u) << message;
  EXPECT_EQ(FilesInFolder(), 1);
}

// A folder whose name CP932 cannot hold still names the right file; only
// what is shown of it falls back, and the CP932 files never get it.
TEST_F(Win32FileSystemTest, PathsBeyondCp932ReachTheirFiles) {
  const std::wstring folder = ToWide(folder_) + L"Procédures \U0001F600";
  ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
  const FilePath path = FromWidePath(folder + L"\\a.tre");
  EXPECT_EQ(ToWidePath(path), folder + L"\\a.tre");
  files_.WriteFileAtomically(path, "kept");
  EXPECT_EQ(files_.ReadWholeFile(path), "kept");
  EXPECT_NE(GetFileAttributesW((folder + L"\\a.tre").c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_FALSE(files_.ExactCp932(path).has_value());
  EXPECT_EQ(files_.DisplayText(path.FileName()), "a.tre");
  EXPECT_EQ(files_.Absolute(FilePath::FromUtf8("rel.tre")).FileName().Utf8(), "rel.tre");
  EXPECT_NE(files_.Absolute(FilePath::FromUtf8("rel.tre")).Utf8().find(':'), std::string::npos);
  DeleteFileW((folder + L"\\a.tre").c_str());
  RemoveDirectoryW(folder.c_str());
}

TEST_F(Win32FileSystemTest, ReasonTextsAreCp932WithoutTheLineBreak) {
  const std::string reason = SystemReasonText(ERROR_FILE_NOT_FOUND);
  EXPECT_FALSE(reason.empty());
  EXPECT_NE(reason.back(), '\n');
  EXPECT_EQ(ToCp932(ToWide(reason)), reason);
}

}  // namespace
}  // namespace velmora::win32
