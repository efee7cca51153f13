#include "document/win32/TextGuard.h"

#include "win32/Controls.h"
#include "win32/Win32MessageBox.h"
#include "win32/WideText.h"

namespace velmora::win32 {

std::wstring UnrepresentableCharMessage(std::wstring_view character) {
  // 「X」は保存できない文字です。別の文字に置き換えてください。
  // ("X" is a character that cannot be stored. Please replace it.) The
  // character itself stays UTF-16: code page 932 cannot hold it.
  // "「"
  constexpr char kOpen[] = "\x81\x75";
  // "」は保存できない文字です。別の文字に置き換えてください。"
  constexpr char kRest[] =
      "\x81\x76\x82\xcd\x95\xdb\x91\xb6\x82\xc5\x82\xab\x82\xc8\x82\xa2"
      "\x95\xb6\x8e\x9a\x82\xc5\x82\xb7\x81\x42"
      "\x95\xca\x82\xcc\x95\xb6\x8e\x9a\x82\xc9\x92\x75\x82\xab\x8a\xb7\x82\xa6"
      "\x82\xc4\x82\xad\x82\xbe\x82\xb3\x82\xa2\x81\x42";
  std::wstring text = ToWide(kOpen);
  text += character;
  text += ToWide(kRest);
  return text;
}

std::wstring ApplicationCaption(HWND window) {
  HWND top = window != nullptr ? GetAncestor(window, GA_ROOTOWNER) : nullptr;
  if (top == nullptr) top = window;
  if (top == nullptr) return L"";
  return WindowText(top);
}

// A refused input is reported as every other refusal is.
void ShowUnrepresentableChar(HWND owner, std::wstring_view character) {
  ShowErrorReport(owner, UnrepresentableCharMessage(character), ApplicationCaption(owner));
}

bool RefuseUnrepresentableText(HWND owner, std::wstring_view text, HWND edit) {
  const std::optional<std::wstring> bad = FirstUnrepresentableChar(text);
  if (!bad) return false;
  ShowUnrepresentableChar(owner, *bad);
  if (edit != nullptr) {
    const std::size_t at = text.find(*bad);
    if (at != std::wstring_view::npos) {
      SetFocus(edit);
      SendMessageW(edit, EM_SETSEL, at, static_cast<LPARAM>(at + bad->size()));
      SendMessageW(edit, EM_SCROLLCARET, 0, 0);
    }
  }
  return true;
}

}  // namespace velmora::win32
