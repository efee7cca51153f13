#pragma once
// Where a writer puts a file's content piece by piece, so that a large file
// never has to exist whole in memory before it reaches the disk.

#include <cstddef>
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

// Writers gather their text in a string and hand it to the sink in pieces
// of about this size: large enough that each write costs little per byte,
// small enough that no output is held whole.
inline constexpr std::size_t kSinkPieceBytes = 1 << 16;

// Hands `out` to the sink, and empties it, once it holds a piece's worth.
inline void WritePieceIfFull(std::string& out, ByteSink& sink) {
  if (out.size() < kSinkPieceBytes) return;
  sink.Write(out);
  out.clear();
}

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
