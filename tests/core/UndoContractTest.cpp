// The contract between the commands and undo, checked rather than assumed:
// every command id the menus, accelerators and buttons send has a row of
// the command table; every row that changes the document can be undone to
// the exact bytes; and random editing sessions through the application core
// undo and redo step by step to the exact bytes a save writes.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <random>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "AppTestSupport.h"
#include "TreeFileTestSupport.h"
#include "app/AppCore.h"
#include "app/CommandIds.h"
#include "distribution/ColourButtons.h"
#include "document/BranchRecord.h"
#include "files/TreeFile.h"

namespace velmora {
namespace {

using testing::FakePlatform;

std::string SourceFile(const std::string& relative) {
  std::ifstream in(std::string(VELMORA_TEST_DATA) + "/../../" + relative, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// Every IDM_ name in `text`, skipping separators (which send nothing).
std::set<std::string> CommandNamesIn(const std::string& text) {
  std::set<std::string> names;
  std::istringstream lines(text);
  const std::regex name("IDM_[A-Z0-9_]+");
  for (std::string line; std::getline(lines, line);) {
    if (line.find("SEPARATOR") != std::string::npos) continue;
    for (std::sregex_iterator it(line.begin(), line.end(), name), end; it != end; ++it) names.insert(it->str());
  }
  return names;
}

// The core with a procedure opened from a file and every dialog answered:
// questions Yes, the node editor and the input box with new text, file
// dialogs cancelled, step dialogs closed.
struct Session {
  Session() : core(platform.Ports(), FakePlatform::Facts()) {
    core.Start(false);
    platform.dialogs.messages.standingAnswer = message_box::kAnswerYes;
    Open(testing::SampleTree());
  }
  void Open(const DecisionTree& tree) {
    DocumentState state;
    state.Title = "Procedure";
    platform.files.files["C:\\work\\p.tre"] = BuildTreeText(tree, state);
    core.OpenAsDroppedFile(testing::Path("C:\\work\\p.tre"));
  }
  void AnswerDialogs(std::mt19937& random) {
    // Every declared field gets a value or loses it, so undo and redo are
    // proven for each field without naming one.
    LaterFields later;
    for (std::size_t field = 0; field < DeclaredFields().size(); ++field) {
      if (random() % 2 == 0) later.Set(static_cast<FieldIndex>(field), "v" + std::to_string(random() % 100));
    }
    platform.dialogs.nodeResults = {NodeEditorResult{static_cast<int>(random() % 5) - 1, random() % 2 == 0,
                                                     "edited " + std::to_string(random() % 1000), later}};
    platform.dialogs.texts = {std::string(random() % 2 == 0 ? "##" : "\x81\xab")};
    platform.dialogs.files.results = {std::nullopt, std::nullopt, std::nullopt};
    platform.dialogs.stepAnswers.assign(50, StepAnswer::Closed);
  }
  std::string Bytes() const { return BuildTreeText(core.Model().Tree(), core.Model().State()); }
  const EditHistory& History() const { return core.Edits().History(); }

  FakePlatform platform;
  AppCore core;
};

TEST(UndoContract, EveryCommandOfTheMenusAcceleratorsAndButtonsHasARow) {
  std::map<std::string, int> values;
  const std::regex define("#define (IDM_[A-Z0-9_]+) ([0-9]+)");
  const std::string ids = SourceFile("app/CommandIds.h");
  for (std::sregex_iterator it(ids.begin(), ids.end(), define), end; it != end; ++it) {
    values[(*it)[1]] = std::stoi((*it)[2]);
  }
  std::set<std::string> sent = CommandNamesIn(SourceFile("resources/Velmora.rc"));
  for (const char* window : {"app/win32/Unit1.cpp", "app/win32/FindBox.cpp"}) {
    const std::set<std::string> more = CommandNamesIn(SourceFile(window));
    sent.insert(more.begin(), more.end());
  }
  ASSERT_GT(sent.size(), 40u);

  Session session;
  const View view = session.core.CurrentView();
  std::set<int> rows;
  for (const CommandView& row : view.commands) rows.insert(row.id);
  for (const std::string& name : sent) {
    ASSERT_EQ(values.count(name), 1u) << name << " is not in CommandIds.h";
    EXPECT_EQ(rows.count(values[name]), 1u) << name << " has no row in the command table";
  }
}

// Each row, on nodes with none, one, two and three answers: a command that
// changed the document (without replacing it) is one undo step that gives
// the bytes back.
TEST(UndoContract, EveryRowThatChangesTheDocumentIsUndoable) {
  std::mt19937 random(1);
  const std::vector<NodePath> places = {{0}, {0, 0}, {0, 1}, {0, 0, 1}};
  const std::vector<CommandView> rows = Session().core.CurrentView().commands;
  int undone = 0;
  for (const CommandView& row : rows) {
    if (row.id == IDM_UNDO || row.id == IDM_REDO) continue;
    for (const NodePath& place : places) {
      Session s;
      s.platform.clipboard.text = "Pasted\r\n\tYes\r\n\tNo\r\n";
      s.core.SetSearchText("Switch");
      s.core.Select(NodeAt(s.core.Model().Tree(), place));
      if (!s.core.IsEnabled(row.id)) continue;
      s.AnswerDialogs(random);
      const std::string before = s.Bytes();
      const auto generation = s.core.Model().Generation();
      s.core.Run(row.id);
      if (s.Bytes() == before || s.core.Model().Generation() != generation) continue;
      SCOPED_TRACE(::testing::Message() << "command " << row.id << " at node " << place.size());
      ASSERT_TRUE(s.core.IsEnabled(IDM_UNDO));
      s.core.Run(IDM_UNDO);
      EXPECT_EQ(s.Bytes(), before);
      EXPECT_FALSE(s.core.Model().State().Modified);
      ++undone;
    }
  }
  EXPECT_GT(undone, 20);
}

TreeNode* RandomNode(const DecisionTree& tree, std::mt19937& random) {
  const std::vector<TreeNode*> nodes = tree.PreOrder();
  return nodes[random() % nodes.size()];
}

// The editing commands a session picks from; undo and redo come in between.
constexpr int kEditingCommands[] = {IDM_EDIT1,     IDM_ADDYES1,       IDM_ADDNO1,       IDM_EXCHANGE1,
                                    IDM_QUESTION1, IDM_INFORMATION1,  IDM_EXCLAIMATION1, IDM_INHIBIT1,
                                    IDM_YESDEFAULT1, IDM_NODEFAULT1,  IDM_DELETE1,      IDM_NEWLINE1,
                                    IDM_RECORDFOLDER1, IDM_CUT,       IDM_PASTE,
                                    // Links made, retargeted and taken away; a deleted
                                    // target takes the links to it along.
                                    IDM_LINKSOURCE,   IDM_LINKTARGET,   IDM_LINKTARGET,   IDM_UNLINK};

// The document's bytes after each done step: states[0] the opened file,
// states[position] the document now; the ones after it can be redone.
struct ExpectedHistory {
  std::vector<std::string> states;
  std::size_t position = 0;
};

TEST(UndoContract, RandomSessionsUndoAndRedoToTheExactBytes) {
  std::mt19937 random(20261209);
  int linkedStates = 0;
  for (int sessionNumber = 0; sessionNumber < 2000; ++sessionNumber) {
    Session s;
    s.Open(testing::TreeOf(testing::RandomProcedure(random, 3)));
    ExpectedHistory expected{{s.Bytes()}, 0};
    for (int entry = 0; entry < 40; ++entry) {
      SCOPED_TRACE(::testing::Message() << "session " << sessionNumber << ", entry " << entry);
      s.core.Select(RandomNode(s.core.Model().Tree(), random));
      const auto choice = random() % 20;
      if (choice < 3 && s.core.IsEnabled(IDM_UNDO)) {
        s.core.Run(IDM_UNDO);
        ASSERT_EQ(s.Bytes(), expected.states[--expected.position]);
        continue;
      }
      if (choice < 5 && s.core.IsEnabled(IDM_REDO)) {
        s.core.Run(IDM_REDO);
        ASSERT_EQ(s.Bytes(), expected.states[++expected.position]);
        continue;
      }
      const std::size_t stepsBefore = s.History().StepCount();
      const bool redoBefore = s.History().CanRedo();
      s.AnswerDialogs(random);
      s.platform.clipboard.text = "b" + std::to_string(entry) + "\r\n\tyes\r\n\t\tdeeper\r\n\tx no\r\n";
      if (choice < 7) {
        s.core.TypeTitle("title " + std::to_string(random() % 4));
        s.core.PauseTyping();
      } else if (choice < 8) {
        s.core.ChooseColour(static_cast<int>(random() % 4));
      } else {
        s.core.Run(kEditingCommands[random() % std::size(kEditingCommands)]);
      }
      // A new step drops the redo branch and ends the history; none leaves
      // the history as it was.
      const bool newStep = s.History().StepCount() == expected.position + 1 && !s.History().CanRedo() &&
                           (redoBefore || stepsBefore == expected.position);
      if (!newStep) {
        ASSERT_EQ(s.Bytes(), expected.states[expected.position]);
        continue;
      }
      expected.states.resize(++expected.position);
      expected.states.push_back(s.Bytes());
      if (s.Bytes().find(".link=") != std::string::npos) ++linkedStates;
    }
    while (s.core.IsEnabled(IDM_UNDO)) s.core.Run(IDM_UNDO);
    ASSERT_EQ(s.Bytes(), expected.states.front()) << "session " << sessionNumber;
    EXPECT_FALSE(s.core.Model().State().Modified);
    while (s.core.IsEnabled(IDM_REDO)) s.core.Run(IDM_REDO);
    ASSERT_EQ(s.Bytes(), expected.states.back()) << "session " << sessionNumber;
  }
  // The sessions did make links, and went on editing around them.
  EXPECT_GT(linkedStates, 1000);
}

}  // namespace
}  // namespace velmora
