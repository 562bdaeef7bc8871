#include <gtest/gtest.h>

#include <memory>

#include "SearchTestSupport.h"
#include "engine/Metrics.h"
#include "search/Evaluation.h"
#include "search/Tuning.h"

namespace {

TMaterial Summary(const int* board) {
  TMaterial m;
  m.SetBoard(board);
  return m;
}

// The evaluation without the weight sum: the board patterns and the two points
// of the side to move, from Black's view.
int Patterns(const std::string& text) {
  const TPosition p = Position(text);
  const TMaterial m = Summary(p.Board);
  return m.GetPosEval(Black, p.Board) - m.Positional;
}

void ExpectSameCounts(const TMaterial& a, const TMaterial& b) {
  EXPECT_EQ(a.Positional, b.Positional);
  EXPECT_EQ(a.WhiteAdvance, b.WhiteAdvance);
  EXPECT_EQ(a.BlackAdvance, b.BlackAdvance);
  EXPECT_EQ(a.WhiteKings, b.WhiteKings);
  EXPECT_EQ(a.BlackKings, b.BlackKings);
  EXPECT_EQ(a.WhiteMen, b.WhiteMen);
  EXPECT_EQ(a.BlackMen, b.BlackMen);
  EXPECT_EQ(a.Opening, b.Opening);
  EXPECT_EQ(a.Ending, b.Ending);
}

}  // namespace

TEST(Evaluation, WeightTables) {
  const auto& w = PositionalWeigth.Weight;
  const int blackManRow0[] = {15, 15, 15, 15}, whiteManRow0[] = {0, 0, 0, -1};
  for (int k = 0; k < 4; ++k) {
    EXPECT_EQ(w[BlackMan][10 + k], blackManRow0[k]);
    EXPECT_EQ(w[WhiteMan][10 + k], whiteManRow0[k]);
    EXPECT_EQ(w[WhiteMan][41 + k], 15);
  }
  for (int i = 10; i <= 44; ++i) {
    EXPECT_EQ(w[WhiteMan][i], w[BlackMan][54 - i]) << i;
    EXPECT_EQ(w[WhiteKing][i], w[BlackKing][i]) << i;  // the king table is symmetric
  }
  EXPECT_EQ(w[BlackKing][24], 5);
  EXPECT_EQ(w[BlackKing][13], 0);
  EXPECT_EQ(w[BlackKing][44], -5);
  EXPECT_EQ(w[BlackMan][40], -1);
}

TEST(Evaluation, StartPositionIsLevel) {
  const TPosition start = StartPosition();
  const TMaterial m = Summary(start.Board);
  EXPECT_EQ(m.WhiteMen, 12);
  EXPECT_EQ(m.BlackMen, 12);
  for (TPlayer side : {Black, White}) {
    EXPECT_EQ(m.GetMatEval(side), 0);
    EXPECT_EQ(m.GetPosEval(side, start.Board), 2);
  }
}

TEST(Evaluation, MaterialRewardsTradingDownWhenAhead) {
  TMaterial m;
  m.BlackKings = 2;
  m.BlackMen = 8;
  m.WhiteMen = 10;
  EXPECT_EQ(m.GetMatEval(Black), 67);
  EXPECT_EQ(m.GetMatEval(White), -67);
  TMaterial few;
  few.BlackMen = 2;
  few.WhiteMen = 1;
  EXPECT_EQ(few.GetMatEval(Black), 183);
  TMaterial many;
  many.BlackMen = 12;
  many.WhiteMen = 11;
  EXPECT_EQ(many.GetMatEval(Black), 110);
  EXPECT_EQ(many.GetMatEval(White), -110);
  EXPECT_EQ(TMaterial().GetMatEval(Black), 0);  // no pieces at all
  EXPECT_EQ(TMaterial().GetMatEval(White), 0);
}

TEST(Evaluation, CrowningThreats) {
  // A lone White man on square 5 (row 6) with square 1 free: 26 against Black;
  // one man each side of the ending: advance 2 x (0 - 6) = -12.
  EXPECT_EQ(Patterns("W:W5:BK14"), -26 - 12 + 2);
  // A Black king on square 6 spoils that threat.
  EXPECT_EQ(Patterns("W:W5:BK6"), -12 + 2);
  // Only the first square holding a White man is looked at: 8 is blocked by the
  // Black man on 4, so 7's clear path does not count (advance -24, back rank -3).
  EXPECT_EQ(Patterns("W:W7,8:B4"), -24 - 3 + 2);
  EXPECT_EQ(Patterns("W:W7:B4"), -12 - 26 - 3 + 2);
  // Black's mirror: a Black man on 25 (index 17) with 29 and 30 clear.
  EXPECT_EQ(Patterns("B:WK1:B25"), 26 + 12 + 2);
}

TEST(Evaluation, DoubleCornerEdgeAndGuards) {
  // Behind in pieces, a Black king on square 1 earns 15 (White's two men on row 2: -8).
  EXPECT_EQ(Patterns("B:W21,22:BK1"), 15 - 8 + 2);
  EXPECT_EQ(Patterns("B:W21:BK1"), -4 + 2);              // not behind: nothing
  EXPECT_EQ(Patterns("B:W21,22,23,24:BK1,K5,K28"), -16 + 2);  // three kings: nothing
  // White behind with a king on square 32 (index 10): 15 for White.
  EXPECT_EQ(Patterns("W:WK32:B9,10"), -15 + 2 * 4 + 2);
  // Black man on 20 and White man on 24: +5; advance 2 x (4 - 2).
  EXPECT_EQ(Patterns("B:W24:B20"), 5 + 4 + 2);
  // Black men on 1 and 6 guard the corner (+3); both back ranks hold square 1's
  // mirror, so they cancel; advance 2 x (1 - 0).
  EXPECT_EQ(Patterns("B:W32:B1,6"), 3 + 2 + 2);
  EXPECT_EQ(Patterns("B:W32,28:B1,6"), 3 - 3 + 2 * (1 - 1) + 2);
}

TEST(Evaluation, BackRankMasks) {
  EXPECT_EQ(BackRankValue[10], 7);  // Black men on squares 1 and 3
  EXPECT_EQ(BackRankValue[14], 9);
  EXPECT_EQ(BackRankValue[15], 8);
  // Black's full home row against White's full home row: equal.
  EXPECT_EQ(Patterns("B:W29,30,31,32:B1,2,3,4"), 2);
  // Black men on 1 and 3 against nothing: 3 x 7 (and the corner guard is absent).
  EXPECT_EQ(Patterns("B:W20:B1,3"), 3 * 7 + 2 * (0 - 3) + 2);
}

// The search plays mask moves: the masks, the summary and the table's keys
// after each move must be those of the board the generator's own move makes.
TEST(Evaluation, PlayKeepsMasksSummaryAndKeysInStep) {
  int moves = 0;
  THashTable table(1024, 1);
  RandomGames(200, 160, 5, [&](int* board, TPlayer side, TMoveList& list) {
    const TMaterial before = Summary(board);
    const TBoardMasks masks = MasksOf(board);
    int key1, key2;
    table.GenerateKey(board, side, key1, key2);
    TMaskMoveList maskList;
    TMoveGenerator.MakeMaskList(masks, side, &maskList);
    ASSERT_EQ(maskList.NumMoves, list.NumMoves);
    ASSERT_EQ(maskList.CaptureMoves, list.CaptureMoves);
    for (int i = 0; i < list.NumMoves; ++i) {
      const TMaskMove move = TMoveGenerator::MaskMoveOf(list.Moves[i]);
      ASSERT_TRUE(TKillers::Same(move, maskList.Moves[i])) << "move " << i;  // the same order
      TMaterial m = before;
      TBoardMasks after = masks;
      TSearcher::Play(after, side, move, m);
      int expected[BoardSize];
      std::copy(board, board + BoardSize, expected);
      TMoveGenerator::MakeMove(list.Moves[i], expected);
      const TBoardMasks made = MasksOf(expected);
      ASSERT_EQ(after.Empty, made.Empty);
      ASSERT_EQ(after.Pieces[White], made.Pieces[White]);
      ASSERT_EQ(after.Pieces[Black], made.Pieces[Black]);
      ASSERT_EQ(after.Kings, made.Kings);
      ExpectSameCounts(m, Summary(expected));
      int k1 = key1, k2 = key2, g1, g2;
      table.UpdateKey(masks, side, move, k1, k2);
      table.GenerateKey(expected, static_cast<TPlayer>(1 - side), g1, g2);
      ASSERT_EQ(k1, g1);
      ASSERT_EQ(k2, g2);
      ++moves;
    }
  });
  EXPECT_GT(moves, 30000);
}

TEST(Evaluation, CrowningAndLoopingCaptureThroughPlay) {
  // A Black man on 26 crowns on 30.
  TPosition p = Position("B:W13:B26");
  TMaterial m = Summary(p.Board);
  const int crown[] = {16, 11, 0};
  TBoardMasks masks = MasksOf(p.Board);
  TSearcher::Play(masks, Black, TMoveGenerator::MaskMoveOf(crown), m);
  EXPECT_EQ(CodeAt(masks, 11), BlackKing);
  EXPECT_EQ(CodeAt(masks, 16), Empty);
  EXPECT_EQ(m.BlackMen, 0);
  EXPECT_EQ(m.BlackKings, 1);
  TMoveGenerator::MakeMove(crown, p.Board);
  EXPECT_EQ(m.Positional, Summary(p.Board).Positional);

  // A king's capture going round and home again keeps its king and takes all four.
  TPosition loop = Position("B:W7,8,15,16:BK19");
  TMoveList list;
  TMoveGenerator.MakeMoveList(loop.Board, Black, &list);
  ASSERT_GT(list.NumMoves, 0);
  for (int i = 0; i < list.NumMoves; ++i) {
    TMaterial lm = Summary(loop.Board);
    TBoardMasks after = MasksOf(loop.Board);
    TSearcher::Play(after, Black, TMoveGenerator::MaskMoveOf(list.Moves[i]), lm);
    int expected[BoardSize];
    std::copy(loop.Board, loop.Board + BoardSize, expected);
    TMoveGenerator::MakeMove(list.Moves[i], expected);
    if (MoveDestination(list.Moves[i]) == 24) {
      EXPECT_EQ(CodeAt(after, 24), BlackKing);
      EXPECT_EQ(lm.WhiteMen, 0);
      EXPECT_EQ(lm.BlackKings, 1);
    }
    ExpectSameCounts(lm, Summary(expected));
  }
}

namespace {

// The colour mirror: every piece changes colour and stands on the square
// turned through half a circle, and the other side is to move.
TPosition Mirror(const int* board, TPlayer side) {
  TPosition m;
  for (int i = 0; i < BoardSize; ++i) m.Board[i] = IsPlayable(i) ? Empty : OffBoard;
  for (int i = FirstSquare; i <= LastSquare; ++i)
    if (IsPiece(board[i])) m.Board[54 - i] = board[i] ^ 1;
  m.Side = static_cast<TPlayer>(1 - side);
  return m;
}

}  // namespace

// Both evaluations must see a position and its colour mirror alike from the
// side to move, or the computer plays one colour better than the other.
TEST(Evaluation, ColourMirrorScoresTheSame) {
  const TEvaluationKind kind = EvaluationKind;
  int positions = 0, nonZero = 0;
  RandomGames(100, 120, 11, [&](int* board, TPlayer side, TMoveList&) {
    const TPosition mirror = Mirror(board, side);
    const TMaterial a = Summary(board), b = Summary(mirror.Board);
    for (TEvaluationKind k : {TEvaluationKind::Fitted, TEvaluationKind::Classic}) {
      EvaluationKind = k;
      ASSERT_EQ(a.Evaluate(side, board), b.Evaluate(mirror.Side, mirror.Board)) << FormatPosition(board, side);
      nonZero += a.Evaluate(side, board) != 0;
    }
    ++positions;
  });
  EvaluationKind = kind;
  EXPECT_GT(positions, 5000);
  EXPECT_GT(nonZero, positions);  // the check is not passed by scoring everything alike
}

// What the tuning program fits must be what the search plays: the fitted
// evaluation equals the weights applied to the terms the tuner lists.
TEST(Evaluation, FittedScoreIsTheWeightedSumOfTheTunersTerms) {
  std::vector<TTuneSample> samples;
  RandomGames(60, 140, 23, [&](int* board, TPlayer side, TMoveList&) {
    samples.push_back({MakePositionKey(board, side), 0.5f, 0});
  });
  const TTuneSet set = MakeTuneSet(samples, 1);
  ASSERT_EQ(set.Size(), samples.size());
  // The build's weights, and a weights file's with one weight beyond what
  // the evaluation sums in one number (every position has a side to move).
  auto large = std::make_unique<TEvalWeights>(FittedWeights);
  large->Ending[evalterms::Turn] = 40000;
  const TEvaluationKind kind = EvaluationKind;
  EvaluationKind = TEvaluationKind::Fitted;
  struct TRestore {
    TEvaluationKind Kind;
    ~TRestore() {
      SetEvalWeights(FittedWeights);
      SetBlockExtract(true);
      EvaluationKind = Kind;
    }
  } restore{kind};
  // Both ways of reading the blocks (where the processor has the fast one).
  for (const bool extract : {true, false}) {
    for (const TEvalWeights* weights : {&FittedWeights, static_cast<const TEvalWeights*>(large.get())}) {
      SCOPED_TRACE(extract ? "blocks extracted" : "blocks read by rows");
      SetBlockExtract(extract);
      SetEvalWeights(*weights);
      const TEvalWeights& w = EvalWeights();
      const std::vector<int> scores = EvaluateSamples(samples);
      for (std::size_t i = 0; i < set.Size(); ++i) {
        long opening = 0, ending = 0;
        for (uint32_t k = set.First[i]; k < set.First[i + 1]; ++k) {
          opening += static_cast<long>(w.Opening[set.Term[k]]) * set.Value[k];
          ending += static_cast<long>(w.Ending[set.Term[k]]) * set.Value[k];
        }
        const int phase = static_cast<int>(set.Phase[i] * evalterms::PhaseScale + 0.5f);
        const long blend = (opening * phase + ending * (evalterms::PhaseScale - phase)) / evalterms::PhaseScale;
        ASSERT_EQ(scores[i], blend) << i;
      }
    }
  }
}

TEST(Evaluation, FittedTermsOfKnownPositions) {
  using namespace evalterms;
  auto terms = [](const std::string& text) {
    const TPosition p = Position(text);
    std::vector<int> value(Count, 0);
    PatternTerms(MasksOf(p.Board), p.Side, [&](int t, int v) { value[t] += v; });
    return value;
  };
  // A Black man on 22 (two rows from crowning, nothing ahead) runs; White's
  // man on 5 is one row from crowning but Black's man on 1 stands in its way.
  std::vector<int> t = terms("W:W5:B1,22");
  EXPECT_EQ(t[Runaway + 1], 1);
  EXPECT_EQ(t[Runaway], 0);
  EXPECT_EQ(t[Turn], -1);
  EXPECT_EQ(t[Exchange], 24 * 1 / 3);
  EXPECT_EQ(t[ManMobility], 3);  // 22-25, 22-26 and 1-6 against nothing (1 blocks 5-1)
  // A White king shut in on square 32 by Black men on 27 and 28 cannot be
  // jumped over them (23 and 24 are held): it is trapped.
  t = terms("B:WK32:B23,24,27,28");
  EXPECT_EQ(t[TrappedKing], -1);
  EXPECT_EQ(t[OnlyKings], -1);
  // Black to move, and White could take the man on 18 if it were its turn.
  t = terms("B:W22,23:B18,1");
  EXPECT_EQ(t[Threat], -1);
  // Home rows: Black holds 1 and 3 (mask 10), White its mirror 32 and 30.
  t = terms("B:W30,32:B1,3");
  EXPECT_EQ(t[BackRank + 10], 0);
  t = terms("B:W30:B1,3");
  EXPECT_EQ(t[BackRank + 10], 1);
  EXPECT_EQ(t[BackRank + 2], -1);
  // Rows: each side reads the pairs of rows from its own home, its own men
  // as the digit 1 and the opponent's as 2. Black's man on 1 is the last of
  // its home rows' eight squares, White's man on 31 the next to last of its
  // own (the mirror of 2); each also stands in the other's crowning rows.
  t = terms("B:W31:B1");
  EXPECT_EQ(t[Region + 2187], 1);
  EXPECT_EQ(t[Region + 729], -1);
  EXPECT_EQ(t[Region + 3 * RegionPatterns + 2 * 3], 1);
  EXPECT_EQ(t[Region + 3 * RegionPatterns + 2 * 1], -1);
  auto patterns = [&t] {
    int used = 0;
    for (int k = Region; k < Count; ++k) used += t[k] != 0;
    return used;
  };
  // Blocks: Black's man on 1 is the last square of its home block on square
  // 1's side (offset 2); White's man on 31 is seen by Black from its far
  // block on square 4's side (offset 0, the opponent's digit 2 on the second
  // square).
  EXPECT_EQ(t[Block + 2 * RegionPatterns + 2187], 1);
  EXPECT_EQ(t[Block + 6 * RegionPatterns + 2 * 3], 1);
  // Empty rows and blocks are one pattern for both sides and cancel where
  // both sides' are empty: four pairs of rows, six blocks and two empty
  // blocks that the other side sees a man in.
  EXPECT_EQ(patterns(), 12);
  // Kings are not part of the patterns (counted in, they spoilt the play of
  // kings' endings).
  t = terms("B:WK31:BK1");
  EXPECT_EQ(patterns(), 0);
}
