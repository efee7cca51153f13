#pragma once
// The check before release: what an end user of the generated program would
// see wrong, and what the author probably did not mean, found in one pass
// over the tree. The editor's check window and `velmora-cli check` both call
// CheckProcedure and show its problems in its order.

#include <cstddef>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "document/DecisionTree.h"
#include "document/DocumentState.h"

namespace velmora {

enum class ProblemKind {
  PlaceholderText,       // the message is still "…"
  EmptyText,             // nothing to read (a question's "(N)" alone counts)
  KindUnset,             // no kind chosen: shown as a notice
  OneAnswer,             // Yes and No lead to the same node (it runs, but is seldom meant)
  UnreachableAnswers,    // more than two answers: the middle ones are never reached
  SuffixOnFinalMessage,  // "(N)" or "(Y)" on a node without answers is shown as text
  SuffixBeforeBlanks,    // "(N) " is not recognised and is shown as text
  EmptyTitle,            // every dialog would have an empty caption
  LongMessage,           // the step dialog would have to scroll
  OutcomeOnQuestion,     // an outcome kept on a node that gained answers: never shown
  PictureWithoutAlt,     // a picture with no words for those who cannot see it
  PictureUnusable,       // a picture no player can show: damaged, unknown or past the limits
  LinkOnQuestion,        // a link kept on a node that gained answers: never followed
  NoWayToEnd,            // a run here can never end: a loop of links with no way out
  LinkBackUnsaid,        // an end with no message goes back to a question already answered
  LinkChain,             // a link to an end that is only a link itself
  Unreachable,           // no run from the root comes here (a stray top-level node, say)
};

enum class ProblemSeverity {
  Error,    // the end user will see something wrong
  Warning,  // probably unintended
};

ProblemSeverity SeverityOf(ProblemKind kind);
// A short CP932 sentence for the author.
std::string_view ExplanationOf(ProblemKind kind);

// 32 bytes: a large procedure may have a problem in every tenth node.
struct Problem {
  // The node the problem is in; null for a problem of the whole document
  // (the title). Valid until the tree changes: a window keeps `nodeId`.
  const TreeNode* node = nullptr;
  NodeId nodeId = 0;
  // The node's position in pre-order, which is its line in the tree text
  // less one (the tree file and the payload write one line per node in
  // this order). 0 for a problem of the whole document.
  std::size_t preOrderIndex = 0;
  ProblemKind kind = ProblemKind::EmptyText;

  ProblemSeverity Severity() const { return SeverityOf(kind); }
  std::string_view Explanation() const { return ExplanationOf(kind); }
};

// Grows in blocks that never move, so that the problems of a large
// procedure are never all copied, nor held twice while the list grows.
using ProblemList = std::deque<Problem>;

// Every problem of the procedure: the document's first, then the nodes' in
// pre-order, each node's in the order of ProblemKind. Linear in the total
// size of the tree's texts; never recurses.
ProblemList CheckProcedure(const DecisionTree& tree, const DocumentState& state);

// How many lines the step dialog gives a message before it scrolls. The
// dialog wraps a message at the width of the screen when it is too tall at
// its normal width and scrolls only when it is too tall even then; on the
// smallest screen the program runs on (1024 by 768) with its message font,
// a line holds about this many bytes of CP932 (a double-byte character is
// about twice as wide as a single-byte one, as it is two bytes).
inline constexpr std::size_t kStepDialogLineBytes = 150;
inline constexpr std::size_t kStepDialogLines = 40;

// The node's texts from the root (the top-level node it lies under) down to
// itself, for a list that names a node by where it is. Views into the
// tree's texts, valid as TreeNode::Text() is.
std::vector<std::string_view> NodePathTexts(const TreeNode& node);

}  // namespace velmora
