// varek-cli analyse: every move of every game of a file searched for a time
// a move, with the endgame database and the game's history; the games
// written again with each move's mark and score (analysis/AnalysisPdn.h).
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "analysis/AnalysisPdn.h"
#include "analysis/GameAnalysis.h"
#include "egdb/Database.h"
#include "game/Game.h"
#include "game/GameFile.h"
#include "game/Pdn.h"
#include "tools/Commands.h"

namespace {

const char Usage[] = "usage: varek-cli analyse [--time SECONDS] IN OUT.pdn";

// "1 ??, 2 ?, 0 ?!": how many moves got each mark.
std::string Counts(const std::vector<TMoveAnalysis>& moves) {
  int marks[4] = {};
  for (const TMoveAnalysis& a : moves) ++marks[static_cast<int>(a.Mark)];
  return std::to_string(marks[3]) + " ??, " + std::to_string(marks[2]) + " ?, " + std::to_string(marks[1]) + " ?!";
}

}  // namespace

int CmdAnalyse(const TArgs& args) {
  double seconds = 1;
  std::vector<std::string> files;
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--time") {
      if (i + 1 == args.size() || !ParseSeconds(args[i + 1], 3600, &seconds) || seconds <= 0)
        return CommandError("analyse", "--time takes seconds a move above 0 and up to 3600, e.g. 0.5\n" +
                                           std::string(Usage));
      ++i;
    } else if (args[i].size() > 1 && args[i][0] == '-') {
      return CommandError("analyse", "unknown option '" + args[i] + "'\n" + Usage);
    } else {
      files.push_back(args[i]);
    }
  }
  if (files.size() != 2) return CommandError("analyse", Usage);
  const std::string &in = files[0], &out = files[1];
  if (!IsPdnFileName(out)) return CommandError("analyse", "OUT must end in .pdn: " + out);

  TPdnCollection collection;
  if (IsPdnFileName(in)) {
    std::string error;
    if (!ReadPdnFile(in, &collection, &error)) return CommandError("analyse", error);
    for (const TPdnRefusal& refusal : collection.Refused)
      std::fprintf(stderr, "varek-cli analyse: %s: %s (left out)\n", in.c_str(), refusal.Reason.c_str());
  } else {
    Game record;
    TPdnGame game;
    int code = 0;
    if (!LoadAnyGame("analyse", in, 0, record, &game, &code)) return code;
    collection.Games.push_back(std::move(game));
    collection.Numbers.push_back(1);
  }

  TEngine engine;
  TEndgameDatabase database;
  const std::string folder = DefaultEgdbFolder();
  const TEgdbLoadReport report = database.Load(folder);
  if (!report.Problem().empty()) std::fprintf(stderr, "varek-cli analyse: %s (%s)\n", report.Problem().c_str(), folder.c_str());
  if (report.Files > 0) engine.SetDatabase(&database);

  const bool terminal = isatty(fileno(stderr)) != 0;
  const size_t total = collection.Games.size();
  char annotator[64];
  std::snprintf(annotator, sizeof annotator, "Varek 99, %g s a move", seconds);
  std::vector<TPdnGame> written;
  for (size_t g = 0; g < total; ++g) {
    TPdnGame& game = collection.Games[g];
    const auto start = std::chrono::steady_clock::now();
    TGameAnalysis analysis(game.StartBoard, game.StartSide, game.Moves);
    TSearchControl control;
    const std::string which = "game " + std::to_string(g + 1) + "/" + std::to_string(total);
    AnalyseGame(analysis, engine, seconds, control, [&](const TGameAnalysis& done) {
      if (terminal)
        DrawProgressBar(done.PositionsDone(), done.Positions(),
                        "  " + which + ", position " + std::to_string(done.PositionsDone()) + "/" +
                            std::to_string(done.Positions()));
    });
    if (terminal) std::fprintf(stderr, "\r\033[K");
    AnnotateGame(analysis.Moves(), &game);
    bool named = false;
    for (TPdnGame::TTag& tag : game.OtherTags)
      if (tag.Name == "Annotator") tag.Value = annotator, named = true;
    if (!named) game.OtherTags.push_back({"Annotator", annotator});
    written.push_back(game);
    // Each game is kept as soon as it is done: a stopped run loses only the one under way.
    if (!SaveTextFile(out, WritePdn(written))) {
      CommandError("analyse", "cannot write " + out);
      return 1;
    }
    const double took = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("game %d (%s): %zu moves, %s, %.1f s\n", collection.Numbers[g], game.Players().c_str(),
                game.Moves.size(), Counts(analysis.Moves()).c_str(), took);
    std::fflush(stdout);
  }
  if (total == 0 && !SaveTextFile(out, "")) {
    CommandError("analyse", "cannot write " + out);
    return 1;
  }
  return collection.Refused.empty() ? 0 : 1;
}
