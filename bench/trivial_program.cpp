// The smallest Win32 GUI program: the yardstick for process start-up cost.
#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) { return 0; }
