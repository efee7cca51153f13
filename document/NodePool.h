#pragma once
// Storage for the nodes of one tree: fixed-size slots carved from a few
// large blocks. A tree of a million nodes then costs a few dozen
// allocations instead of a million, with no allocator header per node, and
// a node's address never changes while it lives. Freed slots are reused.

#include <cstddef>
#include <memory>
#include <new>

namespace velmora {

class NodePool {
 public:
  NodePool(std::size_t slotSize, std::size_t slotAlign)
      : slotSize_(RoundUp(slotSize < sizeof(void*) ? sizeof(void*) : slotSize, slotAlign)) {}
  NodePool(const NodePool&) = delete;
  NodePool& operator=(const NodePool&) = delete;

  // Uninitialised storage for one slot.
  void* Allocate() {
    if (free_ != nullptr) {
      void* slot = free_;
      free_ = free_->next;
      return slot;
    }
    if (used_ == capacity_) Grow();
    return newest_->slots.get() + slotSize_ * used_++;
  }

  // The slot's object must already be destroyed.
  void Release(void* slot) { free_ = ::new (slot) FreeSlot{free_}; }

 private:
  struct FreeSlot {
    FreeSlot* next;
  };

  // The blocks as a list, newest first: only the newest hands out slots,
  // and a list needs none of a growing array's code (the player links it).
  struct Block {
    std::unique_ptr<unsigned char[]> slots;
    std::unique_ptr<Block> older;
  };

  // Blocks double from a few dozen slots, so a small tree stays small, up
  // to a cap that keeps the unused tail of the last block modest.
  static constexpr std::size_t kFirstBlockSlots = 32;
  static constexpr std::size_t kLargestBlockSlots = 65536;

  static std::size_t RoundUp(std::size_t size, std::size_t align) { return (size + align - 1) / align * align; }

  void Grow() {
    capacity_ = capacity_ == 0 ? kFirstBlockSlots : (capacity_ < kLargestBlockSlots ? capacity_ * 2 : capacity_);
    // operator new[] storage is aligned for every fundamental type, which
    // covers any node.
    newest_ = std::make_unique<Block>(Block{std::unique_ptr<unsigned char[]>(new unsigned char[slotSize_ * capacity_]),
                                            std::move(newest_)});
    used_ = 0;
  }

  std::size_t slotSize_;
  std::unique_ptr<Block> newest_;
  std::size_t capacity_ = 0;  // slots in the newest block
  std::size_t used_ = 0;      // slots handed out from the newest block
  FreeSlot* free_ = nullptr;
};

}  // namespace velmora
