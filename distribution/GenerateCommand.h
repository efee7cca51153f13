#pragma once
// Generate: the open document as one executable for end users, the player
// stub followed by the payload, written where the author chooses.
//
// The document itself is left alone: neither CurrentFileName (the title is
// only proposed as the output's name, whatever the dialog's outcome) nor
// Modified nor the recent-file list change. The output is written as one
// step, so a failure leaves no half-written executable behind.

#include <string>

#include "distribution/ShellOpenPort.h"
#include "document/Editor.h"
#include "document/MessageBoxPort.h"
#include "files/FileDialogPort.h"
#include "files/FileSystemPort.h"

namespace velmora {

// " を生成しました。" (an ASCII space first), after the output's path.
inline constexpr const char* kGeneratedTail = " \x82\xf0\x90\xb6\x90\xac\x82\xb5\x82\xdc\x82\xb5\x82\xbd\x81\x42";
// "出力先のフォルダを開きますか？"
inline constexpr const char* kOpenOutputFolderQuestion =
    "\x8f\x6f\x97\xcd\x90\xe6\x82\xcc\x83\x74\x83\x48\x83\x8b\x83\x5f\x82\xf0\x8a\x4a\x82\xab\x82\xdc\x82\xb7\x82\xa9"
    "\x81\x48";

// SaveDialog2, without a proposal yet.
FileDialogRequest SaveDialog2();

struct GeneratePorts {
  FileSystemPort& files;
  MessageBoxPort& messages;
  FileDialogPort& dialogs;
  // Opens the output's folder when the author asks for it.
  ShellOpenPort& shell;
};

// GenerateBtn and Generate1. The stub is the file beside the program named
// like it with ".bin" (`programPath` "C:\tools\Tool.exe" reads
// "C:\tools\Tool.bin"). Message boxes are captioned `caption`. Returns
// whether an executable was written; a missing stub, one that is no Windows
// program, or a failed write raises VelmoraError naming that file, and
// nothing is written.
bool GenerateBtnClick(Editor& editor, const GeneratePorts& ports, const FilePath& programPath,
                      const std::string& caption);

// Tells the author that `output` was written (its path, then `tail`) and
// asks whether to open its folder; any answer but No opens it. Generate and
// the exports end alike.
void TellWrittenAndOfferFolder(const GeneratePorts& ports, const FilePath& output, const std::string& tail,
                               const std::string& caption);

}  // namespace velmora
