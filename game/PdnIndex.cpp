// Indexing PDN files a piece at a time, and reading an indexed game back.
#include "game/PdnIndex.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "game/PdnParse.h"

namespace {

constexpr std::string_view Results[] = {"1-0", "0-1", "1/2-1/2", "*"};
// A list shows no more of a tag than this.
constexpr size_t ListedBytes = 1000;
// Games handed over at a time.
constexpr size_t BatchGames = 4096;

uint8_t ResultCode(std::string_view result) {
  return static_cast<uint8_t>(std::find(std::begin(Results), std::end(Results), result) - std::begin(Results)) & 3;
}

// At most ListedBytes of a tag, not cutting a UTF-8 character in two.
std::string_view Listed(std::string_view text) {
  if (text.size() <= ListedBytes) return text;
  size_t end = ListedBytes;
  while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
  return text.substr(0, end);
}

bool Stat(const std::string& path, uint64_t* size, int64_t* time) {
  std::error_code failed;
  *size = std::filesystem::file_size(path, failed);
  if (failed) return false;
  *time = std::filesystem::last_write_time(path, failed).time_since_epoch().count();
  return !failed;
}

}  // namespace

class TPdnIndex::TFile {
 public:
  std::ifstream In;
  TPdnMoveReader Moves;
  std::string Text;
  TRawGame Raw;
};

TPdnSummary TPdnIndex::Summary(size_t i) const {
  const TEntry& e = entries_[i];
  TPdnSummary summary;
  summary.Number = e.Number;
  std::string_view* fields[] = {&summary.Black, &summary.White, &summary.Event, &summary.Date};
  size_t at = e.Text;
  for (int f = 0; f < 4; ++f) {
    *fields[f] = std::string_view(strings_).substr(at, e.Sizes[f]);
    at += e.Sizes[f];
  }
  summary.Result = Results[e.Result];
  summary.Moves = e.Moves;
  return summary;
}

long TPdnIndex::Find(int number) const {
  const auto at = std::lower_bound(entries_.begin(), entries_.end(), number,
                                   [](const TEntry& e, int n) { return e.Number < n; });
  return at != entries_.end() && at->Number == number ? at - entries_.begin() : -1;
}

bool TPdnIndex::OpenUnchanged(TFile& file, std::string* error) const {
  uint64_t size = 0;
  int64_t time = 0;
  if (!Stat(path_, &size, &time)) {
    *error = "cannot open " + path_;
    return false;
  }
  if (size != fileSize_ || time != fileTime_) {
    *error = path_ + " has changed since its games were listed";
    return false;
  }
  file.In.open(path_, std::ios::binary);
  if (!file.In.is_open()) {
    *error = "cannot open " + path_;
    return false;
  }
  return true;
}

bool TPdnIndex::ReadFrom(TFile& file, size_t i, TPdnGame* game, std::string* reason) const {
  const TEntry& e = entries_[i];
  *game = TPdnGame();
  // With the byte before the game, which tells whether it starts a line.
  const uint64_t before = e.Begin > 0 ? 1 : 0;
  file.Text.resize(e.Length + before);
  file.In.clear();
  file.In.seekg(static_cast<std::streamoff>(e.Begin - before));
  file.In.read(file.Text.data(), static_cast<std::streamsize>(file.Text.size()));
  std::string problem;
  if (file.In.gcount() != static_cast<std::streamsize>(file.Text.size()))
    problem = "cannot read it from " + path_;
  else if (!TPdnLexer(file.Text, before, true).Next(file.Raw))
    problem = "it is no longer where it was listed";  // only if the file changed unnoticed
  if (problem.empty()) problem = ReadPdnTags(file.Raw, game);
  if (problem.empty()) problem = file.Moves.Read(file.Raw, game);
  if (problem.empty()) return true;
  const TPdnSummary summary = Summary(i);
  game->Black = summary.Black;  // the names the game was listed with
  game->White = summary.White;
  *reason = PdnRefusalReason(e.Number, *game, problem);
  return false;
}

bool TPdnIndex::ReadGame(size_t i, TPdnGame* game, std::string* reason) const {
  TFile file;
  std::string error;
  if (!OpenUnchanged(file, &error)) {
    *game = TPdnGame();
    const TPdnSummary summary = Summary(i);
    game->Black = summary.Black;
    game->White = summary.White;
    *reason = PdnRefusalReason(summary.Number, *game, error);
    return false;
  }
  return ReadFrom(file, i, game, reason);
}

bool TPdnIndex::ReadEveryGame(const std::function<void(int, const TPdnGame*, const std::string&)>& each,
                              std::string* error) const {
  TFile file;
  if (!entries_.empty() && !OpenUnchanged(file, error)) return false;
  TPdnGame game;
  std::string reason;
  auto refusal = refused_.begin();
  for (size_t i = 0; i <= entries_.size(); ++i) {
    const int number = i < entries_.size() ? entries_[i].Number : total_ + 1;
    for (; refusal != refused_.end() && refusal->Number < number; ++refusal) each(refusal->Number, nullptr, refusal->Reason);
    if (i == entries_.size()) break;
    if (ReadFrom(file, i, &game, &reason)) each(number, &game, std::string());
    else each(number, nullptr, reason);
  }
  return true;
}

void TPdnIndex::Append(TPdnIndex&& more) {
  if (entries_.empty() && refused_.empty()) {
    path_ = more.path_;
    fileSize_ = more.fileSize_;
    fileTime_ = more.fileTime_;
  }
  const uint64_t shift = strings_.size();
  entries_.reserve(entries_.size() + more.entries_.size());
  for (TEntry e : more.entries_) {
    e.Text += shift;
    entries_.push_back(e);
  }
  strings_ += more.strings_;
  refused_.insert(refused_.end(), more.refused_.begin(), more.refused_.end());
  total_ = std::max(total_, more.total_);
  more = TPdnIndex();
}

// Cuts the file into games, a piece at a time, and adds each to the batch.
class TPdnIndexer {
 public:
  TPdnIndexer(const std::string& path, uint64_t size, int64_t time) {
    batch_.path_ = path;
    batch_.fileSize_ = size;
    batch_.fileTime_ = time;
  }

  // A game lexed from the text that starts at `offset` of the file.
  void Add(const TRawGame& raw, uint64_t offset) {
    ++number_;
    batch_.total_ = number_;
    TPdnGame game;
    const std::string reason = ReadPdnTags(raw, &game);
    if (!reason.empty()) {
      batch_.refused_.push_back({number_, PdnRefusalReason(number_, game, reason)});
      return;
    }
    TPdnIndex::TEntry e;
    e.Begin = offset + raw.Begin;
    e.Length = raw.End - raw.Begin;
    e.Number = number_;
    e.Text = batch_.strings_.size();
    const std::string* fields[] = {&game.Black, &game.White, &game.Event, &game.Date};
    for (int f = 0; f < 4; ++f) {
      const std::string_view listed = Listed(*fields[f]);
      e.Sizes[f] = static_cast<uint16_t>(listed.size());
      batch_.strings_ += listed;
    }
    e.Moves = static_cast<uint16_t>(std::min(NumberedMoves(CountMoveWords(raw), game.StartSide), 0xFFFF));
    e.Result = ResultCode(raw.Result);
    batch_.entries_.push_back(e);
  }

  bool Full() const { return batch_.entries_.size() + batch_.refused_.size() >= BatchGames; }

  void Hand(const TPdnIndexSink& sink, uint64_t read) {
    TPdnIndex games = std::move(batch_);
    batch_ = TPdnIndex();
    batch_.path_ = games.path_;
    batch_.fileSize_ = games.fileSize_;
    batch_.fileTime_ = games.fileTime_;
    batch_.total_ = games.total_;
    if (sink.Games) sink.Games(std::move(games), read, batch_.fileSize_);
  }

 private:
  TPdnIndex batch_;
  int number_ = 0;
};

namespace {

bool IndexStream(std::istream& in, TPdnIndexer& indexer, const TPdnIndexSink& sink, size_t pieceBytes) {
  std::string buffer;  // the text from `start` on
  uint64_t start = 0;
  size_t from = 0;  // where in the buffer the next game starts
  uint64_t read = 0;
  TRawGame raw;
  for (bool end = false; !end;) {
    // A game longer than a piece is read again with twice as much.
    const size_t more = std::max(pieceBytes, buffer.size());
    const size_t old = buffer.size();
    buffer.resize(old + more);
    in.read(buffer.data() + old, static_cast<std::streamsize>(more));
    buffer.resize(old + static_cast<size_t>(in.gcount()));
    read += static_cast<uint64_t>(in.gcount());
    if (in.bad()) return false;
    end = in.eof();
    TPdnLexer lexer(buffer, from, end);
    while (lexer.Next(raw) && !raw.RanOut) {
      indexer.Add(raw, start);
      from = raw.End;
      if (indexer.Full()) indexer.Hand(sink, read);
    }
    if (end) break;
    if (sink.Stop && sink.Stop()) break;
    // What is left over, with the byte before it, starts the next piece.
    const size_t keep = from > 0 ? from - 1 : 0;
    buffer.erase(0, keep);
    start += keep;
    from -= keep;
  }
  indexer.Hand(sink, read);
  return true;
}

}  // namespace

bool IndexPdnFile(const std::string& path, const TPdnIndexSink& sink, std::string* error, size_t pieceBytes) {
  std::error_code failed;
  if (std::filesystem::exists(path, failed) && !std::filesystem::is_regular_file(path, failed)) {
    *error = path + " is not a regular file";
    return false;
  }
  uint64_t size = 0;
  int64_t time = 0;
  std::ifstream in(path, std::ios::binary);
  if (!in.is_open() || !Stat(path, &size, &time)) {
    *error = "cannot open " + path;
    return false;
  }
  TPdnIndexer indexer(path, size, time);
  if (IndexStream(in, indexer, sink, pieceBytes)) return true;
  *error = "cannot read " + path;
  return false;
}

void IndexPdnText(std::string_view text, const TPdnIndexSink& sink, size_t pieceBytes) {
  std::istringstream in{std::string(text)};
  TPdnIndexer indexer(std::string(), text.size(), 0);
  IndexStream(in, indexer, sink, std::max<size_t>(pieceBytes, 1));
}

bool IndexPdnFile(const std::string& path, TPdnIndex* index, std::string* error) {
  *index = TPdnIndex();
  TPdnIndexSink sink;
  sink.Games = [index](TPdnIndex&& games, uint64_t, uint64_t) { index->Append(std::move(games)); };
  return IndexPdnFile(path, sink, error);
}
