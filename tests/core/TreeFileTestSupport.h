#pragma once
// Helpers shared by the tests of the file formats: an in-memory file system
// for the readers, a compact description of a tree, and the trees the
// formats are exercised with.

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <map>
#include <random>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "document/DecisionTree.h"
#include "document/StepList.h"
#include "document/Errors.h"
#include "files/FileMessages.h"
#include "files/FileSystemPort.h"
#include "files/LoadedDocument.h"
#include "files/TreeTextParser.h"

namespace velmora::testing {

// The smallest header a player stub passes with: "MZ", the new header's
// offset at 0x3C, and `signature` ("PE\0\0" for a good one) there.
inline std::string StubWithNewHeaderAt(std::uint32_t offset, std::string_view signature, std::size_t size) {
  std::string stub(size, '\0');
  stub.replace(0, 2, "MZ");
  for (std::size_t i = 0; i < 4 && 0x3C + i < size; ++i) stub[0x3C + i] = static_cast<char>((offset >> (8 * i)) & 0xFF);
  if (offset < size) stub.replace(offset, std::min(signature.size(), size - offset), signature);
  return stub;
}

// Files held in memory, keyed by the path's bytes. Reads of unknown paths
// and writes marked to fail raise the same messages as the real ports.
// Paths show as their own bytes: the tests name files in ASCII (or CP932
// where a test is about a Japanese name). A relative path is taken against
// `currentFolder`.
class MemoryFileSystem : public FileSystemPort {
 public:
  std::map<std::string, std::string> files;
  bool failWrites = false;
  // Writes into this folder (a path beginning with it) fail, as in a folder
  // the user may not write to.
  std::string refusedFolder;
  std::string currentFolder = "C:\\current\\";

  std::string ReadWholeFile(const FilePath& path) override {
    const auto found = files.find(path.Utf8());
    if (found == files.end()) throw VelmoraError(CannotOpenMessage(path.Utf8(), "No such file or directory"));
    return found->second;
  }
  void WriteFileAtomically(const FilePath& path, std::string_view bytes) override {
    const bool refused = !refusedFolder.empty() && path.Utf8().rfind(refusedFolder, 0) == 0;
    if (failWrites || refused) throw VelmoraError(CannotCreateMessage(path.Utf8(), "No space left on device"));
    files[path.Utf8()] = std::string(bytes);
  }
  bool FileExists(const FilePath& path) override { return files.count(path.Utf8()) != 0; }
  bool RemoveFile(const FilePath& path) override {
    files.erase(path.Utf8());
    return true;
  }
  FilePath Absolute(const FilePath& path) override {
    const std::string& bytes = path.Utf8();
    const bool absolute = bytes.size() > 1 && (bytes[1] == ':' || bytes[0] == '\\' || bytes[0] == '/');
    return absolute || bytes.empty() ? path : FilePath::FromUtf8(currentFolder + bytes);
  }
  std::string DisplayText(const FilePath& path) override { return path.Utf8(); }
  std::optional<std::string> ExactCp932(const FilePath& path) override { return path.Utf8(); }
  FilePath FromCp932(std::string_view cp932) override { return FilePath::FromUtf8(cp932); }
  std::vector<FilePath> FilesIn(const FilePath& folder) override {
    const std::string prefix = folder.Utf8() + "\\";
    std::vector<FilePath> inside;
    for (const auto& [path, bytes] : files) {
      if (path.rfind(prefix, 0) == 0 && path.find('\\', prefix.size()) == std::string::npos) {
        inside.push_back(FilePath::FromUtf8(path));
      }
    }
    if (inside.empty()) throw VelmoraError(CannotOpenMessage(folder.Utf8(), "No such file or directory"));
    return inside;
  }
};

// A path as the tests write it.
inline FilePath Path(std::string_view bytes) { return FilePath::FromUtf8(bytes); }

// One line per node in pre-order: TABs for the level, the kind in brackets
// and the text, e.g. "\t[1]abc". Comparing these shows a whole tree at once.
inline void DescribeNode(std::string& out, int level, int kind, std::string_view text) {
  out.append(static_cast<std::size_t>(level), '\t');
  out += "[" + std::to_string(kind) + "]";
  out += text;
  out += "\n";
}
inline std::string Describe(const DecisionTree& tree) {
  std::string out;
  tree.ForEachPreOrder([&out](const TreeNode& node) { DescribeNode(out, node.Level(), node.kind, node.Text()); });
  return out;
}
// The same lines for a run's list of steps.
inline std::string Describe(const StepList& steps) {
  std::string out;
  for (std::size_t i = 0; i < steps.Size(); ++i) DescribeNode(out, steps[i].level, steps[i].kind, steps[i].text);
  return out;
}

// "…" and "↓" in CP932.
inline const std::string kEllipsis = "\x81\x63";
inline const std::string kDownArrow = "\x81\xab";

// The tree of a new document: root "…" (Question) and two unset answers.
inline DecisionTree NewDocumentTree() {
  DecisionTree tree;
  TreeNode* root = tree.AddTopLevel(kEllipsis, Question);
  tree.AddChild(root, kEllipsis, Unset);
  tree.AddChild(root, kEllipsis, Unset);
  return tree;
}

// A procedure with every kind, a three-answer node, a No default, a newline
// mark inside a text and a Japanese text whose trail byte is "\\" ("ソ").
inline DecisionTree SampleTree() {
  DecisionTree tree;
  TreeNode* root = tree.AddTopLevel("Power on?(N)", Question);
  TreeNode* yes = tree.AddChild(root, "Cable plugged in?", Question);
  tree.AddChild(yes, "Call\x81\xabsupport", Information);
  tree.AddChild(yes, "\x83\x5c\x83\x74\x83\x67", Exclaimation);
  tree.AddChild(yes, "Never reached", Inhibit);
  TreeNode* no = tree.AddChild(root, "Switch it on", Unset);
  tree.AddChild(no, "Done", Information);
  return tree;
}

// A tree from indented lines with kind markers, as a file would hold it,
// with the kinds restored as an open restores them.
inline DecisionTree TreeOf(const std::string& text) {
  DecisionTree tree = ParseTreeText(text);
  RestoreKinds(tree);
  return tree;
}

// A random procedure in the stored form: "stepN" nodes with zero to three
// answers each (three: a middle answer a run never shows), down to
// `deepestQuestion` levels.
inline std::string RandomProcedure(std::mt19937& random, int deepestQuestion = 5) {
  std::string text;
  int serial = 0;
  std::vector<int> levels{0};
  while (!levels.empty()) {
    const int level = levels.back();
    levels.pop_back();
    const int answers = level > deepestQuestion ? 0 : static_cast<int>(random() % 4);
    text += std::string(static_cast<std::size_t>(level), '\t') + (answers == 0 ? "i " : "? ") + "step" +
            std::to_string(++serial) + "\r\n";
    for (int i = 0; i < answers; ++i) levels.push_back(level + 1);
  }
  return text;
}

inline std::string ReadTestData(const std::string& name) {
  std::ifstream in(std::string(VELMORA_TEST_DATA) + "/files/" + name, std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

// Runs `action`, expecting a VelmoraError; returns its message.
template <typename Action>
std::string ErrorOf(Action action) {
  try {
    action();
  } catch (const VelmoraError& error) {
    return error.what();
  }
  return "(no error)";
}

}  // namespace velmora::testing
