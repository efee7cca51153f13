// LoadTreeFile (parser, option block or legacy trailer, kind restoration)
// on arbitrary bytes: it either refuses with a user-facing error or gives a
// tree that, saved and loaded again, comes back the same. The reading into
// steps (the command line's) refuses the same bytes with the same error, or
// gives the same nodes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "document/Errors.h"
#include "files/TreeFile.h"
#include "files/TreeTextParser.h"

namespace {

class OneFile : public velmora::FileSystemPort {
 public:
  explicit OneFile(std::string bytes) : bytes_(std::move(bytes)) {}
  std::string ReadWholeFile(const velmora::FilePath&) override { return bytes_; }
  void WriteFileAtomically(const velmora::FilePath&, std::string_view) override {}
  bool FileExists(const velmora::FilePath&) override { return true; }
  velmora::FilePath Absolute(const velmora::FilePath& path) override { return path; }
  std::string DisplayText(const velmora::FilePath& path) override { return path.Utf8(); }
  std::optional<std::string> ExactCp932(const velmora::FilePath& path) override { return path.Utf8(); }
  velmora::FilePath FromCp932(std::string_view cp932) override { return velmora::FilePath::FromUtf8(cp932); }

 private:
  std::string bytes_;
};

std::string Shape(const velmora::LoadedDocument& document) {
  std::string out;
  document.tree.ForEachPreOrder([&out](const velmora::TreeNode& node) {
    out += std::to_string(node.Level()) + ":" + std::to_string(node.kind) + ":";
    out += node.Text();
    out += "\n";
  });
  const velmora::DocumentState& state = document.state;
  return out + state.Title + "\n" + state.NewLineMark + "\n" + std::to_string(state.Color);
}

velmora::LoadedDocument Load(const std::string& bytes) {
  OneFile file(bytes);
  velmora::LoadedDocument document = velmora::LoadTreeFile(file, velmora::FilePath::FromUtf8("in.tre"), velmora::DocumentState{});
  return document;
}

// The same file read as steps, made into a tree to compare.
velmora::LoadedDocument LoadAsSteps(const std::string& bytes) {
  OneFile file(bytes);
  return velmora::DocumentOfSteps(
      velmora::LoadTreeFileSteps(file, velmora::FilePath::FromUtf8("in.tre"), velmora::DocumentState{}));
}

// Texts the editor can never hold: a line break inside, or leading blanks
// (they read back as indentation).
bool Storable(const velmora::DecisionTree& tree) {
  bool storable = true;
  tree.ForEachPreOrder([&storable](const velmora::TreeNode& node) {
    const std::string_view text = node.Text();
    if (text.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos) storable = false;
    if (!text.empty() && (text[0] == ' ' || text[0] == '\t')) storable = false;
  });
  return storable;
}

bool IsLegacy(const std::string& bytes) {
  const velmora::DecisionTree raw = velmora::ParseTreeText(bytes);
  const velmora::TreeNode* last = raw.LastPreOrder();
  return last != nullptr && !last->Text().empty() && last->Text()[0] == ';';
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  std::string stepsError;
  velmora::LoadedDocument fromSteps;
  try {
    fromSteps = LoadAsSteps(bytes);
  } catch (const velmora::VelmoraError& error) {
    stepsError = error.what();
    if (stepsError.empty()) std::abort();
  }
  velmora::LoadedDocument document;
  try {
    document = Load(bytes);
  } catch (const velmora::VelmoraError& error) {
    if (stepsError != error.what()) std::abort();
    return 0;
  }
  if (!stepsError.empty() || Shape(fromSteps) != Shape(document)) std::abort();
  if (document.tree.Empty()) std::abort();
  // A legacy file keeps root-level lines and untrimmed values that the
  // option block of the saved file then changes; only option files must
  // come back exactly.
  if (!Storable(document.tree) || IsLegacy(bytes)) return 0;
  const velmora::LoadedDocument reopened = Load(velmora::BuildTreeText(document.tree, document.state));
  if (Shape(reopened) != Shape(document)) std::abort();
  return 0;
}
