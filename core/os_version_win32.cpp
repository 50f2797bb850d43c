#include <windows.h>

#include "core/os_version.h"
#include "runtime/library.h"

// The system's own declaration (it lives in the driver kit's headers); looked
// up at run time, never imported.
extern "C" NTSYSAPI LONG NTAPI RtlGetVersion(OSVERSIONINFOW* version);

namespace core {

OsVersion queryOsVersion() {
  OsVersion version;
  OSVERSIONINFOW basic{};
  basic.dwOSVersionInfoSize = sizeof basic;
// GetVersionExW is deprecated: it is the one call older Windows versions have.
#if defined(_MSC_VER)
#pragma warning(push)
#pragma warning(disable : 4996)
#elif defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
#endif
  if (!GetVersionExW(&basic)) return version;
  version.known = true;
  version.platform = basic.dwPlatformId == VER_PLATFORM_WIN32_NT        ? OsPlatform::windowsNt
                     : basic.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS ? OsPlatform::windows9x
                                                                        : OsPlatform::other;
  // RtlGetVersion tells the truth where GetVersionExW may be shimmed.
  OSVERSIONINFOEXW extended{};
  extended.dwOSVersionInfoSize = sizeof extended;
  auto rtlGetVersion = RUNTIME_EXPORT(GetModuleHandleW(L"ntdll.dll"), RtlGetVersion);
  bool have = rtlGetVersion && rtlGetVersion(reinterpret_cast<OSVERSIONINFOW*>(&extended)) == 0;
  if (!have) have = GetVersionExW(reinterpret_cast<OSVERSIONINFOW*>(&extended));
#if defined(_MSC_VER)
#pragma warning(pop)
#elif defined(__GNUC__)
#pragma GCC diagnostic pop
#endif
  if (have) {
    version.major = extended.dwMajorVersion;
    version.minor = extended.dwMinorVersion;
    version.workstation = extended.wProductType == VER_NT_WORKSTATION;
  } else {
    version.major = basic.dwMajorVersion;
    version.minor = basic.dwMinorVersion;
  }
  return version;
}

}  // namespace core
