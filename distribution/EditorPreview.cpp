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
    // lone root that the selection handling would leave disabled.
    editor.Commands().PreView = true;
    editor.Commands().Generate = true;
    notify();
  });
  RunPreview(editor.Tree(), editor.State(), editor.Selected(), dialogs, taskbar, [&](TreeNode* node) {
    if (editor.Selected() != node) editor.Select(node);
    editor.CurrentNode = node;
    // Moving the selection re-evaluates Generate, so both are disabled again
    // at every step, before the window shows the new state.
    editor.Commands().PreView = false;
    editor.Commands().Generate = false;
    notify();
  });
}

}  // namespace velmora
