// The payload reader (editor and player) on arbitrary files, plain and
// with the look of a signed PE image: a user-facing refusal or a document;
// a document written out again reads back the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "files/DistributionPayload.h"
#include "document/Errors.h"

namespace {

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

bool Enclosed(const std::string& value) {
  return value.size() >= 2 && value.front() == value.back() && (value.front() == '"' || value.front() == '\'');
}

bool HasOuterBlanks(const std::string& value) {
  return !value.empty() && (static_cast<unsigned char>(value.front()) <= 0x20 ||
                            static_cast<unsigned char>(value.back()) <= 0x20);
}

// What one more write and read would still change: texts that cannot be
// stored (line breaks, leading blanks read as indentation), and values that
// the profile rules would trim or unquote once more.
bool Settled(const velmora::LoadedDocument& document) {
  bool settled = true;
  document.tree.ForEachPreOrder([&settled](const velmora::TreeNode& node) {
    const std::string_view text = node.Text();
    if (text.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos) settled = false;
    if (!text.empty() && (text[0] == ' ' || text[0] == '\t')) settled = false;
  });
  for (const std::string* value : {&document.state.Title, &document.state.NewLineMark}) {
    if (Enclosed(*value) || HasOuterBlanks(*value)) settled = false;
  }
  return settled;
}

velmora::LoadedDocument Read(std::string_view bytes) {
  velmora::LoadedDocument document = velmora::ReadDistributionPayload(bytes, velmora::FilePath::FromUtf8("x.exe"), "x.exe",
                                                                      velmora::DocumentState{});
  return document;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  if (velmora::PayloadEnd(bytes) > bytes.size()) std::abort();
  velmora::LoadedDocument document;
  try {
    document = Read(bytes);
  } catch (const velmora::VelmoraError&) {
    return 0;
  }
  if (document.tree.Empty()) std::abort();
  // Generating normalises a document once (trimmed values, trailing lines
  // gone, kinds set); from then on generating and reading is exact.
  if (!Settled(document)) return 0;
  const velmora::LoadedDocument once = Read(velmora::BuildDistributionExecutable("MZ", document.tree, document.state));
  if (!Settled(once)) return 0;
  const velmora::LoadedDocument twice = Read(velmora::BuildDistributionExecutable("MZ", once.tree, once.state));
  if (Shape(twice) != Shape(once)) std::abort();
  return 0;
}
