// TVarekWindow: the board window, the frame's client. It owns the game (the
// position and its settings, the record, the drawing and the computer's
// thread), draws it, takes the user's moves and setup edits from the mouse,
// and handles every menu command and its enabler through its response table.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "analysis/GameAnalysis.h"
#include "engine/Board.h"
#include "framework/Dialogs.h"
#include "framework/Window.h"
#include "game/Game.h"
#include "game/GameClock.h"
#include "ui/EndgameDatabase.h"
#include "ui/GameStatus.h"
#include "ui/Graphics.h"
#include "ui/MoveAnimation.h"
#include "ui/Progress.h"
#include "ui/Thinking.h"

class TMoveListPanel;
class TScoreGraph;
class TStatusBar;
class TTimer;
struct TMoveListContents;

class TVarekWindow : public TWindow {
 public:
  explicit TVarekWindow(TWindow* parent = nullptr);
  ~TVarekWindow() override;

  TGameStatus GameStatus;            // the position shown, its move input and the window's settings
  Game GameRecord;                   // the game played to reach it, and what can be redone
  TGraphics Graphics;                // the board's geometry of the last paint, its colours and marks
  TOpenSaveDialog::TData* FileData;  // shared by Open and Save As
  TOpenSaveDialog::TData PdnData;    // shared by Import PDN and Export PDN
  int UserSide;                      // the side the user last moved in Normal Play (You in an export)
  bool GameChanged;                  // differs from what was last saved or loaded
  bool Untitled;                     // no file name yet
  std::string FileFolder;            // where a game was last saved or opened ("" before)

  bool CanClose() override;
  void Paint(TDC& dc, bool erase, TRect& rect) override;
  bool Find(TEventInfo& info) override;

  void EvSize(unsigned sizeType, const TSize& size);
  // Redraws the squares that differ from `previous`.
  void UpdateBoard(const int* previous);
  // Frames the squares of the move that led to the position shown (none at
  // the record's start), redrawing the squares whose frame comes or goes.
  void ShowLastMove();
  // Shows the move step by step, then makes it on the board and calls `then`.
  // The user's moves and the computer's alike; meanwhile the window is busy.
  void MakeMoveShowMove(const int* move, std::function<void()> then = nullptr);
  // The pauses of a move being shown are this many times their length (tests
  // speed them up; 0 shows a move at once).
  double AnimationScale = 1.0;
  bool OpeningBookOff = false;  // the computer plays no book move (tests that want it to think from the start)
  // The computer thinks or a move is being shown: the game is left alone,
  // the mouse does nothing and the commands that would change it are grayed.
  bool Busy() const;

  // The computer plays the side to move, and on in Auto Play; its moves are
  // played as the user's are, one search request at a time.
  void StartThinkingMove();
  // Settles what is under way at once: a search is stopped for good and its
  // move played and recorded, a move being shown is made. Before the window
  // closes.
  void StopThinkingMove();
  TComputerThread& ComputerThread() { return computer_; }
  TEndgameDatabaseLoader& EndgameDatabase() { return endgameDatabase_; }
  // The frame's status bar, where every one-line report goes (null outside a frame).
  TStatusBar* StatusBar() const;
  // The computer's progress on that bar; the application adds its fields.
  TProgressDisplay& Progress() { return progress_; }
  // The one-line report on the status bar.
  void ShowStatus(const std::string& text);

  // Mouse.
  void EvLButtonDown(unsigned modKeys, const TPoint& point);
  void EvLButtonUp(unsigned modKeys, const TPoint& point);
  void EvMouseMove(unsigned modKeys, const TPoint& point);
  void EvRButtonDown(unsigned modKeys, const TPoint& point);
  void EvLButtonDblClk(unsigned modKeys, const TPoint& point);
  void EvRButtonDblClk(unsigned modKeys, const TPoint& point);

  // Game.
  void CmFileNew();
  void CmFileOpen();
  void CmFileSave();
  void CmFileSaveAs();
  void CmFileExit();
  // Write the game to, or read it from, the file named in FileData (a .pdn
  // file is imported).
  bool SaveFile();
  void OpenFile();
  void CmFileImportPdn();
  void CmFileExportPdn();
  // Reads a PDN file and opens the game chosen from it; false when none was opened.
  bool ImportPdn(const std::string& path);
  // Import PDN reads a file smaller than this before it shows anything; a
  // bigger one is listed as it is read.
  std::uintmax_t ListWhileReadingFrom = std::uintmax_t{1} << 20;
  // Opens the file named on the command line, reporting failures as Open does.
  void OpenStartFile(const std::string& path);
  // View.
  void CmViewMoveList();
  // The move list beside the board, made by the application with the frame.
  void SetMoveListPanel(std::unique_ptr<TMoveListPanel> panel);
  TMoveListPanel* GetMoveListPanel() const { return moveList_.get(); }
  // Shows the record as it is now in the move list (only what changed).
  void SyncMoveList();
  // After a move: when it made the game drawn, says so on the status bar and
  // in a message box, and returns true (the computer then does not play on
  // by itself).
  bool NoticeDraw();
  // Shows `text` on the status bar and, when the game was decided and the
  // program is not closing, in a message box.
  void AnnounceGameOver(const char* text);
  // Shows the position after move n of the record, as undo and redo do.
  void ShowPosition(int n);
  // Moves.
  void CmMovesUndo();
  void CmMovesUndoAll();
  void CmMovesRedo();
  void CmMovesRedoAll();
  void CmMovesNormalPlay();
  void CmMovesTwoPlayer();
  void CmMovesAutoPlay();
  // Analyse Game: every position of the record searched on the computer's
  // thread, AnalysisSeconds a move; Force Move stops it, keeping what is done.
  void CmMovesAnalyseGame();
  double AnalysisSeconds = 1.0;
  // The analysis shown, of the record's first moves (empty: none). It lasts
  // while the record holds the moves it was made of: a new game, Setup, or a
  // move played in place of an analysed one ends it (or the part after it).
  const std::vector<TMoveAnalysis>& Analysis() const { return analysis_; }
  bool Analysing() const { return run_ == TRun::Analysis; }
  // The graph of the analysis under the move list, made by the application with it.
  void SetScoreGraph(std::unique_ptr<TScoreGraph> graph);
  TScoreGraph* GetScoreGraph() const { return scoreGraph_.get(); }
  // Board.
  void CmBoardInvertBoard();
  void CmBoardSquareNumbers();
  void CmBoardSetup();
  void CmBoardStarting();
  void CmBoardClear();
  void CmBoardBTurn();
  void CmBoardWTurn();
  // Action.
  void CmActionComputerGo();
  void CmActionForceMove();
  void CmActionHint();
  // The hint's search found `move`: marks its squares and shows the search's
  // result line `info`, its message replaced by `lines` when there are any.
  void ShowHint(const int* move, const char* info, const std::string& lines = "");
  // Removes the marks of a hint (the next command or move does).
  void ClearHint();
  bool HintShown() const { return hint_[0] != 0; }
  const int* Hint() const { return hint_; }
  // Options and Help.
  // Level items 0 (Easy) to 7 (Infinite).
  void CmOptionsLevel(int level);
  void CmOptionsSound();
  // Game Clock items 0 (Untimed) to 4, as the menu orders them; remembered.
  void CmOptionsClock(int item);
  void SetClock(int item);
  static const TTimeControl& ClockControl(int item);
  static constexpr int ClockItems = 5;
  // The game's clocks: they start with the first move, count down for the
  // side to move and stop while the computer analyses; a flag that falls
  // ends the game.
  const TGameClock& Clock() const { return clock_; }
  // Milliseconds from a steady clock (SteadyMilliseconds); tests script it.
  std::function<long long()> ClockTime;
  // What the clock's timer does every tenth of a second: shows the times and
  // ends the game when the flag of the side to move has fallen.
  void TickClock();
  // The side that lost on time, or -1; "White loses on time" or "".
  int LostOnTime() const { return lostOnTime_; }
  std::string GameOverOnTime() const;
  // Level 0 (Easy) to 7 (Infinite), as the Level menu sets it; remembered.
  void SetLevel(int level);
  void CmAbout();

  // Enablers.
  void CeNotThinking(TCommandEnabler& ce);
  void CeThinking(TCommandEnabler& ce);
  void CeActionHint(TCommandEnabler& ce);
  void CeMovesUndo(TCommandEnabler& ce);
  void CeMovesRedo(TCommandEnabler& ce);
  void CeMovesNormalPlay(TCommandEnabler& ce);
  void CeMovesTwoPlayer(TCommandEnabler& ce);
  void CeMovesAutoPlay(TCommandEnabler& ce);
  void CeBoardSquareNumbers(TCommandEnabler& ce);
  void CeBoardSetup(TCommandEnabler& ce);
  void CeBoardStarting(TCommandEnabler& ce);
  void CeBoardClear(TCommandEnabler& ce);
  void CeBoardBTurn(TCommandEnabler& ce);
  void CeBoardWTurn(TCommandEnabler& ce);
  void CeOptionsLevel(TCommandEnabler& ce, int level);
  void CeOptionsSound(TCommandEnabler& ce);
  void CeOptionsClock(TCommandEnabler& ce, int item);
  void CeMovesAnalyseGame(TCommandEnabler& ce);
  void CeViewMoveList(TCommandEnabler& ce);

  static const TResponseEntry<TVarekWindow> ResponseTable[];

 private:
  enum class TNavigation { Undo, UndoAll, Redo, RedoAll };
  void Navigate(TNavigation step);
  int UndoStep() const;
  int RedoStep() const;
  void PrepareFileDialog();
  void RememberFileFolder();
  void SetSideToMove(int side);
  // "... ~ %d moves" with the record's move count.
  void ShowMoveCount(const char* format);
  bool Thinking() const;
  // Draws on the window now, between paints.
  void Draw(const std::function<void(TDC&)>& drawing);
  // Redraws the squares where `now` differs from `before`.
  void ShowChanges(const int* before, const int* now);
  // The board as the window shows it: the current one, or a move's picture while it is shown.
  const int* ShownBoard() const;
  void PlayUserMove(const int* move);
  // The path of every move, the user's and the computer's: shown, made,
  // recorded and framed, then the end of the game or a draw is told and the
  // game goes on (the computer answers, Auto Play plays the next move).
  void PlayMove(const int* move, bool byUser);
  void MovePlayed(const int* move, bool byUser);
  // The computer's run: its searches (one after the other in Auto Play), a
  // hint's, or an analysis's (one a position).
  enum class TRun { None, Move, Hint, Analysis };
  TSearchRequest CurrentSearchRequest() const;
  bool StartSearch(TRun run);
  bool StartRequest(TRun run, TSearchRequest request);
  void SearchDone(const TSearchResult& result);
  void EndComputerRun();
  // Puts a picked-up piece back and lets go of the mouse (a command arrived mid-drag).
  void CancelDrag();
  void EditSquares(const TPoint& point, bool leftButton);
  // The games of a PDN file to open one of; false when none was opened.
  bool ImportFrom(const std::shared_ptr<class TImportList>& games);
  // The record holds another game now: what was shown of the last one (the
  // computer's figures, an imported game's tags, the analysis, the clocks) goes.
  void ForgetLastGame();
  // The game chosen from a PDN collection becomes the record, at its last move.
  void LoadImported(const struct TPdnGame& game);
  // "... ~ %d moves" with the record's moves numbered in pairs, as PDN numbers them.
  void ShowNumberedMoves(const char* format);

  void DrawHint(TDC& dc);
  // A frame inside each square `move` starts from, lands on or ends on.
  void DrawMoveFrame(TDC& dc, const int* move, TColor colour);
  // A hint's lines as they come (best first), and "hint: 11-15 +0.03, 9-13
  // +0.01, 10-14 -0.02" when the last iteration's lines lead with the result's
  // move ("" otherwise).
  void HintLine(const TComputerLine& line);
  std::string HintLinesText(const TSearchResult& result) const;
  std::vector<TComputerLine> hintLines_;
  static constexpr int HintLines = 3;

  // The analysis (ui/Analysis.cpp).
  bool NextAnalysisSearch();
  void AnalysisDone(const TSearchResult& result);
  void FinishAnalysis();
  void ClearAnalysis();
  // Keeps the analysis to the moves the record still holds; shows it in the graph.
  void SyncAnalysis();
  // "22-18? -1.20, best 24-20 +0.05" for analysed move n, or "".
  std::string AnalysisNote(int n) const;
  // `text` on the status bar with the analysis of move n, and the best move's
  // frame moved to the position shown.
  void ShowAnalysedPosition(const std::string& text, int n);
  void DrawAnalysisBest(TDC& dc);
  std::unique_ptr<TGameAnalysis> analysing_;
  std::vector<TMoveAnalysis> analysis_;
  std::vector<std::vector<int>> analysedMoves_;  // the moves the analysis is of
  int analysedStart_[BoardSize] = {};
  int analysedSide_ = Black;
  std::unique_ptr<TScoreGraph> scoreGraph_;

  // The clocks (ui/GameClocks.cpp).
  // A move was chosen: the mover's clock stops and gets its increment; false
  // when its flag had fallen (the game is then lost on time).
  bool ClockMoveChosen();
  // The move is on the board: the clock of the side to move runs, unless the game is over.
  void ClockMovePlayed(bool gameOver);
  // After a step through the record or an analysis: the side to move's clock runs.
  void ClockFollowsPosition();
  void ResetClocks();
  void LoseOnTime(int side);
  void ShowClocks();
  TGameClock clock_;
  int clockItem_ = 0;
  bool clockStarted_ = false;  // a move has been played on these clocks
  bool clockPaused_ = false;   // stopped for an analysis, to run again after it
  int lostOnTime_ = -1;
  std::unique_ptr<TTimer> clockTicker_;
  int clockFields_[2] = {-1, -1};  // the status bar's fields of Black's and White's clocks

  int hint_[MoveBufferSize] = {0};  // the suggested move; empty when none is shown
  // The game as imported, for its tags on export; null for one begun here.
  std::shared_ptr<const struct TPdnGame> imported_;
  TRun run_ = TRun::None;
  bool closing_ = false;  // StopThinkingMove is settling things
  TMoveAnimation animation_;
  TProgressDisplay progress_;
  // The computer's thread goes first (members go in reverse order): its searches read the database.
  TEndgameDatabaseLoader endgameDatabase_;
  TComputerThread computer_;
  std::unique_ptr<TMoveListPanel> moveList_;
  std::unique_ptr<TMoveListContents> shownMoves_;  // what the move list shows now
};

// Milliseconds of a steady clock, the game clocks' time.
long long SteadyMilliseconds();
