// TForm1: shortcuts to the program, help, the About box and the home page.
#include "app/win32/Unit1.h"

namespace velmora::win32 {

void TForm1::DeskTop1Click() {}

void TForm1::StartUp1Click() {}

void TForm1::StartMenu1Click() {}

void TForm1::H1Click() {}

void TForm1::About1Click() {}

void TForm1::Site1Click() {}

}  // namespace velmora::win32
