// The application core's commands before release: the check window's state
// and the three exports of the distribution menu.
#include "app/AppCore.h"
#include "distribution/ExportCommands.h"

namespace velmora {
namespace {

void Export(ExportFormat format, const Editor& editor, const AppPorts& ports, const std::string& caption) {
  ExportDocument(format, editor, GeneratePorts{ports.files, ports.dialogs, ports.dialogs, ports.shell}, caption);
}

}  // namespace

void AppCore::OpenCheck() { check_.Open(); }

void AppCore::CloseCheck() { check_.Close(); }

bool AppCore::SelectCheckedNode(NodeId id) {
  TreeNode* node = NodeOfRow(editor_.Tree(), id);
  if (node == nullptr) return false;
  // A node inside a folded branch would be selected out of sight.
  for (TreeNode* above = node->Parent(); above != nullptr; above = above->Parent()) above->expanded = true;
  Select(node);
  return editor_.Selected() == node;
}

void AppCore::ExportPaths() { Export(ExportFormat::PathTable, editor_, ports_, caption_); }

void AppCore::ExportDiagram() { Export(ExportFormat::Diagram, editor_, ports_, caption_); }

void AppCore::ExportHtml() { Export(ExportFormat::HtmlPlayer, editor_, ports_, caption_); }

}  // namespace velmora
