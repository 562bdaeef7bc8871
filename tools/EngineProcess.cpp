#include "tools/EngineProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <thread>

extern char** environ;

bool TEngineProcess::Start(const std::string& command, std::string* error) {
  // A line written to a program that has ended must fail, not end us.
  static const bool ignored = [] { return std::signal(SIGPIPE, SIG_IGN) != SIG_ERR; }();
  (void)ignored;
  Kill();
  int in[2], out[2];
  if (::pipe2(in, O_CLOEXEC) != 0) {
    *error = std::string("no pipe: ") + std::strerror(errno);
    return false;
  }
  if (::pipe2(out, O_CLOEXEC) != 0) {
    *error = std::string("no pipe: ") + std::strerror(errno);
    ::close(in[0]);
    ::close(in[1]);
    return false;
  }
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, in[0], 0);
  posix_spawn_file_actions_adddup2(&actions, out[1], 1);
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  posix_spawnattr_setpgroup(&attributes, 0);
  // The program starts with the default handling of every signal.
  sigset_t all;
  sigfillset(&all);
  posix_spawnattr_setsigdefault(&attributes, &all);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGDEF);
  const std::string line = "exec " + command;
  char* argv[] = {const_cast<char*>("sh"), const_cast<char*>("-c"), const_cast<char*>(line.c_str()), nullptr};
  pid_t pid = -1;
  const int failed = posix_spawn(&pid, "/bin/sh", &actions, &attributes, argv, environ);
  posix_spawn_file_actions_destroy(&actions);
  posix_spawnattr_destroy(&attributes);
  ::close(in[0]);
  ::close(out[1]);
  if (failed != 0) {
    *error = "cannot start '" + command + "': " + std::strerror(failed);
    ::close(in[1]);
    ::close(out[0]);
    return false;
  }
  pid_ = pid;
  toEngine_ = in[1];
  fromEngine_ = out[0];
  pending_.clear();
  ended_ = false;
  return true;
}

bool TEngineProcess::Send(const std::string& line) {
  if (toEngine_ < 0) return false;
  const std::string text = line + "\n";
  size_t done = 0;
  while (done < text.size()) {
    const ssize_t n = ::write(toEngine_, text.data() + done, text.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;  // EPIPE: it has ended
    done += static_cast<size_t>(n);
  }
  return true;
}

TEngineProcess::TRead TEngineProcess::ReadLine(TClock::time_point deadline, std::string* line) {
  for (;;) {
    const size_t newline = pending_.find('\n');
    if (newline != std::string::npos) {
      *line = pending_.substr(0, newline);
      pending_.erase(0, newline + 1);
      if (!line->empty() && line->back() == '\r') line->pop_back();
      return TRead::Line;
    }
    if (ended_ || fromEngine_ < 0) return TRead::End;
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - TClock::now()).count();
    if (left <= 0) return TRead::Timeout;
    pollfd poll{fromEngine_, POLLIN, 0};
    const int ready = ::poll(&poll, 1, static_cast<int>(std::min<long long>(left, 1000)));
    if (ready < 0 && errno != EINTR) return TRead::End;
    if (ready <= 0) continue;
    char buffer[4096];
    const ssize_t n = ::read(fromEngine_, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      ended_ = true;
      continue;
    }
    pending_.append(buffer, static_cast<size_t>(n));
  }
}

void TEngineProcess::CloseInput() {
  if (toEngine_ >= 0) ::close(toEngine_);
  toEngine_ = -1;
}

int TEngineProcess::Wait(std::chrono::milliseconds timeout) {
  const auto deadline = TClock::now() + timeout;
  while (pid_ > 0) {
    int status = 0;
    if (::waitpid(pid_, &status, WNOHANG) == pid_) {
      pid_ = -1;
      Close();
      return status;
    }
    if (TClock::now() >= deadline) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  Kill();
  return -1;
}

void TEngineProcess::Quit() {
  if (pid_ <= 0) return;
  Send("quit");
  Wait(std::chrono::seconds(1));
}

void TEngineProcess::Kill() {
  if (pid_ > 0) {
    ::kill(-pid_, SIGKILL);  // its group: whatever it started goes too
    int status = 0;
    while (::waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
    }
    pid_ = -1;
  }
  Close();
}

void TEngineProcess::Close() {
  if (toEngine_ >= 0) ::close(toEngine_);
  if (fromEngine_ >= 0) ::close(fromEngine_);
  toEngine_ = fromEngine_ = -1;
  pending_.clear();
  ended_ = false;
}
