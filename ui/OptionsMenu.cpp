// The board window's Options and Help menus: the levels, Sound and About.
#include "framework/Dialogs.h"
#include "framework/Settings.h"
#include "resources/CommandIds.h"
#include "search/Levels.h"
#include "ui/VarekWindow.h"
#include "ui/WindowSettings.h"

void TVarekWindow::SetLevel(int level) {
  if (level < 0 || level >= LevelCount) level = DefaultLevel;
  GameStatus.TimeLimit = static_cast<int>(Levels[level].Seconds);
  GameStatus.Level = level;
  TSettings().WriteInt(SettingLevel, level);
}

void TVarekWindow::CmOptionsLevel(int level) { SetLevel(level); }

void TVarekWindow::CeOptionsLevel(TCommandEnabler& ce, int level) {
  ce.Enable(!Busy());
  ce.SetCheck(GameStatus.Level == level ? TCommandEnabler::Checked : TCommandEnabler::Unchecked);
}

void TVarekWindow::CmOptionsSound() {
  GameStatus.Sound = !GameStatus.Sound;
  ShowStatus(GameStatus.Sound ? "sound enabled" : "sound disabled");
}

void TVarekWindow::CeOptionsSound(TCommandEnabler& ce) {
  ce.SetCheck(GameStatus.Sound ? TCommandEnabler::Checked : TCommandEnabler::Unchecked);
}

void TVarekWindow::CmAbout() { TDialog(this, DialogId::About).Execute(); }
