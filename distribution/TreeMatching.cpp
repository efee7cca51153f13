#include "distribution/TreeMatching.h"

#include <algorithm>
#include <cstdint>
#include <string_view>
#include <unordered_map>

namespace velmora {
namespace {

constexpr std::size_t kNone = IndexedTree::kNone;
// Texts at least this alike are the same message edited, not another one.
constexpr double kSimilarText = 0.5;

std::uint64_t Mix(std::uint64_t hash, std::uint64_t value) {
  hash ^= value + 0x9e3779b97f4a7c15ull + (hash << 6) + (hash >> 2);
  return hash * 0xff51afd7ed558ccdull;
}

std::uint64_t TextHash(std::string_view text) {
  std::uint64_t hash = 0xcbf29ce484222325ull;
  for (const char c : text) hash = (hash ^ static_cast<unsigned char>(c)) * 0x100000001b3ull;
  return hash;
}

class Matcher {
 public:
  Matcher(const IndexedTree& oldTree, const IndexedTree& newTree) : old_(oldTree), new_(newTree) {
    match_.oldToNew.assign(old_.nodes.size(), kNone);
    match_.newToOld.assign(new_.nodes.size(), kNone);
    // Sorted by hash: a lookup is a binary search, and a million nodes cost
    // two arrays rather than a million small lists.
    newByHash_.reserve(new_.nodes.size());
    for (std::size_t n = 0; n < new_.nodes.size(); ++n) newByHash_.emplace_back(new_.branchHash[n], n);
    std::sort(newByHash_.begin(), newByHash_.end());
    oldHashes_ = old_.branchHash;
    std::sort(oldHashes_.begin(), oldHashes_.end());
  }

  TreeMatch Run() {
    MatchIdenticalBranches();
    MatchContainers();
    MatchSamePlaces();
    return std::move(match_);
  }

 private:
  // The new counterpart of the old node's parent; for a top-level node the
  // (virtual) top of the new tree, also kNone but "matched".
  bool ParentCounterpart(std::size_t o, std::size_t& newParent) const {
    const std::size_t parent = old_.parent[o];
    if (parent == kNone) {
      newParent = kNone;
      return true;
    }
    newParent = match_.oldToNew[parent];
    return newParent != kNone;
  }

  IndexList NewChildren(std::size_t newParent) const { return new_.ChildrenOrTop(newParent); }

  // Equal hashes mean equal shapes, so both branches walk alike in
  // pre-order; the sizes and the free nodes are checked all the same, so a
  // hash collision can only cost a match, never pair nodes wrongly.
  bool MatchBranch(std::size_t o, std::size_t n) {
    const std::size_t size = BranchSize(old_, o);
    if (BranchSize(new_, n) != size) return false;
    // A node paired already with its twin in the other branch (a unique
    // leaf found on the first pass) is no conflict.
    for (std::size_t i = 0; i < size; ++i) {
      const bool oldFree = match_.oldToNew[o + i] == kNone || match_.oldToNew[o + i] == n + i;
      const bool newFree = match_.newToOld[n + i] == kNone || match_.newToOld[n + i] == o + i;
      if (!oldFree || !newFree) return false;
    }
    for (std::size_t i = 0; i < size; ++i) Pair(o + i, n + i);
    return true;
  }

  static std::size_t BranchSize(const IndexedTree& tree, std::size_t node) {
    std::size_t last = node;
    while (!tree.Children(last).empty()) last = tree.Children(last).back();
    return last - node + 1;
  }

  void Pair(std::size_t o, std::size_t n) {
    match_.oldToNew[o] = n;
    match_.newToOld[n] = o;
  }

  // Pass 1.
  void MatchIdenticalBranches() {
    for (std::size_t o = 0; o < old_.nodes.size(); ++o) {
      if (match_.oldToNew[o] != kNone) continue;
      const std::uint64_t hash = old_.branchHash[o];
      const auto twins = std::equal_range(newByHash_.begin(), newByHash_.end(), std::make_pair(hash, std::size_t{0}),
                                          [](const auto& a, const auto& b) { return a.first < b.first; });
      if (twins.first == twins.second) continue;
      const std::size_t n = ChooseTwin(o, static_cast<std::size_t>(twins.second - twins.first), twins.first->second);
      if (n != kNone) MatchBranch(o, n);
    }
  }

  // `twins` new nodes have the branch of `o`, `firstTwin` the first of them.
  std::size_t ChooseTwin(std::size_t o, std::size_t twins, std::size_t firstTwin) const {
    std::size_t newParent = kNone;
    if (ParentCounterpart(o, newParent)) {
      // Under the parent's counterpart: the same place first, then any.
      const IndexList candidates = NewChildren(newParent);
      const std::size_t place = old_.place[o];
      if (place < candidates.size() && IsFreeTwin(o, candidates[place])) return candidates[place];
      for (const std::size_t n : candidates) {
        if (IsFreeTwin(o, n)) return n;
      }
    }
    const auto alike = std::equal_range(oldHashes_.begin(), oldHashes_.end(), old_.branchHash[o]);
    if (twins == 1 && alike.second - alike.first == 1 && match_.newToOld[firstTwin] == kNone) return firstTwin;
    return kNone;
  }

  bool IsFreeTwin(std::size_t o, std::size_t n) const {
    return match_.newToOld[n] == kNone && new_.branchHash[n] == old_.branchHash[o];
  }

  // Pass 2: children first, so a question's answers vote before it does.
  // Twice: first only where every matched answer went the same way or the
  // text stayed as it was, then also where the text merely reads alike.
  // Else a removed question whose answer moved up would take its parent's
  // place ("removed question" reads like "first question"), and the parent
  // its grandparent's.
  void MatchContainers() {
    MatchContainers(1.0);
    MatchContainers(kSimilarText);
  }

  void MatchContainers(double similarEnough) {
    for (std::size_t o = old_.nodes.size(); o-- > 0;) {
      if (match_.oldToNew[o] != kNone || old_.Children(o).empty()) continue;
      std::unordered_map<std::size_t, std::size_t> votes;
      std::size_t matchedChildren = 0;
      for (const std::size_t child : old_.Children(o)) {
        const std::size_t counterpart = match_.oldToNew[child];
        if (counterpart == kNone) continue;
        ++matchedChildren;
        const std::size_t holder = new_.parent[counterpart];
        if (holder != kNone && match_.newToOld[holder] == kNone) ++votes[holder];
      }
      // Most votes wins; among equals the one that reads most alike.
      std::size_t best = kNone;
      std::size_t bestVotes = 0;
      double bestSimilarity = -1.0;
      for (const auto& [holder, count] : votes) {
        const double similarity = TextSimilarity(old_.nodes[o]->Text(), new_.nodes[holder]->Text());
        if (count > bestVotes || (count == bestVotes && similarity > bestSimilarity) ||
            (count == bestVotes && similarity == bestSimilarity && holder < best)) {
          best = holder;
          bestVotes = count;
          bestSimilarity = similarity;
        }
      }
      if (best == kNone || bestVotes * 2 < matchedChildren) continue;
      // Where only some answers went, the node must also read alike: else a
      // question that a new one was put above would take the new one's place.
      if (bestVotes == old_.Children(o).size() || bestSimilarity >= similarEnough) Pair(o, best);
    }
  }

  // Pass 3, one question at a time from the top, so the answers of a node
  // matched here are looked at when their turn comes.
  void MatchSamePlaces() {
    MatchAnswers(old_.TopLevel(), new_.TopLevel());
    for (std::size_t o = 0; o < old_.nodes.size(); ++o) {
      const std::size_t n = match_.oldToNew[o];
      if (n != kNone) MatchAnswers(old_.Children(o), new_.Children(n));
    }
  }

  // The answers of two matched questions: identical branches first, then
  // the pairs that read most alike (the same place first among equals),
  // each answer taken once. A question has few answers, so every pair is
  // looked at.
  void MatchAnswers(IndexList olds, IndexList news) {
    struct Candidate {
      double similarity;
      bool samePlace;
      std::size_t o, n;
    };
    std::vector<Candidate> candidates;
    for (const std::size_t o : olds) {
      if (match_.oldToNew[o] != kNone) continue;
      for (const std::size_t n : news) {
        if (match_.newToOld[n] != kNone) continue;
        const bool samePlace = SamePlace(o, news) == n;
        if (new_.branchHash[n] == old_.branchHash[o]) {
          candidates.push_back({2.0, samePlace, o, n});
          continue;
        }
        double similarity = TextSimilarity(old_.nodes[o]->Text(), new_.nodes[n]->Text());
        // The first node is where every run starts, whatever it says.
        if (old_.parent[o] == kNone && old_.place[o] == 0 && new_.place[n] == 0) similarity = 1.0;
        if (similarity >= kSimilarText) candidates.push_back({similarity, samePlace, o, n});
      }
    }
    std::stable_sort(candidates.begin(), candidates.end(), [](const Candidate& a, const Candidate& b) {
      return a.similarity != b.similarity ? a.similarity > b.similarity : a.samePlace && !b.samePlace;
    });
    for (const Candidate& candidate : candidates) {
      if (match_.oldToNew[candidate.o] != kNone || match_.newToOld[candidate.n] != kNone) continue;
      if (candidate.similarity > 1.0 && MatchBranch(candidate.o, candidate.n)) continue;
      Pair(candidate.o, candidate.n);
    }
    // What is left in the same slot with the same kind is the same step
    // reworded, however little of the text stayed ("正常です。" became
    // "正常に動作しています。"): a reviewer reads it as a text change, not as
    // one step removed and another added.
    for (const std::size_t o : olds) {
      if (match_.oldToNew[o] != kNone) continue;
      const std::size_t n = SamePlace(o, news);
      if (n != kNone && match_.newToOld[n] == kNone && new_.nodes[n]->kind == old_.nodes[o]->kind) Pair(o, n);
    }
  }

  // Yes with Yes (the first answer), No with No (the last), a middle answer
  // with the one at its index.
  std::size_t SamePlace(std::size_t o, IndexList candidates) const {
    if (candidates.empty()) return kNone;
    const std::size_t place = old_.place[o];
    if (place == 0) return candidates.front();
    if (place + 1 == old_.siblings[o]) return candidates.back();
    return place < candidates.size() ? candidates[place] : kNone;
  }

  const IndexedTree& old_;
  const IndexedTree& new_;
  TreeMatch match_;
  std::vector<std::pair<std::uint64_t, std::size_t>> newByHash_;
  std::vector<std::uint64_t> oldHashes_;
};

}  // namespace

IndexedTree::IndexedTree(const DecisionTree& tree) : tree(tree) {
  nodes.reserve(tree.Count());
  parent.reserve(tree.Count());
  // Pre-order: the chain of ancestors on a stack gives each node's parent.
  std::vector<std::size_t> above;
  for (TreeNode* node = tree.Root(); node != nullptr; node = tree.NextPreOrder(node)) {
    while (!above.empty() && nodes[above.back()] != node->Parent()) above.pop_back();
    parent.push_back(above.empty() ? kNone : above.back());
    above.push_back(nodes.size());
    nodes.push_back(node);
  }
  const std::size_t count = nodes.size();
  // The children of each node side by side in one array, in pre-order,
  // which is their order among their siblings.
  childStart_.assign(count + 1, 0);
  for (std::size_t i = 0; i < count; ++i) {
    if (parent[i] != kNone) ++childStart_[parent[i] + 1];
  }
  for (std::size_t i = 0; i < count; ++i) childStart_[i + 1] += childStart_[i];
  childIndexes_.resize(childStart_[count]);
  std::vector<std::size_t> filled(childStart_.begin(), childStart_.end() - 1);
  place.assign(count, 0);
  for (std::size_t i = 0; i < count; ++i) {
    if (parent[i] == kNone) {
      place[i] = topLevel_.size();
      topLevel_.push_back(i);
    } else {
      place[i] = filled[parent[i]] - childStart_[parent[i]];
      childIndexes_[filled[parent[i]]++] = i;
    }
  }
  siblings.assign(count, 0);
  for (std::size_t i = 0; i < count; ++i) siblings[i] = ChildrenOrTop(parent[i]).size();
  // Reverse pre-order: every child before its parent.
  branchHash.assign(count, 0);
  for (std::size_t i = count; i-- > 0;) {
    std::uint64_t hash = Mix(TextHash(nodes[i]->Text()), static_cast<std::uint64_t>(nodes[i]->kind + 2));
    const IndexList children = Children(i);
    for (const std::size_t child : children) hash = Mix(hash, branchHash[child]);
    branchHash[i] = Mix(hash, children.size());
  }
}

TreeMatch MatchTrees(const IndexedTree& oldTree, const IndexedTree& newTree) {
  return Matcher(oldTree, newTree).Run();
}

double TextSimilarity(std::string_view a, std::string_view b) {
  if (a == b) return 1.0;
  if (a.size() < 2 || b.size() < 2) return 0.0;
  std::unordered_map<std::uint32_t, int> pairs;
  for (std::size_t i = 0; i + 1 < a.size(); ++i) {
    ++pairs[static_cast<std::uint32_t>(static_cast<unsigned char>(a[i])) << 8 | static_cast<unsigned char>(a[i + 1])];
  }
  std::size_t shared = 0;
  for (std::size_t i = 0; i + 1 < b.size(); ++i) {
    int& left = pairs[static_cast<std::uint32_t>(static_cast<unsigned char>(b[i])) << 8 | static_cast<unsigned char>(b[i + 1])];
    if (left > 0) {
      --left;
      ++shared;
    }
  }
  return 2.0 * static_cast<double>(shared) / static_cast<double>(a.size() + b.size() - 2);
}

}  // namespace velmora
