#include "document/ProcedureCheck.h"

#include <algorithm>
#include <optional>

#include "document/Cp932.h"
#include "document/LaterFields.h"
#include "document/Picture.h"
#include "document/RunGraph.h"

namespace velmora {
namespace {

// What a run shows as the node's message: a question's default suffix is
// taken off, a final message stands as it is (TextRules, PreviewRun).
std::string_view ShownMessage(const TreeNode& node) {
  std::string_view text = node.Text();
  if (node.HasChildren() && HasDefaultSuffix(text)) text.remove_suffix(NoDefaultSuffix.size());
  return text;
}

std::size_t WrappedLines(std::size_t lineBytes) {
  return std::max<std::size_t>(1, (lineBytes + kStepDialogLineBytes - 1) / kStepDialogLineBytes);
}

// Counted only for texts that could be too long at all (every mark a line
// break, every line wrapped once more), so the expansion, an allocation, is
// paid by the longer messages alone.
bool TooLongForDialog(std::string_view message, const std::string& mark) {
  const std::size_t mostBreaks = mark.empty() ? 0 : message.size() / mark.size();
  if (mostBreaks + 1 + message.size() / kStepDialogLineBytes + 1 <= kStepDialogLines) return false;
  const std::string expanded = ExpandNewLines(message, mark);
  std::size_t lines = 0;
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = expanded.find("\r\n", start);
    lines += WrappedLines((end == std::string::npos ? expanded.size() : end) - start);
    if (lines > kStepDialogLines) return true;
    if (end == std::string::npos) return false;
    start = end + 2;
  }
}

// The text ends in a suffix once its trailing blanks are gone, yet not as it
// stands: the run does not see the suffix.
bool SuffixBeforeBlanks(std::string_view text) {
  if (text.empty() || !IsBlankByte(static_cast<unsigned char>(text.back()))) return false;
  while (!text.empty() && IsBlankByte(static_cast<unsigned char>(text.back()))) text.remove_suffix(1);
  return HasDefaultSuffix(text);
}

// The full-width space, a character an author types with the Japanese IME on.
constexpr std::string_view kFullWidthSpace = "\x81\x40";

// Nothing a step dialog would show: only blanks, full-width spaces and line
// breaks (the newline mark) between them.
bool ShowsNothing(std::string_view message, std::string_view mark) {
  std::size_t pos = 0;
  while (pos < message.size()) {
    if (IsBlankByte(static_cast<unsigned char>(message[pos]))) {
      ++pos;
    } else if (cp932::MatchesWholeCharsAt(message, pos, kFullWidthSpace)) {
      pos += kFullWidthSpace.size();
    } else if (!mark.empty() && cp932::MatchesWholeCharsAt(message, pos, mark)) {
      pos += mark.size();
    } else {
      return false;
    }
  }
  return true;
}

class Checker {
 public:
  Checker(const DecisionTree& tree, ProblemList& problems) : tree_(tree), problems_(problems) {
    // Only links, or a second top-level node, make a procedure more than a
    // tree that every run walks down to an end: those are also checked by
    // their runs. The graph also tells which nodes carry fields, so that
    // they are not looked up one by one. Its arrays cost a few bytes a
    // node: a procedure without declared fields does without them.
    if (tree.HasLaterFields() || tree.TopLevel().size() > 1) graph_.emplace(tree);
  }

  void CheckNode(const TreeNode& node, std::size_t preOrderIndex, const std::string& mark) {
    node_ = &node;
    index_ = preOrderIndex;
    const LaterFields& later = FieldsOf(node, preOrderIndex);
    const std::string_view message = TrimBlanksView(ShownMessage(node));
    // "…(N)" on a final message is the placeholder too, with a second problem.
    std::string_view withoutSuffix = node.Text();
    if (HasDefaultSuffix(withoutSuffix)) withoutSuffix.remove_suffix(NoDefaultSuffix.size());
    if (TrimBlanksView(withoutSuffix) == PlaceholderText) Add(ProblemKind::PlaceholderText);
    // An end that only goes on elsewhere shows nothing (the run passes it).
    // An end that goes on elsewhere: its target is looked at only where a
    // problem may lie there.
    const bool goesOn = graph_ && graph_->GoesOn(index_);
    const bool passedAtOnce = goesOn && message.empty();
    if (ShowsNothing(message, mark) && !passedAtOnce) Add(ProblemKind::EmptyText);
    if (node.kind == Unset) Add(ProblemKind::KindUnset);
    CheckAnswers(node);
    if (!node.HasChildren() && HasDefaultSuffix(node.Text())) Add(ProblemKind::SuffixOnFinalMessage);
    if (SuffixBeforeBlanks(node.Text())) Add(ProblemKind::SuffixBeforeBlanks);
    if (TooLongForDialog(ShownMessage(node), mark)) Add(ProblemKind::LongMessage);
    // An end's outcome stays on the node when it gains answers (nothing of
    // the author's is dropped), but only an end shows it.
    static const FieldIndex outcome = *FieldNamed("outcome");
    if (node.HasChildren() && !later.Get(outcome).empty()) Add(ProblemKind::OutcomeOnQuestion);
    CheckStepPicture(later);
    CheckLinks(goesOn, passedAtOnce);
  }

  void CheckLinks(bool goesOn, bool passedAtOnce) {
    if (graph_ && graph_->LinkOnQuestion(index_)) Add(ProblemKind::LinkOnQuestion);
    const bool analysed = graph_ && graph_->Analysed();
    if (analysed && graph_->Reached(index_) && !graph_->CanEnd(index_)) Add(ProblemKind::NoWayToEnd);
    if (goesOn) {
      if (passedAtOnce && graph_->GoesBackUp(index_)) Add(ProblemKind::LinkBackUnsaid);
      if (graph_->GoesOnAtASilentLink(index_)) Add(ProblemKind::LinkChain);
    }
    if (analysed && graph_->FirstUnreached(index_)) Add(ProblemKind::Unreachable);
  }

  // The node's declared fields, met in pre-order along the graph's list.
  const LaterFields& FieldsOf(const TreeNode& node, std::size_t position) {
    static const LaterFields kNone;
    if (!graph_) return tree_.LaterOf(node);
    const auto& fields = graph_->Fields();
    while (nextFields_ < fields.size() && fields[nextFields_].first < position) ++nextFields_;
    return nextFields_ < fields.size() && fields[nextFields_].first == position ? *fields[nextFields_].second : kNone;
  }

  // The player leaves out a picture it cannot show; the file keeps its
  // bytes until the author replaces or removes it.
  void CheckStepPicture(const LaterFields& later) {
    static const FieldIndex picture = *FieldNamed("picture");
    static const FieldIndex alt = *FieldNamed("alt");
    if (later.Get(picture).empty()) return;
    if (CheckStoredPicture(later.Get(picture))) Add(ProblemKind::PictureUnusable);
    if (TrimBlanksView(later.Get(alt)).empty()) Add(ProblemKind::PictureWithoutAlt);
  }

  void AddDocumentProblem(ProblemKind kind) {
    node_ = nullptr;
    index_ = 0;
    Add(kind);
  }

 private:
  // The walk stops at the third answer: a node's check stays linear in its
  // own children however many it has.
  void CheckAnswers(const TreeNode& node) {
    const TreeNode* first = node.FirstChild();
    if (first == nullptr) return;
    if (first == node.LastChild()) {
      Add(ProblemKind::OneAnswer);
      return;
    }
    if (node.Child(1) != node.LastChild()) Add(ProblemKind::UnreachableAnswers);
  }

  void Add(ProblemKind kind) {
    problems_.push_back({node_, node_ != nullptr ? node_->Id() : 0, index_, kind});
  }

  const DecisionTree& tree_;
  ProblemList& problems_;
  std::optional<RunGraph> graph_;
  std::size_t nextFields_ = 0;
  const TreeNode* node_ = nullptr;
  std::size_t index_ = 0;
};

}  // namespace

ProblemSeverity SeverityOf(ProblemKind kind) {
  switch (kind) {
    case ProblemKind::KindUnset:
    // A run takes both answers to the only one, as the help and the book
    // say: nothing goes wrong for the end user, but it is seldom meant.
    case ProblemKind::OneAnswer:
    case ProblemKind::UnreachableAnswers:
    case ProblemKind::EmptyTitle:
    case ProblemKind::LongMessage:
    case ProblemKind::OutcomeOnQuestion:
    case ProblemKind::PictureWithoutAlt:
    case ProblemKind::LinkOnQuestion:
    case ProblemKind::LinkBackUnsaid:
    case ProblemKind::LinkChain:
    case ProblemKind::Unreachable: return ProblemSeverity::Warning;
    default: break;
  }
  return ProblemSeverity::Error;
}

std::string_view ExplanationOf(ProblemKind kind) {
  switch (kind) {
    case ProblemKind::PlaceholderText:
      // ダミーの文字「…」が残っています。
      return "\x83\x5f\x83\x7e\x81\x5b\x82\xcc\x95\xb6\x8e\x9a\x81\x75\x81\x63\x81\x76\x82\xaa\x8e\x63\x82\xc1\x82\xc4"
             "\x82\xa2\x82\xdc\x82\xb7\x81\x42";
    case ProblemKind::EmptyText:
      // メッセージが空です。
      return "\x83\x81\x83\x62\x83\x5a\x81\x5b\x83\x57\x82\xaa\x8b\xf3\x82\xc5\x82\xb7\x81\x42";
    case ProblemKind::KindUnset:
      // 種類が選ばれていません。
      return "\x8e\xed\x97\xde\x82\xaa\x91\x49\x82\xce\x82\xea\x82\xc4\x82\xa2\x82\xdc\x82\xb9\x82\xf1\x81\x42";
    case ProblemKind::OneAnswer:
      // 答えが一つだけです。はいもいいえも同じ所へ進みます。
      return "\x93\x9a\x82\xa6\x82\xaa\x88\xea\x82\xc2\x82\xbe\x82\xaf\x82\xc5\x82\xb7\x81\x42\x82\xcd\x82\xa2\x82\xe0"
             "\x82\xa2\x82\xa2\x82\xa6\x82\xe0\x93\xaf\x82\xb6\x8f\x8a\x82\xd6\x90\x69\x82\xdd\x82\xdc\x82\xb7\x81\x42";
    case ProblemKind::UnreachableAnswers:
      // 答えが三つ以上あります。最初と最後の間の答えには進めません。
      return "\x93\x9a\x82\xa6\x82\xaa\x8e\x4f\x82\xc2\x88\xc8\x8f\xe3\x82\xa0\x82\xe8\x82\xdc\x82\xb7\x81\x42\x8d\xc5"
             "\x8f\x89\x82\xc6\x8d\xc5\x8c\xe3\x82\xcc\x8a\xd4\x82\xcc\x93\x9a\x82\xa6\x82\xc9\x82\xcd\x90\x69\x82\xdf"
             "\x82\xdc\x82\xb9\x82\xf1\x81\x42";
    case ProblemKind::SuffixOnFinalMessage:
      // 答えのないメッセージに既定の答えの指定があり、そのまま表示されます。
      return "\x93\x9a\x82\xa6\x82\xcc\x82\xc8\x82\xa2\x83\x81\x83\x62\x83\x5a\x81\x5b\x83\x57\x82\xc9\x8a\xf9\x92\xe8"
             "\x82\xcc\x93\x9a\x82\xa6\x82\xcc\x8e\x77\x92\xe8\x82\xaa\x82\xa0\x82\xe8\x81\x41\x82\xbb\x82\xcc\x82\xdc"
             "\x82\xdc\x95\x5c\x8e\xa6\x82\xb3\x82\xea\x82\xdc\x82\xb7\x81\x42";
    case ProblemKind::SuffixBeforeBlanks:
      // 既定の答えの指定の後に空白があり、指定として認識されません。
      return "\x8a\xf9\x92\xe8\x82\xcc\x93\x9a\x82\xa6\x82\xcc\x8e\x77\x92\xe8\x82\xcc\x8c\xe3\x82\xc9\x8b\xf3\x94\x92"
             "\x82\xaa\x82\xa0\x82\xe8\x81\x41\x8e\x77\x92\xe8\x82\xc6\x82\xb5\x82\xc4\x94\x46\x8e\xaf\x82\xb3\x82\xea"
             "\x82\xdc\x82\xb9\x82\xf1\x81\x42";
    case ProblemKind::EmptyTitle:
      // タイトルが空です。ダイアログに表題が出ません。
      return "\x83\x5e\x83\x43\x83\x67\x83\x8b\x82\xaa\x8b\xf3\x82\xc5\x82\xb7\x81\x42\x83\x5f\x83\x43\x83\x41\x83\x8d"
             "\x83\x4f\x82\xc9\x95\x5c\x91\xe8\x82\xaa\x8f\x6f\x82\xdc\x82\xb9\x82\xf1\x81\x42";
    case ProblemKind::LongMessage:
      // メッセージが長く、ダイアログに収まりません。
      return "\x83\x81\x83\x62\x83\x5a\x81\x5b\x83\x57\x82\xaa\x92\xb7\x82\xad\x81\x41\x83\x5f\x83\x43\x83\x41\x83\x8d"
             "\x83\x4f\x82\xc9\x8e\xfb\x82\xdc\x82\xe8\x82\xdc\x82\xb9\x82\xf1\x81\x42";
    case ProblemKind::PictureWithoutAlt:
      // 画像に代替テキストがありません。画像を見られない利用者には何も伝わりません。
      return "\x89\xe6\x91\x9c\x82\xc9\x91\xe3\x91\xd6\x83\x65\x83\x4c\x83\x58\x83\x67\x82\xaa\x82\xa0\x82\xe8"
             "\x82\xdc\x82\xb9\x82\xf1\x81\x42\x89\xe6\x91\x9c\x82\xf0\x8c\xa9\x82\xe7\x82\xea\x82\xc8\x82\xa2"
             "\x97\x98\x97\x70\x8e\xd2\x82\xc9\x82\xcd\x89\xbd\x82\xe0\x93\x60\x82\xed\x82\xe8\x82\xdc\x82\xb9"
             "\x82\xf1\x81\x42";
    case ProblemKind::PictureUnusable:
      // 画像を読めないか、大きすぎます（8 MB、一辺 8192 ピクセルまで）。実行時には表示されません。
      return "\x89\xe6\x91\x9c\x82\xf0\x93\xc7\x82\xdf\x82\xc8\x82\xa2\x82\xa9\x81\x41\x91\xe5\x82\xab\x82\xb7"
             "\x82\xac\x82\xdc\x82\xb7\x81\x69" "8 MB\x81\x41\x88\xea\x95\xd3 8192 \x83\x73\x83\x4e\x83\x5a\x83"
             "\x8b\x82\xdc\x82\xc5\x81\x6a\x81\x42\x8e\xc0\x8d\x73\x8e\x9e\x82\xc9\x82\xcd\x95\x5c\x8e\xa6\x82"
             "\xb3\x82\xea\x82\xdc\x82\xb9\x82\xf1\x81\x42";
    case ProblemKind::OutcomeOnQuestion:
      // 答えのあるメッセージに結果が設定されています。結果は答えのないメッセージでだけ使われます。
      return "\x93\x9a\x82\xa6\x82\xcc\x82\xa0\x82\xe9\x83\x81\x83\x62\x83\x5a\x81\x5b\x83\x57\x82\xc9\x8c\x8b"
             "\x89\xca\x82\xaa\x90\xdd\x92\xe8\x82\xb3\x82\xea\x82\xc4\x82\xa2\x82\xdc\x82\xb7\x81\x42\x8c\x8b\x89\xca"
             "\x82\xcd\x93\x9a\x82\xa6\x82\xcc\x82\xc8\x82\xa2\x83\x81\x83\x62\x83\x5a\x81\x5b\x83\x57\x82\xc5\x82\xbe"
             "\x82\xaf\x8e\x67\x82\xed\x82\xea\x82\xdc\x82\xb7\x81\x42";
    case ProblemKind::LinkOnQuestion:
      // 答えのあるメッセージに続ける先が設定されています。続ける先は答えのないメッセージでだけ使われます。
      return "\x93\x9a\x82\xa6\x82\xcc\x82\xa0\x82\xe9\x83\x81\x83\x62\x83\x5a\x81\x5b\x83\x57\x82\xc9\x91\xb1"
             "\x82\xaf\x82\xe9\x90\xe6\x82\xaa\x90\xdd\x92\xe8\x82\xb3\x82\xea\x82\xc4\x82\xa2\x82\xdc\x82\xb7\x81\x42"
             "\x91\xb1\x82\xaf\x82\xe9\x90\xe6\x82\xcd\x93\x9a\x82\xa6\x82\xcc\x82\xc8\x82\xa2\x83\x81\x83\x62\x83\x5a"
             "\x81\x5b\x83\x57\x82\xc5\x82\xbe\x82\xaf\x8e\x67\x82\xed\x82\xea\x82\xdc\x82\xb7\x81\x42";
    case ProblemKind::NoWayToEnd:
      // ここからはどう答えても終わりに着きません。抜け出せないループです。
      return "\x82\xb1\x82\xb1\x82\xa9\x82\xe7\x82\xcd\x82\xc7\x82\xa4\x93\x9a\x82\xa6\x82\xc4\x82\xe0\x8f\x49"
             "\x82\xed\x82\xe8\x82\xc9\x92\x85\x82\xab\x82\xdc\x82\xb9\x82\xf1\x81\x42\x94\xb2\x82\xaf\x8f\x6f\x82\xb9"
             "\x82\xc8\x82\xa2\x83\x8b\x81\x5b\x83\x76\x82\xc5\x82\xb7\x81\x42";
    case ProblemKind::LinkBackUnsaid:
      // 何も表示せずに、前に答えた質問へ戻ります。戻る前に何をするか（再起動など）を書いてください。
      return "\x89\xbd\x82\xe0\x95\x5c\x8e\xa6\x82\xb9\x82\xb8\x82\xc9\x81\x41\x91\x4f\x82\xc9\x93\x9a\x82\xa6"
             "\x82\xbd\x8e\xbf\x96\xe2\x82\xd6\x96\xdf\x82\xe8\x82\xdc\x82\xb7\x81\x42\x96\xdf\x82\xe9\x91\x4f\x82\xc9"
             "\x89\xbd\x82\xf0\x82\xb7\x82\xe9\x82\xa9\x81\x69\x8d\xc4\x8b\x4e\x93\xae\x82\xc8\x82\xc7\x81\x6a\x82\xf0"
             "\x8f\x91\x82\xa2\x82\xc4\x82\xad\x82\xbe\x82\xb3\x82\xa2\x81\x42";
    case ProblemKind::LinkChain:
      // 続ける先も、メッセージのない続ける先です。最後の行き先を直接指定してください。
      return "\x91\xb1\x82\xaf\x82\xe9\x90\xe6\x82\xe0\x81\x41\x83\x81\x83\x62\x83\x5a\x81\x5b\x83\x57\x82\xcc"
             "\x82\xc8\x82\xa2\x91\xb1\x82\xaf\x82\xe9\x90\xe6\x82\xc5\x82\xb7\x81\x42\x8d\xc5\x8c\xe3\x82\xcc\x8d\x73"
             "\x82\xab\x90\xe6\x82\xf0\x92\xbc\x90\xda\x8e\x77\x92\xe8\x82\xb5\x82\xc4\x82\xad\x82\xbe\x82\xb3\x82\xa2"
             "\x81\x42";
    case ProblemKind::Unreachable:
      // どの答えからもここへは進めません。
      return "\x82\xc7\x82\xcc\x93\x9a\x82\xa6\x82\xa9\x82\xe7\x82\xe0\x82\xb1\x82\xb1\x82\xd6\x82\xcd\x90\x69"
             "\x82\xdf\x82\xdc\x82\xb9\x82\xf1\x81\x42";
  }
  return {};
}

ProblemList CheckProcedure(const DecisionTree& tree, const DocumentState& state) {
  ProblemList problems;
  Checker checker(tree, problems);
  if (TrimBlanksView(state.Title).empty()) checker.AddDocumentProblem(ProblemKind::EmptyTitle);
  std::size_t index = 0;
  tree.ForEachPreOrder([&](const TreeNode& node) { checker.CheckNode(node, index++, state.NewLineMark); });
  return problems;
}

std::vector<std::string_view> NodePathTexts(const TreeNode& node) {
  std::vector<std::string_view> texts;
  for (const TreeNode* at = &node; at != nullptr; at = at->Parent()) texts.push_back(at->Text());
  std::reverse(texts.begin(), texts.end());
  return texts;
}

}  // namespace velmora
