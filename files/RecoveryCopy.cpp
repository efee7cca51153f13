#include "files/RecoveryCopy.h"

#include <cstdint>
#include <ctime>
#include <optional>
#include <utility>

#include "files/IniText.h"

namespace velmora {
namespace {

constexpr std::string_view kPathKey = "Path";
constexpr std::string_view kSavedKey = "Saved";

// ファイル: , 無題, 控えの時刻: , 「いいえ」を選ぶと、この控えは削除されます。
constexpr std::string_view kFileLabel = "\x83\x74\x83\x40\x83\x43\x83\x8b\x3a\x20";
constexpr std::string_view kUntitled = "\x96\xb3\x91\xe8";
constexpr std::string_view kSavedLabel = "\x8d\x54\x82\xa6\x82\xcc\x8e\x9e\x8d\x8f\x3a\x20";
constexpr std::string_view kNoDeletes =
    "\x81\x75\x82\xa2\x82\xa2\x82\xa6\x81\x76\x82\xf0\x91\x49\x82\xd4\x82\xc6\x81\x41\x82\xb1\x82\xcc\x8d\x54"
    "\x82\xa6\x82\xcd\x8d\xed\x8f\x9c\x82\xb3\x82\xea\x82\xdc\x82\xb7\x81\x42";

// The local time of the write, as the offer shows it.
std::string NowText() {
  const std::time_t now = std::time(nullptr);
  const std::tm* local = std::localtime(&now);
  if (local == nullptr) return {};
  char text[32] = {};
  std::strftime(text, sizeof text, "%Y/%m/%d %H:%M", local);
  return text;
}
constexpr std::string_view kRecoveryExtension = ".recovery";
constexpr std::string_view kRecoverySection = "[RECOVERY]";

std::optional<IniSectionView> RecoveryKeys(std::string_view bytes) {
  std::optional<IniSectionView> keys = FindLastIniSection(bytes, "RECOVERY");
  return keys ? keys : FindLastIniSection(bytes, "OPTION");
}

// Beside the program every program has its folder; in a shared folder two
// programs of the same name (two generated procedures) must not meet, so
// the name there carries a number made from the program's whole path.
std::string CopyName(const FilePath& programPath, RecoveryCopy::Naming naming) {
  std::string name = programPath.Stem().Utf8();
  if (naming == RecoveryCopy::Naming::ByFullPath) {
    std::uint64_t hash = 14695981039346656037ull;  // FNV-1a
    for (const char c : programPath.Utf8()) {
      const char lower = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
      hash = (hash ^ static_cast<unsigned char>(lower)) * 1099511628211ull;
    }
    static constexpr char kHex[] = "0123456789abcdef";
    name += '-';
    for (int shift = 60; shift >= 0; shift -= 4) name += kHex[(hash >> shift) & 0xF];
  }
  return name + std::string(kRecoveryExtension);
}

}  // namespace

RecoveryCopy::RecoveryCopy(FileSystemPort& files, const FilePath& folder, const FilePath& programPath, Naming naming)
    : files_(files), path_(folder.Join(CopyName(programPath, naming))) {}

void RecoveryCopy::Write(const DecisionTree& tree, const DocumentState& state) {
  // The copy's own keys follow the document in a section of their own:
  // the nodes' fields may follow the option block. (Copies of earlier
  // releases kept them in the option block; they are read from there.)
  files_.StreamFileAtomically(path_, [&](ByteSink& sink) {
    WriteTreeText(sink, tree, state);
    sink.Write(std::string(kRecoverySection) + "\r\n");
    sink.Write(std::string(kPathKey) + "=" + state.CurrentFileName.Utf8() + "\r\n");
    sink.Write(std::string(kSavedKey) + "=" + NowText() + "\r\n");
  });
}

bool RecoveryCopy::Remove() { return files_.RemoveFile(path_); }

// An empty file is what a port that cannot delete leaves for a removed copy.
bool RecoveryCopy::Left() { return files_.FileExists(path_) && !files_.ReadWholeFile(path_).empty(); }

RecoverySummary RecoveryCopy::Summary() {
  const std::string bytes = files_.ReadWholeFile(path_);
  const std::optional<IniSectionView> keys = RecoveryKeys(bytes);
  return {FilePath::FromUtf8(IniString(keys, kPathKey, "")), IniString(keys, kSavedKey, "")};
}

std::string RecoveryQuestionText(const std::string& fileName, const std::string& savedAt) {
  std::string text = std::string(kRecoveryQuestion) + "\r\n\r\n" + std::string(kFileLabel);
  text += fileName.empty() ? std::string(kUntitled) : fileName;
  if (!savedAt.empty()) text += "\r\n" + std::string(kSavedLabel) + savedAt;
  return text + "\r\n\r\n" + std::string(kNoDeletes);
}

LoadedDocument RecoveryCopy::Read(const DocumentState& current) {
  LoadedDocument document = LoadTreeFile(files_, path_, current);
  const std::string bytes = files_.ReadWholeFile(path_);
  document.state.CurrentFileName = FilePath::FromUtf8(IniString(RecoveryKeys(bytes), kPathKey, ""));
  document.state.Modified = true;
  return document;
}

void OpenRecoveredDocument(Editor& editor, LoadedDocument document) {
  editor.ReplaceDocument(std::move(document.tree), std::move(document.state));
  editor.ResetTreeView();
  editor.MarkModified();
  editor.OfferSaveAs();
}

}  // namespace velmora
