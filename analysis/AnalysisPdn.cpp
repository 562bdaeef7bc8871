#include "analysis/AnalysisPdn.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "engine/MoveGenerator.h"
#include "game/MoveText.h"

namespace {

constexpr int WinBase = 10001;  // a win in N plies scores WinBase - N
constexpr const char* BestWord = "; best ";

// A whole number of digits only, at most 6 of them.
bool Digits(const std::string& text, int* value) {
  if (text.empty() || text.size() > 6 || text.find_first_not_of("0123456789") != std::string::npos) return false;
  *value = std::atoi(text.c_str());
  return true;
}

bool ReadScore(const std::string& text, int* score) {
  for (const char* side : {"White", "Black"}) {
    const std::string prefix = std::string(side) + " wins in ";
    int plies = 0;
    if (text.rfind(prefix, 0) == 0 && Digits(text.substr(prefix.size()), &plies) && plies < WinBase - WinScores) {
      *score = (side[0] == 'W' ? 1 : -1) * (WinBase - plies);
      return true;
    }
  }
  // [+-]digits.dd
  size_t at = 0;
  int sign = 1;
  if (!text.empty() && (text[0] == '+' || text[0] == '-')) sign = text[at++] == '-' ? -1 : 1;
  const size_t point = text.find('.', at);
  int men = 0, hundredths = 0;
  if (point == std::string::npos || point + 3 != text.size() || !Digits(text.substr(at, point - at), &men) ||
      !Digits(text.substr(point + 1), &hundredths) || men > WinScores / 100)
    return false;
  *score = sign * (men * 100 + hundredths);
  return true;
}

// The positions of a game before each of its moves, for naming the better moves.
class TReplay {
 public:
  explicit TReplay(const TPdnGame& game) : side_(game.StartSide) {
    std::copy(game.StartBoard, game.StartBoard + BoardSize, board_);
  }
  const int* Board() const { return board_; }
  TPlayer Side() const { return side_; }
  void Play(const std::vector<int>& move) {
    TMoveGenerator::MakeMove(move.data(), board_);
    side_ = static_cast<TPlayer>(1 - side_);
  }

 private:
  int board_[BoardSize];
  TPlayer side_;
};

bool SameMove(const int* a, const int* b) {
  const int n = MoveLength(a);
  return n == MoveLength(b) && std::equal(a, a + n, b);
}

}  // namespace

std::string WhiteScoreText(int whiteScore) {
  char text[40];
  if (std::abs(whiteScore) > WinScores)
    std::snprintf(text, sizeof text, "%s wins in %d", whiteScore > 0 ? "White" : "Black", WinBase - std::abs(whiteScore));
  else
    std::snprintf(text, sizeof text, "%s%d.%02d", whiteScore > 0 ? "+" : whiteScore < 0 ? "-" : "",
                  std::abs(whiteScore) / 100, std::abs(whiteScore) % 100);
  return text;
}

std::string SideScoreText(int score) {
  if (std::abs(score) <= WinScores) return WhiteScoreText(score);
  return (score > 0 ? "win in " : "loss in ") + std::to_string(WinBase - std::abs(score));
}

std::string AnalysisComment(int whiteScore, const std::string& best) {
  return WhiteScoreText(whiteScore) + (best.empty() ? "" : BestWord + best);
}

bool ReadAnalysisComment(const std::string& comment, int* whiteScore, std::string* best) {
  const size_t at = comment.find(BestWord);
  const std::string score = comment.substr(0, at);
  std::string move = at == std::string::npos ? "" : comment.substr(at + std::char_traits<char>::length(BestWord));
  if (at != std::string::npos && (move.empty() || move.find(' ') != std::string::npos)) return false;
  if (!ReadScore(score, whiteScore)) return false;
  *best = std::move(move);
  return true;
}

void AnnotateGame(const std::vector<TMoveAnalysis>& analysis, TPdnGame* game) {
  TReplay replay(*game);
  for (size_t i = 0; i < analysis.size() && i < game->Moves.size(); ++i) {
    const TMoveAnalysis& a = analysis[i];
    TPdnGame::TMoveNote& note = game->Note(i);
    int score = 0;
    std::string best;
    const auto earlier = std::remove_if(note.Comments.begin(), note.Comments.end(), [&](const std::string& c) {
      return ReadAnalysisComment(c, &score, &best);
    });
    // A mark beside an earlier analysis was that analysis's.
    if (earlier != note.Comments.end() && MoveMarkFromText(note.Mark.c_str()) != TMoveMark::None) note.Mark.clear();
    note.Comments.erase(earlier, note.Comments.end());
    if (a.Mark != TMoveMark::None) note.Mark = MoveMarkText(a.Mark);
    best.clear();
    if (a.BestMove[0] != 0 && !SameMove(a.BestMove.data(), game->Moves[i].data()))
      best = MoveNotations(replay.Board(), replay.Side(), {std::vector<int>(a.BestMove.begin(), a.BestMove.end())})[0];
    note.Comments.push_back(AnalysisComment(a.WhiteScore(), best));
    replay.Play(game->Moves[i]);
  }
}

std::vector<TMoveAnalysis> AnalysisOfGame(const TPdnGame& game) {
  std::vector<TMoveAnalysis> analysis;
  TReplay replay(game);
  TMoveReader reader;
  for (size_t i = 0; i < game.Moves.size(); ++i) {
    const TPdnGame::TMoveNote& note = game.NoteOf(i);
    int score = 0;
    std::string best;
    const bool found = std::any_of(note.Comments.begin(), note.Comments.end(),
                                   [&](const std::string& c) { return ReadAnalysisComment(c, &score, &best); });
    if (!found) break;
    TMoveAnalysis a;
    a.Side = replay.Side();
    a.Played = a.Best = a.Side == White ? score : -score;
    a.Mark = MoveMarkFromText(note.Mark.c_str());
    std::string error;
    const int* move = best.empty() ? game.Moves[i].data() : reader.Find(replay.Board(), replay.Side(), best, &error);
    if (move == nullptr) break;  // a better move that is no move here: not an analysis of ours
    std::copy(move, move + MoveLength(move) + 1, a.BestMove.begin());
    analysis.push_back(a);
    replay.Play(game.Moves[i]);
  }
  return analysis;
}
