#pragma once
// A document as a reader hands it over: the tree and the state read with it.
// Apart from the tree file reader so that the player's runtime, which reads
// generated executables only, needs nothing of the tree file writer or of
// the file system ports.

#include <cstddef>
#include <memory>
#include <string>

#include "document/DecisionTree.h"
#include "document/DocumentState.h"
#include "document/LaterFields.h"
#include "document/StepList.h"

namespace velmora {

struct LoadedDocument {
  DecisionTree tree;
  DocumentState state;
  // The line on which a NUL byte ended the reading (counted from 1), or 0
  // when the whole file was read.
  std::size_t stoppedAtNulLine = 0;
};

// A document read as a list of steps, before or instead of a tree: a
// command that only carries a procedure from one file to another (convert)
// needs no more, and the editor's readers make their tree from it, so each
// format has one reader.
struct LoadedSteps {
  // The bytes the steps point into where the list keeps no copy of its own
  // (a tree file, read whole): a string of its own on the heap, so that
  // they stay in place however short they are and wherever this moves.
  std::unique_ptr<const std::string> bytes;
  StepList steps;
  DocumentState state;
  // As in LoadedDocument.
  std::size_t stoppedAtNulLine = 0;
  // The declared fields of the steps' nodes.
  FieldTable fields;
};

// A procedure held as a list of steps, whole: the steps and their nodes'
// declared fields, as the writers take it.
struct StepProcedure {
  const StepList& steps;
  const FieldTable& fields;
};

// The tree of `read`'s steps with its state; its texts point into one copy
// of the steps' bytes.
LoadedDocument DocumentOfSteps(LoadedSteps read);

// Turns the kind marker at the start of every node text into the node's kind
// (either letter case); the document readers do it as they read, once (a
// second time would take a text that begins like a marker for one). A text
// beginning with ";" stays whole as a Question;
// a text without marker becomes a Question when the node has answers, else
// an Information.
void RestoreKinds(DecisionTree& tree);
void RestoreKinds(StepList& steps);

}  // namespace velmora
