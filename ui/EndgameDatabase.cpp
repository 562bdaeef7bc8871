#include "ui/EndgameDatabase.h"

#include <algorithm>

#include "engine/MoveGenerator.h"
#include "game/Game.h"
#include "search/Searcher.h"

namespace {

TEndgameDatabase Database;

}  // namespace

std::string LoadEndgameDatabase(const std::string& folder) {
  TSearcher.Database = nullptr;
  const TEgdbLoadReport report = Database.Load(folder);
  if (report.Files > 0) TSearcher.Database = &Database;
  return report.Problem();
}

std::vector<TPositionKey> GameHistory() {
  std::vector<TPositionKey> positions;
  int board[BoardSize];
  std::copy(GameRecord.StartBoard, GameRecord.StartBoard + BoardSize, board);
  TPlayer side = static_cast<TPlayer>(GameRecord.StartSide);
  int played = 0;
  for (const GameNode* node = GameRecord.Head->Next; node != nullptr && played < GameRecord.Position;
       node = node->Next, ++played) {
    // Nothing before a capture or a man's move can come back.
    if (IsIrreversibleMove(node->Move, board))
      positions.clear();
    else
      positions.push_back(MakePositionKey(board, side));
    TMoveGenerator::MakeMove(node->Move, board);
    side = static_cast<TPlayer>(1 - side);
  }
  return positions;
}
