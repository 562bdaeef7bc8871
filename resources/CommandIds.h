// The numbers of the menu commands and pop-ups, the cursors and the dialogs,
// named once. A tool-bar glyph carries its command's number. Shared by the
// resources, the board window and the tests.
#pragma once

namespace CommandId {
enum : int {
  // Game
  MenuGame = 101,
  CmFileNew = 102,
  CmFileOpen = 103,
  CmFileSave = 104,
  CmFileSaveAs = 105,
  CmFileExit = 106,
  CmFileImportPdn = 107,
  CmFileExportPdn = 108,
  // Moves
  MenuMoves = 111,
  CmMovesNormalPlay = 112,
  CmMovesTwoPlayer = 113,
  CmMovesAutoPlay = 114,
  CmMovesUndo = 115,
  CmMovesRedo = 116,
  CmMovesUndoAll = 117,
  CmMovesRedoAll = 118,
  CmMovesAnalyseGame = 119,
  // Action
  MenuAction = 121,
  CmActionComputerGo = 122,
  CmActionForceMove = 123,
  CmActionHint = 124,
  // Options
  MenuOptions = 131,
  MenuLevel = 133,
  MenuClock = 134,
  // Help
  MenuHelp = 141,
  // Board
  MenuBoard = 150,
  CmBoardInvertBoard = 151,
  CmBoardSetup = 152,
  CmBoardStarting = 153,
  CmBoardClear = 154,
  CmBoardBTurn = 155,
  CmBoardWTurn = 156,
  CmBoardSquareNumbers = 157,
  // View
  MenuView = 161,
  CmViewMoveList = 162,
  // Options
  CmOptionsSound = 252,
  CmOptionsLevel0 = 253,  // Easy; Level1 to Level7 follow in menu order
  CmOptionsLevel1 = 254,
  CmOptionsLevel2 = 255,
  CmOptionsLevel3 = 256,
  CmOptionsLevel4 = 257,
  CmOptionsLevel5 = 258,
  CmOptionsLevel6 = 259,
  CmOptionsLevel7 = 260,
  CmOptionsClock0 = 261,  // Untimed; the time controls follow in menu order
  CmOptionsClock1 = 262,
  CmOptionsClock2 = 263,
  CmOptionsClock3 = 264,
  CmOptionsClock4 = 265,
  // Help
  CmAbout = 301,
};
}  // namespace CommandId

// The cursors: a piece in the hand while it is dragged, and the hand over a
// piece that can move.
namespace CursorId {
enum : int {
  WhiteMan = 800,
  BlackMan = 801,
  WhiteKing = 802,
  BlackKing = 803,
  Hand = 804,
};
}  // namespace CursorId

namespace DialogId {
enum : int { About = 1001 };
}  // namespace DialogId
