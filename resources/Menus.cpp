// The menu bar and the accelerator table "COMMANDS".
#include <QImage>

#include "framework/Resources.h"
#include "resources/CommandIds.h"
#include "resources/VarekResources.h"

using namespace CommandId;

void AddCommandResources(TModule& module) {
  const TMenuItem separator{};
  module.AddMenu("COMMANDS", {
      {"&Game", MenuGame, {
          {"&New\tCtrl+N", CmFileNew, {}},
          {"&Open", CmFileOpen, {}},
          {"&Save", CmFileSave, {}},
          {"Save &as", CmFileSaveAs, {}},
          {"Import PDN...", CmFileImportPdn, {}},
          {"Export PDN...", CmFileExportPdn, {}},
          separator,
          {"E&xit\tCtrl+X", CmFileExit, {}},
      }},
      {"&Moves", MenuMoves, {
          {"&Undo move\tPgUp", CmMovesUndo, {}},
          {"&Undo All\tHome", CmMovesUndoAll, {}},
          {"&Redo move\tPgDn", CmMovesRedo, {}},
          {"&Redo All\tEnd", CmMovesRedoAll, {}},
          separator,
          {"&Analyse Game", CmMovesAnalyseGame, {}},
          separator,
          {"&Normal Play", CmMovesNormalPlay, {}},
          {"&Two Player", CmMovesTwoPlayer, {}},
          {"&Auto Play", CmMovesAutoPlay, {}},
      }},
      {"&Board", MenuBoard, {
          {"&Invert Board\tCtrl+I", CmBoardInvertBoard, {}},
          {"Square &Numbers", CmBoardSquareNumbers, {}},
          separator,
          {"&Setup position\tCtrl+S", CmBoardSetup, {}},
          {"&Starting Position", CmBoardStarting, {}},
          {"&Clear Board", CmBoardClear, {}},
          {"&Black to move", CmBoardBTurn, {}},
          {"&White to move", CmBoardWTurn, {}},
      }},
      {"&Action", MenuAction, {
          {"&Computer Go\tCtrl+G", CmActionComputerGo, {}},
          {"&Force Move\tCtrl+F", CmActionForceMove, {}},
          {"&Hint\tCtrl+H", CmActionHint, {}},
      }},
      {"&View", MenuView, {
          {"&Move List", CmViewMoveList, {}},
      }},
      {"&Options", MenuOptions, {
          {"&Level", MenuLevel, {
              {"Easy", CmOptionsLevel0, {}},
              {" 2 Seconds/Move", CmOptionsLevel1, {}},
              {" 5 Seconds/Move", CmOptionsLevel2, {}},
              {"10 Seconds/Move", CmOptionsLevel3, {}},
              {"15 Seconds/Move", CmOptionsLevel4, {}},
              {"30 Seconds/Move", CmOptionsLevel5, {}},
              {"60 Seconds/Move", CmOptionsLevel6, {}},
              {"Infinite", CmOptionsLevel7, {}},
          }},
          {"Game &Clock", MenuClock, {
              {"Untimed", CmOptionsClock0, {}},
              {"1 min + 1 s", CmOptionsClock1, {}},
              {"5 min + 3 s", CmOptionsClock2, {}},
              {"15 min", CmOptionsClock3, {}},
              {"30 moves in 10 min", CmOptionsClock4, {}},
          }},
          {"&Sound", CmOptionsSound, {}},
      }},
      {"&Help", MenuHelp, {
          {"&About", CmAbout, {}},
      }},
  });

  module.AddAccelerators("COMMANDS", {
      {FVIRTKEY | FCONTROL, 'N', CmFileNew},
      {FVIRTKEY | FCONTROL, 'I', CmBoardInvertBoard},
      {FVIRTKEY | FCONTROL, 'X', CmFileExit},
      {FVIRTKEY | FCONTROL, 'G', CmActionComputerGo},
      {FVIRTKEY | FCONTROL, 'F', CmActionForceMove},
      {FVIRTKEY, VK_ESCAPE, CmActionForceMove},
      {FVIRTKEY | FCONTROL, 'H', CmActionHint},
      {FVIRTKEY, VK_PRIOR, CmMovesUndo},
      {FVIRTKEY, VK_NEXT, CmMovesRedo},
      {FVIRTKEY, VK_HOME, CmMovesUndoAll},
      {FVIRTKEY, VK_END, CmMovesRedoAll},
      {FVIRTKEY | FCONTROL, 'S', CmBoardSetup},
  });
}

void LoadResources(TModule& module) {
  AddCommandResources(module);
  for (int size : {16, 32, 48, 256}) module.AddIcon("IDI_VAREK", TBitmap(DrawProgramIcon(size)));
  for (int id : GlyphCommands()) {
    module.AddBitmap(id, TBitmap(DrawToolGlyph(id)));
    module.AddDenserBitmap(id, TBitmap(DrawToolGlyph(id, 2)));
  }
  module.AddCursor(CursorId::Hand, TBitmap(DrawHandCursor()), TPoint(0, 0));
  AddAboutBox(module);
}
