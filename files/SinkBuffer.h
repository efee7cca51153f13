#pragma once
// A writer's text on its way to its sink. A stored procedure or an export
// page of a large procedure is millions of short pieces; here each one is a
// copy into a buffer of fixed size, without a call into the string library,
// and the buffer goes to the sink whenever it fills. A writer calls Flush
// last.

#include <cstddef>
#include <cstring>
#include <memory>
#include <string_view>

#include "files/ByteSink.h"

namespace velmora {

class SinkBuffer {
 public:
  explicit SinkBuffer(ByteSink& sink) : sink_(sink), buffer_(new char[kCapacity]) {}
  SinkBuffer(const SinkBuffer&) = delete;
  SinkBuffer& operator=(const SinkBuffer&) = delete;

  SinkBuffer& operator+=(std::string_view bytes) {
    Append(bytes.data(), bytes.size());
    return *this;
  }
  SinkBuffer& operator+=(char byte) {
    if (size_ == kCapacity) Flush();
    buffer_[size_++] = byte;
    return *this;
  }
  void Append(const char* bytes, std::size_t count) {
    // An empty view may have no bytes at all: memcpy must not see its null.
    if (count == 0) return;
    if (count > kCapacity - size_) {
      AppendPastTheEnd(bytes, count);
      return;
    }
    std::memcpy(buffer_.get() + size_, bytes, count);
    size_ += count;
  }

  // Room for up to `count` bytes (at most a few dozen) written in place,
  // as a number is formed: the caller writes from the returned place and
  // hands the end of what it wrote to Commit.
  char* Reserve(std::size_t count) {
    if (count > kCapacity - size_) Flush();
    return buffer_.get() + size_;
  }
  void Commit(const char* end) { size_ = static_cast<std::size_t>(end - buffer_.get()); }

  // Hands what was appended since the last time to the sink.
  void Flush() {
    if (size_ == 0) return;
    sink_.Write(std::string_view(buffer_.get(), size_));
    size_ = 0;
  }

 private:
  // Large enough that a write costs little per byte.
  static constexpr std::size_t kCapacity = std::size_t{1} << 18;

  void AppendPastTheEnd(const char* bytes, std::size_t count) {
    Flush();
    if (count >= kCapacity) {
      sink_.Write(std::string_view(bytes, count));
      return;
    }
    std::memcpy(buffer_.get(), bytes, count);
    size_ = count;
  }

  ByteSink& sink_;
  std::unique_ptr<char[]> buffer_;
  std::size_t size_ = 0;
};

}  // namespace velmora
