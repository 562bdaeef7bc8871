// Analyse Game in the window: the searches run on the computer's thread while
// the window works; the marks go beside the moves, the scores into the graph,
// the best move is framed on the board; the analysis goes out with Export PDN
// and comes back with Import; Force Move and Esc stop it keeping what is
// done; moves played in place of analysed ones take their analysis with them.
// The hint names the best three moves. (Label `threaded`.)
#include <fstream>

#include "FilesFixture.h"
#include "engine/Metrics.h"
#include "framework/MoveListPanel.h"
#include "framework/ScoreGraph.h"
#include "game/Pdn.h"

namespace {

class ComputerThreadAnalysis : public GameFlowTest {
 protected:
  void SetUp() override {
    GameFlowTest::SetUp();
    window->AnalysisSeconds = 0.1;
  }
  // White's man on 5 and king on 9 against Black's man on 12 and king on 13:
  // 5-1 wins, 9-14 lets Black draw; White plays 9-14.
  void ImportPlantedBlunder() {
    const std::string path = PathOf("planted.pdn");
    std::ofstream(path) << "[FEN \"W:W5,K9:B12,K13\"]\n1... 9-14 13-9 2. 14-10 12-16 *\n";
    RunWithFileAnswer(CmFileImportPdn, path);
    ASSERT_EQ(window->GameRecord.MoveCount, 4);
  }
  // The colour inside the left edge of the square of number `n`, where a move's frame runs.
  TColor FrameColour(int n) {
    const TBitmap shot = window->Snapshot();
    const TGraphics& g = window->Graphics;
    const int square = TMetrics::NotationToSquare(n), width = std::max(2, g.SquareSize / 14);
    const int scale = shot.Width() / window->Attr.W;
    return shot.Color((g.SquareX[square] + width / 2 + 1) * scale, (g.SquareY[square] + g.SquareSize / 2) * scale);
  }
  TStatusBar& Bar() { return *frame->GetStatusBar(); }
  // A picture for a person to look at, in the build folder's screenshots/.
  void Shoot(const char* name) {
    const std::filesystem::path dir = std::filesystem::path(VAREK_BINARY_DIR) / "screenshots";
    std::filesystem::create_directories(dir);
    frame->EnableCommands();
    ProcessEvents(20);
    EXPECT_TRUE(GrabFrame(*frame).Save((dir / name).string().c_str()));
  }
};

TEST_F(ComputerThreadAnalysis, MarksTheBlunderShowsTheScoresAndFramesTheBestMove) {
  ImportPlantedBlunder();
  EXPECT_FALSE(window->GetScoreGraph()->IsVisible());
  ASSERT_TRUE(Enabled(CmMovesAnalyseGame));
  frame->ExecuteCommand(CmMovesAnalyseGame);
  EXPECT_TRUE(window->Analysing());
  EXPECT_EQ(Bar().ProgressTotal(), 5);  // the positions before each move and the last one
  EXPECT_TRUE(Enabled(CmActionForceMove));
  EXPECT_FALSE(Enabled(CmMovesAnalyseGame));
  ASSERT_TRUE(WaitUntilIdle());
  EXPECT_EQ(Bar().ProgressTotal(), 0);
  ASSERT_EQ(window->Analysis().size(), 4u);
  EXPECT_EQ(StatusText(), "analysis of 4 moves: 1 ??");
  EXPECT_EQ(ProgressText(), " | ");  // no figures of the last search are left behind
  EXPECT_EQ(window->GetMoveListPanel()->ShownRows(),
            (std::vector<std::string>{"1. ... 9-14??", "2. 13-9 14-10", "3. 12-16"}));
  ASSERT_TRUE(window->GetScoreGraph()->IsVisible());

  // At the start the analysis's best move, 5-1, is framed (the step itself
  // redraws the frame, not only the squares it changed); the status names it.
  frame->ExecuteCommand(CmMovesUndoAll);
  window->UpdateWindow();
  EXPECT_EQ(FrameColour(5), TColor(80, 215, 110));
  window->GetMoveListPanel()->Click(0, 1);
  // The score after 9-14 comes from a timed search (0.00 once it sees the
  // draw, more on a slow machine); the mark and the database's win do not.
  const std::string status = StatusText();
  EXPECT_EQ(status.rfind("move 1: 9-14?? ", 0), 0u) << status;
  EXPECT_TRUE(status.ends_with(", best 5-1 White wins in 9")) << status;
  frame->ExecuteCommand(CmMovesUndo);
  Shoot("analysis.png");
  // A click on the graph goes to its move.
  TScoreGraph& graph = *window->GetScoreGraph();
  graph.Click(TPoint(graph.PointOf(3, 0).x, 10));
  EXPECT_EQ(window->GameRecord.Position, 3);

  // Out with Export PDN, back with Import.
  const std::string exported = PathOf("analysed.pdn");
  RunWithFileAnswer(CmFileExportPdn, exported);
  TPdnCollection written;
  std::string error;
  ASSERT_TRUE(ReadPdnFile(exported, &written, &error)) << error;
  ASSERT_EQ(written.Games.size(), 1u);
  EXPECT_EQ(written.Games[0].NoteOf(0).Mark, "??");
  ASSERT_EQ(written.Games[0].NoteOf(0).Comments.size(), 1u);
  EXPECT_TRUE(written.Games[0].NoteOf(0).Comments[0].ends_with("; best 5-1")) << written.Games[0].NoteOf(0).Comments[0];
  frame->ExecuteCommand(CmFileNew);
  EXPECT_TRUE(window->Analysis().empty());
  EXPECT_FALSE(graph.IsVisible());
  RunWithFileAnswer(CmFileImportPdn, exported);
  ASSERT_EQ(window->Analysis().size(), 4u);
  EXPECT_EQ(window->Analysis()[0].Mark, TMoveMark::Blunder);
  EXPECT_TRUE(graph.IsVisible());

  // A move played in place of the third takes the analysis of it and after.
  window->ShowPosition(2);
  frame->ExecuteCommand(CmMovesTwoPlayer);
  const int* third = window->GameRecord.Cursor->Next->Move;
  int choice = 0;  // the first move of the window's order that is not the third
  for (int k = 0, n = 0; window->GameStatus.PossibleStart[k] != 0; ++k) {
    window->GameStatus.SetPossibleMoves(window->GameStatus.PossibleStart[k]);
    for (int m = 0; m < window->GameStatus.NumPossibleMoves; ++m, ++n) {
      const int* move = window->GameStatus.PossibleMoves.Moves[m];
      if (choice == 0 && (move[0] != third[0] || MoveDestination(move) != MoveDestination(third))) choice = n + 1;
    }
  }
  ASSERT_GT(choice, 0);
  window->GameStatus.SetPossibleStart();
  PlayMove(choice - 1);
  EXPECT_EQ(window->GameRecord.MoveCount, 3);
  EXPECT_EQ(window->Analysis().size(), 2u);
  EXPECT_EQ(window->GetMoveListPanel()->ShownRows()[0], "1. ... 9-14??");
}

TEST_F(ComputerThreadAnalysis, ForceMoveAndEscStopItKeepingWhatIsDone) {
  frame->ExecuteCommand(CmMovesTwoPlayer);
  PlayMoves(24);
  window->AnalysisSeconds = 0.4;
  for (bool escape : {false, true}) {
    frame->ExecuteCommand(CmMovesAnalyseGame);
    ASSERT_TRUE(ProcessEventsUntil([this] { return window->Analysis().size() >= 3; }, 20000));
    if (escape) {
      ASSERT_TRUE(ActivateFrame(*frame));
      frame->EnableCommands();
      SendKey(*frame, 0, VK_ESCAPE);
    } else {
      frame->ExecuteCommand(CmActionForceMove);
    }
    ASSERT_TRUE(WaitUntilIdle());
    const size_t kept = window->Analysis().size();
    EXPECT_GE(kept, 3u);
    EXPECT_LT(kept, 24u);
    EXPECT_EQ(StatusText().rfind("analysis stopped after " + std::to_string(kept) + " of 24 moves", 0), 0u)
        << StatusText();
    EXPECT_EQ(Bar().ProgressTotal(), 0);
    EXPECT_EQ(window->GameRecord.MoveCount, 24);  // the game is as it was
  }
}

TEST_F(ComputerThreadAnalysis, HintNamesTheBestThreeMovesWithTheirScores) {
  frame->ExecuteCommand(CmOptionsLevel1);  // a second before no iteration starts
  frame->ExecuteCommand(CmActionHint);
  ASSERT_TRUE(WaitUntilIdle());
  // "hint: 11-15 +0.03, 9-13 +0.01, 10-14 -0.02": three different moves of Black's seven.
  const std::string text = StatusText();
  ASSERT_EQ(text.rfind("hint: ", 0), 0u) << text;
  std::vector<std::string> moves;
  std::string rest = text.substr(6);
  for (size_t at = 0; at != std::string::npos;) {
    const size_t end = rest.find(", ", at);
    const std::string part = rest.substr(at, end == std::string::npos ? end : end - at);
    moves.push_back(part.substr(0, part.find(' ')));
    EXPECT_NE(part.find(' '), std::string::npos) << part;  // with its score
    at = end == std::string::npos ? end : end + 2;
  }
  ASSERT_EQ(moves.size(), 3u) << text;
  EXPECT_NE(moves[0], moves[1]);
  EXPECT_NE(moves[1], moves[2]);
  char framed[8];
  EXPECT_EQ(moves[0], TMetrics::MoveToStr(window->Hint(), framed));
}

}  // namespace
