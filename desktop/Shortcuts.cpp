#include "desktop/Shortcuts.h"

#include "document/Errors.h"

namespace velmora {
namespace {

// "確認"
constexpr std::string_view kConfirmCaption = "\x8a\x6d\x94\x46";
// " に登録しました。"
constexpr std::string_view kRegisteredSuffix = "\x20\x82\xc9\x93\x6f\x98\x5e\x82\xb5\x82\xdc\x82\xb5\x82\xbd\x81\x42";
// "のフォルダーが見つからないため、ショートカットを作成できません": no full
// stop, since the general error report appends one.
constexpr std::string_view kNoFolderSuffix =
    "\x82\xcc\x83\x74\x83\x48\x83\x8b\x83\x5f\x81\x5b\x82\xaa\x8c\xa9\x82\xc2\x82\xa9\x82\xe7\x82\xc8\x82\xa2"
    "\x82\xbd\x82\xdf\x81\x41\x83\x56\x83\x87\x81\x5b\x83\x67\x83\x4a\x83\x62\x83\x67\x82\xf0\x8d\xec\x90\xac"
    "\x82\xc5\x82\xab\x82\xdc\x82\xb9\x82\xf1";

// The shortcut file's extension; the shell knows a link by it whatever its
// case.
constexpr std::string_view kLinkExtension = ".Lnk";

}  // namespace

const ShortcutPlace kDesktopShortcut = {
    // "デスクトップに登録しますか？"
    "\x83\x66\x83\x58\x83\x4e\x83\x67\x83\x62\x83\x76\x82\xc9\x93\x6f\x98\x5e\x82\xb5\x82\xdc\x82\xb7\x82\xa9"
    "\x81\x48",
    "Desktop", ShellFolder::Desktop,
    // "デスクトップ"
    "\x83\x66\x83\x58\x83\x4e\x83\x67\x83\x62\x83\x76"};

const ShortcutPlace kStartupShortcut = {
    // "スタートアップに登録しますか？"
    "\x83\x58\x83\x5e\x81\x5b\x83\x67\x83\x41\x83\x62\x83\x76\x82\xc9\x93\x6f\x98\x5e\x82\xb5\x82\xdc\x82\xb7"
    "\x82\xa9\x81\x48",
    "Startup", ShellFolder::Startup,
    // "スタートアップ"
    "\x83\x58\x83\x5e\x81\x5b\x83\x67\x83\x41\x83\x62\x83\x76"};

const ShortcutPlace kStartMenuShortcut = {
    // "スタートメニューのプログラムに登録しますか？"
    "\x83\x58\x83\x5e\x81\x5b\x83\x67\x83\x81\x83\x6a\x83\x85\x81\x5b\x82\xcc\x83\x76\x83\x8d\x83\x4f\x83\x89"
    "\x83\x80\x82\xc9\x93\x6f\x98\x5e\x82\xb5\x82\xdc\x82\xb7\x82\xa9\x81\x48",
    "Programs", ShellFolder::Programs,
    // "スタートメニューのプログラム"
    "\x83\x58\x83\x5e\x81\x5b\x83\x67\x83\x81\x83\x6a\x83\x85\x81\x5b\x82\xcc\x83\x76\x83\x8d\x83\x4f\x83\x89"
    "\x83\x80"};

std::optional<FilePath> ShortcutFolder(ShellFolderPort& folders, const ShortcutPlace& place) {
  // An empty value counts as none: it would put the link at the root of
  // the current drive.
  if (std::optional<FilePath> value = folders.ShellFoldersValue(place.valueName); value && !value->Empty()) {
    return value;
  }
  if (std::optional<FilePath> known = folders.KnownFolder(place.folder); known && !known->Empty()) return known;
  return std::nullopt;
}

FilePath ShortcutLinkPath(const FilePath& folder, const FilePath& productTitleName) {
  std::string name = productTitleName.Utf8();
  name += kLinkExtension;
  return folder.Join(name);
}

void CreateShortcut(const ShortcutPlace& place, DesktopPorts& ports, const ProgramFacts& program) {
  const int answer = ports.messages.ShowMessage(std::string(place.question), ShortcutQuestionCaption(),
                                                message_box::kYesNo | message_box::kIconQuestion);
  if (answer != message_box::kAnswerYes) return;
  const std::optional<FilePath> folder = ShortcutFolder(ports.folders, place);
  if (!folder) throw VelmoraError(NoShortcutFolderMessage(place));
  const FilePath link = ShortcutLinkPath(*folder, program.productTitleName);
  ports.shortcuts.SaveShortcut(link, program.path);
  ports.messages.ShowMessage(ShortcutRegisteredMessage(program.displayText(link)), program.productTitle,
                             message_box::kOk);
}

std::string ShortcutQuestionCaption() { return std::string(kConfirmCaption); }

std::string ShortcutRegisteredMessage(std::string_view linkPathText) {
  std::string text(linkPathText);
  text += kRegisteredSuffix;
  return text;
}

std::string NoShortcutFolderMessage(const ShortcutPlace& place) {
  std::string text(place.placeName);
  text += kNoFolderSuffix;
  return text;
}

}  // namespace velmora
