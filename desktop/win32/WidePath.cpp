#include "desktop/win32/WidePath.h"

#include "win32/Utf8Text.h"
#include "win32/WideText.h"

namespace velmora::win32 {

std::wstring WidePathOf(const FilePath& path) { return Utf8ToWide(path.Utf8()); }

FilePath FilePathOf(std::wstring_view wide) { return FilePath::FromUtf8(WideToUtf8(wide)); }

std::string DisplayTextOf(const FilePath& path) { return ToCp932(WidePathOf(path)); }

}  // namespace velmora::win32
