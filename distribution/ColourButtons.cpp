#include "distribution/ColourButtons.h"

#include "document/Editor.h"

namespace velmora {

int SelectedColourButton(int color) {
  return (color == kColourGreen || color == kColourYellow || color == kColourRed) ? color : 0;
}

void ChooseProgressColour(Editor& editor, int color) {
  // The edit marks a document with a file modified; a colour for a
  // document without one changes no file yet.
  editor.SetColour(color);
  if (!editor.State().CurrentFileName.Empty()) editor.OfferSaveAs();
}

}  // namespace velmora
