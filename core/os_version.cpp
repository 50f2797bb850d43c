#include "core/os_version.h"

namespace core {

int osVersionCode(const OsVersion& version) {
  if (!version.known) return kOsVersionUnknown;
  const unsigned major = version.major, minor = version.minor;
  const bool workstation = version.workstation;
  switch (version.platform) {
    case OsPlatform::windows9x:
      return minor == 0 ? 10 : minor == 10 ? 30 : minor == 90 ? 40 : kOsVersionUnknown;
    case OsPlatform::windowsNt:
      if (major == 3) return 5;
      if (major == 4) return 20;
      if (major == 5 && minor <= 1) return minor == 0 ? 50 : 60;
      if (major == 5 && minor == 2) return workstation ? 60 : 65;
      if (major == 6 && minor <= 3) return 70 + 10 * static_cast<int>(minor) + (workstation ? 0 : 5);
      if (major == 10 && minor == 0) return 110;
      return kOsVersionUnknown;
    case OsPlatform::other:
      break;
  }
  return kOsVersionUnknown;
}

}  // namespace core
