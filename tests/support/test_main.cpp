// Test entry: one application object for the whole run, on the headless platform.
#include <gtest/gtest.h>

#include "toolkit/Application.h"

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  TApplication app(argc, argv);
  app.Initialize();
  return RUN_ALL_TESTS();
}
