// The numbers of the menu commands and pop-ups, named once. A tool-bar glyph
// carries its command's number. Shared by the menu table, the board window's
// response table and the tests.
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
  // Action
  MenuAction = 121,
  CmActionComputerGo = 122,
  CmActionForceMove = 123,
  CmActionHint = 124,
  // Options
  MenuOptions = 131,
  MenuLevel = 133,
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
  // Help
  CmAbout = 301,
};
}  // namespace CommandId
