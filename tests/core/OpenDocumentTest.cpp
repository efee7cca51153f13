// Opening a file as the document: the reader follows the extension, the
// kinds come back from their markers, and a refusal or a failed read leaves
// the open document exactly as it was.
#include "files/OpenDocument.h"

#include <gtest/gtest.h>

#include <map>

#include "DocumentTestSupport.h"
#include "TreeFileTestSupport.h"
#include "files/DistributionPayload.h"
#include "files/FileMessages.h"
#include "files/TreeFile.h"

namespace velmora {
namespace {

// Shortcuts point where the test says; others cannot be resolved.
class MapShortcuts : public ShortcutResolverPort {
 public:
  std::optional<FilePath> ResolveShortcut(const FilePath& shortcut) override {
    const auto found = targets.find(shortcut.Utf8());
    if (found == targets.end()) return std::nullopt;
    return FilePath::FromUtf8(found->second);
  }
  std::map<std::string, std::string> targets;
};

class OpenDocumentTest : public ::testing::Test {
 protected:
  OpenDocumentTest() {
    editor.ResetToStartingTree();
    editor.State().Title = "unsaved work";
    editor.MarkModified();
    DecisionTree tree;
    TreeNode* root = tree.AddTopLevel("Is it on?", Question);
    tree.AddChild(root, "Good", Information);
    tree.AddChild(root, "Switch it on", Inhibit);
    DocumentState state;
    state.Title = "Printer";
    state.Color = 3;
    files.files["C:\\work\\printer.TRE"] = BuildTreeText(tree, state);
    files.files["C:\\work\\printer.exe"] = BuildDistributionExecutable("MZstub", tree, state);
  }

  std::optional<OpenedDocument> Open(const std::string& path) {
    return OpenDocument(editor, files, messages, testing::Path(path), "Velmora", "current caption",
                        &shortcuts);
  }

  NullEditorView view;
  Editor editor{view};
  testing::MemoryFileSystem files;
  testing::ScriptedMessages messages;
  MapShortcuts shortcuts;
};

TEST_F(OpenDocumentTest, TreeFileInAnyLetterCaseBecomesTheCleanDocument) {
  const auto opened = Open("C:\\work\\printer.TRE");
  ASSERT_TRUE(opened.has_value());
  EXPECT_EQ(opened->caption, "printer.TRE - Velmora");
  EXPECT_EQ(editor.InitialDir.Utf8(), "C:\\work\\");
  EXPECT_EQ(testing::Describe(editor.Tree()), "[0]Is it on?\n\t[1]Good\n\t[3]Switch it on\n");
  EXPECT_EQ(editor.State().Title, "Printer");
  EXPECT_EQ(editor.State().Color, 3);
  EXPECT_EQ(editor.State().CurrentFileName.Utf8(), "C:\\work\\printer.TRE");
  EXPECT_FALSE(editor.State().Modified);
  EXPECT_FALSE(editor.CanSave());
  EXPECT_TRUE(editor.CanSaveAs());
  EXPECT_EQ(editor.Selected(), editor.Tree().Root());
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(OpenDocumentTest, GeneratedExecutableOpensUnderItsTreeFileName) {
  const auto opened = Open("C:\\work\\printer.exe");
  ASSERT_TRUE(opened.has_value());
  EXPECT_EQ(opened->caption, "printer.exe - Velmora");
  EXPECT_EQ(editor.State().CurrentFileName.Utf8(), "C:\\work\\printer.tre");
  EXPECT_EQ(testing::Describe(editor.Tree()), "[0]Is it on?\n\t[1]Good\n\t[3]Switch it on\n");
}

// A command-line argument such as "printer.TRE" is fixed to the folder it
// meant before a file dialog can move the current folder.
TEST_F(OpenDocumentTest, RelativePathBecomesAbsoluteFirst) {
  files.currentFolder = "C:\\work\\";
  const auto opened = Open("printer.TRE");
  ASSERT_TRUE(opened.has_value());
  EXPECT_EQ(editor.State().CurrentFileName.Utf8(), "C:\\work\\printer.TRE");
  EXPECT_EQ(editor.InitialDir.Utf8(), "C:\\work\\");
}

TEST_F(OpenDocumentTest, OtherExtensionsAreRefusedAndNothingChanges) {
  files.files["C:\\work\\notes.txt"] = "text";
  EXPECT_FALSE(Open("C:\\work\\notes.txt").has_value());
  ASSERT_EQ(messages.shown.size(), 1u);
  // "この拡張子のファイルは受け取れません。" CR LF CR LF and the file name.
  EXPECT_EQ(messages.shown[0].text,
            "\x82\xB1\x82\xCC\x8A\x67\x92\xA3\x8E\x71\x82\xCC\x83\x74\x83\x40\x83\x43\x83\x8B\x82\xCD\x8E\xF3"
            "\x82\xAF\x8E\xE6\x82\xEA\x82\xDC\x82\xB9\x82\xF1\x81\x42\r\n\r\nnotes.txt");
  EXPECT_EQ(messages.shown[0].caption, "current caption");
  EXPECT_EQ(messages.shown.back().flags, message_box::kOk);
  EXPECT_EQ(editor.State().Title, "unsaved work");
  EXPECT_TRUE(editor.State().Modified);
  EXPECT_EQ(editor.Tree().Count(), 3u);
}

TEST_F(OpenDocumentTest, AFailedReadLeavesTheDocumentWhole) {
  files.files["C:\\work\\broken.tre"] = "root\r\n\t\tjump\r\n";
  EXPECT_THROW(Open("C:\\work\\broken.tre"), VelmoraError);
  EXPECT_THROW(Open("C:\\work\\missing.tre"), VelmoraError);
  EXPECT_EQ(editor.State().Title, "unsaved work");
  EXPECT_TRUE(editor.State().Modified);
  EXPECT_EQ(editor.Tree().Count(), 3u);
  EXPECT_TRUE(editor.State().CurrentFileName.Empty());
}

// The document is the shortcut's target: the caption and CurrentFileName
// name it. A shortcut is followed once; one that leads nowhere (or to
// another shortcut) is refused and changes nothing.
TEST_F(OpenDocumentTest, ShortcutsOpenTheirTargetOnce) {
  shortcuts.targets["C:\\desk\\Printer.LNK"] = "C:\\work\\printer.TRE";
  shortcuts.targets["C:\\desk\\twice.lnk"] = "C:\\desk\\Printer.LNK";
  const auto opened = Open("C:\\desk\\Printer.LNK");
  ASSERT_TRUE(opened.has_value());
  EXPECT_EQ(opened->caption, "printer.TRE - Velmora");
  EXPECT_TRUE(opened->treeFile);
  EXPECT_EQ(editor.State().CurrentFileName.Utf8(), "C:\\work\\printer.TRE");
  EXPECT_EQ(editor.InitialDir.Utf8(), "C:\\work\\");

  editor.MarkModified();
  EXPECT_FALSE(Open("C:\\desk\\twice.lnk").has_value());
  EXPECT_FALSE(Open("C:\\desk\\gone.lnk").has_value());
  ASSERT_EQ(messages.shown.size(), 2u);
  EXPECT_EQ(messages.shown[0].text, UnsupportedExtensionMessage("Printer.LNK"));
  EXPECT_EQ(messages.shown[1].text, UnsupportedExtensionMessage(""));
  EXPECT_TRUE(editor.State().Modified);
}

// The reader stops at a NUL byte; the document opens with what came before
// it, and the author is told where the rest was left, since a save drops it.
TEST_F(OpenDocumentTest, AFileWithANulByteOpensAndTellsWhereReadingStopped) {
  files.files["C:\\work\\cut.tre"] = std::string("? r\r\n\ti a\r\n\tx b") + '\0' + "\r\n\t\tlost\r\n";
  const auto opened = Open("C:\\work\\cut.tre");
  ASSERT_TRUE(opened.has_value());
  EXPECT_EQ(testing::Describe(editor.Tree()), "[0]r\n\t[1]a\n\t[3]b\n");
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, StoppedAtNulNotice("C:\\work\\cut.tre", 3));
  EXPECT_EQ(messages.shown[0].caption, "cut.tre - Velmora");
  EXPECT_EQ(messages.shown[0].flags, message_box::kOk);
  EXPECT_FALSE(editor.State().Modified);

  // A whole file opens without a word.
  messages.shown.clear();
  ASSERT_TRUE(Open("C:\\work\\printer.TRE").has_value());
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(OpenDocumentTest, WithoutAResolverShortcutsAreRefused) {
  files.files["C:\\desk\\Printer.lnk"] = "a shortcut";
  EXPECT_FALSE(OpenDocument(editor, files, messages, testing::Path("C:\\desk\\Printer.lnk"),
                            "Velmora", "current caption")
                   .has_value());
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, UnsupportedExtensionMessage(""));
}

}  // namespace
}  // namespace velmora
