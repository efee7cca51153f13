// TForm1: shortcuts to the program, help, the About box and the home page.
#include "app/win32/Unit1.h"

#include "app/win32/CommandIds.h"
#include "desktop/HelpMenu.h"
#include "desktop/Shortcuts.h"
#include "desktop/win32/AboutDialog.h"
#include "win32/WideText.h"
#include "win32/ProgramPath.h"
#include "desktop/win32/Win32ShellFolders.h"
#include "desktop/win32/Win32ShellOpen.h"
#include "desktop/win32/Win32ShortcutWriter.h"
#include "win32/WideText.h"

namespace velmora::win32 {

void TForm1::RunDesktopCommand(const std::function<void(DesktopPorts&, const ProgramFacts&)>& command) {
  // The dialogs and the shell calls are owned by the main window.
  Win32ShellFolders folders;
  Win32ShortcutWriter shortcuts;
  Win32ShellOpen shell(hwnd_);
  Win32AboutDialog about(hwnd_, LoadIconW(instance_, MAKEINTRESOURCEW(IDI_VELMORA)));
  DesktopPorts ports{*messageBoxes_, folders, shortcuts, shellOpen_ != nullptr ? *shellOpen_ : shell, about};
  // The program as it runs now: a shortcut points at its path at the time
  // it is made.
  ProgramFacts program;
  program.productTitle = productTitle_;
  program.productTitleName = FromWidePath(ToWide(productTitle_));
  program.path = FromWidePath(OwnProgramPath());
  program.displayText = &PathDisplayText;
  command(ports, program);
}

void TForm1::DeskTop1Click() {
  RunDesktopCommand([](DesktopPorts& ports, const ProgramFacts& program) {
    CreateShortcut(kDesktopShortcut, ports, program);
  });
}

void TForm1::StartUp1Click() {
  RunDesktopCommand([](DesktopPorts& ports, const ProgramFacts& program) {
    CreateShortcut(kStartupShortcut, ports, program);
  });
}

void TForm1::StartMenu1Click() {
  RunDesktopCommand([](DesktopPorts& ports, const ProgramFacts& program) {
    CreateShortcut(kStartMenuShortcut, ports, program);
  });
}

void TForm1::H1Click() {
  RunDesktopCommand([](DesktopPorts& ports, const ProgramFacts& program) { OpenHelpFile(ports.shell, program.path); });
}

void TForm1::About1Click() {
  RunDesktopCommand([](DesktopPorts& ports, const ProgramFacts& program) { ShowAboutBox(ports, program); });
}

void TForm1::Site1Click() {
  RunDesktopCommand([](DesktopPorts& ports, const ProgramFacts&) { OpenHomePage(ports.shell); });
}

}  // namespace velmora::win32
