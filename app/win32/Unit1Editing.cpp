// TForm1: the handlers of the tree editing commands. Each one hands the
// model to the core's command; the dispatch point then brings the tree
// view, the title box and the command states up to date.
#include <optional>
#include <string>

#include "app/win32/CommandIds.h"
#include "app/win32/Unit1.h"
#include "win32/Controls.h"
#include "win32/FlagScope.h"
#include "win32/WideText.h"
#include "document/EditCommands.h"
#include "document/win32/InputBox.h"
#include "document/win32/TextGuard.h"
#include "document/win32/Unit2.h"

namespace velmora::win32 {
namespace {

// A title is one line: a line break that slips into the box (a lone CR can
// survive pasting) would break the tree file.
std::wstring WithoutLineBreaks(std::wstring text) {
  std::wstring::size_type at;
  while ((at = text.find_first_of(L"\r\n")) != std::wstring::npos) text.erase(at, 1);
  return text;
}

}  // namespace

NodeEditorPort& TForm1::NodeEditor() {
  if (nodeEditor_ != nullptr) return *nodeEditor_;
  if (ownNodeEditor_ == nullptr) ownNodeEditor_ = std::make_unique<TForm2>(hwnd_);
  return *ownNodeEditor_;
}

InputBoxPort& TForm1::NewLineInputBox() {
  if (inputBox_ != nullptr) return *inputBox_;
  if (ownInputBox_ == nullptr) ownInputBox_ = std::make_unique<Win32InputBox>(hwnd_);
  return *ownInputBox_;
}

// Questions are captioned with the application title, which the document
// commands keep equal to the window caption.
std::string TForm1::CurrentCaption() const { return ToCp932(WindowText(hwnd_)); }

void TForm1::TreeView1Change(TreeNode* selected) {
  if (selected != nullptr) editor_.Select(selected);
}

void TForm1::TreeView1DblClick() { velmora::TreeView1DblClick(editor_, NodeEditor()); }

void TForm1::TreeView1KeyPress(wchar_t& key) {
  if (!velmora::TreeView1KeyPress(editor_, NodeEditor(), key)) key = 0;
}

// The tree view is created without in-place label editing (F2 and a slow
// click open the node editor instead); should an edit ever start, it is
// refused and the node editor runs in its place.
void TForm1::TreeView1Editing(bool& allowEdit) {
  allowEdit = false;
  velmora::TreeView1DblClick(editor_, NodeEditor());
}

// An edit that never starts cannot be committed; a label text would bypass
// the node editor's rules, so it is never stored.
void TForm1::TreeView1Edited(std::wstring& /*text*/) {}

void TForm1::AddYes1Click() { velmora::AddYes1Click(editor_); }

void TForm1::Exchange1Click() { velmora::Exchange1Click(editor_); }

void TForm1::Delete1Click() { velmora::Delete1Click(editor_, MessageBoxes(), CurrentCaption()); }

void TForm1::Question1Click() { velmora::Question1Click(editor_); }

void TForm1::Information1Click() { velmora::Information1Click(editor_); }

void TForm1::Exclaimation1Click() { velmora::Exclaimation1Click(editor_); }

void TForm1::Inhibit1Click() { velmora::Inhibit1Click(editor_); }

void TForm1::YesDefault1Click() { velmora::YesDefault1Click(editor_); }

void TForm1::NoDefault1Click() { velmora::NoDefault1Click(editor_); }

void TForm1::NewLine1Click() { velmora::NewLine1Click(editor_, NewLineInputBox(), productTitle_); }

void TForm1::ShowButtons1Click() { velmora::ShowButtons1Click(editor_, IsChecked(IDM_SHOWBUTTONS1)); }

void TForm1::CloseQuery1Click() { velmora::CloseQuery1Click(editor_, IsChecked(IDM_CLOSEQUERY1)); }

void TForm1::SaveStatus1Click() { velmora::SaveStatus1Click(editor_, IsChecked(IDM_SAVESTATUS1)); }

void TForm1::LabeledEdit1Change() {
  HWND box = controls_.LabeledEdit1;
  const std::wstring typed = WindowText(box);
  std::wstring text = WithoutLineBreaks(typed);
  // A character code page 932 cannot hold would be stored as "?": the
  // typed or pasted text is taken back and the character named.
  const std::optional<std::wstring> refused = FirstUnrepresentableChar(text);
  if (refused) text = ToWide(editor_.State().Title);
  if (text != typed) PutBackTitle(typed, text);
  if (refused) {
    ShowUnrepresentableChar(hwnd_, *refused);
    SetFocus(box);
    return;
  }
  velmora::LabeledEdit1Change(editor_, ToCp932(text));
}

// The box shows `text` instead of `typed`, the caret where the removed
// input began.
void TForm1::PutBackTitle(const std::wstring& typed, const std::wstring& text) {
  HWND box = controls_.LabeledEdit1;
  DWORD caret = 0;
  SendMessageW(box, EM_GETSEL, 0, reinterpret_cast<LPARAM>(&caret));
  const std::size_t removed = typed.size() > text.size() ? typed.size() - text.size() : 0;
  std::size_t at = caret >= removed ? caret - removed : 0;
  if (at > text.size()) at = text.size();
  {
    const FlagScope syncing(syncing_);
    SetWindowTextW(box, text.c_str());
  }
  SendMessageW(box, EM_SETSEL, at, static_cast<LPARAM>(at));
}

void TForm1::LabeledEdit1KeyPress(wchar_t& key) {
  if (!velmora::LabeledEdit1KeyPress(key)) key = 0;
}

}  // namespace velmora::win32
