// Linked into every Windows test program: it sees the screen's real pixels.
// A program that is not DPI-aware is shown virtualised sizes and positions by
// Windows (and Wine 10) on a screen above 96 dpi, so its measurements and
// clicks would miss the tool's windows, which are DPI-aware.
#include <windows.h>

namespace {

const bool kDpiAware = [] {
  using SetContext = BOOL(WINAPI*)(DPI_AWARENESS_CONTEXT);
  const auto setContext = reinterpret_cast<SetContext>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "SetProcessDpiAwarenessContext")));
  return (setContext && setContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2)) || SetProcessDPIAware();
}();

}  // namespace
