// The three exports of the distribution menu through the application core:
// what the save dialog is asked, that the file holds exactly the export of
// the open document, the message afterwards, and that a cancel or a failed
// write leaves no file and the document as it was.
#include "distribution/ExportCommands.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "AppTestSupport.h"
#include "app/CommandIds.h"
#include "distribution/DiagramSvg.h"
#include "distribution/GenerateCommand.h"
#include "distribution/HtmlPlayer.h"
#include "distribution/ProcedureBook.h"
#include "distribution/PathTable.h"
#include "document/Errors.h"
#include "files/DocumentCommands.h"
#include "files/TreeFile.h"

namespace velmora {
namespace {

using testing::FakePlatform;
using namespace message_box;

// " に書き出しました。"
const std::string kExportedTail = " \x82\xc9\x8f\x91\x82\xab\x8f\x6f\x82\xb5\x82\xdc\x82\xb5\x82\xbd\x81\x42";

struct ExportRow {
  const char* name;
  int id;
  std::string title;  // the save dialog's caption (CP932)
  const char* extension;
  // The same export written by the function the command calls.
  std::function<void(FileSystemPort&, const FilePath&, const Editor&)> direct;
};

std::ostream& operator<<(std::ostream& out, const ExportRow& row) { return out << row.name; }

const ExportRow kExports[] = {
    // 経路一覧を書き出し
    {"PathTable", IDM_EXPORTPATHS, "\x8c\x6f\x98\x48\x88\xea\x97\x97\x82\xf0\x8f\x91\x82\xab\x8f\x6f\x82\xb5", "txt",
     [](FileSystemPort& files, const FilePath& path, const Editor& editor) {
       SavePathTable(files, path, editor.Tree(), PathTableOptions{});
     }},
    // 図として書き出し
    {"Diagram", IDM_EXPORTSVG, "\x90\x7d\x82\xc6\x82\xb5\x82\xc4\x8f\x91\x82\xab\x8f\x6f\x82\xb5", "svg",
     [](FileSystemPort& files, const FilePath& path, const Editor& editor) {
       ExportDiagramSvg(files, path, editor.Tree(), editor.State(), DiagramOptions{});
     }},
    // HTML として書き出し
    {"HtmlPlayer", IDM_EXPORTHTML, "HTML \x82\xc6\x82\xb5\x82\xc4\x8f\x91\x82\xab\x8f\x6f\x82\xb5", "html",
     [](FileSystemPort& files, const FilePath& path, const Editor& editor) {
       ExportHtmlPlayer(files, path, editor.Tree(), editor.State());
     }},
    // 手順書として書き出し
    {"Book", IDM_EXPORTBOOK,
     "\x8e\xe8\x8f\x87\x8f\x91\x82\xc6\x82\xb5\x82\xc4\x8f\x91\x82\xab\x8f\x6f\x82\xb5", "html",
     [](FileSystemPort& files, const FilePath& path, const Editor& editor) {
       files.WriteFileAtomically(path, [&] {
         StringSink sink;
         WriteProcedureBook(editor.Tree(), editor.State(), BookDateText(), sink);
         return sink.Bytes();
       }());
     }},
};

class ExportCommandTest : public ::testing::TestWithParam<ExportRow> {
 protected:
  ExportCommandTest() : core(platform.Ports(), FakePlatform::Facts()) {
    core.Start(false);
    DocumentState state;
    state.Title = "Printer <&>";
    platform.files.files["C:\\work\\printer.tre"] = BuildTreeText(testing::SampleTree(), state);
    core.OpenAsDroppedFile(testing::Path("C:\\work\\printer.tre"));
    EXPECT_TRUE(core.Model().State().CurrentFileName.Utf8() == "C:\\work\\printer.tre");
  }

  std::string Output() const { return std::string("C:\\out\\printer.") + GetParam().extension; }

  std::string Expected() {
    testing::MemoryFileSystem files;
    GetParam().direct(files, testing::Path(Output()), core.Model());
    return files.files.at(Output());
  }

  FakePlatform platform;
  AppCore core;
};

TEST_P(ExportCommandTest, AsksForTheFileWritesTheExportAndOffersTheFolder) {
  const ExportRow& row = GetParam();
  const View before = core.CurrentView();
  platform.dialogs.files.results = {Output()};
  platform.dialogs.messages.answers = {kAnswerYes};
  EXPECT_TRUE(core.IsEnabled(row.id));
  EXPECT_TRUE(core.Run(row.id));

  ASSERT_EQ(platform.dialogs.files.saveRequests.size(), 1u);
  const FileDialogRequest& request = platform.dialogs.files.saveRequests[0];
  EXPECT_EQ(request.title, row.title);
  EXPECT_EQ(request.defaultExtension, row.extension);
  EXPECT_EQ(request.fileName.Utf8(), std::string("printer.") + row.extension) << "the document's name";
  EXPECT_EQ(request.initialDir.Utf8(), "C:\\work\\");
  EXPECT_TRUE(request.overwritePrompt);
  EXPECT_NE(request.filter.find(std::string("*.") + row.extension), std::string::npos);

  EXPECT_EQ(platform.files.files.at(Output()), Expected());
  ASSERT_EQ(platform.dialogs.messages.shown.size(), 1u);
  EXPECT_EQ(platform.dialogs.messages.shown[0].text,
            Output() + kExportedTail + "\r\n\r\n" + kOpenOutputFolderQuestion);
  EXPECT_EQ(platform.dialogs.messages.shown[0].flags, kYesNo | kIconQuestion);
  EXPECT_EQ(platform.shell.opened, (std::vector<std::string>{"C:\\out\\"}));

  // The document stays as it was.
  const View after = core.CurrentView();
  EXPECT_EQ(after.caption, before.caption);
  EXPECT_EQ(after.recentFiles, before.recentFiles);
  EXPECT_EQ(after.treeRevision, before.treeRevision) << "no export touches the tree";
  EXPECT_FALSE(core.Model().State().Modified);
  EXPECT_EQ(core.Model().State().CurrentFileName.Utf8(), "C:\\work\\printer.tre");
}

TEST_P(ExportCommandTest, AnUnnamedDocumentProposesItsTitle) {
  EXPECT_TRUE(core.Run(IDM_NEW1));
  core.TypeTitle("Scanner");
  platform.dialogs.files.results = {std::nullopt};
  EXPECT_TRUE(core.Run(GetParam().id));
  ASSERT_EQ(platform.dialogs.files.saveRequests.size(), 1u);
  EXPECT_EQ(platform.dialogs.files.saveRequests[0].fileName.Utf8(), std::string("Scanner.") + GetParam().extension);
}

TEST_P(ExportCommandTest, ACancelWritesNothingAndSaysNothing) {
  const auto filesBefore = platform.files.files;
  platform.dialogs.files.results = {std::nullopt};
  EXPECT_TRUE(core.Run(GetParam().id));
  EXPECT_EQ(platform.files.files, filesBefore);
  EXPECT_TRUE(platform.dialogs.messages.shown.empty());
  EXPECT_TRUE(platform.shell.opened.empty());
}

TEST_P(ExportCommandTest, AFailedWriteIsTheGeneralErrorReportAndNoSuccess) {
  platform.files.files[Output()] = "the last export";
  platform.files.failWrites = true;
  platform.dialogs.files.results = {Output()};
  EXPECT_TRUE(core.Run(GetParam().id));
  EXPECT_EQ(platform.files.files.at(Output()), "the last export");
  ASSERT_EQ(platform.dialogs.messages.shown.size(), 1u);
  EXPECT_EQ(platform.dialogs.messages.shown[0].flags, kOk | kIconStop);
  EXPECT_NE(platform.dialogs.messages.shown[0].text.find(Output()), std::string::npos) << "names the file";
  EXPECT_TRUE(platform.shell.opened.empty());
}

INSTANTIATE_TEST_SUITE_P(Menu, ExportCommandTest, ::testing::ValuesIn(kExports),
                         [](const ::testing::TestParamInfo<ExportRow>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace velmora
