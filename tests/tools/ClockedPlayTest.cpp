// The computer against itself on the game's clocks at short controls, each
// side's time allotted from its clock as the window allots it: no flag falls.
#include <gtest/gtest.h>

#include <chrono>

#include "egdb/Database.h"
#include "engine/MoveGenerator.h"
#include "game/GameClock.h"
#include "search/Engine.h"
#include "tools/GameLine.h"

namespace {

long long Now() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

TEST(SlowClockedPlay, TheComputerKeepsWithinItsClock) {
  TEndgameDatabase database;
  database.Load(VAREK_BINARY_DIR "/share/varek/egdb");
  TEngine engines[2];
  for (TEngine& engine : engines) engine.SetDatabase(&database);
  class TMoveGenerator generator;
  // Five seconds with a tenth added a move, and ten moves in four seconds
  // (twice over: the time comes again for each ten moves).
  const struct {
    TTimeControl Control;
    int Plies;
  } games[] = {{{5, 0.1, 0}, 120}, {{4, 0, 10}, 40}};
  for (const auto& [control, plies] : games) {
    TGameLine line;
    TGameClock clock(control);
    clock.Run(Black, Now());
    long long least = clock.Remaining(Black, Now());
    for (int ply = 0; ply < plies && !generator.NoMovesLeft(line.Board(), line.Side()) && line.Draw() == TDraw::None;
         ++ply) {
      const TPlayer side = line.Side();
      TSearchRequest request;
      std::copy(line.Board(), line.Board() + BoardSize, request.Board.begin());
      request.Side = side;
      request.History = line.History();
      request.Limits =
          TSearchLimits::Clock(static_cast<double>(clock.Remaining(side, Now())) / 1000, control.Increment,
                               clock.MovesToGo(side));
      TSearchControl stop;
      const TSearchResult result = engines[side].Search(std::move(request), stop);
      least = std::min(least, clock.Remaining(side, Now()));
      ASSERT_TRUE(clock.Moved(Now())) << control.Text() << ": " << (side == Black ? "Black" : "White")
                                      << "'s flag fell at ply " << ply;
      line.Play(result.Move.data());
    }
    EXPECT_GT(least, 0) << control.Text();
    std::printf("%s: %zu plies, least time left %lld ms\n", control.Text().c_str(), line.Moves().size(), least);
  }
}

}  // namespace
