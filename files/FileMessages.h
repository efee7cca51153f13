#pragma once
// The user-facing texts of the file layer (CP932). The platform layers
// supply only the system's reason text; the sentences are built here so the
// editor, the player and the command-line tool all say the same thing.

#include <cstddef>
#include <string>
#include <string_view>

namespace velmora {

// "ファイル "<path>" は開けません。<reason>"
std::string CannotOpenMessage(std::string_view path, std::string_view reason);
// "ファイル "<path>" を作成できません。<reason>"
std::string CannotCreateMessage(std::string_view path, std::string_view reason);
// "アイテム "<text>" の階層 (<level>) が不正です"
std::string InvalidLevelMessage(std::size_t level, std::string_view text);
// "ストリームからの読み込みエラー": a file too short to hold a trailer.
std::string StreamReadErrorMessage();
// "ファイル "<path>" には切り分け定義が含まれていません": an empty tree
// file, or an executable whose trailer points at no procedure.
std::string NoProcedureMessage(std::string_view path);
// "切り分け定義が大きすぎます": a procedure beyond what the 32-bit trailer
// of a generated executable can describe.
std::string ProcedureTooLargeMessage();
// "この拡張子のファイルは受け取れません。" CR LF CR LF <file name>
std::string UnsupportedExtensionMessage(std::string_view fileName);

// The system's reason texts end in a line break (and sometimes blanks);
// the messages put them at the end of a sentence, so those go.
std::string TrimReasonText(std::string_view reason);

}  // namespace velmora
