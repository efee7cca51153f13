// Generated executables: what the generator appends to the stub, and the
// reader that gets the procedure back (in the editor and in the player).
#include <gtest/gtest.h>

#include <cstdint>

#include "document/ContentVersion.h"
#include "files/DistributionPayload.h"
#include "files/TreeFile.h"
#include "TreeFileTestSupport.h"

namespace velmora {
namespace {

using testing::Describe;
using testing::kDownArrow;

using namespace std::string_literals;

// A stub whose own bytes hold an option block look-alike: the reader must
// look only at the payload.
const std::string kStub = "MZ stub bytes\0[OPTION]\r\nTitle=from the stub\r\nColor=3\r\n"s;

DocumentState StateWith(std::string title, std::string mark, int colour) {
  DocumentState state;
  state.Title = std::move(title);
  state.NewLineMark = std::move(mark);
  state.Color = colour;
  return state;
}

std::string LittleEndian32(std::uint32_t value) {
  std::string bytes;
  for (int i = 0; i < 4; ++i) bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
  return bytes;
}

void Put32(std::string& bytes, std::size_t offset, std::uint32_t value) {
  bytes.replace(offset, 4, LittleEndian32(value));
}

LoadedDocument Read(const std::string& bytes, const DocumentState& current = DocumentState{}) {
  return ReadDistributionPayload(bytes, testing::Path("C:\\out\\Tool.EXE"), "C:\\out\\Tool.EXE", current);
}

TEST(Payload, GeneratorAppendsTheTreeFileTextAndItsLength) {
  const DecisionTree tree = testing::SampleTree();
  const DocumentState state = StateWith("Printer", "#", 3);
  const std::string bytes = BuildDistributionExecutable(kStub, tree, state);
  const std::string text = BuildTreeText(tree, state);
  EXPECT_EQ(bytes, kStub + text + LittleEndian32(static_cast<std::uint32_t>(text.size())));
  EXPECT_EQ(bytes.size() - kStub.size() - 4, text.size());
}

TEST(Payload, SampleMatchesItsGoldenExecutable) {
  const std::string generated = BuildDistributionExecutable(testing::ReadTestData("sample-stub.bin"),
                                                            testing::SampleTree(), StateWith("  Printer  ", "#", 3));
  EXPECT_EQ(generated, testing::ReadTestData("sample-generated.exe"));
}

TEST(Payload, RoundTripRestoresTreeKindsMarkColourAndFileName) {
  DecisionTree original = testing::SampleTree();
  LoadedDocument document = Read(BuildDistributionExecutable(kStub, original, StateWith("Printer", "#", 3)));
  std::string expected = Describe(original);
  const std::string unset = "[-1]Switch it on";
  expected.replace(expected.find(unset), unset.size(), "[0]Switch it on");
  EXPECT_EQ(Describe(document.tree), expected);
  EXPECT_EQ(document.state.Title, "Printer");  // not the stub's look-alike
  EXPECT_EQ(document.state.NewLineMark, "#");
  EXPECT_EQ(document.state.Color, 3);
  EXPECT_EQ(document.state.CurrentFileName.Utf8(), "C:\\out\\Tool.tre");
  EXPECT_FALSE(document.state.Modified);
}

// The player reads the ends' outcomes and the steps' pictures with their
// words, and no other field, straight from the stored section, and names
// the procedure by its saved form's version; an outcome on a question, or
// one this version does not know, is none.
TEST(Payload, ThePlayerReadsTheFieldsARunShowsAndTheVersion) {
  DecisionTree tree;
  TreeNode* root = tree.AddTopLevel("q", Question);
  const TreeNode* yes = tree.AddChild(root, "yes", Information);
  const TreeNode* no = tree.AddChild(root, "no", Information);
  const auto fields = [](const char* note, const char* outcome) {
    LaterFields later;
    later.Set(*FieldNamed("note"), note);
    later.Set(*FieldNamed("outcome"), outcome);
    return later;
  };
  tree.SetLater(*root, fields("n", "resolved"));
  tree.SetLater(*yes, fields("1.outcome=contact", "contact"));
  LaterFields withPicture = fields("", "later-value");
  withPicture.Set(*FieldNamed("picture"), "iVBORw0KGgo=");
  withPicture.Set(*FieldNamed("alt"), "2.alt=tray");
  tree.SetLater(*no, withPicture);
  const DocumentState state = StateWith("T", kDownArrow, 1);
  const PayloadSteps read = ReadPayloadStepsOrError(BuildDistributionExecutable(kStub, tree, state), "Tool.exe");
  ASSERT_EQ(read.error, "");
  ASSERT_EQ(read.steps.Size(), 3u);
  EXPECT_EQ(read.steps[0].outcome, Outcome::None);
  EXPECT_EQ(read.steps[1].outcome, Outcome::Contact);
  EXPECT_EQ(read.steps[2].outcome, Outcome::None);
  EXPECT_EQ(read.steps[2].picture, "iVBORw0KGgo=");
  EXPECT_EQ(read.steps[2].alt, "2.alt=tray");
  EXPECT_EQ(read.steps[0].picture, "");
  EXPECT_EQ(read.steps[1].alt, "");
  EXPECT_EQ(read.version, ContentVersion(BuildTreeText(tree, state)));
}

TEST(Payload, TitleComesBackTrimmedAndWithoutOneEnclosingQuotePair) {
  const DecisionTree tree = testing::NewDocumentTree();
  EXPECT_EQ(Read(BuildDistributionExecutable(kStub, tree, StateWith("  a b  ", kDownArrow, 1))).state.Title, "a b");
  EXPECT_EQ(Read(BuildDistributionExecutable(kStub, tree, StateWith("\"q\"", kDownArrow, 1))).state.Title, "q");
  EXPECT_EQ(Read(BuildDistributionExecutable(kStub, tree, StateWith("'x' and 'y'", kDownArrow, 1))).state.Title,
            "x' and 'y");
  const LoadedDocument none = Read(BuildDistributionExecutable(kStub, tree, StateWith("", kDownArrow, 0)));
  EXPECT_EQ(none.state.Color, 0);
}

TEST(Payload, OneNodeTreeAndOptionLookAlikesInTheTree) {
  DecisionTree tree;
  tree.AddTopLevel("only", Information);
  LoadedDocument document = Read(BuildDistributionExecutable(kStub, tree, StateWith("T", kDownArrow, 2)));
  EXPECT_EQ(Describe(document.tree), "[1]only\n");

  DecisionTree lookAlike;
  TreeNode* root = lookAlike.AddTopLevel("r", Question);
  lookAlike.AddChild(root, "[OPTION]", Unset);
  lookAlike.AddChild(root, "Title=fake", Unset);
  document = Read(BuildDistributionExecutable(kStub, lookAlike, StateWith("real", kDownArrow, 2)));
  EXPECT_EQ(document.state.Title, "real");
  EXPECT_EQ(Describe(document.tree), "[0]r\n\t[1][OPTION]\n\t[1]Title=fake\n");
}

TEST(Payload, LayoutWithoutOptionBlock) {
  // Tree lines, then a mark line and a title line, then the trailer.
  const std::string payload = "? r\r\n\ti a\r\n#\r\nMy title\r\n";
  const std::string bytes = kStub + payload + LittleEndian32(static_cast<std::uint32_t>(payload.size()));
  const LoadedDocument document = Read(bytes, StateWith("old", "/", 2));
  EXPECT_EQ(Describe(document.tree), "[0]r\n\t[1]a\n");
  EXPECT_EQ(document.state.Title, "My title");
  EXPECT_EQ(document.state.NewLineMark, "#");
  EXPECT_EQ(document.state.Color, 2);

  // A title holding "=" is taken for an option block that is not there:
  // the defaults apply and the two lines go as trailing root-level lines.
  const std::string equals = "? r\r\n\ti a\r\n#\r\na=b\r\n";
  const LoadedDocument misread = Read(kStub + equals + LittleEndian32(static_cast<std::uint32_t>(equals.size())));
  EXPECT_EQ(Describe(misread.tree), "[0]r\n\t[1]a\n");
  EXPECT_EQ(misread.state.Title, "");
  EXPECT_EQ(misread.state.NewLineMark, kDownArrow);
  EXPECT_EQ(misread.state.Color, 1);
}

TEST(Payload, DamagedFilesAreRefused) {
  const std::string path = "C:\\out\\Tool.EXE";
  const std::string good = BuildDistributionExecutable(kStub, testing::SampleTree(), StateWith("", kDownArrow, 1));
  EXPECT_EQ(testing::ErrorOf([] { Read("abc"); }), StreamReadErrorMessage());
  EXPECT_EQ(testing::ErrorOf([] { Read(""); }), StreamReadErrorMessage());
  EXPECT_EQ(testing::ErrorOf([] { Read(kStub + LittleEndian32(0)); }), NoProcedureMessage(path));
  EXPECT_EQ(testing::ErrorOf([] { Read(LittleEndian32(1)); }), NoProcedureMessage(path));
  EXPECT_EQ(testing::ErrorOf([&] { Read(good.substr(0, good.size() - 1)); }), NoProcedureMessage(path));
  EXPECT_EQ(testing::ErrorOf([] { Read("ab" + LittleEndian32(2)); }), NoProcedureMessage(path));
  // Mark and title lines but no tree before them.
  EXPECT_EQ(testing::ErrorOf([] { Read("#\r\nT\r\n" + LittleEndian32(6)); }), NoProcedureMessage(path));
  const std::string deep = "r\r\n\t\tx\r\n[OPTION]\r\n";
  EXPECT_EQ(testing::ErrorOf([&] { Read(deep + LittleEndian32(static_cast<std::uint32_t>(deep.size()))); }),
            InvalidLevelMessage(2, "x"));
}

// The player reads without exceptions and without a tree: the steps form
// gives the same texts the editor's form throws, and a good file reads as
// the same nodes either way.
TEST(Payload, ValueFormReportsWhatTheThrowingFormThrows) {
  const std::string deep = "r\r\n\t\tx\r\n[OPTION]\r\n";
  const std::string damaged[] = {"abc", "", kStub + LittleEndian32(0), "ab" + LittleEndian32(2),
                                  "#\r\nT\r\n" + LittleEndian32(6),
                                  deep + LittleEndian32(static_cast<std::uint32_t>(deep.size()))};
  for (const std::string& bytes : damaged) {
    const PayloadSteps read = ReadPayloadStepsOrError(bytes, "C:\\out\\Tool.EXE");
    EXPECT_FALSE(read.error.empty());
    EXPECT_EQ(read.error, testing::ErrorOf([&] { Read(bytes); }));
  }
  const std::string good = BuildDistributionExecutable(kStub, testing::SampleTree(), StateWith("T", kDownArrow, 3));
  const PayloadSteps read = ReadPayloadStepsOrError(good, "C:\\out\\Tool.EXE");
  EXPECT_EQ(read.error, "");
  EXPECT_EQ(Describe(read.steps), Describe(Read(good).tree));
  EXPECT_EQ(read.state.Title, "T");
  EXPECT_EQ(read.state.Color, 3);
}

// A minimal PE image: headers, one section of raw data ending at 0x400.
std::string PeStub(bool pe32Plus) {
  std::string stub(0x400, '\0');
  stub[0] = 'M';
  stub[1] = 'Z';
  Put32(stub, 0x3C, 0x40);
  stub.replace(0x40, 4, std::string("PE\0\0", 4));
  const std::size_t optionalSize = pe32Plus ? 240 : 224;
  stub[0x46] = 1;  // one section
  stub[0x54] = static_cast<char>(optionalSize & 0xFF);
  const std::size_t optional = 0x58;
  stub[optional] = 0x0B;
  stub[optional + 1] = pe32Plus ? 0x02 : 0x01;
  Put32(stub, optional + (pe32Plus ? 108 : 92), 16);
  const std::size_t section = optional + optionalSize;
  Put32(stub, section + 16, 0x200);  // SizeOfRawData
  Put32(stub, section + 20, 0x200);  // PointerToRawData
  return stub;
}

std::size_t SecurityDirectoryOffset(bool pe32Plus) { return 0x58 + (pe32Plus ? 112 : 96) + 4 * 8; }

// What code signing does: zero padding to 8 bytes, the certificate table,
// and the security directory pointing at it.
std::string Signed(std::string file, bool pe32Plus) {
  file.append((8 - file.size() % 8) % 8, '\0');
  const std::size_t table = file.size();
  file += std::string(24, '\x5A');
  Put32(file, SecurityDirectoryOffset(pe32Plus), static_cast<std::uint32_t>(table));
  Put32(file, SecurityDirectoryOffset(pe32Plus) + 4, 24);
  return file;
}

TEST(Payload, SignedExecutablesAreReadThroughTheirCertificateTable) {
  for (bool pe32Plus : {false, true}) {
    // Titles of every length modulo 8 give every amount of padding.
    for (std::size_t length = 0; length < 8; ++length) {
      const std::string title(length, 't');
      const std::string unsignedFile =
          BuildDistributionExecutable(PeStub(pe32Plus), testing::SampleTree(), StateWith(title, "#", 2));
      const LoadedDocument document = Read(Signed(unsignedFile, pe32Plus));
      EXPECT_EQ(document.state.Title, title);
      EXPECT_EQ(document.state.Color, 2);
      EXPECT_EQ(document.tree.Count(), 7u);
    }
  }
}

TEST(Payload, StubWithSymbolsEndsAfterItsSymbolTable) {
  // An unstripped stub: COFF symbols (2 of 18 bytes) and a string table of
  // 10 bytes follow the sections.
  std::string stub = PeStub(false);
  Put32(stub, 0x40 + 12, static_cast<std::uint32_t>(stub.size()));
  Put32(stub, 0x40 + 16, 2);
  stub += std::string(36, 'y') + LittleEndian32(10) + std::string(6, 's');
  const std::string file = BuildDistributionExecutable(stub, testing::SampleTree(), StateWith("sym", "#", 1));
  EXPECT_EQ(Read(Signed(file, false)).state.Title, "sym");
}

// A generated file signed by osslsigncode with a throwaway self-signed
// certificate (stub: a one-section PE image; title "Signed procedure").
TEST(Payload, FileSignedByARealSigningTool) {
  LoadedDocument document = Read(testing::ReadTestData("signed-by-osslsigncode.exe"));
  EXPECT_EQ(Describe(document.tree), "[0]Signed?\n\t[1]Yes\n\t[3]No\n");
  EXPECT_EQ(document.state.Title, "Signed procedure");
  EXPECT_EQ(document.state.Color, 2);
}

TEST(Payload, CertificateTableThatDoesNotEndTheFileIsIgnored) {
  // A stub that was itself signed before the payload was appended.
  std::string stub = PeStub(false);
  Put32(stub, SecurityDirectoryOffset(false), 0x300);
  Put32(stub, SecurityDirectoryOffset(false) + 4, 0x100);
  const std::string file = BuildDistributionExecutable(stub, testing::SampleTree(), StateWith("T", "#", 2));
  EXPECT_EQ(PayloadEnd(file), file.size());
  EXPECT_EQ(Read(file).state.Title, "T");
  // A signature table that matches no trailer leaves the file unreadable.
  std::string broken = Signed(file, false);
  Put32(broken, broken.size() - 24 - 4 - (8 - file.size() % 8) % 8, 0x7FFFFFFF);
  EXPECT_EQ(testing::ErrorOf([&] { Read(broken); }), NoProcedureMessage("C:\\out\\Tool.EXE"));
}

}  // namespace
}  // namespace velmora
