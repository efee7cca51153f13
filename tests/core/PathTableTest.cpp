// Every path of a procedure: the ends a run from the root reaches, with the
// answers that lead there, as a list and as the text and CSV tables.
#include "distribution/PathTable.h"

#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "files/TreeFile.h"
#include "files/TreeTextParser.h"
#include "TreeFileTestSupport.h"

#include "document/NodeLinks.h"

namespace velmora {
namespace {

using testing::TreeOf;

// "Y N Y:text" per end; a link as "->" and its target's line, a path that
// stops before going round again with "...".
std::vector<std::string> Ends(const DecisionTree& tree) {
  std::vector<std::string> ends;
  ForEachPathEnd(tree, [&](const PathWalk& walk, const TreeNode& end) {
    std::string row;
    std::size_t link = 0;
    for (const PathAnswer answer : walk.answers) {
      row += answer == PathAnswer::Yes    ? "Y "
             : answer == PathAnswer::No   ? "N "
             : answer == PathAnswer::Link ? "->" + std::to_string(walk.linkLines[link++]) + " "
                                          : "E ";
    }
    ends.push_back(row + (walk.repeats ? "...:" : ":") + std::string(end.Text()));
  });
  return ends;
}

std::string Table(const DecisionTree& tree, PathTableFormat format) {
  StringSink sink;
  PathTableOptions options;
  options.format = format;
  options.lineEnd = "\n";
  WritePathTable(sink, tree, options);
  return sink.Bytes();
}

struct PathCase {
  const char* name;
  std::string tree;
  std::vector<std::string> ends;
};

TEST(PathTable, EveryEndWithTheAnswersToIt) {
  const PathCase cases[] = {
      {"a final message alone", "i only\n", {":only"}},
      {"Yes before No, depth first", "? q\n\t? a\n\t\ti b\n\t\ti c\n\ti d\n", {"Y Y :b", "Y N :c", "N :d"}},
      {"the middle answers are never reached", "? q\n\ti a\n\ti never\n\ti b\n", {"Y :a", "N :b"}},
      {"one answer is taken on either button", "? q\n\t? r\n\t\ti a\n\t\ti b\n", {"E Y :a", "E N :b"}},
      {"further top-level nodes are not run", "i root\nx elsewhere\n", {":root"}},
  };
  for (const PathCase& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Ends(TreeOf(c.tree)), c.ends);
  }
  EXPECT_TRUE(Ends(DecisionTree{}).empty());
}

TEST(PathTable, TextAndCsvRows) {
  // A message with a quote and a comma, kept with its newline mark.
  const DecisionTree tree = TreeOf("? q\n\tx say \"no\", then\x81\xab" "stop\n\ti fine\n");
  // 答え, 種類, メッセージ; はい, いいえ; 禁止, 通知.
  const std::string yes = "\x82\xcd\x82\xa2";
  const std::string no = "\x82\xa2\x82\xa2\x82\xa6";
  EXPECT_EQ(Table(tree, PathTableFormat::Text),
            "\x93\x9a\x82\xa6\t\x8e\xed\x97\xde\t\x83\x81\x83\x62\x83\x5a\x81\x5b\x83\x57\n" + yes +
                "\t\x8b\xd6\x8e\x7e\tsay \"no\", then\x81\xab" "stop\n" + no + "\t\x92\xca\x92\x6d\tfine\n");
  EXPECT_EQ(Table(tree, PathTableFormat::Csv),
            "\"\x93\x9a\x82\xa6\",\"\x8e\xed\x97\xde\",\"\x83\x81\x83\x62\x83\x5a\x81\x5b\x83\x57\"\n\"" + yes +
                "\",\"\x8b\xd6\x8e\x7e\",\"say \"\"no\"\", then\x81\xab" "stop\"\n\"" + no +
                "\",\"\x92\xca\x92\x6d\",\"fine\"\n");
}

TEST(PathTable, AnswersAreJoinedInOrder) {
  const DecisionTree tree = TreeOf("? q\n\t? r\n\t\ti a\n\ti b\n");
  const std::string table = Table(tree, PathTableFormat::Text);
  // はい > はい/いいえ: the Yes, then the one-answer step.
  EXPECT_NE(table.find("\n\x82\xcd\x82\xa2 > \x82\xcd\x82\xa2/\x82\xa2\x82\xa2\x82\xa6\t"), std::string::npos) << table;
}

TEST(PathTable, SavedAsAFileWithWindowsLineEnds) {
  testing::MemoryFileSystem files;
  SavePathTable(files, testing::Path("C:\\out\\paths.txt"), TreeOf("? q\n\ti a\n\ti b\n"), PathTableOptions{});
  const std::string& saved = files.files["C:\\out\\paths.txt"];
  EXPECT_EQ(saved.substr(saved.size() - 8), "\x92\xca\x92\x6d\tb\r\n");
  EXPECT_EQ(std::count(saved.begin(), saved.end(), '\n'), 3);
}

// A shared step is walked from each path that reaches it; a loop is gone
// round once, and the link that would go round again ends the path.
TEST(PathTable, LinksAreFollowedAndALoopIsGoneRoundOnce) {
  DecisionTree tree = TreeOf("? cable\n\t? lamp\n\t\ti fixed\n\t\ti restart\n\ti plug in\n");
  const std::vector<TreeNode*> nodes = tree.PreOrder();
  for (const std::size_t from : {std::size_t{3}, std::size_t{4}}) {
    LaterFields later;
    later.Set(LinkField(), LinkValue(nodes[1]->Id()));
    tree.SetLater(*nodes[from], later);
  }
  EXPECT_EQ(Ends(tree), (std::vector<std::string>{
                            "Y Y :fixed",
                            "Y N ->2 Y :fixed",
                            "Y N ->2 N ->2 ...:restart",
                            "N ->2 Y :fixed",
                            "N ->2 N ->2 Y :fixed",
                            "N ->2 N ->2 N ->2 ...:restart",
                        }));
  // "→ 2" in the table, and "（以下繰り返し）" where a path stops.
  EXPECT_NE(Table(tree, PathTableFormat::Text).find("\x82\xa2\x82\xa2\x82\xa6 > \x81\xa8 2\x81\x69"), std::string::npos);
}

TEST(PathTable, DeepChainIsOneRowWithoutRecursion) {
  DecisionTree tree;
  TreeNode* node = tree.AddTopLevel("q", Question);
  for (int i = 0; i < 100000; ++i) node = tree.AddChild(node, "q", Question);
  std::size_t rows = 0;
  std::size_t depth = 0;
  ForEachPathEnd(tree, [&](const PathWalk& walk, const TreeNode&) {
    ++rows;
    depth = walk.answers.size();
  });
  EXPECT_EQ(rows, 1u);
  EXPECT_EQ(depth, 100000u);
}

}  // namespace
}  // namespace velmora
