// Dispatch of window messages, commands and command enablers through response
// tables. A window's Find looks an event up in its own table first and hands it
// to its base class's Find when nothing matches.
#pragma once

#include <cstddef>
#include <functional>

#include "framework/CommandEnabler.h"
#include "framework/Geometry.h"

// The window messages the layer delivers.
enum TMessageId {
  WM_SIZE = 0x0005,
  WM_MOUSEMOVE = 0x0200,
  WM_LBUTTONDOWN = 0x0201,
  WM_LBUTTONUP = 0x0202,
  WM_LBUTTONDBLCLK = 0x0203,
  WM_RBUTTONDOWN = 0x0204,
  WM_RBUTTONUP = 0x0205,
  WM_RBUTTONDBLCLK = 0x0206,
};

// Mouse modifier flags passed to the mouse handlers.
enum : unsigned { MK_LBUTTON = 0x01, MK_RBUTTON = 0x02, MK_SHIFT = 0x04, MK_CONTROL = 0x08 };

// Size types passed to EvSize.
enum : unsigned { SIZE_RESTORED = 0, SIZE_MINIMIZED = 1, SIZE_MAXIMIZED = 2 };

enum class TEventKind { Message, Command, CommandEnable };

struct TEventInfo {
  TEventKind Kind = TEventKind::Message;
  int Id = 0;  // message id or command id
  // Arguments of the event.
  unsigned Flags = 0;  // mouse modifiers or size type
  TPoint Point;
  TSize Size;
  TCommandEnabler* Enabler = nullptr;
  // Set by Find: the handler bound to its window and arguments.
  std::function<void()> Handler;
};

// One row of a response table of window class T: one message or command, or
// a range of consecutive commands whose handler is told which one it got
// (0 for the first).
template <class T>
struct TResponseEntry {
  TEventKind Kind;
  int Id;
  int LastId;
  void (T::*Command)() = nullptr;
  void (T::*Enabler)(TCommandEnabler&) = nullptr;
  void (T::*Mouse)(unsigned, const TPoint&) = nullptr;
  void (T::*Size)(unsigned, const TSize&) = nullptr;
  void (T::*RangeCommand)(int) = nullptr;
  void (T::*RangeEnabler)(TCommandEnabler&, int) = nullptr;
};

template <class T>
constexpr TResponseEntry<T> EvMessage(int message, void (T::*handler)(unsigned, const TPoint&)) {
  return {TEventKind::Message, message, message, nullptr, nullptr, handler, nullptr, nullptr, nullptr};
}
template <class T>
constexpr TResponseEntry<T> EvSizeMessage(void (T::*handler)(unsigned, const TSize&)) {
  return {TEventKind::Message, WM_SIZE, WM_SIZE, nullptr, nullptr, nullptr, handler, nullptr, nullptr};
}
template <class T>
constexpr TResponseEntry<T> EvCommand(int id, void (T::*handler)()) {
  return {TEventKind::Command, id, id, handler, nullptr, nullptr, nullptr, nullptr, nullptr};
}
template <class T>
constexpr TResponseEntry<T> EvCommandEnable(int id, void (T::*handler)(TCommandEnabler&)) {
  return {TEventKind::CommandEnable, id, id, nullptr, handler, nullptr, nullptr, nullptr, nullptr};
}
template <class T>
constexpr TResponseEntry<T> EvCommandRange(int first, int last, void (T::*handler)(int)) {
  return {TEventKind::Command, first, last, nullptr, nullptr, nullptr, nullptr, handler, nullptr};
}
template <class T>
constexpr TResponseEntry<T> EvCommandEnableRange(int first, int last, void (T::*handler)(TCommandEnabler&, int)) {
  return {TEventKind::CommandEnable, first, last, nullptr, nullptr, nullptr, nullptr, nullptr, handler};
}

// Looks `info` up in `table`; on a match binds the handler to `self` in info.Handler.
template <class T, std::size_t N>
bool SearchResponseTable(T* self, const TResponseEntry<T> (&table)[N], TEventInfo& info) {
  for (const TResponseEntry<T>& e : table) {
    if (e.Kind != info.Kind || info.Id < e.Id || info.Id > e.LastId) continue;
    if (e.Command) {
      info.Handler = [self, h = e.Command] { (self->*h)(); };
    } else if (e.Enabler) {
      if (!info.Enabler) return false;
      info.Handler = [self, h = e.Enabler, en = info.Enabler] { (self->*h)(*en); };
    } else if (e.Mouse) {
      info.Handler = [self, h = e.Mouse, f = info.Flags, p = info.Point] { (self->*h)(f, p); };
    } else if (e.Size) {
      info.Handler = [self, h = e.Size, f = info.Flags, s = info.Size] { (self->*h)(f, s); };
    } else if (e.RangeCommand) {
      info.Handler = [self, h = e.RangeCommand, k = info.Id - e.Id] { (self->*h)(k); };
    } else if (e.RangeEnabler) {
      if (!info.Enabler) return false;
      info.Handler = [self, h = e.RangeEnabler, en = info.Enabler, k = info.Id - e.Id] { (self->*h)(*en, k); };
    } else {
      return false;
    }
    return true;
  }
  return false;
}
