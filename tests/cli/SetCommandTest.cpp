// velmora-cli set on real files: a note set on a node's line and the
// document's options are written in place as the editor saves (a .tre) or
// generates (an .exe keeps its own player), `show` prints the note, the
// book prints it with --notes; every wrong assignment exits with 2 and
// leaves the file as it was.
#include <gtest/gtest.h>

#include <filesystem>

#include "CliWorkFolder.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;
using testing::FileContent;
using testing::HostPath;
using testing::ProcessResult;

using SetCommand = testing::CliWorkFolder;

// Just the headers a player must have: the command line checks no more.
std::string FakeStub() {
  std::string stub(0x40, '\0');
  stub.replace(0, 2, "MZ");
  stub[0x3C] = 0x40;
  return stub + std::string("PE\0\0", 4) + std::string(20, '\0');
}

constexpr char kTree[] = "? q\r\n\ti yes\r\n\tx no\r\n[OPTION]\r\nNewLine=#\r\nTitle=t\r\nColor=1\r\n";

TEST_F(SetCommand, SetsANoteAndTheOptionsInPlace) {
  const std::string tree = Put("a.tre", kTree);
  ASSERT_EQ(Run({"set", tree, "2", "note=checked#twice"}).exitCode, 0);
  ASSERT_EQ(Run({"set", tree, "title=\xe6\x96\xb0", "color=2"}).exitCode, 0);  // "新"
  EXPECT_EQ(FileContent(fs::path(tree)),
            "? q\r\n\ti yes\r\n\tx no\r\n[OPTION]\r\nNewLine=#\r\nTitle=\x90\x56\r\nColor=2\r\n[FIELDS]\r\n"
            "1.note=checked#twice\r\n");
  const ProcessResult shown = Run({"show", tree});
  EXPECT_NE(shown.out.find("  [\xe9\x80\x9a\xe7\x9f\xa5] yes\n      note: checked\n            twice\n"), std::string::npos)
      << shown.out;

  // An executable keeps its own player; the note travels in it.
  const std::string stub = FakeStub();
  Put("stub.bin", stub);
  ASSERT_EQ(Run({"convert", tree, PathOf("a.exe"), "--stub", PathOf("stub.bin")}).exitCode, 0);
  ASSERT_EQ(Run({"set", PathOf("a.exe"), "3", "note=end"}).exitCode, 0);
  EXPECT_EQ(FileContent(fs::path(PathOf("a.exe"))).substr(0, stub.size()), stub);
  EXPECT_NE(Run({"show", PathOf("a.exe")}).out.find("note: end\n"), std::string::npos);

  ASSERT_EQ(Run({"export", tree, "--book", PathOf("book.html"), "--notes"}).exitCode, 0);
  EXPECT_NE(FileContent(fs::path(PathOf("book.html"))).find("checked\r\ntwice"), std::string::npos);
  // An end's outcome, stored by its value, shown by its word.
  ASSERT_EQ(Run({"set", tree, "3", "outcome=contact"}).exitCode, 0);
  EXPECT_NE(FileContent(fs::path(tree)).find("1.note=checked#twice\r\n2.outcome=contact\r\n"), std::string::npos);
  EXPECT_NE(Run({"show", "--flat", tree}).out.find("/\xe3\x81\x84\xe3\x81\x84\xe3\x81\x88 [\xe7\xa6\x81\xe6\xad\xa2] no | outcome: "
                                                   "\xe3\x82\xb5\xe3\x83\x9d\xe3\x83\xbc\xe3\x83\x88\xe3\x81\xb8\xe9\x80\xa3\xe7\xb5\xa1\n"),
            std::string::npos);  // "/いいえ [禁止] no | outcome: サポートへ連絡"
  ASSERT_EQ(Run({"set", tree, "3", "outcome=none"}).exitCode, 0);
  EXPECT_EQ(FileContent(fs::path(tree)).find("outcome"), std::string::npos);
  // The record folder is an option line of its own, only while it is set.
  ASSERT_EQ(Run({"set", tree, "record-folder=\\\\server\\runs"}).exitCode, 0);
  EXPECT_NE(FileContent(fs::path(tree)).find("Color=2\r\nRecordFolder=\\\\server\\runs\r\n[FIELDS]"), std::string::npos);
  ASSERT_EQ(Run({"set", tree, "record-folder="}).exitCode, 0);
  EXPECT_EQ(FileContent(fs::path(tree)).find("RecordFolder"), std::string::npos);
  // Removing the note gives the file without fields back.
  ASSERT_EQ(Run({"set", tree, "2", "note=", "--output", PathOf("b.tre")}).exitCode, 0);
  EXPECT_EQ(FileContent(fs::path(PathOf("b.tre"))).find("[FIELDS]"), std::string::npos);
}

// A picture named by its file is stored as its bytes: shown by what it is
// with its alt text, checked, compared by its bytes, carried into an
// executable and back exactly, and taken away again to the file it was.
TEST_F(SetCommand, APictureTravelsAsItsBytes) {
  const std::string tree = Put("a.tre", kTree);
  const std::string png = std::string("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR\0\0\x05\0\0\0\x02\xd0\x08\x06\0\0\0", 29) +
                          std::string(100, '\x7f');  // 1280x720
  Put("tray.png", png);
  Put("other.png", png + "more");
  ASSERT_EQ(Run({"set", tree, "2", "picture=" + PathOf("tray.png")}).exitCode, 0);
  const ProcessResult checked = Run({"check", tree});
  EXPECT_NE(checked.out.find(":2: warning: "), std::string::npos) << "no alt text: " << checked.out;
  ASSERT_EQ(Run({"set", tree, "2", "alt=tray icon"}).exitCode, 0);
  EXPECT_EQ(Run({"check", tree}).out.find(":2:"), std::string::npos);
  // [画像 1280x720 PNG 1 KB: tray icon]
  EXPECT_NE(Run({"show", tree}).out.find("picture: [\xe7\x94\xbb\xe5\x83\x8f 1280x720 PNG 1 KB: tray icon]\n"),
            std::string::npos);
  // play tells the step's picture in words above its message.
  EXPECT_NE(Run({"play", tree, "--answers", "yo"}).out.find("\n  [\xe7\x94\xbb\xe5\x83\x8f 1280x720 PNG 1 KB: tray icon]\n  yes"),
            std::string::npos);

  // The book and the browser's player carry it as the page's own data.
  ASSERT_EQ(Run({"export", tree, "--book", PathOf("book.html"), "--html", PathOf("play.html")}).exitCode, 0);
  const std::string book = FileContent(fs::path(PathOf("book.html")));
  EXPECT_NE(book.find("img-src data:"), std::string::npos);
  EXPECT_NE(book.find("src=\"data:image/png;base64,iVBORw0KGgo"), std::string::npos);
  EXPECT_NE(book.find("alt=\"tray icon\">"), std::string::npos);
  // The diagram marks the node: ［画像］
  ASSERT_EQ(Run({"export", tree, "--svg", PathOf("d.svg")}).exitCode, 0);
  EXPECT_NE(FileContent(fs::path(PathOf("d.svg"))).find("\xef\xbc\xbb\xe7\x94\xbb\xe5\x83\x8f\xef\xbc\xbd"),
            std::string::npos);
  EXPECT_EQ(FileContent(fs::path(PathOf("d.svg"))).find("<image"), std::string::npos);
  // With --pictures the box shows the picture itself, titled by its words.
  ASSERT_EQ(Run({"export", tree, "--svg", PathOf("p.svg"), "--pictures"}).exitCode, 0);
  EXPECT_NE(FileContent(fs::path(PathOf("p.svg"))).find("xlink:href=\"data:image/png;base64,iVBORw0KGgo"),
            std::string::npos);
  EXPECT_NE(FileContent(fs::path(PathOf("p.svg"))).find("<title>tray icon</title></image>"), std::string::npos);
  const std::string page = FileContent(fs::path(PathOf("play.html")));
  EXPECT_NE(page.find("<img id=\"picture\" hidden"), std::string::npos);
  EXPECT_NE(page.find("\"data:image/png;base64,iVBORw0KGgo"), std::string::npos);

  // Into an executable and back, byte for byte.
  const std::string stub = FakeStub();
  Put("stub.bin", stub);
  ASSERT_EQ(Run({"convert", tree, PathOf("a.exe"), "--stub", PathOf("stub.bin")}).exitCode, 0);
  ASSERT_EQ(Run({"convert", PathOf("a.exe"), PathOf("back.tre")}).exitCode, 0);
  EXPECT_EQ(FileContent(fs::path(PathOf("back.tre"))), FileContent(fs::path(tree)));
  // Listed by the node's line, and taken out of the executable as it went in.
  EXPECT_EQ(Run({"pictures", PathOf("a.exe")}).out, "2: [\xe7\x94\xbb\xe5\x83\x8f 1280x720 PNG 1 KB: tray icon]\n");
  fs::create_directory(PathOf("out"));
  ASSERT_EQ(Run({"pictures", PathOf("a.exe"), "--extract", PathOf("out")}).exitCode, 0);
  EXPECT_EQ(FileContent(fs::path(PathOf("out")) / "2.png"), png);
  EXPECT_EQ(Run({"pictures", PathOf("a.exe"), "--extract"}).exitCode, 2);
  ASSERT_EQ(Run({"set", tree, "2", "picture=" + PathOf("other.png"), "--output", PathOf("b.tre")}).exitCode, 0);
  const ProcessResult diff = Run({"diff", tree, PathOf("b.tre")});
  EXPECT_NE(diff.out.find("picture replaced at "), std::string::npos) << diff.out;
  EXPECT_EQ(Run({"diff", tree, tree}).out, "");

  ASSERT_EQ(Run({"set", tree, "2", "picture=", "alt="}).exitCode, 0);
  EXPECT_EQ(FileContent(fs::path(tree)), kTree);
  Put("notes.txt", "words");
  EXPECT_EQ(Run({"set", tree, "2", "picture=" + PathOf("notes.txt")}).exitCode, 2);
  EXPECT_EQ(FileContent(fs::path(tree)), kTree);
}

// A link names its target by its line: stored by position, shown by the
// target's text, followed by play, checked for a loop without a way out,
// compared by where it leads, and refused where it cannot stand.
TEST_F(SetCommand, ALinkNamesItsTargetByItsLine) {
  const std::string tree = Put("a.tre", kTree);
  ASSERT_EQ(Run({"set", tree, "3", "link=1"}).exitCode, 0);
  EXPECT_NE(FileContent(fs::path(tree)).find("[FIELDS]\r\n2.link=0\r\n"), std::string::npos);
  EXPECT_NE(Run({"show", tree}).out.find("link: \xe2\x86\x92 q\n"), std::string::npos);  // "→ q"
  EXPECT_EQ(Run({"check", tree}).exitCode, 0);
  const ProcessResult played = Run({"play", tree, "--answers", "noyo"});
  EXPECT_EQ(played.exitCode, 0);
  EXPECT_NE(played.out.find("no"), played.out.rfind("q")) << played.out;
  // Both ends go back: no run can end any more.
  ASSERT_EQ(Run({"set", tree, "2", "link=1", "--output", PathOf("loop.tre")}).exitCode, 0);
  const ProcessResult loop = Run({"check", PathOf("loop.tre"), "--json"});
  EXPECT_NE(loop.exitCode, 0);
  EXPECT_NE(loop.out.find("no-way-to-end"), std::string::npos) << loop.out;
  EXPECT_NE(Run({"diff", tree, PathOf("loop.tre")}).out.find("link"), std::string::npos);
  for (const std::vector<std::string>& wrong : std::vector<std::vector<std::string>>{
           {"1", "link=2"}, {"3", "link=3"}, {"3", "link=9"}, {"3", "link=x"}}) {
    std::vector<std::string> arguments{"set", tree};
    arguments.insert(arguments.end(), wrong.begin(), wrong.end());
    EXPECT_EQ(Run(arguments).exitCode, 2) << wrong[1];
  }
  ASSERT_EQ(Run({"set", tree, "3", "link="}).exitCode, 0);
  EXPECT_EQ(FileContent(fs::path(tree)), kTree);
}

TEST_F(SetCommand, RefusesWhatItCannotSetAndWritesNothing) {
  const std::string tree = Put("a.tre", kTree);
  const std::vector<std::vector<std::string>> wrong = {
      {"set", tree, "9", "note=x"},           // no node on that line
      {"set", tree, "1", "colour=x"},         // unknown key for a node
      {"set", tree, "shade=1"},               // unknown option
      {"set", tree, "color=7"},               // bad value
      {"set", tree, "1", "note=\xf0\x9f\x98\x80"},  // no CP932 character
      {"set", tree, "1", "note=a\nb"},        // a real line break
      {"set", tree, "1"},                     // nothing to set
      {"set", tree, "1", "outcome=resolved"}, // an outcome on a question
      {"set", tree, "2", "outcome=fixed"},    // no outcome of that name
  };
  for (const auto& arguments : wrong) {
    const ProcessResult result = Run(arguments);
    EXPECT_EQ(result.exitCode, 2) << arguments.back();
    EXPECT_NE(result.err.find("velmora-cli: "), std::string::npos);
  }
  EXPECT_EQ(FileContent(fs::path(tree)), kTree);
}

}  // namespace
}  // namespace velmora
