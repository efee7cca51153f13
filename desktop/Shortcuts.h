#pragma once
// The shortcut submenu: a link to the program itself on the desktop, in the
// Startup folder or in the Start menu's Programs folder.

#include <optional>
#include <string>
#include <string_view>

#include "desktop/DesktopContext.h"

namespace velmora {

// One row of the shortcut table: the question asked first (CP932), the
// "Shell Folders" value naming the folder, the shell's own folder for the
// same place, and the place's name for the message when neither exists.
struct ShortcutPlace {
  std::string_view question;
  std::string_view valueName;
  ShellFolder folder;
  std::string_view placeName;
};

// DeskTop1Click, StartUp1Click and StartMenu1Click.
extern const ShortcutPlace kDesktopShortcut;
extern const ShortcutPlace kStartupShortcut;
extern const ShortcutPlace kStartMenuShortcut;

// The folder that receives the link: the "Shell Folders" value when it is
// there and not empty, else the shell's own folder for the place, else
// none (the link would otherwise land at the root of the current drive).
std::optional<FilePath> ShortcutFolder(ShellFolderPort& folders, const ShortcutPlace& place);

// `folder` + "\" + ProductTitle + ".Lnk".
FilePath ShortcutLinkPath(const FilePath& folder, const FilePath& productTitleName);

// Asks the row's question (caption "確認", Yes/No); on Yes saves the link to
// the program (replacing an earlier one without asking) and says where.
// No folder for the place, or a failed save, raises a VelmoraError, which
// the general error report shows.
void CreateShortcut(const ShortcutPlace& place, DesktopPorts& ports, const ProgramFacts& program);

// The texts, CP932.
std::string ShortcutQuestionCaption();
std::string ShortcutRegisteredMessage(std::string_view linkPathText);
std::string NoShortcutFolderMessage(const ShortcutPlace& place);

}  // namespace velmora
