// TImportList: the games of a PDN file as the Import list shows them. The file
// is indexed on a thread of its own, a piece at a time, and the list shows
// what has been found so far; only the index is kept (game/PdnIndex.h), and
// it goes with this object.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "framework/ListDialog.h"
#include "game/PdnIndex.h"

class TImportList : public TListRows {
 public:
  // Starts reading the file.
  explicit TImportList(const std::string& path);
  // Stops the reading if it still goes on, and waits for its thread.
  ~TImportList() override;
  TImportList(const TImportList&) = delete;
  TImportList& operator=(const TImportList&) = delete;

  // Waits until the whole file is read, keeping the window painted (UI thread).
  void WaitUntilRead();
  // After the reading: false, with the reason, when the file could not be read.
  bool Readable() const { return error_.empty(); }
  const std::string& Error() const { return error_; }
  // The games listed so far (UI thread).
  const TPdnIndex& Index();

  int Count() override;
  std::string Cell(int row, int column) override;
  bool Complete() override;
  double Progress() override;
  std::string Status() override;

 private:
  // What the reading thread hands over, under the lock.
  struct TInbox {
    std::mutex Lock;
    TPdnIndex Found;  // games not yet taken
    uint64_t Read = 0, Size = 0;
    bool Done = false;
    std::string Error;
    std::atomic<bool> Stop{false};
  };
  // Takes what has come into the index of the UI thread.
  void Take();

  std::shared_ptr<TInbox> inbox_;
  std::thread reader_;
  TPdnIndex index_;
  uint64_t read_ = 0, size_ = 0;
  bool done_ = false;
  std::string error_;
};
