// Helpers of the companion's engine and match tests: the engine run as a
// child process, and lines read from it with a deadline.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "tools/EngineProcess.h"

namespace enginetest {

inline std::string Companion() { return VAREK_BINARY_DIR "/tools/varek-cli"; }

// `varek-cli engine`, talked to line by line.
class TEngineSession {
 public:
  TEngineSession() {
    std::string error;
    started_ = process_.Start(Companion() + " engine", &error);
    EXPECT_TRUE(started_) << error;
  }
  void Send(const std::string& line) { EXPECT_TRUE(process_.Send(line)) << line; }
  // The next line; "<end>" when the engine has ended, "<timeout>" after `seconds`.
  std::string Next(double seconds = 30) {
    std::string line;
    const auto deadline = TEngineProcess::TClock::now() + std::chrono::milliseconds(static_cast<long>(seconds * 1000));
    switch (process_.ReadLine(deadline, &line)) {
      case TEngineProcess::TRead::Line: return line;
      case TEngineProcess::TRead::End: return "<end>";
      case TEngineProcess::TRead::Timeout: return "<timeout>";
    }
    return "<timeout>";
  }
  // Lines up to and including the first that starts with `prefix`.
  std::vector<std::string> Until(const std::string& prefix, double seconds = 60) {
    std::vector<std::string> lines;
    for (;;) {
      lines.push_back(Next(seconds));
      if (lines.back().rfind(prefix, 0) == 0 || lines.back()[0] == '<') return lines;
    }
  }
  // The move of "bestmove M" after `go`.
  std::string BestMove(const std::string& go) {
    Send(go);
    const std::string last = Until("bestmove").back();
    return last.rfind("bestmove ", 0) == 0 ? last.substr(9) : last;
  }
  TEngineProcess& Process() { return process_; }

 private:
  TEngineProcess process_;
  bool started_ = false;
};

}  // namespace enginetest
