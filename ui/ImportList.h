// TImportList: the games of a PDN file as the Import list shows them. The file
// is indexed on a thread of its own, a piece at a time, and the list shows
// what has been found so far; only the index is kept (game/PdnIndex.h), and
// it goes with this object.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <thread>

#include "framework/ListDialog.h"
#include "framework/UiThread.h"
#include "game/PdnIndex.h"

class TImportList : public TListRows {
 public:
  // Starts reading the file.
  explicit TImportList(const std::string& path);
  // Stops the reading if it still goes on, and waits for its thread.
  ~TImportList() override;
  TImportList(const TImportList&) = delete;
  TImportList& operator=(const TImportList&) = delete;

  // Waits until the whole file is read (UI thread; for files that read at once).
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
  // What the reading thread hands over, on the UI thread.
  void Take(TPdnIndex& games, uint64_t read, uint64_t size);
  void Finish(const std::string& error);

  TUiQueue queue_;  // from the reading thread, which never waits for the UI thread
  std::atomic<bool> stop_{false};
  std::thread reader_;
  TPdnIndex index_;
  uint64_t read_ = 0, size_ = 0;
  bool done_ = false;
  std::string error_;
};
