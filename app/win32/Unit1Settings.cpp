// TForm1: the settings file and the close sequence.
#include "app/win32/Unit1.h"

namespace velmora::win32 {

void TForm1::LoadSettings() {}

bool TForm1::FormCloseQuery() { return true; }

}  // namespace velmora::win32
