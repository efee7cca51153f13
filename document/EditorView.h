#pragma once
// What the commands ask of the window that shows the tree, beyond showing
// the model: how the tree view is scrolled and folded is the window's own
// state, not the document's. The application core passes these on to the
// window as requests of its view; tests use a fake.

namespace velmora {

class EditorView {
 public:
  virtual ~EditorView() = default;
  // The root becomes the top visible item and the horizontal scroll position
  // goes back to 0 (the second half of ResetTreeView). The view applies it
  // after it has brought its items up to date with the model.
  virtual void ScrollToOrigin() = 0;
  // Every branch unfolded, as the editor shows a procedure after most of
  // its commands.
  virtual void ExpandAll() = 0;
};

// For programs without a tree on screen (the CLI, the player, tests).
class NullEditorView : public EditorView {
 public:
  void ScrollToOrigin() override {}
  void ExpandAll() override {}
};

}  // namespace velmora
