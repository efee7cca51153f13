#include "app/win32/FileHandOver.h"

namespace velmora::win32 {
namespace {

// A running copy that takes this long to answer is hung; the second start
// then falls back to the message and does not wait for ever.
constexpr UINT kAnswerTimeoutMs = 10000;

}  // namespace

ULONG_PTR FileHandOverId() {
  static const UINT id = RegisterWindowMessageW(L"Velmora.FileHandOver");
  return id;
}

bool SendFileHandOver(HWND window, const std::wstring& path) {
  if (path.empty() || path.size() > kMaxHandedOverPath || path.find(L'\0') != std::wstring::npos) return false;
  COPYDATASTRUCT data{};
  data.dwData = FileHandOverId();
  data.cbData = static_cast<DWORD>(path.size() * sizeof(wchar_t));
  data.lpData = const_cast<wchar_t*>(path.data());
  DWORD_PTR answer = FALSE;
  const LRESULT sent = SendMessageTimeoutW(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data),
                                           SMTO_ABORTIFHUNG | SMTO_BLOCK, kAnswerTimeoutMs, &answer);
  return sent != 0 && answer == TRUE;
}

std::optional<std::wstring> ReadFileHandOver(const COPYDATASTRUCT& data) {
  if (FileHandOverId() == 0 || data.dwData != FileHandOverId()) return std::nullopt;
  if (data.lpData == nullptr || data.cbData == 0 || data.cbData % sizeof(wchar_t) != 0) return std::nullopt;
  std::wstring path(static_cast<const wchar_t*>(data.lpData), data.cbData / sizeof(wchar_t));
  if (path.back() == L'\0') path.pop_back();
  if (path.empty() || path.size() > kMaxHandedOverPath || path.find(L'\0') != std::wstring::npos) {
    return std::nullopt;
  }
  return path;
}

}  // namespace velmora::win32
