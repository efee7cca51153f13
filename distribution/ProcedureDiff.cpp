#include "distribution/ProcedureDiff.h"

#include <algorithm>
#include <string_view>
#include <unordered_map>

#include "distribution/PathTable.h"
#include "distribution/TreeMatching.h"
#include "document/NodeLinks.h"
#include "document/KindNames.h"
#include "document/TextRules.h"

namespace velmora {
namespace {

constexpr std::size_t kNone = IndexedTree::kNone;
// （最初）
constexpr std::string_view kFirstNodePlace = "\x81\x69\x8d\xc5\x8f\x89\x81\x6a";
constexpr std::string_view kAnswerSeparator = " > ";

}  // namespace

std::string AnswerAtPlace(std::size_t place, std::size_t siblings) {
  if (siblings == 1) return std::string(PathAnswerText(PathAnswer::Either));
  if (place == 0) return std::string(PathAnswerText(PathAnswer::Yes));
  if (place + 1 == siblings) return std::string(PathAnswerText(PathAnswer::No));
  return std::to_string(place + 1);
}

namespace {

AnswerPath PathOf(const IndexedTree& tree, std::size_t node) {
  AnswerPath path;
  std::size_t at = node;
  while (tree.parent[at] != kNone) {
    path.push_back(AnswerAtPlace(tree.place[at], tree.siblings[at]));
    at = tree.parent[at];
  }
  if (tree.place[at] != 0) path.push_back("#" + std::to_string(tree.place[at] + 1));
  std::reverse(path.begin(), path.end());
  return path;
}

std::string_view WithoutSuffix(std::string_view text) {
  if (HasDefaultSuffix(text)) text.remove_suffix(NoDefaultSuffix.size());
  return text;
}

bool DefaultsToNo(std::string_view text) { return DefaultSuffixOf(text) == DefaultSuffix::No; }

// The default answer as the step dialog takes it: No with "(N)", else Yes.
std::string DefaultAnswerOf(std::string_view text) {
  return std::string(PathAnswerText(DefaultSuffixOf(text) == DefaultSuffix::No ? PathAnswer::No : PathAnswer::Yes));
}

class ChangeCollector {
 public:
  ChangeCollector(const IndexedTree& oldTree, const IndexedTree& newTree, const TreeMatch& match)
      : old_(oldTree),
        new_(newTree),
        match_(match),
        oldHoldsMatched_(HoldsMatched(oldTree, match.oldToNew)),
        newHoldsMatched_(HoldsMatched(newTree, match.newToOld)) {}

  // Changes in the new version's order; a removed branch follows the
  // changes of the node it was taken from.
  std::vector<DiffChange> Collect() {
    // Removals are few: kept with the new node they were taken from (the
    // end of the list for the top level) and put in after its changes.
    std::vector<std::pair<std::size_t, DiffChange>> removals;
    for (std::size_t o = 0; o < old_.nodes.size(); ++o) {
      if (match_.oldToNew[o] != kNone) continue;
      if (!IsTopOfChange(old_, match_.oldToNew, oldHoldsMatched_, o)) continue;  // inside a removed branch
      // The nearest ancestor that stayed: a removed question's answer that
      // is told on its own hangs where the question hung.
      std::size_t kept = old_.parent[o];
      while (kept != kNone && match_.oldToNew[kept] == kNone) kept = old_.parent[kept];
      const std::size_t anchor = kept == kNone ? kNone : match_.oldToNew[kept];
      const NodeId from = kept == kNone ? 0 : new_.nodes[anchor]->Id();
      removals.emplace_back(anchor, Change(ChangeKind::Removed, PathOf(old_, o), old_.nodes[o]->Text(), from));
    }
    std::stable_sort(removals.begin(), removals.end(), [](const auto& a, const auto& b) {
      return (a.first == kNone ? 0 : a.first + 1) < (b.first == kNone ? 0 : b.first + 1);
    });
    std::vector<DiffChange> changes;
    auto removal = removals.begin();
    for (; removal != removals.end() && removal->first == kNone; ++removal) changes.push_back(std::move(removal->second));
    for (std::size_t n = 0; n < new_.nodes.size(); ++n) {
      const std::size_t o = match_.newToOld[n];
      if (o == kNone) {
        if (IsTopOfChange(new_, match_.newToOld, newHoldsMatched_, n)) {
          changes.push_back(Change(ChangeKind::Added, PathOf(new_, n), new_.nodes[n]->Text(), new_.nodes[n]->Id()));
        }
      } else {
        CompareMatched(o, n, changes);
      }
      for (; removal != removals.end() && removal->first == n; ++removal) changes.push_back(std::move(removal->second));
    }
    return changes;
  }

 private:
  // Whether each node's branch holds a node that the other version has.
  static std::vector<bool> HoldsMatched(const IndexedTree& tree, const std::vector<std::size_t>& counterpart) {
    std::vector<bool> holds(tree.nodes.size(), false);
    for (std::size_t i = tree.nodes.size(); i-- > 0;) {
      if (counterpart[i] != kNone) holds[i] = true;
      if (holds[i] && tree.parent[i] != kNone) holds[tree.parent[i]] = true;
    }
    return holds;
  }

  // An added (or removed) node is told on its own unless it lies inside a
  // wholly new (or wholly gone) branch, which its top stands for. A new
  // question that also received a moved step is no such branch: its other
  // new answers are told one by one, else they would show only as paths.
  static bool IsTopOfChange(const IndexedTree& tree, const std::vector<std::size_t>& counterpart,
                            const std::vector<bool>& holdsMatched, std::size_t node) {
    const std::size_t parent = tree.parent[node];
    return parent == kNone || counterpart[parent] != kNone || holdsMatched[parent];
  }

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
      const std::size_t yes = new_.Children(n).front();
      const std::size_t no = new_.Children(n).back();
      add(ChangeKind::Swapped, std::string(new_.nodes[no]->Text()), std::string(new_.nodes[yes]->Text()));
    }
    // Views, not copies: most nodes of two versions are alike.
    if (WithoutSuffix(before.Text()) != WithoutSuffix(after.Text())) {
      add(ChangeKind::Text, std::string(before.Text()), std::string(after.Text()));
    }
    if (before.kind != after.kind) add(ChangeKind::Kind, std::string(KindName(before.kind)), std::string(KindName(after.kind)));
    if (DefaultsToNo(before.Text()) != DefaultsToNo(after.Text())) {
      add(ChangeKind::Default, DefaultAnswerOf(before.Text()), DefaultAnswerOf(after.Text()));
    }
    CompareLaterFields(before, after, add, changes);
  }

  // Every declared field, in declaration order.
  template <typename Add>
  void CompareLaterFields(const TreeNode& beforeNode, const TreeNode& afterNode, Add add,
                          std::vector<DiffChange>& changes) const {
    const LaterFields& before = old_.tree.LaterOf(beforeNode);
    const LaterFields& after = new_.tree.LaterOf(afterNode);
    if (before.Empty() && after.Empty()) return;
    for (std::size_t i = 0; i < DeclaredFields().size(); ++i) {
      const auto field = static_cast<FieldIndex>(i);
      if (IsLinkField(field)) {
        CompareLinks(beforeNode, afterNode, field, add, changes);
        continue;
      }
      if (before.Get(field) == after.Get(field)) continue;
      add(ChangeKind::Field, std::string(before.Get(field)), std::string(after.Get(field)));
      changes.back().field = field;
    }
  }

  // A link is the same where it leads to nodes the two versions share; it
  // is told by its target's text ("→ ランプは点灯しますか？"), since each
  // version numbers its own nodes.
  template <typename Add>
  void CompareLinks(const TreeNode& beforeNode, const TreeNode& afterNode, FieldIndex field, Add add,
                    std::vector<DiffChange>& changes) const {
    const std::string_view beforeValue = old_.tree.LaterOf(beforeNode).Get(field);
    const std::string_view afterValue = new_.tree.LaterOf(afterNode).Get(field);
    if (beforeValue.empty() && afterValue.empty()) return;
    const TreeNode* beforeTarget = LinkTarget(old_.tree, beforeNode);
    const TreeNode* afterTarget = LinkTarget(new_.tree, afterNode);
    if (beforeTarget != nullptr && afterTarget != nullptr &&
        match_.oldToNew[oldIndex_.Of(old_, beforeTarget)] == newIndex_.Of(new_, afterTarget)) {
      return;
    }
    add(ChangeKind::Field, beforeValue.empty() ? std::string() : ShownFieldValue(old_.tree, field, beforeValue),
        afterValue.empty() ? std::string() : ShownFieldValue(new_.tree, field, afterValue));
    changes.back().field = field;
  }

  // Each node's index in a version, for the few nodes that links lead to.
  class NodeIndex {
   public:
    std::size_t Of(const IndexedTree& tree, const TreeNode* node) const {
      if (indexes_.empty()) {
        for (std::size_t i = 0; i < tree.nodes.size(); ++i) indexes_.emplace(tree.nodes[i], i);
      }
      return indexes_.at(node);
    }

   private:
    mutable std::unordered_map<const TreeNode*, std::size_t> indexes_;
  };

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
    const IndexList siblings = tree.ChildrenOrTop(parent);
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
    const IndexList before = old_.Children(o);
    const IndexList after = new_.Children(n);
    return before.size() == 2 && after.size() == 2 && match_.oldToNew[before[0]] == after[1] &&
           match_.oldToNew[before[1]] == after[0];
  }

  const IndexedTree& old_;
  const IndexedTree& new_;
  NodeIndex oldIndex_;
  NodeIndex newIndex_;
  const TreeMatch& match_;
  const std::vector<bool> oldHoldsMatched_;
  const std::vector<bool> newHoldsMatched_;
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

// An end a run reaches, by its answers in one byte each ('Y', 'N', 'E'
// for either, 'L' for a link taken, and 'R' last where the path stops
// before going round a loop again): two versions' paths are the same run
// when these are equal.
// The row with its texts is made only for the paths that differ.
struct PathEnd {
  std::string answers;
  const TreeNode* end;
};

std::vector<PathEnd> PathEnds(const DecisionTree& tree) {
  std::vector<PathEnd> ends;
  ForEachPathEnd(tree, [&](const PathWalk& walk, const TreeNode& end) {
    PathEnd path{std::string(walk.answers.size(), 'E'), &end};
    for (std::size_t i = 0; i < walk.answers.size(); ++i) {
      const PathAnswer answer = walk.answers[i];
      if (answer != PathAnswer::Either) path.answers[i] = answer == PathAnswer::Yes ? 'Y' : answer == PathAnswer::No ? 'N' : 'L';
    }
    if (walk.repeats) path.answers += 'R';
    ends.push_back(std::move(path));
  });
  return ends;
}

PathEndRow RowOf(const PathEnd& path) {
  PathEndRow row;
  for (const char answer : path.answers) {
    if (answer == 'L' || answer == 'R') {
      // "→" for a link, "（以下繰り返し）" where the path stops.
      row.answers.emplace_back(answer == 'L' ? "\x81\xa8" : "\x81\x69\x88\xc8\x89\xba\x8c\x4a\x82\xe8\x95\xd4\x82\xb5\x81\x6a");
      continue;
    }
    row.answers.emplace_back(
        PathAnswerText(answer == 'Y' ? PathAnswer::Yes : answer == 'N' ? PathAnswer::No : PathAnswer::Either));
  }
  row.kind = std::string(KindName(path.end->kind));
  row.message = std::string(path.end->Text());
  row.end = path.end->Id();
  return row;
}

// The same answers, where an only answer ('E') stands for a Yes or a No.
bool SamePathButOnlyAnswers(std::string_view before, std::string_view after) {
  if (before.size() != after.size()) return false;
  for (std::size_t i = 0; i < before.size(); ++i) {
    const bool either = (before[i] == 'E' && after[i] != 'L' && after[i] != 'R') ||
                        (after[i] == 'E' && before[i] != 'L' && before[i] != 'R');
    if (before[i] != after[i] && !either) return false;
  }
  return true;
}

void ComparePaths(const DecisionTree& before, const DecisionTree& after, ProcedureDiff& diff) {
  const std::vector<PathEnd> oldEnds = PathEnds(before);
  std::unordered_map<std::string_view, std::size_t> oldByAnswers;
  oldByAnswers.reserve(oldEnds.size());
  for (std::size_t i = 0; i < oldEnds.size(); ++i) oldByAnswers.emplace(oldEnds[i].answers, i);
  std::vector<bool> seen(oldEnds.size(), false);
  const std::vector<PathEnd> newEnds = PathEnds(after);
  std::vector<const PathEnd*> unmatched;
  for (const PathEnd& path : newEnds) {
    const auto found = oldByAnswers.find(path.answers);
    if (found == oldByAnswers.end()) {
      unmatched.push_back(&path);
      continue;
    }
    seen[found->second] = true;
    const TreeNode& old = *oldEnds[found->second].end;
    if (old.kind != path.end->kind || old.Text() != path.end->Text()) {
      diff.pathsChanged.push_back({RowOf(oldEnds[found->second]), RowOf(path)});
    }
  }
  // An answer whose sibling was removed (or added) is the only answer now
  // (or no longer): the same path under another name ("はい" became
  // "はい/いいえ"), one changed path rather than one removed and one added.
  for (const PathEnd* path : unmatched) {
    std::size_t same = oldEnds.size();
    for (std::size_t i = 0; i < oldEnds.size() && same == oldEnds.size(); ++i) {
      if (!seen[i] && SamePathButOnlyAnswers(oldEnds[i].answers, path->answers)) same = i;
    }
    if (same == oldEnds.size()) {
      diff.pathsAdded.push_back(RowOf(*path));
      continue;
    }
    seen[same] = true;
    diff.pathsChanged.push_back({RowOf(oldEnds[same]), RowOf(*path)});
  }
  for (std::size_t i = 0; i < oldEnds.size(); ++i) {
    if (!seen[i]) diff.pathsRemoved.push_back(RowOf(oldEnds[i]));
  }
}

}  // namespace

ProcedureDiff CompareTrees(const DecisionTree& before, const DecisionTree& after) {
  ProcedureDiff diff;
  const IndexedTree oldTree(before);
  const IndexedTree newTree(after);
  const TreeMatch match = MatchTrees(oldTree, newTree);
  diff.changes = ChangeCollector(oldTree, newTree, match).Collect();
  ComparePaths(before, after, diff);
  return diff;
}

ProcedureDiff WithDocumentFields(const DocumentState& before, const DocumentState& after, const ProcedureDiff& trees) {
  ProcedureDiff diff = trees;
  std::vector<DiffChange> fields;
  CompareFields(before, after, fields);
  diff.changes.insert(diff.changes.begin(), fields.begin(), fields.end());
  return diff;
}

ProcedureDiff CompareProcedures(const ProcedureVersion& before, const ProcedureVersion& after) {
  return WithDocumentFields(before.state, after.state, CompareTrees(before.tree, after.tree));
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
