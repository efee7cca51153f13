#pragma once
// What the exports show of each node, worked out once from the tree and the
// text conventions: the message as a run shows it, which answer leads to
// the node, whether a run can reach it at all, and which answer is the
// default of a question.

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "document/DecisionTree.h"
#include "document/DocumentState.h"
#include "document/LaterFields.h"
#include "document/StepList.h"

namespace velmora {

// The answers as the exports name them (CP932).
// はい
inline constexpr std::string_view kYesLabel = "\x82\xCD\x82\xA2";
// いいえ
inline constexpr std::string_view kNoLabel = "\x82\xA2\x82\xA2\x82\xA6";
// はい／いいえ
inline constexpr std::string_view kBothLabel = "\x82\xCD\x82\xA2\x81\x5E\x82\xA2\x82\xA2\x82\xA6";
// （既定）
inline constexpr std::string_view kDefaultMark = "\x81\x69\x8A\xF9\x92\xE8\x81\x6A";

// Which answer of its parent leads to a node.
enum class AnswerRole : std::uint8_t {
  None,    // a top-level node
  Yes,     // the first of two or more children
  No,      // the last of two or more children
  Both,    // the only child: Yes and No both lead to it
  Middle,  // between the first and the last: never reached
};

// An index into the shown nodes, in 32 bits (a tree file cannot hold two
// thousand million lines): the lists of a large procedure are half the size.
using ShownIndex = std::uint32_t;
inline constexpr ShownIndex kNoShownNode = ~ShownIndex{0};

// 32 bytes, a million of them in a large procedure: the view first, so
// that the rest packs behind it.
struct ShownNode {
  // CP932, lines separated by CR LF, without a question's default suffix:
  // a part of the node's own text, or of ShownNodes::expanded.
  std::string_view message;
  ShownIndex parent = kNoShownNode;  // none at the top level
  int level = 0;
  std::int16_t kind = Unset;  // a NodeKind, in 16 bits to keep the 32 bytes
  Outcome outcome = Outcome::None;  // an end's
  bool question = false;   // the node has answers
  bool noDefault = false;  // a question whose default is No
  AnswerRole role = AnswerRole::None;
  bool reachable = true;   // false for a middle answer and everything below it
};

// Every node of the procedure in pre-order (parents before children), valid
// while the texts it was made from are. A message is a view: of the node's
// text, or of its copy with the line breaks in place where the text holds
// the newline mark. A procedure of a million nodes then costs no allocation
// per message.
struct ShownNodes {
  std::vector<ShownNode> nodes;
  // The expanded messages, in blocks whose bytes never move (a deque: the
  // blocks themselves never move either).
  std::deque<std::string> expanded;
};
// From a list of steps with their kinds (the command line reads its file
// into one), or from the tree (the editor), valid while the tree is
// unchanged.
ShownNodes ShownNodesOf(const StepList& steps, const DocumentState& state);
ShownNodes ShownNodesOf(const DecisionTree& tree, const DocumentState& state);
// Copies every message into the shown nodes' own blocks, so that the texts
// they were made from can go: a command that reads a large file then keeps
// the messages alone (about half the file) while it writes.
void KeepOwnMessages(ShownNodes& shown);

// Where each node's Yes and No lead: its first and its last child (the same
// child for a node with one answer), kNoShownNode for a node without
// answers. The runs of the HTML player and of the book follow these. In
// pre-order a first child follows its parent, so only the last ones are
// kept in a list.
inline ShownIndex YesTarget(const std::vector<ShownNode>& nodes, ShownIndex node) {
  return nodes[node].question ? node + 1 : kNoShownNode;
}
std::vector<ShownIndex> NoTargetsOf(const std::vector<ShownNode>& nodes);

// Where each end with a link goes on (LinkTargetOf), from the declared
// fields by position, where links stand as positions (null for none):
// empty when no end has one, so a procedure without links keeps no list.
std::vector<ShownIndex> LinkTargetsOf(const std::vector<ShownNode>& nodes, const FieldTable* fields);
inline ShownIndex LinkTargetOf(const std::vector<ShownIndex>& links, ShownIndex node) {
  return links.empty() ? kNoShownNode : links[node];
}

// True when the answer that leads to `node` is its parent's default answer.
bool IsDefaultAnswer(const std::vector<ShownNode>& nodes, const ShownNode& node);

}  // namespace velmora
