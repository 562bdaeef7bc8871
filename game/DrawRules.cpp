#include "game/DrawRules.h"

#include <algorithm>

#include "engine/MoveGenerator.h"

std::vector<TPositionKey> PositionsSinceIrreversible(const Game& record, int position) {
  int board[BoardSize];
  std::copy(record.StartBoard, record.StartBoard + BoardSize, board);
  auto side = static_cast<TPlayer>(record.StartSide);
  std::vector<TPositionKey> keys{MakePositionKey(board, side)};
  const GameNode* node = record.Head->Next;
  for (int n = 0; n < position && node != nullptr; ++n, node = node->Next) {
    if (IsIrreversibleMove(node->Move, board)) keys.clear();
    TMoveGenerator::MakeMove(node->Move, board);
    side = static_cast<TPlayer>(1 - side);
    keys.push_back(MakePositionKey(board, side));
  }
  return keys;
}

TDraw FindDraw(const Game& record, int position) {
  const std::vector<TPositionKey> keys = PositionsSinceIrreversible(record, position);
  if (CountOccurrences(keys, keys.back()) >= 3) return TDraw::Repetition;
  // The list holds the position reached by each reversible move and the one before them.
  if (static_cast<int>(keys.size()) - 1 >= FortyMoveRulePlies) return TDraw::FortyMoves;
  return TDraw::None;
}

TDraw NewDraw(const Game& record, int position) {
  const TDraw draw = FindDraw(record, position);
  if (draw == TDraw::None || position == 0 || FindDraw(record, position - 1) != draw) return draw;
  return TDraw::None;
}

const char* DrawText(TDraw draw) {
  switch (draw) {
    case TDraw::Repetition: return "draw by repetition";
    case TDraw::FortyMoves: return "draw by the 40-move rule";
    case TDraw::None: break;
  }
  return "";
}
