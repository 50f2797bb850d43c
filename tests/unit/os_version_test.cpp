#include <gtest/gtest.h>

#include "core/os_version.h"

namespace {

using core::OsPlatform;
using core::OsVersion;

TEST(OsVersionCode, ClassifiesEveryRowOfTheTable) {
  const auto nt = OsPlatform::windowsNt;
  struct Case {
    OsVersion version;
    int code;
  } cases[] = {
      {{false, nt, 10, 0, true}, 200},
      {{true, OsPlatform::windows9x, 4, 0, false}, 10},
      {{true, OsPlatform::windows9x, 4, 10, false}, 30},
      {{true, OsPlatform::windows9x, 4, 90, false}, 40},
      {{true, OsPlatform::windows9x, 4, 20, false}, 200},
      {{true, nt, 3, 51, false}, 5},
      {{true, nt, 4, 0, true}, 20},
      {{true, nt, 5, 0, true}, 50},
      {{true, nt, 5, 1, true}, 60},
      {{true, nt, 5, 2, true}, 60},
      {{true, nt, 5, 2, false}, 65},
      {{true, nt, 5, 3, true}, 200},
      {{true, nt, 6, 0, true}, 70},
      {{true, nt, 6, 0, false}, 75},
      {{true, nt, 6, 1, true}, 80},
      {{true, nt, 6, 1, false}, 85},
      {{true, nt, 6, 2, true}, 90},
      {{true, nt, 6, 2, false}, 95},
      {{true, nt, 6, 3, true}, 100},
      {{true, nt, 6, 3, false}, 105},
      {{true, nt, 6, 4, true}, 200},
      {{true, nt, 10, 0, true}, 110},
      {{true, nt, 10, 0, false}, 110},
      {{true, nt, 10, 1, true}, 200},
      {{true, nt, 11, 0, true}, 200},
      {{true, OsPlatform::other, 10, 0, true}, 200},
  };
  for (const Case& c : cases)
    EXPECT_EQ(core::osVersionCode(c.version), c.code)
        << static_cast<int>(c.version.platform) << " " << c.version.major << "." << c.version.minor;
}

}  // namespace
