// velmora-cli show IN [--flat]: the procedure as a readable UTF-8 outline,
// one line per node (more where the message has line breaks), then the
// document's title, newline mark and colour; with --flat one line per node
// led by its place, the form version control compares (FlatOutline.h).
// The outline goes out as it is made: its memory does not grow with the
// tree's size or depth.
#include "cli/Commands.h"
#include "cli/DocumentFiles.h"
#include "cli/FlatOutline.h"
#include "cli/OutputBuffer.h"
#include "document/NodeLinks.h"
#include "document/Picture.h"
#include "document/Utf8Text.h"

namespace velmora::cli {
namespace {

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

// Every declared field the node carries, one under the other below it; a
// picture with its alt text: "picture: [画像 1280x720 PNG 183 KB: ...]", a
// link by its target's text: "link: → ランプは点灯しますか？".
void AppendLaterFields(OutputBuffer& out, const DecisionTree& tree, const LaterFields& later, std::size_t indent,
                       const std::string& mark) {
  static const FieldIndex picture = *FieldNamed("picture");
  static const FieldIndex alt = *FieldNamed("alt");
  const bool hasPicture = !later.Get(picture).empty();
  later.ForEach([&](FieldIndex field, std::string_view value) {
    if (field == alt && hasPicture) return;
    const std::string_view name = DeclaredFields()[field].name;
    out.AppendSpaces(indent);
    out.AppendUtf8(std::string(name) + ": ");
    const std::string shown =
        field == picture ? PictureSummary(value, later.Get(alt)) : ShownFieldValue(tree, field, value);
    AppendLines(out, ExpandNewLines(shown, mark), indent + name.size() + 2);
  });
}

// The node in the node editor's own words (kind and default answer), its
// message as a run shows it.
void AppendNode(OutputBuffer& out, const DecisionTree& tree, const TreeNode& node, const std::string& mark) {
  const std::size_t indent = 2 * static_cast<std::size_t>(node.Level());
  out.AppendSpaces(indent);
  out.AppendCp932(KindHeading(node) + " ");
  AppendLines(out, ExpandNewLines(ShownText(node), mark), indent + 4);
  AppendLaterFields(out, tree, tree.LaterOf(node), indent + 4, mark);
}

struct ShowArguments {
  FilePath file;
  bool flat = false;
};

ShowArguments ParseShowArguments(const Arguments& arguments) {
  ShowArguments parsed;
  std::size_t files = 0;
  for (const std::string& argument : arguments) {
    if (argument == "--flat" && !parsed.flat) {
      parsed.flat = true;
    } else if (argument.size() > 1 && argument[0] == '-') {
      throw UsageError("unknown option " + argument);
    } else {
      parsed.file = FilePath::FromUtf8(argument);
      ++files;
    }
  }
  if (files != 1) throw UsageError("show needs exactly one file");
  return parsed;
}

// As a textconv filter the command sees every file the attributes name,
// a foreign .exe among them: that shows as itself, not as a failure.
void ShowFlat(CliHost& host, OutputBuffer& out, const FilePath& file) {
  const LoadedDocument* document = OpenProcedureOrNothing(host, file);
  if (document == nullptr) {
    out.AppendUtf8(NonProcedureText(host.Files().ReadWholeFile(file)));
    return;
  }
  AppendFlatOutline(out, *document);
}

}  // namespace

int RunShow(CliHost& host, const Arguments& arguments) {
  const ShowArguments parsed = ParseShowArguments(arguments);
  OutputBuffer out(host);
  if (parsed.flat) {
    ShowFlat(host, out, parsed.file);
  } else {
    const LoadedDocument& document = OpenForCommand(host.Files(), parsed.file);
    document.tree.ForEachPreOrder(
        [&](const TreeNode& node) { AppendNode(out, document.tree, node, document.state.NewLineMark); });
    AppendDocumentFields(out, document.state);
  }
  out.Flush();
  return kExitSuccess;
}

}  // namespace velmora::cli
