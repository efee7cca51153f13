// The baseline for the player's start-up time: the least a Windows program
// can do to put a dialog on screen.
#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  MessageBoxW(nullptr, L"Velmora", L"Velmora", MB_OK | MB_ICONINFORMATION);
  return 0;
}
