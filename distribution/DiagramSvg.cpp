#include "distribution/DiagramSvg.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "distribution/DiagramNodes.h"
#include "distribution/KindStyle.h"
#include "distribution/MarkupEscape.h"
#include "distribution/StepPictures.h"
#include "distribution/TextMeasure.h"
#include "distribution/TidyTreeLayout.h"
#include "document/TextRules.h"
#include "files/FieldSection.h"

namespace velmora {
namespace {

// Geometry in CSS pixels. The font size makes one half-em column 7 pixels.
constexpr double kFontSize = 14;
constexpr double kColumnWidth = kFontSize / 2;
constexpr double kLineHeight = 20;
constexpr double kBaseline = 15;  // from a line's top to its baseline (IPAGothic ascent 0.88 em)
constexpr double kPaddingX = 10;
constexpr double kPaddingY = 8;
constexpr double kIconSize = 20;
// The room a picture takes in its box with --pictures, under the text: it
// is scaled down into it, keeping its proportions.
constexpr double kThumbnailWidth = 160;
constexpr double kThumbnailHeight = 90;
constexpr double kIconGap = 6;
constexpr double kMinTextColumns = 2;
constexpr double kMargin = 16;
constexpr double kCaptionHeight = 36;
constexpr double kSiblingGap = 24;
// The edge labels sit in the gap between levels, so it must hold one: under
// the bend when the tree grows downwards, along the last leg (bent just past
// the widest parent) when it grows to the right.
constexpr double kLevelGapDown = 56;
constexpr double kLevelGapRight = 110;
constexpr double kLegRight = 100;

// A number with at most one decimal, the same on every platform; a diagram
// of a million boxes holds ten million of them.
void AppendNumber(SinkBuffer& out, double value) {
  // Rounded half away from zero by hand: a call to llround would pull the
  // library's copy into every program linked with the core, the player stub
  // included, even where nothing draws a diagram.
  const auto tenths = static_cast<long long>(value * 10 + (value < 0 ? -0.5 : 0.5));
  const unsigned long long size = tenths < 0 ? 0ULL - static_cast<unsigned long long>(tenths)
                                             : static_cast<unsigned long long>(tenths);
  char* at = out.Reserve(24);  // a sign, 20 digits, the point and the tenth
  if (tenths < 0) *at++ = '-';
  at = WriteDecimalDigits(at, size / 10);
  if (size % 10 != 0) {
    *at++ = '.';
    *at++ = static_cast<char>('0' + size % 10);
  }
  out.Commit(at);
}

void AppendAttribute(SinkBuffer& out, std::string_view name, double value) {
  out += ' ';
  out += name;
  out += "=\"";
  AppendNumber(out, value);
  out += '"';
}

constexpr double kLabelColumnWidth = 6;  // the labels' 12 px font
constexpr double kLabelOffset = 5;       // from the line the label stands beside

// The label of an edge that leads to a node by `role`: its answer, and
// "（既定）" after the default one. A middle answer has no button that
// leads to it.
std::string LabelOf(AnswerRole role, bool isDefault) {
  std::string label;
  switch (role) {
    case AnswerRole::Yes: label = kYesLabel; break;
    case AnswerRole::No: label = kNoLabel; break;
    case AnswerRole::Both: label = kBothLabel; break;
    default: return label;
  }
  // Where both answers lead to the one child, naming a default tells nothing.
  if (role != AnswerRole::Both && isDefault) label += kDefaultMark;
  return label;
}

// Every label as markup with its width, made once: a diagram of a million
// boxes has a million labels and ten different ones.
class EdgeLabels {
 public:
  EdgeLabels() {
    for (int role = 0; role < kRoles; ++role) {
      for (int isDefault = 0; isDefault < 2; ++isDefault) {
        const std::string label = LabelOf(static_cast<AnswerRole>(role), isDefault != 0);
        markup_[role][isDefault] = MarkupCp932(label);
        columns_[role][isDefault] = static_cast<double>(TextColumns(label));
      }
    }
  }
  std::string_view Markup(AnswerRole role, bool isDefault) const { return markup_[Row(role)][isDefault]; }
  double Columns(AnswerRole role, bool isDefault) const { return columns_[Row(role)][isDefault]; }

 private:
  static constexpr int kRoles = static_cast<int>(AnswerRole::Middle) + 1;
  static int Row(AnswerRole role) { return static_cast<int>(role); }
  std::string markup_[kRoles][2];
  double columns_[kRoles][2] = {};
};

// A box's size; its lines are split again where it is drawn, so that a
// diagram of a million boxes keeps no list of lines per box.
struct Box {
  float width = 0;
  float height = 0;
};

// An end's outcome as a last line of its box, "［解決］": a word, so the
// diagram tells it without colour.
void AddOutcomeLine(const ShownNode& node, std::vector<std::string_view>& lines) {
  if (node.outcome == Outcome::None) return;
  static const std::string marks[] = {
      "\x81\x6d" + std::string(kOutcomeChoices[0].label) + "\x81\x6e",
      "\x81\x6d" + std::string(kOutcomeChoices[1].label) + "\x81\x6e",
      "\x81\x6d" + std::string(kOutcomeChoices[2].label) + "\x81\x6e",
  };
  lines.push_back(marks[static_cast<std::size_t>(node.outcome) - 1]);
}

// "実行 12 回": how often runs showed the node, in words under its message.
void AddVisitsLine(const std::vector<std::size_t>* visits, std::size_t node, std::string& scratch,
                   std::vector<std::string_view>& lines) {
  if (visits == nullptr) return;
  scratch = "\x8e\xc0\x8d\x73 " + std::to_string(node < visits->size() ? (*visits)[node] : 0) + " \x89\xf1";
  lines.push_back(scratch);
}

// "［画像］": a node whose step shows a picture.
void AddPictureLine(const StepPictures& pictures, std::size_t node, std::vector<std::string_view>& lines) {
  if (pictures.At(node)) lines.push_back("\x81\x6d\x89\xe6\x91\x9c\x81\x6e");
}

// `lines` and `scratch` are scratch room, kept from box to box.
Box BoxOf(const ShownNode& node, const std::vector<std::size_t>* visits, const StepPictures& pictures,
          bool thumbnails, std::size_t index, std::string& scratch, std::vector<std::string_view>& lines) {
  SplitMessageLines(node.message, lines);
  AddOutcomeLine(node, lines);
  AddPictureLine(pictures, index, lines);
  AddVisitsLine(visits, index, scratch, lines);
  const bool icon = !StyleOfKind(node.kind).iconId.empty();
  const double columns = std::max(kMinTextColumns, static_cast<double>(WidestColumns(lines)));
  Box box{static_cast<float>(2 * kPaddingX + (icon ? kIconSize + kIconGap : 0) + columns * kColumnWidth),
          static_cast<float>(2 * kPaddingY + std::max(kIconSize, static_cast<double>(lines.size()) * kLineHeight))};
  if (thumbnails && pictures.At(index)) {
    box.width = std::max(box.width, static_cast<float>(2 * kPaddingX + kThumbnailWidth));
    box.height += static_cast<float>(kThumbnailHeight + kPaddingY);
  }
  return box;
}

// The room between two links' lanes beside the tree.
constexpr double kLaneGap = 14;
// A link's title: "→ " and the message it goes on at.
constexpr std::string_view kLinkArrow = "\x81\xa8 ";

// A box's rectangle on the page.
struct Rect {
  double x, y, width, height;
};

// What the picture shows, for those who cannot see it: "切り分け手順の図。
// 各ノードは種類のアイコンと色の付いた枠で、ノードからその答えへの線には
// 「はい」「いいえ」が付いています。ノードの数: " and the count.
constexpr std::string_view kDescription =
    "\x90\xd8\x82\xe8\x95\xaa\x82\xaf\x8e\xe8\x8f\x87\x82\xcc\x90\x7d\x81\x42\x8a\x65\x83\x6d\x81\x5b\x83\x68\x82\xcd"
    "\x8e\xed\x97\xde\x82\xcc\x83\x41\x83\x43\x83\x52\x83\x93\x82\xc6\x90\x46\x82\xcc\x95\x74\x82\xa2\x82\xbd\x98\x67"
    "\x82\xc5\x81\x41\x83\x6d\x81\x5b\x83\x68\x82\xa9\x82\xe7\x82\xbb\x82\xcc\x93\x9a\x82\xa6\x82\xd6\x82\xcc\x90\xfc"
    "\x82\xc9\x82\xcd\x81\x75\x82\xcd\x82\xa2\x81\x76\x81\x75\x82\xa2\x82\xa2\x82\xa6\x81\x76\x82\xaa\x95\x74\x82\xa2"
    "\x82\xc4\x82\xa2\x82\xdc\x82\xb7\x81\x42\x83\x6d\x81\x5b\x83\x68\x82\xcc\x90\x94\x3a\x20";

class DiagramWriter {
 public:
  DiagramWriter(const std::vector<ShownNode>& nodes, const DiagramOptions& options, ByteSink& sink)
      : nodes_(nodes),
        horizontal_(options.horizontal),
        visits_(options.visits),
        pictures_(options.fields),
        thumbnails_(options.pictures),
        links_(LinkTargetsOf(nodes, options.fields)),
        out_(sink) {
    FormFixedParts();
    if (visits_ != nullptr) {
      for (const std::size_t count : *visits_) mostVisits_ = std::max(mostVisits_, count);
    }
  }

  void Write(std::string_view caption) {
    items_.reserve(nodes_.size());
    for (std::size_t i = 0; i < nodes_.size(); ++i) {
      const ShownNode& node = nodes_[i];
      const Box box = BoxOf(node, visits_, pictures_, thumbnails_, i, visitsLine_, lines_);
      const LayoutIndex parent = node.parent == kNoShownNode ? kNoLayoutParent : node.parent;
      items_.push_back({parent, horizontal_ ? box.height : box.width, horizontal_ ? box.width : box.height});
    }
    TreeLayout layout = LayoutTidyTree(items_, {kSiblingGap, horizontal_ ? kLevelGapRight : kLevelGapDown});
    places_ = std::move(layout.places);
    top_ = kMargin + (caption.empty() ? 0 : kCaptionHeight);

    double width = 2 * kMargin + (horizontal_ ? layout.depthExtent : layout.breadthExtent);
    if (!horizontal_) width = std::max(width, LabelsRight() + kMargin);
    double height = top_ + kMargin + (horizontal_ ? layout.breadthExtent : layout.depthExtent);
    // The links run in lanes beside the tree (below it when it grows to the
    // right), one lane each: they cross no box.
    const double lanes = static_cast<double>(LinkCount()) * kLaneGap;
    laneStart_ = (horizontal_ ? height : width) - kMargin + kLaneGap;
    (horizontal_ ? height : width) += lanes;
    WriteHeader(caption, width, height);
    for (std::size_t i = 0; i < nodes_.size(); ++i) WriteStep(i);
    WriteLinks();
    out_ += "</svg>\n";
    out_.Flush();
  }

 private:
  // Worked out where it is needed, from the box's place and size.
  Rect RectOf(std::size_t i) const {
    const LayoutPlace& place = places_[i];
    const LayoutItem& item = items_[i];
    const double near = place.breadthCentre - item.breadth / 2;
    if (horizontal_) return {kMargin + place.depthStart, top_ + near, item.depth, item.breadth};
    return {kMargin + near, top_ + place.depthStart, item.breadth, item.depth};
  }

  // Downwards a label starts beside the child's centre line and may reach
  // past the rightmost box; the picture is widened to hold it.
  double LabelsRight() const {
    double right = 0;
    for (std::size_t i = 0; i < nodes_.size(); ++i) {
      const double columns = labels_.Columns(nodes_[i].role, IsDefaultAnswer(nodes_, nodes_[i]));
      if (columns > 0) right = std::max(right, LabelX(RectOf(i)) + columns * kLabelColumnWidth);
    }
    return right;
  }

  static double LabelX(const Rect& child) { return child.x + child.width / 2 + kLabelOffset; }

  void WriteHeader(std::string_view caption, double width, double height) {
    out_ += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\" "
            "xmlns:xlink=\"http://www.w3.org/1999/xlink\" version=\"1.1\"";
    // As wide as its container up to its own width: on a phone the whole
    // tree shows, scaled down, instead of running off the screen.
    out_ += " width=\"100%\" style=\"max-width:";
    AppendNumber(out_, width);
    out_ += "px;height:auto\" role=\"img\" aria-labelledby=\"diagram-title diagram-description\"";
    out_ += " viewBox=\"0 0 ";
    AppendNumber(out_, width);
    out_ += ' ';
    AppendNumber(out_, height);
    // Spaces in the texts are kept as written; every text inherits it.
    out_ += "\" xml:space=\"preserve\" font-family=\"";
    out_ += kExportFontFamily;
    out_ += ", ";
    out_ += kExportFontFallbacks;
    out_ += "\" font-size=\"14\">\n<title id=\"diagram-title\">";
    AppendMarkupCp932(out_, caption);
    out_ += "</title>\n<desc id=\"diagram-description\">";
    AppendMarkupCp932(out_, std::string(kDescription) + std::to_string(nodes_.size()));
    out_ += "</desc>\n<style>text{white-space:pre}.edge{fill:none;stroke:#555;stroke-width:1.2}"
            ".edge.default{stroke:#111;stroke-width:2.6}.unreachable .edge{stroke-dasharray:5 4}"
            ".label{font-size:12px;fill:#333}.label.default{font-weight:bold;fill:#000}.caption{font-size:18px}";
    out_ += KindBoxStyles();
    // After the kinds' rules, which it overrides.
    if (visits_ != nullptr) out_ += ".node rect.visits{fill:#1f5fbf;stroke:none}";
    // Links: dashed, unlike any edge of the tree, with an arrowhead.
    if (!links_.empty()) out_ += ".link{fill:none;stroke:#555;stroke-width:1.2;stroke-dasharray:6 4}";
    out_ += "</style>\n<defs>";
    out_ += KindIconSymbols();
    if (!links_.empty()) {
      out_ += "<marker id=\"link-arrow\" viewBox=\"0 0 10 10\" refX=\"10\" refY=\"5\" markerWidth=\"8\" "
              "markerHeight=\"8\" orient=\"auto\"><path d=\"M0 0L10 5L0 10z\" fill=\"#555\"/></marker>";
    }
    WriteBoxIcons();
    out_ += "</defs>\n<rect width=\"100%\" height=\"100%\" fill=\"#fff\"/>\n";
    if (!caption.empty()) {
      out_ += "<text class=\"caption\"";
      AppendAttribute(out_, "x", kMargin);
      AppendAttribute(out_, "y", kMargin + 18);
      out_ += '>';
      AppendMarkupCp932(out_, caption);
      out_ += "</text>\n";
    }
  }

  // Each icon where a box shows it, so that a box names it alone.
  void WriteBoxIcons() {
    for (const int kind : {Question, Information, Exclaimation, Inhibit}) {
      const KindStyle style = StyleOfKind(kind);
      out_ += "<g id=\"box-";
      out_ += style.className;
      out_ += "\"><use xlink:href=\"#";
      out_ += style.iconId;
      out_ += '"';
      AppendAttribute(out_, "x", kPaddingX);
      AppendAttribute(out_, "y", kPaddingY);
      out_ += " width=\"20\" height=\"20\"/></g>";
    }
  }

  // A node with the edge that leads to it, where its box stands: the group
  // names the place once, and all in it is measured from the box's corner,
  // in short numbers. Edges stay in the gaps between the levels, so drawing
  // each just before its box covers nothing drawn before. A node that no
  // run reaches is greyed with its edge and label, as one group.
  void WriteStep(std::size_t i) {
    const ShownNode& node = nodes_[i];
    const Rect rect = RectOf(i);
    const KindStyle style = StyleOfKind(node.kind);
    out_ += "<g class=\"node ";
    out_ += style.className;
    if (!node.reachable) out_ += " unreachable";
    out_ += "\" transform=\"translate(";
    AppendNumber(out_, rect.x);
    out_ += ' ';
    AppendNumber(out_, rect.y);
    out_ += ")\">";
    if (node.parent < nodes_.size()) WriteEdge(node, rect);
    WriteBox(i, style, rect);
    out_ += "</g>\n";
  }

  // The edge from the parent's far side to the child's near side, bent at
  // right angles half way (straight legs, drawn by their ends alone), with
  // the answer's label beside its last leg.
  // From the parent's side, the leg to the bend and the leg along it are
  // the same for every edge but for where the last one ends (the middle of
  // the box), the label beside the last leg at the same distance.
  void WriteEdge(const ShownNode& node, const Rect& to) {
    const Rect from = RectOf(node.parent);
    const double fromX = from.x - to.x, fromY = from.y - to.y;
    const bool isDefault = IsDefaultAnswer(nodes_, node);
    const double end = horizontal_ ? to.height / 2 : to.width / 2;
    out_ += "<path class=\"edge";
    if (isDefault) out_ += " default";
    out_ += "\" d=\"M";
    AppendNumber(out_, horizontal_ ? fromX + from.width : fromX + from.width / 2);
    out_ += ' ';
    AppendNumber(out_, horizontal_ ? fromY + from.height / 2 : fromY + from.height);
    out_ += fixed_.legsToEnd;
    AppendNumber(out_, end);
    out_ += fixed_.legsFromEnd;
    out_ += "\"/>";
    WriteLabel(node, isDefault, end);
  }

  std::size_t LinkCount() const {
    return static_cast<std::size_t>(
        std::count_if(links_.begin(), links_.end(), [](ShownIndex target) { return target != kNoShownNode; }));
  }

  // A dashed arrow from each end with a link out to its lane, along it and
  // back in to the node it goes on at, named by that node's message.
  void WriteLinks() {
    double lane = laneStart_;
    for (std::size_t i = 0; i < links_.size(); ++i) {
      if (links_[i] == kNoShownNode) continue;
      const Rect from = RectOf(i);
      const Rect to = RectOf(links_[i]);
      // Out across the levels to the lane, along it, and in again: H, V, H
      // when the tree grows downwards, V, H, V when it grows to the right.
      const char across = horizontal_ ? 'V' : 'H';
      out_ += "<path class=\"link\" marker-end=\"url(#link-arrow)\" d=\"M";
      AppendNumber(out_, horizontal_ ? from.x + from.width / 2 : from.x + from.width);
      out_ += ' ';
      AppendNumber(out_, horizontal_ ? from.y + from.height : from.y + from.height / 2);
      out_ += across;
      AppendNumber(out_, lane);
      out_ += horizontal_ ? 'H' : 'V';
      AppendNumber(out_, horizontal_ ? to.x + to.width / 2 : to.y + to.height / 2);
      out_ += across;
      AppendNumber(out_, horizontal_ ? to.y + to.height : to.x + to.width);
      out_ += "\"><title>";
      AppendMarkupCp932(out_, kLinkArrow);
      AppendMarkupCp932(out_, nodes_[links_[i]].message);
      out_ += "</title></path>\n";
      lane += kLaneGap;
    }
  }

  void WriteLabel(const ShownNode& node, bool isDefault, double edgeEnd) {
    const std::string_view label = labels_.Markup(node.role, isDefault);
    if (label.empty()) return;
    out_ += "<text class=\"label";
    if (isDefault) out_ += " default";
    out_ += '"';
    if (horizontal_) {
      out_ += fixed_.labelPlace;
      AppendAttribute(out_, "y", edgeEnd - 5);
    } else {
      AppendAttribute(out_, "x", edgeEnd + kLabelOffset);
      out_ += fixed_.labelPlace;
    }
    out_ += '>';
    out_ += label;
    out_ += "</text>";
  }

  // What every edge, label and line of text shares, formed once: a diagram
  // of a million boxes would form it a million times.
  void FormFixedParts() {
    const double bend = horizontal_ ? -kLegRight : -kLevelGapDown / 2;
    fixed_.legsToEnd = Gathered([&](SinkBuffer& out) {
      out += horizontal_ ? " H" : " V";
      AppendNumber(out, bend);
      out += horizontal_ ? " V" : " H";
    });
    fixed_.legsFromEnd = horizontal_ ? " H0" : " V0";
    fixed_.labelPlace = Gathered([&](SinkBuffer& out) {
      if (horizontal_) {
        AppendAttribute(out, "x", bend + 4);
      } else {
        AppendAttribute(out, "y", -7);
      }
    });
    for (int icon = 0; icon < 2; ++icon) {
      const double x = kPaddingX + (icon != 0 ? kIconSize + kIconGap : 0);
      fixed_.lineX[icon] = Gathered([&](SinkBuffer& out) { AppendAttribute(out, "x", x); });
      fixed_.oneLine[icon] = Gathered([&](SinkBuffer& out) {
        AppendAttribute(out, "x", x);
        AppendAttribute(out, "y", kPaddingY + kBaseline);
      });
    }
  }

  void WriteBox(std::size_t i, const KindStyle& style, const Rect& rect) {
    const ShownNode& node = nodes_[i];
    out_ += "<rect";
    AppendAttribute(out_, "width", rect.width);
    AppendAttribute(out_, "height", rect.height);
    out_ += " rx=\"6\"/>";
    WriteVisitsShade(i, rect);
    const bool icon = !style.iconId.empty();
    if (icon) {
      out_ += "<use xlink:href=\"#box-";
      out_ += style.className;
      out_ += "\"/>";
    }
    SplitMessageLines(node.message, lines_);
    AddOutcomeLine(node, lines_);
    AddPictureLine(pictures_, i, lines_);
    AddVisitsLine(visits_, i, visitsLine_, lines_);
    WriteLines(lines_, icon);
    if (thumbnails_) WriteThumbnail(i, rect);
  }

  // The picture in the room under the text, as the page's own data; a
  // picture no player could show is left out, as everywhere.
  void WriteThumbnail(std::size_t i, const Rect& rect) {
    const std::optional<StepPicture> picture = pictures_.At(i);
    if (!picture) return;
    out_ += "<image";
    AppendAttribute(out_, "x", kPaddingX);
    AppendAttribute(out_, "y", rect.height - kPaddingY - kThumbnailHeight);
    AppendAttribute(out_, "width", rect.width - 2 * kPaddingX);
    AppendAttribute(out_, "height", kThumbnailHeight);
    out_ += " preserveAspectRatio=\"xMidYMid meet\" xlink:href=\"data:";
    out_ += PictureMimeType(picture->format);
    out_ += ";base64,";
    out_ += picture->base64;
    out_ += "\"><title>";
    AppendMarkupCp932(out_, picture->alt);
    out_ += "</title></image>";
  }

  // Over the kind's colour, a blue as dark as the node was visited compared
  // with the most visited one; the count is written in the box as well.
  void WriteVisitsShade(std::size_t i, const Rect& rect) {
    if (visits_ == nullptr || mostVisits_ == 0 || i >= visits_->size() || (*visits_)[i] == 0) return;
    out_ += "<rect class=\"visits\"";
    AppendAttribute(out_, "width", rect.width);
    AppendAttribute(out_, "height", rect.height);
    AppendAttribute(out_, "fill-opacity",
                    0.05 + 0.45 * static_cast<double>((*visits_)[i]) / static_cast<double>(mostVisits_));
    out_ += " rx=\"6\"/>";
  }

  // A message of one line is the text element itself.
  void WriteLines(const std::vector<std::string_view>& lines, bool icon) {
    if (lines.size() == 1) {
      out_ += "<text";
      out_ += fixed_.oneLine[icon];
      out_ += '>';
      AppendMarkupCp932(out_, lines[0]);
      out_ += "</text>";
      return;
    }
    out_ += "<text>";
    for (std::size_t line = 0; line < lines.size(); ++line) {
      out_ += "<tspan";
      out_ += fixed_.lineX[icon];
      AppendAttribute(out_, "y", kPaddingY + static_cast<double>(line) * kLineHeight + kBaseline);
      out_ += '>';
      AppendMarkupCp932(out_, lines[line]);
      out_ += "</tspan>";
    }
    out_ += "</text>";
  }

  const std::vector<ShownNode>& nodes_;
  bool horizontal_;
  const std::vector<std::size_t>* visits_;
  StepPictures pictures_;
  bool thumbnails_;
  std::size_t mostVisits_ = 0;
  std::string visitsLine_;  // one box's count at a time
  // Each box's size (as breadth and depth) and parent, and its place.
  std::vector<LayoutItem> items_;
  std::vector<LayoutPlace> places_;
  std::vector<std::string_view> lines_;  // one box's lines at a time
  EdgeLabels labels_;
  // Where each end with a link goes on (empty without links), and where
  // the first link's lane runs.
  std::vector<ShownIndex> links_;
  double laneStart_ = 0;
  struct FixedParts {
    std::string legsToEnd, legsFromEnd;  // of an edge's path, either side of where it ends
    std::string labelPlace;              // the attribute of a label's place that stays
    std::string lineX[2];                // a line's place across, without and with an icon
    std::string oneLine[2];              // a message of one line's place
  } fixed_;
  double top_ = 0;
  SinkBuffer out_;
};

}  // namespace

void WriteDiagramSvg(const DecisionTree& tree, const DocumentState& state, const DiagramOptions& options,
                     ByteSink& sink) {
  const FieldTable fields = FieldTableOf(tree);
  DiagramOptions withFields = options;
  withFields.fields = &fields;
  WriteDiagramSvg(ShownNodesOf(tree, state), state, withFields, sink);
}

void WriteDiagramSvg(const ShownNodes& shown, const DocumentState& state, const DiagramOptions& options,
                     ByteSink& sink) {
  DiagramWriter(shown.nodes, options, sink).Write(TrimBlanksView(state.Title));
}

void ExportDiagramSvg(FileSystemPort& files, const FilePath& path, const DecisionTree& tree,
                      const DocumentState& state, const DiagramOptions& options) {
  files.StreamFileAtomically(path, [&](ByteSink& sink) { WriteDiagramSvg(tree, state, options, sink); });
}

}  // namespace velmora
