// TForm1: the document's file commands, the command-line file and dropped
// files.
#include "app/win32/Unit1.h"

#include "win32/WideText.h"
#include "distribution/DistributionPayload.h"
#include "files/OpenDocument.h"

namespace velmora::win32 {

void TForm1::New1Click() {
  editor_.ResetToStartingTree();
  DocumentState& state = editor_.State();
  state.CurrentFileName = FilePath();
  state.Title.clear();
  state.Modified = false;
  editor_.Commands().Save = false;
  editor_.ResetTreeView();
  SetCaption(productTitle_);
}

void TForm1::Read1Click() {}

void TForm1::Save1Click() {}

bool TForm1::SaveAs1Click() { return false; }

void TForm1::GenerateBtnClick() {}

void TForm1::OpenDocumentFile(const FilePath& path) {
  const std::optional<OpenedDocument> opened =
      OpenDocument(editor_, files_, *messageBoxes_, &ReadDistributionPayload, path, productTitle_, CurrentCaption());
  if (!opened) return;
  SetCaption(opened->caption);
  // Until the tree-file reader reports its loads to the recent-file list.
  if (path.LowerCaseExtension() == ".tre") recentFiles_.AddToHistory(editor_.State().CurrentFileName);
}

// The first command-line argument, once the window is on screen; further
// arguments are ignored.
void TForm1::FormShow(const std::vector<std::wstring>& arguments) {
  if (arguments.empty()) return;
  OpenDocumentFile(FromWidePath(arguments.front()));
}

// Only the first of several dropped files opens, without a question about
// unsaved changes (dropping is itself the decision).
void TForm1::FormDropFiles(HDROP drop) {
  const UINT length = DragQueryFileW(drop, 0, nullptr, 0);
  std::wstring path(length + 1, L'\0');
  DragQueryFileW(drop, 0, path.data(), length + 1);
  path.resize(length);
  OpenDocumentFile(FromWidePath(path));
}

}  // namespace velmora::win32
