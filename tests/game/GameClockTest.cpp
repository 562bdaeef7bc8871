// The game's clocks on a scripted time: who runs, what a move adds, the
// periods of a control by moves, the flag, and the TimeControl tag.
#include <gtest/gtest.h>

#include "game/GameClock.h"

namespace {

constexpr long long Second = 1000;

TEST(GameClock, CountsForTheSideToMoveAndAddsTheIncrement) {
  TGameClock clock({60, 1, 0});
  EXPECT_EQ(clock.Remaining(Black, 0), 60 * Second);
  clock.Run(Black, 0);
  EXPECT_EQ(clock.Remaining(Black, 10 * Second), 50 * Second);
  EXPECT_EQ(clock.Remaining(White, 10 * Second), 60 * Second);
  ASSERT_TRUE(clock.Moved(10 * Second));  // Black moved after 10 s: 50 s + 1 s left
  EXPECT_EQ(clock.Side(), White);
  EXPECT_EQ(clock.Remaining(Black, 30 * Second), 51 * Second);
  EXPECT_EQ(clock.Remaining(White, 30 * Second), 40 * Second);
  // Stopped (the game is looked at, not played), nothing counts; running again, it goes on.
  clock.Stop(30 * Second);
  EXPECT_EQ(clock.Remaining(White, 500 * Second), 40 * Second);
  clock.Run(White, 500 * Second);
  EXPECT_EQ(clock.Remaining(White, 539 * Second), 1 * Second);
  EXPECT_FALSE(clock.FlagFell(539 * Second));
  // White's flag falls at 540 s: a move after that is too late and stops the clocks.
  EXPECT_TRUE(clock.FlagFell(540 * Second));
  EXPECT_EQ(clock.Remaining(White, 600 * Second), 0);
  EXPECT_FALSE(clock.Moved(541 * Second));
  EXPECT_FALSE(clock.Running());
  EXPECT_EQ(clock.Remaining(Black, 600 * Second), 51 * Second);

  // Untimed, nothing ever runs or falls.
  TGameClock untimed;
  untimed.Run(Black, 0);
  EXPECT_FALSE(untimed.Running());
  EXPECT_FALSE(untimed.FlagFell(1000000 * Second));
  EXPECT_TRUE(untimed.Moved(1000000 * Second));
}

TEST(GameClock, MovesInATimeGetTheTimeAgainEachPeriod) {
  TGameClock clock({600, 0, 30});
  long long now = 0;
  clock.Run(Black, now);
  for (int move = 1; move <= 30; ++move) {
    EXPECT_EQ(clock.MovesToGo(Black), 31 - move);
    now += 10 * Second;  // Black thinks 10 s, White moves at once
    ASSERT_TRUE(clock.Moved(now));
    ASSERT_TRUE(clock.Moved(now));
  }
  // 300 s spent on the first 30 moves, then 600 s more for the next 30.
  EXPECT_EQ(clock.Remaining(Black, now), 900 * Second);
  EXPECT_EQ(clock.MovesToGo(Black), 30);
  EXPECT_EQ(clock.Remaining(White, now), 1200 * Second);
}

TEST(GameClock, TimeControlsAsTextAndAsTheirTag) {
  const struct {
    TTimeControl Control;
    const char* Text;
    const char* Tag;
  } cases[] = {
      {{}, "untimed", "-"},
      {{300, 3, 0}, "5 min + 3 s", "300+3"},
      {{900, 0, 0}, "15 min", "900"},
      {{600, 0, 30}, "30 moves in 10 min", "30/600"},
      {{60, 0.5, 0}, "1 min + 0.5 s", "60+0.5"},
      {{90, 0, 0}, "1 min 30 s", "90"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.Control.Text(), c.Text);
    EXPECT_EQ(c.Control.PdnTag(), c.Tag);
    TTimeControl read{1, 1, 1};
    ASSERT_TRUE(TTimeControl::FromPdnTag(c.Tag, &read)) << c.Tag;
    EXPECT_EQ(read, c.Control) << c.Tag;
  }
  for (const char* bad : {"", "?", "0", "30/", "/600", "1.5/600", "300+", "+3", "40/9000:300", "5 min", "-1", "1e3"}) {
    TTimeControl read;
    EXPECT_FALSE(TTimeControl::FromPdnTag(bad, &read)) << bad;
  }
  EXPECT_EQ(TGameClock::Text(300 * Second), "5:00");
  EXPECT_EQ(TGameClock::Text(10 * Second), "0:10");
  EXPECT_EQ(TGameClock::Text(9 * Second + 999), "0:09.9");
  EXPECT_EQ(TGameClock::Text(0), "0:00.0");
}

}  // namespace
