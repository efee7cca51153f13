// TForm1: the document's file commands, the command-line file and dropped
// files.
#include "app/Unit1.h"

namespace velmora::win32 {

void TForm1::New1Click() {
  editor_.ResetToStartingTree();
  DocumentState& state = editor_.State();
  state.CurrentFileName.clear();
  state.Title.clear();
  state.Modified = false;
  editor_.Commands().Save = false;
  editor_.ResetTreeView();
  SetCaption(productTitle_);
}

void TForm1::Read1Click() {}

void TForm1::Save1Click() {}

void TForm1::SaveAs1Click() {}

void TForm1::GenerateBtnClick() {}

void TForm1::History1Click(int /*slot*/) {}

void TForm1::FormShow(const std::vector<std::wstring>& /*arguments*/) {}

void TForm1::FormDropFiles(HDROP /*drop*/) {}

}  // namespace velmora::win32
