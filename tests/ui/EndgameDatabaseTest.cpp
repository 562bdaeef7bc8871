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
  // Plays moves given by their square numbers.
  void PlayMoves(std::initializer_list<std::pair<int, int>> moves) {
    for (auto [from, to] : moves) {
      const int move[3] = {TMetrics::NotationToSquare(from), TMetrics::NotationToSquare(to), 0};
      window->GameRecord.AddMove(move);
      TMoveGenerator::MakeMove(move, window->GameStatus.Board);
      window->GameStatus.SideToMove = 1 - window->GameStatus.SideToMove;
    }
  }
};

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
  const std::string problem = window->EndgameDatabase().Load(folder.string());
  EXPECT_EQ(problem, "endgame database: K-KK.egdb (fails its checksum) damaged; playing on without it");
  ASSERT_NE(window->EndgameDatabase().Loaded(), nullptr);
  int board[BoardSize];
  TPlayer side;
  std::string error;
  ASSERT_TRUE(ParsePosition("W:WK14:BK19,K27", board, &side, &error));
  EXPECT_EQ(window->EndgameDatabase().Loaded()->Probe(board, side), EgdbUnknown);
  ASSERT_TRUE(ParsePosition("W:WK14:BK19", board, &side, &error));
  EXPECT_EQ(window->EndgameDatabase().Loaded()->Probe(board, side), EgdbDraw);
  std::filesystem::remove_all(folder);

  EXPECT_EQ(window->EndgameDatabase().Load((folder / "none").string()), "no endgame database found; playing without it");
  EXPECT_EQ(window->EndgameDatabase().Loaded(), nullptr);
}

// At start the database loads on its own thread: the computer gets it once
// it is loaded, or before its first move when that comes sooner.
TEST_F(EndgameDatabase, LoadsWhileTheWindowShowsAndIsThereForTheFirstMove) {
  std::vector<std::string> reports;
  auto report = [&reports](const std::string& problem) { reports.push_back(problem); };
  window->EndgameDatabase().StartLoading(report);
  EXPECT_EQ(window->EndgameDatabase().Loaded(), nullptr);  // not before the UI thread has it
  ASSERT_TRUE(ProcessEventsUntil([&] { return !reports.empty(); }, 30000));
  EXPECT_EQ(reports, std::vector<std::string>{""});
  EXPECT_NE(window->EndgameDatabase().Loaded(), nullptr);

  const std::filesystem::path none = std::filesystem::path(VAREK_BINARY_DIR) / "ui-egdb-none";
  frame->ExecuteCommand(CmOptionsLevel0);  // Easy: a quick move
  window->EndgameDatabase().StartLoading(report, none.string());
  frame->ExecuteCommand(CmActionComputerGo);  // at once: the load is waited for
  ASSERT_EQ(reports.size(), 2u);
  EXPECT_EQ(reports[1], "no endgame database found; playing without it");
  EXPECT_EQ(window->EndgameDatabase().Loaded(), nullptr);
  ASSERT_TRUE(ProcessEventsUntil([this] { return !window->GameStatus.Thinking; }, 30000));
  ProcessEvents(50);
  EXPECT_EQ(reports.size(), 2u);  // said once
}

TEST_F(EndgameDatabase, TheHistoryHoldsThePositionsSinceTheLastCaptureOrManMove) {
  SetPosition({{TMetrics::NotationToSquare(14), WhiteKing},
               {TMetrics::NotationToSquare(19), BlackKing},
               {TMetrics::NotationToSquare(9), BlackMan}},
              Black);
  PlayMoves({{19, 23}, {14, 18}, {9, 13}});  // the man's move ends what can come back
  const TPositionKey afterMan = MakePositionKey(window->GameStatus.Board, static_cast<TPlayer>(window->GameStatus.SideToMove));
  EXPECT_EQ(GameHistory(window->GameRecord), std::vector<TPositionKey>{afterMan});
  PlayMoves({{18, 22}, {23, 19}});
  const std::vector<TPositionKey> history = GameHistory(window->GameRecord);
  ASSERT_EQ(history.size(), 3u);
  EXPECT_EQ(history[0], afterMan);
  EXPECT_EQ(history[2], MakePositionKey(window->GameStatus.Board, static_cast<TPlayer>(window->GameStatus.SideToMove)));
  // After an undo only the positions up to the one shown count.
  window->GameRecord.GoTo(4, window->GameStatus.Board, reinterpret_cast<TPlayer*>(&window->GameStatus.SideToMove));
  ASSERT_EQ(GameHistory(window->GameRecord).size(), 2u);
  EXPECT_EQ(GameHistory(window->GameRecord)[0], afterMan);
}
