// The pieces of a path that the commands build names from: the caption's
// file name, the folder the dialogs start in, the stub beside the program.
#include "document/FilePath.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

struct PathPieces {
  const char* path;
  const char* folder;
  const char* fileName;
  const char* extension;
  const char* stem;
};

class FilePathPieces : public ::testing::TestWithParam<PathPieces> {};

TEST_P(FilePathPieces, SplitAtTheLastSeparatorAndDot) {
  const PathPieces& c = GetParam();
  const FilePath path = FilePath::FromUtf8(c.path);
  EXPECT_EQ(path.Folder().Utf8(), c.folder);
  EXPECT_EQ(path.FileName().Utf8(), c.fileName);
  EXPECT_EQ(path.Extension(), c.extension);
  EXPECT_EQ(path.Stem().Utf8(), c.stem);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, FilePathPieces,
    ::testing::Values(PathPieces{"C:\\work\\abc.tre", "C:\\work\\", "abc.tre", ".tre", "abc"},
                      PathPieces{"/home/a/b.c/readme", "/home/a/b.c/", "readme", "", "readme"},
                      PathPieces{"abc.Tool.EXE", "", "abc.Tool.EXE", ".EXE", "abc.Tool"},
                      // UTF-8 "ソ\手順.tre": no byte of a multi-byte character is a separator.
                      PathPieces{"\xe3\x82\xbd\\\xe6\x89\x8b\xe9\xa0\x86.tre", "\xe3\x82\xbd\\",
                                 "\xe6\x89\x8b\xe9\xa0\x86.tre", ".tre", "\xe6\x89\x8b\xe9\xa0\x86"},
                      PathPieces{"", "", "", "", ""}));

TEST(FilePath, ExtensionsAndJoins) {
  const FilePath tool = FilePath::FromUtf8("C:\\Apps\\Tool.exe");
  EXPECT_EQ(tool.WithExtension(".bin").Utf8(), "C:\\Apps\\Tool.bin");
  EXPECT_EQ(FilePath::FromUtf8("C:\\a\\title").WithExtension(".EXE").Utf8(), "C:\\a\\title.EXE");
  EXPECT_EQ(FilePath::FromUtf8("C:\\A\\X.TRE").LowerCaseExtension(), ".tre");
  EXPECT_EQ(tool.Folder().Join("Velmora.Lnk").Utf8(), "C:\\Apps\\Velmora.Lnk");
  EXPECT_EQ(FilePath::FromUtf8("C:\\Apps").Join("x").Utf8(), "C:\\Apps\\x");
  EXPECT_EQ(FilePath::FromUtf8("/opt/v").Join("x").Utf8(), "/opt/v/x");
}

}  // namespace
}  // namespace velmora
