// A PDN collection as a compact index: for each game where its text lies in
// the file and the few tags a list of games shows. A game's moves are read,
// and checked, only when the game is opened, so that a big collection is
// listed in a small part of the memory its games would take.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "game/Pdn.h"

// What a list shows of one game.
struct TPdnSummary {
  int Number = 0;  // in the file, from 1, refused games counted
  std::string_view Black, White, Event, Date;
  std::string_view Result;  // "1-0", "0-1", "1/2-1/2" or "*"
  int Moves = 0;            // numbered moves, as NumberedMoves counts them
};

class TPdnIndex {
 public:
  // The games listed, in the file's order.
  size_t Size() const { return entries_.size(); }
  TPdnSummary Summary(size_t i) const;
  // Games refused while indexing: a damaged text, a bad start position,
  // another game type. (A move the rules do not allow is found when the game
  // is read.)
  const std::vector<TPdnRefusal>& Refused() const { return refused_; }
  // The games of the text so far, listed and refused.
  int Total() const { return total_; }
  // The position in the list of game `number`, or -1 when it is not listed.
  long Find(int number) const;
  const std::string& Path() const { return path_; }

  // Game i read from the file, every move checked. False, with a one-line
  // reason naming the game, when it is refused or the file cannot be read or
  // has changed since it was indexed.
  bool ReadGame(size_t i, TPdnGame* game, std::string* reason) const;
  // Every game of the text in turn, read from one open file: `each` gets its
  // number and the game, or null and the reason for refusing it (refused
  // while indexing or when read). False, with the reason in `error`, when
  // the file cannot be read or has changed.
  bool ReadEveryGame(const std::function<void(int number, const TPdnGame* game, const std::string& reason)>& each,
                     std::string* error) const;

  // Adds the games of a later part of the same file.
  void Append(TPdnIndex&& more);

 private:
  friend class TPdnIndexer;
  struct TEntry {
    uint64_t Begin = 0, Length = 0;  // the game's bytes in the file
    uint64_t Text = 0;               // its listed tags in strings_, one after another
    int32_t Number = 0;
    uint16_t Sizes[4] = {};  // Black, White, Event, Date
    uint16_t Moves = 0;
    uint8_t Result = 0;
  };
  class TFile;
  bool OpenUnchanged(TFile& file, std::string* error) const;
  bool ReadFrom(TFile& file, size_t i, TPdnGame* game, std::string* reason) const;

  std::string path_;
  uint64_t fileSize_ = 0;
  int64_t fileTime_ = 0;  // when the file was last written, as the file system counts it
  std::vector<TEntry> entries_;
  std::string strings_;
  std::vector<TPdnRefusal> refused_;
  int total_ = 0;
};

// Where IndexPdnFile hands what it has found, as it reads.
struct TPdnIndexSink {
  // The games found since the last call, every few thousand games and once
  // at the end, with the bytes of the file read so far and its size.
  std::function<void(TPdnIndex&& games, uint64_t bytesRead, uint64_t fileSize)> Games;
  // Asked now and then: true ends the reading early (what was read is handed over).
  std::function<bool()> Stop;
};

// Reads the PDN file at `path` a piece at a time (of `pieceBytes`, more for a
// game that does not fit in one) and indexes its games. False, with the
// reason, when the file cannot be opened or read.
bool IndexPdnFile(const std::string& path, const TPdnIndexSink& sink, std::string* error,
                  size_t pieceBytes = size_t{4} << 20);
// The same for a text in memory, whose games cannot be read back (for tests).
void IndexPdnText(std::string_view text, const TPdnIndexSink& sink, size_t pieceBytes);
// All of a file into one index.
bool IndexPdnFile(const std::string& path, TPdnIndex* index, std::string* error);
