#include "files/posix/BackgroundWriter.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <new>
#include <utility>

namespace velmora {
namespace {

constexpr std::size_t kPageBytes = 4096;

// 0, or the errno of the failed write; `rest` keeps what is not written.
// A write that takes nothing would be asked again for ever: it counts as
// the disk's failure.
int WriteAll(BackgroundWriter::WriteCall write, int fd, std::string_view& rest) {
  while (!rest.empty()) {
    const ssize_t written = write(fd, rest.data(), rest.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    if (written == 0) return EIO;
    rest.remove_prefix(static_cast<std::size_t>(written));
  }
  return 0;
}

}  // namespace

void BackgroundWriter::FreeBytes::operator()(char* bytes) const { std::free(bytes); }

BackgroundWriter::~BackgroundWriter() {
  if (!thread_.joinable()) return;
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    stopping_ = true;
  }
  changed_.notify_all();
  thread_.join();
}

bool BackgroundWriter::Write(std::string_view bytes) {
  while (!bytes.empty()) {
    if (!filling_.bytes) filling_ = TakeFreeBlock();
    if (!filling_.bytes) return false;  // a write failed: errno is set
    const std::size_t count = std::min(bytes.size(), kBlockBytes - filling_.size);
    std::memcpy(filling_.bytes.get() + filling_.size, bytes.data(), count);
    filling_.size += count;
    bytes.remove_prefix(count);
    // Exchanged, not just moved from: a moved-from block keeps its size,
    // and Finish would queue it again without its bytes.
    if (filling_.size == kBlockBytes) Queue(std::exchange(filling_, Block{}));
  }
  return true;
}

bool BackgroundWriter::Finish() {
  if (!thread_.joinable()) {
    // Smaller than a block: written here, at once.
    std::string_view rest(filling_.bytes.get(), filling_.size);
    const int error = WriteAll(write_, fd_, rest);
    filling_.size = 0;
    errno = error;
    return error == 0;
  }
  if (filling_.size > 0) Queue(std::exchange(filling_, Block{}));
  std::unique_lock<std::mutex> lock(mutex_);
  changed_.wait(lock, [&] { return (queued_.empty() && !writing_) || error_ != 0; });
  errno = error_;
  return error_ == 0;
}

// A block of the fixed few: new while there are fewer, else the next one
// the helper has written out. An empty block once a write failed.
BackgroundWriter::Block BackgroundWriter::TakeFreeBlock() {
  std::unique_lock<std::mutex> lock(mutex_);
  if (error_ == 0 && free_.empty() && blocksMade_ < kBlocks) {
    ++blocksMade_;
    char* bytes = static_cast<char*>(std::aligned_alloc(kPageBytes, kBlockBytes));
    if (bytes == nullptr) throw std::bad_alloc();
    return Block{std::unique_ptr<char, FreeBytes>(bytes), 0};
  }
  changed_.wait(lock, [&] { return !free_.empty() || error_ != 0; });
  if (error_ != 0) {
    errno = error_;
    return Block{};
  }
  Block block = std::move(free_.back());
  free_.pop_back();
  block.size = 0;
  return block;
}

void BackgroundWriter::Queue(Block block) {
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    queued_.push_back(std::move(block));
  }
  if (!thread_.joinable()) {
    thread_ = std::thread([this] { Run(); });
    return;
  }
  changed_.notify_all();
}

void BackgroundWriter::Run() {
  std::size_t asked = 0;  // where the last request to the disk ended
  SetDirect(true);
  std::unique_lock<std::mutex> lock(mutex_);
  for (;;) {
    changed_.wait(lock, [&] { return stopping_ || !queued_.empty(); });
    if (stopping_) return;
    Block block = std::move(queued_.front());
    queued_.pop_front();
    writing_ = true;
    lock.unlock();
    WriteOut(block, asked);
    lock.lock();
    writing_ = false;
    free_.push_back(std::move(block));
    changed_.notify_all();
  }
}

// Called without the lock but for error_, which only this thread sets.
void BackgroundWriter::WriteOut(const Block& block, std::size_t& asked) {
  if (error_ != 0) return;  // after a failure the rest is dropped
  const int error = WriteBlock(block);
  if (error != 0) {
    const std::lock_guard<std::mutex> lock(mutex_);
    error_ = error;
    return;
  }
  length_ += block.size;
#ifdef SYNC_FILE_RANGE_WRITE
  if (!direct_ && length_ - asked >= kWritebackStep) {
    // Only a request: a failure shows in the sync at the end.
    ::sync_file_range(fd_, static_cast<off_t>(asked), static_cast<off_t>(length_ - asked), SYNC_FILE_RANGE_WRITE);
    asked = length_;
  }
#endif
}

// Only full blocks keep every write's offset and size a multiple of the
// disk's sectors, as writes that bypass the cache require; the last block
// goes through the cache. A file system that takes the flag but refuses
// such a write (EINVAL, EOPNOTSUPP or any other refusal) gets that write,
// and the rest, through the cache; a full disk or the disk's own failure
// would fail there too, and ends the save.
int BackgroundWriter::WriteBlock(const Block& block) {
  if (direct_ && block.size != kBlockBytes) SetDirect(false);
  std::string_view rest(block.bytes.get(), block.size);
  int error = WriteAll(write_, fd_, rest);
  const bool diskFailure = error == ENOSPC || error == EDQUOT || error == EFBIG || error == EIO;
  if (error != 0 && !diskFailure && direct_) {
    SetDirect(false);
    if (!direct_) error = WriteAll(write_, fd_, rest);
  }
  return error;
}

// Where the flag cannot be set, the writes simply go through the cache.
void BackgroundWriter::SetDirect(bool direct) {
#ifdef O_DIRECT
  const int flags = ::fcntl(fd_, F_GETFL);
  if (flags < 0) return;
  if (::fcntl(fd_, F_SETFL, direct ? (flags | O_DIRECT) : (flags & ~O_DIRECT)) == 0) direct_ = direct;
#else
  (void)direct;
#endif
}

}  // namespace velmora
