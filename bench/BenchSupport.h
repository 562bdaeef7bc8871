// What the window benches share: the process's memory as the system counts
// it, and running the event loop for a while. Only standard and Qt Core
// calls, so that the benches build older trees too.
#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>

#include <cstdlib>
#include <fstream>
#include <string>

namespace benchsupport {

// A figure of /proc/self/status ("VmRSS:", "VmHWM:") in MiB (Linux), or -1.
inline double StatusMiB(const char* name) {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind(name, 0) == 0) return std::atof(line.c_str() + std::string(name).size()) / 1024.0;
  return -1;
}

// Resident set size in MiB.
inline double ResidentMiB() { return StatusMiB("VmRSS:"); }

// Runs every kind of event for `ms` milliseconds.
inline void ProcessEventsFor(int ms) {
  QElapsedTimer clock;
  clock.start();
  do {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
  } while (clock.elapsed() < ms);
}

}  // namespace benchsupport
