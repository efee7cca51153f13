#include "distribution/GenerateCommand.h"

#include <optional>

#include "distribution/PlayerStub.h"
#include "files/DistributionPayload.h"
#include "files/DocumentCommands.h"

namespace velmora {
namespace {

// "配布用単体EXEファイルを保存"
constexpr const char* kSaveDialog2Title =
    "\x94\x7a\x95\x7a\x97\x70\x92\x50\x91\xcc" "EXE\x83\x74\x83\x40\x83\x43\x83\x8b\x82\xf0\x95\xdb\x91\xb6";
// "実行ファイル(*.EXE)|*.EXE|すべてのファイル(*.*)|*.*"
constexpr const char* kSaveDialog2Filter =
    "\x8e\xc0\x8d\x73\x83\x74\x83\x40\x83\x43\x83\x8b(*.EXE)|*.EXE|\x82\xb7\x82\xd7\x82\xc4\x82\xcc\x83\x74\x83\x40"
    "\x83\x43\x83\x8b(*.*)|*.*";

}  // namespace

FileDialogRequest SaveDialog2() {
  FileDialogRequest request = SaveDialog1();
  request.title = kSaveDialog2Title;
  request.filter = kSaveDialog2Filter;
  request.defaultExtension = "EXE";
  return request;
}

bool GenerateBtnClick(Editor& editor, const GeneratePorts& ports, const FilePath& programPath,
                      const std::string& caption) {
  FileDialogRequest request = SaveDialog2();
  ProposeDocumentName(request, editor, ports.files, [](const FilePath& name) { return name.WithExtension(".EXE"); });
  const std::optional<FilePath> chosen = ports.dialogs.ShowSaveDialog(request);
  if (!chosen) return false;
  const FilePath output = ports.files.Absolute(*chosen);

  const std::string stub = ReadPlayerStub(ports.files, programPath.WithExtension(".bin"));
  ports.files.WriteFileAtomically(output, BuildDistributionExecutable(stub, editor.Tree(), editor.State()));

  TellWrittenAndOfferFolder(ports, output, kGeneratedTail, caption);
  return true;
}

void TellWrittenAndOfferFolder(const GeneratePorts& ports, const FilePath& output, const std::string& tail,
                               const std::string& caption) {
  const std::string question = ports.files.DisplayText(output) + tail + "\r\n\r\n" + kOpenOutputFolderQuestion;
  if (ports.messages.ShowMessage(question, caption, kConfirmationFlags) != message_box::kAnswerNo) {
    ports.shell.OpenInShell(output.Folder().Utf8());
  }
}

}  // namespace velmora
