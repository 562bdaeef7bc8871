#include "ui/ImportList.h"

TImportList::TImportList(const std::string& path) {
  reader_ = std::thread([this, path] {
    TPdnIndexSink sink;
    sink.Games = [this](TPdnIndex&& games, uint64_t read, uint64_t size) {
      auto batch = std::make_shared<TPdnIndex>(std::move(games));
      queue_.Post([this, batch, read, size] { Take(*batch, read, size); });
    };
    sink.Stop = [this] { return stop_.load(); };
    std::string error;
    if (!IndexPdnFile(path, sink, &error) && error.empty()) error = "cannot read " + path;
    queue_.Post([this, error] { Finish(error); });
  });
}

TImportList::~TImportList() {
  stop_ = true;
  if (reader_.joinable()) reader_.join();
}

void TImportList::Take(TPdnIndex& games, uint64_t read, uint64_t size) {
  index_.Append(std::move(games));
  read_ = read;
  size_ = size;
}

void TImportList::Finish(const std::string& error) {
  done_ = true;
  error_ = error;
}

void TImportList::WaitUntilRead() {
  if (reader_.joinable()) reader_.join();
  queue_.Deliver();
}

const TPdnIndex& TImportList::Index() {
  queue_.Deliver();
  return index_;
}

int TImportList::Count() {
  queue_.Deliver();
  return static_cast<int>(index_.Size());
}

std::string TImportList::Cell(int row, int column) {
  const TPdnSummary game = index_.Summary(static_cast<size_t>(row));
  switch (column) {
    case 0: return std::to_string(game.Number);
    case 1: return std::string(game.Black);
    case 2: return std::string(game.White);
    case 3: return std::string(game.Event);
    case 4: return std::string(game.Date);
    case 5: return std::string(game.Result);
    case 6: return std::to_string(game.Moves);
    default: return std::string();
  }
}

bool TImportList::Complete() {
  queue_.Deliver();
  return done_;
}

double TImportList::Progress() {
  queue_.Deliver();
  if (size_ == 0) return done_ ? 1.0 : 0.0;
  return static_cast<double>(read_) / static_cast<double>(size_);
}

std::string TImportList::Status() {
  queue_.Deliver();
  if (!done_) return "Reading the file: " + std::to_string(index_.Total()) + " games so far";
  if (index_.Refused().empty()) return std::string();
  return std::to_string(index_.Refused().size()) + " damaged game(s) of the file are not listed.";
}
