// PDN (Portable Draughts Notation), the text format in which checkers games are
// exchanged: a reader for collections of English checkers games and a writer,
// and the conversions between a PDN game and the game record.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "engine/Board.h"
#include "game/Game.h"

// One game as PDN describes it. The named tags have their own fields; every
// other tag is kept, in the order read. FEN, SetUp and GameType are not kept as
// tags: the start position says the first two, the third is always 21.
struct TPdnGame {
  struct TTag {
    std::string Name, Value;
    bool operator==(const TTag&) const = default;
  };

  TPdnGame();

  std::string Event, Date, Black, White;
  std::string Result = "*";  // "1-0" (Black won), "0-1" (White won), "1/2-1/2" or "*"
  std::vector<TTag> OtherTags;
  int StartBoard[BoardSize];
  TPlayer StartSide = ::Black;
  std::vector<std::vector<int>> Moves;  // each zero-terminated, in the engine's format

  // What the movetext says of a move besides the move: its mark ("?", "!?",
  // ...; the glyphs $1 to $6 read as the marks they stand for) and the
  // comments after it, in order, their white space runs made single spaces.
  struct TMoveNote {
    std::string Mark;
    std::vector<std::string> Comments;
    bool Empty() const { return Mark.empty() && Comments.empty(); }
    bool operator==(const TMoveNote&) const = default;
  };
  std::vector<std::string> Comments;  // those before the first move
  std::vector<TMoveNote> Notes;       // by move; moves past its end have none
  // The note of move `n` (from 0), made when it has none.
  TMoveNote& Note(size_t n);
  // The note of move `n`, or an empty one.
  const TMoveNote& NoteOf(size_t n) const;

  // True when the game starts from the usual position with Black to move.
  bool FromStartingPosition() const;
  // "Moorhead, W. - Wyllie, J.", Black first; "?" for a missing name.
  std::string Players() const;
  bool operator==(const TPdnGame& other) const;
};

// A game of a collection that could not be read: its number in the text (from 1)
// and a one-line reason naming the game, its players and the offending move.
struct TPdnRefusal {
  int Number = 0;
  std::string Reason;
};

struct TPdnCollection {
  std::vector<TPdnGame> Games;         // the games read, in text order
  std::vector<int> Numbers;            // each game's number in the text, counting refused ones
  std::vector<TPdnRefusal> Refused;
};

// Reads every game of a PDN text. Every move is checked against the rules; a
// game with an illegal or ambiguous move, a bad start position or text cut off
// inside a tag, a comment or a variation is refused, and the games after it
// are still read. A last game without a result is an unfinished one ("*").
// A byte-order mark counts as white space; the players may be called Red
// (moving first, as Black) and White.
TPdnCollection ReadPdn(std::string_view text);

// Whether a file name ends in .pdn (in any case).
bool IsPdnFileName(const std::string& path);

// Reads a PDN file, through its index (game/PdnIndex.h). False, with the
// reason in `error`, when it cannot be read.
bool ReadPdnFile(const std::string& path, TPdnCollection* collection, std::string* error);

// Writes one game: tags, movetext in lines under 80 characters, the result.
// Moves are written from start to end square, with the landing squares between
// only where two captures share both. The game's moves must be legal.
std::string WritePdn(const TPdnGame& game);

// The moves as the writer names them, played from `board` with `side` to move.
std::vector<std::string> MoveNotations(const int* board, TPlayer side, const std::vector<std::vector<int>>& moves);

// Today's date as PDN writes dates: 2026.12.08.
std::string PdnToday();

// Writes games one after another, a blank line between them.
std::string WritePdn(const std::vector<TPdnGame>& games);

// How many numbered moves `plies` moves are from a start with `side` to move:
// moves are numbered in pairs, Black's first ("1... 5-1 2. 20-16" is two).
int NumberedMoves(int plies, TPlayer side);

// The record of a PDN game: its start and its moves, at the last position.
void PdnToRecord(const TPdnGame& game, Game& record);

// A PDN game holding every move of `record` (also those taken back), its start
// and the result of its last position. The tags are left for the caller. False
// (with the reason) when a recorded move is not legal where it is played.
bool RecordToPdn(const Game& record, TPdnGame* game, std::string* error);

// The result of a record's last position: a side that cannot move has lost,
// a draw by the rules is "1/2-1/2", anything else "*".
std::string RecordResult(const Game& record);
