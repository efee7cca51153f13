#pragma once
// The primitive changes of an open document. Every command that changes
// the document is made of these; applying one gives back its exact inverse,
// so a command's undo step is simply the inverses of the edits it made, in
// reverse order. Nodes are named by their stable NodeId: a branch that is
// removed and put back returns as the same nodes, so later steps still find
// them.

#include <cstddef>
#include <string>
#include <utility>

#include "document/DecisionTree.h"
#include "document/NodeFields.h"

namespace velmora {

enum class EditKind : unsigned char {
  InsertBranch,    // a packed branch (BranchRecord.h) at `index` among the answers of `node`
  RemoveBranch,    // `node` with its subtree
  SetNode,         // `node` takes `fields`
  MoveNode,        // `node` to `index` among its siblings (counted without it)
  SetTitle,        // the title becomes `bytes`
  SetNewLineMark,  // the newline mark becomes `bytes`
  SetColour,       // the colour becomes `value`
  SetRecordFolder, // the run records' folder becomes `bytes`
};

struct DocumentEdit {
  EditKind kind = EditKind::SetTitle;
  NodeId node = 0;
  std::size_t index = 0;
  NodeFields fields;
  std::string bytes;
  int value = 0;

  static DocumentEdit InsertBranch(NodeId parent, std::size_t index, std::string packed) {
    DocumentEdit edit = Of(EditKind::InsertBranch, parent, index);
    edit.bytes = std::move(packed);
    return edit;
  }
  static DocumentEdit RemoveBranch(NodeId node) { return Of(EditKind::RemoveBranch, node); }
  static DocumentEdit SetNode(NodeId node, NodeFields fields) {
    DocumentEdit edit = Of(EditKind::SetNode, node);
    edit.fields = std::move(fields);
    return edit;
  }
  static DocumentEdit MoveNode(NodeId node, std::size_t index) { return Of(EditKind::MoveNode, node, index); }
  // SetTitle, SetNewLineMark or SetRecordFolder.
  static DocumentEdit SetText(EditKind kind, std::string text) {
    DocumentEdit edit = Of(kind);
    edit.bytes = std::move(text);
    return edit;
  }
  static DocumentEdit SetColour(int colour) {
    DocumentEdit edit = Of(EditKind::SetColour);
    edit.value = colour;
    return edit;
  }

  // Whether the edit touches the tree (rather than a document field).
  bool ChangesTree() const {
    return kind == EditKind::InsertBranch || kind == EditKind::RemoveBranch || kind == EditKind::SetNode ||
           kind == EditKind::MoveNode;
  }
  // The memory the edit holds, for the history's benchmark.
  std::size_t StoredBytes() const { return sizeof(*this) + fields.text.capacity() + bytes.capacity(); }

 private:
  static DocumentEdit Of(EditKind kind, NodeId node = 0, std::size_t index = 0) {
    DocumentEdit edit;
    edit.kind = kind;
    edit.node = node;
    edit.index = index;
    return edit;
  }
};

// What applying an edit did: the edit that takes it back, the node it
// concerns (an inserted branch's top, a removed branch's parent, the node
// set, the parent of a moved node; null for a document field), and whether
// it changed anything at all.
struct AppliedEdit {
  DocumentEdit inverse;
  TreeNode* touched = nullptr;
  bool changed = true;
};

}  // namespace velmora
