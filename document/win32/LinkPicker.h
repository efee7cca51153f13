#pragma once
// The node an end continues at, picked from a list: a search box over it
// that finds as the find box does, "（なし）" first to take the link away,
// OK and Cancel. Opened by the node editor's "続ける先(&L)..." button.

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "document/LinkChoices.h"
#include "win32/BoxButtons.h"
#include "win32/Dpi.h"
#include "win32/ModalWindow.h"
#include "win32/Win32Handles.h"

namespace velmora::win32 {

namespace link_picker {
constexpr int kSearchLabel = 101;
constexpr int kSearch = 102;
constexpr int kListLabel = 103;
constexpr int kList = 104;
constexpr int kOk = IDOK;
constexpr int kCancel = IDCANCEL;
}  // namespace link_picker

struct LinkPickerInput {
  std::vector<LinkChoice> choices;
  NodeId current = 0;  // the link's target now; 0 for none
};

class LinkPicker final : public ModalWindow<LinkPicker> {
 public:
  static constexpr wchar_t kClassName[] = L"VelmoraLinkPicker";

  LinkPicker(HWND owner, LinkPickerInput input);
  ~LinkPicker();
  LinkPicker(const LinkPicker&) = delete;
  LinkPicker& operator=(const LinkPicker&) = delete;

  // The chosen target on OK (0 for none), nothing on Cancel.
  std::optional<NodeId> ShowModal();

 private:
  friend class ModalWindow<LinkPicker>;
  LRESULT HandleWindowMessage(UINT message, WPARAM wParam, LPARAM lParam);

  void OnCreate();
  void ApplyLayout();
  // The list anew for the search box's text, the current target selected
  // where it is shown.
  void Refill();

  HWND owner_;
  LinkPickerInput input_;
  HWND searchLabel_ = nullptr;
  HWND search_ = nullptr;
  HWND listLabel_ = nullptr;
  HWND list_ = nullptr;
  BoxButtons buttons_;
  // The choice each list line shows after "（なし）".
  std::vector<std::size_t> shown_;
  UniqueFont font_;
  DpiScale scale_;
};

}  // namespace velmora::win32
