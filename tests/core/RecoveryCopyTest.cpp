// The recovery copy: one file per program name, written with the path its
// document belongs to, removed, found at start-up, and opened back as an
// unsaved document.
#include "files/RecoveryCopy.h"

#include <gtest/gtest.h>

#include "TreeFileTestSupport.h"

namespace velmora {
namespace {

using testing::Describe;
using testing::MemoryFileSystem;
using testing::Path;
using testing::SampleTree;

const FilePath kFolder = Path("C:\\settings\\");
const FilePath kProgram = Path("C:\\tools\\Velmora.exe");

// The tree as a save and a load give it back: an unset kind comes back as
// the kind a file without a marker gives.
std::string Reloaded(const DecisionTree& tree) {
  MemoryFileSystem files;
  SaveTreeFile(files, Path("C:\\a.tre"), tree, DocumentState{});
  LoadedDocument document = LoadTreeFile(files, Path("C:\\a.tre"), DocumentState{});
  return Describe(document.tree);
}

DocumentState NamedState() {
  DocumentState state;
  state.CurrentFileName = Path("C:\\work\\\xe6\x89\x8b\xe9\xa0\x86.tre");  // a name in UTF-8
  state.Title = "Printer";
  state.NewLineMark = "##";
  state.Color = 3;
  state.Modified = true;
  return state;
}

TEST(RecoveryCopy, EachProgramNameHasItsOwnFile) {
  MemoryFileSystem files;
  EXPECT_EQ(RecoveryCopy(files, kFolder, kProgram).Path(), Path("C:\\settings\\Velmora.recovery"));
  EXPECT_EQ(RecoveryCopy(files, kFolder, Path("C:\\tools\\Tool.exe")).Path(), Path("C:\\settings\\Tool.recovery"));
  // In a shared folder, two programs of one name in two folders do not meet.
  const auto shared = [&](const char* program) {
    return RecoveryCopy(files, kFolder, Path(program), RecoveryCopy::Naming::ByFullPath).Path();
  };
  EXPECT_NE(shared("C:\\a\\Guide.exe"), shared("C:\\b\\Guide.exe"));
  EXPECT_EQ(shared("C:\\a\\Guide.exe"), shared("c:\\A\\Guide.exe"));  // the same file to Windows
}

TEST(RecoveryCopy, AWrittenCopyIsFoundAndReadBackUnsaved) {
  MemoryFileSystem files;
  RecoveryCopy copy(files, kFolder, kProgram);
  EXPECT_FALSE(copy.Left());
  DecisionTree tree = SampleTree();
  // With the nodes' fields after the option block, the copy's own keys
  // are still found.
  LaterFields note;
  note.Set(*FieldNamed("note"), "kept");
  tree.SetLater(*tree.Root(), note);
  copy.Write(tree, NamedState());

  RecoveryCopy atNextStart(files, kFolder, kProgram);
  ASSERT_TRUE(atNextStart.Left());
  EXPECT_EQ(atNextStart.Summary().belongsTo, NamedState().CurrentFileName);
  const LoadedDocument document = atNextStart.Read(DocumentState{});
  EXPECT_EQ(Describe(document.tree), Reloaded(tree));
  EXPECT_EQ(document.tree.LaterOf(*document.tree.Root()), note);
  EXPECT_EQ(document.state.CurrentFileName, NamedState().CurrentFileName);
  EXPECT_EQ(document.state.Title, "Printer");
  EXPECT_EQ(document.state.NewLineMark, "##");
  EXPECT_EQ(document.state.Color, 3);
  EXPECT_TRUE(document.state.Modified);
}

TEST(RecoveryCopy, AnUnnamedDocumentStaysUnnamed) {
  MemoryFileSystem files;
  RecoveryCopy copy(files, kFolder, kProgram);
  copy.Write(SampleTree(), DocumentState{});
  EXPECT_TRUE(copy.Read(DocumentState{}).state.CurrentFileName.Empty());
}

TEST(RecoveryCopy, OpeningTheCopyGivesAnUnsavedDocumentUnderItsPath) {
  MemoryFileSystem files;
  RecoveryCopy copy(files, kFolder, kProgram);
  copy.Write(SampleTree(), NamedState());
  NullEditorView view;
  Editor editor(view);
  OpenRecoveredDocument(editor, copy.Read(editor.State()));
  EXPECT_EQ(editor.State().CurrentFileName, NamedState().CurrentFileName);
  EXPECT_TRUE(editor.State().Modified);
  EXPECT_TRUE(editor.CanSave());
  EXPECT_TRUE(editor.CanSaveAs());
  EXPECT_EQ(editor.Selected(), editor.Tree().Root());
  EXPECT_EQ(Describe(editor.Tree()), Reloaded(SampleTree()));
}

// A port that cannot delete files leaves an empty one: no copy either.
class NoDeleteFileSystem : public MemoryFileSystem {
 public:
  bool RemoveFile(const FilePath& path) override { return FileSystemPort::RemoveFile(path); }
};

TEST(RecoveryCopy, ARemovedCopyIsNotOffered) {
  MemoryFileSystem files;
  NoDeleteFileSystem noDelete;
  for (FileSystemPort* port : std::initializer_list<FileSystemPort*>{&files, &noDelete}) {
    RecoveryCopy copy(*port, kFolder, kProgram);
    copy.Write(SampleTree(), NamedState());
    EXPECT_TRUE(copy.Remove());
    EXPECT_FALSE(copy.Left());
    EXPECT_TRUE(copy.Remove());  // nothing left to remove
  }
  EXPECT_EQ(files.files.count("C:\\settings\\Velmora.recovery"), 0u);
}

TEST(RecoveryCopy, AFailedWriteKeepsThePreviousCopy) {
  MemoryFileSystem files;
  RecoveryCopy copy(files, kFolder, kProgram);
  copy.Write(SampleTree(), NamedState());
  files.failWrites = true;
  EXPECT_THROW(copy.Write(DecisionTree(), DocumentState{}), VelmoraError);
  EXPECT_EQ(Describe(copy.Read(DocumentState{}).tree), Reloaded(SampleTree()));
}

}  // namespace
}  // namespace velmora
