#include "tools/Openings.h"

#include <algorithm>
#include <sstream>

#include "engine/MoveGenerator.h"
#include "game/MoveText.h"
#include "game/Pdn.h"

bool TOpening::FromStartingPosition() const {
  int start[BoardSize];
  TMoveGenerator::InitBoard(start);
  return StartSide == Black && std::equal(start, start + BoardSize, StartBoard);
}

std::vector<TOpening> StandardOpenings() {
  std::vector<TOpening> openings;
  TMoveReader reader;
  for (const char* text : ThreeMoveOpenings) {
    TOpening opening;
    opening.Name = text;
    TMoveGenerator::InitBoard(opening.StartBoard);
    int board[BoardSize];
    std::copy(opening.StartBoard, opening.StartBoard + BoardSize, board);
    TPlayer side = Black;
    std::istringstream words(text);
    for (std::string word; words >> word;) {
      std::string error;
      const int* move = reader.Find(board, side, word, &error);
      if (move == nullptr) continue;  // the list is checked by the tests
      opening.Moves.emplace_back(move, move + MoveLength(move) + 1);
      TMoveGenerator::MakeMove(move, board);
      side = static_cast<TPlayer>(1 - side);
    }
    openings.push_back(std::move(opening));
  }
  return openings;
}

bool ReadOpenings(const std::string& path, std::vector<TOpening>* openings, std::string* error) {
  TPdnCollection collection;
  if (!ReadPdnFile(path, &collection, error)) return false;
  if (!collection.Refused.empty()) {
    *error = path + ": " + collection.Refused.front().Reason;
    return false;
  }
  if (collection.Games.empty()) {
    *error = path + " holds no game";
    return false;
  }
  openings->clear();
  for (size_t g = 0; g < collection.Games.size(); ++g) {
    const TPdnGame& game = collection.Games[g];
    TOpening opening;
    opening.Name = path + " game " + std::to_string(collection.Numbers[g]);
    std::copy(game.StartBoard, game.StartBoard + BoardSize, opening.StartBoard);
    opening.StartSide = game.StartSide;
    opening.Moves = game.Moves;
    openings->push_back(std::move(opening));
  }
  return true;
}
