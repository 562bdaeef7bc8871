// The window's side of the endgame database and of the game's history: what
// it loads and reports, and which positions it hands to the search.
#include <filesystem>
#include <fstream>

#include "UiFixture.h"
#include "engine/Metrics.h"
#include "engine/PositionString.h"
#include "ui/Thinking.h"
#include "ui/EndgameDatabase.h"

namespace {

class EndgameDatabase : public UiTest {
 protected:
  void TearDown() override {
    EXPECT_EQ(LoadEndgameDatabase(), "");  // the build's database again
    UiTest::TearDown();
  }
};

// Plays moves given by their square numbers.
void PlayMoves(std::initializer_list<std::pair<int, int>> moves) {
  for (auto [from, to] : moves) {
    const int move[3] = {TMetrics::NotationToSquare(from), TMetrics::NotationToSquare(to), 0};
    GameRecord.AddMove(move);
    TMoveGenerator::MakeMove(move, GameStatus.Board);
    GameStatus.SideToMove = 1 - GameStatus.SideToMove;
  }
}

}  // namespace

TEST_F(EndgameDatabase, ADamagedFileIsReportedAndTheRestServes) {
  const std::filesystem::path folder = std::filesystem::path(VAREK_BINARY_DIR) / "ui-egdb-test";
  std::filesystem::remove_all(folder);
  std::filesystem::copy(DefaultEgdbFolder(), folder);
  {
    std::ofstream damage(folder / "K-KK.egdb", std::ios::in | std::ios::out | std::ios::binary);
    damage.seekp(40);
    damage.put('\x7f');
  }
  const std::string problem = LoadEndgameDatabase(folder.string());
  EXPECT_EQ(problem, "endgame database: K-KK.egdb (fails its checksum) damaged; playing on without it");
  ASSERT_NE(LoadedEndgameDatabase(), nullptr);
  int board[BoardSize];
  TPlayer side;
  std::string error;
  ASSERT_TRUE(ParsePosition("W:WK14:BK19,K27", board, &side, &error));
  EXPECT_EQ(LoadedEndgameDatabase()->Probe(board, side), EgdbUnknown);
  ASSERT_TRUE(ParsePosition("W:WK14:BK19", board, &side, &error));
  EXPECT_EQ(LoadedEndgameDatabase()->Probe(board, side), EgdbDraw);
  std::filesystem::remove_all(folder);

  EXPECT_EQ(LoadEndgameDatabase((folder / "none").string()), "no endgame database found; playing without it");
  EXPECT_EQ(LoadedEndgameDatabase(), nullptr);
}

// At start the database loads on its own thread: the computer gets it once
// it is loaded, or before its first move when that comes sooner.
TEST_F(EndgameDatabase, LoadsWhileTheWindowShowsAndIsThereForTheFirstMove) {
  std::vector<std::string> reports;
  auto report = [&reports](const std::string& problem) { reports.push_back(problem); };
  StartLoadingEndgameDatabase(report);
  EXPECT_EQ(LoadedEndgameDatabase(), nullptr);  // not before the UI thread has it
  ASSERT_TRUE(ProcessEventsUntil([&] { return !reports.empty(); }, 30000));
  EXPECT_EQ(reports, std::vector<std::string>{""});
  EXPECT_NE(LoadedEndgameDatabase(), nullptr);

  const std::filesystem::path none = std::filesystem::path(VAREK_BINARY_DIR) / "ui-egdb-none";
  frame->ExecuteCommand(CmOptionsLevel0);  // Easy: a quick move
  StartLoadingEndgameDatabase(report, none.string());
  frame->ExecuteCommand(CmActionComputerGo);  // at once: the load is waited for
  ASSERT_EQ(reports.size(), 2u);
  EXPECT_EQ(reports[1], "no endgame database found; playing without it");
  EXPECT_EQ(LoadedEndgameDatabase(), nullptr);
  ASSERT_TRUE(ProcessEventsUntil([] { return !GameStatus.Thinking.load(); }, 30000));
  ProcessEvents(50);
  EXPECT_EQ(reports.size(), 2u);  // said once
}

TEST_F(EndgameDatabase, TheHistoryHoldsThePositionsSinceTheLastCaptureOrManMove) {
  SetPosition({{TMetrics::NotationToSquare(14), WhiteKing},
               {TMetrics::NotationToSquare(19), BlackKing},
               {TMetrics::NotationToSquare(9), BlackMan}},
              Black);
  PlayMoves({{19, 23}, {14, 18}, {9, 13}});  // the man's move ends what can come back
  const TPositionKey afterMan = MakePositionKey(GameStatus.Board, static_cast<TPlayer>(GameStatus.SideToMove));
  EXPECT_EQ(GameHistory(), std::vector<TPositionKey>{afterMan});
  PlayMoves({{18, 22}, {23, 19}});
  const std::vector<TPositionKey> history = GameHistory();
  ASSERT_EQ(history.size(), 3u);
  EXPECT_EQ(history[0], afterMan);
  EXPECT_EQ(history[2], MakePositionKey(GameStatus.Board, static_cast<TPlayer>(GameStatus.SideToMove)));
  // After an undo only the positions up to the one shown count.
  GameRecord.GoTo(4, GameStatus.Board, reinterpret_cast<TPlayer*>(&GameStatus.SideToMove));
  ASSERT_EQ(GameHistory().size(), 2u);
  EXPECT_EQ(GameHistory()[0], afterMan);
}
