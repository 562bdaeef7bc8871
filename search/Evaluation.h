// The evaluation, in hundredths of a man, from the view of the side to move.
// TMaterial is the summary the search carries by value from node to node and
// updates per move. Two evaluations share it: the one fitted to the results of
// master games (the default), and the classic hand-set one (man 100, king 130,
// GetMatEval plus GetPosEval's fixed board patterns).
#pragma once

#include "engine/Board.h"
#include "engine/BoardMasks.h"
#include "search/EvalTerms.h"

// The fitted evaluation's weights: for each term of EvalTerms.h, its worth on
// a full board (Opening) and on a bare one (Ending).
struct TEvalWeights {
  int Opening[evalterms::Count];
  int Ending[evalterms::Count];
};

// The weights the build takes (written by `varek-cli tune`).
extern const TEvalWeights FittedWeights;

// Makes `weights` the fitted evaluation's (FittedWeights until changed). Only
// between searches: the summaries of a search under way would no longer match.
void SetEvalWeights(const TEvalWeights& weights);
const TEvalWeights& EvalWeights();

// Whether the fitted evaluation picks each block's squares out of the masks
// with one instruction (on processors where it is fast; on by default there);
// off, it reads them row by row, as the tuner does. Returns what is in use now.
bool SetBlockExtract(bool on);

enum class TEvaluationKind { Fitted, Classic };
// Which evaluation the search uses; set between searches only.
extern TEvaluationKind EvaluationKind;

// Positional weight of each piece code on each board index. Black's tables are
// written out; White's are the same turned through half a circle.
class PositionalWeigth {
 public:
  PositionalWeigth();
  int Weight[4][45];
  void MiddleGameValues();
};

extern class PositionalWeigth PositionalWeigth;

// Worth of a side's remaining home-row men, by a 4-bit mask: for Black indices
// 41, 42, 43, 44 are bits 1, 2, 4, 8; for White 13, 12, 11, 10.
extern const int BackRankValue[16];

class TMaterial {
 public:
  int Positional = 0;    // Black's weights minus White's
  int WhiteAdvance = 0;  // sum of Row over White men
  int BlackAdvance = 0;  // sum of 7 - Row over Black men
  int WhiteKings = 0;
  int BlackKings = 0;
  int WhiteMen = 0;
  int BlackMen = 0;
  int DoubleCorner[4] = {14, 10, 44, 40};
  int Opening = 0;       // the fitted square tables (with material), Black's minus White's, full board
  int Ending = 0;        // the same for a bare board

  // Recounts every piece of the board; DoubleCorner is left alone.
  void SetBoard(const int* board);
  void AddPiece(int code, int index);
  void DeletePiece(int code, int index);
  // Material for `side`; 0 on a board without pieces.
  int GetMatEval(TPlayer side) const;
  // Positional score for `side` on the board this summary describes.
  int GetPosEval(TPlayer side, const TBoardMasks& masks) const;
  int GetPosEval(TPlayer side, const int* board) const { return GetPosEval(side, MasksOf(board)); }
  // The score of the position for `side` by the evaluation EvaluationKind names.
  int Evaluate(TPlayer side, const TBoardMasks& masks) const {
    return EvaluationKind == TEvaluationKind::Fitted ? FittedEval(side, masks)
                                                      : GetPosEval(side, masks) + GetMatEval(side);
  }
  int Evaluate(TPlayer side, const int* board) const { return Evaluate(side, MasksOf(board)); }
  // The fitted evaluation for `side`.
  int FittedEval(TPlayer side, const TBoardMasks& masks) const;
};
