#include "ui/Thinking.h"

#include <system_error>
#include <utility>

TComputerThread::TComputerThread(TResultHandler onResult, TProgressHandler onProgress)
    : MakeThread([](std::function<void()> body) { return std::thread(std::move(body)); }),
      onResult_(std::move(onResult)),
      onProgress_(std::move(onProgress)) {}

TComputerThread::~TComputerThread() {
  Control.LastingStop = true;
  if (thread_.joinable()) thread_.join();
}

bool TComputerThread::Start(TSearchRequest request) {
  RequireUiThread("TComputerThread::Start");
  if (thread_.joinable()) return false;
  Control.MoveAvailable = false;
  try {
    thread_ = MakeThread([this, request = std::move(request)]() mutable {
      TSearchCallbacks reporter;
      reporter.OnProgress = [this](const char* line) {
        posted_.Post([this, text = std::string(line ? line : "")] {
          if (onProgress_) onProgress_(text);
        });
      };
      if (LineHandler)
        reporter.OnIteration = [this](const TSearchLine& line) {
          TComputerLine posted{line.Line, line.Depth, line.Score, {}};
          if (!line.Pv.empty()) posted.Move = line.Pv[0];
          posted_.Post([this, posted] {
            if (LineHandler) LineHandler(posted);
          });
        };
      TSearchResult result = engine_.Search(std::move(request), Control, &reporter);
      posted_.Post([this, result] {
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
  Control.LastingStop = true;
  if (thread_.joinable()) thread_.join();
  posted_.Deliver();
}

void TComputerThread::ClearLastingStop() { Control.LastingStop = false; }
