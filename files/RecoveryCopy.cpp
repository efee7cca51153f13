#include "files/RecoveryCopy.h"

#include <utility>

#include "files/IniText.h"

namespace velmora {
namespace {

constexpr std::string_view kPathKey = "Path";
constexpr std::string_view kRecoveryExtension = ".recovery";

}  // namespace

RecoveryCopy::RecoveryCopy(FileSystemPort& files, const FilePath& folder, const FilePath& programPath)
    : files_(files), path_(folder.Join(programPath.Stem().Utf8() + std::string(kRecoveryExtension))) {}

void RecoveryCopy::Write(const DecisionTree& tree, const DocumentState& state) {
  // The option block ends the tree text, so the key appended after it
  // still belongs to that block.
  files_.StreamFileAtomically(path_, [&](ByteSink& sink) {
    WriteTreeText(sink, tree, state);
    sink.Write(std::string(kPathKey) + "=" + state.CurrentFileName.Utf8() + "\r\n");
  });
}

bool RecoveryCopy::Remove() { return files_.RemoveFile(path_); }

// An empty file is what a port that cannot delete leaves for a removed copy.
bool RecoveryCopy::Left() { return files_.FileExists(path_) && !files_.ReadWholeFile(path_).empty(); }

LoadedDocument RecoveryCopy::Read(const DocumentState& current) {
  LoadedDocument document = LoadTreeFile(files_, path_, current);
  RestoreKinds(document.tree);
  const std::string bytes = files_.ReadWholeFile(path_);
  document.state.CurrentFileName = FilePath::FromUtf8(IniString(FindLastIniSection(bytes, "OPTION"), kPathKey, ""));
  document.state.Modified = true;
  return document;
}

void OpenRecoveredDocument(Editor& editor, LoadedDocument document) {
  document.tree.ExpandAll();
  editor.ReplaceDocument(std::move(document.tree), std::move(document.state));
  editor.ResetTreeView();
  editor.MarkModified();
  editor.Commands().SaveAs = true;
}

}  // namespace velmora
