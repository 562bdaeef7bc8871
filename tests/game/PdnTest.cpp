// The PDN reader and writer on hand-made texts: every kind of movetext, set-up
// positions, short and ambiguous captures, and damaged games.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "engine/Metrics.h"
#include "engine/PositionString.h"
#include "game/Pdn.h"
#include "tests/game/GameTestSupport.h"
#include "tests/support/MasterGame.h"

namespace {

using namespace gametest;

// A real game, its last capture written short.
const char* const FirstGame = MasterGame;

// Black's man on 3 can take 8 and 16 or 7 and 15, landing on 19 either way.
const char TwoWaysFen[] = "B:W7,8,15,16:B3";

std::string Text(const TPdnCollection& c) {
  std::string all;
  for (const TPdnRefusal& r : c.Refused) all += r.Reason + "\n";
  return all;
}

std::string Notation(const std::vector<int>& move) {
  char text[8];
  return TMetrics::MoveToStr(move.data(), text);
}

TEST(PdnReader, ReadsEveryKindOfMovetext) {
  const std::string text = R"(; a collection of two games
[Event "Club \"night\""] [Black "A"]
[White "B"] [Date "2026.12.08"] [Round "3"] [Annotator "me"]
[Result "1/2-1/2"]
{opening} 1. 11-15! 22-18 {a comment (with parentheses)} 2.15x22 $3 25x18?!
(2... 26x17 (2... 26x17 {deeper}) 3. 9-13) 3. 8-11 ; the rest of the line is ignored 1-0
3...29-25 !? 1/2-1/2
%an escaped line
)" + std::string(FirstGame);
  const TPdnCollection c = ReadPdn(text);
  ASSERT_EQ(c.Games.size(), 2u) << Text(c);
  EXPECT_TRUE(c.Refused.empty());
  const TPdnGame& game = c.Games[0];
  EXPECT_EQ(game.Event, "Club \"night\"");
  EXPECT_EQ(game.Black, "A");
  EXPECT_EQ(game.White, "B");
  EXPECT_EQ(game.Date, "2026.12.08");
  EXPECT_EQ(game.Result, "1/2-1/2");
  EXPECT_EQ(game.OtherTags, (std::vector<TPdnGame::TTag>{{"Round", "3"}, {"Annotator", "me"}}));
  std::vector<std::string> moves;
  for (const auto& move : game.Moves) moves.push_back(Notation(move));
  EXPECT_EQ(moves, (std::vector<std::string>{"11-15", "22-18", "15x22", "25x18", "8-11", "29-25"}));
  EXPECT_TRUE(game.FromStartingPosition());

  // The short "26x1" is the only capture from 26 to 1: the full path 26x17x10x1.
  const TPdnGame& second = c.Games[1];
  EXPECT_EQ(second.Result, "0-1");
  EXPECT_EQ(second.Moves.size(), 44u);
  EXPECT_EQ(MoveLength(second.Moves.back().data()), 7);
  EXPECT_EQ(c.Numbers, (std::vector<int>{1, 2}));
}

// Marks and comments stay with their moves, through writing and reading again;
// comments before the tags and inside variations are not the game's.
TEST(PdnReader, KeepsMarksAndCommentsWithTheirMoves) {
  const std::string text = R"({before the tags} [Black "A"] [White "B"]
{the   opening
 of the game} 1. 11-15! {strong} 22-18 $2 2. 15x22 (2. 9-14 {a side line}) 25x18?! ; a line comment
3. 8-11 !? {one} {two} 29-25 $14 *
)";
  const TPdnCollection c = ReadPdn(text);
  ASSERT_EQ(c.Games.size(), 1u) << Text(c);
  const TPdnGame& game = c.Games[0];
  ASSERT_EQ(game.Moves.size(), 6u);
  EXPECT_EQ(game.Comments, (std::vector<std::string>{"the opening of the game"}));
  using TNote = TPdnGame::TMoveNote;
  const std::vector<TNote> notes = {{"!", {"strong"}}, {"?", {}}, {"", {}}, {"?!", {"a line comment"}},
                                    {"!?", {"one", "two"}}, {"", {}}};
  for (size_t n = 0; n < notes.size(); ++n) EXPECT_EQ(game.NoteOf(n), notes[n]) << "move " << n + 1;

  const std::string written = WritePdn(game);
  EXPECT_NE(written.find("{the opening of the game} 1. 11-15! {strong} 1... 22-18? 2. 15x22 25x18?!"),
            std::string::npos) << written;
  EXPECT_NE(written.find("3. 8-11!? {one} {two} 3... 29-25 *"), std::string::npos) << written;
  const TPdnCollection back = ReadPdn(written);
  ASSERT_EQ(back.Games.size(), 1u) << Text(back);
  EXPECT_EQ(back.Games[0], game) << written;
  // A comment with braces in it cannot end itself early, and reads back as it stood.
  TPdnGame braced = game;
  braced.Note(5).Comments = {"a {brace} here", "{open"};
  const TPdnCollection bracedBack = ReadPdn(WritePdn(braced));
  ASSERT_EQ(bracedBack.Games.size(), 1u) << WritePdn(braced);
  EXPECT_EQ(bracedBack.Games[0], braced) << WritePdn(braced);
}

TEST(PdnReader, ResultsAndEmptyGames) {
  const TPdnCollection c = ReadPdn("1. 11-15 *\n[Result \"1-0\"]\n0-1\n\n1. 9-13 1-0 [Black \"x\"] 1/2-1/2");
  ASSERT_EQ(c.Games.size(), 4u) << Text(c);
  EXPECT_EQ(c.Games[0].Result, "*");
  // The movetext's result is the game's, whatever the tag said.
  EXPECT_EQ(c.Games[1].Result, "0-1");
  EXPECT_TRUE(c.Games[1].Moves.empty());
  EXPECT_EQ(c.Games[2].Result, "1-0");
  EXPECT_EQ(c.Games[3].Black, "x");
}

TEST(PdnReader, CapturesFullShortAndAmbiguous) {
  const std::string setUp = std::string("[FEN \"") + TwoWaysFen + "\"]\n";
  const TPdnCollection full = ReadPdn(setUp + "1. 3x12x19 *\n" + setUp + "1. 3x10x19 *");
  ASSERT_EQ(full.Games.size(), 2u) << Text(full);
  EXPECT_EQ(full.Games[0].Moves[0][1], TMetrics::NotationToSquare(8));
  EXPECT_EQ(full.Games[1].Moves[0][1], TMetrics::NotationToSquare(7));
  // Written out, each keeps its path; read back, each is the same move.
  for (const TPdnGame& game : full.Games) {
    const std::string written = WritePdn(game);
    EXPECT_NE(written.find(game.Moves[0][1] == TMetrics::NotationToSquare(8) ? "3x12x19" : "3x10x19"),
              std::string::npos) << written;
    const TPdnCollection back = ReadPdn(written);
    ASSERT_EQ(back.Games.size(), 1u) << Text(back);
    EXPECT_EQ(back.Games[0], game);
  }

  const TPdnCollection shortened = ReadPdn("[Black \"Short\"] [White \"Cut\"]\n" + setUp + "1. 3x19 *");
  ASSERT_EQ(shortened.Refused.size(), 1u);
  EXPECT_EQ(shortened.Refused[0].Reason,
            "game 1 (Short - Cut): move 1. 3x19: ambiguous, two captures go from 3 to 19 (the full path is needed)");
  // A path that is not one of them, and a simple move where a capture is compulsory.
  EXPECT_EQ(ReadPdn(setUp + "1. 3x12x26 *").Refused.size(), 1u);
  EXPECT_EQ(ReadPdn("[FEN \"B:W7,8,15,16:B3,4\"]\n1. 4-9 *").Refused.size(), 1u);
}

TEST(PdnReader, SetUpPositions) {
  // White to move, kings, ranges of squares and a closing full stop.
  const TPdnCollection c = ReadPdn(
      "[SetUp \"1\"] [FEN \"W:WK1,18-19:B5-6,K28.\"]\n1... 1x10 5-9 2. 10-15 *\n"
      "[FEN \"B:W:B1\"] *");
  ASSERT_EQ(c.Games.size(), 2u) << Text(c);
  const TPdnGame& game = c.Games[0];
  EXPECT_EQ(game.StartSide, White);
  EXPECT_EQ(FormatPosition(game.StartBoard, game.StartSide), "W:WK1,18,19:B5,6,K28");
  EXPECT_FALSE(game.FromStartingPosition());
  ASSERT_EQ(game.Moves.size(), 3u);
  const std::string written = WritePdn(game);
  EXPECT_NE(written.find("[SetUp \"1\"]\n[FEN \"W:WK1,18,19:B5,6,K28\"]"), std::string::npos) << written;
  EXPECT_NE(written.find("1... 1x10 2. 5-9 10-15 *"), std::string::npos) << written;
  const TPdnCollection back = ReadPdn(written);
  ASSERT_EQ(back.Games.size(), 1u) << Text(back);
  EXPECT_EQ(back.Games[0], game);
  EXPECT_EQ(ReadPdn(WritePdn(c.Games[1])).Games.at(0), c.Games[1]);
}

// A damaged game is refused with its number, players and the move; the games
// around it still read.
TEST(PdnReader, DamagedGamesAreRefusedAndTheOthersRead) {
  const std::string good = "[Black \"Good\"] [White \"Game\"]\n1. 11-15 23-19 *\n";
  const struct {
    std::string Damaged, Reason;
  } cases[] = {
      {"[Black \"Ann\"] [White \"Bob\"]\n1. 11-15 23-19 2. 8-11 22-17 3. 9-13 17x10 4. 11-16 1-0\n",
       "game 2 (Ann - Bob): move 3... 17x10: not a legal move"},
      {"[FEN \"B:W33:B1\"] *\n", "game 2 (? - ?): bad FEN \"B:W33:B1\": square 33 is outside 1 to 32"},
      {"[FEN \"B:W5,5:B1\"] *\n", "game 2 (? - ?): bad FEN \"B:W5,5:B1\": square 5 is listed twice"},
      {"[GameType \"20\"] 1. 32-28 *\n", "game 2 (? - ?): GameType 20 is not English checkers (21)"},
      {"[Black \"Ann\"] 1. 11-15 23-19 2. 11-15Resigns *\n", "game 2 (Ann - ?): move 2. 11-15Resigns: not a move"},
      {"[Black \"Ann\" 1. 11-15 *\n", "game 2 (? - ?): the tag Black is malformed or cut short"},
      {"1. 11-15 ) *\n", "game 2 (? - ?): a stray ')'"},
  };
  for (const auto& test : cases) {
    const TPdnCollection c = ReadPdn(good + test.Damaged + good);
    ASSERT_EQ(c.Refused.size(), 1u) << test.Damaged << Text(c);
    EXPECT_EQ(c.Refused[0].Reason, test.Reason);
    EXPECT_EQ(c.Refused[0].Number, 2);
    EXPECT_EQ(c.Games.size(), 2u) << test.Damaged << Text(c);
    EXPECT_EQ(c.Numbers, (std::vector<int>{1, 3})) << test.Damaged;
  }
}

TEST(PdnReader, TextCutShort) {
  const std::string full = FirstGame;
  for (const char* cut : {"[White \"Wyl", "1. 11-15 {a comment", "2. 8-11 (2. 9-13 "}) {
    const std::string text = cut[0] == '1' || cut[0] == '2'
                                 ? "[Black \"Cut\"]\n" + std::string(cut)
                                 : full.substr(0, full.find(cut) + std::string(cut).size());
    const TPdnCollection c = ReadPdn(FirstGame + ("\n" + text));
    ASSERT_EQ(c.Games.size(), 1u) << cut;
    ASSERT_EQ(c.Refused.size(), 1u) << cut;
    EXPECT_NE(c.Refused[0].Reason.find("game 2 ("), std::string::npos) << c.Refused[0].Reason;
    EXPECT_NE(c.Refused[0].Reason.find("cut short"), std::string::npos) << c.Refused[0].Reason;
  }
  EXPECT_TRUE(ReadPdn("").Games.empty());
  EXPECT_TRUE(ReadPdn(" \n; nothing\n").Refused.empty());

  // The file's last game written without its result is an unfinished game;
  // one that the next game's tags follow is cut short.
  const std::string unfinished = full.substr(0, full.rfind("0-1"));
  const TPdnCollection last = ReadPdn(FirstGame + ("\n" + unfinished + "\n; the end\n"));
  ASSERT_EQ(last.Games.size(), 2u) << Text(last);
  EXPECT_EQ(last.Games[1].Result, "*");
  EXPECT_EQ(last.Games[1].Moves, last.Games[0].Moves);
  const TPdnCollection middle = ReadPdn(unfinished + FirstGame);
  ASSERT_EQ(middle.Refused.size(), 1u) << Text(middle);
  EXPECT_NE(middle.Refused[0].Reason.find("game 1 (Moorhead, W. - Wyllie, J.): "), std::string::npos);
  EXPECT_NE(middle.Refused[0].Reason.find("cut short"), std::string::npos) << middle.Refused[0].Reason;
  EXPECT_EQ(middle.Numbers, (std::vector<int>{2}));
}

// What real files hold besides: a byte-order mark wherever white space may
// stand, players called Red and White, and bytes that no text should hold.
TEST(PdnReader, ByteOrderMarksRedPlayersAndStrayBytes) {
  const std::string mark = "\xEF\xBB\xBF";
  const TPdnCollection marked = ReadPdn(mark + "[Red \"Ann\"]" + mark + "[" + mark + "White" + mark + "\"Bob\"" +
                                        mark + "]\n" + mark + "1." + mark + "11-15 23-19" + mark + "*" + mark + "\n" +
                                        mark + "[Black \"Cy\"] [Red \"Di\"] " + mark);
  ASSERT_EQ(marked.Games.size(), 2u) << Text(marked);
  EXPECT_TRUE(marked.Refused.empty()) << Text(marked);
  EXPECT_EQ(marked.Numbers, (std::vector<int>{1, 2}));
  EXPECT_EQ(marked.Games[0].Players(), "Ann - Bob");
  EXPECT_TRUE(marked.Games[0].OtherTags.empty());
  EXPECT_EQ(marked.Games[0].Moves.size(), 2u);
  // Where a game names both, Black is the Black player and Red is kept as it was.
  EXPECT_EQ(marked.Games[1].Black, "Cy");
  EXPECT_EQ(marked.Games[1].OtherTags, (std::vector<TPdnGame::TTag>{{"Red", "Di"}}));

  // A NUL byte in a name and in a move: the whole reason, every byte shown.
  const char stray[] = "[Black \"N\0l\"]\n1. 11-15\0 23-19 *";
  const TPdnCollection c = ReadPdn(std::string_view(stray, sizeof stray - 1));
  ASSERT_EQ(c.Refused.size(), 1u);
  EXPECT_EQ(c.Refused[0].Reason, "game 1 (N\\x00l - ?): move 1. 11-15\\x00: not a move");
}

TEST(PdnWriter, WrapsLinesAndReadsBackRandomGames) {
  std::mt19937 random(8);
  for (int round = 0; round < 30; ++round) {
    const TPlayedGame played = PlayRandomGame(random, StartingBoard(), round % 2 ? White : Black, 200);
    TPdnGame game;
    std::copy(played.Start.begin(), played.Start.end(), game.StartBoard);
    game.StartSide = played.Side;
    game.Moves = played.Moves;
    game.Black = "Random \\ \"quoted\"";
    game.OtherTags = {{"Round", std::to_string(round)}};
    // Marks and comments long enough to be wrapped, on some of the moves.
    for (size_t n = 0; n < game.Moves.size(); n += 1 + random() % 7) {
      game.Note(n).Mark = std::vector<std::string>{"", "?", "??", "!?"}[random() % 4];
      if (random() % 2) game.Note(n).Comments.push_back("a comment of some length to wrap, move " + std::to_string(n));
    }
    const std::string text = WritePdn(game);
    for (size_t at = 0, end; at < text.size(); at = end + 1) {
      end = text.find('\n', at);
      EXPECT_LT(end - at, 80u) << text.substr(at, end - at);
      EXPECT_NE(text[end - 1], '.') << "a move number apart from its move: " << text.substr(at, end - at);
    }
    const TPdnCollection back = ReadPdn(text);
    ASSERT_EQ(back.Games.size(), 1u) << Text(back) << text;
    EXPECT_EQ(back.Games[0], game) << text;
  }
}

TEST(PdnRecord, ConvertsBothWaysWithTheResult) {
  const TPdnGame read = ReadPdn(FirstGame).Games.at(0);
  Game record;
  PdnToRecord(read, record);
  EXPECT_EQ(record.MoveCount, 44);
  EXPECT_EQ(record.Position, 44);
  EXPECT_EQ(MovesOf(record), read.Moves);

  TPdnGame written;
  std::string error;
  ASSERT_TRUE(RecordToPdn(record, &written, &error)) << error;
  EXPECT_EQ(written.Moves, read.Moves);
  EXPECT_EQ(written.Result, "*");  // Black can still move

  // White to move without a move: Black has won. Black without one: White has.
  int board[BoardSize];
  TPlayer side;
  ASSERT_TRUE(ParsePosition("W:W:B1", board, &side, nullptr));
  record.InitGame(board, side);
  EXPECT_EQ(RecordResult(record), "1-0");
  ASSERT_TRUE(ParsePosition("B:W32:B", board, &side, nullptr));
  record.InitGame(board, side);
  EXPECT_EQ(RecordResult(record), "0-1");

  // A record whose move the rules do not allow is not converted.
  const int illegal[] = {TMetrics::NotationToSquare(32), TMetrics::NotationToSquare(27), 0};
  ASSERT_TRUE(ParsePosition("B:W32:B1", board, &side, nullptr));
  record.InitGame(board, side);
  record.AddMove(illegal);
  EXPECT_FALSE(RecordToPdn(record, &written, &error));
  EXPECT_EQ(error, "recorded move 1 is not a legal move");
}

}  // namespace
