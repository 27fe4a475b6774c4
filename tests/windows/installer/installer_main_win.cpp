// installer_tests [--dpi=N] [GoogleTest options]: N is the DPI that the Wine prefix was set to.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <cstdlib>

#include "tests/windows/installer/installation_win.h"

int main(int argc, char** argv) {
  // Window sizes are read back in real pixels, as the programs (DPI aware) lay them out.
  ::SetProcessDPIAware();
  ::testing::InitGoogleTest(&argc, argv);
  for (int i = 1; i < argc; ++i)
    if (std::strncmp(argv[i], "--dpi=", 6) == 0) tickvane::test::SetRequestedDpi(std::atoi(argv[i] + 6));
  return RUN_ALL_TESTS();
}
