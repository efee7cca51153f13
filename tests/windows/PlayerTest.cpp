// Generated executables as end users start them: the real Velmora.bin with
// a payload appended, run as its own process under Wine, its dialogs read
// and answered from here.
#include <windows.h>

#include <imagehlp.h>

#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ClipboardReading.h"
#include "app/CommandIds.h"
#include "document/ContentVersion.h"
#include "files/TreeFile.h"
#include "MainWindowTestSupport.h"
#include "RunningPlayer.h"
#include "StepDialogReading.h"
#include "TestPictures.h"
#include "document/Picture.h"
#include "win32/WholeFile.h"
#include "win32/WideText.h"
#include "win32/Win32Handles.h"
#include "files/DistributionPayload.h"
#include "player/PlayerResources.h"
#include "document/DecisionTree.h"
#include "document/NodeLinks.h"
#include "document/DocumentState.h"

namespace velmora::win32 {
namespace {

using testing::PressStepButton;
using testing::ReadStepDialog;
using testing::ShownStep;
using testing::ControlText;
using testing::RunningPlayer;

using testing::HostPath;
using testing::GreyPicture;

std::string ReadBytes(const std::wstring& path) {
  if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) return {};
  return ReadWholeFile(path);
}

void WriteBytes(const std::wstring& path, const std::string& bytes) {
  const UniqueFileHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  ASSERT_TRUE(file.Valid());
  DWORD written = 0;
  WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  ASSERT_EQ(written, bytes.size());
}

const std::string& Stub() {
  static const std::string stub = ReadBytes(HostPath(VELMORA_BUILD_DIR "/app/Velmora.bin"));
  return stub;
}

// A generated executable in the temporary folder, deleted afterwards.
class GeneratedExecutable {
 public:
  explicit GeneratedExecutable(const std::string& bytes) {
    wchar_t folder[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, folder);
    static int counter = 0;
    path_ = std::wstring(folder) + L"velmora-player-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
            std::to_wstring(++counter) + L".exe";
    WriteBytes(path_, bytes);
  }
  ~GeneratedExecutable() { DeleteFileW(path_.c_str()); }
  const std::wstring& Path() const { return path_; }

 private:
  std::wstring path_;
};

// "用紙は入っていますか？(N)" → Yes: "ランプは点滅していますか？" (warning)
//   → Yes "修理を依頼してください。" / No "電源を入れ直してください。"
// → No: "用紙を補充してください。"
struct PrinterProcedure {
  PrinterProcedure() {
    TreeNode* root = tree.AddTopLevel("\x97\x70\x8E\x86\x82\xCD\x93\xFC\x82\xC1\x82\xC4\x82\xA2\x82\xDC\x82\xB7\x82\xA9\x81\x48(N)", Question);
    lamp = tree.AddChild(
        root, "\x83\x89\x83\x93\x83\x76\x82\xCD\x93\x5F\x96\xC5\x82\xB5\x82\xC4\x82\xA2\x82\xDC\x82\xB7\x82\xA9\x81\x48",
        Exclaimation);
    tree.AddChild(lamp, "\x8F\x43\x97\x9D\x82\xF0\x88\xCB\x97\x8A\x82\xB5\x82\xC4\x82\xAD\x82\xBE\x82\xB3\x82\xA2\x81\x42",
                  Inhibit);
    tree.AddChild(lamp, "\x93\x64\x8C\xB9\x82\xF0\x93\xFC\x82\xEA\x92\xBC\x82\xB5\x81\xAB\x82\xC4\x82\xAD\x82\xBE\x82\xB3\x82\xA2\x81\x42",
                  Information);
    tree.AddChild(root, "\x97\x70\x8E\x86\x82\xF0\x95\xE2\x8F\x5B\x82\xB5\x82\xC4\x82\xAD\x82\xBE\x82\xB3\x82\xA2\x81\x42",
                  Information);
    state.Title = "  \x83\x76\x83\x8A\x83\x93\x83\x5E  ";  // "  プリンタ  "
    state.Color = 2;
  }
  DecisionTree tree;
  DocumentState state;
  TreeNode* lamp = nullptr;
};

const std::wstring kCaption = L"プリンタ";  // プリンタ

TEST(Player, StubIsBuiltBesideTheEditor) {
  ASSERT_FALSE(Stub().empty()) << "Velmora.bin is missing from " VELMORA_BUILD_DIR "/app";
  EXPECT_EQ(Stub().substr(0, 2), "MZ");
}

TEST(Player, GeneratedExecutableRunsTheProcedureAlongAPathToALeaf) {
  ASSERT_FALSE(Stub().empty());
  PrinterProcedure procedure;
  // The lamp's question shows where the lamp is, named by its words.
  LaterFields lampPicture;
  lampPicture.Set(*FieldNamed("picture"), Base64Encode(GreyPicture(32, 24, EncodedFormat::Png)));
  lampPicture.Set(*FieldNamed("alt"), "\x83\x89\x83\x93\x83\x76");  // ランプ
  procedure.tree.SetLater(*procedure.lamp, lampPicture);
  GeneratedExecutable exe(BuildDistributionExecutable(Stub(), procedure.tree, procedure.state));
  RunningPlayer player(exe.Path());
  ASSERT_TRUE(player.Started());

  HWND first = player.NextDialog();
  ASSERT_NE(first, nullptr) << "no step dialog appeared";
  const ShownStep root = ReadStepDialog(first);
  EXPECT_EQ(root.caption, kCaption);
  EXPECT_EQ(root.message, L"用紙は入っていますか？");
  EXPECT_EQ(root.buttons, (std::vector<std::wstring>{L"はい(&Y)", L"いいえ(&N)", L"終了"}));
  EXPECT_EQ(root.focusedButton, 1) << "the (N) suffix makes No the focused default";
  // One application window owns the dialogs and carries the caption: it
  // holds the taskbar button from the first step to the last.
  const HWND application = GetWindow(first, GW_OWNER);
  ASSERT_NE(application, nullptr);
  EXPECT_EQ(ControlText(application), kCaption);
  PressStepButton(first, 0);  // Yes

  HWND lamp = player.NextDialog(first);
  ASSERT_NE(lamp, nullptr);
  const ShownStep lampStep = ReadStepDialog(lamp);
  EXPECT_EQ(lampStep.message, L"ランプは点滅していますか？");
  EXPECT_EQ(lampStep.picture.cx, 32);
  EXPECT_EQ(lampStep.picture.cy, 24);
  EXPECT_EQ(lampStep.pictureWords, L"ランプ");
  EXPECT_EQ(root.picture.cx, 0) << "a step without a picture shows none";
  EXPECT_EQ(lampStep.buttons[2], L"戻る");
  EXPECT_EQ(lampStep.focusedButton, 0);
  EXPECT_EQ(GetWindow(lamp, GW_OWNER), application);
  PressStepButton(lamp, 1);  // No

  HWND leaf = player.NextDialog(lamp);
  ASSERT_NE(leaf, nullptr);
  const ShownStep leafStep = ReadStepDialog(leaf);
  // The newline mark "↓" of the text is a line break on screen.
  EXPECT_EQ(leafStep.message, L"電源を入れ直し\r\nてください。");
  // ＯＫ, 戻る and the player's own 経路をコピー(&C) (copy the path).
  EXPECT_EQ(leafStep.buttons, (std::vector<std::wstring>{L"ＯＫ", L"戻る",
                                                          L"経路をコピー(&C)"}));
  EXPECT_EQ(GetWindow(leaf, GW_OWNER), application);
  PressStepButton(leaf, 0);  // OK ends the run

  EXPECT_EQ(player.ExitCode(), 0);
}

// Links in a generated executable: the No answer's end goes on at the lamp's
// question (a shared step) and Back comes back across the link; the lamp's
// No end goes back to the lamp (a retry loop), round which the player goes
// a thousand times without holding more memory than after the first rounds.
TEST(Player, LinksGoOnAndALoopRoundAThousandTimesKeepsThePlayersMemory) {
  ASSERT_FALSE(Stub().empty());
  PrinterProcedure procedure;
  const auto link = [&procedure](const TreeNode* from, const TreeNode* to) {
    LaterFields later;
    later.Set(LinkField(), LinkValue(to->Id()));
    procedure.tree.SetLater(*from, later);
  };
  link(procedure.tree.Root()->LastChild(), procedure.lamp);
  link(procedure.lamp->LastChild(), procedure.lamp);
  GeneratedExecutable exe(BuildDistributionExecutable(Stub(), procedure.tree, procedure.state));
  RunningPlayer player(exe.Path());
  ASSERT_TRUE(player.Started());
  HWND step = player.NextDialog();
  ASSERT_NE(step, nullptr);
  const auto answer = [&](int button, const std::wstring& expected) {
    PressStepButton(step, button);
    const HWND next = player.NextDialog(step);
    ASSERT_NE(next, nullptr) << "no dialog after the answer";
    step = next;
    EXPECT_EQ(ReadStepDialog(step).message, expected);
  };
  answer(1, L"用紙を補充してください。");
  answer(0, L"ランプは点滅していますか？");  // OK: on at the lamp
  answer(2, L"用紙を補充してください。");    // 戻る: back across the link
  answer(0, L"ランプは点滅していますか？");
  std::size_t afterTen = 0;
  for (int round = 1; round <= 1000 && !HasFailure(); ++round) {
    answer(1, L"電源を入れ直し\r\nてください。");
    answer(0, L"ランプは点滅していますか？");
    if (round == 10) afterTen = player.PrivateBytes();
  }
  const std::size_t afterThousand = player.PrivateBytes();
  ASSERT_GT(afterTen, 0u);
  EXPECT_LT(afterThousand, afterTen + 256 * 1024) << afterTen << " bytes after ten rounds";
  answer(0, L"修理を依頼してください。");
  PressStepButton(step, 0);
  EXPECT_EQ(player.ExitCode(), 0);
}

TEST(Player, FinishAtTheRootAndTheCloseBoxEndTheRunNormally) {
  ASSERT_FALSE(Stub().empty());
  PrinterProcedure procedure;
  GeneratedExecutable exe(BuildDistributionExecutable(Stub(), procedure.tree, procedure.state));
  {
    RunningPlayer player(exe.Path());
    HWND first = player.NextDialog();
    ASSERT_NE(first, nullptr);
    PressStepButton(first, 2);  // 終了
    EXPECT_EQ(player.ExitCode(), 0);
  }
  {
    RunningPlayer player(exe.Path());
    HWND first = player.NextDialog();
    ASSERT_NE(first, nullptr);
    PostMessageW(first, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(player.ExitCode(), 0);
  }
}

// What the editor's 実行記録の集計 list says of the printer procedure's runs
// in `recordFolder`: its summary line, then each row's place and counts.
struct EditorStatistics {
  std::wstring summary;
  std::vector<std::pair<std::wstring, std::wstring>> rows;
};

EditorStatistics EditorStatisticsOf(const std::string& recordFolder) {
  testing::RecordingMessageBoxes boxes;
  std::unique_ptr<TForm1> form = testing::CreateMainWindow(boxes);
  PrinterProcedure procedure;
  procedure.state.RecordFolder = recordFolder;
  form->Model().ReplaceDocument(std::move(procedure.tree), procedure.state);
  form->Sync();
  form->RunCommand(IDM_RUNSTATS);
  testing::PumpMessages();
  EXPECT_TRUE(boxes.shown.empty());
  EditorStatistics seen;
  if (form->RunStatistics() == nullptr || !IsWindowVisible(form->RunStatistics()->Handle())) return seen;
  seen.summary = testing::WindowText(form->RunStatistics()->Summary());
  HWND list = form->RunStatistics()->List();
  const auto count = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
  for (int row = 0; row < count; ++row) {
    seen.rows.emplace_back(testing::ListViewCell(list, row, 0), testing::ListViewCell(list, row, 1));
  }
  return seen;
}

// A fresh folder for run records, emptied and removed afterwards.
class RecordFolder {
 public:
  RecordFolder() {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    static int counter = 0;
    path_ = std::wstring(temp) + L"velmora-records-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
            std::to_wstring(++counter);
    CreateDirectoryW(path_.c_str(), nullptr);
  }
  ~RecordFolder() {
    for (const std::wstring& name : Names()) DeleteFileW((path_ + L"\\" + name).c_str());
    RemoveDirectoryW(path_.c_str());
  }
  const std::wstring& Path() const { return path_; }
  std::vector<std::wstring> Names() const {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found{};
    const HANDLE search = FindFirstFileW((path_ + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
      if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) names.push_back(found.cFileName);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return names;
  }
  std::string Contents() const {
    std::string all;
    for (const std::wstring& name : Names()) all += ReadWholeFile(path_ + L"\\" + name) + "--\n";
    return all;
  }

 private:
  std::wstring path_;
};

// Every way a run ends leaves exactly one whole record (finishing at the
// first question, closing the window, OK at an end), under a record's name;
// nothing half written stays behind.
TEST(Player, EachRunLeavesOneWholeRecordInTheRecordFolder) {
  ASSERT_FALSE(Stub().empty());
  PrinterProcedure procedure;
  const RecordFolder records;
  procedure.state.RecordFolder = ToCp932(records.Path());
  const std::string version = ContentVersion(BuildTreeText(procedure.tree, procedure.state));
  GeneratedExecutable exe(BuildDistributionExecutable(Stub(), procedure.tree, procedure.state));
  const auto run = [&](int firstButton, bool toTheEnd) {
    RunningPlayer player(exe.Path());
    HWND dialog = player.NextDialog();
    ASSERT_NE(dialog, nullptr);
    if (firstButton < 0) {
      PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
    } else {
      PressStepButton(dialog, firstButton);
    }
    if (toTheEnd) {
      HWND lamp = player.NextDialog(dialog);
      ASSERT_NE(lamp, nullptr);
      PressStepButton(lamp, 0);  // はい: 修理を依頼してください。
      HWND end = player.NextDialog(lamp);
      ASSERT_NE(end, nullptr);
      PressStepButton(end, 0);  // ＯＫ
    }
    EXPECT_EQ(player.ExitCode(), 0);
  };
  run(2, false);   // 終了
  run(-1, false);  // the close box
  run(0, true);
  const std::vector<std::wstring> names = records.Names();
  ASSERT_EQ(names.size(), 3u) << records.Contents();
  for (const std::wstring& name : names) {
    EXPECT_EQ(name.rfind(L"velmora-run-" + ToWide(version) + L"-", 0), 0u) << ToCp932(name);
    EXPECT_EQ(name.substr(name.size() - 4), L".txt") << ToCp932(name);
  }
  const std::string contents = records.Contents();
  EXPECT_NE(contents.find("steps=1\r\nanswers=b\r\nend=\r\noutcome=none\r\n--"), std::string::npos) << contents;
  EXPECT_NE(contents.find("steps=1\r\nanswers=c\r\nend=\r\noutcome=none\r\n--"), std::string::npos) << contents;
  EXPECT_NE(contents.find("steps=1 2 3\r\nanswers=y y o\r\nend=3\r\noutcome=none\r\n--"), std::string::npos)
      << contents;
  EXPECT_NE(contents.find("version=" + version + "\r\n"), std::string::npos);

  // The author reads exactly these runs back in the editor's list.
  const EditorStatistics seen = EditorStatisticsOf(procedure.state.RecordFolder);
  EXPECT_EQ(seen.summary, L"この版の実行 3 件");
  ASSERT_EQ(seen.rows.size(), 3u);
  EXPECT_EQ(seen.rows[0].second, L"表示 3 回、中断 2 回");
  EXPECT_EQ(seen.rows[1].second, L"表示 1 回");
  EXPECT_EQ(seen.rows[2].first.rfind(L"修理を依頼してください。", 0), 0u) << ToCp932(seen.rows[2].first);
  EXPECT_EQ(seen.rows[2].second, L"表示 1 回、終了 1 回");
}

// A folder out of reach (a drive that does not exist) and many players
// writing to one folder at once: the end user's runs end as always, the
// folder holds whole records only, and the author reads their numbers.
TEST(Player, AFolderOutOfReachOrManyPlayersAtOnceDisturbNoRun) {
  ASSERT_FALSE(Stub().empty());
  PrinterProcedure procedure;
  procedure.state.RecordFolder = "Q:\\velmora\\nowhere";
  {
    GeneratedExecutable exe(BuildDistributionExecutable(Stub(), procedure.tree, procedure.state));
    RunningPlayer player(exe.Path());
    HWND first = player.NextDialog();
    ASSERT_NE(first, nullptr);
    PressStepButton(first, 2);
    EXPECT_EQ(player.ExitCode(), 0);
  }
  // Fifty runs, ten players at a time: every other one finishes at the
  // first question (終了), the others answer on to an end.
  const RecordFolder records;
  procedure.state.RecordFolder = ToCp932(records.Path());
  GeneratedExecutable exe(BuildDistributionExecutable(Stub(), procedure.tree, procedure.state));
  for (int round = 0; round < 5; ++round) {
    std::vector<std::unique_ptr<RunningPlayer>> players;
    for (int i = 0; i < 10; ++i) players.push_back(std::make_unique<RunningPlayer>(exe.Path()));
    std::vector<HWND> firsts;
    for (auto& player : players) firsts.push_back(player->NextDialog());
    for (std::size_t i = 0; i < players.size(); ++i) {
      ASSERT_NE(firsts[i], nullptr);
      if (i % 2 == 0) {
        PressStepButton(firsts[i], 2);
        continue;
      }
      PressStepButton(firsts[i], 0);
      HWND lamp = players[i]->NextDialog(firsts[i]);
      ASSERT_NE(lamp, nullptr);
      PressStepButton(lamp, 0);
      HWND end = players[i]->NextDialog(lamp);
      ASSERT_NE(end, nullptr);
      PressStepButton(end, 0);
    }
    for (auto& player : players) EXPECT_EQ(player->ExitCode(), 0);
  }
  ASSERT_EQ(records.Names().size(), 50u) << records.Contents();
  for (const std::wstring& name : records.Names()) {
    const std::string record = ReadWholeFile(records.Path() + L"\\" + name);
    EXPECT_EQ(record.rfind("velmora-run 1\r\n", 0), 0u) << record;
    EXPECT_NE(record.find("\r\noutcome=none\r\n"), std::string::npos) << record;
  }

  // The editor's list shows exactly their numbers.
  const EditorStatistics seen = EditorStatisticsOf(procedure.state.RecordFolder);
  EXPECT_EQ(seen.summary, L"この版の実行 50 件");
  ASSERT_EQ(seen.rows.size(), 3u);
  EXPECT_EQ(seen.rows[0].second, L"表示 50 回、中断 25 回");
  EXPECT_EQ(seen.rows[1].second, L"表示 25 回");
  EXPECT_EQ(seen.rows[2].second, L"表示 25 回、終了 25 回");
}

// "日時: yyyy/mm/dd" of today, the start of the copied path's date line.
std::wstring TodayLine() {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  wchar_t line[32] = {};
  wsprintfW(line, L"日時: %04u/%02u/%02u ", now.wYear, now.wMonth, now.wDay);
  return line;
}

// An end user at the last step hands support the path taken: the copy
// button, and WM_COPY (what Ctrl+C becomes on any step) on a question.
// The copy names the procedure's version; an end that sends the end user to
// support says so and offers the copy as its default button.
TEST(Player, CopyPathPutsThePathTakenOnTheClipboard) {
  ASSERT_FALSE(Stub().empty());
  PrinterProcedure procedure;
  const TreeNode* restart = procedure.tree.Root()->FirstChild()->LastChild();
  LaterFields later;
  later.Set(*FieldNamed("outcome"), "contact");
  procedure.tree.SetLater(*restart, later);
  const std::wstring versionLine =
      L"[版] " + ToWide(ContentVersion(BuildTreeText(procedure.tree, procedure.state))) + L"\r\n";
  GeneratedExecutable exe(BuildDistributionExecutable(Stub(), procedure.tree, procedure.state));
  RunningPlayer player(exe.Path());
  HWND first = player.NextDialog();
  ASSERT_NE(first, nullptr);
  PressStepButton(first, 0);  // はい
  HWND lamp = player.NextDialog(first);
  ASSERT_NE(lamp, nullptr);
  EmptyTheClipboard();
  SendMessageW(lamp, WM_COPY, 0, 0);
  // プリンタ / [質問] 用紙は入っていますか？ / [回答] はい / [質問] ランプは点滅していますか？
  const std::wstring head = L"プリンタ\r\n[質問] 用紙は入っていま"
                            L"すか？\r\n[回答] はい\r\n";
  const std::wstring lampLine = L"[質問] ランプは点滅していますか？\r\n";
  const std::wstring soFar = ClipboardText();
  EXPECT_EQ(soFar.rfind(head + lampLine + versionLine + TodayLine(), 0), 0u) << ToCp932(soFar);
  PressStepButton(lamp, 1);  // いいえ

  HWND leaf = player.NextDialog(lamp);
  ASSERT_NE(leaf, nullptr);
  EXPECT_EQ(ControlText(GetDlgItem(leaf, step_dialog_id::kMessage)),
            L"電源を入れ直し\r\nてください。\r\n\r\n解決状況: サポートへ連絡");
  EXPECT_NE(GetWindowLongPtrW(GetDlgItem(leaf, step_dialog_id::kFirstButton + 2), GWL_STYLE) & BS_DEFPUSHBUTTON, 0)
      << "the copy is the default button";
  EmptyTheClipboard();
  const int copyId = step_dialog_id::kFirstButton + 2;
  SendMessageW(leaf, WM_COMMAND, MAKEWPARAM(copyId, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(leaf, copyId)));
  // … [回答] いいえ / [結果] 電源を入れ直し / てください。 / 日時: … / ファイル: <name>.exe
  const std::wstring path = ClipboardText();
  const std::wstring taken = head + L"[質問] ランプは点滅していますか"
                                    L"？\r\n[回答] いいえ\r\n[結果] 電源を入れ"
                                    L"直し\r\nてください。\r\n[解決状況] サポートへ連絡\r\n";
  EXPECT_EQ(path.rfind(taken + versionLine + TodayLine(), 0), 0u) << ToCp932(path);
  const std::wstring fileName = exe.Path().substr(exe.Path().find_last_of(L'\\') + 1);
  const std::wstring fileLine = L"ファイル: " + fileName + L"\r\n";
  ASSERT_GE(path.size(), fileLine.size());
  EXPECT_EQ(path.substr(path.size() - fileLine.size()), fileLine) << ToCp932(path);
  // The dialog says so (コピーしました。) and stays open: OK still ends the run.
  ASSERT_TRUE(IsWindow(leaf));
  EXPECT_EQ(ControlText(GetDlgItem(leaf, step_dialog_id::kCopyStatus)), L"コピーしました。");
  PressStepButton(leaf, 0);
  EXPECT_EQ(player.ExitCode(), 0);
}

// Ctrl+C typed on a question (the focus on a button) copies the path so far.
TEST(Player, CtrlCOnAQuestionCopiesThePathSoFar) {
  ASSERT_FALSE(Stub().empty());
  PrinterProcedure procedure;
  GeneratedExecutable exe(BuildDistributionExecutable(Stub(), procedure.tree, procedure.state));
  RunningPlayer player(exe.Path());
  HWND first = player.NextDialog();
  ASSERT_NE(first, nullptr);
  EmptyTheClipboard();
  SetForegroundWindow(first);
  INPUT keys[4] = {};
  const WORD sequence[4] = {VK_CONTROL, 'C', 'C', VK_CONTROL};
  for (int i = 0; i < 4; ++i) {
    keys[i].type = INPUT_KEYBOARD;
    keys[i].ki.wVk = sequence[i];
    keys[i].ki.dwFlags = i < 2 ? 0 : KEYEVENTF_KEYUP;
  }
  ASSERT_EQ(SendInput(4, keys, sizeof(INPUT)), 4u);
  ASSERT_TRUE(player.WaitFor([] { return !ClipboardText().empty(); })) << "Ctrl+C copied nothing";
  // プリンタ / [質問] 用紙は入っていますか？ / [版] … / 日時: …
  const std::wstring soFar = ClipboardText();
  const std::wstring versionLine =
      L"[版] " + ToWide(ContentVersion(BuildTreeText(procedure.tree, procedure.state))) + L"\r\n";
  EXPECT_EQ(soFar.rfind(L"プリンタ\r\n[質問] 用紙は入っていま"
                        L"すか？\r\n" + versionLine + TodayLine(), 0), 0u) << ToCp932(soFar);
  // The key copied and nothing else: the run is still on its first step.
  EXPECT_TRUE(IsWindowVisible(first));
  PressStepButton(first, 2);  // 終了
  EXPECT_EQ(player.ExitCode(), 0);
}

// The checksum the build wrote is the one the system computes, so the
// stub (and every generated file's first bytes) looks like a finished build.
TEST(Player, StubChecksumIsWhatTheSystemComputes) {
  ASSERT_FALSE(Stub().empty());
  std::string image = Stub();
  DWORD stored = 0;
  DWORD computed = 0;
  ASSERT_NE(CheckSumMappedFile(image.data(), static_cast<DWORD>(image.size()), &stored, &computed), nullptr);
  EXPECT_NE(stored, 0u);
  EXPECT_EQ(stored, computed);
}

std::wstring VersionString(const std::vector<char>& info, const wchar_t* name) {
  void* value = nullptr;
  UINT length = 0;
  const std::wstring key = std::wstring(L"\\StringFileInfo\\041104B0\\") + name;
  if (!VerQueryValueW(info.data(), key.c_str(), &value, &length) || length == 0) return {};
  return static_cast<const wchar_t*>(value);
}

TEST(Player, GeneratedExecutableCarriesVersionInformation) {
  ASSERT_FALSE(Stub().empty());
  PrinterProcedure procedure;
  GeneratedExecutable exe(BuildDistributionExecutable(Stub(), procedure.tree, procedure.state));
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeW(exe.Path().c_str(), &ignored);
  ASSERT_GT(size, 0u) << "no version information";
  std::vector<char> info(size);
  ASSERT_TRUE(GetFileVersionInfoW(exe.Path().c_str(), 0, size, info.data()));
  EXPECT_EQ(VersionString(info, L"ProductName"), L"Velmora");
  EXPECT_EQ(VersionString(info, L"CompanyName"), L"Velmora Project");
  EXPECT_EQ(VersionString(info, L"OriginalFilename"), L"VelmoraPlayer.exe");
  // 切り分け手順プレーヤー (troubleshooting procedure player)
  EXPECT_EQ(VersionString(info, L"FileDescription"), L"切り分け手順プレーヤー");
  const std::string version = VELMORA_VERSION_TEXT;
  EXPECT_EQ(VersionString(info, L"ProductVersion"), std::wstring(version.begin(), version.end()));
  void* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueW(info.data(), L"\\", &fixed, &length));
  const auto* numbers = static_cast<const VS_FIXEDFILEINFO*>(fixed);
  const std::size_t dot = version.find('.');
  const DWORD major = static_cast<DWORD>(std::stoul(version.substr(0, dot)));
  const DWORD minor = static_cast<DWORD>(std::stoul(version.substr(dot + 1)));
  EXPECT_EQ(numbers->dwProductVersionMS, (major << 16) | minor);
  EXPECT_EQ(VersionString(info, L"Comments"), L"") << "records nothing";
}

// Version information of a program that records its runs says so and
// where; made again from that program's own player (as the command line's
// set does) with another folder it says the new one, once; with none it is
// the player as built.
TEST(Player, VersionInformationSaysWhereRunsAreRecorded) {
  ASSERT_FALSE(Stub().empty());
  const auto informationOf = [](const std::string& bytes) {
    GeneratedExecutable exe(bytes);
    DWORD ignored = 0;
    std::vector<char> info(GetFileVersionInfoSizeW(exe.Path().c_str(), &ignored));
    EXPECT_FALSE(info.empty());
    if (!info.empty()) GetFileVersionInfoW(exe.Path().c_str(), 0, static_cast<DWORD>(info.size()), info.data());
    return info;
  };
  PrinterProcedure procedure;
  procedure.state.RecordFolder = "\\\\server\\\x8e\xc0\x8d\x73\x8b\x4c\x98\x5e";  // \\server\実行記録
  const std::string first = BuildDistributionExecutable(Stub(), procedure.tree, procedure.state);
  std::vector<char> info = informationOf(first);
  EXPECT_EQ(VersionString(info, L"Comments"), L"実行記録を残します: \\\\server\\実行記録");
  EXPECT_EQ(VersionString(info, L"ProductName"), L"Velmora") << "the rest as it was";

  procedure.state.RecordFolder = "D:\\runs";
  const std::string second = BuildDistributionExecutable(PlayerStubOf(first), procedure.tree, procedure.state);
  info = informationOf(second);
  EXPECT_EQ(VersionString(info, L"Comments"), L"実行記録を残します: D:\\runs");
  EXPECT_EQ(PlayerStubOf(second).size(), PlayerStubOf(first).size()) << "one section of ours, not two";

  procedure.state.RecordFolder.clear();
  const std::string third = BuildDistributionExecutable(PlayerStubOf(second), procedure.tree, procedure.state);
  EXPECT_EQ(PlayerStubOf(third), Stub());
}

// The icon keeps only small images, stored as PNG: Windows must still make
// each size Explorer's lists and the title bar ask for from them, in full.
TEST(Player, GeneratedExecutableShowsItsIconAtListSizes) {
  ASSERT_FALSE(Stub().empty());
  PrinterProcedure procedure;
  GeneratedExecutable exe(BuildDistributionExecutable(Stub(), procedure.tree, procedure.state));
  const velmora::win32::UniqueHandleOf<HMODULE, &FreeLibrary> module(
      LoadLibraryExW(exe.Path().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
  ASSERT_NE(module, nullptr);
  for (const int size : {16, 32, 48}) {
    const velmora::win32::UniqueHandleOf<HICON, &DestroyIcon> icon(static_cast<HICON>(
        LoadImageW(module.get(), MAKEINTRESOURCEW(IDI_PLAYER), IMAGE_ICON, size, size, LR_DEFAULTCOLOR)));
    ASSERT_NE(icon, nullptr) << size;
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(icon.get(), &info)) << size;
    const velmora::win32::UniqueBitmap colour(info.hbmColor), mask(info.hbmMask);
    BITMAP bitmap{};
    ASSERT_TRUE(GetObjectW(info.hbmColor, sizeof bitmap, &bitmap)) << size;
    EXPECT_EQ(bitmap.bmWidth, size);
    EXPECT_EQ(bitmap.bmHeight, size);
  }
}

// What signing tools do: pad to 8 bytes and append a certificate table that
// the PE header's security directory points at.
std::string SignedCopy(std::string exe) {
  while (exe.size() % 8 != 0) exe += '\0';
  const std::uint32_t offset = static_cast<std::uint32_t>(exe.size());
  std::string certificate(32, '\x5A');
  const std::uint32_t length = static_cast<std::uint32_t>(certificate.size());
  for (std::size_t i = 0; i < 4; ++i) certificate[i] = static_cast<char>((length >> (8 * i)) & 0xFF);
  certificate[4] = 0x00;  // revision 2.0
  certificate[5] = 0x02;
  certificate[6] = 0x02;  // PKCS #7 signed data
  certificate[7] = 0x00;
  exe += certificate;
  const auto read32 = [&exe](std::size_t at) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) value |= static_cast<std::uint32_t>(static_cast<unsigned char>(exe[at + i])) << (8 * i);
    return value;
  };
  const auto write32 = [&exe](std::size_t at, std::uint32_t value) {
    for (std::size_t i = 0; i < 4; ++i) exe[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
  };
  const std::size_t optional = read32(0x3C) + 24;
  const bool pe32Plus = static_cast<unsigned char>(exe[optional]) == 0x0B && exe[optional + 1] == 0x02;
  const std::size_t security = optional + (pe32Plus ? 112 : 96) + 8 * 4;
  write32(security, offset);
  write32(security + 4, length);
  return exe;
}

TEST(Player, CodeSignedExecutableStillPlays) {
  ASSERT_FALSE(Stub().empty());
  PrinterProcedure procedure;
  GeneratedExecutable exe(SignedCopy(BuildDistributionExecutable(Stub(), procedure.tree, procedure.state)));
  RunningPlayer player(exe.Path());
  HWND first = player.NextDialog();
  ASSERT_NE(first, nullptr) << "the signed executable showed no step";
  EXPECT_EQ(ReadStepDialog(first).caption, kCaption);
  PressStepButton(first, 1);  // No: the leaf
  HWND leaf = player.NextDialog(first);
  ASSERT_NE(leaf, nullptr);
  EXPECT_EQ(ReadStepDialog(leaf).message,
            L"用紙を補充してください。");
  PressStepButton(leaf, 0);
  EXPECT_EQ(player.ExitCode(), 0);
}

std::string WithTrailer(std::string bytes, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
  return bytes;
}

TEST(Player, DamagedPayloadShowsOneMessageAndExitsWithOne) {
  ASSERT_FALSE(Stub().empty());
  const std::string badLevels = "root\r\n\t\t\x90\x5B\x82\xB7\x82\xAC\x82\xE9\r\n[OPTION]\r\nNewLine=|\r\nTitle=t\r\nColor=1\r\n";
  const std::string damaged[] = {
      WithTrailer(Stub(), 0),                                         // no payload at all
      WithTrailer(Stub(), static_cast<std::uint32_t>(Stub().size() + 100)),  // reaching before the file
      WithTrailer(Stub() + badLevels, static_cast<std::uint32_t>(badLevels.size())),  // indentation error
  };
  for (const std::string& bytes : damaged) {
    GeneratedExecutable exe(bytes);
    RunningPlayer player(exe.Path());
    ASSERT_TRUE(player.Started());
    HWND box = player.NextDialog();
    ASSERT_NE(box, nullptr) << "no message for a damaged file";
    const std::wstring text = ControlText(GetDlgItem(box, 0xFFFF));
    // "この実行ファイルの切り分け手順を読み込めません。"
    EXPECT_EQ(text.rfind(L"この実行ファイル", 0), 0u) << ToCp932(text);
    EXPECT_GT(text.size(), 30u) << "the reason follows the headline";
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(player.ExitCode(), 1);
  }
}

}  // namespace
}  // namespace velmora::win32
