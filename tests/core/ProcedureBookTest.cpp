// The book on random procedures: every number an answer names is a step of
// the book, every step a run can reach is printed once, and every end is in
// the table at the back.
#include "distribution/ProcedureBook.h"

#include <gtest/gtest.h>

#include <random>
#include <regex>
#include <set>

#include "TreeFileTestSupport.h"
#include "distribution/PathTable.h"

namespace velmora {
namespace {

TEST(ProcedureBook, NumbersLeadToStepsAndEveryReachableStepIsPrintedOnce) {
  std::mt19937 random(8);
  const std::regex step("<section class=\"step\" id=\"s([0-9]+)\"><div class=\"number\">([0-9]+)</div>"
                        "<div class=\"body\"><p class=\"message\">([^<]*)</p>");
  const std::regex link("<a href=\"#s([0-9]+)\">([0-9]+)</a>");
  for (int round = 0; round < 100; ++round) {
    const DecisionTree tree = testing::TreeOf(testing::RandomProcedure(random));
    StringSink sink;
    WriteProcedureBook(tree, DocumentState{}, "", sink);
    const std::string& book = sink.Bytes();

    std::set<std::string> messages;
    std::size_t steps = 0;
    for (auto it = std::sregex_iterator(book.begin(), book.end(), step); it != std::sregex_iterator(); ++it) {
      ++steps;
      EXPECT_EQ((*it)[1].str(), std::to_string(steps)) << "steps are numbered 1, 2, 3, ...";
      EXPECT_EQ((*it)[2].str(), std::to_string(steps));
      EXPECT_TRUE(messages.insert((*it)[3].str()).second) << "printed twice: " << (*it)[3].str();
    }
    for (auto it = std::sregex_iterator(book.begin(), book.end(), link); it != std::sregex_iterator(); ++it) {
      const int target = std::stoi((*it)[1].str());
      EXPECT_EQ((*it)[1].str(), (*it)[2].str());
      EXPECT_TRUE(target >= 1 && static_cast<std::size_t>(target) <= steps) << "no step " << target;
    }
    // Each end a run can reach: once among the steps, and once in the table.
    std::size_t ends = 0;
    ForEachPathEnd(tree, [&](const PathWalk&, const TreeNode& end) {
      ++ends;
      EXPECT_EQ(messages.count(std::string(end.Text())), 1u);
      EXPECT_NE(book.find("<td class=\"message\">" + std::string(end.Text()) + "</td>"), std::string::npos);
    });
    EXPECT_GE(steps, ends);
  }
}

}  // namespace
}  // namespace velmora
