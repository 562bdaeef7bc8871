// The saved-game file: its exact bytes, reading back what was written, and
// refusing every damaged file with the one message.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "engine/MoveGenerator.h"
#include "engine/PositionString.h"
#include "game/Game.h"
#include "tests/game/GameTestSupport.h"

namespace {

using namespace gametest;

const char Trailer[] = "\nVarek - checkers game file.";

// Counts the reader's reports and keeps the last one.
class GameFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetFileErrorReporter([this](const char* caption, const char* message) {
      ++reports;
      lastCaption = caption;
      lastMessage = message;
    });
  }
  void TearDown() override { SetFileErrorReporter(nullptr); }

  // Loads `bytes` into a record that held another game, and checks the
  // outcome is one of the two allowed: refused with the message and the
  // record emptied (its old start kept), or a legal game.
  void ExpectRefusedOrLegal(const std::string& bytes, const std::string& what) {
    Game record;
    std::mt19937 random(5);
    TBoard other = StartingBoard();
    other[20] = Empty;  // some start that no file in these tests has
    Record(record, PlayRandomGame(random, other, White, 6));
    const int reportsBefore = reports;
    if (!Load(bytes, record)) {
      ASSERT_EQ(reports, reportsBefore + 1) << what;
      ASSERT_EQ(record.MoveCount, 0) << what;
      ASSERT_EQ(record.Position, 0) << what;
      ASSERT_EQ(record.Cursor, record.Head) << what;
      ASSERT_EQ(record.StartSide, White) << what;
      ASSERT_TRUE(std::equal(other.begin(), other.end(), record.StartBoard)) << what;
      ++refused;
      return;
    }
    ASSERT_EQ(reports, reportsBefore) << what;
    ExpectLegal(record, what);
    ++loaded;
  }

  static void ExpectLegal(Game& record, const std::string& what) {
    for (int i = 0; i < BoardSize; ++i) {
      const int code = record.StartBoard[i];
      ASSERT_TRUE(IsPlayable(i) ? code >= 0 && code <= Empty : code == OffBoard) << what << " cell " << i;
    }
    ASSERT_TRUE(record.StartSide == White || record.StartSide == Black) << what;
    ASSERT_EQ(record.Position, record.MoveCount) << what;
    TBoard board;
    std::copy(record.StartBoard, record.StartBoard + BoardSize, board.begin());
    int side = record.StartSide;
    class TMoveGenerator generator;
    TMoveList list;
    for (const auto& move : MovesOf(record)) {
      generator.MakeMoveList(board.data(), static_cast<TPlayer>(side), &list);
      bool listed = false;
      for (int i = 0; i < list.NumMoves && !listed; ++i)
        listed = std::equal(move.begin(), move.end(), list.Moves[i]);
      ASSERT_TRUE(listed) << what;
      TMoveGenerator::MakeMove(move.data(), board.data());
      side = 1 - side;
    }
  }

  int reports = 0;
  int refused = 0;
  int loaded = 0;
  std::string lastCaption;
  std::string lastMessage;
};

std::vector<uint8_t> Int(int value) {
  return {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8), static_cast<uint8_t>(value >> 16),
          static_cast<uint8_t>(value >> 24)};
}

void Append(std::vector<uint8_t>& to, const std::vector<uint8_t>& bytes) { to.insert(to.end(), bytes.begin(), bytes.end()); }

// The starting position as the file stores it.
const std::vector<uint8_t> StartCells = {2, 2, 2, 2, 2, 2, 2, 2, 5, 2, 2, 2, 2, 4, 4, 4, 4, 5,
                                         4, 4, 4, 4, 3, 3, 3, 3, 5, 3, 3, 3, 3, 3, 3, 3, 3};

std::vector<uint8_t> StartFile(const std::vector<std::vector<uint8_t>>& moves, int movesSum) {
  std::vector<uint8_t> file;
  Append(file, Int(1));
  Append(file, Int(1));
  Append(file, StartCells);
  Append(file, Int(107));
  Append(file, Int(static_cast<int>(moves.size())));
  for (const auto& move : moves) Append(file, move);
  Append(file, Int(movesSum));
  file.insert(file.end(), Trailer, Trailer + std::strlen(Trailer));
  return file;
}

std::string AsString(const std::vector<uint8_t>& bytes) { return std::string(bytes.begin(), bytes.end()); }

TEST_F(GameFileTest, StartingPositionIsEightyThreeBytes) {
  Game record;
  const TBoard start = StartingBoard();
  record.InitGame(start.data(), Black);
  const std::string bytes = Save(record);
  ASSERT_EQ(bytes.size(), 83u);
  EXPECT_EQ(Bytes(bytes), StartFile({}, 0));
}

TEST_F(GameFileTest, OneMoveExample) {
  Game record;
  const TBoard start = StartingBoard();
  record.InitGame(start.data(), Black);
  const int move[] = {32, 28, 0};  // 12-16
  record.AddMove(move);
  const std::string bytes = Save(record);
  EXPECT_EQ(Bytes(bytes), StartFile({{32, 28, 0}}, 60));
  Game back;
  ASSERT_TRUE(Load(bytes, back));
  EXPECT_EQ(back.MoveCount, 1);
  EXPECT_EQ(back.Position, 1);
  EXPECT_EQ(reports, 0);
}

// Files of varied games: from the start, set up by hand with White to move,
// kings and long captures; some with moves taken back (all are written).
std::vector<TPlayedGame> VariedGames(int count) {
  std::mt19937 random(99);
  std::vector<TPlayedGame> games;
  for (int i = 0; i < count; ++i) games.push_back(PlayRandomGame(random, StartingBoard(), Black, random() % 200));
  for (const char* text : {"W:WK8:B2,K3,5,K9,10,11,12,14,K17,18,19,20,23,25,26,27,K30",
                           "W:WK23:BK9,K10,K11,K17,K18,K19,K25,K26,K27", "W:W:B", "B:W21:B1"}) {
    TBoard start;
    TPlayer side;
    std::string error;
    EXPECT_TRUE(ParsePosition(text, start.data(), &side, &error)) << error;
    games.push_back(PlayRandomGame(random, start, side, 60));
  }
  return games;
}

void ExpectSameRecord(Game& back, const TPlayedGame& played) {
  EXPECT_TRUE(std::equal(played.Start.begin(), played.Start.end(), back.StartBoard));
  EXPECT_EQ(back.StartSide, played.Side);
  EXPECT_EQ(MovesOf(back), played.Moves);
  EXPECT_EQ(back.MoveCount, static_cast<int>(played.Moves.size()));
  EXPECT_EQ(back.Position, back.MoveCount);
}

TEST_F(GameFileTest, EverythingWrittenReadsBack) {
  for (const TPlayedGame& played : VariedGames(40)) {
    Game record;
    Record(record, played);
    TBoard board;
    TPlayer side;
    record.TakeBack(record.MoveCount / 2, board.data(), &side);  // the taken-back moves are saved too
    Game back;
    ASSERT_TRUE(Load(Save(record), back));
    ExpectSameRecord(back, played);
  }
  EXPECT_EQ(reports, 0);
}

TEST_F(GameFileTest, LongestCaptureReadsBack) {
  TBoard start;
  TPlayer side;
  std::string error;
  ASSERT_TRUE(ParsePosition("W:WK8:B2,K3,5,K9,10,11,12,14,K17,18,19,20,23,25,26,27,K30", start.data(), &side, &error));
  class TMoveGenerator generator;
  TMoveList list;
  generator.MakeMoveList(start.data(), side, &list);
  const int* longest = list.Moves[0];
  for (int i = 1; i < list.NumMoves; ++i)
    if (MoveLength(list.Moves[i]) > MoveLength(longest)) longest = list.Moves[i];
  ASSERT_EQ(MoveLength(longest), 19);
  Game record;
  record.InitGame(start.data(), side);
  record.AddMove(longest);
  const std::string bytes = Save(record);
  EXPECT_EQ(bytes.size(), 83u + 20u);
  Game back;
  ASSERT_TRUE(Load(bytes, back));
  ASSERT_EQ(back.MoveCount, 1);
  EXPECT_TRUE(std::equal(longest, longest + 20, back.Head->Next->Move));
}

TEST_F(GameFileTest, DamagedFilesAreRefused) {
  auto withCell = [](int cell, uint8_t code) {
    std::vector<uint8_t> file = StartFile({}, 0);
    const int old = file[8 + cell - 10];
    file[8 + cell - 10] = code;
    const std::vector<uint8_t> sum = Int(107 - old + code);
    std::copy(sum.begin(), sum.end(), file.begin() + 43);
    return file;
  };
  auto withCount = [](int count) {
    std::vector<uint8_t> file = StartFile({}, 0);
    const std::vector<uint8_t> n = Int(count);
    std::copy(n.begin(), n.end(), file.begin() + 47);
    return file;
  };
  std::vector<uint8_t> format2 = StartFile({}, 0);
  format2[0] = 2;
  std::vector<uint8_t> side2 = StartFile({}, 0);
  side2[4] = 2;
  std::vector<uint8_t> boardSum = StartFile({}, 0);
  boardSum[43] = 108;
  std::vector<uint8_t> movesSum = StartFile({{32, 28, 0}}, 61);
  std::vector<uint8_t> tooLong = StartFile({std::vector<uint8_t>(38, 32)}, 0);
  tooLong.insert(tooLong.begin() + 51 + 38, 0);  // the terminator after 38 entries
  const struct {
    const char* What;
    std::vector<uint8_t> File;
  } cases[] = {
      {"format 2", format2},
      {"side 2", side2},
      {"board checksum", boardSum},
      {"cell code 6", withCell(20, 6)},
      {"cell code -1", withCell(20, 0xff)},
      {"ghost cell 18 not off-board", withCell(18, 4)},
      {"ghost cell 36 not off-board", withCell(36, 2)},
      {"playable cell off-board", withCell(23, 5)},
      {"negative move count", withCount(-1)},
      {"moves missing", withCount(1)},
      {"huge move count", withCount(0x7fffffff)},
      {"moves checksum", movesSum},
      {"move of one entry", StartFile({{32, 0}}, 32)},
      {"move into a ghost cell", StartFile({{32, 27, 0}}, 59)},
      {"move into the border", StartFile({{32, 9, 0}}, 41)},
      {"move from the border", StartFile({{45, 41, 0}}, 86)},
      {"White moving first", StartFile({{22, 26, 0}}, 48)},
      {"a man stepping backwards", StartFile({{32, 28, 0}, {22, 26, 0}, {28, 32, 0}}, 60 + 48 + 60)},
      {"a step where a capture is due", StartFile({{32, 28, 0}, {20, 24, 0}, {33, 29, 0}}, 60 + 44 + 62)},
      {"thirty entries", StartFile({std::vector<uint8_t>(30, 32)}, 0)},
      {"thirty-eight entries", tooLong},
      {"empty file", {}},
  };
  for (const auto& c : cases) {
    Game record;
    TBoard before = StartingBoard();
    before[25] = BlackKing;
    record.InitGame(before.data(), White);
    const int move[] = {25, 29, 0};
    record.AddMove(move);
    const int reportsBefore = reports;
    EXPECT_FALSE(Load(AsString(c.File), record)) << c.What;
    EXPECT_EQ(reports, reportsBefore + 1) << c.What;
    EXPECT_EQ(record.MoveCount, 0) << c.What;
    EXPECT_EQ(record.Position, 0) << c.What;
    EXPECT_EQ(record.Cursor, record.Head) << c.What;
    EXPECT_EQ(record.StartSide, White) << c.What;
    EXPECT_TRUE(std::equal(before.begin(), before.end(), record.StartBoard)) << c.What;
  }
  EXPECT_EQ(lastCaption, "Information");
  EXPECT_EQ(lastMessage,
            "The file you tried to open contains errors.\nIt means:  the file is not a checkers game\n"
            "saved by Varek  using binary format or it\nis corrupted.");
}

TEST_F(GameFileTest, TrailingLineIsNotRead) {
  std::vector<uint8_t> file = StartFile({{32, 28, 0}}, 60);
  Game record;
  ASSERT_TRUE(Load(AsString(std::vector<uint8_t>(file.begin(), file.begin() + 58)), record));
  EXPECT_EQ(record.MoveCount, 1);
  file[70] = 'x';
  file.push_back('!');
  ASSERT_TRUE(Load(AsString(file), record));
  EXPECT_EQ(record.MoveCount, 1);
  // No moves and a zero checksum: a position on its own.
  ASSERT_TRUE(Load(AsString(StartFile({}, 0)), record));
  EXPECT_EQ(record.MoveCount, 0);
  EXPECT_EQ(reports, 0);
}

// Every prefix of a saved file: refused while anything up to the moves
// checksum is missing, the full game once it is there.
TEST_F(GameFileTest, EveryTruncation) {
  std::vector<TPlayedGame> games = VariedGames(3);
  for (const TPlayedGame& played : games) {
    Game record;
    Record(record, played);
    const std::string bytes = Save(record);
    const size_t needed = bytes.size() - std::strlen(Trailer);
    for (size_t length = 0; length < bytes.size(); ++length) {
      const std::string what = "length " + std::to_string(length);
      ExpectRefusedOrLegal(bytes.substr(0, length), what);
      if (length < needed) {
        ASSERT_EQ(refused, 1) << what;
      } else {
        Game back;
        ASSERT_TRUE(Load(bytes.substr(0, length), back));
        ExpectSameRecord(back, played);
      }
      refused = loaded = 0;
    }
  }
}

// Every single byte of a short game's file set to every other value.
TEST_F(GameFileTest, EverySingleByteChange) {
  std::mt19937 random(3);
  const TPlayedGame played = PlayRandomGame(random, StartingBoard(), Black, 12);
  Game record;
  Record(record, played);
  const std::string bytes = Save(record);
  const size_t movesEnd = bytes.size() - std::strlen(Trailer);
  int loadedInData = 0;
  for (size_t at = 0; at < bytes.size(); ++at) {
    for (int value = 0; value < 256; ++value) {
      if (static_cast<uint8_t>(bytes[at]) == value) continue;
      std::string changed = bytes;
      changed[at] = static_cast<char>(value);
      const int loadedBefore = loaded;
      ExpectRefusedOrLegal(changed, "byte " + std::to_string(at) + " = " + std::to_string(value));
      if (HasFatalFailure()) return;
      if (loaded > loadedBefore && at < movesEnd) ++loadedInData;
    }
  }
  // Inside the guarded part a single change always breaks a checksum...
  EXPECT_EQ(loadedInData, 0);
  // ...and the trailing line is never read.
  EXPECT_EQ(loaded, static_cast<int>(std::strlen(Trailer)) * 255);
}

// Two move bytes swapped keep the checksum; the file is either refused or
// replayed exactly as stored.
TEST_F(GameFileTest, SwappedMoveBytes) {
  std::mt19937 random(8);
  const TPlayedGame played = PlayRandomGame(random, StartingBoard(), Black, 10);
  Game record;
  Record(record, played);
  const std::string bytes = Save(record);
  const size_t first = 51, last = bytes.size() - std::strlen(Trailer) - 4;
  for (size_t i = first; i < last; ++i) {
    for (size_t j = i + 1; j < last; ++j) {
      if (bytes[i] == bytes[j]) continue;
      std::string swapped = bytes;
      std::swap(swapped[i], swapped[j]);
      const int loadedBefore = loaded;
      ExpectRefusedOrLegal(swapped, "swap " + std::to_string(i) + " " + std::to_string(j));
      if (HasFatalFailure()) return;
      if (loaded == loadedBefore) continue;
      // Loaded: the moves are the swapped bytes.
      Game back;
      ASSERT_TRUE(Load(swapped, back));
      std::string stored;
      for (const auto& move : MovesOf(back))
        for (int entry : move) stored += static_cast<char>(entry);
      EXPECT_EQ(stored, swapped.substr(first, last - first));
    }
  }
  EXPECT_GT(refused, 0);
}

}  // namespace
