// The window tests' entry: Qt is started once for all of them.
#include <gtest/gtest.h>

#include <cstdlib>

#include "framework/Testing.h"
#include "framework/Toolkit.h"

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  StartToolkit(argc, argv);
  QuietPlatformNotes();
  const int result = RUN_ALL_TESTS();
  StopToolkit();
  return result;
}
