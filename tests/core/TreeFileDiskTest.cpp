// The Linux file-system port on real files: whole reads, atomic writes that
// leave the old file intact on failure, and the messages naming the path.
#ifndef _WIN32

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include "files/posix/BackgroundWriter.h"
#include "files/posix/PosixFileSystem.h"
#include "files/TreeFile.h"
#include "TreeFileTestSupport.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;

class TreeFileDisk : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() / ("velmora-disk-" + std::to_string(::getpid()) + "-" +
                                           ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }
  void TearDown() override { fs::remove_all(folder_); }

  std::string PathOf(const std::string& name) const { return (folder_ / name).string(); }
  static FilePath P(const std::string& path) { return FilePath::FromUtf8(path); }

  static std::string Content(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
  }

  static void Put(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
  }

  std::size_t EntriesInFolder() const {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()));
  }

  fs::path folder_;
  PosixFileSystem files_;
};

TEST_F(TreeFileDisk, SaveAndLoadRealFiles) {
  const std::string path = PathOf("a.tre");
  SaveTreeFile(files_, P(path), testing::NewDocumentTree(), [] {
    DocumentState state;
    state.Color = 1;
    return state;
  }());
  EXPECT_EQ(Content(path), testing::ReadTestData("new-document.tre"));
  EXPECT_TRUE(files_.FileExists(P(path)));
  EXPECT_FALSE(files_.FileExists(P(folder_.string())));
  EXPECT_EQ(LoadTreeFile(files_, P(path), DocumentState{}).tree.Count(), 3u);
  EXPECT_EQ(EntriesInFolder(), 1u);  // no temporary file left behind
}

// Paths are the system's own names; CP932 is only how they are shown.
TEST_F(TreeFileDisk, PathsKeepTheirNamesAndShowInCp932) {
  const std::string japanese = PathOf("\xe6\x89\x8b\xe9\xa0\x86.tre");  // 手順.tre
  files_.WriteFileAtomically(P(japanese), "x");
  EXPECT_EQ(Content(japanese), "x");
  EXPECT_EQ(files_.ReadWholeFile(P(japanese)), "x");
  EXPECT_EQ(files_.DisplayText(P(japanese)).substr(files_.DisplayText(P(japanese)).size() - 8), "\x8e\xe8\x8f\x87.tre");

  const std::string western = PathOf("Proc\xc3\xa9""dures.tre");  // Procédures.tre: no CP932 form
  files_.WriteFileAtomically(P(western), "y");
  EXPECT_EQ(Content(western), "y");
  EXPECT_FALSE(files_.ExactCp932(P(western)).has_value());
  EXPECT_EQ(FilePath::FromUtf8(files_.DisplayText(P(western))).FileName().Utf8(), "Proc?dures.tre");
  EXPECT_EQ(files_.FromCp932(*files_.ExactCp932(P(japanese))), P(japanese));
}

TEST_F(TreeFileDisk, ReplacingKeepsPermissionsAndFollowsLinks) {
  const std::string path = PathOf("kept.tre");
  Put(path, "old");
  ::chmod(path.c_str(), 0640);
  files_.WriteFileAtomically(P(path), "new");
  struct stat info {};
  ::stat(path.c_str(), &info);
  EXPECT_EQ(info.st_mode & 07777, 0640u);
  EXPECT_EQ(Content(path), "new");

  const std::string link = PathOf("link.tre");
  fs::create_symlink(path, link);
  files_.WriteFileAtomically(P(link), "through the link");
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(Content(path), "through the link");
}

TEST_F(TreeFileDisk, FailuresNameThePathAndLeaveNothingBehind) {
  const std::string missing = PathOf("missing.tre");
  EXPECT_EQ(testing::ErrorOf([&] { files_.ReadWholeFile(P(missing)); }),
            CannotOpenMessage(missing, std::strerror(ENOENT)));
  EXPECT_EQ(testing::ErrorOf([&] { files_.ReadWholeFile(P(folder_.string())); }),
            CannotOpenMessage(folder_.string(), std::strerror(EISDIR)));
  const std::string noFolder = PathOf("no/such/folder.tre");
  EXPECT_EQ(testing::ErrorOf([&] { files_.WriteFileAtomically(P(noFolder), "x"); }),
            CannotCreateMessage(noFolder, std::strerror(ENOENT)));
  EXPECT_EQ(testing::ErrorOf([&] { files_.WriteFileAtomically(P(folder_.string()), "x"); }),
            CannotCreateMessage(folder_.string(), std::strerror(EISDIR)));
  EXPECT_EQ(EntriesInFolder(), 0u);
}

// A write that fails halfway (here: the file-size limit, as a full disk
// would) leaves the old file whole and no temporary file.
TEST_F(TreeFileDisk, FailureMidWriteKeepsTheOldFile) {
  const std::string path = PathOf("old.tre");
  Put(path, "old content");
  struct rlimit saved {};
  ::getrlimit(RLIMIT_FSIZE, &saved);
  const auto previousHandler = ::signal(SIGXFSZ, SIG_IGN);
  struct rlimit small = saved;
  small.rlim_cur = 4096;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  // Written when finished, and written by the helper thread while more comes.
  std::vector<std::string> messages;
  for (const std::size_t size : {std::size_t{100000}, std::size_t{5} << 20}) {
    messages.push_back(testing::ErrorOf([&] { files_.WriteFileAtomically(P(path), std::string(size, 'x')); }));
  }
  ::setrlimit(RLIMIT_FSIZE, &saved);
  ::signal(SIGXFSZ, previousHandler);
  for (const std::string& message : messages) EXPECT_EQ(message, CannotCreateMessage(path, std::strerror(EFBIG)));
  EXPECT_EQ(Content(path), "old content");
  EXPECT_EQ(EntriesInFolder(), 1u);
}

// Saving writes the text in chunks as it is made: a tree of many chunks
// arrives whole, and a writer that fails partway leaves the old file.
TEST_F(TreeFileDisk, StreamedSaveIsWholeOrNothing) {
  DecisionTree tree;
  TreeNode* root = tree.AddTopLevel("root", Question);
  for (int i = 0; i < 3000; ++i) {
    TreeNode* question = tree.AddChild(root, "question " + std::to_string(i), i % 2 == 0 ? Question : Unset);
    for (int j = 0; j < 10; ++j) tree.AddChild(question, "answer " + std::to_string(j), Information);
  }
  const std::string path = PathOf("large.tre");
  SaveTreeFile(files_, P(path), tree, DocumentState{});
  EXPECT_EQ(Content(path), BuildTreeText(tree, DocumentState{}));

  const std::string message = testing::ErrorOf([&] {
    files_.StreamFileAtomically(P(path), [](ByteSink& sink) {
      sink.Write("the first piece");
      throw VelmoraError("the writer gave up");
    });
  });
  EXPECT_EQ(message, "the writer gave up");
  EXPECT_EQ(Content(path), BuildTreeText(tree, DocumentState{}));
  EXPECT_EQ(EntriesInFolder(), 1u);
}

// A large file goes out from a helper thread through a few reused blocks:
// pieces of every size arrive whole and in order, and a writer that gives up
// after many blocks leaves the old file.
TEST_F(TreeFileDisk, LargeStreamArrivesWholeOrNotAtAll) {
  const std::string path = PathOf("large.svg");
  std::string written;
  const auto writeMany = [&written](ByteSink& sink) {
    written.clear();
    for (std::size_t piece = 0; written.size() < (std::size_t{6} << 20); ++piece) {
      const std::string bytes((piece * 7919) % 300001, static_cast<char>('a' + piece % 26));
      written += bytes;
      sink.Write(bytes);
    }
  };
  // A whole number of blocks leaves no last, partial one.
  const std::string wholeBlocks(std::size_t{2} << 20, 'w');
  files_.WriteFileAtomically(P(path), wholeBlocks);
  EXPECT_TRUE(Content(path) == wholeBlocks);

  files_.StreamFileAtomically(P(path), writeMany);
  const std::string first = written;
  EXPECT_TRUE(Content(path) == first);

  EXPECT_EQ(testing::ErrorOf([&] {
              files_.StreamFileAtomically(P(path), [&](ByteSink& sink) {
                writeMany(sink);
                throw VelmoraError("the writer gave up");
              });
            }),
            "the writer gave up");
  EXPECT_TRUE(Content(path) == first);
  EXPECT_EQ(EntriesInFolder(), 1u);
}

TEST_F(TreeFileDisk, ReadOnlyFileIsNotReplaced) {
  if (::geteuid() == 0) GTEST_SKIP() << "root may write to any file";
  const std::string path = PathOf("locked.tre");
  Put(path, "locked");
  ::chmod(path.c_str(), 0444);
  EXPECT_EQ(testing::ErrorOf([&] { files_.WriteFileAtomically(P(path), "new"); }),
            CannotCreateMessage(path, std::strerror(EACCES)));
  EXPECT_EQ(Content(path), "locked");
}


// A name of the full 255 bytes a folder entry allows: the temporary file's
// own name must not be longer than the target's.
TEST_F(TreeFileDisk, LongestNameCanBeWritten) {
  const std::string path = PathOf(std::string(251, 'n') + ".tre");
  files_.WriteFileAtomically(P(path), "first");
  files_.WriteFileAtomically(P(path), "second");
  EXPECT_EQ(Content(path), "second");
  EXPECT_EQ(EntriesInFolder(), 1u);
}

// A link whose file is not there yet is written through, as a link to an
// existing file is: the file appears where the link points and the link
// stays. A loop of links is refused.
TEST_F(TreeFileDisk, LinksAreWrittenThroughEvenWhenDangling) {
  struct LinkCase {
    const char* name;
    std::string pointsTo;   // as stored in the link
    std::string createdAt;  // where the content must arrive
  };
  fs::create_directories(folder_ / "sub");
  const LinkCase cases[] = {
      {"absolute", PathOf("sub/absolute.tre"), PathOf("sub/absolute.tre")},
      {"relative", "sub/relative.tre", PathOf("sub/relative.tre")},
      {"a chain", "chain-next", PathOf("sub/end.tre")},
  };
  fs::create_symlink("sub/end.tre", PathOf("chain-next"));
  for (const LinkCase& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string link = PathOf(std::string(c.name) + ".link");
    fs::create_symlink(c.pointsTo, link);
    files_.WriteFileAtomically(P(link), c.name);
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(Content(c.createdAt), c.name);
  }

  fs::create_symlink("loop-b", PathOf("loop-a"));
  fs::create_symlink("loop-a", PathOf("loop-b"));
  EXPECT_EQ(testing::ErrorOf([&] { files_.WriteFileAtomically(P(PathOf("loop-a")), "x"); }),
            CannotCreateMessage(PathOf("loop-a"), std::strerror(ELOOP)));
  EXPECT_TRUE(fs::is_symlink(PathOf("loop-a")));
}

// Where the file system has unnamed files, nothing with a name exists while
// the content is written, so a write killed then leaves nothing behind.
TEST_F(TreeFileDisk, ContentIsWrittenWithoutAName) {
  const int probe = ::open(folder_.c_str(), O_TMPFILE | O_WRONLY, 0600);
  if (probe < 0) GTEST_SKIP() << "this file system has no unnamed files";
  ::close(probe);
  const std::string path = PathOf("quiet.tre");
  std::size_t entriesDuringWrite = 99;
  files_.StreamFileAtomically(P(path), [&](ByteSink& sink) {
    sink.Write("content");
    entriesDuringWrite = EntriesInFolder();
  });
  EXPECT_EQ(entriesDuringWrite, 0u);
  EXPECT_EQ(Content(path), "content");
  EXPECT_EQ(EntriesInFolder(), 1u);
}

// The writer's failures, through its seam: a file system that refuses a
// write past the cache in its own way gets it through the cache; a full
// disk and a write that takes nothing end the save instead of being asked
// again for ever.
int gRefusal = 0;        // what a write past the cache fails with (0: none)
int gCachedFailure = 0;  // what every write through the cache fails with
bool gTakesNothing = false;

ssize_t FaultyWrite(int fd, const void* bytes, std::size_t count) {
  if (gTakesNothing) return 0;
  const int flags = ::fcntl(fd, F_GETFL);
#ifdef O_DIRECT
  const bool direct = flags >= 0 && (flags & O_DIRECT) != 0;
#else
  const bool direct = false;
#endif
  const int failure = direct ? gRefusal : gCachedFailure;
  if (failure != 0) {
    errno = failure;
    return -1;
  }
  return ::write(fd, bytes, count);
}

TEST_F(TreeFileDisk, TheWritersFailuresEndAsTheyShould) {
  struct Case {
    int refusal;
    int cachedFailure;
    bool takesNothing;
    int expectedError;  // 0: the file is whole
  };
  const Case cases[] = {
      {EOPNOTSUPP, 0, false, 0}, {EINVAL, 0, false, 0},  {EPERM, 0, false, 0},
      {ENOSPC, ENOSPC, false, ENOSPC}, {0, EIO, false, EIO}, {0, 0, true, EIO},
  };
  const std::string bytes = std::string(3 * BackgroundWriter::kBlockBytes + 100, 'b') + "end";
  for (const Case& c : cases) {
    SCOPED_TRACE(std::strerror(c.refusal != 0 ? c.refusal : c.expectedError));
    gRefusal = c.refusal;
    gCachedFailure = c.cachedFailure;
    gTakesNothing = c.takesNothing;
    const std::string path = PathOf("faults.bin");
    const int fd = ::open(path.c_str(), O_CREAT | O_TRUNC | O_WRONLY, 0600);
    ASSERT_GE(fd, 0);
    bool finished = false;
    int error = 0;
    {
      BackgroundWriter writer(fd, FaultyWrite);
      for (std::size_t at = 0; at < bytes.size(); at += 100000) {
        if (!writer.Write(std::string_view(bytes).substr(at, 100000))) break;
      }
      finished = writer.Finish();
      error = errno;
    }
    ::close(fd);
    EXPECT_EQ(finished, c.expectedError == 0);
    if (c.expectedError == 0) {
      EXPECT_EQ(Content(path), bytes);
    } else {
      EXPECT_EQ(error, c.expectedError);
    }
  }
}

}  // namespace
}  // namespace velmora

#endif
