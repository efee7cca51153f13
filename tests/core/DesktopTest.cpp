// The desktop commands over fake ports: where a shortcut goes and what it
// says, the help file's path, the About text and its background's colours.
#include <gtest/gtest.h>

#include <deque>
#include <map>
#include <vector>

#include "AppTestSupport.h"
#include "desktop/HelpMenu.h"
#include "desktop/MakerFacts.h"
#include "desktop/Shortcuts.h"
#include "document/Errors.h"

namespace velmora {
namespace {

// The desktop commands' ports: the one fake of the dialogs (Yes to every
// question) and of the shell.
struct FakeDesktop {
  FakeDesktop() { dialogs.messages.standingAnswer = message_box::kAnswerYes; }
  DesktopPorts Ports() { return {dialogs, shell, shell, shell, dialogs}; }
  testing::FakeDialogs dialogs;
  testing::FakeShell shell;
};

ProgramFacts Program() {
  ProgramFacts program;
  program.productTitle = "Velmora";
  program.productTitleName = FilePath::FromUtf8("Velmora");
  program.path = FilePath::FromUtf8("C:\\Tools\\VelmoraEditor.exe");
  // A recognisable stand-in for the platform's conversion.
  program.displayText = [](const FilePath& path) { return "<" + path.Utf8() + ">"; };
  return program;
}

struct PlaceCase {
  const ShortcutPlace* place;
  std::string valueName;
  ShellFolder folder;
};

class ShortcutPlaces : public ::testing::TestWithParam<PlaceCase> {};

TEST_P(ShortcutPlaces, EachRowReadsItsOwnValueAndFallsBackToItsOwnFolder) {
  const PlaceCase& row = GetParam();
  EXPECT_EQ(row.place->valueName, row.valueName);
  FakeDesktop desktop;
  desktop.shell.values[row.valueName] = "C:\\Users\\ito\\From registry";
  desktop.shell.knownFolders[row.folder] = "C:\\Users\\ito\\From shell";
  EXPECT_EQ(ShortcutFolder(desktop.shell, *row.place)->Utf8(), "C:\\Users\\ito\\From registry");
  desktop.shell.values.clear();
  EXPECT_EQ(ShortcutFolder(desktop.shell, *row.place)->Utf8(), "C:\\Users\\ito\\From shell");
}

INSTANTIATE_TEST_SUITE_P(Table, ShortcutPlaces,
                         ::testing::Values(PlaceCase{&kDesktopShortcut, "Desktop", ShellFolder::Desktop},
                                           PlaceCase{&kStartupShortcut, "Startup", ShellFolder::Startup},
                                           PlaceCase{&kStartMenuShortcut, "Programs", ShellFolder::Programs}));

TEST(ShortcutFolder, AnEmptyValueCountsAsMissingAndNoFolderAtAllIsNone) {
  FakeDesktop desktop;
  desktop.shell.values["Desktop"] = "";
  desktop.shell.knownFolders[ShellFolder::Desktop] = "D:\\Desk";
  EXPECT_EQ(ShortcutFolder(desktop.shell, kDesktopShortcut)->Utf8(), "D:\\Desk");
  desktop.shell.knownFolders[ShellFolder::Desktop] = "";
  EXPECT_FALSE(ShortcutFolder(desktop.shell, kDesktopShortcut).has_value());
  desktop.shell.knownFolders.clear();
  EXPECT_FALSE(ShortcutFolder(desktop.shell, kDesktopShortcut).has_value());
}

TEST(ShortcutLinkPath, NamedAfterTheTitleWithOneSeparator) {
  const FilePath title = FilePath::FromUtf8("Velmora");
  EXPECT_EQ(ShortcutLinkPath(FilePath::FromUtf8("C:\\Users\\ito\\Desktop"), title).Utf8(),
            "C:\\Users\\ito\\Desktop\\Velmora.Lnk");
  EXPECT_EQ(ShortcutLinkPath(FilePath::FromUtf8("E:\\"), title).Utf8(), "E:\\Velmora.Lnk");
}

TEST(CreateShortcut, AsksThenSavesALinkToTheProgramAndSaysWhere) {
  FakeDesktop desktop;
  desktop.shell.values["Startup"] = "C:\\Users\\ito\\Startup";
  DesktopPorts ports = desktop.Ports();
  CreateShortcut(kStartupShortcut, ports, Program());

  ASSERT_EQ(desktop.shell.shortcuts.size(), 1u);
  EXPECT_EQ(desktop.shell.shortcuts[0].first, "C:\\Users\\ito\\Startup\\Velmora.Lnk");
  EXPECT_EQ(desktop.shell.shortcuts[0].second, "C:\\Tools\\VelmoraEditor.exe");
  ASSERT_EQ(desktop.dialogs.messages.shown.size(), 2u);
  EXPECT_EQ(desktop.dialogs.messages.shown[0].text, kStartupShortcut.question);
  EXPECT_EQ(desktop.dialogs.messages.shown[0].caption, "\x8a\x6d\x94\x46");  // 確認
  EXPECT_EQ(desktop.dialogs.messages.shown[0].flags, 0x24u);
  // "<path> に登録しました。", captioned with the title, one OK button.
  EXPECT_EQ(desktop.dialogs.messages.shown[1].text,
            "<C:\\Users\\ito\\Startup\\Velmora.Lnk> \x82\xc9\x93\x6f\x98\x5e\x82\xb5\x82\xdc\x82\xb5\x82\xbd\x81\x42");
  EXPECT_EQ(desktop.dialogs.messages.shown[1].caption, "Velmora");
  EXPECT_EQ(desktop.dialogs.messages.shown[1].flags, 0u);
}

TEST(CreateShortcut, AnythingButYesSavesNothing) {
  for (int answer : {message_box::kAnswerNo, message_box::kAnswerCancel}) {
    FakeDesktop desktop;
    desktop.dialogs.messages.standingAnswer = answer;
    desktop.shell.values["Desktop"] = "C:\\Desk";
    DesktopPorts ports = desktop.Ports();
    CreateShortcut(kDesktopShortcut, ports, Program());
    EXPECT_TRUE(desktop.shell.shortcuts.empty());
    EXPECT_EQ(desktop.dialogs.messages.shown.size(), 1u);
  }
}

TEST(CreateShortcut, WithoutAFolderItSaysSoInsteadOfWritingToADriveRoot) {
  FakeDesktop desktop;
  DesktopPorts ports = desktop.Ports();
  try {
    CreateShortcut(kStartMenuShortcut, ports, Program());
    FAIL() << "no error";
  } catch (const VelmoraError& error) {
    // "スタートメニューのプログラムのフォルダーが見つからないため、…"
    EXPECT_EQ(std::string(error.what()), NoShortcutFolderMessage(kStartMenuShortcut));
    EXPECT_EQ(std::string(error.what()).rfind(kStartMenuShortcut.placeName, 0), 0u);
  }
  EXPECT_TRUE(desktop.shell.shortcuts.empty());
  EXPECT_EQ(desktop.dialogs.messages.shown.size(), 1u);  // only the question
}

TEST(HelpMenu, HelpFileAndHomePageGoToTheShell) {
  FakeDesktop desktop;
  OpenHelpFile(desktop.shell, FilePath::FromUtf8("C:\\Tools\\v1.7\\VelmoraEditor.exe"));
  OpenHelpFile(desktop.shell, FilePath::FromUtf8("C:\\Tools\\Velmora"));
  OpenHomePage(desktop.shell);
  EXPECT_EQ(desktop.shell.opened, (std::vector<std::string>{"C:\\Tools\\v1.7\\VelmoraEditor.chm",
                                                            "C:\\Tools\\Velmora.chm", std::string(kHomePageUrl)}));
}

TEST(HelpMenu, AboutTextIsComposedLineByLine) {
  EXPECT_EQ(AboutText("Velmora", "C:\\Tools\\Velmora.exe"),
            "Velmora V1.7\r\nC:\\Tools\\Velmora.exe\r\n\r\n" + std::string(kRightsNotice) + "\r\n" +
                std::string(kContactAddress) + "\r\n" + std::string(kHomePageUrl));
  const AboutBoxInput input = AboutBoxFor("Velmora", "x");
  EXPECT_EQ(input.caption, "\x83\x6f\x81\x5b\x83\x57\x83\x87\x83\x93\x8f\xee\x95\xf1");  // バージョン情報
  EXPECT_EQ(input.okCaption, "&OK");
  EXPECT_EQ(input.homePageCaption, "&HomePage");
}

TEST(HelpMenu, OnlyTheHomePageButtonOpensTheHomePage) {
  for (AboutBoxChoice choice : {AboutBoxChoice::Ok, AboutBoxChoice::HomePage}) {
    FakeDesktop desktop;
    desktop.dialogs.aboutChoice = choice;
    DesktopPorts ports = desktop.Ports();
    ShowAboutBox(ports, Program());
    ASSERT_EQ(desktop.dialogs.aboutBoxes.size(), 1u);
    EXPECT_NE(desktop.dialogs.aboutBoxes[0].text.find("\r\n<C:\\Tools\\VelmoraEditor.exe>\r\n"), std::string::npos);
    EXPECT_EQ(desktop.shell.opened.size(), choice == AboutBoxChoice::HomePage ? 1u : 0u);
  }
}

TEST(AboutGradient, OddValuesRunAcrossEvenValuesDown) {
  EXPECT_TRUE(AboutGradientFor(1).horizontal);
  EXPECT_TRUE(AboutGradientFor(0xFFFFFD).horizontal);
  EXPECT_FALSE(AboutGradientFor(0).horizontal);
  EXPECT_FALSE(AboutGradientFor(0x123456).horizontal);
  EXPECT_EQ(AboutGradientFor(0x123456).endColour, 0x123456u);
}

TEST(AboutGradient, FifteenBitDrawsStillReachEveryByteButNeverWhite) {
  std::deque<int> draws;
  const auto draw = [&draws] {
    const int value = draws.front();
    draws.pop_front();
    return value;
  };
  // Two 15-bit draws make one value: 510 * 32768 + 32767 is 0xFF7FFF.
  draws = {510, 32767};
  EXPECT_EQ(DrawAboutColour(draw, 32767), 0xFF7FFFu);
  // 511 * 32768 + 32767 would be white itself.
  draws = {511, 32767};
  EXPECT_EQ(DrawAboutColour(draw, 32767), 0u);
  // A 31-bit generator needs one draw.
  draws = {0x7FFFFFFF};
  EXPECT_EQ(DrawAboutColour(draw, 0x7FFFFFFF), 0x7FFFFFFFu % 0xFFFFFFu);
  EXPECT_TRUE(draws.empty());
}

}  // namespace
}  // namespace velmora
