// The analysis of a game in PDN: each analysed move gets its mark and a
// comment with the score after it, in men with White ahead above zero, and
// the better move when there was one ("-0.45; best 22-17", "White wins in 17;
// best 30-26", the win counted in plies). Read back, such comments give the
// analysis again; every other comment stays as it is.
#pragma once

#include <string>
#include <vector>

#include "analysis/GameAnalysis.h"
#include "game/Pdn.h"

// "+0.45", "-1.20", "0.00", "White wins in 17", "Black wins in 3".
std::string WhiteScoreText(int whiteScore);
// A score from the view of the side to move: "+0.45", "-1.20", "win in 17", "loss in 4".
std::string SideScoreText(int score);

// The comment of an analysed move whose better move is written `best` ("" when
// the move played was the best).
std::string AnalysisComment(int whiteScore, const std::string& best);
// Whether `comment` is one AnalysisComment writes; if so its score and better
// move ("" for none).
bool ReadAnalysisComment(const std::string& comment, int* whiteScore, std::string* best);

// Puts the analysis of the first moves of `game` into its notes. A move's
// earlier analysis comment and its mark go; other comments stay, and so does
// a mark of another annotator's where the analysis has none.
void AnnotateGame(const std::vector<TMoveAnalysis>& analysis, TPdnGame* game);
// The analysis the notes of `game` hold, from its first move up to the first
// move without an analysis comment. The score after a better move is not
// written: it reads as the score after the move played.
std::vector<TMoveAnalysis> AnalysisOfGame(const TPdnGame& game);
