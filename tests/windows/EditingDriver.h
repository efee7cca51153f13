#pragma once
// Drives the real main window and its dialogs in-process: plays scripted
// actions on each dialog when it waits for input, reads the tree view as
// the user sees it and compares it with the model.

#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/CommandIds.h"
#include "app/win32/ImageLists.h"
#include "app/win32/Unit1.h"
#include "tests/windows/MainWindowTestSupport.h"
#include "win32/WideText.h"
#include "document/win32/Unit2.h"

namespace velmora::win32::editing_test {

inline std::wstring TextOf(HWND window) {
  const int length = GetWindowTextLengthW(window);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const int copied = GetWindowTextW(window, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(copied));
  return text;
}

inline bool IsClass(HWND window, const wchar_t* name) {
  wchar_t className[64] = {};
  GetClassNameW(window, className, 64);
  return lstrcmpiW(className, name) == 0;
}

inline bool Checked(HWND button) { return SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED; }
inline bool Enabled(HWND window) { return IsWindowEnabled(window) != FALSE; }
inline bool Visible(HWND window) { return IsWindowVisible(window) != FALSE; }

// What a user does to a control: a click, typing (replacing the selection).
inline void Click(HWND button) { PostMessageW(button, BM_CLICK, 0, 0); }
inline void Type(HWND edit, const std::wstring& text) {
  SendMessageW(edit, EM_SETSEL, 0, -1);
  SendMessageW(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
}
// A key stroke; the loop that handles it makes the character from it.
inline void Key(HWND control, WPARAM virtualKey) {
  PostMessageW(control, WM_KEYDOWN, virtualKey, 1);
  PostMessageW(control, WM_KEYUP, virtualKey, static_cast<LPARAM>(0xC0000001));
}

// A message box: its text, and an answer by button id.
inline std::wstring MessageBoxText(HWND box) {
  wchar_t text[1024] = {};
  GetDlgItemTextW(box, 0xFFFF, text, 1024);
  return text;
}
inline void Answer(HWND box, int buttonId) { PostMessageW(box, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED), 0); }

// Plays scripted actions on the dialogs that open while a command runs:
// on the editor's own dialogs each time they wait for input (WM_ENTERIDLE
// to their owner), the next action only after the previous one has been
// handled; on message boxes when they become active (a CBT hook, since
// message boxes send no idle message). A dialog nobody expected is
// cancelled, so a failing test never hangs.
class DialogScript {
 public:
  using Action = std::function<void(HWND dialog)>;

  DialogScript() {
    current_ = this;
    hook_ = SetWindowsHookExW(WH_CBT, &DialogScript::CbtProc, nullptr, GetCurrentThreadId());
  }
  ~DialogScript() {
    UnhookWindowsHookEx(hook_);
    current_ = nullptr;
    for (HWND window : watched_) {
      if (IsWindow(window)) RemoveWindowSubclass(window, &DialogScript::Proc, reinterpret_cast<UINT_PTR>(this));
    }
  }
  DialogScript(const DialogScript&) = delete;
  DialogScript& operator=(const DialogScript&) = delete;

  // The editor's dialogs owned by `owner` are played.
  void Watch(HWND owner) {
    SetWindowSubclass(owner, &DialogScript::Proc, reinterpret_cast<UINT_PTR>(this),
                      reinterpret_cast<DWORD_PTR>(this));
    watched_.push_back(owner);
  }
  void Play(std::vector<Action> actions) {
    actions_ = std::move(actions);
    next_ = 0;
  }
  bool Finished() const { return next_ == actions_.size(); }
  std::size_t Played() const { return next_; }

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR self) {
    if (message == WM_ENTERIDLE && wParam == MSGF_DIALOGBOX) {
      const auto dialog = reinterpret_cast<HWND>(lParam);
      auto* script = reinterpret_cast<DialogScript*>(self);
      if (!IsClass(dialog, L"#32770")) script->RunNext(dialog);
      return 0;
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
  }

  static LRESULT CALLBACK CbtProc(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE && current_ != nullptr) {
      const auto window = reinterpret_cast<HWND>(wParam);
      if (IsClass(window, L"#32770") && current_->answeredBoxes_.insert(window).second) current_->RunNext(window);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
  }

  void RunNext(HWND dialog) {
    if (next_ < actions_.size()) {
      actions_[next_++](dialog);
      return;
    }
    ADD_FAILURE() << "an unexpected dialog: " << ToCp932(TextOf(dialog));
    if (IsClass(dialog, L"#32770")) {
      Answer(dialog, GetDlgItem(dialog, IDNO) != nullptr ? IDNO : (GetDlgItem(dialog, IDCANCEL) ? IDCANCEL : IDOK));
    } else {
      PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    }
  }

  static inline DialogScript* current_ = nullptr;
  HHOOK hook_ = nullptr;
  std::vector<HWND> watched_;
  std::set<HWND> answeredBoxes_;
  std::vector<Action> actions_;
  std::size_t next_ = 0;
};

// Handles messages until `done` holds, for at most `milliseconds` (for work
// that arrives through the message queue, such as a posted command). With
// `program`, each message goes through its accelerator step first, as in
// the program's event loop.
inline bool PumpUntil(const std::function<bool()>& done, DWORD milliseconds = 5000, TForm1* program = nullptr) {
  const ULONGLONG deadline = GetTickCount64() + milliseconds;
  while (!done()) {
    const ULONGLONG now = GetTickCount64();
    if (now >= deadline) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(deadline - now), QS_ALLINPUT);
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (program != nullptr && program->TranslateShortcut(message)) continue;
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
  return true;
}

// One tree-view item as shown.
struct ShownItem {
  std::wstring text;
  int image = 0;
  int selectedImage = 0;
  int mark = 0;
  bool expanded = false;
  int depth = 0;
  bool selected = false;
  bool operator==(const ShownItem& o) const {
    return text == o.text && image == o.image && selectedImage == o.selectedImage && mark == o.mark &&
           expanded == o.expanded && depth == o.depth && selected == o.selected;
  }
};

inline std::ostream& operator<<(std::ostream& out, const ShownItem& item) {
  return out << "{" << ToCp932(item.text) << " image " << item.image << "/" << item.selectedImage << " state "
             << item.mark << (item.expanded ? " expanded" : "") << " depth " << item.depth
             << (item.selected ? " selected" : "") << "}";
}

inline std::vector<ShownItem> ReadTreeView(HWND tree) {
  std::vector<ShownItem> items;
  const auto selected = reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
  struct Pending {
    HTREEITEM item;
    int depth;
  };
  std::vector<Pending> stack;
  for (auto top = reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0)); top != nullptr;
       top = reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(top)))) {
    stack.insert(stack.begin(), Pending{top, 0});
  }
  while (!stack.empty()) {
    const Pending current = stack.back();
    stack.pop_back();
    wchar_t text[512] = {};
    TVITEMW item{};
    item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_STATE | TVIF_HANDLE;
    item.hItem = current.item;
    item.stateMask = TVIS_STATEIMAGEMASK | TVIS_EXPANDED;
    item.pszText = text;
    item.cchTextMax = 512;
    SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    ShownItem shown;
    shown.text = text;
    shown.image = item.iImage;
    shown.selectedImage = item.iSelectedImage;
    shown.mark = static_cast<int>((item.state & TVIS_STATEIMAGEMASK) >> 12);
    shown.depth = current.depth;
    shown.selected = current.item == selected;
    std::vector<Pending> children;
    for (auto child = reinterpret_cast<HTREEITEM>(
             SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(current.item)));
         child != nullptr; child = reinterpret_cast<HTREEITEM>(
                               SendMessageW(tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(child)))) {
      children.push_back(Pending{child, current.depth + 1});
    }
    // A leaf has nothing to expand; the view keeps whatever flag it has.
    shown.expanded = !children.empty() && (item.state & TVIS_EXPANDED) != 0;
    items.push_back(shown);
    stack.insert(stack.end(), children.rbegin(), children.rend());
  }
  return items;
}

inline std::vector<ShownItem> ExpectedTreeView(const Editor& editor) {
  std::vector<ShownItem> items;
  editor.Tree().ForEachPreOrder([&](TreeNode& node) {
    ShownItem shown;
    shown.text = ToWide(TreeLabel(node.Text(), editor.Tree().LaterOf(node)));
    shown.image = NodeImageOf(node.kind);
    shown.selectedImage = NodeImageOf(node.kind);
    shown.mark = AnswerMark(node, editor.Selected());
    // The editor shows every branch unfolded unless the author folds one.
    shown.expanded = node.HasChildren();
    shown.depth = node.Level();
    shown.selected = &node == editor.Selected();
    items.push_back(shown);
  });
  return items;
}

// The main window with the node editor of a start-up, shown, its dialogs
// played by a script.
class EditingWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form = std::make_unique<TForm1>(GetModuleHandleW(nullptr), "Velmora");
    nodeEditor = &form->NodeEditorWindow();
    form->ShowFirstTime(SW_SHOWNORMAL, {});
    script.Watch(form->Handle());
    script.Watch(nodeEditor->Handle());
  }
  void TearDown() override {
    EXPECT_TRUE(script.Finished()) << "only " << script.Played() << " scripted actions ran";
    form.reset();
  }

  Editor& Model() { return form->Model(); }
  HWND Tree() { return form->Controls().TreeView1; }
  const NodeEditorControls& Dialog() { return nodeEditor->Controls(); }
  // Selects the node in the tree view as a click would.
  void Select(const TreeNode* node) {
    SendMessageW(Tree(), TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(form->TreeView().ItemOf(node->Id())));
  }
  bool PopupEnabled(int id) {
    return (GetMenuState(form->PopupMenu1(), static_cast<UINT>(id), MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED)) == 0;
  }
  bool MenuEnabled(int id) {
    return (GetMenuState(form->MainMenu1(), static_cast<UINT>(id), MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED)) == 0;
  }
  void ExpectViewMatchesModel() { EXPECT_EQ(ReadTreeView(Tree()), ExpectedTreeView(Model())); }
  // Changes the model behind the user's back and lets the view follow.
  template <typename Change>
  void Arrange(Change change) {
    change(Model());
    Model().TreeView1Change();
    form->Sync();
  }

  std::unique_ptr<TForm1> form;
  TForm2* nodeEditor = nullptr;  // the window's own
  DialogScript script;
};

}  // namespace velmora::win32::editing_test
