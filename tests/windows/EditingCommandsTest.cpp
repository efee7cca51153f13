// The editing commands on the real main window under Wine: the pop-up
// commands change the tree view exactly as the model, the enable states
// follow the selection, the delete question and the newline input box are
// read and answered as a user would.
#include <cstring>

#include <gtest/gtest.h>

#include "document/BranchRecord.h"
#include "AccessibleNames.h"
#include "EditingDriver.h"
#include "document/EditCommands.h"
#include "document/win32/InputBox.h"

namespace velmora::win32::editing_test {
namespace {

const std::wstring kDots = L"…";
const std::wstring kArrow = L"↓";
// "を、削除してもよいですか？"
const std::wstring kDeleteQuestion = L"を、削除してもよいですか？";
// "改行文字を指定"
const std::wstring kNewLinePrompt = L"改行文字を指定";
const std::wstring kEmoji = L"\U0001F600";

using EditingCommands = EditingWindowTest;

TEST_F(EditingCommands, BuildingAQuestionWithThePopupMenu) {
  TreeNode* root = Model().Tree().Root();
  ExpectViewMatchesModel();
  EXPECT_FALSE(PopupEnabled(IDM_ADDYES1));
  EXPECT_FALSE(PopupEnabled(IDM_ADDNO1));
  EXPECT_TRUE(PopupEnabled(IDM_EXCHANGE1));
  EXPECT_TRUE(PopupEnabled(IDM_YESDEFAULT1));
  EXPECT_TRUE(PopupEnabled(IDM_NODEFAULT1));
  EXPECT_FALSE(PopupEnabled(IDM_DELETE1));
  EXPECT_TRUE(PopupEnabled(IDM_QUESTION1)) << "the kind commands are never disabled";

  TreeNode* leaf = root->FirstChild();
  Select(leaf);
  EXPECT_EQ(Model().CurrentNode, leaf);
  EXPECT_TRUE(PopupEnabled(IDM_ADDYES1));
  EXPECT_FALSE(PopupEnabled(IDM_ADDNO1));
  EXPECT_FALSE(PopupEnabled(IDM_EXCHANGE1));
  EXPECT_TRUE(PopupEnabled(IDM_DELETE1));
  EXPECT_TRUE(MenuEnabled(IDM_GENERATE1));
  ExpectViewMatchesModel();

  form->RunCommand(IDM_ADDYES1);
  ASSERT_EQ(leaf->ChildCount(), 1u);
  EXPECT_EQ(Model().Selected(), leaf->FirstChild());
  EXPECT_TRUE(MenuEnabled(IDM_SAVE1));
  ExpectViewMatchesModel();

  Select(leaf);
  EXPECT_FALSE(PopupEnabled(IDM_ADDYES1));
  EXPECT_TRUE(PopupEnabled(IDM_ADDNO1));
  form->RunCommand(IDM_ADDNO1);
  ASSERT_EQ(leaf->ChildCount(), 2u);
  EXPECT_EQ(Model().Selected(), leaf->LastChild());

  Select(leaf);
  EXPECT_TRUE(PopupEnabled(IDM_EXCHANGE1));
  EXPECT_FALSE(PopupEnabled(IDM_ADDYES1));
  const std::vector<ShownItem> shown = ReadTreeView(Tree());
  ASSERT_EQ(shown.size(), 5u);
  EXPECT_EQ(shown[1].mark, 1);
  EXPECT_EQ(shown[2].mark, 2);
  EXPECT_EQ(shown[3].mark, 3);
  EXPECT_EQ(shown[2].text, kDots);
  EXPECT_EQ(shown[2].image, NodeImageOf(Unset));
  ExpectViewMatchesModel();
}

TEST_F(EditingCommands, ExchangeKindAndDefaultCommandsShowInTheView) {
  Arrange([](Editor& e) {
    TreeNode* root = e.Tree().Root();
    root->SetText("Power on?");
    root->FirstChild()->SetText("yes");
    root->LastChild()->SetText("i no");
  });
  TreeNode* root = Model().Tree().Root();
  TreeNode* yes = root->FirstChild();
  TreeNode* no = root->LastChild();

  form->RunCommand(IDM_NODEFAULT1);
  form->RunCommand(IDM_NODEFAULT1);
  form->RunCommand(IDM_EXCHANGE1);
  EXPECT_EQ(root->FirstChild(), no);
  EXPECT_EQ(ReadTreeView(Tree())[0].text, L"Power on?(N)");
  ExpectViewMatchesModel();

  Select(no);
  form->RunCommand(IDM_QUESTION1);
  EXPECT_EQ(ReadTreeView(Tree())[1].text, L"no");
  EXPECT_EQ(ReadTreeView(Tree())[1].image, Question);
  Select(yes);
  form->RunCommand(IDM_INHIBIT1);
  EXPECT_EQ(ReadTreeView(Tree())[2].image, Inhibit);
  ExpectViewMatchesModel();

  Select(root);
  form->RunCommand(IDM_YESDEFAULT1);
  EXPECT_EQ(ReadTreeView(Tree())[0].text, L"Power on?");
}

TEST_F(EditingCommands, DeleteAsksWithTheStoredTextAndOnlyYesDeletes) {
  Arrange([](Editor& e) {
    TreeNode* yes = e.Tree().Root()->FirstChild();
    yes->SetText("Restart\x81\xABthen retry(N)");
    e.AddBranch(yes, PackNode("under it", Question));
    e.State().Modified = false;  // arranged, not edited by the author
    e.Select(yes);
  });
  TreeNode* root = Model().Tree().Root();
  std::wstring asked;
  std::wstring caption;
  bool hasYesAndNo = false;
  auto read = [&](HWND box) {
    asked = MessageBoxText(box);
    caption = TextOf(box);
    hasYesAndNo = GetDlgItem(box, IDYES) != nullptr && GetDlgItem(box, IDNO) != nullptr &&
                  GetDlgItem(box, IDCANCEL) == nullptr;
  };
  script.Play({[&](HWND box) {
    read(box);
    Answer(box, IDNO);
  }});
  form->RunCommand(IDM_DELETE1);
  // "この下の答え 1 件も一緒に削除されます。": the answer below goes too.
  EXPECT_EQ(asked, L"Restart" + kArrow + L"then retry(N)\r\n\r\n" + kDeleteQuestion +
                       L"\r\nこの下の答え 1 件も一緒に削除されます。");
  EXPECT_EQ(caption, L"Velmora");
  EXPECT_TRUE(hasYesAndNo);
  EXPECT_EQ(Model().Tree().Count(), 4u);
  EXPECT_FALSE(MenuEnabled(IDM_SAVE1)) << "a refused deletion changes nothing";

  script.Play({[&](HWND box) { Answer(box, IDYES); }});
  form->RunCommand(IDM_DELETE1);
  EXPECT_EQ(Model().Tree().Count(), 2u);
  EXPECT_EQ(Model().Selected(), root);
  EXPECT_TRUE(MenuEnabled(IDM_SAVE1));
  EXPECT_TRUE(PopupEnabled(IDM_ADDNO1)) << "the former No answer is now the only one";
  ExpectViewMatchesModel();
}

TEST_F(EditingCommands, ShowButtonsSwitchesTheTreesExpandButtons) {
  auto hasButtons = [&] { return (GetWindowLongPtrW(Tree(), GWL_STYLE) & TVS_HASBUTTONS) != 0; };
  const bool before = hasButtons();
  form->RunCommand(IDM_SHOWBUTTONS1);
  EXPECT_NE(hasButtons(), before);
  EXPECT_EQ(Model().Settings().ShowButtons, hasButtons());
  EXPECT_EQ(form->IsChecked(IDM_SHOWBUTTONS1), hasButtons());
  form->RunCommand(IDM_SHOWBUTTONS1);
  EXPECT_EQ(hasButtons(), before);

  const bool closeQuery = Model().Settings().CloseQuery;
  form->RunCommand(IDM_CLOSEQUERY1);
  EXPECT_NE(Model().Settings().CloseQuery, closeQuery);
  EXPECT_FALSE(Model().State().Modified);
}

// On a screen of another scale the input box takes the suggested rectangle
// and a larger font.
TEST_F(EditingCommands, TheInputBoxFollowsADpiChange) {
  LONG before = 0, after = 0;
  RECT suggested{}, now{};
  script.Play({[&](HWND box) {
    before = testing::FontHeightOf(GetDlgItem(box, input_box::kEdit));
    suggested = testing::SendDpiChange(box, 144);
    GetWindowRect(box, &now);
    after = testing::FontHeightOf(GetDlgItem(box, input_box::kEdit));
    Click(GetDlgItem(box, IDCANCEL));
  }});
  form->RunCommand(IDM_NEWLINE1);
  EXPECT_TRUE(testing::SameRect(now, suggested));
  EXPECT_GT(after, before);
}

TEST_F(EditingCommands, NewLineMarkThroughTheInputBox) {
  std::wstring caption, prompt, initial;
  auto answerWith = [&](std::wstring text, int button) {
    return [&, text, button](HWND box) {
      caption = TextOf(box);
      prompt = TextOf(GetDlgItem(box, input_box::kPrompt));
      initial = TextOf(GetDlgItem(box, input_box::kEdit));
      Type(GetDlgItem(box, input_box::kEdit), text);
      Click(GetDlgItem(box, button));
    };
  };
  script.Play({answerWith(kArrow, IDOK)});
  form->RunCommand(IDM_NEWLINE1);
  EXPECT_EQ(caption, L"Velmora");
  EXPECT_EQ(prompt, kNewLinePrompt);
  EXPECT_EQ(initial, kArrow);
  EXPECT_FALSE(Model().State().Modified) << "the same mark is no change";

  script.Play({answerWith(L"/", IDCANCEL)});
  form->RunCommand(IDM_NEWLINE1);
  EXPECT_EQ(Model().State().NewLineMark, "\x81\xAB");

  script.Play({answerWith(L"", IDOK)});
  form->RunCommand(IDM_NEWLINE1);
  EXPECT_EQ(Model().State().NewLineMark, "");
  EXPECT_TRUE(Model().State().Modified);
  EXPECT_TRUE(MenuEnabled(IDM_SAVE1));
}

TEST_F(EditingCommands, InputBoxNamesACharacterItCannotStore) {
  std::wstring refusal;
  bool stillOpen = false;
  HWND inputBox = nullptr;
  script.Play({
      [&](HWND box) {
        inputBox = box;
        script.Watch(box);  // it owns the refusal
        Type(GetDlgItem(box, input_box::kEdit), L"a" + kEmoji);
        Click(GetDlgItem(box, IDOK));
      },
      [&](HWND message) {
        refusal = MessageBoxText(message);
        Answer(message, IDOK);
      },
      [&](HWND box) {
        stillOpen = box == inputBox && Visible(box);
        Type(GetDlgItem(box, input_box::kEdit), L"|");
        Click(GetDlgItem(box, IDOK));
      },
  });
  form->RunCommand(IDM_NEWLINE1);
  EXPECT_NE(refusal.find(kEmoji), std::wstring::npos) << ToCp932(refusal);
  EXPECT_TRUE(stillOpen);
  EXPECT_EQ(Model().State().NewLineMark, "|");
}

TEST_F(EditingCommands, TitleBoxRefusesWhatItCannotStore) {
  HWND title = form->Controls().LabeledEdit1;
  Type(title, L"Printer");
  EXPECT_EQ(Model().State().Title, "Printer");
  EXPECT_TRUE(Model().State().Modified);
  EXPECT_TRUE(MenuEnabled(IDM_SAVE1));

  std::wstring refusal;
  script.Play({[&](HWND box) {
    refusal = MessageBoxText(box);
    Answer(box, IDOK);
  }});
  SendMessageW(title, EM_SETSEL, 7, 7);
  SendMessageW(title, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>((L" " + kEmoji).c_str()));
  EXPECT_NE(refusal.find(kEmoji), std::wstring::npos);
  EXPECT_EQ(TextOf(title), L"Printer");
  EXPECT_EQ(Model().State().Title, "Printer");

  // Enter in the one-line box is dropped.
  SendMessageW(title, WM_CHAR, L'\r', 1);
  EXPECT_EQ(TextOf(title), L"Printer");
}

TEST_F(EditingCommands, EnterF2AndASlowSecondClickOpenTheNodeEditor) {
  TreeNode* yes = Model().Tree().Root()->FirstChild();
  Select(yes);
  SetFocus(Tree());
  int opened = 0;
  auto cancel = [&](HWND dialog) {
    ++opened;
    EXPECT_EQ(dialog, nodeEditor->Handle());
    Click(Dialog().BitBtn2);
  };

  script.Play({cancel});
  SendMessageW(Tree(), WM_CHAR, L'\r', 1);
  EXPECT_EQ(opened, 1);

  script.Play({cancel});
  Key(Tree(), VK_F2);
  EXPECT_TRUE(PumpUntil([&] { return opened == 2; }));

  script.Play({cancel});
  RECT label{};
  const HTREEITEM item = form->TreeView().ItemOf(yes->Id());
  std::memcpy(&label, &item, sizeof item);  // TVM_GETITEMRECT takes the item in the rectangle
  ASSERT_TRUE(SendMessageW(Tree(), TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&label)));
  const LPARAM at = MAKELPARAM((label.left + label.right) / 2, (label.top + label.bottom) / 2);
  PostMessageW(Tree(), WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageW(Tree(), WM_LBUTTONUP, 0, at);
  EXPECT_TRUE(PumpUntil([&] { return opened == 3; }, 2 * GetDoubleClickTime() + 3000));
  EXPECT_EQ(Model().Selected(), yes);
  EXPECT_FALSE(Model().State().Modified);
}

}  // namespace
}  // namespace velmora::win32::editing_test
