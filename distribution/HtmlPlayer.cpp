#include "distribution/HtmlPlayer.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "distribution/DiagramNodes.h"
#include "distribution/HtmlPlayerPage.h"
#include "distribution/KindStyle.h"
#include "distribution/MarkupEscape.h"
#include "distribution/PreviewRun.h"
#include "distribution/StepPictures.h"
#include "document/Utf8Text.h"
#include "document/KindNames.h"
#include "document/TextRules.h"
#include "files/FieldSection.h"

namespace velmora {
namespace {

// The page's own texts in CP932.
// 経路をコピー
constexpr std::string_view kCopyPathButton = "\x8C\x6F\x98\x48\x82\xF0\x83\x52\x83\x73\x81\x5B";
// もう一度
constexpr std::string_view kAgainCaption = "\x82\xE0\x82\xA4\x88\xEA\x93\x78";
// コピーしました。
constexpr std::string_view kCopiedStatus = "\x83\x52\x83\x73\x81\x5B\x82\xB5\x82\xDC\x82\xB5\x82\xBD\x81\x42";
// コピーできませんでした。テキストを選んでコピーしてください。
constexpr std::string_view kCopyFailedStatus =
    "\x83\x52\x83\x73\x81\x5B\x82\xC5\x82\xAB\x82\xDC\x82\xB9\x82\xF1\x82\xC5\x82\xB5\x82\xBD\x81\x42\x83\x65\x83\x4C"
    "\x83\x58\x83\x67\x82\xF0\x91\x49\x82\xF1\x82\xC5\x83\x52\x83\x73\x81\x5B\x82\xB5\x82\xC4\x82\xAD\x82\xBE\x82\xB3"
    "\x82\xA2\x81\x42";

// 進み具合: the progress bar's name
constexpr std::string_view kProgressName = "\x90\x69\x82\xdd\x8b\xef\x8d\x87";

// One step as the script reads it: [message, icon, noDefault, yes, no,
// parent, completed, total], indices into the list of steps, -1 for none.
// In 32 bits (a tree file cannot hold two thousand million lines): the list
// of a large procedure is half the size. Where an end with a link goes on
// stands apart ("links"), so a procedure without links reads as before.
struct Step {
  std::uint32_t node = 0;  // in the shown-node list
  std::int32_t yes = -1, no = -1, parent = -1, link = -1;
};

// The steps a run from the root can reach, root first, by Yes and No and by
// links: a middle answer, and any top-level node but the root that no link
// leads to, never shows. A node two paths reach is one step.
std::vector<Step> ReachableSteps(const std::vector<ShownNode>& nodes, const std::vector<ShownIndex>& links) {
  const std::vector<ShownIndex> noTargets = NoTargetsOf(nodes);
  std::vector<Step> steps;
  if (nodes.empty()) return steps;
  // At most one step per node: one allocation instead of a doubling list.
  steps.reserve(nodes.size());
  std::vector<std::int32_t> stepOf(links.empty() ? 0 : nodes.size(), -1);
  // The step of `node`, made where the run first comes to it.
  const auto stepFor = [&](ShownIndex node, std::int32_t parent) {
    if (!stepOf.empty() && stepOf[node] >= 0) {
      if (parent >= 0) steps[static_cast<std::size_t>(stepOf[node])].parent = parent;
      return stepOf[node];
    }
    steps.push_back({node, -1, -1, parent, -1});
    const auto step = static_cast<std::int32_t>(steps.size() - 1);
    if (!stepOf.empty()) stepOf[node] = step;
    return step;
  };
  stepFor(0, -1);
  for (std::size_t at = 0; at < steps.size(); ++at) {
    const ShownIndex node = steps[at].node;
    const auto self = static_cast<std::int32_t>(at);
    const ShownIndex yes = YesTarget(nodes, node);
    if (yes == kNoShownNode) {
      const ShownIndex link = LinkTargetOf(links, node);
      if (link != kNoShownNode) {
        const std::int32_t target = stepFor(link, -1);
        steps[at].link = target;
      }
      continue;
    }
    const std::int32_t yesStep = stepFor(yes, self);
    steps[at].yes = yesStep;
    if (noTargets[node] == yes) {
      steps[at].no = steps[at].yes;  // one answer: Yes and No both lead to it
      continue;
    }
    const std::int32_t noStep = stepFor(noTargets[node], self);
    steps[at].no = noStep;
  }
  return steps;
}

// The deepest level below each node, every child counted (the middle ones
// too), as the preview's progress counts it.
std::vector<int> DeepestLevels(const std::vector<ShownNode>& nodes) {
  std::vector<int> deepest(nodes.size());
  for (std::size_t i = 0; i < nodes.size(); ++i) deepest[i] = nodes[i].level;
  for (std::size_t i = nodes.size(); i-- > 0;) {
    if (nodes[i].parent != kNoShownNode) deepest[nodes[i].parent] = std::max(deepest[nodes[i].parent], deepest[i]);
  }
  return deepest;
}

void AppendScriptText(SinkBuffer& out, std::string_view cp932) { AppendScriptString(out, Cp932ToUtf8Text(cp932)); }

// A message's CR LF line breaks as the browser's own "\n". `scratch` is
// reused from step to step: no allocation per message.
void AppendScriptMessage(SinkBuffer& out, std::string_view cp932, std::string& scratch) {
  scratch.clear();
  AppendCp932AsUtf8(scratch, cp932);
  scratch.erase(std::remove(scratch.begin(), scratch.end(), '\r'), scratch.end());
  AppendScriptString(out, scratch);
}

void AppendTexts(SinkBuffer& out) {
  const StepButtonRow question = StepButtons(true, false);
  const StepButtonRow leafAtTop = StepButtons(false, true);
  const std::pair<const char*, std::string_view> texts[] = {
      {"yes", question[0].caption},      {"no", question[1].caption},      {"back", question[2].caption},
      {"ok", leafAtTop[0].caption},      {"finish", leafAtTop[1].caption}, {"yesAnswer", kYesLabel},
      {"noAnswer", kNoLabel},            {"copied", kCopiedStatus},        {"copyFailed", kCopyFailedStatus},
  };
  out += "\"texts\":{";
  for (const auto& [name, value] : texts) {
    if (&value != &texts[0].second) out += ',';
    out += '"';
    out += name;
    out += "\":";
    AppendScriptText(out, value);
  }
  // The kinds in words, by the icon's index: what the icon tells a reader.
  out += ",\"kinds\":[";
  for (int kind = Question; kind <= Inhibit; ++kind) {
    if (kind != Question) out += ',';
    AppendScriptText(out, KindName(kind));
  }
  out += "]}";
}

void AppendSteps(SinkBuffer& out, const std::vector<ShownNode>& nodes, const StepPictures& pictures,
                 const std::vector<ShownIndex>& links) {
  const std::vector<Step> steps = ReachableSteps(nodes, links);
  const std::vector<int> deepest = DeepestLevels(nodes);
  out += "\"nodes\":[";
  std::string scratch;
  for (const Step& step : steps) {
    const ShownNode& node = nodes[step.node];
    if (&step != &steps.front()) out += ",\n";
    out += '[';
    if (node.outcome == Outcome::None || node.question) {
      AppendScriptMessage(out, node.message, scratch);
    } else {
      // An end says how the procedure ended, as the step dialog does.
      AppendScriptMessage(out, std::string(node.message) + "\r\n\r\n" + std::string(kOutcomeLead) +
                                   std::string(OutcomeLabel(node.outcome)), scratch);
    }
    const long long values[] = {DialogKindOf(node.kind), node.noDefault ? 1 : 0, step.yes, step.no, step.parent,
                                static_cast<long long>(node.level) + 1, static_cast<long long>(deepest[step.node]) + 1};
    for (const long long value : values) {
      out += ',';
      AppendDecimal(out, value);
    }
    if (const std::optional<StepPicture> picture = pictures.At(step.node)) {
      out += ',';
      AppendScriptText(out, "data:" + std::string(PictureMimeType(picture->format)) + ";base64," +
                                std::string(picture->base64));
      out += ',';
      AppendScriptText(out, picture->alt);
    }
    out += ']';
  }
  out += ']';
  if (links.empty()) return;
  // Where each end with a link goes on: {"step": step}.
  out += ",\n\"links\":{";
  bool first = true;
  for (std::size_t i = 0; i < steps.size(); ++i) {
    if (steps[i].link < 0) continue;
    if (!first) out += ',';
    first = false;
    out += '"';
    AppendDecimal(out, static_cast<long long>(i));
    out += "\":";
    AppendDecimal(out, steps[i].link);
  }
  out += '}';
}

// Appends the procedure's data to `out`.
void WriteProcedureData(SinkBuffer& out, const std::vector<ShownNode>& nodes, const DocumentState& state,
                        std::string_view caption, const StepPictures& pictures, const std::vector<ShownIndex>& links) {
  out += "{\"title\":";
  AppendScriptText(out, caption);
  // The bar shows only for the three colours, as the taskbar's does.
  const int colour = state.Color >= 1 && state.Color <= 3 ? state.Color : 0;
  out += ",\"colour\":" + std::to_string(colour) + ',';
  AppendTexts(out);
  out += ",\n";
  AppendSteps(out, nodes, pictures, links);
  out += '}';
}

}  // namespace

void WriteHtmlPlayer(const DecisionTree& tree, const DocumentState& state, ByteSink& sink) {
  const FieldTable fields = FieldTableOf(tree);
  WriteHtmlPlayer(ShownNodesOf(tree, state), state, sink, &fields);
}

void WriteHtmlPlayer(const ShownNodes& shown, const DocumentState& state, ByteSink& sink, const FieldTable* fields) {
  const std::vector<ShownNode>& nodes = shown.nodes;
  const StepPictures pictures(fields);
  const std::string_view caption = TrimBlanksView(state.Title);
  SinkBuffer out(sink);
  out += "<!DOCTYPE html>\n<html lang=\"ja\">\n<head>\n<meta charset=\"utf-8\">\n"
      "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
      // Nothing may be fetched: the page is the whole procedure.
      "<meta http-equiv=\"Content-Security-Policy\" content=\"default-src 'none'; style-src 'unsafe-inline'; "
      "script-src 'unsafe-inline'";
  // The pictures are the page's own data.
  if (pictures.Any()) out += "; img-src data:";
  out += "\">\n<title>";
  AppendMarkupCp932(out, caption);
  out += "</title>\n<style>";
  out += HtmlPlayerStyle();
  out += "</style>\n</head>\n<body>\n<svg width=\"0\" height=\"0\" style=\"position:absolute\" aria-hidden=\"true\"><defs>";
  out += KindIconSymbols();
  out += "</defs></svg>\n<main class=\"card\">\n<h1 class=\"caption\" id=\"caption\">";
  AppendMarkupCp932(out, caption);
  out += "</h1>\n<div id=\"run\">\n"
         "<div class=\"progress\" id=\"progress\" role=\"progressbar\" aria-label=\"";
  AppendMarkupCp932(out, kProgressName);
  // Each step's kind and message sit in a live region: a screen reader reads
  // them out as a new step appears, while the focus goes to its default
  // button as in the dialogs.
  out += "\" aria-valuemin=\"0\" aria-valuemax=\"100\"><div class=\"bar\" id=\"bar\"></div></div>\n";
  if (pictures.Any()) {
    out += "<img id=\"picture\" hidden alt=\"\" style=\"max-width:100%;height:auto\">";
  }
  out += "<div class=\"step\" aria-live=\"polite\" aria-atomic=\"true\"><svg class=\"icon\" viewBox=\"0 0 20 20\" "
         "aria-hidden=\"true\"><use id=\"icon\"/></svg><span class=\"kind\" id=\"kind\"></span>"
         "<p class=\"message\" id=\"message\"></p></div>\n"
         "<div class=\"buttons\" id=\"buttons\"></div>\n</div>\n"
         "<div id=\"end\" hidden>\n<ol class=\"path\" id=\"path\"></ol>\n<div class=\"buttons\">"
         "<button type=\"button\" id=\"copy\">";
  AppendMarkupCp932(out, kCopyPathButton);
  out += "</button><button type=\"button\" id=\"again\">";
  AppendMarkupCp932(out, kAgainCaption);
  out += "</button></div>\n<p class=\"status\" id=\"status\" role=\"status\"></p>\n</div>\n</main>\n"
         "<script type=\"application/json\" id=\"procedure\">";
  WriteProcedureData(out, nodes, state, caption, pictures, LinkTargetsOf(nodes, fields));
  out += "</script>\n<script>";
  out += HtmlPlayerScript();
  out += "</script>\n</body>\n</html>\n";
  out.Flush();
}

void ExportHtmlPlayer(FileSystemPort& files, const FilePath& path, const DecisionTree& tree,
                      const DocumentState& state) {
  files.StreamFileAtomically(path, [&](ByteSink& sink) { WriteHtmlPlayer(tree, state, sink); });
}

}  // namespace velmora
