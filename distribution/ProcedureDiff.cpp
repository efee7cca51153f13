#include "distribution/ProcedureDiff.h"

#include <algorithm>
#include <string_view>
#include <unordered_map>

#include "distribution/PathTable.h"
#include "distribution/TreeMatching.h"
#include "document/KindNames.h"
#include "document/TextRules.h"

namespace velmora {
namespace {

constexpr std::size_t kNone = IndexedTree::kNone;
// （最初）
constexpr std::string_view kFirstNodePlace = "\x81\x69\x8d\xc5\x8f\x89\x81\x6a";
constexpr std::string_view kAnswerSeparator = " > ";

std::string AnswerAt(std::size_t place, std::size_t siblings) {
  if (siblings == 1) return std::string(PathAnswerText(PathAnswer::Either));
  if (place == 0) return std::string(PathAnswerText(PathAnswer::Yes));
  if (place + 1 == siblings) return std::string(PathAnswerText(PathAnswer::No));
  return std::to_string(place + 1);
}

AnswerPath PathOf(const IndexedTree& tree, std::size_t node) {
  AnswerPath path;
  std::size_t at = node;
  while (tree.parent[at] != kNone) {
    path.push_back(AnswerAt(tree.place[at], tree.siblings[at]));
    at = tree.parent[at];
  }
  if (tree.place[at] != 0) path.push_back("#" + std::to_string(tree.place[at] + 1));
  std::reverse(path.begin(), path.end());
  return path;
}

// The default answer as the step dialog takes it: No with "(N)", else Yes.
std::string DefaultAnswerOf(std::string_view text) {
  return std::string(PathAnswerText(DefaultSuffixOf(text) == DefaultSuffix::No ? PathAnswer::No : PathAnswer::Yes));
}

class ChangeCollector {
 public:
  ChangeCollector(const IndexedTree& oldTree, const IndexedTree& newTree, const TreeMatch& match)
      : old_(oldTree), new_(newTree), match_(match) {}

  // Changes in the new version's order; a removed branch follows the
  // changes of the node it was taken from.
  std::vector<DiffChange> Collect() {
    std::vector<std::vector<DiffChange>> removedUnder(new_.nodes.size() + 1);
    for (std::size_t o = 0; o < old_.nodes.size(); ++o) {
      if (match_.oldToNew[o] != kNone) continue;
      const std::size_t parent = old_.parent[o];
      if (parent != kNone && match_.oldToNew[parent] == kNone) continue;  // inside a removed branch
      const std::size_t anchor = parent == kNone ? new_.nodes.size() : match_.oldToNew[parent];
      const NodeId from = parent == kNone ? 0 : new_.nodes[anchor]->Id();
      removedUnder[anchor].push_back(Change(ChangeKind::Removed, PathOf(old_, o), old_.nodes[o]->Text(), from));
    }
    std::vector<DiffChange> changes = std::move(removedUnder.back());
    for (std::size_t n = 0; n < new_.nodes.size(); ++n) {
      const std::size_t o = match_.newToOld[n];
      if (o == kNone) {
        const std::size_t parent = new_.parent[n];
        if (parent == kNone || match_.newToOld[parent] != kNone) {
          changes.push_back(Change(ChangeKind::Added, PathOf(new_, n), new_.nodes[n]->Text(), new_.nodes[n]->Id()));
        }
      } else {
        CompareMatched(o, n, changes);
      }
      for (DiffChange& removed : removedUnder[n]) changes.push_back(std::move(removed));
    }
    return changes;
  }

 private:
  DiffChange Change(ChangeKind kind, AnswerPath path, std::string_view text, NodeId node) const {
    DiffChange change;
    change.kind = kind;
    change.path = std::move(path);
    change.text = std::string(text);
    change.newNode = node;
    return change;
  }

  void CompareMatched(std::size_t o, std::size_t n, std::vector<DiffChange>& changes) const {
    const TreeNode& before = *old_.nodes[o];
    const TreeNode& after = *new_.nodes[n];
    auto add = [&](ChangeKind kind, std::string from, std::string to) {
      DiffChange change = Change(kind, PathOf(new_, n), after.Text(), after.Id());
      change.before = std::move(from);
      change.after = std::move(to);
      changes.push_back(std::move(change));
    };
    if (Moved(o, n)) {
      DiffChange change = Change(ChangeKind::Moved, PathOf(new_, n), after.Text(), after.Id());
      change.oldPath = PathOf(old_, o);
      change.before = AnswerPathText(change.oldPath);
      change.after = AnswerPathText(change.path);
      changes.push_back(std::move(change));
    }
    if (AnswersSwapped(o, n)) {
      const std::size_t yes = new_.children[n].front();
      const std::size_t no = new_.children[n].back();
      add(ChangeKind::Swapped, std::string(new_.nodes[no]->Text()), std::string(new_.nodes[yes]->Text()));
    }
    const std::string beforeText = RemoveDefaultSuffix(before.Text());
    const std::string afterText = RemoveDefaultSuffix(after.Text());
    if (beforeText != afterText) add(ChangeKind::Text, std::string(before.Text()), std::string(after.Text()));
    if (before.kind != after.kind) add(ChangeKind::Kind, std::string(KindName(before.kind)), std::string(KindName(after.kind)));
    if (DefaultAnswerOf(before.Text()) != DefaultAnswerOf(after.Text())) {
      add(ChangeKind::Default, DefaultAnswerOf(before.Text()), DefaultAnswerOf(after.Text()));
    }
  }

  // Under another node, or among the same answers in another order; a
  // plain exchange of Yes and No is told as a swap instead. An answer whose
  // sibling was removed or added is not moved, though its place's name may
  // change ("いいえ" becomes "はい/いいえ").
  bool Moved(std::size_t o, std::size_t n) const {
    const std::size_t oldParent = old_.parent[o];
    const std::size_t newParent = new_.parent[n];
    const std::size_t parentCounterpart = oldParent == kNone ? kNone : match_.oldToNew[oldParent];
    if (parentCounterpart != newParent) return true;
    if (newParent != kNone && AnswersSwapped(oldParent, newParent)) return false;
    return RankAmongKept(old_, new_, match_.oldToNew, o) != RankAmongKept(new_, old_, match_.newToOld, n);
  }

  // The node's place counting only the siblings that stay siblings in the
  // other version.
  static std::size_t RankAmongKept(const IndexedTree& tree, const IndexedTree& other,
                                   const std::vector<std::size_t>& counterpart, std::size_t node) {
    const std::size_t parent = tree.parent[node];
    const std::vector<std::size_t>& siblings = parent == kNone ? tree.topLevel : tree.children[parent];
    const std::size_t otherParent = other.parent[counterpart[node]];
    std::size_t rank = 0;
    for (const std::size_t sibling : siblings) {
      if (sibling == node) break;
      if (counterpart[sibling] != kNone && other.parent[counterpart[sibling]] == otherParent) ++rank;
    }
    return rank;
  }

  // Two answers, each the other's counterpart, in the other order.
  bool AnswersSwapped(std::size_t o, std::size_t n) const {
    const std::vector<std::size_t>& before = old_.children[o];
    const std::vector<std::size_t>& after = new_.children[n];
    return before.size() == 2 && after.size() == 2 && match_.oldToNew[before[0]] == after[1] &&
           match_.oldToNew[before[1]] == after[0];
  }

  const IndexedTree& old_;
  const IndexedTree& new_;
  const TreeMatch& match_;
};

void CompareFields(const DocumentState& before, const DocumentState& after, std::vector<DiffChange>& changes) {
  auto add = [&](ChangeKind kind, std::string from, std::string to) {
    if (from == to) return;
    DiffChange change;
    change.kind = kind;
    change.before = std::move(from);
    change.after = std::move(to);
    changes.push_back(std::move(change));
  };
  add(ChangeKind::Title, before.Title, after.Title);
  add(ChangeKind::Colour, std::to_string(before.Color), std::to_string(after.Color));
  add(ChangeKind::NewLine, before.NewLineMark, after.NewLineMark);
}

std::vector<PathEndRow> PathEnds(const DecisionTree& tree) {
  std::vector<PathEndRow> rows;
  ForEachPathEnd(tree, [&](const std::vector<PathAnswer>& answers, const TreeNode& end) {
    PathEndRow row;
    for (const PathAnswer answer : answers) row.answers.emplace_back(PathAnswerText(answer));
    row.kind = std::string(KindName(end.kind));
    row.message = std::string(end.Text());
    rows.push_back(std::move(row));
  });
  return rows;
}

// Paths are the same run when their answers are the same.
void ComparePaths(const DecisionTree& before, const DecisionTree& after, ProcedureDiff& diff) {
  std::vector<PathEndRow> oldRows = PathEnds(before);
  std::unordered_map<std::string, std::size_t> oldByAnswers;
  for (std::size_t i = 0; i < oldRows.size(); ++i) oldByAnswers.emplace(AnswerPathText(oldRows[i].answers), i);
  std::vector<bool> seen(oldRows.size(), false);
  for (PathEndRow& row : PathEnds(after)) {
    const auto found = oldByAnswers.find(AnswerPathText(row.answers));
    if (found == oldByAnswers.end()) {
      diff.pathsAdded.push_back(std::move(row));
      continue;
    }
    seen[found->second] = true;
    const PathEndRow& old = oldRows[found->second];
    if (old.kind != row.kind || old.message != row.message) diff.pathsChanged.push_back({old, std::move(row)});
  }
  for (std::size_t i = 0; i < oldRows.size(); ++i) {
    if (!seen[i]) diff.pathsRemoved.push_back(std::move(oldRows[i]));
  }
}

}  // namespace

ProcedureDiff CompareProcedures(const ProcedureVersion& before, const ProcedureVersion& after) {
  ProcedureDiff diff;
  CompareFields(before.state, after.state, diff.changes);
  const IndexedTree oldTree(before.tree);
  const IndexedTree newTree(after.tree);
  const TreeMatch match = MatchTrees(oldTree, newTree);
  for (DiffChange& change : ChangeCollector(oldTree, newTree, match).Collect()) diff.changes.push_back(std::move(change));
  ComparePaths(before.tree, after.tree, diff);
  return diff;
}

std::string AnswerPathText(const AnswerPath& path) {
  if (path.empty()) return std::string(kFirstNodePlace);
  std::string text;
  for (std::size_t i = 0; i < path.size(); ++i) {
    if (i > 0) text += kAnswerSeparator;
    text += path[i];
  }
  return text;
}

}  // namespace velmora
