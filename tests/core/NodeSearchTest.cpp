// Find: matches as the author reads the texts (letter case, full-width and
// half-width forms alike, newline marks as line breaks), in tree order with
// wrapping, and the count text of the find box.
#include "document/NodeSearch.h"

#include <gtest/gtest.h>

#include "document/BranchRecord.h"

namespace velmora {
namespace {

// {0} "Check the printer"
//   {0,0} "ＰＲＩＮＴＥＲ on?"
//     {0,0,0} "ﾌﾟﾘﾝﾀｰ ｶﾞｲﾄﾞ #1 ｳﾞ"
//     {0,0,1} "Line one↓Line two"
//   {0,1} "プリンター ガイド ＃１ ヴ"
DecisionTree SearchTree() {
  DecisionTree tree;
  TreeNode* root = tree.AddTopLevel("Check the printer");
  TreeNode* question = tree.AddChild(root, "\x82\x6f\x82\x71\x82\x68\x82\x6d\x82\x73\x82\x64\x82\x71 on?");
  tree.AddChild(question, "\xcc\xdf\xd8\xdd\xc0\xb0 \xb6\xde\xb2\xc4\xde #1 \xb3\xde");
  tree.AddChild(question, "Line one\x81\xabLine two");
  tree.AddChild(root, "\x83\x76\x83\x8a\x83\x93\x83\x5e\x81\x5b \x83\x4b\x83\x43\x83\x68 \x81\x94\x82\x50 \x83\x94");
  return tree;
}

struct SearchCase {
  const char* name;
  std::string text;
  NodePath from;  // empty: no selection
  SearchDirection direction;
  NodePath found;  // empty: nothing
  std::size_t position;
  std::size_t count;
};

const SearchCase kSearchCases[] = {
    {"LetterCaseAndFullWidthLetters", "PRINTER", {0}, SearchDirection::Next, {0, 0}, 2, 2},
    {"WrapsAtTheEnd", "printer", {0, 0}, SearchDirection::Next, {0}, 1, 2},
    {"WrapsAtTheStartBackwards", "printer", {0}, SearchDirection::Previous, {0, 0}, 2, 2},
    {"PreviousFromANodeThatDoesNotMatch", "printer", {0, 0, 1}, SearchDirection::Previous, {0, 0}, 2, 2},
    {"FullWidthKatakanaFindsHalfWidth", "\x83\x76\x83\x8a\x83\x93\x83\x5e\x81\x5b", {0}, SearchDirection::Next,
     {0, 0, 0}, 1, 2},
    {"HalfWidthKatakanaFindsFullWidth", "\xcc\xdf\xd8\xdd\xc0\xb0", {0, 0, 0}, SearchDirection::Next, {0, 1}, 2, 2},
    {"VoicedMarksJoinTheirKana", "\x83\x4b\x83\x43\x83\x68", {}, SearchDirection::Next, {0, 0, 0}, 1, 2},
    {"VoicedU", "\xb3\xde", {0, 0, 0}, SearchDirection::Next, {0, 1}, 2, 2},
    {"FullWidthDigitsAndSymbols", "#1", {0, 1}, SearchDirection::Next, {0, 0, 0}, 1, 2},
    {"NoSelectionBackwardsStartsAtTheEnd", "line", {}, SearchDirection::Previous, {0, 0, 1}, 1, 1},
    {"TheOnlyMatchIsFoundAgain", "line TWO", {0, 0, 1}, SearchDirection::Next, {0, 0, 1}, 1, 1},
    {"NewLineMarksAreLineBreaks", "one\x81\xabLine", {0}, SearchDirection::Next, {}, 0, 0},
    {"EmptyTextFindsNothing", "", {0}, SearchDirection::Next, {}, 0, 0},
};

class FindNodeCase : public ::testing::TestWithParam<SearchCase> {};

TEST_P(FindNodeCase, FindsTheExpectedNodeAndCounts) {
  const SearchCase& c = GetParam();
  const DecisionTree tree = SearchTree();
  const TreeNode* from = c.from.empty() ? nullptr : NodeAt(tree, c.from);
  const SearchResult result = FindNode(tree, from, c.text, "\x81\xab", c.direction);
  EXPECT_EQ(result.node == nullptr ? NodePath{} : PathOf(*result.node), c.found);
  EXPECT_EQ(result.position, c.position);
  EXPECT_EQ(result.count, c.count);
}

INSTANTIATE_TEST_SUITE_P(NodeSearch, FindNodeCase, ::testing::ValuesIn(kSearchCases),
                         [](const ::testing::TestParamInfo<SearchCase>& info) { return info.param.name; });

TEST(NodeSearch, CountText) {
  DecisionTree tree;
  SearchResult result{tree.AddTopLevel("x"), 3, 12};
  // "12 件中 3 件目"
  EXPECT_EQ(SearchResultText(result), "12\x20\x8c\x8f\x92\x86\x20" "3\x20\x8c\x8f\x96\xda");
  // "見つかりません"
  EXPECT_EQ(SearchResultText(SearchResult{}), "\x8c\xa9\x82\xc2\x82\xa9\x82\xe8\x82\xdc\x82\xb9\x82\xf1");
}

}  // namespace
}  // namespace velmora
