// The application core's commands before release: the check window's state,
// the comparison with another version and the exports of the distribution
// menu.
#include "app/AppCore.h"
#include "distribution/ExportCommands.h"
#include "files/FileMessages.h"
#include "files/OpenDocument.h"

namespace velmora {
namespace {

void Export(ExportFormat format, const Editor& editor, const AppPorts& ports, const std::string& caption) {
  ExportDocument(format, editor, GeneratePorts{ports.files, ports.dialogs, ports.dialogs, ports.shell}, caption);
}

}  // namespace

void AppCore::OpenCheck() {
  check_.Open();
  Request(ViewRequest::ShowCheck);
}

void AppCore::CloseCheck() { check_.Close(); }

bool AppCore::SelectCheckedNode(NodeId id) {
  TreeNode* node = NodeOfRow(editor_.Tree(), id);
  if (node == nullptr) return false;
  Select(node);
  // A node inside a folded branch would be selected out of sight.
  Request(ViewRequest::RevealSelection);
  return editor_.Selected() == node;
}

void AppCore::ExportPaths() { Export(ExportFormat::PathTable, editor_, ports_, caption_); }

void AppCore::ExportDiagram() { Export(ExportFormat::Diagram, editor_, ports_, caption_); }

void AppCore::ExportHtml() { Export(ExportFormat::HtmlPlayer, editor_, ports_, caption_); }

void AppCore::ExportBook() { Export(ExportFormat::Book, editor_, ports_, caption_); }

// The open dialog of Read, titled for the comparison; the chosen file is read
// as Read reads it, but the document stays as it is.
void AppCore::OpenComparison() {
  FileDialogRequest request = OpenDialog1(editor_.InitialDir);
  // ファイルと比較
  request.title = "\x83\x74\x83\x40\x83\x43\x83\x8b\x82\xc6\x94\xe4\x8a\x72";
  const std::optional<FilePath> chosen = ports_.dialogs.ShowOpenDialog(request);
  if (!chosen) return;
  const FilePath path = ports_.files.Absolute(*chosen);
  std::optional<LoadedDocument> base = ReadDocumentFile(ports_.files, path, DocumentState{});
  if (!base) {
    ports_.dialogs.ShowMessage(UnsupportedExtensionMessage(ports_.files.DisplayText(path.FileName())), caption_,
                               message_box::kOk);
    return;
  }
  comparison_.Open(std::move(*base), ports_.files.DisplayText(path.FileName()));
  Request(ViewRequest::ShowComparison);
}

void AppCore::CloseComparison() { comparison_.Close(); }

// The records of the version the generated program names: the document as
// it would be saved now. A folder that cannot be read raises the general
// error report, naming it.
void AppCore::OpenRunStatistics() {
  const DocumentState& state = editor_.State();
  if (state.RecordFolder.empty()) return;
  RunStatisticsBuilder builder = StatisticsBuilderFor(editor_.Tree(), state);
  AddRecordFolder(ports_.files, ports_.files.FromCp932(state.RecordFolder), builder);
  runStatistics_.Open(RunStatisticsReportOf(editor_.Tree(), builder.Finish()));
  Request(ViewRequest::ShowRunStatistics);
}

}  // namespace velmora
