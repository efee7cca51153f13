#include "app/ComparisonList.h"

#include <utility>

namespace velmora {

void ComparisonList::Open(LoadedDocument base, std::string fileName) {
  base_ = std::make_unique<LoadedDocument>(std::move(base));
  fileName_ = std::move(fileName);
  compared_ = false;
  treeDiff_.reset();
}

void ComparisonList::Close() {
  base_.reset();
  treeDiff_.reset();
  report_.reset();
  compared_ = false;
}

void ComparisonList::Refresh(const DecisionTree& tree, const DocumentState& state, std::uint64_t treeRevision) {
  if (base_ == nullptr) return;
  if (compared_ && treeRevision == treeRevision_ && state.Title == seen_.Title && state.Color == seen_.Color &&
      state.NewLineMark == seen_.NewLineMark) {
    return;
  }
  if (!compared_ || treeRevision != treeRevision_ || treeDiff_ == nullptr) {
    treeDiff_ = std::make_unique<ProcedureDiff>(CompareTrees(base_->tree, tree));
  }
  compared_ = true;
  treeRevision_ = treeRevision;
  seen_.Title = state.Title;
  seen_.Color = state.Color;
  seen_.NewLineMark = state.NewLineMark;
  auto report = std::make_shared<const ComparisonReport>(
      ComparisonReportOf(WithDocumentFields(base_->state, state, *treeDiff_), fileName_));
  if (report_ != nullptr && *report_ == *report) return;
  report_ = std::move(report);
  ++revision_;
}

}  // namespace velmora
