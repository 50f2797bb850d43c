// The small number that classifies the running Windows version; the choice of
// DPI handling rests on it.
#pragma once

namespace core {

enum class OsPlatform { windows9x, windowsNt, other };

struct OsVersion {
  bool known = false;  // false when the system could not be asked at all
  OsPlatform platform = OsPlatform::other;
  unsigned major = 0;
  unsigned minor = 0;
  bool workstation = false;
};

inline constexpr int kOsVersionUnknown = 200;
// The codes of the versions the DPI handling tells apart.
inline constexpr int kOsWindows2000 = 50;
inline constexpr int kOsWindowsVista = 70;
inline constexpr int kOsWindows8 = 90;
inline constexpr int kOsWindowsServer2012 = 95;
inline constexpr int kOsWindows81 = 100;
inline constexpr int kOsWindowsServer2012R2 = 105;
inline constexpr int kOsWindows10 = 110;

int osVersionCode(const OsVersion& version);

#ifdef _WIN32
// Asks the running system (RtlGetVersion, else GetVersionExW).
OsVersion queryOsVersion();
#endif

}  // namespace core
