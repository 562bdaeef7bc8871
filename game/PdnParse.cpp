// Reading PDN. The text is first cut into games by a lexer that knows tags,
// comments, variations and line comments; each game's tags and movetext words
// are then interpreted, every move resolved against the legal moves.
#include "game/PdnParse.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "engine/Metrics.h"
#include "engine/PositionString.h"

namespace {

bool IsResult(std::string_view word) { return word == "1-0" || word == "0-1" || word == "1/2-1/2" || word == "*"; }

// The UTF-8 byte-order mark that many editors put at the start of a file.
constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";

}  // namespace

void TRawGame::Clear() {
  Tags.clear();
  Words.clear();
  Comments.clear();
  Result = {};
  Error.clear();
  Begin = End = 0;
  RanOut = false;
}

bool TPdnLexer::Next(TRawGame& game) {
  game.Clear();
  game.Begin = at_;
  for (;;) {
    SkipSpace();
    if (at_ == text_.size()) break;
    const char c = text_[at_];
    if (c == '[') {
      if (!game.Words.empty()) break;  // a new game starts before this one has its result
      ReadTag(game);
      game.Comments.clear();  // those before the tags are the file's, not the movetext's
    } else if (c == '{') {
      const std::string_view comment = ReadComment(game);
      game.Comments.push_back({game.Words.size(), comment});
    } else if (c == '(') {
      SkipVariation(game);
    } else if (c == ';') {
      const size_t start = ++at_;
      SkipLine();
      game.Comments.push_back({game.Words.size(), text_.substr(start, at_ - start)});
    } else if (c == '%' && AtLineStart()) {
      SkipLine();
    } else if (c == ')' || c == '}' || c == ']') {
      Fault(game, std::string("a stray '") + c + "'");
      ++at_;
    } else {
      const std::string_view word = ReadWord();
      if (IsResult(word)) {
        game.Result = word;
        break;
      }
      game.Words.push_back(word);
    }
  }
  game.End = at_;
  // Whatever reached the end of a piece may go on in the next one (a word, a
  // comment, the game itself): it is read again with more of the file.
  if (!whole_ && at_ == text_.size()) {
    game.RanOut = !game.Empty();
    return game.RanOut;
  }
  if (game.Empty()) return false;
  if (game.Result.empty() && game.Error.empty()) {
    if (at_ == text_.size())
      game.Result = "*";  // the file's last game, written without its result: unfinished
    else
      Fault(game, "the next game's tags start before this game's result: it is cut short");
  }
  return true;
}

void TPdnLexer::Fault(TRawGame& game, std::string what) {
  if (game.Error.empty()) game.Error = std::move(what);
}

bool TPdnLexer::AtLineStart() const { return at_ == 0 || text_[at_ - 1] == '\n' || text_[at_ - 1] == '\r'; }

bool TPdnLexer::AtMark() const { return text_.substr(at_, ByteOrderMark.size()) == ByteOrderMark; }

void TPdnLexer::SkipSpace() {
  while (at_ < text_.size()) {
    if (std::isspace(static_cast<unsigned char>(text_[at_]))) ++at_;
    else if (AtMark()) at_ += ByteOrderMark.size();
    else break;
  }
}

void TPdnLexer::SkipBlanks() {
  while (at_ < text_.size()) {
    if (text_[at_] == ' ' || text_[at_] == '\t') ++at_;
    else if (AtMark()) at_ += ByteOrderMark.size();
    else break;
  }
}

void TPdnLexer::SkipLine() {
  while (at_ < text_.size() && text_[at_] != '\n') ++at_;
}

std::string_view TPdnLexer::ReadComment(TRawGame& game) {
  const size_t end = text_.find('}', at_);
  if (end == std::string_view::npos) {
    Fault(game, "the text ends inside a comment {...}: it is cut short");
    at_ = text_.size();
    return {};
  }
  const std::string_view comment = text_.substr(at_ + 1, end - at_ - 1);
  at_ = end + 1;
  return comment;
}

// Variations nest and may hold comments, whose braces may hold parentheses.
void TPdnLexer::SkipVariation(TRawGame& game) {
  int depth = 0;
  while (at_ < text_.size()) {
    const char c = text_[at_];
    if (c == '{') {
      ReadComment(game);
      continue;
    }
    ++at_;
    if (c == '(') ++depth;
    if (c == ')' && --depth == 0) return;
  }
  Fault(game, "the text ends inside a variation (...): it is cut short");
}

std::string_view TPdnLexer::ReadWord() {
  const size_t start = at_;
  while (at_ < text_.size() && !std::isspace(static_cast<unsigned char>(text_[at_])) &&
         std::string_view("{}()[];").find(text_[at_]) == std::string_view::npos && !AtMark())
    ++at_;
  return text_.substr(start, at_ - start);
}

// [Name "value"], the value on one line, \" and \\ escaped.
void TPdnLexer::ReadTag(TRawGame& game) {
  ++at_;
  SkipBlanks();
  const size_t nameStart = at_;
  while (at_ < text_.size() && (std::isalnum(static_cast<unsigned char>(text_[at_])) || text_[at_] == '_')) ++at_;
  std::string name(text_.substr(nameStart, at_ - nameStart));
  SkipBlanks();
  if (name.empty() || at_ == text_.size() || text_[at_] != '"') return BadTag(game, name);
  ++at_;
  std::string value;
  for (;;) {
    if (at_ == text_.size() || text_[at_] == '\n' || text_[at_] == '\r') return BadTag(game, name);
    const char c = text_[at_++];
    if (c == '"') break;
    if (c == '\\' && at_ < text_.size() && (text_[at_] == '"' || text_[at_] == '\\')) {
      value += text_[at_++];
    } else {
      value += c;
    }
  }
  SkipBlanks();
  if (at_ == text_.size() || text_[at_] != ']') return BadTag(game, name);
  ++at_;
  game.Tags.push_back({std::move(name), std::move(value)});
}

// A broken tag spoils its game; reading goes on where the tag went wrong.
void TPdnLexer::BadTag(TRawGame& game, const std::string& name) {
  Fault(game, name.empty() ? std::string("a malformed tag") : "the tag " + name + " is malformed or cut short");
}

namespace {

// The part of a word that can be a move: without a leading move number
// ("12.", "12...", glued as in "17.8-12") and trailing !? marks, which go to
// `mark` when it is given.
std::string_view MovePart(std::string_view word, std::string_view* mark = nullptr) {
  const size_t digits = word.find_first_not_of("0123456789");
  if (digits != std::string_view::npos && digits > 0 && word[digits] == '.') word.remove_prefix(digits);
  while (!word.empty() && word.front() == '.') word.remove_prefix(1);
  const size_t end = word.find_last_not_of("!?");
  const size_t keep = end == std::string_view::npos ? 0 : end + 1;
  if (mark) *mark = word.substr(keep);
  return word.substr(0, keep);
}

constexpr std::string_view Marks[] = {"!", "?", "!!", "??", "!?", "?!"};

// The mark a numeric glyph stands for ($1 to $6), or "" for "$7" and beyond.
std::string_view GlyphMark(std::string_view word) {
  if (word.size() != 2 || word[1] < '1' || word[1] > '6') return {};
  return Marks[word[1] - '1'];
}

// A run of ! and ? kept as a move's mark when it is one of the six; any other
// run ("!!!", "?!?") says nothing a reader of the game can use, and goes.
std::string_view KnownMark(std::string_view mark) {
  for (const std::string_view known : Marks)
    if (mark == known) return known;
  return {};
}

// "$3", or a move number or !? marks standing on their own.
bool IsNotAMove(std::string_view word) {
  if (!word.empty() && word[0] == '$')
    return word.size() > 1 && word.find_first_not_of("0123456789", 1) == std::string_view::npos;
  return MovePart(word).empty();
}

// A comment's text with its white space runs made single spaces, trimmed.
std::string CommentText(std::string_view text) {
  std::string out;
  bool space = false;
  for (const char c : text) {
    if (std::isspace(static_cast<unsigned char>(c))) {
      space = !out.empty();
      continue;
    }
    if (space) out += ' ';
    space = false;
    out += c;
  }
  return out;
}

// FEN values may give ranges of squares ("1-12", "K29-32") and end with a full stop.
std::string ExpandRanges(std::string fen) {
  while (!fen.empty() && (fen.back() == '.' || std::isspace(static_cast<unsigned char>(fen.back())))) fen.pop_back();
  std::string out;
  size_t at = 0;
  while (at < fen.size()) {
    const size_t end = std::min(fen.find_first_of(",:", at), fen.size());
    std::string item = fen.substr(at, end - at);
    if (!item.empty() && (item[0] == 'W' || item[0] == 'B')) {  // a colour's list starts
      out += item[0];
      item.erase(0, 1);
    }
    const size_t dash = item.find('-');
    bool expanded = false;
    if (dash != std::string::npos) {
      const bool king = !item.empty() && item[0] == 'K';
      const std::string from = item.substr(king ? 1 : 0, dash - (king ? 1 : 0)), to = item.substr(dash + 1);
      const bool numeric = !from.empty() && !to.empty() && from.size() <= 2 && to.size() <= 2 &&
                           from.find_first_not_of("0123456789") == std::string::npos &&
                           to.find_first_not_of("0123456789") == std::string::npos;
      if (numeric && std::stoi(from) <= std::stoi(to)) {
        for (int n = std::stoi(from); n <= std::stoi(to); ++n) {
          if (n != std::stoi(from)) out += ',';
          if (king) out += 'K';
          out += std::to_string(n);
        }
        expanded = true;
      }
    }
    if (!expanded) out += item;
    if (end < fen.size()) out += fen[end];
    at = end + 1;
  }
  return out;
}

// "move 12. " or "move 12... ": moves are numbered in pairs, Black's first.
std::string MoveName(const TPdnGame* game, TPlayer side) {
  const int ply = static_cast<int>(game->Moves.size()) + (game->StartSide == White ? 1 : 0);
  return "move " + std::to_string(ply / 2 + 1) + (side == Black ? ". " : "... ");
}

}  // namespace

std::string ReadPdnTags(const TRawGame& raw, TPdnGame* game) {
  // Some programs call the players Red and White; Red moves first, as Black does.
  const bool named = std::any_of(raw.Tags.begin(), raw.Tags.end(), [](const auto& t) { return t.Name == "Black"; });
  std::string fen, fault;
  bool setUp = false;
  for (const TPdnGame::TTag& tag : raw.Tags) {
    if (tag.Name == "Event") game->Event = tag.Value;
    else if (tag.Name == "Date") game->Date = tag.Value;
    else if (tag.Name == "Black" || (tag.Name == "Red" && !named)) game->Black = tag.Value;
    else if (tag.Name == "White") game->White = tag.Value;
    else if (tag.Name == "Result") continue;  // the movetext's result decides
    else if (tag.Name == "FEN") fen = tag.Value, setUp = true;
    else if (tag.Name == "SetUp") continue;
    else if (tag.Name == "GameType") {
      if (tag.Value != "21" && tag.Value.rfind("21,", 0) != 0 && fault.empty())
        fault = "GameType " + tag.Value + " is not English checkers (21)";
    } else {
      game->OtherTags.push_back(tag);
    }
  }
  if (!raw.Error.empty()) return raw.Error;
  if (!fault.empty()) return fault;
  game->Result = std::string(raw.Result);
  if (setUp) {
    std::string reason;
    if (!ParsePosition(ExpandRanges(fen), game->StartBoard, &game->StartSide, &reason))
      return "bad FEN \"" + fen + "\": " + reason;
  }
  return {};
}

int CountMoveWords(const TRawGame& raw) {
  return static_cast<int>(std::count_if(raw.Words.begin(), raw.Words.end(), [](auto w) { return !IsNotAMove(w); }));
}

std::string TPdnMoveReader::Read(const TRawGame& raw, TPdnGame* game) {
  int board[BoardSize];
  std::copy(game->StartBoard, game->StartBoard + BoardSize, board);
  TPlayer side = game->StartSide;
  std::string reason;
  size_t comment = 0;
  // The comments that stand before word `w` go with the move before them.
  auto takeComments = [&](size_t w) {
    for (; comment < raw.Comments.size() && raw.Comments[comment].After <= w; ++comment) {
      std::string text = CommentText(raw.Comments[comment].Text);
      if (game->Moves.empty()) game->Comments.push_back(std::move(text));
      else game->Note(game->Moves.size() - 1).Comments.push_back(std::move(text));
    }
  };
  for (size_t w = 0; w < raw.Words.size(); ++w) {
    takeComments(w);
    const std::string_view word = raw.Words[w];
    std::string_view mark;
    const std::string_view part = MovePart(word, &mark);
    mark = word[0] == '$' ? GlyphMark(word) : KnownMark(mark);
    if (IsNotAMove(word)) {
      // A mark standing on its own, or a glyph, belongs to the move before it.
      if (!mark.empty() && !game->Moves.empty() && game->NoteOf(game->Moves.size() - 1).Mark.empty())
        game->Note(game->Moves.size() - 1).Mark = mark;
      continue;
    }
    const int* found = reader_.Find(board, side, part, &reason);
    if (found == nullptr) return MoveName(game, side) + std::string(part) + ": " + reason;
    game->Moves.emplace_back(found, found + MoveLength(found) + 1);
    if (!mark.empty()) game->Note(game->Moves.size() - 1).Mark = mark;
    TMoveGenerator::MakeMove(found, board);
    side = static_cast<TPlayer>(1 - side);
  }
  takeComments(raw.Words.size());
  return {};
}

std::string PdnRefusalReason(int number, const TPdnGame& game, const std::string& reason) {
  const std::string line = "game " + std::to_string(number) + " (" + game.Players() + "): " + reason;
  // A damaged file may hold any byte; a message shows them all, and on one line.
  std::string shown;
  for (const char c : line) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte != 0x7F) {
      shown += c;
    } else {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
      shown += escaped;
    }
  }
  return shown;
}
