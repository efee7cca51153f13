// The editor's side of a preview run: the selection and the commands follow
// the run. Apart from the run itself, which the player stub shares.
#include "distribution/PreviewRun.h"
#include "distribution/RunEnd.h"
#include "document/Editor.h"

namespace velmora {

void RunEditorPreview(Editor& editor, StepDialogPort& dialogs, TaskbarProgressPort* taskbar,
                      const std::function<void()>& showChanges) {
  const auto notify = [&showChanges] {
    if (showChanges) showChanges();
  };
  RunEnd restoreEditor([&editor, &notify] {
    editor.ResetTreeView();
    // Both come back whatever the size of the tree: Generate too, even for a
    // lone root, until the selection moves.
    editor.PreviewEnded();
    notify();
  });
  RunPreview(editor.Tree(), editor.State(), editor.Selected(), dialogs, taskbar, [&](TreeNode* node) {
    editor.PreviewStarted();
    if (editor.Selected() != node) editor.Select(node);
    editor.CurrentNode = node;
    notify();
  });
}

}  // namespace velmora
