// converter_dialog_tests [--dpi=N] [GoogleTest options]: N is the DPI the Wine prefix was set to.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#include "tests/windows/converter/converter_dialog_view_win.h"

int main(int argc, char** argv) {
  // Window sizes are read back in real pixels, as Genvane (DPI aware) lays them out.
  ::SetProcessDPIAware();
  ::testing::InitGoogleTest(&argc, argv);
  int dpi = 96;
  for (int i = 1; i < argc; ++i)
    if (std::strncmp(argv[i], "--dpi=", 6) == 0) dpi = std::atoi(argv[i] + 6);
  tickvane::test::SetExpectedDpi(dpi);
  return RUN_ALL_TESTS();
}
