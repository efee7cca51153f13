// The check before release: each problem on a small tree made for it, found
// at its node with its severity, and nothing on the shipped sample.
#include "document/ProcedureCheck.h"

#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "TreeFileTestSupport.h"
#include "document/LaterFields.h"
#include "document/NodeLinks.h"
#include "files/TreeFile.h"
#include "files/TreeTextParser.h"

namespace velmora {
namespace {

using testing::TreeOf;

DocumentState TitledState() {
  DocumentState state;
  state.Title = "Printer";
  return state;
}

// (line, kind) of every problem, in the order the check gives them.
std::vector<std::pair<std::size_t, ProblemKind>> Found(const DecisionTree& tree, const DocumentState& state) {
  std::vector<std::pair<std::size_t, ProblemKind>> found;
  for (const Problem& problem : CheckProcedure(tree, state)) {
    found.emplace_back(problem.node != nullptr ? problem.preOrderIndex + 1 : 0, problem.kind);
  }
  return found;
}

std::string Repeated(const std::string& piece, std::size_t count) {
  std::string text;
  for (std::size_t i = 0; i < count; ++i) text += piece;
  return text;
}

struct CheckCase {
  const char* name;
  std::string tree;
  std::vector<std::pair<std::size_t, ProblemKind>> expected;
};

TEST(ProcedureCheck, FindsEachProblemAtItsNode) {
  const std::string ellipsis = "\x81\x63";  // …
  const std::string mark = "\x81\xab";      // ↓
  // Two dialog lines each once wrapped.
  const std::string line = Repeated("a", 300);
  const CheckCase cases[] = {
      {"placeholder left", "? Q\n\ti A\n\ti " + ellipsis + "\n", {{3, ProblemKind::PlaceholderText}}},
      {"placeholder with its suffix", "? " + ellipsis + "(N)\n\ti A\n\ti B\n", {{1, ProblemKind::PlaceholderText}}},
      {"empty text", "? Q\n\ti A\n\ti   \n", {{3, ProblemKind::EmptyText}}},
      // Full-width spaces and newline marks ("↓") show nothing either.
      {"only full-width spaces and line breaks", "? Q\n\ti A\n\ti \x81\x40 \x81\xab\x81\x40\n", {{3, ProblemKind::EmptyText}}},
      {"a question that is only a suffix", "? (N)\n\ti A\n\ti B\n", {{1, ProblemKind::EmptyText}}},
      {"one answer", "? Q\n\ti A\n", {{1, ProblemKind::OneAnswer}}},
      {"three answers", "? Q\n\ti A\n\ti B\n\ti C\n", {{1, ProblemKind::UnreachableAnswers}}},
      {"suffix on a final message", "? Q\n\ti A(n)\n\ti B(Y)\n",
       {{2, ProblemKind::SuffixOnFinalMessage}, {3, ProblemKind::SuffixOnFinalMessage}}},
      {"suffix before blanks", "? Q(N) \n\ti A\n\ti B\n", {{1, ProblemKind::SuffixBeforeBlanks}}},
      {"forty lines fit", "? Q\n\ti " + Repeated("x" + mark, 39) + "x\n\ti B\n", {}},
      {"forty-one lines do not", "? Q\n\ti " + Repeated("x" + mark, 40) + "x\n\ti B\n",
       {{2, ProblemKind::LongMessage}}},
      {"twenty wrapped lines fit", "? Q\n\ti " + Repeated(line + mark, 19) + line + "\n\ti B\n", {}},
      {"twenty-one do not", "? Q\n\ti " + Repeated(line + mark, 20) + line + "\n\ti B\n",
       {{2, ProblemKind::LongMessage}}},
      {"several at one node", "? Q\n\t" + ellipsis + "(N)\n", {{1, ProblemKind::OneAnswer},
                                                             {2, ProblemKind::PlaceholderText},
                                                             {2, ProblemKind::SuffixOnFinalMessage}}},
  };
  for (const CheckCase& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Found(TreeOf(c.tree), TitledState()), c.expected);
  }
}

// Links make a graph of the tree: the check proves every run can end, and
// says what a link does that was probably not meant. Links by line.
TEST(ProcedureCheck, LinksLeaveNoLoopWithoutAWayOut) {
  const std::string retry = "? Q\n\t? R\n\t\ti fixed\n\t\ti restart\n\ti plug\n";
  const std::string two = "? Q\n\ti A\n\ti B\n";
  struct LinkCase {
    const char* name;
    std::string tree;
    std::vector<std::pair<std::size_t, std::size_t>> links;
    std::vector<std::pair<std::size_t, ProblemKind>> expected;
  };
  const LinkCase cases[] = {
      {"a shared step and a retry loop with a way out", retry, {{4, 2}, {5, 2}}, {}},
      {"on to a step that ends only by a link back", "? Q\n\t? P0\n\t\ti P\n\t\ti P2\n\t? R\n\t\ti S\n\t\ti T\n",
       {{4, 5}, {6, 3}, {7, 6}}, {}},
      {"a loop without one: every node in it", two, {{2, 1}, {3, 1}},
       {{1, ProblemKind::NoWayToEnd}, {2, ProblemKind::NoWayToEnd}, {3, ProblemKind::NoWayToEnd}}},
      {"a self link", two, {{3, 3}}, {{3, ProblemKind::NoWayToEnd}}},
      {"back to an ancestor without a word", "? Q\n\ti A\n\ti   \n", {{3, 1}}, {{3, ProblemKind::LinkBackUnsaid}}},
      {"a chain of links", two + "i   \ni C\n", {{3, 4}, {4, 5}}, {{3, ProblemKind::LinkChain}}},
      {"a stray top-level node, linked or not", two + "i stray\ni linked\n", {{3, 5}},
       {{4, ProblemKind::Unreachable}}},
      {"a link kept on a question", two, {{1, 2}}, {{1, ProblemKind::LinkOnQuestion}}},
  };
  for (const LinkCase& c : cases) {
    SCOPED_TRACE(c.name);
    DecisionTree tree = TreeOf(c.tree);
    const std::vector<TreeNode*> nodes = tree.PreOrder();
    for (const auto& [from, to] : c.links) {
      LaterFields later;
      later.Set(LinkField(), LinkValue(nodes[to - 1]->Id()));
      tree.SetLater(*nodes[from - 1], later);
    }
    EXPECT_EQ(Found(tree, TitledState()), c.expected);
  }
}

// An outcome kept on a node that gained answers is never shown: warned too.
TEST(ProcedureCheck, UnsetKindEmptyTitleAndAQuestionsOutcomeAreWarnings) {
  DecisionTree tree = TreeOf("? Q\n\ti A\n\ti B\n");
  tree.Root()->LastChild()->kind = Unset;
  LaterFields resolved;
  resolved.Set(*FieldNamed("outcome"), "resolved");
  tree.SetLater(*tree.Root(), resolved);
  tree.SetLater(*tree.Root()->FirstChild(), resolved);
  DocumentState untitled = TitledState();
  untitled.Title = "  ";

  ProblemList problems = CheckProcedure(tree, untitled);
  ASSERT_EQ(problems.size(), 3u);
  EXPECT_EQ(problems[1].kind, ProblemKind::OutcomeOnQuestion);
  EXPECT_EQ(problems[1].node, tree.Root());
  EXPECT_EQ(problems[1].Severity(), ProblemSeverity::Warning);
  problems.erase(problems.begin() + 1);
  EXPECT_EQ(problems[0].kind, ProblemKind::EmptyTitle);
  EXPECT_EQ(problems[0].node, nullptr);
  EXPECT_EQ(problems[0].Severity(), ProblemSeverity::Warning);
  EXPECT_EQ(problems[1].kind, ProblemKind::KindUnset);
  EXPECT_EQ(problems[1].node, tree.Root()->LastChild());
  EXPECT_EQ(problems[1].nodeId, tree.Root()->LastChild()->Id());
  EXPECT_EQ(problems[1].Severity(), ProblemSeverity::Warning);
}

TEST(ProcedureCheck, SeveritiesSayWhatTheEndUserSees) {
  for (const ProblemKind kind : {ProblemKind::PlaceholderText, ProblemKind::EmptyText,
                                 ProblemKind::SuffixOnFinalMessage, ProblemKind::SuffixBeforeBlanks}) {
    EXPECT_EQ(SeverityOf(kind), ProblemSeverity::Error) << static_cast<int>(kind);
  }
  // A question with one answer runs as the book prints it ("はい/いいえ →").
  for (const ProblemKind kind : {ProblemKind::KindUnset, ProblemKind::OneAnswer, ProblemKind::UnreachableAnswers,
                                 ProblemKind::EmptyTitle, ProblemKind::LongMessage, ProblemKind::OutcomeOnQuestion}) {
    EXPECT_EQ(SeverityOf(kind), ProblemSeverity::Warning) << static_cast<int>(kind);
    EXPECT_FALSE(ExplanationOf(kind).empty());
  }
}

TEST(ProcedureCheck, NewDocumentShowsWhatIsLeftToDo) {
  DecisionTree tree;
  TreeNode* root = tree.AddTopLevel("\x81\x63", Question);
  tree.AddChild(root, "\x81\x63", Unset);
  tree.AddChild(root, "\x81\x63", Unset);
  const std::vector<std::pair<std::size_t, ProblemKind>> expected = {
      {0, ProblemKind::EmptyTitle},      {1, ProblemKind::PlaceholderText}, {2, ProblemKind::PlaceholderText},
      {2, ProblemKind::KindUnset},       {3, ProblemKind::PlaceholderText}, {3, ProblemKind::KindUnset}};
  EXPECT_EQ(Found(tree, DocumentState{}), expected);
}

// The sample as the editor opens it, its links too: a shared step and a
// retry loop, and the check proves every run of it can end.
TEST(ProcedureCheck, ShippedSampleHasNoProblem) {
  std::ifstream in(std::string(VELMORA_TEST_DATA) + "/../../docs/sample.tre", std::ios::binary);
  ASSERT_TRUE(in);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  testing::MemoryFileSystem files;
  files.files["sample.tre"] = bytes.str();
  const LoadedDocument sample = LoadTreeFile(files, testing::Path("sample.tre"), DocumentState());
  std::size_t links = 0;
  sample.tree.ForEachPreOrder([&](const TreeNode& node) {
    if (LinkTarget(sample.tree, node) != nullptr) ++links;
  });
  EXPECT_EQ(links, 2u);
  EXPECT_EQ(CheckProcedure(sample.tree, sample.state).size(), 0u);
}

TEST(ProcedureCheck, NodePathRunsFromTheRoot) {
  const DecisionTree tree = TreeOf("? R\n\t? A\n\t\ti B\n\t\ti C\n\ti D\n");
  const TreeNode* c = tree.Root()->FirstChild()->LastChild();
  EXPECT_EQ(NodePathTexts(*c), (std::vector<std::string_view>{"R", "A", "C"}));
  EXPECT_EQ(NodePathTexts(*tree.Root()), (std::vector<std::string_view>{"R"}));
}

TEST(ProcedureCheck, DeepTreeNeedsNoRecursion) {
  DecisionTree tree;
  TreeNode* node = tree.AddTopLevel("Q", Question);
  for (int i = 0; i < 100000; ++i) node = tree.AddChild(node, "Q", Question);
  const ProblemList problems = CheckProcedure(tree, TitledState());
  // Every question has one answer; the last node is a final message.
  EXPECT_EQ(problems.size(), 100000u);
  EXPECT_EQ(NodePathTexts(*node).size(), 100001u);
}

}  // namespace
}  // namespace velmora
