// TForm1: the document's file commands, Generate, the command-line file and
// dropped files. The core's DocumentCommands and GenerateBtnClick decide
// everything; this file hands them the real dialogs, the shell and the
// window's caption.
#include "app/win32/Unit1.h"

#include "distribution/GenerateCommand.h"
#include "distribution/win32/Win32FolderOpen.h"
#include "files/DocumentCommands.h"
#include "files/win32/Win32FileDialogs.h"
#include "files/win32/Win32ShortcutResolver.h"
#include "win32/WideText.h"

namespace velmora::win32 {

template <typename Command>
auto TForm1::RunDocumentCommand(Command&& command) {
  // The caption follows the model even when the command fails part-way
  // (a Save As inside New may have renamed the document already).
  struct ShowCaption {
    TForm1& form;
    ~ShowCaption() {
      try {
        form.SetCaption(form.documentCaption_);
      } catch (...) {
        // Out of memory for the caption: the old one stays on screen.
      }
    }
  } showCaption{*this};
  Win32FileDialogs dialogs(hwnd_);
  Win32ShortcutResolver shortcuts;
  DocumentCommands documents(
      editor_, DocumentPorts{files_, *messageBoxes_, dialogs, *documentHistory_, &shortcuts},
      productTitle_, documentCaption_);
  return command(documents);
}

void TForm1::New1Click() {
  RunDocumentCommand([](DocumentCommands& documents) { documents.New1Click(); });
}

void TForm1::Read1Click() {
  RunDocumentCommand([](DocumentCommands& documents) { documents.Read1Click(); });
}

void TForm1::Save1Click() {
  RunDocumentCommand([](DocumentCommands& documents) { documents.Save1Click(); });
}

bool TForm1::SaveAs1Click() {
  return RunDocumentCommand([](DocumentCommands& documents) { return documents.SaveAs1Click(); });
}

void TForm1::GenerateBtnClick() {
  Win32FileDialogs dialogs(hwnd_);
  Win32FolderOpen folders(hwnd_);
  velmora::GenerateBtnClick(editor_, GeneratePorts{files_, *messageBoxes_, dialogs, folders}, ProgramPath(),
                            documentCaption_);
}

void TForm1::OpenDocumentFile(const FilePath& path) {
  RunDocumentCommand([&path](DocumentCommands& documents) { documents.Open(path); });
}

FilePath TForm1::ProgramPath() const { return programPath_; }

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
