#include "app/ComparisonList.h"

#include <utility>

namespace velmora {
namespace {

// The words of the comparison window (CP932).
// 追加, 削除, 文の変更, 種類の変更, 既定の答えの変更, 移動
constexpr std::string_view kAdded = "\x92\xc7\x89\xc1";
constexpr std::string_view kRemoved = "\x8d\xed\x8f\x9c";
constexpr std::string_view kTextChanged = "\x95\xb6\x82\xcc\x95\xcf\x8d\x58";
constexpr std::string_view kKindChanged = "\x8e\xed\x97\xde\x82\xcc\x95\xcf\x8d\x58";
constexpr std::string_view kDefaultChanged = "\x8a\xf9\x92\xe8\x82\xcc\x93\x9a\x82\xa6\x82\xcc\x95\xcf\x8d\x58";
constexpr std::string_view kMoved = "\x88\xda\x93\xae";
// はい と いいえ の入れ替え
constexpr std::string_view kSwapped =
    "\x82\xcd\x82\xa2\x20\x82\xc6\x20\x82\xa2\x82\xa2\x82\xa6\x20\x82\xcc\x93\xfc\x82\xea\x91\xd6\x82\xa6";
// タイトルの変更, 色の変更, 改行文字の変更
constexpr std::string_view kTitleChanged = "\x83\x5e\x83\x43\x83\x67\x83\x8b\x82\xcc\x95\xcf\x8d\x58";
constexpr std::string_view kColourChanged = "\x90\x46\x82\xcc\x95\xcf\x8d\x58";
constexpr std::string_view kNewLineChanged = "\x89\xfc\x8d\x73\x95\xb6\x8e\x9a\x82\xcc\x95\xcf\x8d\x58";
// （タイトルほか）: the place of the document's own fields
constexpr std::string_view kDocumentPlace = "\x81\x69\x83\x5e\x83\x43\x83\x67\x83\x8b\x82\xd9\x82\xa9\x81\x6a";
// 「 」 → から
constexpr std::string_view kOpenQuote = "\x81\x75";
constexpr std::string_view kCloseQuote = "\x81\x76";
constexpr std::string_view kArrow = " \x81\xa8 ";
constexpr std::string_view kFrom = "\x82\xa9\x82\xe7";
// 緑, 黄, 赤, なし
constexpr std::string_view kColourNames[] = {"\x82\xc8\x82\xb5", "\x97\xce", "\x89\xa9", "\x90\xd4"};
// との違いは見つかりませんでした。, との違い , 件, 、経路: 現れる , 消える , 行き先が変わる
constexpr std::string_view kNoDifference =
    "\x82\xc6\x82\xcc\x88\xe1\x82\xa2\x82\xcd\x8c\xa9\x82\xc2\x82\xa9\x82\xe8\x82\xdc\x82\xb9\x82\xf1"
    "\x82\xc5\x82\xb5\x82\xbd\x81\x42";
constexpr std::string_view kDifferencesWith = "\x82\xc6\x82\xcc\x88\xe1\x82\xa2\x20";
constexpr std::string_view kCount = "\x8c\x8f";
constexpr std::string_view kPathsAppear = "\x81\x41\x8c\x6f\x98\x48\x3a\x20\x8c\xbb\x82\xea\x82\xe9\x20";
constexpr std::string_view kPathsDisappear = "\x8f\xc1\x82\xa6\x82\xe9\x20";
constexpr std::string_view kPathsElsewhere = "\x8d\x73\x82\xab\x90\xe6\x82\xaa\x95\xcf\x82\xed\x82\xe9\x20";
constexpr std::string_view kListSeparator = "\x81\x41";

std::string Quoted(std::string_view text) {
  return std::string(kOpenQuote) + std::string(text) + std::string(kCloseQuote);
}

std::string ColourName(const std::string& digits) {
  const int colour = digits.size() == 1 ? digits[0] - '0' : -1;
  return colour >= 0 && colour <= 3 ? std::string(kColourNames[colour]) : digits;
}

std::string ChangeText(const DiffChange& change) {
  const auto fromTo = [&](std::string_view what, const std::string& before, const std::string& after) {
    return std::string(what) + ": " + before + std::string(kArrow) + after;
  };
  switch (change.kind) {
    case ChangeKind::Added: return std::string(kAdded);
    case ChangeKind::Removed: return std::string(kRemoved);
    case ChangeKind::Text: return fromTo(kTextChanged, Quoted(change.before), Quoted(change.after));
    case ChangeKind::Kind: return fromTo(kKindChanged, change.before, change.after);
    case ChangeKind::Default: return fromTo(kDefaultChanged, change.before, change.after);
    case ChangeKind::Moved: return std::string(kMoved) + ": " + change.before + " " + std::string(kFrom);
    case ChangeKind::Swapped: return std::string(kSwapped);
    // "メモ変更": the field's label and "変更".
    case ChangeKind::Field:
      return fromTo(std::string(DeclaredFields()[change.field].label) + "\x95\xcf\x8d\x58", Quoted(change.before),
                    Quoted(change.after));
    case ChangeKind::Title: return fromTo(kTitleChanged, Quoted(change.before), Quoted(change.after));
    case ChangeKind::Colour: return fromTo(kColourChanged, ColourName(change.before), ColourName(change.after));
    case ChangeKind::NewLine: return fromTo(kNewLineChanged, Quoted(change.before), Quoted(change.after));
  }
  return {};
}

bool IsDocumentField(ChangeKind kind) {
  return kind == ChangeKind::Title || kind == ChangeKind::Colour || kind == ChangeKind::NewLine;
}

}  // namespace

ComparisonReport ComparisonReportOf(const ProcedureDiff& diff, const std::string& fileName) {
  ComparisonReport report;
  for (const DiffChange& change : diff.changes) {
    ComparisonRow row;
    row.nodeId = change.newNode;
    row.place = IsDocumentField(change.kind) ? std::string(kDocumentPlace)
                                             : AnswerPathText(change.path) + " " + Quoted(change.text);
    row.change = ChangeText(change);
    report.rows.push_back(std::move(row));
  }
  if (diff.Same()) {
    report.summary = fileName + " " + std::string(kNoDifference);
    return report;
  }
  report.summary = fileName + " " + std::string(kDifferencesWith) + std::to_string(report.rows.size()) + " " +
                   std::string(kCount) + std::string(kPathsAppear) + std::to_string(diff.pathsAdded.size()) +
                   std::string(kListSeparator) + std::string(kPathsDisappear) + std::to_string(diff.pathsRemoved.size()) +
                   std::string(kListSeparator) + std::string(kPathsElsewhere) + std::to_string(diff.pathsChanged.size());
  return report;
}

void ComparisonList::Open(LoadedDocument base, std::string fileName) {
  base_ = std::make_unique<LoadedDocument>(std::move(base));
  fileName_ = std::move(fileName);
  compared_ = false;
  treeDiff_.reset();
}

void ComparisonList::Close() {
  base_.reset();
  treeDiff_.reset();
  report_.reset();
  compared_ = false;
}

void ComparisonList::Refresh(const DecisionTree& tree, const DocumentState& state, std::uint64_t treeRevision) {
  if (base_ == nullptr) return;
  if (compared_ && treeRevision == treeRevision_ && state.Title == seen_.Title && state.Color == seen_.Color &&
      state.NewLineMark == seen_.NewLineMark) {
    return;
  }
  if (!compared_ || treeRevision != treeRevision_ || treeDiff_ == nullptr) {
    treeDiff_ = std::make_unique<ProcedureDiff>(CompareTrees(base_->tree, tree));
  }
  compared_ = true;
  treeRevision_ = treeRevision;
  seen_.Title = state.Title;
  seen_.Color = state.Color;
  seen_.NewLineMark = state.NewLineMark;
  auto report = std::make_shared<const ComparisonReport>(
      ComparisonReportOf(WithDocumentFields(base_->state, state, *treeDiff_), fileName_));
  if (report_ != nullptr && *report_ == *report) return;
  report_ = std::move(report);
  ++revision_;
}

}  // namespace velmora
