#pragma once
// Writes a file from a helper thread while the thread that makes its
// content goes on, and starts the disk on what is written while the rest is
// still being made. An export of a large procedure writes hundreds of MB:
// copying them into the system's cache and then waiting for the disk at the
// sync would otherwise come on top of making them. The pieces are copied
// into a few fixed blocks, so the memory stays small whatever the file's
// size. A file smaller than one block gets no thread: it is written when
// finished.
//
// The full blocks bypass the system's cache (O_DIRECT) where the file
// system allows it: the disk takes them straight from the blocks, so the
// copy into the cache, and the cache's pages, which the sync at the end
// would only wait for, are saved. The last, partial block and everything
// on a file system that refuses it go through the cache as usual.

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <memory>
#include <mutex>
#include <string_view>
#include <thread>
#include <vector>

#include <sys/types.h>
#include <unistd.h>

namespace velmora {

class BackgroundWriter {
 public:
  // The system's write; a test hands in one that fails as a disk or a file
  // system may, to prove how each failure ends.
  using WriteCall = ssize_t (*)(int fd, const void* bytes, std::size_t count);

  explicit BackgroundWriter(int fd, WriteCall write = ::write) : fd_(fd), write_(write) {}
  BackgroundWriter(const BackgroundWriter&) = delete;
  BackgroundWriter& operator=(const BackgroundWriter&) = delete;
  // Without Finish the file is being given up: what is still queued is not
  // written.
  ~BackgroundWriter();

  // Takes a copy of `bytes`. False, with errno set, once a write failed.
  bool Write(std::string_view bytes);
  // Writes what is left and waits for all of it. False, with errno set,
  // when a write failed.
  bool Finish();

  // The size of the blocks the helper writes.
  static constexpr std::size_t kBlockBytes = std::size_t{512} << 10;

 private:
  struct FreeBytes {
    void operator()(char* bytes) const;
  };
  // Aligned to a page, as writes that bypass the cache require.
  struct Block {
    std::unique_ptr<char, FreeBytes> bytes;
    std::size_t size = 0;
  };
  static constexpr std::size_t kBlocks = 4;
  // The disk is asked to start in steps of this size: large enough that a
  // request costs little, small enough that it starts early.
  static constexpr std::size_t kWritebackStep = std::size_t{16} << 20;

  Block TakeFreeBlock();
  void Queue(Block block);
  void Run();
  void WriteOut(const Block& block, std::size_t& asked);
  int WriteBlock(const Block& block);
  void SetDirect(bool direct);

  int fd_;
  WriteCall write_;
  Block filling_;
  std::size_t blocksMade_ = 0;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<Block> queued_;  // in the file's order
  std::vector<Block> free_;
  bool writing_ = false;      // the helper holds a block
  bool stopping_ = false;
  int error_ = 0;             // the first write's errno, 0 while all went well
  std::size_t length_ = 0;    // written so far
  bool direct_ = false;       // the helper's writes bypass the cache
  std::thread thread_;
};

}  // namespace velmora
