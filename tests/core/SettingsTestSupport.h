#pragma once
// What the tests of the settings file and the close sequence share: a window
// that records its placement, message boxes answered from a script (the
// document tests' ScriptedMessages, OK once the script is used up), and an
// in-memory file system in which a path with "é" cannot be held in CP932
// (as on a Western Windows).

#include <deque>
#include <string>
#include <vector>

#include "DocumentTestSupport.h"
#include "TreeFileTestSupport.h"
#include "app/RecentFiles.h"
#include "app/SettingsFile.h"
#include "app/WindowPlacement.h"
#include "document/Editor.h"
#include "document/MessageBoxPort.h"

namespace velmora::testing {

// The window as the fresh main window is: hidden, at its laid-out size.
class FakeWindow : public WindowPlacementPort {
 public:
  WindowPlacement placement{0, 1, -1, -1, {329, 230, 801, 702}};
  bool showing = false;
  WindowState state = WindowState::Normal;
  PixelSize size{472, 472};
  PixelSize screen{1280, 1024};
  PlacementRect workArea{0, 0, 1280, 1024};
  std::vector<WindowPlacement> applied;

  WindowPlacement Placement() override { return placement; }
  void SetPlacement(const WindowPlacement& record) override {
    placement = record;
    applied.push_back(record);
  }
  bool Showing() override { return showing; }
  WindowState State() override { return state; }
  void SetState(WindowState value) override { state = value; }
  PixelSize WindowSize() override { return size; }
  PixelSize ScreenSize() override { return screen; }
  PlacementRect NearestWorkArea(const PlacementRect&) override { return workArea; }
};

// Every question the script leaves unanswered gets OK, which is neither
// Yes nor No: a close asked that way does not go on.
struct CloseAnswers : ScriptedMessages {
  CloseAnswers() { standingAnswer = message_box::kAnswerOk; }
};

// "é" in UTF-8: CP932 has no such character.
inline const std::string kUnholdable = "\xc3\xa9";

class SettingsFileSystem : public MemoryFileSystem {
 public:
  // Paths whose file exists but cannot be read (locked, no permission).
  std::vector<std::string> unreadable;

  std::string ReadWholeFile(const FilePath& path) override {
    for (const std::string& locked : unreadable) {
      if (locked == path.Utf8()) throw VelmoraError(CannotOpenMessage(path.Utf8(), "Access is denied"));
    }
    return MemoryFileSystem::ReadWholeFile(path);
  }
  bool FileExists(const FilePath& path) override {
    for (const std::string& locked : unreadable) {
      if (locked == path.Utf8()) return true;
    }
    return MemoryFileSystem::FileExists(path);
  }
  std::string DisplayText(const FilePath& path) override {
    std::string shown = path.Utf8();
    for (std::size_t at = shown.find(kUnholdable); at != std::string::npos; at = shown.find(kUnholdable)) {
      shown.replace(at, kUnholdable.size(), "?");
    }
    return shown;
  }
  std::optional<std::string> ExactCp932(const FilePath& path) override {
    if (path.Utf8().find(kUnholdable) != std::string::npos) return std::nullopt;
    return path.Utf8();
  }
};

// The program the tests run as, and its settings file.
inline const FilePath kProgram = Path("C:\\Tools\\Velmora.exe");
inline const std::string kSettingsPath = "C:\\Tools\\Velmora.ini";

// The parts of a main window that the settings reach.
struct SettingsFixture {
  SettingsFileSystem files;
  NullEditorView view;
  Editor editor{view};
  BytewiseCollation collation;
  RecentFiles recentFiles{collation};
  FakeWindow window;
  MainWindowState state{editor, recentFiles, window};
  SettingsFile settings{kProgram, files};
  CloseAnswers messages;

  void Load() { settings.Load(state, messages, "Velmora"); }
  void Save() { settings.Save(state, messages, "Velmora"); }
  std::string Written() { return files.files[kSettingsPath]; }
};

inline std::string ReadSettingsData(const std::string& name) {
  std::ifstream in(std::string(VELMORA_TEST_DATA) + "/settings/" + name, std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

}  // namespace velmora::testing
