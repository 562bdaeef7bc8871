#include "game/GameClock.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

long long Milliseconds(double seconds) { return std::llround(seconds * 1000); }

// "5 min", "90 s", "1 min 30 s".
std::string Duration(double seconds) {
  const long long whole = std::llround(seconds);
  char text[48];
  if (std::abs(seconds - static_cast<double>(whole)) > 1e-9)
    std::snprintf(text, sizeof text, "%g s", seconds);
  else if (whole % 60 == 0)
    std::snprintf(text, sizeof text, "%lld min", whole / 60);
  else if (whole > 60)
    std::snprintf(text, sizeof text, "%lld min %lld s", whole / 60, whole % 60);
  else
    std::snprintf(text, sizeof text, "%lld s", whole);
  return text;
}

// A number of seconds as the tag writes it: "300", "0.5".
std::string TagNumber(double seconds) {
  char text[32];
  std::snprintf(text, sizeof text, "%g", seconds);
  return text;
}

bool ReadNumber(const std::string& text, double* value) {
  if (text.empty() || text.size() > 12 || text.find_first_not_of("0123456789.") != std::string::npos ||
      std::count(text.begin(), text.end(), '.') > 1 || text == ".")
    return false;
  *value = std::atof(text.c_str());
  return true;
}

}  // namespace

std::string TTimeControl::Text() const {
  if (!Timed()) return "untimed";
  std::string text;
  if (Moves > 0) text.append(std::to_string(Moves)).append(" moves in ");
  text.append(Duration(Seconds));
  if (Moves == 0 && Increment > 0) text.append(" + ").append(Duration(Increment));
  return text;
}

std::string TTimeControl::PdnTag() const {
  if (!Timed()) return "-";
  std::string tag;
  if (Moves > 0) tag.append(std::to_string(Moves)).append("/");
  tag.append(TagNumber(Seconds));
  if (Moves == 0 && Increment > 0) tag.append("+").append(TagNumber(Increment));
  return tag;
}

bool TTimeControl::FromPdnTag(const std::string& tag, TTimeControl* control) {
  TTimeControl read;
  if (tag == "-") {
    *control = read;
    return true;
  }
  const size_t slash = tag.find('/'), plus = tag.find('+');
  double moves = 0;
  bool sound = true;
  if (slash != std::string::npos) {
    sound = plus == std::string::npos && ReadNumber(tag.substr(0, slash), &moves) && moves >= 1 && moves <= 999 &&
            moves == std::floor(moves) && ReadNumber(tag.substr(slash + 1), &read.Seconds);
    read.Moves = static_cast<int>(moves);
  } else if (plus != std::string::npos) {
    sound = ReadNumber(tag.substr(0, plus), &read.Seconds) && ReadNumber(tag.substr(plus + 1), &read.Increment);
  } else {
    sound = ReadNumber(tag, &read.Seconds);
  }
  if (!sound || read.Seconds <= 0 || read.Seconds > 360000 || read.Increment > 3600) return false;
  *control = read;
  return true;
}

TGameClock::TGameClock(TTimeControl control) { Reset(control); }

void TGameClock::Reset(TTimeControl control) {
  control_ = control;
  left_[0] = left_[1] = Milliseconds(control.Seconds);
  moves_[0] = moves_[1] = 0;
  running_ = false;
  since_ = 0;
}

void TGameClock::Run(TPlayer side, long long now) {
  Stop(now);
  side_ = side;
  running_ = control_.Timed();
  since_ = now;
}

void TGameClock::Stop(long long now) {
  if (running_) left_[side_] = Remaining(side_, now);
  running_ = false;
}

bool TGameClock::Moved(long long now) {
  if (!running_) return true;
  if (FlagFell(now)) {
    Stop(now);
    return false;
  }
  const TPlayer mover = side_;
  Stop(now);
  ++moves_[mover];
  left_[mover] += Milliseconds(control_.Increment);
  if (control_.Moves > 0 && moves_[mover] % control_.Moves == 0) left_[mover] += Milliseconds(control_.Seconds);
  Run(static_cast<TPlayer>(1 - mover), now);
  return true;
}

long long TGameClock::Remaining(TPlayer side, long long now) const {
  const long long left = left_[side] - (running_ && side == side_ ? std::max(0LL, now - since_) : 0);
  return std::max(0LL, left);
}

int TGameClock::MovesToGo(TPlayer side) const {
  return control_.Moves > 0 ? control_.Moves - moves_[side] % control_.Moves : 0;
}

std::string TGameClock::Text(long long milliseconds) {
  char text[32];
  if (milliseconds < 10000) {
    // Tenths, rounded down, so that 0:00.0 shows only when the time is out.
    std::snprintf(text, sizeof text, "0:%02lld.%lld", milliseconds / 1000, milliseconds / 100 % 10);
  } else {
    const long long seconds = milliseconds / 1000;
    std::snprintf(text, sizeof text, "%lld:%02lld", seconds / 60, seconds % 60);
  }
  return text;
}
