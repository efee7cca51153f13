// What the diagram and the player show of a procedure, beyond the golden
// files: texts that look like markup stay text, unreachable answers are
// greyed in the diagram and left out of the player, the default answer is
// marked, the files grow linearly, and a failed write changes nothing.
#include <gtest/gtest.h>

#include <string>

#include "distribution/DiagramSvg.h"
#include "distribution/HtmlPlayer.h"
#include "distribution/ProcedureBook.h"
#include "TreeFileTestSupport.h"

namespace velmora {
namespace {

using testing::MemoryFileSystem;
using testing::Path;

std::size_t Count(const std::string& text, const std::string& part) {
  std::size_t count = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

std::string Svg(const DecisionTree& tree, const DocumentState& state, bool horizontal = false) {
  StringSink sink;
  WriteDiagramSvg(tree, state, DiagramOptions{horizontal}, sink);
  return sink.Bytes();
}

std::string Html(const DecisionTree& tree, const DocumentState& state) {
  StringSink sink;
  WriteHtmlPlayer(tree, state, sink);
  return sink.Bytes();
}

// A procedure whose title and texts are made of markup.
struct HostileProcedure {
  DecisionTree tree;
  DocumentState state;
  HostileProcedure() {
    state.Title = "<Title> & \"quotes\" 'too'";
    TreeNode* root = tree.AddTopLevel("Is a<b && c>d?", Question);
    tree.AddChild(root, "</script><script>alert('x')</script>", Information);
    tree.AddChild(root, std::string("bell\x07" "and ]]>", 12), Inhibit);
  }
};

TEST(ExportEscaping, KeepsMarkupInTextsAsText) {
  const HostileProcedure procedure;
  for (const std::string& out : {Svg(procedure.tree, procedure.state), Html(procedure.tree, procedure.state)}) {
    EXPECT_EQ(out.find("<Title>"), std::string::npos);
    EXPECT_EQ(out.find("a<b"), std::string::npos);
    EXPECT_EQ(out.find("<script>alert"), std::string::npos);
    EXPECT_EQ(out.find('\x07'), std::string::npos);
    EXPECT_NE(out.find("&lt;Title&gt; &amp; &quot;quotes&quot; &#39;too&#39;"), std::string::npos);
  }
  const std::string svg = Svg(procedure.tree, procedure.state);
  EXPECT_NE(svg.find("Is a&lt;b &amp;&amp; c&gt;d?"), std::string::npos);
  EXPECT_NE(svg.find("bell\xEF\xBF\xBD" "and ]]&gt;"), std::string::npos);
  // The player's own two scripts are the only ones that close.
  const std::string html = Html(procedure.tree, procedure.state);
  EXPECT_EQ(Count(html, "</script"), 2U);
  EXPECT_NE(html.find("\"\\u003c/script\\u003e\\u003cscript\\u003ealert('x')\\u003c/script\\u003e\""),
            std::string::npos);
}

TEST(DiagramContent, GreysTheUnreachableAnswerWithItsSubtreeAndMarksTheDefault) {
  DecisionTree tree = testing::SampleTree();
  // Below the never reached answer, one more node that is unreachable too.
  TreeNode* middle = tree.Root()->FirstChild()->Child(1);
  tree.AddChild(middle, "Deeper", Information);
  const std::string svg = Svg(tree, DocumentState{});
  // Each greyed with its edge and label; nothing else is.
  EXPECT_EQ(Count(svg, "<g class=\"node exclamation unreachable\" "), 1U);
  EXPECT_EQ(Count(svg, "<g class=\"node information unreachable\" "), 1U);
  EXPECT_EQ(Count(svg, " unreachable\""), 2U);
  // "Power on?(N)": the No answer is the default; the suffix is not shown.
  EXPECT_EQ(svg.find("Power on?(N)"), std::string::npos);
  EXPECT_NE(svg.find("<text class=\"label default\""), std::string::npos);
  EXPECT_NE(svg.find(">\xE3\x81\x84\xE3\x81\x84\xE3\x81\x88\xEF\xBC\x88\xE6\x97\xA2\xE5\xAE\x9A\xEF\xBC\x89</text>"),
            std::string::npos);  // いいえ（既定）
}

TEST(DiagramContent, BreaksLinesWhereTheNewLineMarkStands) {
  DecisionTree tree;
  tree.AddTopLevel("one\x81\xAB" "two\x81\xAB\x81\xAB" "four", Information);
  const std::string svg = Svg(tree, DocumentState{});
  EXPECT_EQ(Count(svg, "<tspan"), 4U);
  EXPECT_NE(svg.find(">one</tspan>"), std::string::npos);
  EXPECT_NE(svg.find(">four</tspan>"), std::string::npos);
}

TEST(PlayerContent, LeavesOutWhatARunCannotReach) {
  DecisionTree tree = testing::SampleTree();
  tree.AddTopLevel("Second top-level node", Information);
  const std::string html = Html(tree, DocumentState{});
  EXPECT_EQ(html.find("\xE3\x82\xBD\xE3\x83\x95\xE3\x83\x88"), std::string::npos);  // the middle answer
  EXPECT_NE(html.find("Never reached"), std::string::npos);                             // the last one: No
  EXPECT_EQ(html.find("Second top-level node"), std::string::npos);
  EXPECT_NE(html.find("\"Power on?\",0,1,"), std::string::npos);  // the suffix gone, No the default
}

// An end's outcome in words wherever the end shows: the diagram's box,
// the browser's player and the book.
TEST(ExportContent, AnEndShowsItsOutcomeInWords) {
  DecisionTree tree;
  TreeNode* root = tree.AddTopLevel("q", Question);
  const TreeNode* fixed = tree.AddChild(root, "Fixed", Information);
  tree.AddChild(root, "Call us", Exclaimation);
  LaterFields later;
  later.Set(*FieldNamed("outcome"), "resolved");
  tree.SetLater(*fixed, later);
  const DocumentState state;
  // "［解決］" in UTF-8, and "解決状況: 解決" as the player's message ends.
  EXPECT_EQ(Count(Svg(tree, state), "\xEF\xBC\xBB\xE8\xA7\xA3\xE6\xB1\xBA\xEF\xBC\xBD"), 1u);
  EXPECT_NE(Html(tree, state).find("\"Fixed\\n\\n\xE8\xA7\xA3\xE6\xB1\xBA\xE7\x8A\xB6\xE6\xB3\x81: \xE8\xA7\xA3\xE6\xB1\xBA\""),
            std::string::npos);
  StringSink book;
  WriteProcedureBook(tree, state, "2026-12-09", book);
  EXPECT_EQ(Count(book.Bytes(), "<p class=\"outcome\">\xE8\xA7\xA3\xE6\xB1\xBA\xE7\x8A\xB6\xE6\xB3\x81: \xE8\xA7\xA3\xE6\xB1\xBA</p>"), 1u);
}

// Chains of questions whose Yes answer ends the path and whose No answer
// asks the next one: a tree twice as large gives a file twice as large.
DecisionTree QuestionChain(std::size_t questions) {
  DecisionTree tree;
  TreeNode* node = tree.AddTopLevel("Question?", Question);
  for (std::size_t i = 0; i < questions; ++i) {
    tree.AddChild(node, "Done.", Information);
    node = tree.AddChild(node, "Question?", Question);
  }
  return tree;
}

TEST(ExportSize, GrowsLinearlyWithTheTree) {
  const DocumentState state;
  const DecisionTree small = QuestionChain(500), large = QuestionChain(1000);
  for (const bool horizontal : {false, true}) {
    const double ratio = static_cast<double>(Svg(large, state, horizontal).size()) /
                         static_cast<double>(Svg(small, state, horizontal).size());
    EXPECT_GT(ratio, 1.9);
    EXPECT_LT(ratio, 2.1);
  }
  const double htmlRatio = static_cast<double>(Html(large, state).size() - Html(DecisionTree{}, state).size()) /
                           static_cast<double>(Html(small, state).size() - Html(DecisionTree{}, state).size());
  EXPECT_GT(htmlRatio, 1.9);
  EXPECT_LT(htmlRatio, 2.1);
}

TEST(ExportFiles, WriteThroughThePortAndLeaveTheOldFileWhenTheWriteFails) {
  const DecisionTree tree = testing::SampleTree();
  MemoryFileSystem files;
  ExportDiagramSvg(files, Path("out.svg"), tree, DocumentState{}, DiagramOptions{});
  ExportHtmlPlayer(files, Path("out.html"), tree, DocumentState{});
  EXPECT_EQ(files.files["out.svg"], Svg(tree, DocumentState{}));
  EXPECT_EQ(files.files["out.html"], Html(tree, DocumentState{}));

  files.files["out.svg"] = "old";
  files.failWrites = true;
  EXPECT_NE(testing::ErrorOf([&] { ExportDiagramSvg(files, Path("out.svg"), tree, DocumentState{}, {}); }),
            "(no error)");
  EXPECT_NE(testing::ErrorOf([&] { ExportHtmlPlayer(files, Path("new.html"), tree, DocumentState{}); }),
            "(no error)");
  EXPECT_EQ(files.files["out.svg"], "old");
  EXPECT_EQ(files.files.count("new.html"), 0U);
}

TEST(ExportFiles, AnEmptyTreeGivesAValidEmptyPicture) {
  const std::string svg = Svg(DecisionTree{}, DocumentState{});
  EXPECT_NE(svg.find("<svg "), std::string::npos);
  EXPECT_NE(svg.find("</svg>\n"), std::string::npos);
  EXPECT_NE(Html(DecisionTree{}, DocumentState{}).find("\"nodes\":[]"), std::string::npos);
}

}  // namespace
}  // namespace velmora
