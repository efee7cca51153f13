// The reading side of the payload, shared by the editor (opening an ".exe")
// and the player stub (reading its own file). It raises nothing: the stub
// runs without exceptions, and the editor's form below turns a failure into
// its VelmoraError.
#include <cstdint>
#include <optional>
#include <utility>

#include "files/DistributionPayload.h"
#include "document/Errors.h"
#include "files/FileMessages.h"
#include "files/IniText.h"
#include "files/LineSplitter.h"
#include "files/TrailingLines.h"
#include "files/TreeTextParser.h"

namespace velmora {
namespace {

constexpr std::size_t kTrailerSize = 4;

std::uint32_t ReadLittleEndian32(std::string_view bytes, std::size_t offset) {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < 4; ++i) {
    value |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[offset + i])) << (8 * i);
  }
  return value;
}

// The payload's tree text followed by the line "12", where the trailer
// stood: the parser then ends on a harmless last node whatever the payload's
// last bytes are, and the option block's last line keeps its own node.
std::string PayloadTextWithEndLine(std::string_view payload) {
  std::string text;
  text.reserve(payload.size() + 4);
  text += payload;
  text += "12\r\n";
  return text;
}

TreeNode* SecondToLastPreOrder(const DecisionTree& tree) {
  TreeNode* last = tree.LastPreOrder();
  if (last == nullptr) return nullptr;
  // The node before the last in pre-order: the previous sibling's deepest
  // last descendant, or the parent.
  TreeNode* previous = tree.PreviousSibling(last);
  if (previous == nullptr) return last->Parent();
  while (previous->HasChildren()) previous = previous->LastChild();
  return previous;
}

// The older layout: tree lines, then a mark line and a title line. False
// when no procedure is left before them.
bool ReadMarkAndTitleLines(LoadedDocument& document) {
  DecisionTree& tree = document.tree;
  tree.Delete(tree.LastPreOrder());  // the "12" line
  std::string* target[] = {&document.state.Title, &document.state.NewLineMark};
  for (std::string* value : target) {
    TreeNode* line = tree.LastPreOrder();
    if (line == nullptr) return false;
    *value = std::string(line->Text());
    tree.Delete(line);
  }
  return !tree.Empty();
}

PayloadRead Failed(std::string message) {
  PayloadRead result;
  result.error = std::move(message);
  return result;
}

}  // namespace

PayloadRead ReadPayloadOrError(std::string_view fileBytes, std::string_view displayPath, const DocumentState& current) {
  if (fileBytes.size() < kTrailerSize) return Failed(StreamReadErrorMessage());
  const std::size_t end = PayloadEnd(fileBytes);
  const std::uint64_t length = ReadLittleEndian32(fileBytes, end - kTrailerSize);
  // A zero trailer, or one reaching before the start of the file, means the
  // file was not made by the generator (or was cut short): nothing to read.
  if (length == 0 || length > end - kTrailerSize) return Failed(NoProcedureMessage(displayPath));
  const std::string_view payload =
      fileBytes.substr(end - kTrailerSize - static_cast<std::size_t>(length), static_cast<std::size_t>(length));

  TreeTextParse parse = ParseTreeTextOrError(PayloadTextWithEndLine(payload));
  if (!parse.error.empty()) return Failed(std::move(parse.error));
  // Whoever reads this tells the reader, by stoppedAtNulLine, that the rest
  // was not read.
  PayloadRead result{LoadedDocument{std::move(parse.tree), current, LineOfFirstNul(payload)}, {}};
  LoadedDocument& document = result.document;
  document.state.Modified = false;
  const TreeNode* secondToLast = SecondToLastPreOrder(document.tree);
  if (secondToLast == nullptr) return Failed(NoProcedureMessage(displayPath));
  if (secondToLast->Text().find('=') != std::string_view::npos) {
    // Only the payload is looked at: the stub's own bytes may hold strings
    // that look like a section.
    ApplyOptionBlock(ReadOptionBlock(payload, kProfileRules), document);
  } else if (!ReadMarkAndTitleLines(document)) {
    return Failed(NoProcedureMessage(displayPath));
  }
  RestoreKinds(document.tree);
  return result;
}

#if defined(__cpp_exceptions)
LoadedDocument ReadDistributionPayload(std::string_view fileBytes, const FilePath& path, std::string_view displayPath,
                                       const DocumentState& current) {
  PayloadRead read = ReadPayloadOrError(fileBytes, displayPath, current);
  if (!read.error.empty()) throw VelmoraError(read.error);
  read.document.state.CurrentFileName = path.WithExtension(".tre");
  return std::move(read.document);
}
#endif

}  // namespace velmora
