// The entry of the window test programs: Qt is started once for all their tests.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "framework/Settings.h"
#include "tests/support/WindowDriving.h"
#include "framework/Toolkit.h"

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  StartToolkit(argc, argv);
  QuietPlatformNotes();
  // The user's own choices are neither read nor changed by the tests.
  const std::string settings = "/tmp/varek-ui-tests-" + std::to_string(getpid()) + ".ini";
  TSettings::UseFile(settings);
  const int result = RUN_ALL_TESTS();
  std::error_code ignored;
  std::filesystem::remove(settings, ignored);
  StopToolkit();
  return result;
}
