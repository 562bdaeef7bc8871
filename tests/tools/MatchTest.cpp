// varek-cli match: the openings it starts from, the PDN it writes (read back
// game for game, and gone on with after a stop), and engines that end, stay
// silent or play an illegal move losing their games while the match goes on.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "EngineTestSupport.h"
#include "engine/MoveGenerator.h"
#include "engine/PositionString.h"
#include "game/Pdn.h"
#include "tools/GameLine.h"
#include "tools/Openings.h"

namespace {

using namespace enginetest;
namespace fs = std::filesystem;

struct TRun {
  int Exit = -1;
  std::vector<std::string> Lines;
};

TRun RunMatch(const std::string& arguments) {
  TRun run;
  const std::string command = Companion() + " match " + arguments + " 2>&1";
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return run;
  char buffer[1024];
  while (std::fgets(buffer, sizeof buffer, pipe)) {
    std::string line(buffer);
    if (!line.empty() && line.back() == '\n') line.pop_back();
    run.Lines.push_back(line);
  }
  const int status = pclose(pipe);
  run.Exit = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

int Count(const TRun& run, const std::string& prefix) {
  int n = 0;
  for (const std::string& line : run.Lines) n += line.rfind(prefix, 0) == 0;
  return n;
}

std::string Tag(const TPdnGame& game, const std::string& name) {
  for (const TPdnGame::TTag& tag : game.OtherTags)
    if (tag.Name == name) return tag.Value;
  return "";
}

class MatchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = fs::temp_directory_path() / ("varek-match-" + std::to_string(::getpid()));
    fs::create_directories(folder);
  }
  void TearDown() override { fs::remove_all(folder); }
  std::string Pdn() const { return (folder / "games.pdn").string(); }
  // An engine written as a shell script: the handshake, then `onGo` for each go.
  std::string Script(const std::string& name, const std::string& onGo) const {
    const fs::path path = folder / (name + ".sh");
    FILE* file = std::fopen(path.c_str(), "w");
    std::fprintf(file,
                 "while read -r line; do case \"$line\" in protocol) echo 'id name %s'; echo ok;;"
                 " isready) echo readyok;; go*) %s;; quit) exit 0;; esac; done\n",
                 name.c_str(), onGo.c_str());
    std::fclose(file);
    return "'sh " + path.string() + "'";
  }
  fs::path folder;
};

std::string Engine() { return std::string("'").append(Companion()).append(" engine'"); }

}  // namespace

TEST(Openings, TheThreeMoveOpeningsAreLegalAndLeadToDistinctPositions) {
  const std::vector<TOpening> openings = StandardOpenings();
  ASSERT_EQ(openings.size(), 156u);
  std::set<std::string> positions;
  for (const TOpening& opening : openings) {
    ASSERT_EQ(opening.Moves.size(), 3u) << opening.Name;
    TGameLine line;
    for (const std::vector<int>& move : opening.Moves) line.Play(move.data());
    EXPECT_EQ(line.Side(), White);
    EXPECT_FALSE(TMoveGenerator.NoMovesLeft(line.Board(), White)) << opening.Name;
    positions.insert(FormatPosition(line.Board(), White));
  }
  EXPECT_EQ(positions.size(), 156u);
}

// Four games of ours against ours, two at a time; the file reads back game
// for game, each game ends as its tags say, and a second run with more games
// goes on where the first stopped.
TEST_F(MatchTest, AShortMatchWritesEveryGameAndGoesOnFromItsFile) {
  const std::string common = " --movetime 20 --concurrency 2 --option1 EndgameDatabase=false --pdn '" + Pdn() + "' " +
                             Engine() + " " + Engine();
  const TRun first = RunMatch("--games 4" + common);
  ASSERT_EQ(first.Exit, 0) << first.Lines.back();
  EXPECT_EQ(Count(first, "game "), 4);
  // One side may win all four (then the Elo is not finite): the line is there either way.
  EXPECT_EQ(Count(first, "Elo of Varek 99 (1)"), 1);
  // The header says which engine plays without its endgame database.
  EXPECT_EQ(Count(first, "Varek 99 (1): endgame database off"), 1);

  auto check = [this](size_t games) {
    TPdnCollection collection;
    std::string error;
    EXPECT_TRUE(ReadPdnFile(Pdn(), &collection, &error)) << error;
    EXPECT_TRUE(collection.Refused.empty());
    EXPECT_EQ(collection.Games.size(), games);
    std::set<int> rounds;
    for (const TPdnGame& game : collection.Games) {
      const int round = std::stoi(Tag(game, "Round"));
      rounds.insert(round);
      // Odd rounds give the first engine Black, even ones White, from the same opening.
      EXPECT_EQ(game.Black, round % 2 ? "Varek 99 (1)" : "Varek 99 (2)");
      EXPECT_TRUE(game.FromStartingPosition());
      TGameLine line;
      for (const std::vector<int>& move : game.Moves) line.Play(move.data());
      EXPECT_EQ(Tag(game, "Opening"), [&] {
        const std::vector<std::string> notations = line.Notations();
        return notations[0] + " " + notations[1] + " " + notations[2];
      }());
      const std::string end = Tag(game, "Termination");
      if (end == "draw by repetition" || end == "draw by the 40-move rule") {
        EXPECT_EQ(game.Result, "1/2-1/2");
        EXPECT_EQ(DrawText(line.Draw()), end);
      } else {
        ASSERT_EQ(end, std::string(line.Side() == Black ? "Black" : "White") + " has no move");
        EXPECT_TRUE(TMoveGenerator.NoMovesLeft(line.Board(), line.Side()));
        EXPECT_EQ(game.Result, line.Side() == Black ? "0-1" : "1-0");
      }
    }
    EXPECT_EQ(rounds.size(), games);
    EXPECT_EQ(*rounds.rbegin(), static_cast<int>(games));
  };
  check(4);

  // Without --resume the file is not touched; with it only the new rounds are played.
  EXPECT_EQ(RunMatch("--games 6" + common).Exit, 2);
  const TRun more = RunMatch("--games 6 --resume" + common);
  ASSERT_EQ(more.Exit, 0) << more.Lines.back();
  EXPECT_EQ(Count(more, "game "), 2);
  EXPECT_EQ(Count(more, "game 5/6 "), 1);
  check(6);
}

TEST_F(MatchTest, AnEngineThatEndsStaysSilentOrPlaysIllegallyLosesAndTheMatchGoesOn) {
  const struct {
    const char* Name;
    const char* OnGo;
    const char* Termination;
  } cases[] = {
      {"Crasher", "kill -9 $$", "'s engine ended"},
      {"Sleeper", "sleep 30", "'s engine took longer than 20 ms and 100 ms more"},
      {"Cheater", "echo 'bestmove 1-5'", "'s engine played an illegal move 1-5 (not a legal move)"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    fs::remove(Pdn());
    const TRun run = RunMatch("--games 2 --movetime 20 --margin 100 --option1 EndgameDatabase=false --pdn '" + Pdn() +
                         "' " + Engine() + " " + Script(c.Name, c.OnGo));
    ASSERT_EQ(run.Exit, 0) << run.Lines.back();
    EXPECT_EQ(Count(run, "game "), 2);
    TPdnCollection collection;
    std::string error;
    ASSERT_TRUE(ReadPdnFile(Pdn(), &collection, &error)) << error;
    ASSERT_EQ(collection.Games.size(), 2u);
    for (const TPdnGame& game : collection.Games) {
      const bool black = game.Black == c.Name;
      EXPECT_EQ(game.Result, black ? "0-1" : "1-0");
      EXPECT_EQ(Tag(game, "Termination"), std::string(black ? "Black" : "White") + c.Termination);
      EXPECT_EQ(Tag(game, "Forfeit"), black ? "Black" : "White");
    }
    // The table counts both games as forfeits of the engine that lost them.
    bool counted = false;
    for (const std::string& line : run.Lines)
      counted |= line.rfind(c.Name, 0) == 0 && line.find(" 0      0      2 ") != std::string::npos &&
                 line.substr(line.size() - 2) == " 2";
    EXPECT_TRUE(counted);
  }
}
