#include "files/TreeFile.h"

#include <memory>
#include <string>
#include <utility>

#include "document/Errors.h"
#include "files/FieldSection.h"
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

// The last line of the procedure read so far and its removal, for a tree
// or a list of steps: the trailer is read the same way from either.
struct TreeLines {
  DecisionTree& tree;
  bool Empty() const { return tree.Empty(); }
  std::string_view LastText() const { return tree.LastPreOrder()->Text(); }
  // The last node in pre-order has no children: it goes alone.
  void RemoveLast() { tree.Delete(tree.LastPreOrder()); }
  void RemoveTrailingRootLevelLines() { RemoveTrailingRootLevelNodes(tree); }
};

struct StepLines {
  StepList& steps;
  bool Empty() const { return steps.Size() == 0; }
  std::string_view LastText() const { return steps[steps.Size() - 1].text; }
  void RemoveLast() { steps.RemoveLast(); }
  void RemoveTrailingRootLevelLines() { RemoveTrailingRootLevelSteps(steps); }
};

// A legacy file ends in the title line, optionally after the mark line. Only
// those lines go; the mark and the colour stay as they were when absent.
template <typename Lines>
void ReadLegacyTrailer(Lines lines, DocumentState& state) {
  const std::string_view title = lines.LastText();
  state.Title = std::string(StartsWith(title, kLegacyTitle) ? title.substr(kLegacyTitle.size()) : title.substr(1));
  lines.RemoveLast();
  if (!lines.Empty() && StartsWith(lines.LastText(), kLegacyNewLine)) {
    state.NewLineMark = std::string(lines.LastText().substr(kLegacyNewLine.size()));
    lines.RemoveLast();
  }
}

// What follows the procedure's lines: the option block (whose values were
// read from the file's bytes before the parse took them over) or a legacy
// trailer. Its lines leave the procedure; an empty procedure is refused, so
// the editor is never left without a root.
template <typename Lines>
void ReadTrailer(Lines lines, OptionBlock options, DocumentState& state, std::string_view displayPath) {
  if (lines.Empty()) throw VelmoraError(NoProcedureMessage(displayPath));
  if (StartsWith(lines.LastText(), ";")) {
    ReadLegacyTrailer(lines, state);
    if (lines.Empty()) throw VelmoraError(NoProcedureMessage(displayPath));
  } else {
    ApplyOptionValues(std::move(options), state);
    lines.RemoveTrailingRootLevelLines();
  }
}

// The start of a load: the file's bytes, the option block read from the end
// of them (for a file that has one, only its last lines are read) and the
// line of a NUL.
struct FileStart {
  std::string bytes;
  OptionBlock options;
  std::size_t nulLine;
  // The nodes' declared fields, by position (FieldSection.h).
  FieldTable fields;
};

FileStart ReadFileStart(FileSystemPort& fs, const FilePath& path) {
  std::string bytes = fs.ReadWholeFile(path);
  OptionBlock options = ReadOptionBlock(bytes);
  const std::size_t nulLine = LineOfFirstNul(bytes);
  FieldTable fields = ReadFieldSection(bytes, ~std::size_t{0});
  return FileStart{std::move(bytes), std::move(options), nulLine, std::move(fields)};
}

void NameLoaded(DocumentState& state, const FilePath& path) {
  state.CurrentFileName = path;
  state.Modified = false;
}

}  // namespace

LoadedDocument LoadTreeFile(FileSystemPort& fs, const FilePath& path, const DocumentState& current) {
  FileStart file = ReadFileStart(fs, path);
  LoadedDocument document{ParseTreeText(std::move(file.bytes)), current, file.nulLine};
  NameLoaded(document.state, path);
  ReadTrailer(TreeLines{document.tree}, std::move(file.options), document.state, fs.DisplayText(path));
  RestoreKinds(document.tree);
  ApplyFieldTable(document.tree, std::move(file.fields));
  return document;
}

LoadedSteps LoadTreeFileSteps(FileSystemPort& fs, const FilePath& path, const DocumentState& current) {
  FileStart file = ReadFileStart(fs, path);
  auto bytes = std::make_unique<const std::string>(std::move(file.bytes));
  StepsParse parse = ParseStepsOf(*bytes);
  if (!parse.error.empty()) throw VelmoraError(parse.error);
  LoadedSteps read{std::move(bytes), std::move(parse.steps), current, file.nulLine, {}};
  NameLoaded(read.state, path);
  ReadTrailer(StepLines{read.steps}, std::move(file.options), read.state, fs.DisplayText(path));
  RestoreKinds(read.steps);
  read.fields = std::move(file.fields);
  // A position past the last node names none: a damaged section.
  while (!read.fields.empty() && read.fields.back().position >= read.steps.Size()) read.fields.pop_back();
  ApplyOutcomes(read.steps, read.fields);
  return read;
}

namespace {

// The text goes to the file's temporary stand-in as it is made; the file
// itself is replaced only once all of it is on the disk.
template <typename Procedure>
void SaveProcedure(FileSystemPort& fs, const FilePath& path, const Procedure& procedure, const DocumentState& state) {
  fs.StreamFileAtomically(path, [&](ByteSink& sink) { WriteTreeText(sink, procedure, state); });
}

}  // namespace

void SaveTreeFile(FileSystemPort& fs, const FilePath& path, const DecisionTree& tree, const DocumentState& state) {
  SaveProcedure(fs, path, tree, state);
}

void SaveTreeFile(FileSystemPort& fs, const FilePath& path, const StepProcedure& steps, const DocumentState& state) {
  SaveProcedure(fs, path, steps, state);
}

}  // namespace velmora
