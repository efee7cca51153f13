// TForm1: the handlers of the tree editing commands.
#include "app/Unit1.h"

#include "app/WideText.h"

namespace velmora::win32 {

void TForm1::TreeView1Change(TreeNode* selected) {
  if (selected != nullptr) editor_.Select(selected);
}

void TForm1::TreeView1DblClick() {}

void TForm1::TreeView1KeyPress(wchar_t& /*key*/) {}

void TForm1::TreeView1Editing(bool& allowEdit) { allowEdit = false; }

void TForm1::TreeView1Edited(std::wstring& /*text*/) {}

void TForm1::AddYes1Click() {}

void TForm1::Exchange1Click() {}

void TForm1::Delete1Click() {}

void TForm1::Question1Click() {}

void TForm1::Information1Click() {}

void TForm1::Exclaimation1Click() {}

void TForm1::Inhibit1Click() {}

void TForm1::YesDefault1Click() {}

void TForm1::NoDefault1Click() {}

void TForm1::NewLine1Click() {}

void TForm1::ShowButtons1Click() {}

void TForm1::CloseQuery1Click() {}

void TForm1::SaveStatus1Click() {}

void TForm1::LabeledEdit1Change() {
  const int length = GetWindowTextLengthW(controls_.LabeledEdit1);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  GetWindowTextW(controls_.LabeledEdit1, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(length));
  editor_.State().Title = ToCp932(text);
}

void TForm1::LabeledEdit1KeyPress(wchar_t& /*key*/) {}

}  // namespace velmora::win32
