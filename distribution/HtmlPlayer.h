#pragma once
// The procedure for anyone with a browser: one self-contained HTML file (no
// network, no other files) that runs it as the step dialogs do. The caption
// is the title, the message keeps its line breaks, the kind's icon stands
// beside it, the buttons are those of the step dialogs (はい/いいえ/戻る,
// ＯＫ/戻る, 終了 at the top level) with the default one focused, Y, N and Enter
// work as there and Escape only on an end of a path, and the document's
// colour fills a bar by the depth of the node. At the end it shows the path
// taken (the title, each question with its answer, the final message) with a
// button "経路をコピー" to paste it into a support request.

#include "distribution/DiagramNodes.h"
#include "document/DecisionTree.h"
#include "document/DocumentState.h"
#include "document/LaterFields.h"
#include "files/ByteSink.h"
#include "files/FileSystemPort.h"

namespace velmora {

// Writes the whole HTML document (UTF-8) into `sink`. Only what a run from
// the root can reach goes in; an empty tree gives a page that ends at once.
void WriteHtmlPlayer(const DecisionTree& tree, const DocumentState& state, ByteSink& sink);
// The same from the procedure's nodes as shown, made once for several
// exports of one procedure, with their declared fields by position (null
// for none): a step's picture shows above its message.
void WriteHtmlPlayer(const ShownNodes& shown, const DocumentState& state, ByteSink& sink,
                     const FieldTable* fields = nullptr);

// Writes the page to `path` in one step through the file-system port: a
// failure leaves any earlier file as it was.
void ExportHtmlPlayer(FileSystemPort& files, const FilePath& path, const DecisionTree& tree,
                      const DocumentState& state);

}  // namespace velmora
