// Test entry: one application object for the whole run, on the headless platform.
#include <gtest/gtest.h>

#include <cstdlib>

#include "toolkit/Application.h"

int main(int argc, char** argv) {
  // Tests run headless unless the caller chose a platform, also when ctest lists them.
  // The headless screen is 1280 x 1024 at 96 dpi, as on the desktops the program is tried on.
  setenv("QT_QPA_PLATFORM", "offscreen:configfile=" SRX_TEST_SUPPORT_DIR "/offscreen.json", 0);
  ::testing::InitGoogleTest(&argc, argv);
  TApplication app(argc, argv);
  app.Initialize();
  return RUN_ALL_TESTS();
}
