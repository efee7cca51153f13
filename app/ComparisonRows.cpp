// The comparison window's rows in words: one row per change, then one per
// path that appears, disappears or ends elsewhere, each with the whole of it
// for the pane under the list, so that a reviewer reads every difference
// without hovering over a shortened column.
#include <algorithm>
#include <string_view>
#include <utility>
#include <vector>

#include "app/ComparisonList.h"
#include "distribution/PathTable.h"
#include "document/Cp932.h"

namespace velmora {
namespace {

// The words of the comparison window (CP932).
// 追加, 削除, 文の変更, 種類の変更, 既定の答えの変更, 移動, 並び順の変更
constexpr std::string_view kAdded = "\x92\xc7\x89\xc1";
constexpr std::string_view kRemoved = "\x8d\xed\x8f\x9c";
constexpr std::string_view kTextChanged = "\x95\xb6\x82\xcc\x95\xcf\x8d\x58";
constexpr std::string_view kKindChanged = "\x8e\xed\x97\xde\x82\xcc\x95\xcf\x8d\x58";
constexpr std::string_view kDefaultChanged = "\x8a\xf9\x92\xe8\x82\xcc\x93\x9a\x82\xa6\x82\xcc\x95\xcf\x8d\x58";
constexpr std::string_view kMoved = "\x88\xda\x93\xae";
constexpr std::string_view kReordered = "\x95\xc0\x82\xd1\x8f\x87\x82\xcc\x95\xcf\x8d\x58";
// はい と いいえ の入れ替え
constexpr std::string_view kSwapped =
    "\x82\xcd\x82\xa2\x20\x82\xc6\x20\x82\xa2\x82\xa2\x82\xa6\x20\x82\xcc\x93\xfc\x82\xea\x91\xd6\x82\xa6";
// タイトルの変更, 色の変更, 改行文字の変更
constexpr std::string_view kTitleChanged = "\x83\x5e\x83\x43\x83\x67\x83\x8b\x82\xcc\x95\xcf\x8d\x58";
constexpr std::string_view kColourChanged = "\x90\x46\x82\xcc\x95\xcf\x8d\x58";
constexpr std::string_view kNewLineChanged = "\x89\xfc\x8d\x73\x95\xb6\x8e\x9a\x82\xcc\x95\xcf\x8d\x58";
// （タイトルほか）: the place of the document's own fields
constexpr std::string_view kDocumentPlace = "\x81\x69\x83\x5e\x83\x43\x83\x67\x83\x8b\x82\xd9\x82\xa9\x81\x6a";
// 「 」 → 【 】
constexpr std::string_view kOpenQuote = "\x81\x75";
constexpr std::string_view kCloseQuote = "\x81\x76";
constexpr std::string_view kArrow = " \x81\xa8 ";
constexpr std::string_view kOpenMark = "\x81\x79";
constexpr std::string_view kCloseMark = "\x81\x7a";
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
// 旧, 新: the chosen file's side and the open document's, before each place
constexpr std::string_view kOldSide = "\x8b\x8c";
constexpr std::string_view kNewSide = "\x90\x56";
// 開いている文書, 経路, 現れる, 消える, 行き先が変わる
constexpr std::string_view kOpenDocument = "\x8a\x4a\x82\xa2\x82\xc4\x82\xa2\x82\xe9\x95\xb6\x8f\x91";
constexpr std::string_view kPath = "\x8c\x6f\x98\x48";
constexpr std::string_view kAppears = "\x8c\xbb\x82\xea\x82\xe9";
constexpr std::string_view kDisappears = "\x8f\xc1\x82\xa6\x82\xe9";
constexpr std::string_view kEndsElsewhere = "\x8d\x73\x82\xab\x90\xe6\x82\xaa\x95\xcf\x82\xed\x82\xe9";
// 場所, 移動元, 移動先, 変更前, 変更後, （ ）, （【 】は変わった部分です。）
constexpr std::string_view kPlace = "\x8f\xea\x8f\x8a";
constexpr std::string_view kMovedFrom = "\x88\xda\x93\xae\x8c\xb3";
constexpr std::string_view kMovedTo = "\x88\xda\x93\xae\x90\xe6";
constexpr std::string_view kBefore = "\x95\xcf\x8d\x58\x91\x4f";
constexpr std::string_view kAfter = "\x95\xcf\x8d\x58\x8c\xe3";
constexpr std::string_view kOpenParen = "\x81\x69";
constexpr std::string_view kCloseParen = "\x81\x6a";
constexpr std::string_view kMarkNote =
    "\x81\x69\x81\x79 \x81\x7a\x82\xcd\x95\xcf\x82\xed\x82\xc1\x82\xbd\x95\x94\x95\xaa\x82\xc5\x82\xb7\x81\x42\x81\x6a";
constexpr std::string_view kLineBreak = "\r\n";

std::string Quoted(std::string_view text) {
  return std::string(kOpenQuote) + std::string(text) + std::string(kCloseQuote);
}

std::string ColourName(const std::string& digits) {
  const int colour = digits.size() == 1 ? digits[0] - '0' : -1;
  return colour >= 0 && colour <= 3 ? std::string(kColourNames[colour]) : digits;
}

bool IsDocumentField(ChangeKind kind) {
  return kind == ChangeKind::Title || kind == ChangeKind::Colour || kind == ChangeKind::NewLine;
}

// A move whose two places read the same: the node stayed among the same
// answers, only their order changed.
bool IsReorder(const DiffChange& change) { return change.kind == ChangeKind::Moved && change.before == change.after; }

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
    case ChangeKind::Moved:
      if (IsReorder(change)) return std::string(kReordered);
      return std::string(kMoved) + ": " + std::string(kOldSide) + " " + change.before + std::string(kArrow) +
             std::string(kNewSide) + " " + change.after;
    case ChangeKind::Swapped: return std::string(kSwapped);
    // "メモ変更": the field's label and "変更".
    case ChangeKind::Field:
      return fromTo(std::string(DeclaredFields()[change.field].label) + "\x95\xcf\x8d\x58",
                    Quoted(ShownValue(change.field, change.before)), Quoted(ShownValue(change.field, change.after)));
    case ChangeKind::Title: return fromTo(kTitleChanged, Quoted(change.before), Quoted(change.after));
    case ChangeKind::Colour: return fromTo(kColourChanged, ColourName(change.before), ColourName(change.after));
    case ChangeKind::NewLine: return fromTo(kNewLineChanged, Quoted(change.before), Quoted(change.after));
  }
  return {};
}

// The text cut into its characters, so that a mark never splits one.
std::vector<std::string_view> Characters(std::string_view text) {
  std::vector<std::string_view> characters;
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t length = cp932::CharLengthAt(text, at);
    characters.push_back(text.substr(at, length));
    at += length;
  }
  return characters;
}

// Both texts with what differs between them in 【 】: what they share at
// the start and at the end is left bare. A side that only lost (or only
// gained) text shows an empty 【】 where the other side's part stands.
std::pair<std::string, std::string> MarkedTexts(std::string_view before, std::string_view after) {
  const std::vector<std::string_view> a = Characters(before);
  const std::vector<std::string_view> b = Characters(after);
  std::size_t head = 0;
  while (head < a.size() && head < b.size() && a[head] == b[head]) ++head;
  std::size_t tail = 0;
  while (tail < a.size() - head && tail < b.size() - head && a[a.size() - 1 - tail] == b[b.size() - 1 - tail]) ++tail;
  const auto marked = [&](const std::vector<std::string_view>& characters) {
    std::string text;
    for (std::size_t i = 0; i <= characters.size(); ++i) {
      if (i == head) text += kOpenMark;
      if (i == characters.size() - tail) text += kCloseMark;
      if (i < characters.size()) text += characters[i];
    }
    return text;
  };
  return {marked(a), marked(b)};
}

class RowWriter {
 public:
  explicit RowWriter(const std::string& fileName) : fileName_(fileName) {}

  ComparisonRow Change(const DiffChange& change) const {
    ComparisonRow row;
    row.nodeId = change.newNode;
    const bool oldSide = change.kind == ChangeKind::Removed;
    const std::string where = AnswerPathText(change.path) + " " + Quoted(change.text);
    row.place = IsDocumentField(change.kind) ? std::string(kDocumentPlace) : Side(oldSide) + " " + where;
    row.change = ChangeText(change);
    row.detail = IsDocumentField(change.kind) ? std::string(kDocumentPlace) : SideLabel(kPlace, oldSide) + where;
    row.detail += kLineBreak;
    row.detail += Detail(change);
    return row;
  }

  ComparisonRow Path(std::string_view what, const PathEndRow* before, const PathEndRow* after) const {
    const PathEndRow& shown = after != nullptr ? *after : *before;
    ComparisonRow row;
    row.nodeId = after != nullptr ? after->end : kNoNodeToSelect;
    row.place = std::string(kPath) + " " + AnswerPathText(shown.answers);
    row.change = std::string(what) + ": " + (before != nullptr && after != nullptr
                                                 ? End(*before) + std::string(kArrow) + End(*after)
                                                 : End(shown));
    row.detail = std::string(kPath) + ": " + AnswerPathText(shown.answers) + std::string(kLineBreak);
    if (before != nullptr) row.detail += SideLabel(kBefore, true) + End(*before);
    if (before != nullptr && after != nullptr) row.detail += kLineBreak;
    if (after != nullptr) row.detail += SideLabel(kAfter, false) + End(*after);
    return row;
  }

 private:
  std::string Detail(const DiffChange& change) const {
    switch (change.kind) {
      case ChangeKind::Added: return std::string(kAdded);
      case ChangeKind::Removed: return std::string(kRemoved);
      case ChangeKind::Text:
      case ChangeKind::Field:
      case ChangeKind::Title:
      case ChangeKind::NewLine: return MarkedDetail(change);
      case ChangeKind::Kind:
      case ChangeKind::Default: return BeforeAfter(change.before, change.after);
      case ChangeKind::Colour: return BeforeAfter(ColourName(change.before), ColourName(change.after));
      case ChangeKind::Moved:
        return SideLabel(kMovedFrom, true) + change.before + std::string(kLineBreak) + SideLabel(kMovedTo, false) +
               change.after;
      case ChangeKind::Swapped: {
        // The answers' texts: Yes was `before`'s, now `after`'s.
        const std::string yes(PathAnswerText(PathAnswer::Yes));
        const std::string no(PathAnswerText(PathAnswer::No));
        return BeforeAfter(yes + " " + Quoted(change.before) + std::string(kListSeparator) + no + " " + Quoted(change.after),
                           yes + " " + Quoted(change.after) + std::string(kListSeparator) + no + " " + Quoted(change.before));
      }
    }
    return {};
  }

  std::string MarkedDetail(const DiffChange& change) const {
    // A choice or a picture is shown by its word or what it is, whole.
    if (change.kind == ChangeKind::Field && (DeclaredFields()[change.field].picture ||
                                             !DeclaredFields()[change.field].choices.empty())) {
      return BeforeAfter(ShownValue(change.field, change.before), ShownValue(change.field, change.after));
    }
    const auto [before, after] = MarkedTexts(change.before, change.after);
    return BeforeAfter(Quoted(before), Quoted(after)) + std::string(kLineBreak) + std::string(kMarkNote);
  }

  static std::string BeforeAfter(const std::string& before, const std::string& after) {
    return std::string(kBefore) + ": " + before + std::string(kLineBreak) + std::string(kAfter) + ": " + after;
  }

  // "場所（旧 = v1.tre）: ", "移動先（新 = 開いている文書）: ": which file a
  // place or a text is read in.
  std::string SideLabel(std::string_view name, bool oldSide) const {
    return std::string(name) + std::string(kOpenParen) + Side(oldSide) + " = " +
           (oldSide ? fileName_ : std::string(kOpenDocument)) + std::string(kCloseParen) + ": ";
  }

  static std::string Side(bool oldSide) { return std::string(oldSide ? kOldSide : kNewSide); }
  static std::string End(const PathEndRow& row) { return row.kind + " " + Quoted(row.message); }

  const std::string& fileName_;
};

}  // namespace

ComparisonReport ComparisonReportOf(const ProcedureDiff& diff, const std::string& fileName) {
  ComparisonReport report;
  const RowWriter writer(fileName);
  for (const DiffChange& change : diff.changes) report.rows.push_back(writer.Change(change));
  for (const PathEndRow& path : diff.pathsAdded) report.rows.push_back(writer.Path(kAppears, nullptr, &path));
  for (const PathEndRow& path : diff.pathsRemoved) report.rows.push_back(writer.Path(kDisappears, &path, nullptr));
  for (const PathEndChange& path : diff.pathsChanged) {
    report.rows.push_back(writer.Path(kEndsElsewhere, &path.before, &path.after));
  }
  if (diff.Same()) {
    report.summary = fileName + " " + std::string(kNoDifference);
    return report;
  }
  report.summary = fileName + " " + std::string(kDifferencesWith) + std::to_string(diff.changes.size()) + " " +
                   std::string(kCount) + std::string(kPathsAppear) + std::to_string(diff.pathsAdded.size()) +
                   std::string(kListSeparator) + std::string(kPathsDisappear) + std::to_string(diff.pathsRemoved.size()) +
                   std::string(kListSeparator) + std::string(kPathsElsewhere) + std::to_string(diff.pathsChanged.size());
  return report;
}

}  // namespace velmora
