#pragma once
// What changed between two versions of a procedure, for a reviewer: each
// changed node named by its place (the answers from the first node) and its
// text, and what the change does to the end user's runs (the paths that
// appear, disappear or now end elsewhere). Nodes are paired by the tree
// matching of TreeMatching.h, so a branch that was cut and pasted shows as
// moved, not as removed and added.

#include <string>
#include <vector>

#include "document/DecisionTree.h"
#include "document/DocumentState.h"

namespace velmora {

// Field: a declared field of the node (LaterFields.h), named by `field`.
enum class ChangeKind { Added, Removed, Text, Kind, Default, Moved, Swapped, Field, Title, Colour, NewLine };

// The answers from the first node to a node (CP932): "はい", "いいえ",
// "はい/いいえ" for an only answer, the number of a middle answer ("2"),
// and for a further top-level node its number ("#2") first.
using AnswerPath = std::vector<std::string>;

// The step of an AnswerPath to the child at `place` among `siblings`.
std::string AnswerAtPlace(std::size_t place, std::size_t siblings);

struct DiffChange {
  ChangeKind kind = ChangeKind::Text;
  // Where: the node's place in the new version (the old one for Removed);
  // empty for the document's own fields and for the first node.
  AnswerPath path;
  // The node's text (CP932) in the new version (old for Removed).
  std::string text;
  // The values before and after (CP932): texts, kind names, default
  // answers, the colour's number, the newline mark; for Moved the places
  // joined with " > "; for Swapped the Yes and No answers' texts.
  std::string before;
  std::string after;
  // For Moved: the old place.
  AnswerPath oldPath;
  // The node in the new version, for the editor to select: for Removed the
  // node it was removed from, 0 for a top-level one and the document's
  // fields.
  NodeId newNode = 0;
  // For Field: which declared field changed.
  FieldIndex field = 0;
};

// One end a run can reach, as the path table lists it.
struct PathEndRow {
  AnswerPath answers;
  std::string kind;     // the kind's name (CP932)
  std::string message;  // the end's text (CP932)
  NodeId end = 0;       // the end node's id in its own version
};

struct PathEndChange {
  PathEndRow before;
  PathEndRow after;
};

struct ProcedureDiff {
  std::vector<DiffChange> changes;
  std::vector<PathEndRow> pathsAdded;
  std::vector<PathEndRow> pathsRemoved;
  std::vector<PathEndChange> pathsChanged;

  bool Same() const { return changes.empty() && pathsAdded.empty() && pathsRemoved.empty() && pathsChanged.empty(); }
};

struct ProcedureVersion {
  const DecisionTree& tree;
  const DocumentState& state;
};

// The differences from `before` to `after`: the document's fields first
// (title, colour, newline mark), then the nodes' in the new version's order.
// Kinds must have been restored (as every open does).
ProcedureDiff CompareProcedures(const ProcedureVersion& before, const ProcedureVersion& after);

// The two halves of the comparison, for a caller that keeps the trees' part
// while only the document's fields change (the comparison window while the
// author types a title): the nodes' changes and the paths, then the same
// with the title, colour and newline mark's changes put first.
ProcedureDiff CompareTrees(const DecisionTree& before, const DecisionTree& after);
ProcedureDiff WithDocumentFields(const DocumentState& before, const DocumentState& after, const ProcedureDiff& trees);

// The answers joined with " > " (CP932); "（最初）" for the first node itself.
std::string AnswerPathText(const AnswerPath& path);

}  // namespace velmora
