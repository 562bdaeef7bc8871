// Saving and loading game files by path: the old file survives a failed
// save, and "cannot open" is told apart from "damaged".
#include <gtest/gtest.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "game/GameFile.h"
#include "tests/game/GameTestSupport.h"

namespace {

namespace fs = std::filesystem;
using namespace gametest;

class GameFilePathTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = fs::temp_directory_path() / ("varek-files-" + std::to_string(::getpid()) + "-" +
                                          ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(folder);
    fs::create_directories(folder);
    SetFileErrorReporter([this](const char*, const char*) { ++reports; });
    std::mt19937 random(4);
    played = PlayRandomGame(random, StartingBoard(), Black, 30);
    Record(record, played);
  }
  void TearDown() override {
    SetFileErrorReporter(nullptr);
    fs::remove_all(folder);
  }
  static std::string Contents(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  int FilesIn(const fs::path& dir) const { return static_cast<int>(std::distance(fs::directory_iterator(dir), {})); }

  fs::path folder;
  int reports = 0;
  TPlayedGame played;
  Game record;
};

TEST_F(GameFilePathTest, SaveThenLoad) {
  const fs::path file = folder / "game.vrk";
  ASSERT_TRUE(SaveGameFile(file.string(), record));
  EXPECT_EQ(Contents(file), Save(record));
  EXPECT_EQ(FilesIn(folder), 1);  // no temporary file left behind
  Game back;
  ASSERT_EQ(LoadGameFile(file.string(), back), TLoadResult::Loaded);
  EXPECT_EQ(MovesOf(back), played.Moves);
  EXPECT_EQ(reports, 0);
}

TEST_F(GameFilePathTest, SaveReplacesAnOldFileKeepingItsPermissions) {
  const fs::path file = folder / "game.vrk";
  { std::ofstream(file) << "old contents"; }
  ::chmod(file.c_str(), 0640);
  ASSERT_TRUE(SaveGameFile(file.string(), record));
  EXPECT_EQ(Contents(file), Save(record));
  struct stat info;
  ASSERT_EQ(::stat(file.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0640u);
}

// A new file gets what the umask allows. Saving never touches the umask, so
// files other threads create meanwhile keep theirs too.
TEST_F(GameFilePathTest, NewFileTakesTheUmaskAndLeavesOtherFilesAlone) {
  const mode_t old = ::umask(027);
  std::atomic<bool> saving{true};
  std::vector<mode_t> others;
  std::thread creator([&] {
    for (int k = 0; saving || k < 50; ++k) {
      const fs::path other = folder / ("other-" + std::to_string(k));
      const int fd = ::open(other.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0666);
      if (fd < 0) break;
      struct stat info;
      ::fstat(fd, &info);
      others.push_back(info.st_mode & 0777);
      ::close(fd);
      ::unlink(other.c_str());
    }
  });
  for (int k = 0; k < 200; ++k) {
    const fs::path file = folder / ("game-" + std::to_string(k) + ".vrk");
    ASSERT_TRUE(SaveGameFile(file.string(), record));
    struct stat info;
    ASSERT_EQ(::stat(file.c_str(), &info), 0);
    ASSERT_EQ(info.st_mode & 0777, 0640u) << k;
  }
  saving = false;
  creator.join();
  ::umask(old);
  ASSERT_FALSE(others.empty());
  for (mode_t mode : others) EXPECT_EQ(mode, 0640u);
  EXPECT_EQ(FilesIn(folder), 200);  // no temporary file left behind
}

TEST_F(GameFilePathTest, FailedWriteLeavesTheOldFile) {
  const fs::path file = folder / "game.vrk";
  { std::ofstream(file) << "old contents"; }
  // Let files grow to 40 bytes only: the write of the game fails half-way.
  struct rlimit saved;
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
  auto* oldHandler = ::signal(SIGXFSZ, SIG_IGN);
  struct rlimit small = saved;
  small.rlim_cur = 40;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  const bool saved_ok = SaveGameFile(file.string(), record);
  ::setrlimit(RLIMIT_FSIZE, &saved);
  ::signal(SIGXFSZ, oldHandler);
  EXPECT_FALSE(saved_ok);
  EXPECT_EQ(Contents(file), "old contents");
  EXPECT_EQ(FilesIn(folder), 1);
}

TEST_F(GameFilePathTest, SaveFailsWhereNoFileCanBe) {
  EXPECT_FALSE(SaveGameFile((folder / "missing" / "game.vrk").string(), record));
  // A folder in the way: the rename fails and the temporary file goes.
  fs::create_directories(folder / "taken.vrk" / "inside");
  EXPECT_FALSE(SaveGameFile((folder / "taken.vrk").string(), record));
  EXPECT_TRUE(fs::is_directory(folder / "taken.vrk"));
  EXPECT_EQ(FilesIn(folder), 1);
  EXPECT_FALSE(fs::exists(folder / "missing"));
  // A device is never replaced by a saved game, and nothing is left beside it.
  const auto devices = std::distance(fs::directory_iterator("/dev"), fs::directory_iterator());
  EXPECT_FALSE(SaveGameFile("/dev/null", record));
  EXPECT_TRUE(fs::is_character_file("/dev/null"));
  EXPECT_EQ(std::distance(fs::directory_iterator("/dev"), fs::directory_iterator()), devices);
}

TEST_F(GameFilePathTest, CannotOpenLeavesTheRecordAlone) {
  EXPECT_EQ(LoadGameFile((folder / "none.vrk").string(), record), TLoadResult::CannotOpen);
  EXPECT_EQ(LoadGameFile(folder.string(), record), TLoadResult::CannotOpen);
  // A pipe with no writer would block the reader for ever.
  const std::string pipe = (folder / "pipe.vrk").string();
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  EXPECT_EQ(LoadGameFile(pipe, record), TLoadResult::CannotOpen);
  EXPECT_EQ(MovesOf(record), played.Moves);
  EXPECT_EQ(reports, 0);
}

TEST_F(GameFilePathTest, DamagedFileIsReportedOnce) {
  const fs::path file = folder / "bad.vrk";
  std::string bytes = Save(record);
  bytes[60] ^= 1;
  { std::ofstream(file, std::ios::binary) << bytes; }
  EXPECT_EQ(LoadGameFile(file.string(), record), TLoadResult::Damaged);
  EXPECT_EQ(reports, 1);
  EXPECT_EQ(record.MoveCount, 0);
  { std::ofstream(file, std::ios::binary | std::ios::trunc); }  // empty
  EXPECT_EQ(LoadGameFile(file.string(), record), TLoadResult::Damaged);
  EXPECT_EQ(reports, 2);
}

}  // namespace
