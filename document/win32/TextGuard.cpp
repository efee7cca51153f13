#include "document/win32/TextGuard.h"

#include "win32/Controls.h"
#include "win32/WideText.h"

namespace velmora::win32 {

std::wstring UnrepresentableCharMessage(std::wstring_view character) {
  // 「X」は保存できない文字です。別の文字に置き換えてください。
  // ("X" is a character that cannot be stored. Please replace it.)
  std::wstring text = L"\u300c";
  text += character;
  text +=
      L"\u300d\u306f\u4fdd\u5b58\u3067\u304d\u306a\u3044\u6587\u5b57\u3067\u3059\u3002"
      L"\u5225\u306e\u6587\u5b57\u306b\u7f6e\u304d\u63db\u3048\u3066\u304f\u3060\u3055\u3044\u3002";
  return text;
}

std::wstring ApplicationCaption(HWND window) {
  HWND top = window != nullptr ? GetAncestor(window, GA_ROOTOWNER) : nullptr;
  if (top == nullptr) top = window;
  if (top == nullptr) return L"";
  return WindowText(top);
}

void ShowUnrepresentableChar(HWND owner, std::wstring_view character) {
  MessageBoxW(owner, UnrepresentableCharMessage(character).c_str(), ApplicationCaption(owner).c_str(),
              MB_OK | MB_ICONEXCLAMATION);
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
