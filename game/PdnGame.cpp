// A PDN game's own helpers and its conversions to and from the game record.
#include <algorithm>

#include "engine/MoveGenerator.h"
#include "engine/MoveList.h"
#include "game/DrawRules.h"
#include "game/Pdn.h"

namespace {

bool IsListed(const int* move, const TMoveList& legal) {
  const int n = MoveLength(move);
  for (int m = 0; m < legal.NumMoves; ++m)
    if (std::equal(move, move + n + 1, legal.Moves[m])) return true;
  return false;
}

}  // namespace

TPdnGame::TPdnGame() { TMoveGenerator::InitBoard(StartBoard); }

bool TPdnGame::FromStartingPosition() const {
  int start[BoardSize];
  TMoveGenerator::InitBoard(start);
  return StartSide == ::Black && std::equal(start, start + BoardSize, StartBoard);
}

std::string TPdnGame::Players() const {
  return (Black.empty() ? "?" : Black) + " - " + (White.empty() ? "?" : White);
}

TPdnGame::TMoveNote& TPdnGame::Note(size_t n) {
  if (Notes.size() <= n) Notes.resize(n + 1);
  return Notes[n];
}

const TPdnGame::TMoveNote& TPdnGame::NoteOf(size_t n) const {
  static const TMoveNote none;
  return n < Notes.size() ? Notes[n] : none;
}

bool TPdnGame::operator==(const TPdnGame& other) const {
  for (size_t n = 0; n < std::max(Notes.size(), other.Notes.size()); ++n)
    if (!(NoteOf(n) == other.NoteOf(n))) return false;
  return Event == other.Event && Date == other.Date && Black == other.Black && White == other.White &&
         Result == other.Result && OtherTags == other.OtherTags && StartSide == other.StartSide &&
         std::equal(StartBoard, StartBoard + BoardSize, other.StartBoard) && Moves == other.Moves &&
         Comments == other.Comments;
}

int NumberedMoves(int plies, TPlayer side) { return plies <= 0 ? 0 : (plies + (side == ::White ? 1 : 0) + 1) / 2; }

void PdnToRecord(const TPdnGame& game, Game& record) {
  record.InitGame(game.StartBoard, game.StartSide);
  for (const std::vector<int>& move : game.Moves) record.AddMove(move.data());
}

bool RecordToPdn(const Game& record, TPdnGame* game, std::string* error) {
  *game = TPdnGame();
  std::copy(record.StartBoard, record.StartBoard + BoardSize, game->StartBoard);
  game->StartSide = static_cast<TPlayer>(record.StartSide);
  int board[BoardSize];
  std::copy(record.StartBoard, record.StartBoard + BoardSize, board);
  auto side = static_cast<TPlayer>(record.StartSide);
  class TMoveGenerator generator;
  TMoveList legal;
  int number = 1;
  for (const GameNode* node = record.Head->Next; node != nullptr; node = node->Next, ++number) {
    generator.MakeMoveList(board, side, &legal);
    if (!IsListed(node->Move, legal)) {
      *error = "recorded move " + std::to_string(number) + " is not a legal move";
      return false;
    }
    game->Moves.emplace_back(node->Move, node->Move + MoveLength(node->Move) + 1);
    TMoveGenerator::MakeMove(node->Move, board);
    side = static_cast<TPlayer>(1 - side);
  }
  game->Result = RecordResult(record);
  return true;
}

std::string RecordResult(const Game& record) {
  int board[BoardSize];
  std::copy(record.StartBoard, record.StartBoard + BoardSize, board);
  auto side = static_cast<TPlayer>(record.StartSide);
  for (const GameNode* node = record.Head->Next; node != nullptr; node = node->Next) {
    TMoveGenerator::MakeMove(node->Move, board);
    side = static_cast<TPlayer>(1 - side);
  }
  class TMoveGenerator generator;
  if (generator.NoMovesLeft(board, side)) return side == Black ? "0-1" : "1-0";
  if (FindDraw(record, record.MoveCount) != TDraw::None) return "1/2-1/2";
  return "*";
}
