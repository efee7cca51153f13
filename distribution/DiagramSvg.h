#pragma once
// The procedure as a picture to review and print: an SVG file with one box
// per node (its kind's icon and colour, its text broken where the newline
// mark stands), edges labelled with the answers, the default answer drawn
// bold, and the answers a run can never reach (the middle children of a node
// with three or more) greyed with everything below them. Boxes are placed by
// the tidy-tree layout, top-down or from left to right, and sized by the
// font's real metrics (TextMeasure.h). The file grows linearly with the tree.

#include <cstddef>
#include <vector>

#include "distribution/DiagramNodes.h"
#include "document/DecisionTree.h"
#include "document/DocumentState.h"
#include "document/LaterFields.h"
#include "files/ByteSink.h"
#include "files/FileSystemPort.h"

namespace velmora {

struct DiagramOptions {
  bool horizontal = false;  // the tree grows from left to right instead of downwards
  // How often runs showed each node (by its place in pre-order), from the
  // run records: each box then says its count ("実行 12 回") and is shaded
  // the darker the more it was visited. Null: a plain diagram.
  const std::vector<std::size_t>* visits = nullptr;
  // The nodes' declared fields by position (null: none): a node with a
  // picture says so in its box ("［画像］").
  const FieldTable* fields = nullptr;
  // Each box with a picture shows it too, scaled down under its text, the
  // picture's words as its title.
  bool pictures = false;
};

// Writes the whole SVG document (UTF-8) into `sink`. An empty tree gives a
// valid, empty picture with the title.
void WriteDiagramSvg(const DecisionTree& tree, const DocumentState& state, const DiagramOptions& options,
                     ByteSink& sink);
// The same from the procedure's nodes as shown.
void WriteDiagramSvg(const ShownNodes& shown, const DocumentState& state, const DiagramOptions& options,
                     ByteSink& sink);

// Writes the diagram to `path` in one step through the file-system port: a
// failure leaves any earlier file as it was (the port raises the
// cannot-create message).
void ExportDiagramSvg(FileSystemPort& files, const FilePath& path, const DecisionTree& tree,
                      const DocumentState& state, const DiagramOptions& options);

}  // namespace velmora
