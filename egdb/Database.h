// TEndgameDatabase: the solved positions of few pieces, one table of values
// (egdb/Value.h) per material split, kept in memory. Built by egdb/Builder.h
// or loaded from a folder of files, one per split, each guarded by a CRC-32.
// Probing reads the table and allocates nothing, so the search may call it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "egdb/Indexing.h"
#include "egdb/Value.h"
#include "engine/Board.h"

// What a load found.
struct TEgdbLoadReport {
  int Pieces = 0;                    // every position of this many pieces or fewer is known
  int Files = 0;                     // files loaded
  std::vector<std::string> Missing;  // file names expected but not found
  std::vector<std::string> Damaged;  // file names refused, with the reason
  // One line for the status bar, empty when all is well.
  std::string Problem() const;
};

class TEndgameDatabase {
 public:
  static constexpr const char* FileExtension = ".egdb";

  // Value of the position with `side` to move, or EgdbUnknown. A side to move
  // without pieces has lost.
  int Probe(const int* board, TPlayer side) const;
  // Every position of this many pieces or fewer can be probed (0 when empty).
  int Pieces() const { return pieces_; }

  // The table of a split, or null when it is not loaded.
  const std::vector<std::uint8_t>* Table(const TMaterialSplit& split) const;
  // Puts a built table in place and recounts Pieces().
  void SetTable(const TMaterialSplit& split, std::vector<std::uint8_t> table);
  void Clear();

  // Loads every file of `folder` (up to EgdbMaxSupportedPieces pieces); a
  // damaged file is left out and reported.
  TEgdbLoadReport Load(const std::string& folder);
  // Writes one file per loaded split; false with a reason on failure.
  bool Save(const std::string& folder, std::string* error) const;

  // The file of a split in `folder`.
  static std::string FilePath(const std::string& folder, const TMaterialSplit& split);
  // Reads and checks one file; false with a reason when it is damaged.
  static bool ReadFile(const std::string& path, const TMaterialSplit& split, std::vector<std::uint8_t>* table,
                       std::string* error);

 private:
  static int Slot(const TMaterialSplit& s) {
    return ((s.WhiteKings * 6 + s.WhiteMen) * 6 + s.BlackKings) * 6 + s.BlackMen;
  }
  void CountPieces();

  std::vector<std::uint8_t> tables_[6 * 6 * 6 * 6];
  int pieces_ = 0;
};

// Where the game finds its database: share/varek/egdb beside the program's
// own folder (bin/ when installed, a folder of the build tree when built).
std::string DefaultEgdbFolder();
