#pragma once
// The node editor dialog "ダイアログ エディタ" (dialog editor): one node's
// message as lines, its kind with the picture of its icon, and which answer
// is the default. Created hidden at start-up and reused for every node, so
// what an opening does not set stays as the previous one left it (the
// picked kind, the window's size).
//
// The dialog only shows and collects values; NodeEditorProcedure turns a
// node into them and back.

#include <windows.h>

#include <shellapi.h>

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "document/NodeEditorPort.h"
#include "document/win32/KindPictures.h"
#include "document/win32/NodePictureArea.h"
#include "win32/Dpi.h"
#include "win32/ModalWindow.h"
#include "win32/Win32Handles.h"

namespace velmora::win32 {

namespace node_editor {
// Control ids; BitBtn1 and BitBtn2 are the dialog keyboard's IDOK and IDCANCEL.
constexpr int kImage1 = 101;  // Question
constexpr int kImage2 = 102;  // Exclaimation
constexpr int kImage3 = 103;  // Inhibit
constexpr int kImage4 = 104;  // Information
constexpr int kRadioGroup1 = 110;
constexpr int kRadioGroup1Item0 = 111;  // items 0..3 take 111..114
constexpr int kMemo1 = 120;
constexpr int kMemo1Label = 123;
// The author's note: never shown to the end user.
constexpr int kNoteLabel = 124;
constexpr int kNote = 125;
// The end's outcome: none, then each choice of the "outcome" field.
constexpr int kOutcomeGroup = 130;
constexpr int kOutcomeItem0 = 131;  // items 0..3 take 131..134
// "続ける先(&L)...": the node an end continues at (LinkPicker.h).
constexpr int kLinkButton = 136;
constexpr int kLinkShown = 137;  // where the link leads
constexpr int kRadioButton1 = 121;
constexpr int kRadioButton2 = 122;
constexpr int kBitBtn1 = IDOK;
constexpr int kBitBtn2 = IDCANCEL;
}  // namespace node_editor

struct NodeEditorControls {
  HWND Image1 = nullptr;
  HWND Image2 = nullptr;
  HWND Image3 = nullptr;
  HWND Image4 = nullptr;
  HWND RadioGroup1 = nullptr;
  std::array<HWND, 4> RadioGroup1Items{};
  HWND Memo1Label = nullptr;
  HWND Memo1 = nullptr;
  HWND NoteLabel = nullptr;
  HWND Note = nullptr;
  HWND OutcomeGroup = nullptr;
  std::array<HWND, 4> OutcomeItems{};
  HWND LinkButton = nullptr;
  HWND LinkShown = nullptr;
  HWND RadioButton1 = nullptr;
  HWND RadioButton2 = nullptr;
  HWND BitBtn1 = nullptr;
  HWND BitBtn2 = nullptr;
};

class TForm2 final : public ModalWindow<TForm2>, public NodeEditorPort {
 public:
  static constexpr wchar_t kClassName[] = L"TForm2";

  explicit TForm2(HWND owner);
  ~TForm2() override;
  TForm2(const TForm2&) = delete;
  TForm2& operator=(const TForm2&) = delete;

  const NodeEditorControls& Controls() const { return controls_; }
  // The radio group's item index: the picked kind, -1 for none.
  int ItemIndex() const { return itemIndex_; }

  // Shows the dialog modally with `input`; the result on OK, nothing on
  // Cancel (and while it is already open).
  std::optional<NodeEditorResult> EditNode(const NodeEditorInput& input) override;

 private:
  friend class ModalWindow<TForm2>;
  LRESULT HandleWindowMessage(UINT message, WPARAM wParam, LPARAM lParam);

  // The dialog's own events.
  void FormCreate();
  void FormShow();
  void HidePictures();
  void RadioGroup1Click();
  void Memo1Change();
  void BitBtn1Click();

  // Construction and layout.
  void CreateControls();
  void ShowOwnersIcon();
  void RemoveCloseCommand();
  void ApplyLayout();
  int RequiredWidth(HWND button) const;

  // Message handlers.
  void OnCommand(int id, int code);
  void OnDrawItem(const DRAWITEMSTRUCT& item);
  void OnGetMinMaxInfo(MINMAXINFO& info);
  void OnDpiChanged(int dpi, const RECT& suggested);
  void OnDropFiles(HDROP drop);

  void SetItemIndex(int index);
  void SelectAnswerButton(bool preferNo);
  void SetMemoText(const std::string& cp932);
  void ShowOutcome(std::string_view value, bool enabled);
  std::string ChosenOutcome() const;
  void PlaceOutcomes(int left, int top, int width, int height);
  // Opens the list of nodes to continue at; its choice is kept until OK.
  void PickLink();
  void ShowLink();
  int KindOfPicture(int controlId) const;

  HWND owner_;
  NodeEditorControls controls_;
  // Picture of each kind, indexed by NodeKind.
  std::array<HWND, 4> kindPictures_{};
  UniqueFont font_;
  UniqueFont memoFont_;
  std::unique_ptr<KindPictures> pictures_;
  // The step's picture and its words, between the outcome and OK.
  std::unique_ptr<NodePictureArea> pictureArea_;
  DpiScale scale_;
  int itemIndex_ = -1;
  // The link as the dialog holds it until OK, and the nodes it may name.
  std::string linkValue_;
  std::function<std::vector<LinkChoice>()> linkChoices_;
  std::function<std::string(std::string_view)> linkShown_;
};

}  // namespace velmora::win32
