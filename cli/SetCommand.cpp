// velmora-cli set FILE [LINE] KEY=VALUE... [--output OUT]: sets declared
// fields of the node on LINE of FILE (its line in the tree text, as check
// names it; link=TARGET names the node to continue at by its line), or
// without LINE the document's own options (title=, color=,
// newline=, record-folder=), and writes FILE in place exactly as the editor saves it (a
// .tre) or generates it (an .exe keeps its own player), or writes OUT.
// Every assignment is checked before anything is written: a line that is
// no node, an unknown key, a field that does not belong on the node or a
// bad value exits with 2 and leaves every file as it was.
#include <optional>
#include <string>
#include <vector>

#include "cli/Commands.h"
#include "cli/DocumentFiles.h"
#include "document/LaterFields.h"
#include "document/NodeLinks.h"
#include "document/Picture.h"
#include "files/DistributionPayload.h"
#include "files/IniText.h"
#include "files/TreeFile.h"

namespace velmora::cli {
namespace {

struct Assignment {
  std::string key;
  std::string value;  // UTF-8, as given
};

struct SetArguments {
  FilePath file;
  std::optional<std::size_t> line;
  std::vector<Assignment> assignments;
  FilePath output;
};

bool AllDigits(const std::string& text) {
  return !text.empty() && text.find_first_not_of("0123456789") == std::string::npos;
}

SetArguments ParseSetArguments(const Arguments& arguments) {
  SetArguments parsed;
  std::vector<std::string> positional;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    if (arguments[i] == "--output") {
      if (i + 1 >= arguments.size()) throw UsageError("--output needs a file");
      parsed.output = FilePath::FromUtf8(arguments[++i]);
    } else if (arguments[i].size() > 1 && arguments[i][0] == '-') {
      throw UsageError("unknown option " + arguments[i]);
    } else {
      positional.push_back(arguments[i]);
    }
  }
  if (positional.empty()) throw UsageError("set needs FILE");
  parsed.file = FilePath::FromUtf8(positional[0]);
  std::size_t next = 1;
  if (next < positional.size() && AllDigits(positional[next])) {
    if (positional[next].size() > 12) throw UsageError("line " + positional[next] + " is no node of the procedure");
    parsed.line = std::stoul(positional[next++]);
  }
  for (; next < positional.size(); ++next) {
    const std::size_t equals = positional[next].find('=');
    if (equals == std::string::npos || equals == 0) throw UsageError("expected KEY=VALUE, not \"" + positional[next] + "\"");
    parsed.assignments.push_back({positional[next].substr(0, equals), positional[next].substr(equals + 1)});
  }
  if (parsed.assignments.empty()) throw UsageError("set needs at least one KEY=VALUE");
  return parsed;
}

// The value as the document holds it: CP932 on one line.
std::string StoredText(CliHost& host, const Assignment& assignment) {
  const std::optional<std::string> cp932 = host.Files().ExactCp932(FilePath::FromUtf8(assignment.value));
  if (!cp932 || !IsStorableFieldValue(*cp932)) {
    throw UsageError(assignment.key + "=: the value must be one line of characters that code page 932 holds "
                     "(the newline mark stands for a line break)");
  }
  return *cp932;
}

// The picture in the image file the value names, as the document holds it;
// an empty value takes the picture away.
std::string PictureOfFile(CliHost& host, const Assignment& assignment) {
  if (assignment.value.empty()) return {};
  const std::string bytes = host.Files().ReadWholeFile(FilePath::FromUtf8(assignment.value));
  const std::optional<PictureRefusal> refusal = CheckPicture(bytes);
  if (refusal == PictureRefusal::NotAPicture) {
    throw UsageError(assignment.key + "=: " + assignment.value + " is no PNG, JPEG, GIF or BMP picture");
  }
  if (refusal == PictureRefusal::TooManyBytes) throw UsageError(assignment.key + "=: a picture may have at most 8 MB");
  if (refusal == PictureRefusal::TooLarge) {
    throw UsageError(assignment.key + "=: a picture may be at most 8192 pixels a side");
  }
  return Base64Encode(bytes);
}

TreeNode& NodeOnLine(const DecisionTree& tree, std::size_t line);

// The node the value names by its line, as the document holds a link; an
// empty value takes the link away. A link to the node itself would keep
// the end user there for ever.
std::string LinkToLine(const DecisionTree& tree, const TreeNode& node, const Assignment& assignment) {
  if (assignment.value.empty()) return {};
  if (!AllDigits(assignment.value) || assignment.value.size() > 12) {
    throw UsageError(assignment.key + "=: the line of the node to continue at, or nothing to remove the link");
  }
  const TreeNode& target = NodeOnLine(tree, std::stoul(assignment.value));
  if (&target == &node) throw UsageError(assignment.key + "=: a node cannot continue at itself");
  return LinkValue(target.Id());
}

void SetNodeField(CliHost& host, LoadedDocument& document, TreeNode& node, const Assignment& assignment) {
  const std::optional<FieldIndex> field = FieldNamed(assignment.key);
  if (!field) throw UsageError("unknown key \"" + assignment.key + "\" for a node");
  if (DeclaredFields()[*field].endsOnly && node.HasChildren()) {
    throw UsageError(assignment.key + "= belongs only on a node without answers");
  }
  // "none" is how a choice is taken away on a command line; a picture is
  // named by its file, a link's target by its line.
  const bool choice = !DeclaredFields()[*field].choices.empty();
  const std::string value = DeclaredFields()[*field].picture ? PictureOfFile(host, assignment)
                            : IsLinkField(*field)          ? LinkToLine(document.tree, node, assignment)
                            : choice && assignment.value == "none" ? std::string()
                                                                   : StoredText(host, assignment);
  if (!IsValueOfField(*field, value)) {
    std::string allowed;
    for (const FieldChoice& option : DeclaredFields()[*field].choices) allowed += std::string(option.value) + ", ";
    throw UsageError(assignment.key + "=: one of " + allowed + "none");
  }
  LaterFields later = document.tree.LaterOf(node);
  later.Set(*field, value);
  document.tree.SetLater(node, std::move(later));
}

void SetOption(CliHost& host, DocumentState& state, const Assignment& assignment) {
  if (assignment.key == "title") {
    state.Title = StoredText(host, assignment);
  } else if (assignment.key == "newline") {
    state.NewLineMark = StoredText(host, assignment);
    if (state.NewLineMark.empty()) throw UsageError("newline=: the mark cannot be empty");
  } else if (assignment.key == "color") {
    const std::optional<int> colour = ParseIniInteger(assignment.value);
    if (!colour || *colour < 0 || *colour > 3) throw UsageError("color=: 0 (none), 1, 2 or 3");
    state.Color = *colour;
  } else if (assignment.key == "record-folder") {
    state.RecordFolder = StoredText(host, assignment);
  } else {
    throw UsageError("unknown key \"" + assignment.key +
                     "\" for the document (title, color, newline, record-folder)");
  }
}

TreeNode& NodeOnLine(const DecisionTree& tree, std::size_t line) {
  std::size_t at = 1;
  for (TreeNode* node = tree.Root(); node != nullptr; node = tree.NextPreOrder(node), ++at) {
    if (at == line) return *node;
  }
  throw UsageError("line " + std::to_string(line) + " is no node of the procedure");
}

}  // namespace

int RunSet(CliHost& host, const Arguments& arguments) {
  const SetArguments parsed = ParseSetArguments(arguments);
  LoadedDocument document = OpenLikeEditor(host.Files(), parsed.file);
  TreeNode* node = parsed.line ? &NodeOnLine(document.tree, *parsed.line) : nullptr;
  for (const Assignment& assignment : parsed.assignments) {
    if (node != nullptr) {
      SetNodeField(host, document, *node, assignment);
    } else {
      SetOption(host, document.state, assignment);
    }
  }
  // Pictures make a document large; past the limit it is refused whole.
  if (TreeTextSize(document.tree, document.state) > kMostDocumentBytes) {
    throw UsageError("the document would have more than 200 MB; take a smaller picture or fewer");
  }
  const FilePath& target = parsed.output.Empty() ? parsed.file : parsed.output;
  // An executable written over keeps the player it has; another one gets
  // the player beside the tool, as convert gives it.
  if (target.LowerCaseExtension() == ".exe" && parsed.file.LowerCaseExtension() == ".exe") {
    const std::string bytes = host.Files().ReadWholeFile(parsed.file);
    WriteLikeEditorWithStub(host.Files(), target, document, PlayerStubOf(bytes));
  } else {
    WriteLikeEditor(host.Files(), target, document, host.ProgramFolder().Join(kDefaultStubName));
  }
  return kExitSuccess;
}

}  // namespace velmora::cli
