#include "distribution/PathTable.h"

#include "document/KindNames.h"

#include <string>
#include <unordered_map>

#include "document/NodeLinks.h"

namespace velmora {
namespace {

// 答え, 種類, メッセージ
constexpr std::string_view kAnswersHeading = "\x93\x9a\x82\xa6";
constexpr std::string_view kKindHeading = "\x8e\xed\x97\xde";
constexpr std::string_view kMessageHeading = "\x83\x81\x83\x62\x83\x5a\x81\x5b\x83\x57";
constexpr std::string_view kAnswerSeparator = " > ";

// "→ " before a link's line, and "（以下繰り返し）" (the rest repeats)
// after a path that stops where it would go round a loop again.
constexpr std::string_view kLinkArrow = "\x81\xa8 ";
constexpr std::string_view kRepeatsMark = "\x81\x69\x88\xc8\x89\xba\x8c\x4a\x82\xe8\x95\xd4\x82\xb5\x81\x6a";

// A node on the current path and the answer it takes next.
struct PathStep {
  const TreeNode* node;
  int nextAnswer;  // 0 Yes (or Either, or an end's link), 1 No, 2 done
};

// The answers from the root, joined by " > ", a link as its target's line.
// Their texts hold no quote, so a CSV field of them needs no doubling.
void AppendAnswers(std::string& out, const PathWalk& walk) {
  std::size_t link = 0;
  for (std::size_t i = 0; i < walk.answers.size(); ++i) {
    if (i > 0) out += kAnswerSeparator;
    if (walk.answers[i] == PathAnswer::Link) {
      out += kLinkArrow;
      out += std::to_string(walk.linkLines[link++]);
    } else {
      out += PathAnswerText(walk.answers[i]);
    }
  }
  if (walk.repeats) out += kRepeatsMark;
}

// The links of a tree as a walk needs them: each target's line, and how
// often each node stands on the current path. Empty for a tree without
// links, whose walks never come back to a node.
class PathLinks {
 public:
  explicit PathLinks(const DecisionTree& tree) : tree_(tree) {
    if (!tree.HasLaterFields()) return;
    tree.ForEachLater([&](NodeId id, const LaterFields&) {
      const TreeNode* node = tree.Find(id);
      if (const TreeNode* target = node != nullptr ? RunsOnTo(tree, *node) : nullptr) lines_.emplace(target, 0);
    });
    if (lines_.empty()) return;
    std::size_t line = 1;
    tree.ForEachPreOrder([&](const TreeNode& node) {
      const auto found = lines_.find(&node);
      if (found != lines_.end()) found->second = line;
      ++line;
    });
  }
  const TreeNode* Target(const TreeNode& end) const { return lines_.empty() ? nullptr : RunsOnTo(tree_, end); }
  std::size_t LineOf(const TreeNode* target) const { return lines_.at(target); }
  // The times `node` stands on the path, after it entered it (+1) or left (-1).
  int Count(const TreeNode* node, int change) {
    if (lines_.empty()) return 1;
    return visits_[node] += change;
  }

 private:
  const DecisionTree& tree_;
  std::unordered_map<const TreeNode*, std::size_t> lines_;
  std::unordered_map<const TreeNode*, int> visits_;
};

// A quoted field, each quote doubled; the runs between quotes go in whole,
// since a table of a large procedure runs to tens of megabytes.
void AppendCsvField(std::string& row, std::string_view field) {
  row += '"';
  for (std::size_t quote = field.find('"'); quote != std::string_view::npos; quote = field.find('"')) {
    row.append(field.data(), quote + 1);
    row += '"';
    field.remove_prefix(quote + 1);
  }
  row += field;
  row += '"';
}

// One row; `appendFirst` writes the first field, whose text (the answers
// or their heading) holds no quote.
template <typename AppendFirst>
void AppendRow(std::string& out, const PathTableOptions& options, AppendFirst appendFirst, std::string_view kind,
               std::string_view message) {
  const bool csv = options.format == PathTableFormat::Csv;
  if (csv) out += '"';
  appendFirst(out);
  if (csv) {
    out += "\",";
    AppendCsvField(out, kind);
    out += ',';
    AppendCsvField(out, message);
  } else {
    out.append(1, '\t').append(kind).append(1, '\t').append(message);
  }
  out += options.lineEnd;
}

}  // namespace

std::string_view PathAnswerText(PathAnswer answer) {
  switch (answer) {
    // はい
    case PathAnswer::Yes: return "\x82\xcd\x82\xa2";
    // いいえ
    case PathAnswer::No: return "\x82\xa2\x82\xa2\x82\xa6";
    case PathAnswer::Link: return {};
    case PathAnswer::Either: break;
  }
  // はい/いいえ
  return "\x82\xcd\x82\xa2\x2f\x82\xa2\x82\xa2\x82\xa6";
}

void ForEachPathEnd(const DecisionTree& tree, const PathEndVisitor& visit) {
  if (tree.Root() == nullptr) return;
  PathLinks links(tree);
  std::vector<PathStep> path{{tree.Root(), 0}};
  links.Count(tree.Root(), 1);
  PathWalk walk;
  const auto enter = [&](const TreeNode* node, PathAnswer answer) {
    walk.answers.push_back(answer);
    path.push_back({node, 0});
    links.Count(node, 1);
  };
  const auto leave = [&] {
    links.Count(path.back().node, -1);
    path.pop_back();
    if (walk.answers.empty()) return;
    if (walk.answers.back() == PathAnswer::Link) walk.linkLines.pop_back();
    walk.answers.pop_back();
  };
  while (!path.empty()) {
    PathStep& step = path.back();
    const TreeNode* yes = step.node->FirstChild();
    const TreeNode* no = step.node->LastChild();
    if (yes == nullptr) {
      const TreeNode* target = links.Target(*step.node);
      if (target == nullptr) visit(walk, *step.node);
      if (target == nullptr || step.nextAnswer++ != 0) {
        leave();
        continue;
      }
      walk.linkLines.push_back(links.LineOf(target));
      if (links.Count(target, 0) < 2) {
        enter(target, PathAnswer::Link);
        continue;
      }
      // Round the loop once already: the path ends here, and says so.
      walk.answers.push_back(PathAnswer::Link);
      walk.repeats = true;
      visit(walk, *step.node);
      walk.repeats = false;
      walk.answers.pop_back();
      walk.linkLines.pop_back();
      continue;
    }
    const bool oneAnswer = yes == no;
    if (step.nextAnswer == 2 || (oneAnswer && step.nextAnswer == 1)) {
      leave();
      continue;
    }
    const int answer = step.nextAnswer++;
    enter(answer == 0 ? yes : no, oneAnswer ? PathAnswer::Either : answer == 0 ? PathAnswer::Yes : PathAnswer::No);
  }
}

void WritePathTable(ByteSink& sink, const DecisionTree& tree, const PathTableOptions& options) {
  std::string out;
  AppendRow(out, options, [](std::string& field) { field += kAnswersHeading; }, kKindHeading, kMessageHeading);
  ForEachPathEnd(tree, [&](const PathWalk& walk, const TreeNode& end) {
    AppendRow(out, options, [&walk](std::string& field) { AppendAnswers(field, walk); }, KindName(end.kind),
              end.Text());
    WritePieceIfFull(out, sink);
  });
  if (!out.empty()) sink.Write(out);
}

void SavePathTable(FileSystemPort& fs, const FilePath& path, const DecisionTree& tree,
                   const PathTableOptions& options) {
  fs.StreamFileAtomically(path, [&](ByteSink& sink) { WritePathTable(sink, tree, options); });
}

}  // namespace velmora
