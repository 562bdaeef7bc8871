// TEngineProcess: another program that speaks the engine protocol, started
// from a shell command line and talked to over two pipes: lines to its
// standard input, lines read from its standard output with a deadline.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <string>

class TEngineProcess {
 public:
  using TClock = std::chrono::steady_clock;
  enum class TRead { Line, End, Timeout };

  TEngineProcess() = default;
  ~TEngineProcess() { Kill(); }
  TEngineProcess(const TEngineProcess&) = delete;
  TEngineProcess& operator=(const TEngineProcess&) = delete;

  // Starts `command` through /bin/sh, in a process group of its own (so that
  // a Ctrl-C meant for us does not reach it); false, with the reason, when it
  // cannot be started.
  bool Start(const std::string& command, std::string* error);
  bool Running() const { return pid_ > 0; }
  pid_t Pid() const { return pid_; }
  // Writes one line; false when the program no longer reads (it has ended).
  bool Send(const std::string& line);
  // The next line of its output, waiting until `deadline`.
  TRead ReadLine(TClock::time_point deadline, std::string* line);
  // Closes its standard input, as at the end of a script.
  void CloseInput();
  // Waits up to `timeout` for it to end by itself; its exit status (as
  // waitpid gives it), or -1 when it was still running and has been killed.
  int Wait(std::chrono::milliseconds timeout);
  // Asks it to quit and waits a little; then kills it.
  void Quit();
  // Kills it at once and reaps it.
  void Kill();

 private:
  void Close();
  pid_t pid_ = -1;
  int toEngine_ = -1;    // its standard input
  int fromEngine_ = -1;  // its standard output
  std::string pending_;  // read but not yet a whole line
  bool ended_ = false;   // its output is closed
};
