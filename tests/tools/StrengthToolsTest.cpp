// The companion's strength tools run as a separate program: the tuner and the
// self-play runner give the same output from the same data and seed, and the
// games self-play writes read back.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "game/Pdn.h"

namespace {

namespace fs = std::filesystem;

const fs::path Tinsley = VAREK_SOURCE_DIR "/../shared/data/games/tinsley.pdn";

class StrengthToolsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = fs::temp_directory_path() / ("varek-strength-" + std::to_string(::getpid()));
    fs::create_directories(folder);
  }
  void TearDown() override { fs::remove_all(folder); }

  // Runs the companion with `words` (already safe for the shell); its output.
  std::string Run(const std::string& words, int expectedExit = 0) {
    const fs::path out = folder / "out";
    const int status = std::system((VAREK_BINARY_DIR "/tools/varek-cli " + words + " >" + out.string() +
                                    " 2>&1").c_str());
    EXPECT_EQ(WIFEXITED(status) ? WEXITSTATUS(status) : -1, expectedExit) << words;
    return Read(out);
  }
  static std::string Read(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  fs::path folder;
};

}  // namespace

TEST_F(StrengthToolsTest, TuneReproducesItsWeights) {
  ASSERT_TRUE(fs::is_regular_file(Tinsley)) << "game collection missing: " << Tinsley
                                            << " (see README, \"Test data\")";
  const std::string a = (folder / "a.cpp").string(), b = (folder / "b.cpp").string(), c = (folder / "c.cpp").string();
  const std::string common = "tune fit --iterations 40 " + Tinsley.string();
  const std::string out = Run(common + " --out " + a);
  EXPECT_NE(out.find("classic evaluation: scale"), std::string::npos) << out;
  EXPECT_NE(out.find("fitted evaluation: error"), std::string::npos) << out;
  Run(common + " --out " + b);
  Run(common + " --seed 2 --out " + c);
  EXPECT_EQ(Read(a), Read(b));
  EXPECT_NE(Read(a), Read(c));  // other games held out
  EXPECT_NE(Read(a).find("const TEvalWeights FittedWeights"), std::string::npos);
  Run("tune fit --iterations x " + Tinsley.string(), 2);
  Run("tune fit", 2);
}

TEST_F(StrengthToolsTest, SelfPlayReproducesItsGames) {
  {
    std::ofstream openings(folder / "openings.txt");
    openings << "# two openings\n"
             << "W:W21,22,23,24,25,26,27,28,29,30,31,32:B1,2,3,4,5,6,7,8,9,10,12,15\n"
             << "W:W21,22,23,24,25,26,27,28,29,30,31,32:B1,2,3,4,5,6,7,8,10,11,12,14 12\n";
  }
  const std::string run = "selfplay --depth 9 --no-egdb --seed 3 " + (folder / "openings.txt").string() +
                          " classic fitted --pdn ";
  const std::string first = Run(run + (folder / "a.pdn").string());
  const std::string second = Run(run + (folder / "b.pdn").string());
  EXPECT_EQ(first, second);
  EXPECT_EQ(Read(folder / "a.pdn"), Read(folder / "b.pdn"));
  EXPECT_NE(first.find("result classic against fitted: 4 games"), std::string::npos) << first;

  // Each opening twice, colours reversed, and every game reads back with its result.
  TPdnCollection games;
  std::string error;
  ASSERT_TRUE(ReadPdnFile((folder / "a.pdn").string(), &games, &error)) << error;
  ASSERT_EQ(games.Games.size(), 4u);
  ASSERT_TRUE(games.Refused.empty());
  for (int g = 0; g < 4; ++g) {
    const TPdnGame& game = games.Games[g];
    EXPECT_EQ(game.Black, g % 2 == 0 ? "classic" : "fitted");
    EXPECT_EQ(game.White, g % 2 == 0 ? "fitted" : "classic");
    EXPECT_NE(game.Result, "*");
    EXPECT_FALSE(game.FromStartingPosition());
    EXPECT_GT(game.Moves.size(), 10u);
    const std::string line = "game " + std::to_string(g + 1) + ": " + game.Black + " (Black) - " + game.White +
                             " (White) " + game.Result + " by ";
    EXPECT_NE(first.find(line), std::string::npos) << line;
  }
  EXPECT_EQ(std::memcmp(games.Games[0].StartBoard, games.Games[1].StartBoard, sizeof games.Games[0].StartBoard), 0);
  Run("selfplay --depth 3 x classic fitted", 2);
  Run("selfplay " + (folder / "openings.txt").string() + " classic nonsense.cpp --no-egdb", 2);
}
