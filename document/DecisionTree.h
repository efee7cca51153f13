#pragma once
// The decision tree: an ordered tree of message nodes. The first child of a
// node is where Yes leads, the last child where No leads. Besides the real
// root the top level may hold further nodes (a file can put them there), so
// the tree is a list of top-level nodes of which the first is the root.
//
// Nothing here recurses once per level: files may hold trees thousands of
// levels deep, and the Windows main thread has a 1 MB stack.
//
// Procedures of a million nodes must load in about the memory of their
// file: the nodes live in one pool per tree, linked to their siblings, and
// a tree read from a file keeps the file's bytes, which its texts point into.

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "document/NodeFields.h"
#include "document/NodePool.h"
#include "document/NodeText.h"
#include "document/TextRules.h"

namespace velmora {

class DecisionTree;
class TreeNode;

// A stable identity for a node for as long as it lives, so that a view can
// keep its own items for nodes across commands.
using NodeId = std::uint64_t;

// The children of a node, or the top level, in order: a view of the
// sibling links, valid until the list changes.
class NodeList {
 public:
  class Iterator {
   public:
    using iterator_category = std::forward_iterator_tag;
    using value_type = TreeNode*;
    using difference_type = std::ptrdiff_t;
    using pointer = TreeNode* const*;
    using reference = TreeNode*;

    explicit Iterator(TreeNode* node) : node_(node) {}
    TreeNode* operator*() const { return node_; }
    inline Iterator& operator++();
    bool operator==(const Iterator& other) const { return node_ == other.node_; }
    bool operator!=(const Iterator& other) const { return node_ != other.node_; }

   private:
    TreeNode* node_;
  };

  explicit NodeList(TreeNode* first) : first_(first) {}
  Iterator begin() const { return Iterator(first_); }
  Iterator end() const { return Iterator(nullptr); }
  bool empty() const { return first_ == nullptr; }
  TreeNode* front() const { return first_; }
  inline TreeNode* back() const;
  // Linear in the number of nodes in the list.
  std::size_t size() const;

 private:
  TreeNode* first_;
};

class TreeNode {
 public:
  TreeNode(const TreeNode&) = delete;
  TreeNode& operator=(const TreeNode&) = delete;

  // The node's NodeKind; image and selected image of the view both show it.
  int kind = Unset;

  // The node's one-line text in CP932, as shown (without a kind marker).
  // The view is valid until the text is set again or the node goes.
  std::string_view Text() const { return text_.View(); }
  // The node keeps a copy; `text` may be a part of the node's own text.
  void SetText(std::string_view text) { text_ = NodeText::Copying(text); }
  // Drops the first `count` bytes, as removing a kind marker does.
  void RemoveTextPrefix(std::size_t count) { text_.RemovePrefix(count); }

  NodeId Id() const { return id_; }
  TreeNode* Parent() const { return parent_; }
  int Level() const { return level_; }
  // Linear in the number of siblings before the node.
  std::size_t IndexInParent() const;

  NodeList Children() const { return NodeList(firstChild_); }
  // Linear in the number of children.
  std::size_t ChildCount() const { return Children().size(); }
  bool HasChildren() const { return firstChild_ != nullptr; }
  TreeNode* FirstChild() const { return firstChild_; }
  // The first child's back link points at the last one.
  TreeNode* LastChild() const { return firstChild_ != nullptr ? firstChild_->previous_ : nullptr; }
  // Linear in `index`; the child must exist.
  TreeNode* Child(std::size_t index) const;

 private:
  friend class DecisionTree;
  friend class NodeList;

  TreeNode(NodeId id, TreeNode* parent, int level, NodeText text, int kind)
      : kind(kind), level_(level), text_(std::move(text)), parent_(parent), id_(id) {}
  ~TreeNode() = default;

  // The first of a list is the one whose back link (to the last) does not
  // lead straight back to it.
  bool IsFirstSibling() const { return previous_->next_ != this; }

  int level_;
  NodeText text_;
  TreeNode* parent_;
  TreeNode* firstChild_ = nullptr;
  TreeNode* next_ = nullptr;
  // The previous sibling; for the first of a list, the last of it.
  TreeNode* previous_ = nullptr;
  NodeId id_;
};

class DecisionTree {
 public:
  DecisionTree() = default;
  DecisionTree(const DecisionTree&) = delete;
  DecisionTree& operator=(const DecisionTree&) = delete;
  DecisionTree(DecisionTree&& other) noexcept;
  DecisionTree& operator=(DecisionTree&& other) noexcept;
  ~DecisionTree();

  // The first top-level node, or null for an empty tree.
  TreeNode* Root() const { return firstTopLevel_; }
  NodeList TopLevel() const { return NodeList(firstTopLevel_); }
  std::size_t Count() const { return count_; }
  // Every node's id lies in [FirstId(), IdBound()): an array by id of the
  // nodes needs no more room than that.
  NodeId FirstId() const { return firstId_; }
  NodeId IdBound() const { return nextId_; }
  bool Empty() const { return count_ == 0; }

  // The node with `id`, or null when no node of this tree has it. The first
  // call indexes the tree (linear); later ones take constant time.
  TreeNode* Find(NodeId id) const {
    if (!indexed_) BuildIndex();
    return id >= firstId_ && id - firstId_ < byId_.size() ? byId_[static_cast<std::size_t>(id - firstId_)] : nullptr;
  }

  TreeNode* AddTopLevel(std::string_view text, int kind = Question);
  // Appends a new last child; a null parent appends at the top level. The
  // node keeps a copy of the text.
  TreeNode* AddChild(TreeNode* parent, std::string_view text, int kind = Question);

  // For readers: the tree keeps `bytes` for as long as it lives, and nodes
  // made with AddChildFromSource take their texts from them without a copy.
  std::string_view KeepSource(std::string bytes);
  // As AddChild, with `text` a part of what KeepSource returned.
  TreeNode* AddChildFromSource(TreeNode* parent, std::string_view text, int kind = Question);

  // As AddChild, for a node coming back (an undone deletion): it takes `id`
  // again when no node of the tree holds it, a new id otherwise.
  TreeNode* AddChildWithId(TreeNode* parent, std::string_view text, int kind, NodeId id);

  // Every field of `node` (NodeFields.h): its text, its kind and the
  // declared fields it carries. Setting them is for a tree being built; the
  // open document changes through the editor's edits.
  NodeFields FieldsOf(const TreeNode& node) const { return NodeFields{std::string(node.Text()), node.kind, LaterOf(node)}; }
  void SetFields(TreeNode& node, const NodeFields& fields);
  // The declared fields alone (LaterFields.h), kept in a table beside the
  // nodes: empty for a document that uses none.
  const LaterFields& LaterOf(const TreeNode& node) const;
  void SetLater(const TreeNode& node, LaterFields later);
  bool HasLaterFields() const { return !later_.empty(); }
  // Calls `visit(id, fields)` for every node that carries a declared field,
  // in no particular order: linear in those nodes, not in the tree.
  template <typename Visit>
  void ForEachLater(Visit visit) const {
    for (const auto& entry : later_) visit(entry.first, entry.second);
  }
  // Room for `count` nodes' declared fields, for a reader about to set them.
  void ReserveLaterFields(std::size_t count) { later_.reserve(count); }

  // Removes the node with its whole subtree.
  void Delete(TreeNode* node);
  void DeleteChildren(TreeNode* node);
  // Moves the node with its subtree to the end of its siblings.
  void MoveToEnd(TreeNode* node);
  // Moves the node with its subtree to `index` among its siblings (counted
  // without it); an index past the end puts it last.
  void MoveTo(TreeNode* node, std::size_t index);
  void Clear();

  // Pre-order neighbours: the tree view's top-to-bottom order.
  TreeNode* NextPreOrder(const TreeNode* node) const {
    if (node->firstChild_ != nullptr) return node->firstChild_;
    for (; node != nullptr; node = node->parent_) {
      if (node->next_ != nullptr) return node->next_;
    }
    return nullptr;
  }
  TreeNode* LastPreOrder() const;
  TreeNode* PreviousSibling(const TreeNode* node) const {
    return node->IsFirstSibling() ? nullptr : node->previous_;
  }
  TreeNode* NextSibling(const TreeNode* node) const { return node->next_; }
  std::vector<TreeNode*> PreOrder() const;
  // The node's position in pre-order (0 for the root); linear in the tree.
  std::size_t PreOrderIndexOf(const TreeNode* node) const;
  // The number of nodes in the node's subtree, itself included.
  std::size_t SubtreeSize(const TreeNode* node) const;

  template <typename Visit>
  void ForEachPreOrder(Visit visit) const {
    for (TreeNode* node = Root(); node != nullptr; node = NextPreOrder(node)) visit(*node);
  }

 private:
  TreeNode* Add(TreeNode* parent, NodeText text, int kind, NodeId id = 0);
  void InsertBefore(TreeNode* parent, TreeNode* node, TreeNode* before);
  TreeNode*& FirstOf(TreeNode* parent) { return parent != nullptr ? parent->firstChild_ : firstTopLevel_; }
  void Append(TreeNode* parent, TreeNode* node);
  void Unlink(TreeNode* node);
  // Destroys the subtree and returns its slots to the pool; the node must
  // be unlinked (or its whole list be going). Returns the nodes destroyed.
  std::size_t DestroySubtree(TreeNode* node);
  void DestroyAll();

  std::unique_ptr<NodePool> pool_;
  // Held by pointer: node texts point into these strings, which must not
  // move when the tree does (a short string lives inside its object). A
  // list, newest first: a tree read from a file keeps one.
  struct KeptSource {
    std::string bytes;
    std::unique_ptr<KeptSource> older;
  };
  std::unique_ptr<KeptSource> sources_;
  TreeNode* firstTopLevel_ = nullptr;
  std::size_t count_ = 0;
  // The declared fields of the nodes that carry any, by node.
  std::unordered_map<NodeId, LaterFields> later_;
  NodeId nextId_ = 1;
  void BuildIndex() const;

  // The nodes by id, from firstId_ on: ids are handed out in order, so a
  // flat array finds any node at once (a removed node leaves a null). Made
  // only once something looks a node up (an edit of the open document):
  // a tree that is only read and written (the command line) never pays for it.
  mutable std::vector<TreeNode*> byId_;
  mutable bool indexed_ = false;
  NodeId firstId_ = 1;
};

inline NodeList::Iterator& NodeList::Iterator::operator++() {
  node_ = node_->next_;
  return *this;
}

inline TreeNode* NodeList::back() const { return first_ != nullptr ? first_->previous_ : nullptr; }

}  // namespace velmora
