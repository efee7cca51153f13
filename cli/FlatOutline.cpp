#include "cli/FlatOutline.h"

#include <cstdint>
#include <cstdio>
#include <stdexcept>
#include <vector>

#include "cli/DocumentFiles.h"
#include "distribution/PathTable.h"
#include "distribution/ProcedureDiff.h"
#include "document/KindNames.h"
#include "document/NodeLinks.h"
#include "document/TextRules.h"
#include "document/Utf8Text.h"

namespace velmora::cli {
namespace {

// ", 既定: " before the default answer (CP932)
constexpr std::string_view kDefaultLabel = "\x2c\x20\x8a\xf9\x92\xe8\x3a\x20";

const char* ColourName(int colour) {
  switch (colour) {
    case 1: return "green";
    case 2: return "yellow";
    case 3: return "red";
    default: return "none";
  }
}

// The places of the nodes on the way down to the one being written: the
// pre-order walk replaces the last steps, so no node's place is looked up
// by climbing to the first node.
class PlaceTrail {
 public:
  std::string Enter(const TreeNode& node) {
    const std::size_t level = static_cast<std::size_t>(node.Level());
    steps_.resize(level + 1);
    const TreeNode* parent = node.Parent();
    if (parent != nullptr) {
      steps_[level] = "/" + AnswerAtPlace(node.IndexInParent(), parent->ChildCount());
    } else {
      // A further top-level node (a file can hold several) by its number.
      const std::size_t place = node.IndexInParent();
      steps_[level] = place == 0 ? "" : "/#" + std::to_string(place + 1);
    }
    std::string place;
    for (const std::string& step : steps_) place += step;
    return place.empty() ? "/" : place;
  }

 private:
  std::vector<std::string> steps_;
};

std::uint64_t ContentHash(std::string_view bytes) {
  std::uint64_t hash = 14695981039346656037ull;  // FNV-1a, 64 bits
  for (const char c : bytes) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 1099511628211ull;
  }
  return hash;
}

std::string HexHash(std::string_view bytes) {
  char hash[17];
  std::snprintf(hash, sizeof hash, "%016llx", static_cast<unsigned long long>(ContentHash(bytes)));
  return hash;
}

}  // namespace

std::string_view ShownText(const TreeNode& node) {
  return node.HasChildren() ? WithoutDefaultSuffix(node.Text()) : node.Text();
}

std::string KindHeading(const TreeNode& node) {
  std::string heading = "[" + std::string(KindName(node.kind));
  if (node.HasChildren()) {
    const bool no = DefaultSuffixOf(node.Text()) == DefaultSuffix::No;
    heading += std::string(kDefaultLabel) + std::string(PathAnswerText(no ? PathAnswer::No : PathAnswer::Yes));
  }
  return heading + "]";
}

void AppendDocumentFields(OutputBuffer& out, const DocumentState& state, std::string_view linePrefix) {
  const std::string prefix(linePrefix);
  out.AppendUtf8(prefix + "Title: " + Cp932ToUtf8Text(state.Title) + "\n");
  out.AppendUtf8(prefix + "New line mark: " + Cp932ToUtf8Text(state.NewLineMark) + "\n");
  out.AppendUtf8(prefix + "Colour: " + std::to_string(state.Color) + " (" + ColourName(state.Color) + ")\n");
}

// Texts stay as stored, the newline mark included: a node is one line.
void AppendFlatOutline(OutputBuffer& out, const LoadedDocument& document, std::string_view linePrefix) {
  PlaceTrail trail;
  document.tree.ForEachPreOrder([&](const TreeNode& node) {
    out.AppendUtf8(linePrefix);
    out.AppendCp932(trail.Enter(node) + " ");
    out.AppendCp932(KindHeading(node) + " ");
    out.AppendCp932(ShownText(node));
    document.tree.LaterOf(node).ForEach([&](FieldIndex field, std::string_view value) {
      out.AppendUtf8(" | " + std::string(DeclaredFields()[field].name) + ": ");
      out.AppendCp932(ShownFieldValue(document.tree, field, value));
      // A picture replaced by another of the same size still reads changed.
      if (DeclaredFields()[field].picture) out.AppendUtf8(" FNV-1a " + HexHash(value));
    });
    out.AppendUtf8("\n");
  });
  AppendDocumentFields(out, document.state, linePrefix);
}

std::string NonProcedureText(std::string_view bytes) {
  if (bytes.find('\0') == std::string_view::npos) return std::string(bytes);
  return "(not a procedure: " + std::to_string(bytes.size()) + " bytes, FNV-1a " + HexHash(bytes) + ")\n";
}

const LoadedDocument* OpenProcedureOrNothing(CliHost& host, const FilePath& path) {
  if (host.Files().Identify(path).kind != FileIdentity::Kind::RegularFile) {
    return &OpenForCommand(host.Files(), path);  // says what is wrong with it
  }
  try {
    return &OpenForCommand(host.Files(), path);
  } catch (const std::runtime_error&) {
    return nullptr;
  }
}

}  // namespace velmora::cli
