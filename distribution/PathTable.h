#pragma once
// Every path through a procedure: one row for each end that a run from the
// root can reach, with the answers that lead there, the end's kind and its
// message. Reviewers read it instead of walking every path in the preview;
// `velmora-cli paths` prints it and the editor writes it to a file.
//
// A run follows the first answer for Yes and the last for No, so the middle
// answers of a node with more than two are left out; it follows an end's
// link to where it goes on, once round a loop. A node with one answer
// leads there on either button; its step is one "はい/いいえ" rather than two
// rows, or a chain of such nodes would double the table at every step.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "document/DecisionTree.h"
#include "files/ByteSink.h"
#include "files/FileSystemPort.h"

namespace velmora {

// Link: an end's link taken to where the run goes on.
enum class PathAnswer { Yes, No, Either, Link };

// "はい", "いいえ", "はい/いいえ" (CP932); nothing for a link, which the
// table names by its target's line (PathWalk).
std::string_view PathAnswerText(PathAnswer answer);

// The way to an end: one answer per question on the way and one Link per
// link taken (empty when the root itself is the end), the line each link
// goes on at, and whether the path stops short. A path reaches a node at
// most twice: once round a loop, and the link that would go round again
// ends it (`repeats`, at the end whose link it is).
struct PathWalk {
  std::vector<PathAnswer> answers;
  std::vector<std::size_t> linkLines;
  bool repeats = false;
};

// Calls `visit` for each end of a path in the order a reader expects: the
// Yes side before the No side, depth first. Memory is that of the longest
// path; never recurses.
using PathEndVisitor = std::function<void(const PathWalk& walk, const TreeNode& end)>;
void ForEachPathEnd(const DecisionTree& tree, const PathEndVisitor& visit);

enum class PathTableFormat {
  // A header line, then "はい > いいえ > はい<TAB>通知<TAB>message" per end.
  Text,
  // The same three columns as RFC 4180 CSV, every field quoted.
  Csv,
};

struct PathTableOptions {
  PathTableFormat format = PathTableFormat::Text;
  // CR LF for a file the editor writes; a terminal wants LF.
  std::string_view lineEnd = "\r\n";
};

// The table in CP932 (the messages as held, with their newline marks, so a
// row stays one line), written in pieces of some ten kilobytes.
void WritePathTable(ByteSink& sink, const DecisionTree& tree, const PathTableOptions& options);

// The table as a file (the editor's export): written atomically in pieces,
// so a failure leaves an older file as it was. Throws the port's
// cannot-create error.
void SavePathTable(FileSystemPort& fs, const FilePath& path, const DecisionTree& tree,
                   const PathTableOptions& options);

}  // namespace velmora
