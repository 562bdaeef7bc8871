// The companion's strength tools run as a separate program: the tuner and a
// self-play match give the same output from the same data and seed.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
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

// The search scores a fit kept are read again only for the same positions:
// another skip gives other positions, which are searched anew.
TEST_F(StrengthToolsTest, TuneKeepsSearchScoresForTheSamePositions) {
  ASSERT_TRUE(fs::is_regular_file(Tinsley)) << "game collection missing: " << Tinsley
                                            << " (see README, \"Test data\")";
  const std::string scores = (folder / "s.scores").string(), a = (folder / "a.cpp").string(),
                    b = (folder / "b.cpp").string();
  const std::string common = "tune fit --iterations 20 --search-depth 9 --scores " + scores + " " + Tinsley.string();
  EXPECT_NE(Run(common + " --skip 80 --out " + a).find("searching every position 9 plies deep"), std::string::npos);
  EXPECT_NE(Run(common + " --skip 80 --out " + b).find("search scores read from"), std::string::npos);
  EXPECT_EQ(Read(a), Read(b));
  EXPECT_NE(Read(a).find("aimed at 50% of the result and 50% of a 9-ply search"), std::string::npos);
  EXPECT_EQ(Run(common + " --skip 84").find("search scores read from"), std::string::npos);
  Run(common + " --result-share 101", 2);
}

// Self-play is a match between engines (bench/selfplay.sh): at a fixed depth,
// with the openings in an order fixed by the seed, two runs play the same
// games whichever of the two games at once an engine process plays; the
// Evaluation option gives one side the classic evaluation, which plays other
// moves.
TEST_F(StrengthToolsTest, AFixedDepthMatchReproducesItsGames) {
  const std::string engine = "'" VAREK_BINARY_DIR "/tools/varek-cli engine'";
  auto play = [&](const std::string& name, const std::string& options) {
    const fs::path pdn = folder / (name + ".pdn");
    const std::string out = Run("match --depth 9 --games 6 --seed 3 --concurrency 2 --option1 EndgameDatabase=false"
                                " --option2 EndgameDatabase=false --option1 Book=false --option2 Book=false"
                                " --name1 first --name2 second --pdn " +
                                pdn.string() + " " + options + " " + engine + " " + engine);
    EXPECT_NE(out.find("Elo of first against second"), std::string::npos) << out;
    TPdnCollection games;
    std::string error;
    EXPECT_TRUE(ReadPdnFile(pdn.string(), &games, &error)) << error;
    EXPECT_TRUE(games.Refused.empty());
    // By round, whatever order they ended in: result and moves.
    std::map<std::string, std::string> rounds;
    for (const TPdnGame& game : games.Games) {
      std::string record = game.Black;
      record.append(" ").append(game.Result);
      for (const std::vector<int>& move : game.Moves)
        for (int square : move) record.append(" ").append(std::to_string(square));
      for (const TPdnGame::TTag& tag : game.OtherTags)
        if (tag.Name == "Round") rounds[tag.Value] = record;
    }
    EXPECT_EQ(rounds.size(), 6u);
    return rounds;
  };
  const auto fitted = play("a", "--option2 Evaluation=classic");
  EXPECT_EQ(play("b", "--option2 Evaluation=classic"), fitted);
  EXPECT_NE(play("c", ""), fitted);
  // Each opening twice, the first engine Black in odd rounds.
  EXPECT_EQ(fitted.at("1").rfind("first ", 0), 0u);
  EXPECT_EQ(fitted.at("2").rfind("second ", 0), 0u);
  Run("match --depth 9 --clock 60 " + engine + " " + engine, 2);
  Run("match --depth 0 " + engine + " " + engine, 2);
}
