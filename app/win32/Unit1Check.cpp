// TForm1: the check window and the comparison window beside the main
// window. The core keeps their reports up to date; the windows show them,
// hand a chosen row back to the core and take the author to the node.
#include "app/win32/Unit1.h"

namespace velmora::win32 {
namespace {

// 手順のチェック; 場所, 問題
constexpr NodeListWindow::Look kCheckLook{"\x8e\xe8\x8f\x87\x82\xcc\x83\x60\x83\x46\x83\x62\x83\x4e",
                                          "\x8f\xea\x8f\x8a", "\x96\xe2\x91\xe8"};
// ファイルとの比較; 場所, 違い
constexpr NodeListWindow::Look kComparisonLook{
    "\x83\x74\x83\x40\x83\x43\x83\x8b\x82\xc6\x82\xcc\x94\xe4\x8a\x72", "\x8f\xea\x8f\x8a",
    "\x88\xe1\x82\xa2"};

std::vector<NodeListWindow::Row> RowsOf(const CheckReport& report) {
  std::vector<NodeListWindow::Row> rows;
  for (const CheckRow& row : report.rows) {
    const int image =
        row.severity == ProblemSeverity::Error ? NodeListWindow::kErrorImage : NodeListWindow::kWarningImage;
    rows.push_back({image, row.nodeId, row.place, row.explanation, {}});
  }
  return rows;
}

// 実行記録の集計; 場所, 回数
constexpr NodeListWindow::Look kRunStatisticsLook{"\x8e\xc0\x8d\x73\x8b\x4c\x98\x5e\x82\xcc\x8f\x57\x8c\x76",
                                                  "\x8f\xea\x8f\x8a", "\x89\xf1\x90\x94"};

std::vector<NodeListWindow::Row> RowsOf(const RunStatisticsReport& report) {
  std::vector<NodeListWindow::Row> rows;
  for (const RunCountRow& row : report.rows) rows.push_back({NodeListWindow::kNoImage, row.nodeId, row.place, row.counts, {}});
  return rows;
}

std::vector<NodeListWindow::Row> RowsOf(const ComparisonReport& report) {
  std::vector<NodeListWindow::Row> rows;
  for (const ComparisonRow& row : report.rows) {
    rows.push_back({NodeListWindow::kNoImage, row.nodeId, row.place, row.change, row.detail});
  }
  return rows;
}

}  // namespace

// Made at its first request; nothing on screen changes when it is closed:
// the core's report just stops.
std::unique_ptr<NodeListWindow> TForm1::MakeListWindow(const NodeListWindow::Look& look,
                                                       std::function<void()> closed) {
  NodeListWindow::Events events;
  events.choose = [this](NodeId id) { OnCheckRowChosen(id); };
  events.closed = std::move(closed);
  events.describe = [this](NodeId id) { return FullPlaceOf(core_->Model().Tree(), id); };
  return std::make_unique<NodeListWindow>(instance_, hwnd_, look, std::move(events));
}

void TForm1::RenderCheckWindow(const View& view, bool requested) {
  if (requested && checkWindow_ == nullptr) checkWindow_ = MakeListWindow(kCheckLook, [this] { core_->CloseCheck(); });
  if (checkWindow_ == nullptr) return;
  if (view.checkReport != nullptr && (requested || view.checkRevision != renderedCheckRevision_)) {
    renderedCheckRevision_ = view.checkRevision;
    checkWindow_->Fill(CheckSummaryText(*view.checkReport), RowsOf(*view.checkReport));
  }
  if (requested) checkWindow_->Present();
}

void TForm1::RenderComparisonWindow(const View& view, bool requested) {
  if (requested && comparisonWindow_ == nullptr) {
    comparisonWindow_ = MakeListWindow(kComparisonLook, [this] { core_->CloseComparison(); });
  }
  if (comparisonWindow_ == nullptr) return;
  if (view.comparisonReport != nullptr && (requested || view.comparisonRevision != renderedComparisonRevision_)) {
    renderedComparisonRevision_ = view.comparisonRevision;
    comparisonWindow_->Fill(view.comparisonReport->summary, RowsOf(*view.comparisonReport));
  }
  if (requested) comparisonWindow_->Present();
}

void TForm1::RenderRunStatisticsWindow(const View& view, bool requested) {
  if (requested && runStatisticsWindow_ == nullptr) {
    runStatisticsWindow_ = MakeListWindow(kRunStatisticsLook, [this] { core_->CloseRunStatistics(); });
  }
  if (runStatisticsWindow_ == nullptr) return;
  if (view.runStatisticsReport != nullptr &&
      (requested || view.runStatisticsRevision != renderedRunStatisticsRevision_)) {
    renderedRunStatisticsRevision_ = view.runStatisticsRevision;
    runStatisticsWindow_->Fill(view.runStatisticsReport->summary, RowsOf(*view.runStatisticsReport));
  }
  if (requested) runStatisticsWindow_->Present();
}

// The node is selected in the tree, which gets the focus so that Enter
// edits it at once; the title's row goes to the title box.
void TForm1::OnCheckRowChosen(NodeId id) {
  bool selected = false;
  RunGuarded([&] { selected = core_->SelectCheckedNode(id); });
  if (hwnd_ == nullptr) return;
  SetActiveWindow(hwnd_);
  if (id == 0) {
    SetFocus(controls_.LabeledEdit1);
    SendMessageW(controls_.LabeledEdit1, EM_SETSEL, 0, -1);
  } else if (selected) {
    SetFocus(controls_.TreeView1);
  }
}

void TForm1::FollowEnabledState(bool enabled) {
  for (const auto* window : {&checkWindow_, &comparisonWindow_, &runStatisticsWindow_}) {
    if (*window != nullptr && (*window)->Handle() != nullptr) EnableWindow((*window)->Handle(), enabled);
  }
}

}  // namespace velmora::win32
