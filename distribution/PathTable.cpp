#include "distribution/PathTable.h"

#include "document/KindNames.h"

namespace velmora {
namespace {

// 答え, 種類, メッセージ
constexpr std::string_view kAnswersHeading = "\x93\x9a\x82\xa6";
constexpr std::string_view kKindHeading = "\x8e\xed\x97\xde";
constexpr std::string_view kMessageHeading = "\x83\x81\x83\x62\x83\x5a\x81\x5b\x83\x57";
constexpr std::string_view kAnswerSeparator = " > ";

// A node on the current path and the answer it takes next.
struct PathStep {
  const TreeNode* node;
  int nextAnswer;  // 0 Yes (or Either), 1 No, 2 done
};

// The answers from the root, joined by " > ". Their texts hold no quote,
// so a CSV field of them needs no doubling.
void AppendAnswers(std::string& out, const std::vector<PathAnswer>& answers) {
  for (std::size_t i = 0; i < answers.size(); ++i) {
    if (i > 0) out += kAnswerSeparator;
    out += PathAnswerText(answers[i]);
  }
}

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
    case PathAnswer::Either: break;
  }
  // はい/いいえ
  return "\x82\xcd\x82\xa2\x2f\x82\xa2\x82\xa2\x82\xa6";
}

void ForEachPathEnd(const DecisionTree& tree, const PathEndVisitor& visit) {
  if (tree.Root() == nullptr) return;
  std::vector<PathStep> path{{tree.Root(), 0}};
  std::vector<PathAnswer> answers;
  while (!path.empty()) {
    PathStep& step = path.back();
    const TreeNode* yes = step.node->FirstChild();
    const TreeNode* no = step.node->LastChild();
    if (yes == nullptr) {
      visit(answers, *step.node);
      path.pop_back();
      if (!answers.empty()) answers.pop_back();
      continue;
    }
    const bool oneAnswer = yes == no;
    if (step.nextAnswer == 2 || (oneAnswer && step.nextAnswer == 1)) {
      path.pop_back();
      if (!answers.empty()) answers.pop_back();
      continue;
    }
    const int answer = step.nextAnswer++;
    answers.push_back(oneAnswer ? PathAnswer::Either : answer == 0 ? PathAnswer::Yes : PathAnswer::No);
    path.push_back({answer == 0 ? yes : no, 0});
  }
}

void WritePathTable(ByteSink& sink, const DecisionTree& tree, const PathTableOptions& options) {
  std::string out;
  AppendRow(out, options, [](std::string& field) { field += kAnswersHeading; }, kKindHeading, kMessageHeading);
  ForEachPathEnd(tree, [&](const std::vector<PathAnswer>& answers, const TreeNode& end) {
    AppendRow(out, options, [&answers](std::string& field) { AppendAnswers(field, answers); }, KindName(end.kind),
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
