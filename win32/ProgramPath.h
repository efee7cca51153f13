#pragma once
// The running program's own full path: the editor's help file and player
// stub lie beside it, the single-instance rule is named after it, the
// shortcuts point at it, and the player reads its procedure out of it.

#include <string>

namespace velmora::win32 {

// Empty only if the system cannot tell.
std::wstring OwnProgramPath();

}  // namespace velmora::win32
