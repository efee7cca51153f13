// Every declared field survives every way a node travels: undo and redo,
// a packed branch, the clipboard's text, the saved file (also read as
// steps and written back, as convert does), the generated executable; and
// the comparison reports a change of exactly that field at exactly that
// node. The test declares a field of its own besides the program's, so a
// path that names the fields one by one fails here. A reader that knows
// only the tree text and the option block opens a file with fields as the
// same tree and options.
#include <gtest/gtest.h>

#include <random>

#include "document/Picture.h"
#include "TreeFileTestSupport.h"
#include "distribution/ProcedureDiff.h"
#include "document/BranchRecord.h"
#include "document/LaterFields.h"
#include "document/NodeLinks.h"
#include "files/BranchText.h"
#include "files/DistributionPayload.h"
#include "files/IniText.h"
#include "files/LineSplitter.h"
#include "files/TreeFile.h"

namespace velmora {
namespace {

using testing::Describe;

// Declared here alone: nothing outside this line may need to know of it.
const FieldIndex kTestOnlyField = DeclareField({"test-only", "T", false});

// Every node's declared fields, one line each, in pre-order; a link by
// its target's position, since each tree numbers its own nodes.
std::string DescribeFields(const DecisionTree& tree) {
  std::string out;
  std::size_t position = 0;
  tree.ForEachPreOrder([&](const TreeNode& node) {
    tree.LaterOf(node).ForEach([&](FieldIndex field, std::string_view value) {
      const TreeNode* target = IsLinkField(field) ? LinkTarget(tree, node) : nullptr;
      const std::string shown = IsLinkField(field) ? "@" + std::to_string(target ? tree.PreOrderIndexOf(target) : 999)
                                                   : std::string(value);
      out += std::to_string(position) + " " + std::string(DeclaredFields()[field].name) + "=" + shown + "\n";
    });
    ++position;
  });
  return out;
}

// CP932 values with a double-byte character whose trail byte is "\\", "="
// and a newline mark, a long one, and random bytes as a picture is stored.
std::string RandomValue(std::mt19937& random) {
  switch (random() % 5) {
    case 0: return "\x83\x5c=" + std::to_string(random() % 1000);
    case 1: return "a\x81\xab" "b";
    case 2: return std::string(3000 + random() % 100, 'x');
    case 3: {
      std::string bytes(random() % 5000, '\0');
      for (char& byte : bytes) byte = static_cast<char>(random());
      return Base64Encode(bytes);
    }
    default: return "[" + std::to_string(random() % 10) + "]";
  }
}

DecisionTree TreeWithFields(std::mt19937& random) {
  DecisionTree tree = testing::TreeOf(testing::RandomProcedure(random, 4));
  const std::vector<TreeNode*> nodes = tree.PreOrder();
  tree.ForEachPreOrder([&](const TreeNode& node) {
    LaterFields later;
    for (std::size_t field = 0; field < DeclaredFields().size(); ++field) {
      if (random() % 3 != 0) continue;
      // A link names a node of the same tree, itself included.
      later.Set(static_cast<FieldIndex>(field), IsLinkField(static_cast<FieldIndex>(field))
                                                    ? LinkValue(nodes[random() % nodes.size()]->Id())
                                                    : RandomValue(random));
    }
    tree.SetLater(node, later);
  });
  return tree;
}

// The reading rules of the stored form alone: lines by TABs and blanks,
// the root-level lines behind the last indented one dropped, the options
// from the "OPTION" section. What a release before fields existed reads.
struct PlainReading {
  std::string tree;
  std::string newLine;
  std::string title;
  int colour = 1;
};

PlainReading ReadPlainly(const std::string& text) {
  std::vector<std::pair<std::size_t, std::string>> lines;
  LineSplitter splitter(text);
  std::string_view line;
  while (splitter.Next(line)) {
    std::size_t level = 0;
    while (level < line.size() && (line[level] == '\t' || line[level] == ' ')) ++level;
    lines.emplace_back(level, std::string(line.substr(level)));
  }
  while (lines.size() > 1 && lines.back().first == 0) lines.pop_back();
  PlainReading reading;
  for (const auto& [level, lineText] : lines) reading.tree += std::string(level, '\t') + lineText + "\r\n";
  const std::optional<IniSectionView> options = FindLastIniSection(text, "OPTION", {});
  reading.newLine = IniString(options, "NewLine", DefaultNewLineMark);
  reading.title = IniString(options, "Title", "");
  reading.colour = IniInteger(options, "Color", 1);
  return reading;
}

class NodeFieldsRoundTrip : public ::testing::Test {
 protected:
  LoadedDocument Open(const std::string& bytes) {
    files_.files["in.tre"] = bytes;
    return LoadTreeFile(files_, testing::Path("in.tre"), DocumentState());
  }
  testing::MemoryFileSystem files_;
  DocumentState state_;
};

TEST_F(NodeFieldsRoundTrip, EveryFieldTravelsWithItsNode) {
  ASSERT_GE(DeclaredFields().size(), 2u);
  std::mt19937 random(7);
  for (int round = 0; round < 20; ++round) {
    SCOPED_TRACE(round);
    const DecisionTree tree = TreeWithFields(random);
    const std::string fields = DescribeFields(tree);
    const std::string saved = BuildTreeText(tree, state_);

    // The file, and the same file read as steps and written back.
    const LoadedDocument opened = Open(saved);
    EXPECT_EQ(Describe(opened.tree), Describe(tree));
    EXPECT_EQ(DescribeFields(opened.tree), fields);
    const LoadedSteps steps = LoadTreeFileSteps(files_, testing::Path("in.tre"), DocumentState());
    std::string convertedBack;
    AppendTreeText(convertedBack, StepProcedure{steps.steps, steps.fields}, steps.state);
    EXPECT_EQ(convertedBack, saved);
    EXPECT_EQ(TreeTextSize(StepProcedure{steps.steps, steps.fields}, steps.state), saved.size());

    // The generated executable, from the tree and from the steps.
    const std::string stub = testing::StubWithNewHeaderAt(0x40, std::string("PE\0\0", 4), 0x80);
    const std::string executable = BuildDistributionExecutable(stub, tree, state_);
    EXPECT_EQ(BuildDistributionExecutable(stub, StepProcedure{steps.steps, steps.fields}, steps.state), executable);
    const LoadedDocument played = ReadDistributionPayload(executable, testing::Path("x.exe"), "x.exe", DocumentState());
    EXPECT_EQ(DescribeFields(played.tree), fields);

    // A branch packed for undo, and one copied to the clipboard and pasted.
    const TreeNode& top = *tree.Root();
    DecisionTree unpacked;
    UnpackBranch(unpacked, nullptr, PackBranch(tree, top));
    EXPECT_EQ(DescribeFields(unpacked), fields);
    EXPECT_EQ(DescribeFields(ParseBranchText(BranchText(tree, top))), fields);

    // Today's reading: the same tree text and options, the fields absent.
    const PlainReading plain = ReadPlainly(saved);
    const PlainReading plainWithout = ReadPlainly(BuildTreeText(testing::TreeOf(plain.tree), state_));
    EXPECT_EQ(plain.tree, plainWithout.tree);
    EXPECT_EQ(plain.newLine, state_.NewLineMark);
    EXPECT_EQ(plain.title, state_.Title);
    EXPECT_EQ(plain.colour, state_.Color);
  }
}

TEST_F(NodeFieldsRoundTrip, TheComparisonNamesTheFieldAndTheNode) {
  std::mt19937 random(11);
  for (std::size_t i = 0; i < DeclaredFields().size(); ++i) {
    const auto field = static_cast<FieldIndex>(i);
    SCOPED_TRACE(DeclaredFields()[field].name);
    const LoadedDocument before = Open(testing::RandomProcedure(random, 3) + "[OPTION]\r\n");
    LoadedDocument after = Open(files_.files["in.tre"]);
    const std::vector<TreeNode*> nodes = after.tree.PreOrder();
    TreeNode& changed = *nodes[random() % nodes.size()];
    // A link's value is a node of the tree (the root, which no node
    // links to before).
    const std::string value = IsLinkField(field) ? LinkValue(after.tree.Root()->Id()) : "changed";
    LaterFields later = after.tree.LaterOf(changed);
    later.Set(field, value);
    after.tree.SetLater(changed, later);
    const ProcedureDiff diff = CompareTrees(before.tree, after.tree);
    ASSERT_EQ(diff.changes.size(), 1u);
    EXPECT_EQ(diff.changes[0].kind, ChangeKind::Field);
    EXPECT_EQ(diff.changes[0].field, field);
    EXPECT_EQ(diff.changes[0].newNode, changed.Id());
    // A link is told by where it leads: "→ " and the target's text.
    EXPECT_EQ(diff.changes[0].after, IsLinkField(field) ? "\x81\xa8 " + std::string(after.tree.Root()->Text()) : value);
    // A link on an end changes where its runs go: that is a change of paths.
    if (!IsLinkField(field)) {
      EXPECT_TRUE(diff.pathsAdded.empty() && diff.pathsRemoved.empty() && diff.pathsChanged.empty());
    }
  }
}

// Without fields the stored form is what it always was; a damaged section
// (a position past the last node, an unknown field, a section that does
// not follow the option block) is passed over and the file still opens.
TEST_F(NodeFieldsRoundTrip, DamagedSectionsArePassedOver) {
  const std::string plain = "? q\r\n\ti a\r\n[OPTION]\r\nNewLine=#\r\nTitle=t\r\nColor=2\r\n";
  EXPECT_EQ(BuildTreeText(Open(plain).tree, Open(plain).state), plain);
  const std::string cases[] = {
      plain + "[FIELDS]\r\n9.note=past the end\r\n1.unknown=x\r\nnot a field line\r\n",
      "? q\r\n\ti a\r\n[FIELDS]\r\n0.note=before the options\r\n[OPTION]\r\nNewLine=#\r\nTitle=t\r\nColor=2\r\n",
  };
  for (const std::string& bytes : cases) {
    const LoadedDocument opened = Open(bytes);
    EXPECT_EQ(Describe(opened.tree), Describe(Open(plain).tree)) << bytes;
    EXPECT_EQ(DescribeFields(opened.tree), "") << bytes;
    EXPECT_EQ(opened.state.Title, "t");
  }
  EXPECT_EQ(DescribeFields(Open(plain + "[FIELDS]\r\n1.test-only=kept\r\n").tree), "1 test-only=kept\n");
}

}  // namespace
}  // namespace velmora
