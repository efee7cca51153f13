// The node editor TForm2 opened from the real main window under Wine: what
// it shows for a node, how OK and Cancel leave the node, the tree and the
// save commands, and the window itself.
#include <windows.h>

#include <shellapi.h>
#include <shlobj.h>

#include <cstring>
#include <initializer_list>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "document/BranchRecord.h"
#include "AccessibleNames.h"
#include "EditingDriver.h"
#include "TestPictures.h"
#include "document/Picture.h"
#include "win32/Win32Handles.h"

#include "document/NodeLinks.h"
#include "document/win32/LinkPicker.h"

namespace velmora::win32::editing_test {
namespace {

const std::wstring kEmoji = L"\U0001F600";

struct ShownEditor {
  std::wstring caption;
  std::vector<bool> pictures;  // Image1 .. Image4 visible
  int checkedKind = -1;
  bool preferYes = false, preferNo = false;
  bool answerButtonsEnabled = false;
  bool outcomeEnabled = false;
  bool okEnabled = false;
  std::wstring memo;
  DWORD selectionStart = 0, selectionEnd = 0;
  bool programIcons = false;  // small and big
};

class NodeEditor : public EditingWindowTest {
 protected:
  ShownEditor Read() {
    const NodeEditorControls& c = Dialog();
    ShownEditor shown;
    shown.caption = TextOf(nodeEditor->Handle());
    for (HWND image : {c.Image1, c.Image2, c.Image3, c.Image4}) shown.pictures.push_back(Visible(image));
    for (int i = 0; i < 4; ++i) {
      if (Checked(c.RadioGroup1Items[static_cast<std::size_t>(i)])) shown.checkedKind = i;
    }
    shown.preferYes = Checked(c.RadioButton1);
    shown.preferNo = Checked(c.RadioButton2);
    shown.answerButtonsEnabled = Enabled(c.RadioButton1) && Enabled(c.RadioButton2);
    shown.outcomeEnabled = Enabled(c.OutcomeGroup) && Enabled(c.OutcomeItems[0]) && Enabled(c.OutcomeItems[3]);
    shown.okEnabled = Enabled(c.BitBtn1);
    shown.memo = TextOf(c.Memo1);
    SendMessageW(c.Memo1, EM_GETSEL, reinterpret_cast<WPARAM>(&shown.selectionStart),
                 reinterpret_cast<LPARAM>(&shown.selectionEnd));
    const auto icon = [&](WPARAM which) { return SendMessageW(nodeEditor->Handle(), WM_GETICON, which, 0) != 0; };
    shown.programIcons = icon(ICON_SMALL) && icon(ICON_BIG);
    return shown;
  }
  // Every branch of the view shows its children.
  bool ViewFullyExpanded() {
    const std::vector<ShownItem> items = ReadTreeView(Tree());
    for (std::size_t i = 0; i + 1 < items.size(); ++i) {
      if (items[i + 1].depth > items[i].depth && !items[i].expanded) return false;
    }
    return true;
  }
};

TEST_F(NodeEditor, QuestionWithTwoLinesAndNoDefaultSurvivesOk) {
  const std::string stored = "Is it on?\x81\xAB" "Check the cable(N)";
  Arrange([&](Editor& e) { e.Tree().Root()->SetText(stored); });
  ShownEditor shown;
  script.Play({[&](HWND) {
    shown = Read();
    Click(Dialog().BitBtn1);
  }});
  form->RunCommand(IDM_EDIT1);

  EXPECT_EQ(shown.caption, L"ダイアログ エディタ");
  EXPECT_EQ(shown.pictures, (std::vector<bool>{true, false, false, false}));
  EXPECT_EQ(shown.checkedKind, Question);
  EXPECT_TRUE(shown.preferNo);
  EXPECT_FALSE(shown.preferYes);
  EXPECT_TRUE(shown.answerButtonsEnabled);
  EXPECT_FALSE(shown.outcomeEnabled) << "only an end has an outcome";
  EXPECT_TRUE(shown.okEnabled);
  EXPECT_EQ(shown.memo, L"Is it on?\r\nCheck the cable");
  EXPECT_EQ(shown.selectionStart, shown.memo.size()) << "the caret waits at the end";
  EXPECT_EQ(shown.selectionEnd, shown.memo.size());
  EXPECT_TRUE(shown.programIcons);

  EXPECT_EQ(Model().Tree().Root()->Text(), stored);
  EXPECT_TRUE(Model().State().Modified);
  EXPECT_TRUE(MenuEnabled(IDM_SAVE1));
  EXPECT_TRUE(MenuEnabled(IDM_SAVEAS1));
  ExpectViewMatchesModel();
}

TEST_F(NodeEditor, NewAnswerNeedsAKindBeforeOk) {
  TreeNode* answer = Model().Tree().Root()->LastChild();
  Select(answer);
  ShownEditor opened, picked, typed;
  script.Play({
      [&](HWND) {
        opened = Read();
        Click(Dialog().BitBtn1);  // disabled: nothing happens
        Click(Dialog().RadioGroup1Items[Information]);
      },
      [&](HWND) {
        picked = Read();
        SendMessageW(Dialog().Memo1, EM_SETSEL, 0, -1);
        SendMessageW(Dialog().Memo1, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"Call support"));
        typed = Read();
        Click(Dialog().RadioButton2);
        Click(Dialog().OutcomeItems[3]);  // "サポートへ連絡"
      },
      [&](HWND) { Click(Dialog().BitBtn1); },
  });
  form->RunCommand(IDM_EDIT1);

  EXPECT_EQ(opened.checkedKind, -1);
  EXPECT_EQ(opened.pictures, (std::vector<bool>{false, false, false, false}));
  EXPECT_FALSE(opened.okEnabled);
  EXPECT_FALSE(opened.answerButtonsEnabled) << "a leaf has no answers";
  EXPECT_TRUE(opened.outcomeEnabled);
  EXPECT_TRUE(opened.preferYes);
  EXPECT_EQ(opened.memo, L"…");
  EXPECT_EQ(opened.selectionStart, 0u) << "typing replaces the placeholder";
  EXPECT_EQ(opened.selectionEnd, 1u);

  EXPECT_EQ(picked.pictures, (std::vector<bool>{false, false, false, true})) << "Image4 is the notice picture";
  EXPECT_TRUE(picked.okEnabled);
  EXPECT_TRUE(typed.answerButtonsEnabled) << "editing the text enables the default buttons";

  EXPECT_EQ(answer->Text(), "Call support(N)");
  EXPECT_EQ(answer->kind, Information);
  EXPECT_EQ(Model().Tree().LaterOf(*answer).Get(*FieldNamed("outcome")), "contact");
  ExpectViewMatchesModel();
}

// A keyboard-only author: from the text, Tab reaches the kinds before the
// buttons (none is chosen yet on a node without a kind), an arrow key
// chooses one and Enter confirms; also after the editor last closed with
// another kind chosen, which once took the kinds' tab stop away. Every
// control is named; the text by its label, the kinds by their frame.
TEST_F(NodeEditor, TheKeyboardReachesAKindBeforeTheButtons) {
  TreeNode* other = Model().Tree().Root()->FirstChild();
  TreeNode* answer = Model().Tree().Root()->LastChild();
  Arrange([&](Editor&) {
    other->kind = Exclaimation;
    answer->SetText("written before its kind");
  });
  Select(other);
  script.Play({[&](HWND) { Click(Dialog().BitBtn1); }});
  form->RunCommand(IDM_EDIT1);
  ASSERT_TRUE(script.Finished());

  Select(answer);
  HWND afterTab = nullptr;
  std::vector<std::wstring> unnamed;
  std::wstring memoName, kindsName;
  script.Play({
      [&](HWND dialog) {
        kindsName = TextOf(Dialog().RadioGroup1);
        unnamed = testing::UnnamedControls(dialog);
        memoName = testing::AccessibleName(Dialog().Memo1);
        SetFocus(Dialog().Memo1);
        PostMessageW(Dialog().Memo1, WM_KEYDOWN, VK_TAB, 1);
      },
      [&](HWND) {
        afterTab = GetFocus();
        PostMessageW(afterTab, WM_KEYDOWN, VK_DOWN, 1);
      },
      [&](HWND) { PostMessageW(GetFocus(), WM_KEYDOWN, VK_RETURN, 1); },
  });
  form->RunCommand(IDM_EDIT1);

  EXPECT_EQ(unnamed, std::vector<std::wstring>{});
  // "メッセージ(M)"
  EXPECT_EQ(memoName, L"メッセージ(M)");
  EXPECT_EQ(kindsName, L"種類");
  EXPECT_EQ(afterTab, Dialog().RadioGroup1Items[0]) << "Tab from the text goes to the first kind";
  EXPECT_EQ(answer->kind, Information) << "Down chose the second kind, Enter confirmed";
}

// On a screen of another scale the editor takes the suggested rectangle and
// a larger font.
TEST_F(NodeEditor, FollowsADpiChange) {
  LONG before = 0, after = 0;
  RECT suggested{}, now{};
  script.Play({[&](HWND dialog) {
    before = testing::FontHeightOf(Dialog().RadioGroup1Items[0]);
    suggested = testing::SendDpiChange(dialog, 144);
    GetWindowRect(dialog, &now);
    after = testing::FontHeightOf(Dialog().RadioGroup1Items[0]);
    Click(Dialog().BitBtn2);
  }});
  form->RunCommand(IDM_EDIT1);
  EXPECT_TRUE(testing::SameRect(now, suggested));
  EXPECT_GT(after, before);
}

TEST_F(NodeEditor, CancelLeavesTheNodeButExpandsTheTree) {
  TreeNode* yes = Model().Tree().Root()->FirstChild();
  Arrange([&](Editor& e) {
    e.AddBranch(yes, PackNode("deep", Information));
    e.State().Modified = false;  // arranged, not edited by the author
    e.Select(e.Tree().Root());
  });
  testing::FoldInView(*form, *yes);
  EXPECT_FALSE(ViewFullyExpanded());
  script.Play({[&](HWND) {
    SendMessageW(Dialog().Memo1, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"changed"));
    Key(Dialog().Memo1, VK_ESCAPE);  // Esc in the memo is Cancel too
  }});
  form->RunCommand(IDM_EDIT1);
  EXPECT_EQ(Model().Tree().Root()->Text(), "\x81\x63");
  EXPECT_FALSE(Model().State().Modified);
  EXPECT_FALSE(MenuEnabled(IDM_SAVE1));
  EXPECT_TRUE(ViewFullyExpanded());
  EXPECT_FALSE(Visible(nodeEditor->Handle()));
}

// The same for the author's note, which a screen reader names by its label.
TEST_F(NodeEditor, EnterInTheMemoIsALineBreak) {
  std::string noteName;
  script.Play({
      [&](HWND) {
        SendMessageW(Dialog().Memo1, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"one"));
        SendMessageW(Dialog().Memo1, EM_SETSEL, 3, 3);
        Key(Dialog().Memo1, VK_RETURN);
        Key(Dialog().Memo1, 'T');
        SendMessageW(Dialog().Note, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"asked"));
        SendMessageW(Dialog().Note, EM_SETSEL, 5, 5);
        Key(Dialog().Note, VK_RETURN);
        Key(Dialog().Note, 'Q');
        noteName = ToCp932(testing::AccessibleName(Dialog().Note));
      },
      [&](HWND) { Click(Dialog().BitBtn1); },
  });
  form->RunCommand(IDM_EDIT1);
  const TreeNode& root = *Model().Tree().Root();
  EXPECT_EQ(root.Text(), "one\x81\xABt");
  EXPECT_EQ(Model().Tree().LaterOf(root).Get(*FieldNamed("note")), "asked\x81\xABq");
  EXPECT_EQ(noteName, "\x8d\xec\x90\xac\x8e\xd2\x83\x81\x83\x82(O)");  // 作成者メモ(O)
}

TEST_F(NodeEditor, RefusesACharacterItCannotStoreAndStaysOpen) {
  std::wstring refusal;
  bool stillOpen = false;
  script.Play({
      [&](HWND) {
        SendMessageW(Dialog().Memo1, WM_SETTEXT, 0, reinterpret_cast<LPARAM>((L"smile " + kEmoji).c_str()));
        Click(Dialog().BitBtn1);
      },
      [&](HWND box) {
        refusal = MessageBoxText(box);
        Answer(box, IDOK);
      },
      [&](HWND dialog) {
        stillOpen = dialog == nodeEditor->Handle() && Visible(dialog);
        SendMessageW(Dialog().Memo1, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"smile"));
        Click(Dialog().BitBtn1);
      },
  });
  form->RunCommand(IDM_EDIT1);
  EXPECT_NE(refusal.find(kEmoji), std::wstring::npos);
  EXPECT_TRUE(stillOpen);
  EXPECT_EQ(Model().Tree().Root()->Text(), "smile");
}

TEST_F(NodeEditor, TheWindowItself) {
  HWND dialog = nodeEditor->Handle();
  EXPECT_NE(GetWindowLongPtrW(dialog, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
  const LONG_PTR style = GetWindowLongPtrW(dialog, GWL_STYLE);
  EXPECT_NE(style & WS_THICKFRAME, 0);
  EXPECT_NE(style & WS_MAXIMIZEBOX, 0);
  EXPECT_EQ(style & WS_MINIMIZEBOX, 0);
  EXPECT_EQ(GetMenuState(GetSystemMenu(dialog, FALSE), SC_CLOSE, MF_BYCOMMAND), static_cast<UINT>(-1));
  const int dpi = GetDeviceCaps(WindowDc(nullptr).Get(), LOGPIXELSY);
  MINMAXINFO limits{};
  SendMessageW(dialog, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
  // The link's row (26) between the outcome and the picture.
  EXPECT_EQ(limits.ptMinTrackSize.y, MulDiv(292 + 26 + NodePictureArea::kDesignHeight, dpi, 96));
  RECT client{};
  GetClientRect(dialog, &client);
  EXPECT_EQ(client.right, MulDiv(384, dpi, 96));
  EXPECT_FALSE(Visible(dialog)) << "created hidden";

  RECT own{}, shown{};
  GetWindowRect(form->Handle(), &own);
  script.Play({[&](HWND d) {
    GetWindowRect(d, &shown);
    Click(Dialog().BitBtn2);
  }});
  form->RunCommand(IDM_EDIT1);
  EXPECT_LE(std::abs((own.left + own.right) / 2 - (shown.left + shown.right) / 2), 1);
  EXPECT_LE(std::abs((own.top + own.bottom) / 2 - (shown.top + shown.bottom) / 2), 1);
}

// Puts `bytes` on the clipboard as `format`, as Print Screen puts a DIB.
void PutOnClipboard(UINT format, const std::string& bytes) {
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
  std::memcpy(GlobalLock(block), bytes.data(), bytes.size());
  GlobalUnlock(block);
  SetClipboardData(format, block);
  CloseClipboard();
}

// A screenshot pasted becomes the step's picture, kept losslessly as PNG;
// the thumbnail is named by the picture and its words. With no picture on
// the clipboard the author hears so and the step keeps its picture; the
// remove button takes it away.
// The button's one command, posted: the list then opens before the node
// editor waits again.
void PressLinkButton(HWND dialog) {
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(node_editor::kLinkButton, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, node_editor::kLinkButton)));
}

// Keys pressed (true) and released, as the keyboard sends them to the
// window in front.
void PressKeys(std::initializer_list<std::pair<WORD, bool>> strokes) {
  std::vector<INPUT> keys;
  for (const auto& [key, down] : strokes) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    keys.push_back(input);
  }
  ASSERT_EQ(SendInput(static_cast<UINT>(keys.size()), keys.data(), sizeof(INPUT)), keys.size());
}

// "続ける先(&L)...": the list of the other nodes, narrowed as the find box
// finds, picks the node an end continues at; "（なし）" takes it away.
TEST_F(NodeEditor, TheLinkButtonPicksTheNodeAnEndContinuesAt) {
  TreeNode* yes = Model().Tree().Root()->FirstChild();
  Arrange([&](Editor& e) {
    e.SetNode(e.Tree().Root(), NodeFields{"Power on?", Question, {}});
    e.SetNode(e.Tree().Root()->LastChild(), NodeFields{"Plug it in", Information, {}});
    e.SetNode(yes, NodeFields{"Restart", Information, {}});  // a kind, so that OK may close it
    e.Select(yes);
  });
  std::wstring listName, shownTarget;
  std::vector<std::wstring> lines;
  script.Play({
      [&](HWND dialog) {
        EXPECT_TRUE(Enabled(Dialog().LinkButton));
        PressLinkButton(dialog);
      },
      [&](HWND picker) {
        SendMessageW(GetDlgItem(picker, link_picker::kSearch), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"ＰＯＷＥＲ"));
        SendMessageW(picker, WM_COMMAND, MAKEWPARAM(link_picker::kSearch, EN_CHANGE),
                     reinterpret_cast<LPARAM>(GetDlgItem(picker, link_picker::kSearch)));
        const HWND list = GetDlgItem(picker, link_picker::kList);
        // Windows names the list by the label just before it (Wine names
        // no list box): the order is what is tested.
        listName = TextOf(GetWindow(list, GW_HWNDPREV));
        for (LRESULT i = 0; i < SendMessageW(list, LB_GETCOUNT, 0, 0); ++i) {
          wchar_t line[256] = {};
          SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(line));
          lines.push_back(line);
        }
        PostMessageW(picker, WM_COMMAND, IDOK, 0);
      },
      [&](HWND) {
        shownTarget = TextOf(Dialog().LinkShown);
        Click(Dialog().BitBtn1);
      },
  });
  form->RunCommand(IDM_EDIT1);
  EXPECT_EQ(lines, (std::vector<std::wstring>{L"（なし）", L"1: Power on?"}));
  EXPECT_EQ(shownTarget, L"→ Power on?");
  EXPECT_EQ(listName, L"続けるノード(&N)");
  EXPECT_EQ(LinkTarget(Model().Tree(), *yes), Model().Tree().Root());

  script.Play({
      [&](HWND dialog) { PressLinkButton(dialog); },
      [&](HWND picker) {
        SendMessageW(GetDlgItem(picker, link_picker::kList), LB_SETCURSEL, 0, 0);
        PostMessageW(picker, WM_COMMAND, IDOK, 0);
      },
      [&](HWND) { Click(Dialog().BitBtn1); },
  });
  form->RunCommand(IDM_EDIT1);
  EXPECT_EQ(LinkTarget(Model().Tree(), *yes), nullptr);

  // The same from the keyboard alone: Alt+L opens the list with the focus
  // in its search box, typing narrows it, Enter takes the first match.
  script.Play({
      [&](HWND) { PressKeys({{VK_MENU, true}, {'L', true}, {'L', false}, {VK_MENU, false}}); },
      [&](HWND) {
        PressKeys({{'P', true}, {'P', false}, {'O', true}, {'O', false}, {'W', true}, {'W', false},
                   {VK_RETURN, true}, {VK_RETURN, false}});
      },
      [&](HWND) { Click(Dialog().BitBtn1); },
  });
  form->RunCommand(IDM_EDIT1);
  EXPECT_EQ(LinkTarget(Model().Tree(), *yes), Model().Tree().Root());
  // A question continues by its answers: no link to pick.
  script.Play({[&](HWND) {
    EXPECT_FALSE(Enabled(Dialog().LinkButton));
    Click(Dialog().BitBtn2);
  }});
  Arrange([&](Editor& e) { e.Select(e.Tree().Root()); });
  form->RunCommand(IDM_EDIT1);
}

TEST_F(NodeEditor, PastedScreenshotIsKeptAsPngWithItsWords) {
  const FieldIndex picture = *FieldNamed("picture");
  const FieldIndex alt = *FieldNamed("alt");
  std::wstring name, refusal;
  script.Play({
      [&](HWND dialog) {
        PutOnClipboard(CF_DIB, testing::GreyDib(40, 30));
        Click(GetDlgItem(dialog, node_editor::kPastePicture));
      },
      [&](HWND dialog) {
        SendMessageW(GetDlgItem(dialog, node_editor::kAlt), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"tray icon"));
        name = testing::AccessibleName(GetDlgItem(dialog, node_editor::kPicture));
        Click(Dialog().BitBtn1);
      },
  });
  form->RunCommand(IDM_EDIT1);
  const std::optional<std::string> bytes = Base64Decode(Model().Tree().LaterOf(*Model().Tree().Root()).Get(picture));
  ASSERT_TRUE(bytes.has_value());
  const std::optional<PictureFacts> facts = ReadPictureFacts(*bytes);
  ASSERT_TRUE(facts.has_value());
  EXPECT_EQ(facts->format, PictureFormat::Png);
  EXPECT_EQ(facts->width, 40u);
  EXPECT_EQ(facts->height, 30u);
  EXPECT_EQ(Model().Tree().LaterOf(*Model().Tree().Root()).Get(alt), "tray icon");
  EXPECT_NE(name.find(L"40x30 PNG"), std::wstring::npos) << name;
  EXPECT_NE(name.find(L"tray icon"), std::wstring::npos) << name;

  script.Play({
      [&](HWND dialog) {
        PutOnClipboard(CF_UNICODETEXT, std::string("t\0\0\0", 4));
        Click(GetDlgItem(dialog, node_editor::kPastePicture));
      },
      [&](HWND box) {
        refusal = MessageBoxText(box);
        Answer(box, IDOK);
      },
      [&](HWND) { Click(Dialog().BitBtn1); },
  });
  form->RunCommand(IDM_EDIT1);
  EXPECT_NE(refusal.find(L"クリップボードに画像がありません"), std::wstring::npos) << refusal;
  EXPECT_FALSE(Model().Tree().LaterOf(*Model().Tree().Root()).Get(picture).empty());

  script.Play({[&](HWND dialog) {
    Click(GetDlgItem(dialog, node_editor::kRemovePicture));
    Click(Dialog().BitBtn1);
  }});
  form->RunCommand(IDM_EDIT1);
  EXPECT_TRUE(Model().Tree().LaterOf(*Model().Tree().Root()).Get(picture).empty());
}

// A file dropped on a window, as Explorer drops one.
void DropFile(HWND window, const std::wstring& path) {
  const std::size_t bytes = sizeof(DROPFILES) + (path.size() + 2) * sizeof(wchar_t);
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes);
  auto* drop = static_cast<DROPFILES*>(GlobalLock(block));
  drop->pFiles = sizeof(DROPFILES);
  drop->fWide = TRUE;
  std::memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), path.c_str(), path.size() * sizeof(wchar_t));
  GlobalUnlock(block);
  PostMessageW(window, WM_DROPFILES, reinterpret_cast<WPARAM>(block), 0);
}

std::wstring TemporaryFile(const wchar_t* name, const std::string& bytes) {
  wchar_t folder[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, folder);
  const std::wstring path = std::wstring(folder) + name;
  const UniqueKernelHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  DWORD written = 0;
  WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  return path;
}

// A picture file dropped on the node editor is kept byte for byte, in its
// own format; a file that is no picture, or one past the limit, is refused
// in words and changes nothing.
TEST_F(NodeEditor, DroppedPictureFileIsKeptAsItIs) {
  const std::string jpeg = testing::GreyPicture(20, 10, EncodedFormat::Jpeg);
  const std::wstring picture = TemporaryFile(L"velmora-drop.jpg", jpeg);
  const std::wstring notes = TemporaryFile(L"velmora-drop.txt", "not a picture");
  const std::wstring huge = TemporaryFile(L"velmora-drop-huge.png", std::string(9 * 1024 * 1024, '\0'));
  std::wstring refusal, sizeRefusal;
  script.Play({
      [&](HWND dialog) { DropFile(dialog, picture); },
      [&](HWND dialog) { DropFile(dialog, notes); },
      [&](HWND box) {
        refusal = MessageBoxText(box);
        Answer(box, IDOK);
      },
      [&](HWND dialog) { DropFile(dialog, huge); },
      [&](HWND box) {
        sizeRefusal = MessageBoxText(box);
        Answer(box, IDOK);
      },
      [&](HWND) { Click(Dialog().BitBtn1); },
  });
  form->RunCommand(IDM_EDIT1);
  for (const std::wstring& file : {picture, notes, huge}) DeleteFileW(file.c_str());
  EXPECT_NE(refusal.find(L"PNG"), std::wstring::npos) << refusal;
  EXPECT_NE(sizeRefusal.find(L"8 MB"), std::wstring::npos) << sizeRefusal;
  EXPECT_EQ(Model().Tree().LaterOf(*Model().Tree().Root()).Get(*FieldNamed("picture")), Base64Encode(jpeg));
}

}  // namespace
}  // namespace velmora::win32::editing_test
