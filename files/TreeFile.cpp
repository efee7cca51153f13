#include "files/TreeFile.h"

#include "document/Errors.h"
#include "files/FileMessages.h"
#include "files/IniText.h"
#include "files/LineSplitter.h"
#include "files/TreeTextParser.h"
#include "files/TrailingLines.h"

namespace velmora {
namespace {

// ";表題=" and ";改行=": the title and mark lines of files from before the
// option block existed.
constexpr std::string_view kLegacyTitle = "\x3b\x95\x5c\x91\xe8\x3d";
constexpr std::string_view kLegacyNewLine = "\x3b\x89\xfc\x8d\x73\x3d";

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && text.compare(0, prefix.size(), prefix) == 0;
}

bool IsLegacyLine(const TreeNode* node) { return node != nullptr && StartsWith(node->Text(), ";"); }

// A legacy file ends in the title line, optionally after the mark line. Only
// those lines go; the mark and the colour stay as they were when absent.
void ReadLegacyTrailer(LoadedDocument& document, std::string_view displayPath) {
  TreeNode* titleLine = document.tree.LastPreOrder();
  const std::string_view title = titleLine->Text();
  document.state.Title = std::string(StartsWith(title, kLegacyTitle) ? title.substr(kLegacyTitle.size()) : title.substr(1));
  document.tree.Delete(titleLine);
  TreeNode* markLine = document.tree.LastPreOrder();
  if (markLine != nullptr && StartsWith(markLine->Text(), kLegacyNewLine)) {
    document.state.NewLineMark = std::string(markLine->Text().substr(kLegacyNewLine.size()));
    document.tree.Delete(markLine);
  }
  if (document.tree.Empty()) throw VelmoraError(NoProcedureMessage(displayPath));
}

}  // namespace

LoadedDocument LoadTreeFile(FileSystemPort& fs, const FilePath& path, const DocumentState& current) {
  std::string bytes = fs.ReadWholeFile(path);
  // The option block is looked up from the end of the text before the tree
  // takes the bytes over; for a file that has one, that reads only its last
  // lines. A legacy file ignores the result.
  OptionBlock options = ReadOptionBlock(bytes);
  const std::size_t nulLine = LineOfFirstNul(bytes);
  LoadedDocument document{ParseTreeText(std::move(bytes)), current, nulLine};
  // An empty file would leave the editor without a root; it is refused
  // instead, and the open document stays.
  if (document.tree.Empty()) throw VelmoraError(NoProcedureMessage(fs.DisplayText(path)));
  document.state.CurrentFileName = path;
  document.state.Modified = false;
  if (IsLegacyLine(document.tree.LastPreOrder())) {
    ReadLegacyTrailer(document, fs.DisplayText(path));
  } else {
    ApplyOptionBlock(std::move(options), document);
  }
  RestoreKinds(document.tree);
  return document;
}

void SaveTreeFile(FileSystemPort& fs, const FilePath& path, const DecisionTree& tree, const DocumentState& state) {
  // The text goes to the file's temporary stand-in as it is made; the file
  // itself is replaced only once all of it is on the disk.
  fs.StreamFileAtomically(path, [&](ByteSink& sink) { WriteTreeText(sink, tree, state); });
}

}  // namespace velmora
