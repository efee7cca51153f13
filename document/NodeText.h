#pragma once
// The text of one tree node, in 16 bytes. A tree read from a file keeps the
// file's bytes and its nodes only point into them: a procedure of a million
// nodes then costs no allocation per text. A text set later (an edit, a
// node the editor adds) is a copy of its own, released with the node.

#include <cstddef>
#include <cstring>
#include <string_view>
#include <utility>

namespace velmora {

class NodeText {
 public:
  NodeText() = default;
  NodeText(const NodeText&) = delete;
  NodeText& operator=(const NodeText&) = delete;
  NodeText(NodeText&& other) noexcept : data_(other.data_), sizeAndOwned_(other.sizeAndOwned_) {
    other.data_ = nullptr;
    other.sizeAndOwned_ = 0;
  }
  NodeText& operator=(NodeText&& other) noexcept {
    NodeText moved(std::move(other));
    std::swap(data_, moved.data_);
    std::swap(sizeAndOwned_, moved.sizeAndOwned_);
    return *this;
  }
  ~NodeText() {
    if (Owned()) delete[] data_;
  }

  // Bytes that outlive the text (the tree's kept source); nothing is copied.
  static NodeText Borrowing(std::string_view bytes) { return NodeText(bytes.data(), bytes.size()); }

  // A copy of `bytes`. The copy is complete before anything is released, so
  // `bytes` may be a part of the text it replaces.
  static NodeText Copying(std::string_view bytes) {
    if (bytes.empty()) return NodeText();
    char* copy = new char[bytes.size()];
    std::memcpy(copy, bytes.data(), bytes.size());
    return NodeText(copy, bytes.size() | kOwnedBit);
  }

  std::string_view View() const { return std::string_view(data_, sizeAndOwned_ & ~kOwnedBit); }

  // Drops the first `count` bytes (at most the whole text) without an
  // allocation: a borrowed text points further on, an own copy moves its
  // bytes to the front of its block, which it still frees from the start.
  void RemovePrefix(std::size_t count) {
    const std::size_t size = View().size();
    if (count > size) count = size;
    if (Owned()) {
      std::memmove(const_cast<char*>(data_), data_ + count, size - count);
      sizeAndOwned_ = (size - count) | kOwnedBit;
    } else {
      data_ += count;
      sizeAndOwned_ = size - count;
    }
  }

 private:
  // The top bit of the size tells an own copy from borrowed bytes; no text
  // comes near half the address space.
  static constexpr std::size_t kOwnedBit = ~(~std::size_t{0} >> 1);

  NodeText(const char* data, std::size_t sizeAndOwned) : data_(data), sizeAndOwned_(sizeAndOwned) {}
  bool Owned() const { return (sizeAndOwned_ & kOwnedBit) != 0; }

  const char* data_ = nullptr;
  std::size_t sizeAndOwned_ = 0;
};

}  // namespace velmora
