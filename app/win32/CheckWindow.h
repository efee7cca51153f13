#pragma once
// The check window: the problems of the open document as a list (the
// severity as the system's error or warning icon, where, what) with a line
// above it that counts them or says that none was found. It is modeless and
// owned by the main window, which fills it from the core's report whenever
// the report changed and disables it while a modal dialog runs. A double
// click or Enter on a row hands the row's node id to the main window;
// Escape or the close box hides the window, which stays for the next
// opening.

#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <vector>

#include "app/ProcedureCheckList.h"
#include "win32/Dpi.h"
#include "win32/WindowBase.h"
#include "win32/Win32Handles.h"

namespace velmora::win32 {

class CheckWindow final : public WindowBase<CheckWindow> {
 public:
  static constexpr wchar_t kClassName[] = L"VelmoraCheck";
  // The list's image indexes.
  static constexpr int kErrorImage = 0;
  static constexpr int kWarningImage = 1;

  struct Events {
    // A row chosen: its node's id, 0 for the title.
    std::function<void(NodeId)> choose;
    // The window was closed (hidden).
    std::function<void()> closed;
  };

  // Creates the window hidden, owned by `owner`.
  CheckWindow(HINSTANCE instance, HWND owner, Events events);
  CheckWindow(const CheckWindow&) = delete;
  CheckWindow& operator=(const CheckWindow&) = delete;

  // Shows `report`; the selected row keeps its place where it can, so the
  // author goes from one problem to the next as each is mended.
  void Fill(const CheckReport& report);
  // Shows the window and activates it; the first time beside its owner.
  void Present();

  HWND List() const { return list_; }
  HWND Summary() const { return summary_; }

 private:
  friend class WindowBase<CheckWindow>;
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void CreateControls();
  void AddColumn(int index, const char* cp932Caption, int designWidth);
  void OnSize();
  LRESULT OnNotify(const NMHDR& header);
  void Choose(int row);
  void Close();
  void PlaceBesideOwner();

  HWND owner_;
  Events events_;
  DpiScale scale_;
  UniqueFont font_;
  UniqueImageList icons_;
  HWND summary_ = nullptr;
  HWND list_ = nullptr;
  // The node id of each row, in the list's order.
  std::vector<NodeId> rowNodes_;
  bool placed_ = false;
};

}  // namespace velmora::win32
