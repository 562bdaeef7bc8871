// varek-cli's rules commands, run as a separate program: output formats and exit codes.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "engine/Metrics.h"
#include "engine/PositionString.h"
#include "game/GameFile.h"
#include "game/Pdn.h"
#include "tests/game/GameTestSupport.h"

namespace {

namespace fs = std::filesystem;
using namespace gametest;

struct TRun {
  int Exit = -1;
  std::string Out, Err;
  std::vector<std::string> Lines() const {
    std::vector<std::string> lines;
    std::istringstream in(Out);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
  }
};

std::string Quote(const std::string& word) {
  std::string quoted = "'";
  for (char c : word) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class CompanionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = fs::temp_directory_path() / ("varek-cli-" + std::to_string(::getpid()));
    fs::create_directories(folder);
  }
  void TearDown() override { fs::remove_all(folder); }

  TRun Run(const std::vector<std::string>& words) {
    std::string command = Quote(VAREK_BINARY_DIR "/tools/varek-cli");
    for (const std::string& word : words) command.append(" ").append(Quote(word));
    const fs::path out = folder / "out", err = folder / "err";
    command.append(" >").append(Quote(out.string())).append(" 2>").append(Quote(err.string()));
    TRun run;
    const int status = std::system(command.c_str());
    run.Exit = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.Out = ReadFile(out);
    run.Err = ReadFile(err);
    return run;
  }

  // An error: the given exit code, nothing on stdout, one line on stderr
  // containing `words`.
  void ExpectError(const std::vector<std::string>& args, int code, const std::string& words) {
    const TRun run = Run(args);
    std::string shown;
    for (const auto& a : args) shown += a + " ";
    EXPECT_EQ(run.Exit, code) << shown;
    EXPECT_EQ(run.Out, "") << shown;
    EXPECT_NE(run.Err.find(words), std::string::npos) << shown << "-> " << run.Err;
    const std::string firstLine = run.Err.substr(0, run.Err.find('\n') + 1);
    EXPECT_EQ(firstLine.find('\n'), firstLine.size() - 1) << shown;
  }

  fs::path folder;
};

TEST_F(CompanionTest, Perft) {
  TRun run = Run({"perft", "6"});
  EXPECT_EQ(run.Exit, 0);
  EXPECT_EQ(run.Out.rfind("perft(6) = 36768 ", 0), 0u) << run.Out;
  EXPECT_NE(run.Out.find(" s "), std::string::npos);
  EXPECT_NE(run.Out.find("nodes/s\n"), std::string::npos);
  EXPECT_EQ(run.Lines().size(), 1u);
  EXPECT_EQ(run.Err, "");
  run = Run({"perft", "0"});
  EXPECT_EQ(run.Out.rfind("perft(0) = 1 ", 0), 0u) << run.Out;
  // From a given position: the king's two loops, then Black's replies.
  run = Run({"perft", "1", "W:WK19:B15,14,22,23"});
  EXPECT_EQ(run.Out.rfind("perft(1) = 2 ", 0), 0u) << run.Out;
}

TEST_F(CompanionTest, Divide) {
  const TRun run = Run({"divide", "3"});
  EXPECT_EQ(run.Exit, 0);
  EXPECT_EQ(run.Lines(), (std::vector<std::string>{"12-16 47", "11-16 47", "11-15 40", "10-15 40", "10-14 40",
                                                   "9-14 40", "9-13 48", "total 302"}));
  const TRun routes = Run({"divide", "1", "W:W27:B24,23,16,15"});
  EXPECT_EQ(routes.Lines(), (std::vector<std::string>{"27x11 1", "27x11 1", "total 2"}));
}

TEST_F(CompanionTest, ShowPrintsTheGame) {
  std::mt19937 random(17);
  const TPlayedGame played = PlayRandomGame(random, StartingBoard(), Black, 9);
  Game record;
  Record(record, played);
  const fs::path file = folder / "game.vrk";
  ASSERT_TRUE(SaveGameFile(file.string(), record));
  const TRun run = Run({"show", file.string()});
  EXPECT_EQ(run.Exit, 0) << run.Err;
  const std::vector<std::string> lines = run.Lines();
  ASSERT_EQ(lines.size(), 7u) << run.Out;  // start, five numbered lines, the final position
  EXPECT_EQ(lines[0], "start B:W21,22,23,24,25,26,27,28,29,30,31,32:B1,2,3,4,5,6,7,8,9,10,11,12");
  char a[6], b[6];
  TMetrics::MoveToStr(played.Moves[0].data(), a);
  TMetrics::MoveToStr(played.Moves[1].data(), b);
  EXPECT_EQ(lines[1], std::string("1. ") + a + " " + b);
  TMetrics::MoveToStr(played.Moves[8].data(), a);
  EXPECT_EQ(lines[5], std::string("5. ") + a);
  EXPECT_EQ(lines[6], FormatPosition(played.Positions[9].data(), played.Sides[9]));
}

TEST_F(CompanionTest, ShowGameStartingWithWhite) {
  TBoard start;
  TPlayer side;
  std::string error;
  ASSERT_TRUE(ParsePosition("W:W5:B20", start.data(), &side, &error));
  Game record;
  record.InitGame(start.data(), side);
  const int crown[] = {40, 44, 0};
  record.AddMove(crown);
  const fs::path file = folder / "white.vrk";
  ASSERT_TRUE(SaveGameFile(file.string(), record));
  const TRun run = Run({"show", file.string()});
  EXPECT_EQ(run.Lines(), (std::vector<std::string>{"start W:W5:B20", "1. ... 5-1", "B:WK1:B20"}));
}

TEST_F(CompanionTest, ShowRefusesDamagedAndMissingFiles) {
  Game record;
  const TBoard start = StartingBoard();
  record.InitGame(start.data(), Black);
  std::string bytes = Save(record);
  bytes[10] = 7;
  const fs::path file = folder / "bad.vrk";
  { std::ofstream(file, std::ios::binary) << bytes; }
  ExpectError({"show", file.string()}, 1, "The file you tried to open contains errors. It means:  the file");
  ExpectError({"show", (folder / "none.vrk").string()}, 2, "cannot open");
  ExpectError({"show", folder.string()}, 2, "cannot open");
}

TEST_F(CompanionTest, BadWords) {
  ExpectError({}, 2, "usage");
  ExpectError({"fly"}, 2, "unknown command 'fly'");
  ExpectError({"perft"}, 2, "usage");
  ExpectError({"perft", "x"}, 2, "DEPTH");
  ExpectError({"perft", "-1"}, 2, "DEPTH");
  ExpectError({"perft", "999"}, 2, "DEPTH");
  ExpectError({"perft", "3", "B:W1:B5", "more"}, 2, "usage");
  ExpectError({"divide", "0"}, 2, "DEPTH");
  ExpectError({"perft", "2", "B:W21,21"}, 2, "twice");
  ExpectError({"perft", "2", "B:W33"}, 2, "outside 1 to 32");
  ExpectError({"divide", "2", "B:B29"}, 2, "crowning row");
  ExpectError({"perft", "2", "nonsense"}, 2, "side to move");
  ExpectError({"show"}, 2, "usage");
  const TRun help = Run({"help"});
  EXPECT_EQ(help.Exit, 0);
  EXPECT_NE(help.Out.find("perft DEPTH [POSITION]"), std::string::npos);
}

// A collection of three games, the second with an illegal move.
const char Collection[] = R"([Event "Club"] [Black "Ann"] [White "Bob"] [Date "2026.12.08"]
1. 11-15 23-19 2. 8-11 22-17 1-0
[Black "Cy"] [White "Di"]
1. 11-15 23-19 2. 8-11 22-17 3. 9-13 17x10 *
[FEN "W:W5:B20"] 1... 5-1 0-1
)";

TEST_F(CompanionTest, PdnListsTheGamesAndTheRefusedOnes) {
  const fs::path file = folder / "games.pdn";
  { std::ofstream(file) << Collection; }
  const TRun run = Run({"pdn", file.string()});
  EXPECT_EQ(run.Exit, 1);
  EXPECT_EQ(run.Lines(), (std::vector<std::string>{"1. Ann - Bob | Club | 2026.12.08 | 1-0 | 2 moves",
                                                   "3. ? - ? | ? | ? | 0-1 | 1 moves", "2 games read, 1 refused"}));
  EXPECT_EQ(run.Err, "varek-cli pdn: " + file.string() + ": game 2 (Cy - Di): move 3... 17x10: not a legal move\n");
  ExpectError({"pdn", (folder / "none.pdn").string()}, 2, "cannot open");
  ExpectError({"pdn"}, 2, "usage");
}

TEST_F(CompanionTest, ConvertBetweenSavedGamesAndPdn) {
  const fs::path pdn = folder / "games.pdn", vrk = folder / "third.vrk", back = folder / "back.pdn";
  { std::ofstream(pdn) << Collection; }
  ExpectError({"convert", pdn.string(), vrk.string()}, 2, "holds 3 games: choose one with --game N");
  ExpectError({"convert", "--game", "2", pdn.string(), vrk.string()}, 1, "game 2 (Cy - Di): move 3...");
  ExpectError({"convert", "--game", "4", pdn.string(), vrk.string()}, 2, "has no game 4");
  ExpectError({"convert", "--game", "x", pdn.string(), vrk.string()}, 2, "--game");
  ExpectError({"convert", pdn.string(), (folder / "out.txt").string()}, 2, ".pdn or .vrk");
  EXPECT_FALSE(fs::exists(vrk));

  TRun run = Run({"convert", "--game", "3", pdn.string(), vrk.string()});
  ASSERT_EQ(run.Exit, 0) << run.Err;
  EXPECT_EQ(Run({"show", vrk.string()}).Lines(), (std::vector<std::string>{"start W:W5:B20", "1. ... 5-1", "B:WK1:B20"}));
  EXPECT_EQ(Run({"show", "--game", "3", pdn.string()}).Out, Run({"show", vrk.string()}).Out);
  // Back to PDN: the same game; a saved game keeps no result, and Black can still move.
  run = Run({"convert", vrk.string(), back.string()});
  ASSERT_EQ(run.Exit, 0) << run.Err;
  const std::string text = ReadFile(back);
  EXPECT_NE(text.find("[FEN \"W:W5:B20\"]"), std::string::npos) << text;
  EXPECT_NE(text.find("1... 5-1 *"), std::string::npos) << text;
  ExpectError({"convert", vrk.string(), (folder / "no" / "such.pdn").string()}, 1, "cannot write");
  ExpectError({"show", "--game", "2", vrk.string()}, 2, "--game is for PDN");
}

// Every game of a collection analysed into one file, the refused one left
// out and said; the thrown-away win of the set-up game marked with the move that wins.
TEST_F(CompanionTest, AnalyseMarksEveryGameOfACollection) {
  const fs::path pdn = folder / "games.pdn", out = folder / "analysed.pdn";
  { std::ofstream(pdn) << Collection << "[FEN \"W:W5,K9:B12,K13\"] 1... 9-14 13-9 2. 14-10 *\n"; }
  const TRun run = Run({"analyse", "--time", "0.05", pdn.string(), out.string()});
  EXPECT_EQ(run.Exit, 1) << run.Err;
  EXPECT_NE(run.Err.find("game 2 (Cy - Di): move 3... 17x10: not a legal move"), std::string::npos) << run.Err;
  ASSERT_EQ(run.Lines().size(), 3u) << run.Out;
  EXPECT_EQ(run.Lines()[2].rfind("game 4 (? - ?): 3 moves, 1 ??, 0 ?, 0 ?!, ", 0), 0u) << run.Out;
  const TPdnCollection analysed = ReadPdn(ReadFile(out));
  ASSERT_EQ(analysed.Games.size(), 3u);
  const TPdnGame& last = analysed.Games[2];
  EXPECT_EQ(last.NoteOf(0).Mark, "??");
  EXPECT_EQ(last.NoteOf(0).Comments, (std::vector<std::string>{"0.00; best 5-1"}));
  EXPECT_EQ(analysed.Games[0].Black, "Ann");
  EXPECT_EQ(analysed.Games[0].NoteOf(3).Comments.size(), 1u);
  EXPECT_EQ(analysed.Games[0].OtherTags.back().Name, "Annotator");

  ExpectError({"analyse", pdn.string()}, 2, "usage");
  ExpectError({"analyse", pdn.string(), (folder / "out.txt").string()}, 2, "OUT must end in .pdn");
  ExpectError({"analyse", "--time", "0", pdn.string(), out.string()}, 2, "--time");
  ExpectError({"analyse", (folder / "none.pdn").string(), out.string()}, 2, "cannot open");
}

}  // namespace
