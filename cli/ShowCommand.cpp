// velmora-cli show IN: the procedure as a readable UTF-8 outline, one line
// per node (more where the message has line breaks), then the document's
// title, newline mark and colour. The outline goes out as it is made: its
// memory does not grow with the tree's size or depth.
#include "cli/Commands.h"
#include "cli/DocumentFiles.h"
#include "cli/OutputBuffer.h"
#include "distribution/PathTable.h"
#include "document/KindNames.h"
#include "document/Utf8Text.h"

namespace velmora::cli {
namespace {

// ", 既定: " before the default answer (CP932)
constexpr std::string_view kDefaultLabel = "\x2c\x20\x8a\xf9\x92\xe8\x3a\x20";

const char* ColourName(int colour) {
  switch (colour) {
    case 1: return "green";
    case 2: return "yellow";
    case 3: return "red";
    default: return "none";
  }
}

// What a run shows for the node: a question (a node with answers) loses its
// default-answer suffix, a final message is shown as it stands.
struct ShownNode {
  std::string message;
  std::string defaultAnswer;  // empty for a final message
};

ShownNode ShownNodeOf(const TreeNode& node, const std::string& mark) {
  ShownNode shown;
  std::string text(node.Text());
  if (node.HasChildren()) {
    const DefaultSuffix suffix = DefaultSuffixOf(text);
    shown.defaultAnswer = std::string(PathAnswerText(suffix == DefaultSuffix::No ? PathAnswer::No : PathAnswer::Yes));
    text = RemoveDefaultSuffix(text);
  }
  shown.message = ExpandNewLines(text, mark);
  return shown;
}

// Lines of a CP932 text with CR LF breaks; continuation lines sit under
// the first line's text, `indent` spaces in.
void AppendLines(OutputBuffer& out, const std::string& text, std::size_t indent) {
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = text.find("\r\n", start);
    out.AppendCp932(std::string_view(text).substr(start, end == std::string::npos ? std::string::npos : end - start));
    out.AppendUtf8("\n");
    if (end == std::string::npos) break;
    out.AppendSpaces(indent);
    start = end + 2;
  }
}

// Every declared field the node carries, one under the other below it.
void AppendLaterFields(OutputBuffer& out, const LaterFields& later, std::size_t indent, const std::string& mark) {
  later.ForEach([&](FieldIndex field, std::string_view value) {
    const std::string_view name = DeclaredFields()[field].name;
    out.AppendSpaces(indent);
    out.AppendUtf8(std::string(name) + ": ");
    AppendLines(out, ExpandNewLines(value, mark), indent + name.size() + 2);
  });
}

void AppendNode(OutputBuffer& out, const DecisionTree& tree, const TreeNode& node, const std::string& mark) {
  const ShownNode shown = ShownNodeOf(node, mark);
  const std::size_t indent = 2 * static_cast<std::size_t>(node.Level());
  out.AppendSpaces(indent);
  out.AppendUtf8("[");
  out.AppendCp932(KindName(node.kind));
  // The node in the node editor's own words: kind and default answer.
  if (!shown.defaultAnswer.empty()) out.AppendCp932(std::string(kDefaultLabel) + shown.defaultAnswer);
  out.AppendUtf8("] ");
  AppendLines(out, shown.message, indent + 4);
  AppendLaterFields(out, tree.LaterOf(node), indent + 4, mark);
}

}  // namespace

int RunShow(CliHost& host, const Arguments& arguments) {
  if (arguments.size() != 1 || (arguments[0].size() > 1 && arguments[0][0] == '-')) {
    throw UsageError("show needs exactly one file");
  }
  const LoadedDocument& document = OpenForCommand(host.Files(), FilePath::FromUtf8(arguments[0]));
  OutputBuffer out(host);
  document.tree.ForEachPreOrder([&](const TreeNode& node) { AppendNode(out, document.tree, node, document.state.NewLineMark); });
  out.AppendUtf8("Title: " + Cp932ToUtf8Text(document.state.Title) + "\n");
  out.AppendUtf8("New line mark: " + Cp932ToUtf8Text(document.state.NewLineMark) + "\n");
  out.AppendUtf8("Colour: " + std::to_string(document.state.Color) + " (" + ColourName(document.state.Color) + ")\n");
  out.Flush();
  return kExitSuccess;
}

}  // namespace velmora::cli
