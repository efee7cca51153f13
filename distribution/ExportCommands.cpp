#include "distribution/ExportCommands.h"

#include <optional>

#include "distribution/DiagramSvg.h"
#include "distribution/HtmlPlayer.h"
#include "distribution/PathTable.h"
#include "distribution/ProcedureBook.h"
#include "files/DocumentCommands.h"

namespace velmora {
namespace {

// " に書き出しました。" (an ASCII space first), after the output's path.
constexpr const char* kExportedTail = " \x82\xc9\x8f\x91\x82\xab\x8f\x6f\x82\xb5\x82\xdc\x82\xb5\x82\xbd\x81\x42";

struct ExportLook {
  const char* title;
  const char* filter;
  const char* extension;  // without the dot
};

ExportLook LookOf(ExportFormat format) {
  switch (format) {
    case ExportFormat::PathTable:
      // "経路一覧を書き出し", "テキスト ファイル(*.txt)|*.txt|すべてのファイル(*.*)|*.*"
      return {"\x8c\x6f\x98\x48\x88\xea\x97\x97\x82\xf0\x8f\x91\x82\xab\x8f\x6f\x82\xb5",
              "\x83\x65\x83\x4c\x83\x58\x83\x67 \x83\x74\x83\x40\x83\x43\x83\x8b(*.txt)|*.txt|\x82\xb7\x82\xd7\x82\xc4"
              "\x82\xcc\x83\x74\x83\x40\x83\x43\x83\x8b(*.*)|*.*",
              "txt"};
    case ExportFormat::Diagram:
      // "図として書き出し", "SVG 画像(*.svg)|*.svg|すべてのファイル(*.*)|*.*"
      return {"\x90\x7d\x82\xc6\x82\xb5\x82\xc4\x8f\x91\x82\xab\x8f\x6f\x82\xb5",
              "SVG \x89\xe6\x91\x9c(*.svg)|*.svg|\x82\xb7\x82\xd7\x82\xc4\x82\xcc\x83\x74\x83\x40\x83\x43\x83\x8b(*.*)|*.*",
              "svg"};
    case ExportFormat::HtmlPlayer:
      // "HTML として書き出し", "HTML ファイル(*.html;*.htm)|*.html;*.htm|すべてのファイル(*.*)|*.*"
      return {"HTML \x82\xc6\x82\xb5\x82\xc4\x8f\x91\x82\xab\x8f\x6f\x82\xb5",
              "HTML \x83\x74\x83\x40\x83\x43\x83\x8b(*.html;*.htm)|*.html;*.htm|\x82\xb7\x82\xd7\x82\xc4\x82\xcc\x83\x74"
              "\x83\x40\x83\x43\x83\x8b(*.*)|*.*",
              "html"};
    case ExportFormat::Book:
      // "手順書として書き出し", the HTML filter as above
      return {"\x8e\xe8\x8f\x87\x8f\x91\x82\xc6\x82\xb5\x82\xc4\x8f\x91\x82\xab\x8f\x6f\x82\xb5",
              LookOf(ExportFormat::HtmlPlayer).filter, "html"};
  }
  return {};
}

void Write(ExportFormat format, const Editor& editor, FileSystemPort& files, const FilePath& output) {
  switch (format) {
    case ExportFormat::PathTable:
      // CR LF: a file the author opens in a Windows editor.
      SavePathTable(files, output, editor.Tree(), PathTableOptions{});
      return;
    case ExportFormat::Diagram:
      ExportDiagramSvg(files, output, editor.Tree(), editor.State(), DiagramOptions{});
      return;
    case ExportFormat::HtmlPlayer:
      ExportHtmlPlayer(files, output, editor.Tree(), editor.State());
      return;
    case ExportFormat::Book:
      files.StreamFileAtomically(output, [&](ByteSink& sink) {
        WriteProcedureBook(editor.Tree(), editor.State(), BookDateText(), sink);
      });
      return;
  }
}

}  // namespace

// The options of the document's own save dialog: the overwrite question
// above all, since an export usually replaces its last one.
FileDialogRequest ExportDialog(ExportFormat format) {
  const ExportLook look = LookOf(format);
  FileDialogRequest request = SaveDialog1();
  request.title = look.title;
  request.filter = look.filter;
  request.defaultExtension = look.extension;
  return request;
}

bool ExportDocument(ExportFormat format, const Editor& editor, const GeneratePorts& ports, const std::string& caption) {
  FileDialogRequest request = ExportDialog(format);
  const std::string extension = std::string(".") + LookOf(format).extension;
  ProposeDocumentName(request, editor, ports.files, [&](const FilePath& name) { return name.WithExtension(extension); });
  const std::optional<FilePath> chosen = ports.dialogs.ShowSaveDialog(request);
  if (!chosen) return false;
  const FilePath output = ports.files.Absolute(*chosen);
  Write(format, editor, ports.files, output);
  TellWrittenAndOfferFolder(ports, output, kExportedTail, caption);
  return true;
}

}  // namespace velmora
