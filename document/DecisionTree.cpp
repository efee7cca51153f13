#include "document/DecisionTree.h"

#include <utility>

namespace velmora {

// The node's size is what a loaded procedure costs per line beyond the
// file's own bytes; keep it from growing unnoticed.
static_assert(sizeof(void*) != 8 || sizeof(TreeNode) <= 64, "a tree node costs more than 64 bytes");

std::size_t NodeList::size() const {
  std::size_t count = 0;
  for (TreeNode* node = first_; node != nullptr; node = node->next_) ++count;
  return count;
}

std::size_t TreeNode::IndexInParent() const {
  std::size_t index = 0;
  for (const TreeNode* node = this; !node->IsFirstSibling(); node = node->previous_) ++index;
  return index;
}

TreeNode* TreeNode::Child(std::size_t index) const {
  TreeNode* child = firstChild_;
  for (; index > 0; --index) child = child->next_;
  return child;
}

DecisionTree::DecisionTree(DecisionTree&& other) noexcept
    : pool_(std::move(other.pool_)),
      sources_(std::move(other.sources_)),
      firstTopLevel_(std::exchange(other.firstTopLevel_, nullptr)),
      count_(std::exchange(other.count_, 0)),
      later_(std::move(other.later_)),
      nextId_(other.nextId_),
      byId_(std::move(other.byId_)),
      indexed_(std::exchange(other.indexed_, false)),
      firstId_(other.firstId_) {}

DecisionTree& DecisionTree::operator=(DecisionTree&& other) noexcept {
  if (this == &other) return *this;
  DestroyAll();
  pool_ = std::move(other.pool_);
  sources_ = std::move(other.sources_);
  firstTopLevel_ = std::exchange(other.firstTopLevel_, nullptr);
  count_ = std::exchange(other.count_, 0);
  later_ = std::move(other.later_);
  nextId_ = other.nextId_;
  byId_ = std::move(other.byId_);
  indexed_ = std::exchange(other.indexed_, false);
  firstId_ = other.firstId_;
  return *this;
}

DecisionTree::~DecisionTree() { DestroyAll(); }

TreeNode* DecisionTree::Add(TreeNode* parent, NodeText text, int kind, NodeId id) {
  if (pool_ == nullptr) pool_ = std::make_unique<NodePool>(sizeof(TreeNode), alignof(TreeNode));
  // Id 0 asks for a new id; AddChildWithId has checked any other.
  if (id == 0) id = nextId_;
  if (id == nextId_) ++nextId_;
  const int level = parent != nullptr ? parent->level_ + 1 : 0;
  TreeNode* node = ::new (pool_->Allocate()) TreeNode(id, parent, level, std::move(text), kind);
  if (indexed_) {
    // The index has room for new ids (BuildIndex); once they outgrow it,
    // the next look-up builds it anew, larger. Growing it here would bring
    // its code to readers that never look a node up (the player stub).
    const std::size_t slot = static_cast<std::size_t>(id - firstId_);
    if (slot < byId_.size()) {
      byId_[slot] = node;
    } else {
      indexed_ = false;
    }
  }
  Append(parent, node);
  ++count_;
  return node;
}

TreeNode* DecisionTree::AddChildWithId(TreeNode* parent, std::string_view text, int kind, NodeId id) {
  // Only a node coming back asks for its old id, and gets it while it is
  // free; a reader's nodes never make the tree index itself.
  if (id < firstId_ || id >= nextId_ || Find(id) != nullptr) id = 0;
  return Add(parent, NodeText::Copying(text), kind, id);
}

TreeNode* DecisionTree::AddTopLevel(std::string_view text, int kind) { return AddChild(nullptr, text, kind); }

TreeNode* DecisionTree::AddChild(TreeNode* parent, std::string_view text, int kind) {
  return Add(parent, NodeText::Copying(text), kind);
}

std::string_view DecisionTree::KeepSource(std::string bytes) {
  sources_ = std::make_unique<KeptSource>(KeptSource{std::move(bytes), std::move(sources_)});
  return sources_->bytes;
}

TreeNode* DecisionTree::AddChildFromSource(TreeNode* parent, std::string_view text, int kind) {
  return Add(parent, NodeText::Borrowing(text), kind);
}

void DecisionTree::Append(TreeNode* parent, TreeNode* node) {
  TreeNode*& first = FirstOf(parent);
  node->next_ = nullptr;
  if (first == nullptr) {
    first = node;
    node->previous_ = node;
    return;
  }
  TreeNode* last = first->previous_;
  last->next_ = node;
  node->previous_ = last;
  first->previous_ = node;
}

void DecisionTree::Unlink(TreeNode* node) {
  TreeNode*& first = FirstOf(node->parent_);
  if (node == first) {
    TreeNode* last = first->previous_;
    first = node->next_;
    if (first != nullptr) first->previous_ = last;
  } else {
    TreeNode* previous = node->previous_;
    previous->next_ = node->next_;
    if (node->next_ != nullptr) {
      node->next_->previous_ = previous;
    } else {
      first->previous_ = previous;  // the node was the last
    }
  }
  node->next_ = nullptr;
  node->previous_ = nullptr;
}

// Walks down to a leaf, destroys it and goes back up to its parent, which
// meanwhile has lost that child from its list: no stack and no recursion,
// whatever the depth.
std::size_t DecisionTree::DestroySubtree(TreeNode* top) {
  std::size_t destroyed = 0;
  TreeNode* node = top;
  while (node != nullptr) {
    if (TreeNode* child = node->firstChild_) {
      node->firstChild_ = child->next_;
      node = child;
      continue;
    }
    TreeNode* parent = node == top ? nullptr : node->parent_;
    if (indexed_) byId_[static_cast<std::size_t>(node->id_ - firstId_)] = nullptr;
    if (!later_.empty()) later_.erase(node->id_);
    node->~TreeNode();
    pool_->Release(node);
    ++destroyed;
    node = parent;
  }
  return destroyed;
}

void DecisionTree::DestroyAll() {
  later_.clear();
  while (firstTopLevel_ != nullptr) {
    TreeNode* node = firstTopLevel_;
    firstTopLevel_ = node->next_;
    DestroySubtree(node);
  }
  count_ = 0;
}

std::size_t DecisionTree::SubtreeSize(const TreeNode* node) const {
  std::size_t size = 1;
  for (const TreeNode* current = node->firstChild_; current != nullptr;) {
    ++size;
    if (current->firstChild_ != nullptr) {
      current = current->firstChild_;
      continue;
    }
    // Up to the next sibling, without leaving the subtree.
    while (current != node && current->next_ == nullptr) current = current->parent_;
    current = current == node ? nullptr : current->next_;
  }
  return size;
}

void DecisionTree::Delete(TreeNode* node) {
  Unlink(node);
  count_ -= DestroySubtree(node);
}

void DecisionTree::DeleteChildren(TreeNode* node) {
  while (TreeNode* child = node->firstChild_) {
    node->firstChild_ = child->next_;
    count_ -= DestroySubtree(child);
  }
}

void DecisionTree::MoveToEnd(TreeNode* node) {
  Unlink(node);
  Append(node->parent_, node);
}

void DecisionTree::MoveTo(TreeNode* node, std::size_t index) {
  Unlink(node);
  TreeNode* before = FirstOf(node->parent_);
  for (; before != nullptr && index > 0; --index) before = before->next_;
  InsertBefore(node->parent_, node, before);
}

void DecisionTree::InsertBefore(TreeNode* parent, TreeNode* node, TreeNode* before) {
  if (before == nullptr) {
    Append(parent, node);
    return;
  }
  TreeNode*& first = FirstOf(parent);
  node->next_ = before;
  node->previous_ = before->previous_;
  if (before == first) {
    first = node;  // the back link to the last stays with the first
  } else {
    before->previous_->next_ = node;
  }
  before->previous_ = node;
}

// Ids keep counting: a view that still shows nodes of the old tree must
// not take new nodes for them.
void DecisionTree::Clear() {
  DestroyAll();
  pool_.reset();
  sources_.reset();
  later_.clear();
  byId_.clear();
  indexed_ = false;
  firstId_ = nextId_;
}

TreeNode* DecisionTree::LastPreOrder() const {
  if (firstTopLevel_ == nullptr) return nullptr;
  TreeNode* node = firstTopLevel_->previous_;
  while (node->HasChildren()) node = node->LastChild();
  return node;
}

std::vector<TreeNode*> DecisionTree::PreOrder() const {
  std::vector<TreeNode*> nodes;
  nodes.reserve(count_);
  ForEachPreOrder([&nodes](TreeNode& node) { nodes.push_back(&node); });
  return nodes;
}

std::size_t DecisionTree::PreOrderIndexOf(const TreeNode* node) const {
  std::size_t index = 0;
  for (TreeNode* current = Root(); current != nullptr; current = NextPreOrder(current), ++index) {
    if (current == node) return index;
  }
  return index;
}

void DecisionTree::BuildIndex() const {
  // Room for half as many new ids again, so that adding nodes rebuilds it
  // only now and then: a constant cost per node on average.
  const std::size_t ids = static_cast<std::size_t>(nextId_ - firstId_);
  byId_.assign(ids + ids / 2 + 64, nullptr);
  for (TreeNode* node = Root(); node != nullptr; node = NextPreOrder(node)) {
    byId_[static_cast<std::size_t>(node->id_ - firstId_)] = node;
  }
  indexed_ = true;
}

}  // namespace velmora
