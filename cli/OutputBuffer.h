#pragma once
// Output that a command makes line by line, handed to the host in pieces
// of some kilobytes: a large procedure's listing never exists whole in
// memory, and the host is not called once per line. CP932 pieces
// (node texts, the core's tables) are converted to the terminal's UTF-8 on
// the way, which makes this also the ByteSink the core's writers take.

#include <string>
#include <string_view>

#include "cli/CliHost.h"
#include "files/ByteSink.h"
#include "document/Utf8Text.h"

namespace velmora::cli {

class OutputBuffer final : public ByteSink {
 public:
  explicit OutputBuffer(CliHost& host) : host_(host) {}
  OutputBuffer(const OutputBuffer&) = delete;
  OutputBuffer& operator=(const OutputBuffer&) = delete;

  void AppendUtf8(std::string_view utf8) {
    pending_ += utf8;
    if (pending_.size() >= kPieceBytes) Flush();
  }
  // Whole CP932 characters only: a piece that ended inside one would be
  // converted as two broken halves.
  void AppendCp932(std::string_view cp932) { AppendUtf8(Cp932ToUtf8Text(cp932)); }
  // A run of `count` spaces, in pieces, so even the indentation of a node
  // a hundred thousand levels deep costs no more memory than a piece.
  void AppendSpaces(std::size_t count) {
    while (count > 0) {
      const std::size_t now = count < kPieceBytes ? count : kPieceBytes;
      AppendUtf8(std::string(now, ' '));
      count -= now;
    }
  }
  // As a sink, every Write is CP932 made of whole lines.
  void Write(std::string_view cp932) override { AppendCp932(cp932); }

  void Flush() {
    if (pending_.empty()) return;
    host_.WriteOutput(pending_);
    pending_.clear();
  }

 private:
  static constexpr std::size_t kPieceBytes = 1 << 14;
  CliHost& host_;
  std::string pending_;
};

}  // namespace velmora::cli
