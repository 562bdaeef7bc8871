// The names under which the window keeps the user's choices (framework/Settings.h).
#pragma once

inline constexpr const char* SettingGeometry = "window/geometry";
inline constexpr const char* SettingMoveList = "view/moveList";
inline constexpr const char* SettingInverted = "board/inverted";
inline constexpr const char* SettingLevel = "options/level";
inline constexpr const char* SettingClock = "options/clock";
inline constexpr const char* SettingSquareNumbers = "Board/SquareNumbers";
