#pragma once
// The user-facing texts of the file layer (CP932). The platform layers
// supply only the system's reason text; the sentences are built here so the
// editor, the player and the command-line tool all say the same thing.

#include <cstddef>
#include <string>
#include <string_view>

namespace velmora {

// A message quotes at most this many bytes of a line read from a file: a
// line may be megabytes long, and a message box (or a terminal) that has to
// show it all stops answering. A message box does not break a word, so the
// limit also keeps a quote without blanks narrower than the screen.
inline constexpr std::size_t kQuoteLimit = 128;
// `text` as a message quotes it: whole up to kQuoteLimit bytes, otherwise
// cut at the last CP932 character boundary within the limit and ended with
// "…".
std::string QuotedLine(std::string_view text);

// "ファイル "<path>" は開けません。<reason>"
std::string CannotOpenMessage(std::string_view path, std::string_view reason);
// "ファイル "<path>" を作成できません。<reason>"
std::string CannotCreateMessage(std::string_view path, std::string_view reason);
// "アイテム "<text>" の階層 (<level>) が不正です", the text as QuotedLine
// gives it.
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
// "ファイル "<path>" の <line> 行目の NUL 文字で読み込みを止めました。それより
// 後は読み込まれていないため、保存するとその部分は失われます。": the notice
// after an open that stopped at a NUL byte (`line` counts from 1).
std::string StoppedAtNulNotice(std::string_view path, std::size_t line);
// "ファイル "<path>" は Windows の実行ファイルではありません。": a player stub
// without a valid executable header.
std::string NotAnExecutableMessage(std::string_view path);

// The system's reason texts end in a line break (and sometimes blanks);
// the messages put them at the end of a sentence, so those go.
std::string TrimReasonText(std::string_view reason);

}  // namespace velmora
