// velmora-cli show IN: the procedure as a readable UTF-8 outline, one line
// per node (more where the message has line breaks), then the document's
// title, newline mark and colour.
#include "cli/Commands.h"
#include "cli/DocumentFiles.h"

namespace velmora::cli {
namespace {

const char* KindName(int kind) {
  switch (kind) {
    case Question: return "Question";
    case Information: return "Information";
    case Exclaimation: return "Exclamation";
    case Inhibit: return "Inhibit";
    default: return "Unset";
  }
}

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
    shown.defaultAnswer = suffix == DefaultSuffix::No ? "No" : "Yes";
    text = RemoveDefaultSuffix(text);
  }
  shown.message = ExpandNewLines(text, mark);
  return shown;
}

void AppendNode(std::string& out, CliHost& host, const TreeNode& node, const std::string& mark) {
  const ShownNode shown = ShownNodeOf(node, mark);
  const std::string indent(2 * static_cast<std::size_t>(node.Level()), ' ');
  out += indent;
  out += '[';
  out += KindName(node.kind);
  if (!shown.defaultAnswer.empty()) out += ", default " + shown.defaultAnswer;
  out += "] ";
  // Continuation lines of a message sit under its first line's text.
  const std::string continuation = indent + "    ";
  const std::string message = host.ToUtf8(shown.message);
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = message.find("\r\n", start);
    out.append(message, start, end == std::string::npos ? std::string::npos : end - start);
    out += '\n';
    if (end == std::string::npos) break;
    out += continuation;
    start = end + 2;
  }
}

}  // namespace

int RunShow(CliHost& host, const Arguments& arguments) {
  if (arguments.size() != 1 || (arguments[0].size() > 1 && arguments[0][0] == '-')) {
    throw UsageError("show needs exactly one file");
  }
  const LoadedDocument document = OpenLikeEditor(host.Files(), host.Files().FromCp932(arguments[0]));
  std::string out;
  document.tree.ForEachPreOrder(
      [&](const TreeNode& node) { AppendNode(out, host, node, document.state.NewLineMark); });
  out += "Title: " + host.ToUtf8(document.state.Title) + "\n";
  out += "New line mark: " + host.ToUtf8(document.state.NewLineMark) + "\n";
  out += "Colour: " + std::to_string(document.state.Color) + " (" + ColourName(document.state.Color) + ")\n";
  host.WriteOutput(out);
  return kExitSuccess;
}

}  // namespace velmora::cli
