#include "ui/ImportList.h"

#include "framework/UiThread.h"

TImportList::TImportList(const std::string& path) : inbox_(std::make_shared<TInbox>()) {
  reader_ = std::thread([inbox = inbox_, path] {
    TPdnIndexSink sink;
    sink.Games = [&inbox](TPdnIndex&& games, uint64_t read, uint64_t size) {
      {
        const std::lock_guard<std::mutex> hold(inbox->Lock);
        inbox->Found.Append(std::move(games));
        inbox->Read = read;
        inbox->Size = size;
      }
      WakeUiThread();  // a wait for the end notices
    };
    sink.Stop = [&inbox] { return inbox->Stop.load(); };
    std::string error;
    const bool readable = IndexPdnFile(path, sink, &error);
    {
      const std::lock_guard<std::mutex> hold(inbox->Lock);
      inbox->Done = true;
      if (!readable) inbox->Error = error.empty() ? "cannot read " + path : error;
    }
    WakeUiThread();
  });
}

TImportList::~TImportList() {
  inbox_->Stop = true;
  if (reader_.joinable()) reader_.join();
}

void TImportList::Take() {
  if (done_) return;
  const std::lock_guard<std::mutex> hold(inbox_->Lock);
  if (inbox_->Found.Total() > 0 || !inbox_->Found.Refused().empty()) index_.Append(std::move(inbox_->Found));
  read_ = inbox_->Read;
  size_ = inbox_->Size;
  done_ = inbox_->Done;
  error_ = inbox_->Error;
}

void TImportList::WaitUntilRead() {
  WaitWhile([this] { return !Complete(); });
}

const TPdnIndex& TImportList::Index() {
  Take();
  return index_;
}

int TImportList::Count() {
  Take();
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
  Take();
  return done_;
}

double TImportList::Progress() {
  Take();
  return size_ == 0 ? (done_ ? 1.0 : 0.0) : static_cast<double>(read_) / static_cast<double>(size_);
}

std::string TImportList::Status() {
  Take();
  if (!done_) return "Reading the file: " + std::to_string(index_.Total()) + " games so far";
  if (index_.Refused().empty()) return std::string();
  return std::to_string(index_.Refused().size()) + " damaged game(s) of the file are not listed.";
}
