// The comparison of two versions: random edits made through the editor's own
// commands on random trees are each reported at the node they touched, and
// nothing else is; a moved branch is told as moved.
#include "distribution/ProcedureDiff.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>

#include "TreeFileTestSupport.h"
#include "document/EditCommands.h"
#include "document/EditorView.h"
#include "files/TreeFile.h"

namespace velmora {
namespace {

// Answers the node editor with the memo's text and an edit at its end.
class EditingNodeEditor : public NodeEditorPort {
 public:
  std::optional<NodeEditorResult> EditNode(const NodeEditorInput& input) override {
    return NodeEditorResult{input.kind, input.preferNo, input.memoText + " edited", input.later};
  }
};

// A random tree in the stored form: every node has no answers or two; texts
// are distinct and long enough that an edited one still reads alike.
std::string RandomTreeText(std::mt19937& random) {
  static const char* const kMarkers[] = {"? ", "i ", "! ", "x "};
  std::string text;
  int serial = 0;
  std::vector<int> levels{0};
  while (!levels.empty()) {
    const int level = levels.back();
    levels.pop_back();
    text += std::string(static_cast<std::size_t>(level), '\t');
    const bool question = level < 5 && (level == 0 || random() % 3 != 0);
    text += question ? "? " : kMarkers[1 + random() % 3];
    text += "message number " + std::to_string(++serial) + " of the procedure";
    if (question && random() % 4 == 0) text += "(N)";
    text += "\r\n";
    if (question) levels.insert(levels.end(), {level + 1, level + 1});
  }
  return text;
}

enum class Edit { Kind, Default, Exchange, Delete, AddAnswer, Text };

struct Expected {
  ChangeKind kind;
  std::string text;  // the node's text in the version the change names
};

bool IsUnder(const TreeNode* node, const TreeNode* ancestor) {
  for (const TreeNode* at = node; at != nullptr; at = at->Parent()) {
    if (at == ancestor) return true;
  }
  return false;
}

// Applies `edit` to `node` and says what the comparison must report.
std::optional<Expected> Apply(Edit edit, TreeNode* node, Editor& editor, std::mt19937& random) {
  editor.Select(node);
  switch (edit) {
    case Edit::Kind: {
      const int kind = node->HasChildren() ? Question : Information + static_cast<int>(random() % 3);
      if (kind == node->kind) return std::nullopt;
      SetKindClick(editor, kind);
      return Expected{ChangeKind::Kind, std::string(node->Text())};
    }
    case Edit::Default:
      if (!node->HasChildren()) return std::nullopt;
      if (DefaultSuffixOf(node->Text()) == DefaultSuffix::No) {
        YesDefault1Click(editor);
      } else {
        NoDefault1Click(editor);
      }
      return Expected{ChangeKind::Default, std::string(node->Text())};
    case Edit::Exchange:
      if (node->ChildCount() != 2) return std::nullopt;
      Exchange1Click(editor);
      return Expected{ChangeKind::Swapped, std::string(node->Text())};
    case Edit::Delete: {
      if (node->Parent() == nullptr) return std::nullopt;
      const std::string text(node->Text());
      DeleteBranch(editor, node);
      return Expected{ChangeKind::Removed, text};
    }
    case Edit::AddAnswer:
      if (node->HasChildren()) return std::nullopt;
      AddYes1Click(editor);
      return Expected{ChangeKind::Added, std::string(editor.Selected()->Text())};
    case Edit::Text: {
      EditingNodeEditor nodeEditor;
      TreeView1DblClick(editor, nodeEditor);
      return Expected{ChangeKind::Text, std::string(node->Text())};
    }
  }
  return std::nullopt;
}

TEST(ProcedureDiff, RandomEditsAreReportedAtTheirNodesAndNowhereElse) {
  std::mt19937 random(20261208);
  for (int round = 0; round < 300; ++round) {
    SCOPED_TRACE("round " + std::to_string(round));
    const std::string text = RandomTreeText(random);
    const DecisionTree before = testing::TreeOf(text);
    NullEditorView view;
    Editor editor(view);
    editor.ReplaceDocument(testing::TreeOf(text), DocumentState{});

    // One to three edits on nodes of which none lies under another.
    std::vector<TreeNode*> nodes = editor.Tree().PreOrder();
    std::shuffle(nodes.begin(), nodes.end(), random);
    std::vector<TreeNode*> chosen;
    for (TreeNode* node : nodes) {
      const bool apart = std::none_of(chosen.begin(), chosen.end(), [&](const TreeNode* other) {
        return IsUnder(node, other) || IsUnder(other, node);
      });
      if (apart) chosen.push_back(node);
      if (chosen.size() == 1 + random() % 3) break;
    }
    std::multiset<std::pair<ChangeKind, std::string>> expected;
    for (TreeNode* node : chosen) {
      if (auto change = Apply(static_cast<Edit>(random() % 6), node, editor, random)) {
        expected.insert({change->kind, change->text});
      }
    }

    const DocumentState state;
    const ProcedureDiff diff = CompareProcedures({before, state}, {editor.Tree(), state});
    std::multiset<std::pair<ChangeKind, std::string>> reported;
    for (const DiffChange& change : diff.changes) reported.insert({change.kind, change.text});
    EXPECT_EQ(reported, expected) << text;
  }
}

// A branch cut from one question and pasted under another is one move, not a
// removal and an addition; the paths that end elsewhere are listed.
TEST(ProcedureDiff, AMovedBranchIsToldAsMovedWithItsPaths) {
  const DecisionTree before = testing::TreeOf(
      "? root question\r\n\t? first question here\r\n\t\ti end one\r\n\t\ti end two\r\n"
      "\t? second question here\r\n\t\t? moving question\r\n\t\t\ti end three\r\n\t\t\ti end four\r\n"
      "\t\ti end five\r\n");
  const DecisionTree after = testing::TreeOf(
      "? root question\r\n\t? first question here\r\n\t\ti end one\r\n\t\t? moving question\r\n"
      "\t\t\ti end three\r\n\t\t\ti end four\r\n\t? second question here\r\n\t\ti end five\r\n");
  const DocumentState state;
  const ProcedureDiff diff = CompareProcedures({before, state}, {after, state});
  ASSERT_EQ(diff.changes.size(), 2u);
  EXPECT_EQ(diff.changes[0].kind, ChangeKind::Removed);
  EXPECT_EQ(diff.changes[0].text, "end two");
  EXPECT_EQ(diff.changes[1].kind, ChangeKind::Moved);
  EXPECT_EQ(diff.changes[1].text, "moving question");
  EXPECT_EQ(AnswerPathText(diff.changes[1].oldPath), "\x82\xa2\x82\xa2\x82\xa6 > \x82\xcd\x82\xa2");  // いいえ > はい
  EXPECT_EQ(AnswerPathText(diff.changes[1].path), "\x82\xcd\x82\xa2 > \x82\xa2\x82\xa2\x82\xa6");    // はい > いいえ
  // The branch's two ends come and go; "end five", now the only answer
  // (はい/いいえ where it was いいえ), is one changed path.
  EXPECT_EQ(diff.pathsAdded.size(), 2u);
  EXPECT_EQ(diff.pathsRemoved.size(), 3u);
  ASSERT_EQ(diff.pathsChanged.size(), 1u);
  EXPECT_EQ(diff.pathsChanged[0].before.message, "end five");
  EXPECT_EQ(diff.pathsChanged[0].after.message, "end five");
  EXPECT_EQ(diff.pathsChanged[0].after.answers.back(), "\x82\xcd\x82\xa2/\x82\xa2\x82\xa2\x82\xa6");
  EXPECT_TRUE(CompareProcedures({before, state}, {before, state}).Same());
}

// Pairs of versions that a reviewer reads one way only: each change as its
// kind and the node's text.
TEST(ProcedureDiff, ChangesAreToldAsTheReviewerMadeThem) {
  static const char* const kKindNames[] = {"added",   "removed", "text",  "kind",   "default", "moved",
                                           "swapped", "field",   "title", "colour", "newline"};
  struct Pair {
    const char* what;
    const char* before;
    const char* after;
    std::vector<std::string> changes;
  };
  const Pair pairs[] = {
      // 正常です。 -> 正常に動作しています。: nothing alike but the slot and the kind.
      {"a short end rewritten in its slot", "? q\r\n\ti \x90\xb3\x8f\xed\x82\xc5\x82\xb7\x81\x42\r\n\t! stop\r\n",
       "? q\r\n\ti \x90\xb3\x8f\xed\x82\xc9\x93\xae\x8d\xec\x82\xb5\x82\xc4\x82\xa2\x82\xdc\x82\xb7\x81\x42\r\n\t! stop\r\n",
       {"text \x90\xb3\x8f\xed\x82\xc9\x93\xae\x8d\xec\x82\xb5\x82\xc4\x82\xa2\x82\xdc\x82\xb7\x81\x42"}},
      {"another kind in the slot is another step", "? q\r\n\ti fine\r\n\t! stop\r\n",
       "? q\r\n\tx broken\r\n\t! stop\r\n", {"removed fine", "added broken"}},
      {"a new question that took a moved end keeps its new answer", 
       "? root question\r\n\t? first question\r\n\t\ti end moving away\r\n\t\ti end staying\r\n\ti last end\r\n",
       "? root question\r\n\t? first question\r\n\t\t? inserted question\r\n\t\t\ti end moving away\r\n"
       "\t\t\ti brand new end\r\n\t\ti end staying\r\n\ti last end\r\n",
       {"added inserted question", "moved end moving away", "added brand new end"}},
      {"a removed question that gave away an end loses its other one", 
       "? root question\r\n\t? first question\r\n\t\t? removed question\r\n\t\t\ti end moving away\r\n"
       "\t\t\ti end going too\r\n\t\ti end staying\r\n\ti last end\r\n",
       "? root question\r\n\t? first question\r\n\t\ti end moving away\r\n\t\ti end staying\r\n\ti last end\r\n",
       {"removed removed question", "removed end going too", "moved end moving away"}},
      {"a new branch is told by its top", "? q\r\n\ti fine\r\n\t! stop\r\n",
       "? q\r\n\t? new question\r\n\t\ti new yes\r\n\t\ti new no\r\n\ti fine\r\n\t! stop\r\n",
       {"added new question"}},
  };
  const DocumentState state;
  for (const Pair& pair : pairs) {
    SCOPED_TRACE(pair.what);
    const DecisionTree before = testing::TreeOf(pair.before);
    const DecisionTree after = testing::TreeOf(pair.after);
    std::vector<std::string> told;
    for (const DiffChange& change : CompareProcedures({before, state}, {after, state}).changes) {
      told.push_back(std::string(kKindNames[static_cast<int>(change.kind)]) + " " + change.text);
    }
    EXPECT_EQ(told, pair.changes);
  }
}

}  // namespace
}  // namespace velmora
