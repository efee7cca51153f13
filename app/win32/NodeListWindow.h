#pragma once
// A modeless list of places in the open document, each row naming a node:
// the check window (the problems, each with the system's error or warning
// icon) and the comparison window (what differs from another version) are
// two of these. A line above the list sums it up. The window is owned by the
// main window, which fills it from the core's report whenever the report
// changed and disables it while a modal dialog runs. A double click or Enter
// on a row hands the row's node id to the main window; Escape or the close
// box hides the window, which stays for the next opening. Under the list a
// read-only pane shows the selected row in full ("詳細", a Tab away from
// the list): a reviewer reads every row without hovering.

#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <vector>

#include <string>

#include "document/DecisionTree.h"
#include "win32/Dpi.h"
#include "win32/WindowBase.h"
#include "win32/Win32Handles.h"

namespace velmora::win32 {

class NodeListWindow final : public WindowBase<NodeListWindow> {
 public:
  static constexpr wchar_t kClassName[] = L"VelmoraNodeList";
  // The list's image indexes; kNoImage leaves a row without an icon.
  static constexpr int kErrorImage = 0;
  static constexpr int kWarningImage = 1;
  static constexpr int kNoImage = -2;  // I_IMAGENONE

  // The window's caption and its two columns' captions (CP932).
  struct Look {
    const char* caption;
    const char* placeCaption;
    const char* textCaption;
  };

  struct Row {
    int image = kNoImage;
    NodeId nodeId = 0;
    std::string place;  // CP932
    std::string text;   // CP932
    // The row in full for the pane (CP932, CR LF between lines); empty: the
    // node's whole place (Events::describe) and the row's text.
    std::string detail;
  };

  struct Events {
    // A row chosen: its node's id, 0 for the title.
    std::function<void(NodeId)> choose;
    // The window was closed (hidden).
    std::function<void()> closed;
    // The whole place of a row's node (CP932), for the row's tooltip: the
    // list shows a place shortened to its column.
    std::function<std::string(NodeId)> describe;
  };

  // Creates the window hidden, owned by `owner`.
  NodeListWindow(HINSTANCE instance, HWND owner, const Look& look, Events events);
  NodeListWindow(const NodeListWindow&) = delete;
  NodeListWindow& operator=(const NodeListWindow&) = delete;

  // Shows `rows` under `summary` (CP932); the selected row keeps its place
  // where it can, so the author goes from one problem to the next as each
  // is mended.
  void Fill(const std::string& summary, const std::vector<Row>& rows);
  // Shows the window and activates it; the first time beside its owner.
  void Present();

  // The window's keyboard, from the message loop: Tab and Shift+Tab between
  // the list and the pane, Alt with a label's letter. True when taken.
  bool PreTranslate(MSG& message);

  HWND List() const { return list_; }
  HWND Summary() const { return summary_; }
  HWND Detail() const { return detail_; }

 private:
  friend class WindowBase<NodeListWindow>;
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void CreateControls(const Look& look);
  void AddColumn(int index, const char* cp932Caption, int designWidth);
  void OnSize();
  void OnDpiChanged(int dpi, const RECT& suggested);
  LRESULT OnNotify(const NMHDR& header);
  void OnGetInfoTip(NMLVGETINFOTIPW& tip) const;
  void Choose(int row);
  void ShowDetail(int row);
  int SelectedRow() const;
  void Close();
  void PlaceBesideOwner();

  HWND owner_;
  Events events_;
  DpiScale scale_;
  UniqueFont font_;
  UniqueImageList icons_;
  HWND summary_ = nullptr;
  HWND list_ = nullptr;
  HWND detailLabel_ = nullptr;
  HWND detail_ = nullptr;
  // The columns' captions (CP932), which lead the lines of a composed detail.
  std::string placeCaption_;
  std::string textCaption_;
  // The rows as filled, in the list's order.
  std::vector<Row> rows_;
  bool placed_ = false;
};

}  // namespace velmora::win32
