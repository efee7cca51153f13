#pragma once
// The editor's file behaviour without a window: a file is opened exactly as
// the editor's open does it, and written exactly as Save or Generate write.

#include <string>

#include "files/FileSystemPort.h"
#include "files/TreeFile.h"

namespace velmora::cli {

// The state of a freshly started editor without a settings file.
DocumentState FreshEditorState();

// Chooses the reader by the extension (".tre" or ".exe" in any letter case)
// and restores the node kinds. Other extensions get the editor's refusal; a
// file with a NUL byte is refused naming its line, where the editor would
// open what comes before it with a notice.
LoadedDocument OpenLikeEditor(FileSystemPort& fs, const FilePath& path);
// The same reading into a list of steps, for a command that needs no tree.
LoadedSteps OpenStepsLikeEditor(FileSystemPort& fs, const FilePath& path);

// OpenLikeEditor for a command, whose process ends with it: the document is
// never freed, so a tree of a million nodes is left to the system at the
// exit instead of being taken apart node by node first.
const LoadedDocument& OpenForCommand(FileSystemPort& fs, const FilePath& path);

// The player stub the editor finds beside itself, and so does the tool.
inline constexpr const char* kDefaultStubName = "Velmora.bin";

// ".tre" as Save writes it, ".exe" as Generate writes it (stub read whole
// from `stubPath`). The output is replaced atomically or not at all.
void WriteLikeEditor(FileSystemPort& fs, const FilePath& path, const LoadedDocument& document,
                     const FilePath& stubPath);
void WriteLikeEditor(FileSystemPort& fs, const FilePath& path, const LoadedSteps& document, const FilePath& stubPath);
// The same with the player's bytes at hand (an executable written over
// keeps its own).
void WriteLikeEditorWithStub(FileSystemPort& fs, const FilePath& path, const LoadedDocument& document,
                             std::string_view stub);

}  // namespace velmora::cli
