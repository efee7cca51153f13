#pragma once
// A document as a reader hands it over: the tree and the state read with it.
// Apart from the tree file reader so that the player's runtime, which reads
// generated executables only, needs nothing of the tree file writer or of
// the file system ports.

#include <cstddef>

#include "document/DecisionTree.h"
#include "document/DocumentState.h"
#include "document/StepList.h"

namespace velmora {

struct LoadedDocument {
  DecisionTree tree;
  DocumentState state;
  // The line on which a NUL byte ended the reading (counted from 1), or 0
  // when the whole file was read.
  std::size_t stoppedAtNulLine = 0;
};

// Turns the kind marker at the start of every node text into the node's kind
// (either letter case); the document readers do it as they read, once (a
// second time would take a text that begins like a marker for one). A text
// beginning with ";" stays whole as a Question;
// a text without marker becomes a Question when the node has answers, else
// an Information.
void RestoreKinds(DecisionTree& tree);
void RestoreKinds(StepList& steps);

}  // namespace velmora
