#pragma once
// The view side of the shared steps: what the core asks of the window that
// shows the tree. The Win32 shell implements it; tests use a fake.

namespace velmora {

class EditorView {
 public:
  virtual ~EditorView() = default;
  // The root becomes the top visible item and the horizontal scroll position
  // goes back to 0 (the second half of ResetTreeView). The view applies it
  // after it has brought its items up to date with the model.
  virtual void ScrollToOrigin() = 0;
};

// For programs without a tree on screen (the CLI, the player, tests).
class NullEditorView : public EditorView {
 public:
  void ScrollToOrigin() override {}
};

}  // namespace velmora
