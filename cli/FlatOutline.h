#pragma once
// The procedure as version control wants to read it: one line per node,
// led by the node's place, so a line names its node wherever a diff shows
// it, and a change to one node is a change to one line. Git runs it as a
// textconv filter and the external diff shows added and deleted files so.

#include <string>
#include <string_view>

#include "cli/CliHost.h"
#include "cli/OutputBuffer.h"
#include "files/TreeFile.h"

namespace velmora::cli {

// The node's kind in the node editor's words, with the default answer of a
// question: "[質問, 既定: はい]" (CP932), as both outlines lead a node.
std::string KindHeading(const TreeNode& node);
// A question's text without its default-answer suffix; an end's as it is.
std::string_view ShownText(const TreeNode& node);
// "Title: ...", "New line mark: ..." and "Colour: N (name)" lines.
void AppendDocumentFields(OutputBuffer& out, const DocumentState& state, std::string_view linePrefix = {});

// "/はい/いいえ [情報] text | note: value" for every node in pre-order (the
// first node's place is "/"), then the document's title, newline mark and
// colour; each line led by `linePrefix`.
void AppendFlatOutline(OutputBuffer& out, const LoadedDocument& document, std::string_view linePrefix = {});

// A file that is no procedure Velmora can read, as the flat outline stands
// for it: a text as it is, anything with a NUL byte as one line naming its
// size and a hash of its content, so a changed binary still shows as changed.
std::string NonProcedureText(std::string_view bytes);

// The procedure in `path`, or nothing when it is a regular file that is no
// procedure (the caller shows it as NonProcedureText). A missing or
// unreadable file throws as every command's open does.
const LoadedDocument* OpenProcedureOrNothing(CliHost& host, const FilePath& path);

}  // namespace velmora::cli
