#include "files/FileMessages.h"

#include "document/Cp932.h"
#include "document/Errors.h"

namespace velmora {
namespace {

// Each text is an array of its own: the linker then drops those a program
// never shows (the player stub shows few of them), where literals behind
// string views would all stay in one shared block.

// "ファイル "
constexpr char kFilePrefix[] = "\x83\x74\x83\x40\x83\x43\x83\x8b\x20\x22";
// "" は開けません。"
constexpr char kCannotOpenSuffix[] = "\x22\x20\x82\xcd\x8a\x4a\x82\xaf\x82\xdc\x82\xb9\x82\xf1\x81\x42";
// "" を作成できません。"
constexpr char kCannotCreateSuffix[] =
    "\x22\x20\x82\xf0\x8d\xec\x90\xac\x82\xc5\x82\xab\x82\xdc\x82\xb9\x82\xf1\x81\x42";
// "アイテム ""
constexpr char kItemPrefix[] = "\x83\x41\x83\x43\x83\x65\x83\x80\x20\x22";
// "" の階層 ("
constexpr char kLevelInfix[] = "\x22\x20\x82\xcc\x8a\x4b\x91\x77\x20\x28";
// ") が不正です"
constexpr char kLevelSuffix[] = "\x29\x20\x82\xaa\x95\x73\x90\xb3\x82\xc5\x82\xb7";
// "ストリームからの読み込みエラー"
constexpr char kStreamReadError[] =
    "\x83\x58\x83\x67\x83\x8a\x81\x5b\x83\x80\x82\xa9\x82\xe7\x82\xcc\x93\xc7\x82\xdd\x8d\x9e\x82\xdd\x83\x47"
    "\x83\x89\x81\x5b";
// "" には切り分け定義が含まれていません": no full stop, like the level
// error, since the general error report appends one.
constexpr char kNoProcedureSuffix[] =
    "\x22\x20\x82\xc9\x82\xcd\x90\xd8\x82\xe8\x95\xaa\x82\xaf\x92\xe8\x8b\x60\x82\xaa\x8a\xdc\x82\xdc\x82\xea"
    "\x82\xc4\x82\xa2\x82\xdc\x82\xb9\x82\xf1";
// "切り分け定義が大きすぎます"
constexpr char kProcedureTooLarge[] =
    "\x90\xd8\x82\xe8\x95\xaa\x82\xaf\x92\xe8\x8b\x60\x82\xaa\x91\xe5\x82\xab\x82\xb7\x82\xac\x82\xdc\x82\xb7";
// "この拡張子のファイルは受け取れません。"
constexpr char kUnsupportedExtension[] =
    "\x82\xb1\x82\xcc\x8a\x67\x92\xa3\x8e\x71\x82\xcc\x83\x74\x83\x40\x83\x43\x83\x8b\x82\xcd\x8e\xf3\x82\xaf"
    "\x8e\xe6\x82\xea\x82\xdc\x82\xb9\x82\xf1\x81\x42";

// "…", after a quote that was cut.
constexpr char kCutMark[] = "\x81\x63";
// "" の "
constexpr char kOfInfix[] = "\x22\x20\x82\xcc\x20";
// " 行目の NUL 文字で読み込みを止めました。それより後は読み込まれていないため、保存するとその部分は失われます。"
constexpr char kStoppedAtNulSuffix[] =
    " \x8d\x73\x96\xda\x82\xcc NUL \x95\xb6\x8e\x9a\x82\xc5\x93\xc7\x82\xdd\x8d\x9e\x82\xdd\x82\xf0\x8e\x7e"
    "\x82\xdf\x82\xdc\x82\xb5\x82\xbd\x81\x42\x82\xbb\x82\xea\x82\xe6\x82\xe8\x8c\xe3\x82\xcd\x93\xc7\x82\xdd"
    "\x8d\x9e\x82\xdc\x82\xea\x82\xc4\x82\xa2\x82\xc8\x82\xa2\x82\xbd\x82\xdf\x81\x41\x95\xdb\x91\xb6\x82\xb7"
    "\x82\xe9\x82\xc6\x82\xbb\x82\xcc\x95\x94\x95\xaa\x82\xcd\x8e\xb8\x82\xed\x82\xea\x82\xdc\x82\xb7\x81\x42";
// "" は Windows の実行ファイルではありません。"
constexpr char kNotAnExecutableSuffix[] =
    "\x22\x20\x82\xcd Windows \x82\xcc\x8e\xc0\x8d\x73\x83\x74\x83\x40\x83\x43\x83\x8b\x82\xc5\x82\xcd\x82\xa0"
    "\x82\xe8\x82\xdc\x82\xb9\x82\xf1\x81\x42";

std::string Concat(std::initializer_list<std::string_view> parts) {
  std::size_t size = 0;
  for (std::string_view part : parts) size += part.size();
  std::string text;
  text.reserve(size);
  for (std::string_view part : parts) text += part;
  return text;
}

}  // namespace

std::string CannotOpenMessage(std::string_view path, std::string_view reason) {
  return Concat({kFilePrefix, path, kCannotOpenSuffix, TrimReasonText(reason)});
}

std::string CannotCreateMessage(std::string_view path, std::string_view reason) {
  return Concat({kFilePrefix, path, kCannotCreateSuffix, TrimReasonText(reason)});
}

std::string QuotedLine(std::string_view text) {
  if (text.size() <= kQuoteLimit) return std::string(text);
  std::size_t end = 0;
  while (end < text.size()) {
    const std::size_t next = end + cp932::CharLengthAt(text, end);
    if (next > kQuoteLimit) break;
    end = next;
  }
  return Concat({text.substr(0, end), kCutMark});
}

std::string InvalidLevelMessage(std::size_t level, std::string_view text) {
  return Concat({kItemPrefix, QuotedLine(text), kLevelInfix, DecimalText(level), kLevelSuffix});
}

std::string StreamReadErrorMessage() { return std::string(kStreamReadError); }

std::string NoProcedureMessage(std::string_view path) { return Concat({kFilePrefix, path, kNoProcedureSuffix}); }

std::string ProcedureTooLargeMessage() { return std::string(kProcedureTooLarge); }

std::string UnsupportedExtensionMessage(std::string_view fileName) {
  return Concat({kUnsupportedExtension, "\r\n\r\n", fileName});
}

std::string StoppedAtNulNotice(std::string_view path, std::size_t line) {
  return Concat({kFilePrefix, path, kOfInfix, DecimalText(line), kStoppedAtNulSuffix});
}

std::string NotAnExecutableMessage(std::string_view path) {
  return Concat({kFilePrefix, path, kNotAnExecutableSuffix});
}

std::string TrimReasonText(std::string_view reason) {
  while (!reason.empty() && static_cast<unsigned char>(reason.back()) <= 0x20) reason.remove_suffix(1);
  return std::string(reason);
}

}  // namespace velmora
