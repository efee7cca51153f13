#pragma once
// Tree files (".tre"): the writer, LoadTreeFile and the kind restoration.
// Loading parses into a fresh tree and a copy of the document state, so a
// file that fails to load leaves the open document exactly as it was; only
// the caller's replacement of the whole document makes a load visible.

#include <string>

#include "document/DecisionTree.h"
#include "document/DocumentState.h"
#include "files/ByteSink.h"
#include "files/FileSystemPort.h"
#include "files/LoadedDocument.h"

namespace velmora {

// The stored form of a document: the nodes in pre-order, one line each with
// one TAB per level and the node's kind marker before its text, then the
// four-line "[OPTION]" block, then the nodes' declared fields where any
// carries one (FieldSection.h); every line ends in CR LF. The tree itself is
// not changed (markers exist only in the output).
std::string BuildTreeText(const DecisionTree& tree, const DocumentState& state);
// The same text, appended to `text` (for a caller that reserved room for it
// with TreeTextSize), or written in chunks to `sink`.
void AppendTreeText(std::string& text, const DecisionTree& tree, const DocumentState& state);
void WriteTreeText(ByteSink& sink, const DecisionTree& tree, const DocumentState& state);
// The exact size of that text in bytes.
std::size_t TreeTextSize(const DecisionTree& tree, const DocumentState& state);
// The same for a procedure read as a list of steps (its kinds restored).
void AppendTreeText(std::string& text, const StepProcedure& steps, const DocumentState& state);
void WriteTreeText(ByteSink& sink, const StepProcedure& steps, const DocumentState& state);
std::size_t TreeTextSize(const StepProcedure& steps, const DocumentState& state);
// The lines of `top`'s branch in the same form, `top` without a TAB.
std::string BranchLines(const DecisionTree& tree, const TreeNode& top);

// Reads a tree file. The result's state is `current` with the file's path,
// title, newline mark and (for files with an option block) colour; a legacy
// file without a mark or colour keeps those of `current`. The kinds are
// restored from the markers (LoadedDocument.h): every reader of a document
// (the editor, the command line, the player, the recovery copy) gets it
// as it opens.
// A NUL byte ends the text; the result says on which line.
// Throws VelmoraError (cannot open, invalid level, no procedure).
LoadedDocument LoadTreeFile(FileSystemPort& fs, const FilePath& path, const DocumentState& current);
// The same reading into a list of steps, for a command that builds no tree:
// the steps take the file's bytes over, so the file is in memory once.
LoadedSteps LoadTreeFileSteps(FileSystemPort& fs, const FilePath& path, const DocumentState& current);

// Writes the document to `path` atomically, in chunks as the text is made;
// throws the cannot-create error.
void SaveTreeFile(FileSystemPort& fs, const FilePath& path, const DecisionTree& tree, const DocumentState& state);
void SaveTreeFile(FileSystemPort& fs, const FilePath& path, const StepProcedure& steps, const DocumentState& state);

}  // namespace velmora
