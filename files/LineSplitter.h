#pragma once
// The one line-splitting rule of every text the program reads (tree text,
// option blocks, settings files): a line ends at CR LF, at a lone CR or at a
// lone LF; LF followed by CR is two ends with an empty line between; a NUL
// ends the whole text; a last line without terminator still counts, and a
// terminator at the very end adds no empty line.
//
// ReverseLineSplitter gives the same lines last first, for readers that
// want what a text ends with: a CR directly before an LF always pairs with
// it, so the line ends can be told apart from either side.

#include <cstddef>
#include <cstring>
#include <string_view>

namespace velmora {

// The offset of `byte` at or after `from`, or the text's size.
inline std::size_t FindByte(std::string_view text, char byte, std::size_t from) {
  if (from >= text.size()) return text.size();
  const void* found = std::memchr(text.data() + from, byte, text.size() - from);
  return found ? static_cast<std::size_t>(static_cast<const char*>(found) - text.data()) : text.size();
}

// A NUL ends the text: what follows is ignored.
inline std::string_view BeforeNul(std::string_view text) { return text.substr(0, FindByte(text, '\0', 0)); }

// The line ends in `text` as LineSplitter reads them: CR LF is one, a lone
// CR or a lone LF one each.
inline std::size_t LineEndsIn(std::string_view text) {
  std::size_t ends = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const bool crOfCrLf = text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n';
    if ((text[i] == '\n' || text[i] == '\r') && !crOfCrLf) ++ends;
  }
  return ends;
}

// The line, counted from 1 with the line ends of LineSplitter, on which the
// first NUL stands; 0 for a text without one. Readers tell the author where
// their reading stopped.
inline std::size_t LineOfFirstNul(std::string_view text) {
  const std::size_t nul = FindByte(text, '\0', 0);
  if (nul == text.size()) return 0;
  return LineEndsIn(text.substr(0, nul)) + 1;
}

class LineSplitter {
 public:
  explicit LineSplitter(std::string_view text) : text_(BeforeNul(text)) {
    nextCr_ = FindByte(text_, '\r', 0);
    nextLf_ = FindByte(text_, '\n', 0);
  }

  // Stores the next line in `line`; false when the text is used up.
  bool Next(std::string_view& line) {
    if (pos_ >= text_.size()) return false;
    const std::size_t end = LineEnd();
    line = text_.substr(pos_, end - pos_);
    pos_ = end;
    if (pos_ < text_.size()) {
      // CR LF is one end; a lone CR or LF is one end as well.
      const bool crLf = text_[pos_] == '\r' && pos_ + 1 < text_.size() && text_[pos_ + 1] == '\n';
      pos_ += crLf ? 2 : 1;
    }
    return true;
  }

  // The offset of the next line's first byte.
  std::size_t Position() const { return pos_; }

 private:
  // The next CR and LF are each looked up with memchr and remembered until
  // the position passes them, so a text of lone CRs (or lone LFs) is still
  // split in linear time, at memchr's speed.
  std::size_t LineEnd() {
    if (nextCr_ < pos_) nextCr_ = FindByte(text_, '\r', pos_);
    if (nextLf_ < pos_) nextLf_ = FindByte(text_, '\n', pos_);
    return nextCr_ < nextLf_ ? nextCr_ : nextLf_;
  }

  std::string_view text_;
  std::size_t pos_ = 0;
  std::size_t nextCr_ = 0;
  std::size_t nextLf_ = 0;
};

class ReverseLineSplitter {
 public:
  explicit ReverseLineSplitter(std::string_view text) : text_(BeforeNul(text)), pos_(text_.size()) {}

  // Stores the line before the one returned last (at first, the last line)
  // in `line`; false when the text's first line has been returned.
  bool Previous(std::string_view& line) {
    if (pos_ == 0) return false;
    std::size_t end = pos_;
    // Only the very last line can lack a terminator.
    if (text_[end - 1] == '\n') {
      --end;
      if (end > 0 && text_[end - 1] == '\r') --end;
    } else if (text_[end - 1] == '\r') {
      --end;
    }
    std::size_t start = end;
    while (start > 0 && text_[start - 1] != '\r' && text_[start - 1] != '\n') --start;
    line = text_.substr(start, end - start);
    pos_ = start;
    return true;
  }

  // The offset of the first byte of the line returned last.
  std::size_t Position() const { return pos_; }
  // The text the lines are taken from: up to the first NUL.
  std::string_view Text() const { return text_; }

 private:
  std::string_view text_;
  std::size_t pos_;
};

}  // namespace velmora
