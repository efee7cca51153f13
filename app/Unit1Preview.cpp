// TForm1: the preview run and the progress colour buttons.
#include "app/Unit1.h"

namespace velmora::win32 {

void TForm1::PreViewBtnClick() {}

void TForm1::ProgressByGreen1Click() {}

void TForm1::ProgressByYellow1Click() {}

void TForm1::ProgressByRed1Click() {}

void TForm1::UpdateColourButtons() {}

}  // namespace velmora::win32
