// The two steps of reading PDN, shared by the reader of whole texts and the
// index of big files: a lexer that cuts a text into games (tags, movetext
// words, the result) and the interpretation of one such game.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "game/MoveText.h"
#include "game/Pdn.h"

// A game as the lexer delivers it: tags and movetext words, not yet checked.
struct TRawGame {
  std::vector<TPdnGame::TTag> Tags;
  std::vector<std::string_view> Words;  // movetext outside comments and variations, in the lexed text
  // The comments outside variations, {...} and ; to the end of the line, each
  // after the first `After` words.
  struct TComment {
    size_t After = 0;
    std::string_view Text;
  };
  std::vector<TComment> Comments;
  std::string_view Result;              // the terminating result; empty when none was found
  std::string Error;                    // the first lexical fault
  size_t Begin = 0, End = 0;            // the game's part of the text (with the space before it)
  // The text ran out before the game ended, and the text is not the whole
  // file: the game is to be lexed again, from Begin, with more of the file.
  bool RanOut = false;

  void Clear();
  // Comments alone (after a file's last game) make no game.
  bool Empty() const { return Tags.empty() && Words.empty() && Result.empty() && Error.empty(); }
};

class TPdnLexer {
 public:
  // Lexes `text` from `at`; what stands before `at` only tells whether `at`
  // is at the start of a line. `whole`: the text ends where the file does, so
  // that a last game without a result is an unfinished one ("*").
  TPdnLexer(std::string_view text, size_t at, bool whole) : text_(text), at_(at), whole_(whole) {}

  // The next game into `game`; false at the end of the text.
  bool Next(TRawGame& game);

 private:
  void Fault(TRawGame& game, std::string what);
  bool AtLineStart() const;
  bool AtMark() const;  // a byte-order mark, which counts as white space
  void SkipSpace();
  void SkipBlanks();
  void SkipLine();
  // Reads a comment {...} and returns its text (empty when the text ends inside it).
  std::string_view ReadComment(TRawGame& game);
  void SkipVariation(TRawGame& game);
  std::string_view ReadWord();
  void ReadTag(TRawGame& game);
  void BadTag(TRawGame& game, const std::string& name);

  std::string_view text_;
  size_t at_;
  bool whole_;
};

// The tags of a game into `game`: the named fields, the start position and
// the other tags kept. Returns the reason for refusing the game ("" when its
// tags and its text are sound): a lexical fault, another game type, a bad FEN.
std::string ReadPdnTags(const TRawGame& raw, TPdnGame* game);

// The movetext words that stand for moves (not move numbers or marks).
int CountMoveWords(const TRawGame& raw);

// Resolves a game's moves against the legal ones, after ReadPdnTags.
class TPdnMoveReader {
 public:
  // Returns the reason for refusing the game, or "".
  std::string Read(const TRawGame& raw, TPdnGame* game);

 private:
  TMoveReader reader_;
};

// "game 12 (Black - White): reason", on one line with every control byte shown as \xNN.
std::string PdnRefusalReason(int number, const TPdnGame& game, const std::string& reason);
