#pragma once
// The colour radio buttons "緑", "黄" and "赤": the document's Color and the
// taskbar colour of a run.

namespace velmora {

class Editor;

// The colour values of the three buttons, in their order on the window.
constexpr int kColourGreen = 1;
constexpr int kColourYellow = 2;
constexpr int kColourRed = 3;

// UpdateColourButtons: the colour whose button is to be selected, or 0 when
// none of the three is (any value but 1, 2 and 3).
int SelectedColourButton(int color);

// ProgressByGreen1Click and its siblings: sets Color. Only a document with a
// file name counts this as a change (Modified, Save and Save As enabled);
// for an unnamed one only the value changes.
void ChooseProgressColour(Editor& editor, int color);

}  // namespace velmora
