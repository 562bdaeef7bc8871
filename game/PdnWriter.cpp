// Writing PDN: tags, then the moves numbered in pairs and wrapped in lines
// shorter than 80 characters, then the result.
#include <ctime>

#include "engine/Metrics.h"
#include "engine/MoveGenerator.h"
#include "engine/MoveList.h"
#include "engine/PositionString.h"
#include "game/Pdn.h"

namespace {

constexpr size_t MaxLine = 79;

void WriteTag(std::string& out, const std::string& name, const std::string& value) {
  out += '[' + name + " \"";
  for (char c : value) {
    if (c == '"' || c == '\\') out += '\\';
    out += c == '\n' || c == '\r' ? ' ' : c;  // a tag stays on its line
  }
  out += "\"]\n";
}

// Start and end square, and the landing squares between them when another
// legal capture shares both ends.
std::string Notation(const int* move, const TMoveList& legal) {
  const int n = MoveLength(move);
  int sharing = 0;
  for (int m = 0; m < legal.NumMoves; ++m) {
    const int* other = legal.Moves[m];
    if (other[0] == move[0] && MoveDestination(other) == move[n - 1]) ++sharing;
  }
  char text[8];
  if (sharing <= 1) return TMetrics::MoveToStr(move, text);
  std::string path = std::to_string(TMetrics::SquareToNotation(move[0]));
  for (int k = 2; k < n; k += 2) path += 'x' + std::to_string(TMetrics::SquareToNotation(move[k]));
  return path;
}

class TLineWriter {
 public:
  explicit TLineWriter(std::string& out) : out_(out) {}
  // Appends a word (or words that stay together), starting a new line when it would not fit.
  void Add(const std::string& word) {
    if (length_ > 0 && length_ + 1 + word.size() > MaxLine) {
      out_ += '\n';
      length_ = 0;
    }
    if (length_ > 0) {
      out_ += ' ';
      ++length_;
    }
    out_ += word;
    length_ += word.size();
  }
  // Appends words that must end their line (a line comment).
  void AddToLineEnd(const std::string& words) {
    Add(words);
    out_ += '\n';
    length_ = 0;
  }
  void End() {
    if (length_ > 0) out_ += '\n';
  }

 private:
  std::string& out_;
  size_t length_ = 0;
};

// A comment in braces, wrapped with the movetext. A comment that holds a
// closing brace (it came from a line comment) is written as one, to the end of
// its line, so that it reads back as it stands.
void AddComment(TLineWriter& line, const std::string& comment) {
  if (comment.find('}') != std::string::npos) {
    line.AddToLineEnd("; " + comment);
    return;
  }
  std::vector<std::string> words{"{"};
  for (char c : comment) {
    if (c == ' ') {
      words.emplace_back();
      continue;
    }
    words.back() += c;
  }
  words.back() += '}';
  for (const std::string& word : words)
    if (!word.empty()) line.Add(word);
}

}  // namespace

std::vector<std::string> MoveNotations(const int* start, TPlayer side, const std::vector<std::vector<int>>& moves) {
  int board[BoardSize];
  std::copy(start, start + BoardSize, board);
  class TMoveGenerator generator;
  TMoveList legal;
  std::vector<std::string> names;
  for (const std::vector<int>& move : moves) {
    generator.MakeMoveList(board, side, &legal);
    names.push_back(Notation(move.data(), legal));
    TMoveGenerator::MakeMove(move.data(), board);
    side = static_cast<TPlayer>(1 - side);
  }
  return names;
}

std::string WritePdn(const TPdnGame& game) {
  std::string out;
  const std::pair<const char*, const std::string*> named[] = {
      {"Event", &game.Event}, {"Date", &game.Date}, {"Black", &game.Black}, {"White", &game.White}};
  for (const auto& [name, value] : named)
    if (!value->empty()) WriteTag(out, name, *value);
  WriteTag(out, "Result", game.Result);
  for (const TPdnGame::TTag& tag : game.OtherTags) WriteTag(out, tag.Name, tag.Value);
  WriteTag(out, "GameType", "21");
  if (!game.FromStartingPosition()) {
    WriteTag(out, "SetUp", "1");
    WriteTag(out, "FEN", FormatPosition(game.StartBoard, game.StartSide));
  }

  const std::vector<std::string> moves = MoveNotations(game.StartBoard, game.StartSide, game.Moves);
  TLineWriter line(out);
  for (const std::string& comment : game.Comments) AddComment(line, comment);
  int number = 1;
  TPlayer side = game.StartSide;
  bool commented = false;  // a comment stands between the last move and this one
  for (size_t i = 0; i < moves.size(); ++i) {
    const TPdnGame::TMoveNote& note = game.NoteOf(i);
    const std::string move = moves[i] + note.Mark;
    // A move number stays on the line of its move; White's move gets its
    // number when something stands between it and Black's.
    if (side == Black) line.Add(std::to_string(number) + ". " + move);
    else if (i == 0 || commented) line.Add(std::to_string(number) + "... " + move);
    else line.Add(move);
    for (const std::string& comment : note.Comments) AddComment(line, comment);
    commented = !note.Comments.empty();
    if (side == White) ++number;
    side = static_cast<TPlayer>(1 - side);
  }
  line.Add(game.Result);
  line.End();
  return out;
}

std::string PdnToday() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char text[16];
  std::strftime(text, sizeof text, "%Y.%m.%d", &local);
  return text;
}

std::string WritePdn(const std::vector<TPdnGame>& games) {
  std::string out;
  for (size_t i = 0; i < games.size(); ++i) {
    if (i > 0) out += '\n';
    out += WritePdn(games[i]);
  }
  return out;
}
