#include "app/SettingsFile.h"

#include <exception>
#include <optional>

#include "document/Errors.h"
#include "document/TextRules.h"

namespace velmora {

const char kSettingsProgramVersion[] = "V1.7";

namespace {

constexpr char kProgram[] = "PROGRAM";
constexpr char kPosition[] = "POSITION";
constexpr char kOption[] = "OPTION";
constexpr char kHistory[] = "HISTORY";

std::string HistoryKey(int n) { return "File" + std::to_string(n); }

// The record as read, each key falling back on its own. A missing normal
// rectangle gives the window at its laid-out size, centred on the screen.
WindowPlacement ReadPlacement(const IniDocument& ini, const WindowPlacement& current, PixelSize window,
                              PixelSize screen) {
  WindowPlacement read = current;
  read.flags = ini.ReadInteger(kPosition, "Flags", current.flags);
  read.showCmd = ini.ReadInteger(kPosition, "ShowCmd", current.showCmd);
  read.maxX = ini.ReadInteger(kPosition, "MaxX", current.maxX);
  read.maxY = ini.ReadInteger(kPosition, "MaxY", current.maxY);
  read.normal.top = ini.ReadInteger(kPosition, "Top", (screen.height - window.height) / 2);
  read.normal.left = ini.ReadInteger(kPosition, "Left", (screen.width - window.width) / 2);
  read.normal.right = ini.ReadInteger(kPosition, "Right", read.normal.left + window.width);
  read.normal.bottom = ini.ReadInteger(kPosition, "Bottom", read.normal.top + window.height);
  return read;
}

void RestorePlacement(const IniDocument& ini, WindowPlacementPort& window) {
  const PixelSize size = window.WindowSize();
  WindowPlacement placement = ReadPlacement(ini, window.Placement(), size, window.ScreenSize());
  placement.normal = ReachableRect(placement.normal, window.NearestWorkArea(placement.normal), size);
  if (window.Showing()) {
    window.SetPlacement(placement);
    return;
  }
  // Positioned without being shown: the first show decides the state.
  placement.showCmd = 0;
  window.SetPlacement(placement);
  const int state = ini.ReadInteger(kPosition, "State", static_cast<int>(window.State()));
  window.SetState(WindowStateFromNumber(state));
}

void RestoreOptions(const IniDocument& ini, Editor& editor, FileSystemPort& files, const FilePath& programFolder) {
  const std::optional<std::string> initialDir = ini.ReadString(kOption, "InitialDir");
  editor.InitialDir = initialDir ? files.FromCp932(*initialDir) : programFolder;
  Options& options = editor.Settings();
  options.CloseQuery = ini.ReadBool(kOption, "CloseQuery", false);
  options.SaveStatus = ini.ReadBool(kOption, "SaveStatus", false);
  editor.State().NewLineMark = ini.ReadString(kOption, "NewLineMark", DefaultNewLineMark);
  options.ShowButtons = ini.ReadBool(kOption, "ShowButtons", false);
}

// File existence plays no part here: a file that is gone is skipped when
// its item is chosen.
void RestoreHistory(const IniDocument& ini, RecentFiles& recentFiles, FileSystemPort& files) {
  for (int n = 1; n <= HistorySize; ++n) {
    const std::string value = ini.ReadString(kHistory, HistoryKey(n), "");
    recentFiles.SetSlot(n, value.empty() ? FilePath() : files.FromCp932(value));
  }
}

void WritePlacement(IniDocument& ini, WindowPlacementPort& window) {
  const WindowPlacement placement = window.Placement();
  ini.WriteInteger(kPosition, "Flags", placement.flags);
  ini.WriteInteger(kPosition, "ShowCmd", placement.showCmd);
  ini.WriteInteger(kPosition, "MaxX", placement.maxX);
  ini.WriteInteger(kPosition, "MaxY", placement.maxY);
  ini.WriteInteger(kPosition, "Left", placement.normal.left);
  ini.WriteInteger(kPosition, "Top", placement.normal.top);
  ini.WriteInteger(kPosition, "Right", placement.normal.right);
  ini.WriteInteger(kPosition, "Bottom", placement.normal.bottom);
  ini.WriteInteger(kPosition, "State", static_cast<int>(window.State()));
}

void WriteOptions(IniDocument& ini, const Editor& editor, FileSystemPort& files) {
  if (const std::optional<std::string> initialDir = files.ExactCp932(editor.InitialDir)) {
    ini.WriteString(kOption, "InitialDir", *initialDir);
  }
  const Options& options = editor.Settings();
  ini.WriteBool(kOption, "CloseQuery", options.CloseQuery);
  ini.WriteBool(kOption, "SaveStatus", options.SaveStatus);
  ini.WriteString(kOption, "NewLineMark", editor.State().NewLineMark);
  ini.WriteBool(kOption, "ShowButtons", options.ShowButtons);
}

void WriteHistory(IniDocument& ini, const RecentFiles& recentFiles, FileSystemPort& files) {
  for (int n = 1; n <= HistorySize; ++n) {
    const FilePath& path = recentFiles.Slot(n);
    if (path.Empty()) continue;
    if (const std::optional<std::string> stored = files.ExactCp932(path)) {
      ini.WriteString(kHistory, HistoryKey(n), *stored);
    }
  }
}

// As the general error report shows an error, but without its appended full
// stop: the file messages end in the system's reason, which (in Japanese)
// brings its own "。", and the report's rule would add a "." after it.
void Report(MessageBoxPort& messages, const VelmoraError& error, const std::string& caption) {
  messages.ShowMessage(error.what(), caption, message_box::kOk | message_box::kIconStop);
}

}  // namespace

SettingsFile::SettingsFile(const FilePath& program, FileSystemPort& files)
    : program_(program), path_(program.WithExtension(".ini")), files_(files) {}

bool SettingsFile::ReadCurrent(IniDocument& document, MessageBoxPort& messages, const std::string& caption) {
  document = IniDocument();
  if (!files_.FileExists(path_)) return true;
  try {
    document = IniDocument::Parse(files_.ReadWholeFile(path_));
    return true;
  } catch (const VelmoraError& error) {
    Report(messages, error, caption);
    return false;
  }
}

void SettingsFile::Load(MainWindowState& state, MessageBoxPort& messages, const std::string& caption) {
  IniDocument ini;
  ReadCurrent(ini, messages, caption);
  RestorePlacement(ini, state.window);
  RestoreOptions(ini, state.editor, files_, program_.Folder());
  RestoreHistory(ini, state.recentFiles, files_);
}

// "Name" and "Path" are never read back; they tell a reader of the file
// which program wrote it, so they are written even when CP932 can show the
// program's path only with "?".
void SettingsFile::WriteProgram(IniDocument& ini) {
  ini.WriteString(kProgram, "Name", files_.DisplayText(program_.FileName()));
  ini.WriteString(kProgram, "Path", files_.DisplayText(program_.Folder()));
  ini.WriteString(kProgram, "Version", kSettingsProgramVersion);
}

void SettingsFile::WriteState(IniDocument& ini, MainWindowState& state) {
  // Recreated rather than updated, so they always stand last, in this order.
  ini.EraseSection(kPosition);
  ini.EraseSection(kOption);
  ini.EraseSection(kHistory);
  if (!state.editor.Settings().SaveStatus) return;
  WritePlacement(ini, state.window);
  WriteOptions(ini, state.editor, files_);
  WriteHistory(ini, state.recentFiles, files_);
}

void SettingsFile::Save(MainWindowState& state, MessageBoxPort& messages, const std::string& caption) {
  IniDocument ini;
  // What cannot be read cannot be carried over: writing would lose it.
  if (!ReadCurrent(ini, messages, caption)) return;
  std::exception_ptr failure;
  try {
    WriteProgram(ini);
    WriteState(ini, state);
  } catch (...) {
    failure = std::current_exception();
  }
  try {
    files_.WriteFileAtomically(path_, ini.Serialize());
  } catch (const VelmoraError& error) {
    Report(messages, error, caption);
  }
  if (failure) std::rethrow_exception(failure);
}

}  // namespace velmora
