#pragma once
// Find as the find box, F3 and Shift+F3 use it. The search text lives here,
// not in the box, so F3 goes on with it after the box is closed. Each step
// moves the editor's selection to the next or previous matching node (the
// search wraps at either end) and opens the branches above it, so the tree
// view can show the node it selects.

#include <string>

#include "document/Editor.h"
#include "document/NodeSearch.h"

namespace velmora {

class TextFinder {
 public:
  // A new search text (CP932); the status of the old one no longer holds.
  void SetText(std::string cp932);
  const std::string& Text() const { return text_; }
  bool HasText() const { return !text_.empty(); }
  // Whether a node matches by its declared fields too (the author's note).
  void SetInFields(bool inFields);
  bool InFields() const { return inFields_; }

  // Selects the next or previous match from the selected node on. False
  // when no node matches (the selection stays).
  bool Step(Editor& editor, SearchDirection direction);

  // "n 件中 m 件目" after a step that found, "見つかりません" after one that
  // did not; empty before the first step with this text.
  const std::string& Status() const { return status_; }

 private:
  std::string text_;
  std::string status_;
  bool inFields_ = false;
};

}  // namespace velmora
