// Link lines on arbitrary bytes, as a damaged or hostile file may hold them
// after a small procedure: the reader keeps only links to nodes that are
// there, the check and the path table end on whatever loops they make, a
// run answered by the same bytes ends, and the player's own reading never
// sends a run to a step that is not there nor follows a question's link.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "distribution/PathTable.h"
#include "distribution/PreviewRun.h"
#include "distribution/TreeSteps.h"
#include "document/NodeLinks.h"
#include "document/ProcedureCheck.h"
#include "files/FieldSection.h"
#include "files/TrailingLines.h"
#include "fuzz/StepLines.h"
#include "files/TreeTextParser.h"

namespace {

constexpr std::string_view kTree = "? a\r\n\t? b\r\n\t\ti c\r\n\t\ti d\r\n\ti e\r\ni f\r\n";

// Answers from the bytes, a bounded number of them.
class ByteDialogs final : public velmora::StepDialogPort {
 public:
  explicit ByteDialogs(std::string_view bytes) : bytes_(bytes) {}
  velmora::StepAnswer ShowStepDialog(const velmora::StepDescription&) override {
    if (shown_ >= 200 || shown_ >= bytes_.size()) return velmora::StepAnswer::Closed;
    return static_cast<velmora::StepAnswer>(static_cast<unsigned char>(bytes_[shown_++]) % 6);
  }

 private:
  std::string_view bytes_;
  std::size_t shown_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::string text = std::string(kTree) + "[OPTION]\r\n[FIELDS]\r\n" + std::string(bytes);
  velmora::DecisionTree tree = velmora::ParseTreeText(std::string(kTree));
  velmora::ApplyFieldTable(tree, velmora::ReadFieldSection(text, tree.Count()));
  tree.ForEachLater([&](velmora::NodeId id, const velmora::LaterFields& later) {
    const std::string_view link = later.Get(velmora::LinkField());
    if (link.empty()) return;
    const std::optional<std::uint64_t> target = velmora::LinkNumber(link);
    if (!target || tree.Find(*target) == nullptr || tree.Find(id) == nullptr) std::abort();
  });
  velmora::DocumentState state;
  velmora::CheckProcedure(tree, state);
  std::size_t rows = 0;
  velmora::ForEachPathEnd(tree, [&rows](const velmora::PathWalk&, const velmora::TreeNode&) {
    if (++rows > 100000) std::abort();
  });
  ByteDialogs dialogs(bytes);
  velmora::RunPreview(tree, state, nullptr, dialogs, nullptr, {}, velmora::PathCopy::Offered);

  // The same lines as the player reads them, behind the tree's steps.
  const velmora::TreeSteps run = velmora::StepsOfTree(tree);
  velmora::StepList steps(run.steps.Size() + 2 + size + 1);
  for (std::size_t i = 0; i < run.steps.Size(); ++i) steps.Add(run.steps[i].text, run.steps[i].level, run.steps[i].kind);
  steps.Add("[FIELDS]", 0);
  velmora::fuzz::AddLines(steps, bytes);
  velmora::ReadStepFields(steps);
  velmora::RemoveTrailingRootLevelSteps(steps);
  for (std::size_t i = 0; i < steps.Size(); ++i) {
    const std::size_t link = steps[i].link;
    if (link != velmora::StepList::kNone && (link >= steps.Size() || steps.HasAnswers(i))) std::abort();
  }
  ByteDialogs again(bytes);
  velmora::RunPreview(steps, state, 0, again, nullptr, velmora::PathCopy::Offered);
  return 0;
}
