// Crashes on purpose: writes through a null pointer the compiler cannot see.
#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  volatile int* volatile nowhere = nullptr;
  *nowhere = 1;
  return 0;
}
