// The entry of the window test programs: Qt is started once for all their tests.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "framework/Settings.h"
#include "tests/support/WindowDriving.h"
#include "framework/Toolkit.h"

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  // The offscreen platform's own screen is 800 x 800 pixels, smaller than
  // the window's first size; the tests' screen is a common desktop's.
  const std::string screen = "/tmp/varek-ui-tests-" + std::to_string(getpid()) + "-screen.json";
  const char* platform = std::getenv("QT_QPA_PLATFORM");
  if (!platform || std::string(platform) == "offscreen") {
    std::ofstream(screen) << R"({"screens": [{"name": "desktop", "x": 0, "y": 0, "width": 1920, "height": 1080,)"
                          << R"( "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})";
    setenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + screen).c_str(), 1);
  }
  StartToolkit(argc, argv);
  QuietPlatformNotes();
  // The user's own choices are neither read nor changed by the tests.
  const std::string settings = "/tmp/varek-ui-tests-" + std::to_string(getpid()) + ".ini";
  TSettings::UseFile(settings);
  const int result = RUN_ALL_TESTS();
  std::error_code ignored;
  std::filesystem::remove(settings, ignored);
  std::filesystem::remove(screen, ignored);
  StopToolkit();
  return result;
}
