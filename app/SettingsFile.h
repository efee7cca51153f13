#pragma once
// The settings file beside the program (the program's path with ".ini"):
// read once while the main window is created, written once at a close that
// got past both questions. It keeps the program facts always ("PROGRAM"),
// and the window placement, the options and the recent files ("POSITION",
// "OPTION", "HISTORY") only while SaveStatus is on at exit. Sections and
// keys the program does not know survive a write where they stood.
//
// The file is CP932 text. A path CP932 cannot hold (a folder "Procédures"
// on a Western Windows) is used during the run but left out of the file:
// written, it would come back as the path of another file or of none.
//
// Settings never stop the program: a missing file gives the defaults, a
// file that cannot be read gives them too with one message, and a file that
// cannot be written at close is reported and the close goes on.

#include <string>

#include "app/RecentFiles.h"
#include "app/WindowPlacement.h"
#include "document/Editor.h"
#include "document/MessageBoxPort.h"
#include "files/FileSystemPort.h"
#include "files/IniText.h"

namespace velmora {

// What the settings file is read into and written from.
struct MainWindowState {
  Editor& editor;  // the options, InitialDir and the NewLineMark
  RecentFiles& recentFiles;
  WindowPlacementPort& window;
};

// "V1.7": the version the "PROGRAM" section names.
extern const char kSettingsProgramVersion[];

class SettingsFile {
 public:
  // `program` is the running executable's full path.
  SettingsFile(const FilePath& program, FileSystemPort& files);

  const FilePath& Path() const { return path_; }

  // Restores the placement into the still hidden window (its show command
  // set to hidden; "State" becomes the state it will be shown in), then the
  // options, InitialDir, the NewLineMark and the recent files. A file that
  // exists but cannot be read is reported (with `caption`) and the defaults
  // apply.
  void Load(MainWindowState& state, MessageBoxPort& messages, const std::string& caption);

  // Writes "PROGRAM", removes the three state sections and, with
  // SaveStatus on, writes them again from `state`. The file is written also
  // when gathering the values failed partway; that failure is raised after
  // the write. A file that cannot be read or written is reported and left
  // as it was.
  void Save(MainWindowState& state, MessageBoxPort& messages, const std::string& caption);

 private:
  // The file's content; empty when there is none. False (after the report)
  // when it exists but cannot be read.
  bool ReadCurrent(IniDocument& document, MessageBoxPort& messages, const std::string& caption);
  void WriteProgram(IniDocument& document);
  void WriteState(IniDocument& document, MainWindowState& state);

  FilePath program_;
  FilePath path_;
  FileSystemPort& files_;
};

}  // namespace velmora
