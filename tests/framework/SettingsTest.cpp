// The store of the user's choices: values come back in a later session,
// anything missing or unreadable gives the caller's fallback, and a frame's
// place and size can be put back.
#include <gtest/gtest.h>

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "framework/Frame.h"
#include "framework/Settings.h"
#include "tests/support/WindowDriving.h"
#include "framework/Window.h"

namespace {

class SettingsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/varek-settings-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    folder = pattern;
    file = (folder / "settings.ini").string();
    previous = TSettings::FileInUse();
    TSettings::UseFile(file);
  }
  void TearDown() override {
    TSettings::UseFile(previous);
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
  }
  std::filesystem::path folder;
  std::string file;
  std::string previous;  // the scratch store of the whole test program
};

TEST_F(SettingsTest, ValuesWrittenInOneSessionAreReadInTheNext) {
  {
    TSettings settings;
    settings.WriteBool("Board/SquareNumbers", true);
    settings.WriteBool("Sound", false);
    settings.WriteInt("Level", 6);
    settings.WriteInt("Negative", -12);
  }
  ASSERT_TRUE(std::filesystem::exists(file));
  TSettings later;
  EXPECT_TRUE(later.ReadBool("Board/SquareNumbers", false));
  EXPECT_FALSE(later.ReadBool("Sound", true));
  EXPECT_EQ(later.ReadInt("Level", 2), 6);
  EXPECT_EQ(later.ReadInt("Negative", 0), -12);
  EXPECT_TRUE(later.Contains("Level"));
  EXPECT_FALSE(later.Contains("Missing"));
}

TEST_F(SettingsTest, MissingOrGarbledValuesGiveTheFallback) {
  {
    std::ofstream out(file);
    out << "[General]\nLevel=seven\nSound=perhaps\nEmpty=\nDepth=12abc\n";
  }
  TSettings settings;
  EXPECT_EQ(settings.ReadInt("Level", 2), 2);
  EXPECT_EQ(settings.ReadInt("Depth", 9), 9);
  EXPECT_EQ(settings.ReadInt("Nowhere", 4), 4);
  EXPECT_TRUE(settings.ReadBool("Sound", true));
  EXPECT_FALSE(settings.ReadBool("Sound", false));
  EXPECT_TRUE(settings.ReadBool("Empty", true));
  EXPECT_FALSE(settings.ReadBool("Nowhere", false));
}

TEST_F(SettingsTest, AnUnwritableStoreStillAnswersWithFallbacks) {
  TSettings::UseFile("/proc/varek-cannot-be-here/settings.ini");
  TSettings settings;
  EXPECT_EQ(settings.ReadInt("Level", 2), 2);
  settings.WriteInt("Level", 5);  // kept for this session only
  settings.Sync();
  EXPECT_EQ(settings.ReadInt("Level", 2), 5);
  EXPECT_FALSE(std::filesystem::exists("/proc/varek-cannot-be-here"));
}

TEST_F(SettingsTest, AFramesGeometryIsPutBack) {
  TDecoratedFrame frame(nullptr, "settings", new TWindow(nullptr), false);
  frame.Show();
  frame.SetClientSize(500, 420);
  ProcessEvents();
  {
    TSettings settings;
    EXPECT_FALSE(settings.RestoreGeometry("Frame/Geometry", frame));  // nothing saved yet
    settings.SaveGeometry("Frame/Geometry", frame);
  }
  const int width = frame.GetClientWindow()->GetClientRect().Width();
  const int height = frame.GetClientWindow()->GetClientRect().Height();
  frame.SetClientSize(300, 250);
  ProcessEvents();
  ASSERT_NE(frame.GetClientWindow()->GetClientRect().Width(), width);

  TSettings later;
  ASSERT_TRUE(later.RestoreGeometry("Frame/Geometry", frame));
  ProcessEvents();
  EXPECT_EQ(frame.GetClientWindow()->GetClientRect().Width(), width);
  EXPECT_EQ(frame.GetClientWindow()->GetClientRect().Height(), height);
}

TEST_F(SettingsTest, ARestoredGeometryWinsOverAFirstSizeAskedForBeforeShowing) {
  {
    TDecoratedFrame frame(nullptr, "settings", new TWindow(nullptr), false);
    frame.Show();
    frame.SetClientSize(480, 360);
    ProcessEvents();
    TSettings settings;
    settings.SaveGeometry("Frame/Geometry", frame);
  }
  TDecoratedFrame frame(nullptr, "settings", new TWindow(nullptr), false);
  frame.SetClientSize(900, 700);  // the program's first size
  TSettings settings;
  ASSERT_TRUE(settings.RestoreGeometry("Frame/Geometry", frame));
  frame.Show();
  ProcessEvents();
  EXPECT_EQ(frame.GetClientWindow()->GetClientRect().Width(), 480);
  EXPECT_EQ(frame.GetClientWindow()->GetClientRect().Height(), 360);
}

}  // namespace
