#include "ui/Thinking.h"

#include <algorithm>
#include <system_error>
#include <utility>

#include "search/Searcher.h"

// The one place that runs the search.
TSearchResult SearchMove(const TSearchRequest& request, TSearchControl& control,
                         const std::function<void(const char*)>& progress) {
  TSearchResult result;
  int board[BoardSize];
  std::copy(request.Board.begin(), request.Board.end(), board);
  SetProgressSink(progress);
  TSearcher.Control = &control;
  TSearcher.TimeLimit = request.TimeLimit;
  TSearcher.HardLimitMs = request.HardLimitMs;
  TSearcher.SetHistory(request.History);
  TSearcher.GetComputerMoveHash(board, request.Side, result.Move.data());
  SetProgressSink(nullptr);
  result.Info = TSearcher.InfoText;
  return result;
}

TComputerThread::TComputerThread(TSearchControl& control, TResultHandler onResult, TProgressHandler onProgress)
    : MakeThread([](std::function<void()> body) { return std::thread(std::move(body)); }),
      control_(control),
      onResult_(std::move(onResult)),
      onProgress_(std::move(onProgress)) {}

TComputerThread::~TComputerThread() {
  control_.LastingStop = true;
  if (thread_.joinable()) thread_.join();
  control_.LastingStop = false;
}

bool TComputerThread::Start(TSearchRequest request) {
  RequireUiThread("TComputerThread::Start");
  if (thread_.joinable()) return false;
  control_.MoveAvailable = false;
  try {
    thread_ = MakeThread([this, request = std::move(request)] {
      TSearchResult result = SearchMove(request, control_, [this](const char* line) {
        posted_.Post([this, text = std::string(line ? line : "")] {
          if (onProgress_) onProgress_(text);
        });
      });
      posted_.Post([this, result = std::move(result)] {
        if (thread_.joinable()) thread_.join();  // its last act was this post
        onResult_(result);
      });
    });
  } catch (const std::system_error&) {
    return false;
  }
  return true;
}

void TComputerThread::Stop() {
  RequireUiThread("TComputerThread::Stop");
  control_.LastingStop = true;
  if (thread_.joinable()) thread_.join();
  posted_.Deliver();
}

void TComputerThread::ClearLastingStop() { control_.LastingStop = false; }
