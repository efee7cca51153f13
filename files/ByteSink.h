#pragma once
// Where a writer puts a file's content piece by piece, so that a large file
// never has to exist whole in memory before it reaches the disk.

#include <functional>
#include <string>
#include <string_view>

namespace velmora {

class ByteSink {
 public:
  // Appends `bytes` to the content; throws when they cannot be kept.
  virtual void Write(std::string_view bytes) = 0;

 protected:
  ~ByteSink() = default;
};

// Content made by a writer: it puts all of it into the sink it is given.
using ContentProducer = std::function<void(ByteSink&)>;

// Collects the pieces in memory.
class StringSink final : public ByteSink {
 public:
  void Write(std::string_view bytes) override { bytes_ += bytes; }
  const std::string& Bytes() const { return bytes_; }

 private:
  std::string bytes_;
};

}  // namespace velmora
