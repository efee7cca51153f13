#include "distribution/ProcedureBook.h"

#include <algorithm>
#include <cstdint>
#include <ctime>
#include <vector>

#include "distribution/DiagramNodes.h"
#include "distribution/KindStyle.h"
#include "distribution/MarkupEscape.h"
#include "distribution/PathTable.h"
#include "distribution/StepPictures.h"
#include "document/KindNames.h"
#include "document/TextRules.h"
#include "files/FieldSection.h"

namespace velmora {
namespace {

// No step; steps are counted in 32 bits, as the shown nodes are.
constexpr std::uint32_t kNone = ~std::uint32_t{0};

// The book's own texts in CP932.
// 手順書 (the heading of a procedure without a title)
constexpr std::string_view kUntitled = "\x8e\xe8\x8f\x87\x8f\x91";
// 作成日：
constexpr std::string_view kDateLabel = "\x8d\xec\x90\xac\x93\xfa\x81\x46";
// 1 から始めて、答えに書かれた番号へ進んでください。
constexpr std::string_view kHowToRead =
    "\x31\x20\x82\xa9\x82\xe7\x8e\x6e\x82\xdf\x82\xc4\x81\x41\x93\x9a\x82\xa6\x82\xc9\x8f\x91\x82\xa9\x82\xea\x82\xbd"
    "\x94\xd4\x8d\x86\x82\xd6\x90\x69\x82\xf1\x82\xc5\x82\xad\x82\xbe\x82\xb3\x82\xa2\x81\x42";
// → and へ, around a step number
constexpr std::string_view kArrow = "\x81\xa8";
constexpr std::string_view kGoTo = "\x82\xd6";
// へ進む, after the step number a link goes on at
constexpr std::string_view kGoOn = "\x82\xd6\x90\x69\x82\xde";
// 終わりの一覧, 番号, 種類, メッセージ
constexpr std::string_view kEndsHeading = "\x8f\x49\x82\xed\x82\xe8\x82\xcc\x88\xea\x97\x97";
constexpr std::string_view kNumberHeading = "\x94\xd4\x8d\x86";
constexpr std::string_view kKindHeading = "\x8e\xed\x97\xde";
constexpr std::string_view kMessageHeading = "\x83\x81\x83\x62\x83\x5a\x81\x5b\x83\x57";
// 年, 月, 日
constexpr std::string_view kYear = "\x94\x4e";
constexpr std::string_view kMonth = "\x8c\x8e";
constexpr std::string_view kDay = "\x93\xfa";

// A4 with room to punch and file; a step is never split, numbers stand out,
// and each printed page says its number at the foot.
constexpr std::string_view kStyle =
    "@page{size:A4;margin:16mm 15mm 18mm 20mm;@bottom-center{content:counter(page) \" / \" counter(pages);"
    "font-size:9pt}}\n"
    "body{font-family:\"Yu Gothic\",\"Meiryo\",\"IPAGothic\",\"Noto Sans CJK JP\",sans-serif;line-height:1.6;"
    "max-width:46em;margin:1em auto;padding:0 1em;color:#000;background:#fff}\n"
    "h1{font-size:20pt;margin:0 0 .2em}.date,.how{margin:0 0 .6em}\n"
    ".step{break-inside:avoid;page-break-inside:avoid;display:flex;gap:.8em;border-top:1px solid #888;padding:.6em 0}\n"
    ".number{flex:0 0 2.6em;font-size:18pt;font-weight:bold;text-align:right}\n"
    ".body{flex:1}.message{margin:0 0 .3em;white-space:pre-wrap}\n"
    ".answers{margin:0;font-weight:bold}.end{margin:0;font-weight:bold}\n"
    ".icon{width:1.2em;height:1.2em;vertical-align:-.2em;margin-right:.3em}\n"
    "table{border-collapse:collapse;width:100%;break-before:page;page-break-before:always}\n"
    "caption{font-size:14pt;font-weight:bold;text-align:left;margin-bottom:.4em}\n"
    "th,td{border:1px solid #888;padding:.2em .4em;text-align:left;vertical-align:top}\n"
    "tr{break-inside:avoid}td.message{white-space:pre-wrap}\n"
    "a{color:inherit}@media print{a{text-decoration:none}}\n";

// A step of the book: a node a run can reach, and the steps its answers
// lead to.
struct BookStep {
  ShownIndex node = 0;
  std::uint32_t yes = kNone;
  std::uint32_t no = kNone;
  std::uint32_t link = kNone;  // where an end with a link goes on
};

// Every step a run can reach, numbered in the order a reader expects (Yes
// before No, a link's target after the end it comes from),
// without recursion; step i is printed as number i + 1. A node that two
// paths reach (by a link) is printed once, and both lead to its number.
std::vector<BookStep> NumberedSteps(const std::vector<ShownNode>& nodes, const std::vector<ShownIndex>& links) {
  const std::vector<ShownIndex> noTargets = NoTargetsOf(nodes);
  std::vector<BookStep> steps;
  if (nodes.empty()) return steps;
  // A procedure of a million nodes must not grow this list again and again.
  steps.reserve(nodes.size());
  std::vector<std::uint32_t> numberOf(links.empty() ? 0 : nodes.size(), kNone);
  enum class Slot : std::uint8_t { Yes, No, Link };
  struct Pending {
    ShownIndex node;
    std::uint32_t from;
    Slot slot;
  };
  std::vector<Pending> pending{{0, kNone, Slot::Yes}};
  while (!pending.empty()) {
    const Pending next = pending.back();
    pending.pop_back();
    const bool numbered = !numberOf.empty() && numberOf[next.node] != kNone;
    const auto number = numbered ? numberOf[next.node] : static_cast<std::uint32_t>(steps.size());
    if (next.from != kNone) {
      BookStep& from = steps[next.from];
      (next.slot == Slot::Yes ? from.yes : next.slot == Slot::No ? from.no : from.link) = number;
    }
    if (numbered) continue;
    steps.push_back({next.node});
    if (!numberOf.empty()) numberOf[next.node] = number;
    const ShownIndex yes = YesTarget(nodes, next.node);
    if (yes == kNoShownNode) {
      const ShownIndex link = LinkTargetOf(links, next.node);
      if (link != kNoShownNode) pending.push_back({link, number, Slot::Link});
      continue;
    }
    if (noTargets[next.node] == yes) {
      // One answer: both buttons lead there, and it is numbered once.
      pending.push_back({yes, number, Slot::Yes});
      continue;
    }
    pending.push_back({noTargets[next.node], number, Slot::No});
    pending.push_back({yes, number, Slot::Yes});
  }
  return steps;
}

// A step's number as the reader sees it, counted from 1.
void AppendNumber(SinkBuffer& out, std::size_t step) { AppendDecimal(out, static_cast<long long>(step) + 1); }

void AppendNumberLink(SinkBuffer& out, std::size_t step) {
  out += "<a href=\"#s";
  AppendNumber(out, step);
  out += "\">";
  AppendNumber(out, step);
  out += "</a>";
}

// The words every step repeats, as markup made once: a book of a million
// steps would otherwise convert them a million times.
struct BookWords {
  std::string yes, no, either;  // an answer's label with the arrow after it
  std::string goTo;             // what follows the step number
  std::string link, goOn;       // "→ " and " へ進む", around a link's step number
  std::string kinds[Inhibit - Unset + 1];

  BookWords() {
    yes = AnswerLead(kYesLabel);
    no = AnswerLead(kNoLabel);
    either = AnswerLead(PathAnswerText(PathAnswer::Either));
    goTo = " " + MarkupCp932(kGoTo);
    link = MarkupCp932(kArrow) + ' ';
    goOn = " " + MarkupCp932(kGoOn);
    for (int kind = Unset; kind <= Inhibit; ++kind) kinds[kind - Unset] = MarkupCp932(KindName(kind));
  }
  const std::string& Kind(int kind) const { return kinds[(kind >= Unset && kind <= Inhibit ? kind : Unset) - Unset]; }

 private:
  static std::string AnswerLead(std::string_view label) { return MarkupCp932(label) + ' ' + MarkupCp932(kArrow) + ' '; }
};

void AppendAnswer(SinkBuffer& out, const std::string& lead, std::size_t step, const BookWords& words) {
  out += lead;
  AppendNumberLink(out, step);
  out += words.goTo;
}

void AppendIcon(SinkBuffer& out, int kind) {
  const KindStyle style = StyleOfKind(DialogKindOf(kind));
  out += "<svg class=\"icon\" viewBox=\"0 0 20 20\" aria-hidden=\"true\"><use href=\"#";
  out += style.iconId;
  out += "\"/></svg>";
}

// The notes of a book printed with them, by the node's position.
struct BookNotes {
  const FieldTable* table = nullptr;
  std::string_view newLineMark;

  std::string_view Of(std::size_t position) const {
    if (table == nullptr) return {};
    const auto at = std::lower_bound(table->begin(), table->end(), position,
                                     [](const PositionedFields& entry, std::size_t p) { return entry.position < p; });
    if (at == table->end() || at->position != position) return {};
    static const FieldIndex note = *FieldNamed("note");
    return at->fields.Get(note);
  }
};

// "作成者メモ: "
constexpr std::string_view kNoteLabel = "\x8d\xec\x90\xac\x8e\xd2\x83\x81\x83\x82\x3a\x20";

// The picture as the page's own data, scaled down to the column and to a
// part of an A4 page, never up; its alt text names it.
void AppendPicture(SinkBuffer& out, const StepPicture& picture) {
  out += "<img class=\"picture\" style=\"display:block;max-width:100%;max-height:110mm;margin:0 0 .5em\" src=\"data:";
  out += PictureMimeType(picture.format);
  out += ";base64,";
  out += picture.base64;
  out += "\" alt=\"";
  AppendMarkupCp932(out, picture.alt);
  out += "\">";
}

void AppendStep(SinkBuffer& out, const std::vector<ShownNode>& nodes, const std::vector<BookStep>& steps,
                std::size_t index, const BookWords& words, const BookNotes& notes, const StepPictures& pictures) {
  const BookStep& step = steps[index];
  const ShownNode& node = nodes[step.node];
  out += "<section class=\"step\" id=\"s";
  AppendNumber(out, index);
  out += "\"><div class=\"number\">";
  AppendNumber(out, index);
  out += "</div><div class=\"body\">";
  if (const std::optional<StepPicture> picture = pictures.At(step.node)) AppendPicture(out, *picture);
  out += "<p class=\"message\">";
  AppendMarkupCp932(out, node.message);
  out += "</p>";
  const std::string_view note = notes.Of(step.node);
  if (!note.empty()) {
    // Its own style, inline: the book's style sheet stays what it was.
    out += "<p class=\"note\" style=\"white-space:pre-wrap;font-style:italic\">";
    AppendMarkupCp932(out, kNoteLabel);
    AppendMarkupCp932(out, ExpandNewLines(note, notes.newLineMark));
    out += "</p>";
  }
  if (step.yes == kNone && step.link != kNone) {
    // An end that goes on: "→ 12 へ進む" in place of the end's kind.
    out += "<p class=\"answers\">";
    out += words.link;
    AppendNumberLink(out, step.link);
    out += words.goOn;
    out += "</p>";
  } else if (step.yes == kNone) {
    out += "<p class=\"end\">";
    AppendIcon(out, node.kind);
    out += words.Kind(node.kind);
    out += "</p>";
    if (node.outcome != Outcome::None) {
      out += "<p class=\"outcome\">";
      AppendMarkupCp932(out, kOutcomeLead);
      AppendMarkupCp932(out, OutcomeLabel(node.outcome));
      out += "</p>";
    }
  } else if (step.no == kNone) {
    out += "<p class=\"answers\">";
    AppendAnswer(out, words.either, step.yes, words);
    out += "</p>";
  } else {
    out += "<p class=\"answers\">";
    AppendAnswer(out, words.yes, step.yes, words);
    out += " / ";
    AppendAnswer(out, words.no, step.no, words);
    out += "</p>";
  }
  out += "</div></section>\n";
}

void AppendEndsTable(SinkBuffer& out, const std::vector<ShownNode>& nodes, const std::vector<BookStep>& steps,
                     const BookWords& words) {
  out += "<table>\n<caption>";
  AppendMarkupCp932(out, kEndsHeading);
  out += "</caption>\n<thead><tr><th scope=\"col\">";
  AppendMarkupCp932(out, kNumberHeading);
  out += "</th><th scope=\"col\">";
  AppendMarkupCp932(out, kKindHeading);
  out += "</th><th scope=\"col\">";
  AppendMarkupCp932(out, kMessageHeading);
  out += "</th></tr></thead>\n<tbody>\n";
  for (std::size_t i = 0; i < steps.size(); ++i) {
    // An end with a link is no end of the procedure.
    if (steps[i].yes != kNone || steps[i].link != kNone) continue;
    const ShownNode& node = nodes[steps[i].node];
    out += "<tr><td>";
    AppendNumberLink(out, i);
    out += "</td><td>";
    out += words.Kind(node.kind);
    out += "</td><td class=\"message\">";
    AppendMarkupCp932(out, node.message);
    out += "</td></tr>\n";
  }
  out += "</tbody>\n</table>\n";
}

}  // namespace

void WriteProcedureBook(const DecisionTree& tree, const DocumentState& state, std::string_view date, ByteSink& sink) {
  const FieldTable fields = FieldTableOf(tree);
  WriteProcedureBook(ShownNodesOf(tree, state), state, date, sink, &fields);
}

void WriteProcedureBook(const ShownNodes& shown, const DocumentState& state, std::string_view date, ByteSink& sink,
                        const FieldTable* fields, bool notes) {
  const StepPictures pictures(fields);
  const std::vector<ShownNode>& nodes = shown.nodes;
  const std::vector<BookStep> steps = NumberedSteps(nodes, LinkTargetsOf(nodes, fields));
  const std::string_view title = TrimBlanksView(state.Title).empty() ? kUntitled : TrimBlanksView(state.Title);
  SinkBuffer out(sink);
  out += "<!DOCTYPE html>\n<html lang=\"ja\">\n<head>\n<meta charset=\"utf-8\">\n"
      "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
      // Nothing may be fetched: the book is the whole procedure.
      "<meta http-equiv=\"Content-Security-Policy\" content=\"default-src 'none'; style-src 'unsafe-inline'";
  // The pictures are the page's own data.
  if (pictures.Any()) out += "; img-src data:";
  out += "\">\n<title>";
  AppendMarkupCp932(out, title);
  out += "</title>\n<style>";
  out += kStyle;
  out += "</style>\n</head>\n<body>\n<svg width=\"0\" height=\"0\" style=\"position:absolute\" aria-hidden=\"true\"><defs>";
  out += KindIconSymbols();
  out += "</defs></svg>\n<header>\n<h1>";
  AppendMarkupCp932(out, title);
  out += "</h1>\n<p class=\"date\">";
  AppendMarkupCp932(out, kDateLabel);
  AppendMarkupCp932(out, date);
  out += "</p>\n<p class=\"how\">";
  AppendMarkupCp932(out, kHowToRead);
  out += "</p>\n</header>\n<main>\n";
  const BookWords words;
  for (std::size_t i = 0; i < steps.size(); ++i) {
    AppendStep(out, nodes, steps, i, words, BookNotes{notes ? fields : nullptr, state.NewLineMark}, pictures);
  }
  out += "</main>\n";
  AppendEndsTable(out, nodes, steps, words);
  out += "</body>\n</html>\n";
  out.Flush();
}

std::string BookDateText() {
  const std::time_t now = std::time(nullptr);
  const std::tm* local = std::localtime(&now);
  if (local == nullptr) return {};
  return std::to_string(local->tm_year + 1900) + std::string(kYear) + std::to_string(local->tm_mon + 1) +
         std::string(kMonth) + std::to_string(local->tm_mday) + std::string(kDay);
}

}  // namespace velmora
