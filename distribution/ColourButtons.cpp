#include "distribution/ColourButtons.h"

#include "document/Editor.h"

namespace velmora {

int SelectedColourButton(int color) {
  return (color == kColourGreen || color == kColourYellow || color == kColourRed) ? color : 0;
}

void ChooseProgressColour(Editor& editor, int color) {
  editor.State().Color = color;
  if (editor.State().CurrentFileName.Empty()) return;
  editor.MarkModified();
  editor.Commands().SaveAs = true;
}

}  // namespace velmora
