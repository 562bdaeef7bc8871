// The companion's endgame database commands: build (solve every position of
// a few pieces and write the files) and probe (what the database says of a
// position).
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "egdb/Builder.h"
#include "egdb/Database.h"
#include "engine/PositionString.h"
#include "tools/Commands.h"

namespace {

const char BuildUsage[] = "usage: varek-cli egdb build [--pieces N] [DIR]";
const char ProbeUsage[] = "usage: varek-cli egdb probe [--dir DIR] POSITION";
const char BenchUsage[] = "usage: varek-cli egdb bench [DIR]";

// Reads "[OPTION VALUE] [WORD]"; the option is --pieces or --dir.
bool ReadOptions(const TArgs& args, const std::string& option, std::string* value, std::string* word,
                 std::string* error) {
  for (size_t i = 1; i < args.size(); ++i) {
    if (args[i] == option) {
      if (i + 1 == args.size()) {
        *error = option + " needs a value";
        return false;
      }
      *value = args[++i];
    } else if (args[i].size() > 1 && args[i][0] == '-' && args[i][1] == '-') {
      *error = "unknown option '" + args[i] + "'";
      return false;
    } else if (word->empty()) {
      *word = args[i];
    } else {
      *error = "more than one " + std::string(option == "--dir" ? "position" : "folder") + " given";
      return false;
    }
  }
  return true;
}

void DrawBar(long long done, long long total) { DrawProgressBar(done, total); }

int Build(const TArgs& args) {
  std::string pieces = "4", folder, error;
  if (!ReadOptions(args, "--pieces", &pieces, &folder, &error))
    return CommandError("egdb", error + "\n" + BuildUsage);
  int maxPieces = 0;
  if (!ParseNumber(pieces, 2, EgdbMaxSupportedPieces, &maxPieces))
    return CommandError("egdb", "--pieces must be a whole number from 2 to " +
                                    std::to_string(EgdbMaxSupportedPieces) + ", not '" + pieces + "'");
  if (folder.empty()) folder = DefaultEgdbFolder();

  const bool terminal = isatty(fileno(stderr)) != 0;
  const auto start = std::chrono::steady_clock::now();
  TEndgameDatabase database;
  BuildEgdb(database, maxPieces, terminal ? TEgdbProgress(DrawBar) : TEgdbProgress());
  if (terminal) std::fprintf(stderr, "\n");
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  if (!database.Save(folder, &error)) {
    std::fprintf(stderr, "varek-cli egdb: %s\n", error.c_str());
    return 1;
  }
  long long positions = 0;
  int files = 0;
  for (const TMaterialSplit& s : EgdbSplits(maxPieces)) {
    positions += s.Size();
    ++files;
  }
  std::printf("%d files, %lld positions of up to %d pieces, built in %.1f s, written to %s\n", files, positions,
              maxPieces, seconds, folder.c_str());
  return 0;
}

int Probe(const TArgs& args) {
  std::string folder, position, error;
  if (!ReadOptions(args, "--dir", &folder, &position, &error)) return CommandError("egdb", error + "\n" + ProbeUsage);
  if (position.empty()) return CommandError("egdb", ProbeUsage);
  int board[BoardSize];
  TPlayer side = Black;
  if (!ParsePosition(position, board, &side, &error)) return CommandError("egdb", "bad position: " + error);
  if (folder.empty()) folder = DefaultEgdbFolder();
  TEndgameDatabase database;
  const TEgdbLoadReport report = database.Load(folder);
  if (!report.Damaged.empty() || !report.Missing.empty() || report.Files == 0)
    std::fprintf(stderr, "varek-cli egdb: %s (%s)\n", report.Problem().c_str(), folder.c_str());
  const int value = database.Probe(board, side);
  if (value == EgdbUnknown) {
    std::fprintf(stderr, "varek-cli egdb: the database of %s holds no such position\n", folder.c_str());
    return 1;
  }
  std::printf("%s\n", EgdbText(value).c_str());
  return 0;
}

// Times the probe on positions spread over every split: the load, then
// rounds of probes, each position once per round.
int Bench(const TArgs& args) {
  if (args.size() > 2) return CommandError("egdb", BenchUsage);
  const std::string folder = args.size() == 2 ? args[1] : DefaultEgdbFolder();
  TEndgameDatabase database;
  auto start = std::chrono::steady_clock::now();
  const TEgdbLoadReport report = database.Load(folder);
  const double loadSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  if (report.Files == 0 || !report.Damaged.empty()) return CommandError("egdb", report.Problem() + " (" + folder + ")");
  std::vector<std::vector<int>> boards;
  std::vector<TPlayer> sides;
  long long bytes = 0;
  for (const TMaterialSplit& s : EgdbSplits(database.Pieces())) {
    bytes += s.Size();
    for (std::uint32_t i = 0; i < s.Size(); i += 4099) {
      std::vector<int> board(BoardSize);
      TPlayer side;
      if (!DecodePosition(s, i, board.data(), &side)) continue;
      boards.push_back(std::move(board));
      sides.push_back(side);
    }
  }
  constexpr int rounds = 200;
  long long sum = 0;
  start = std::chrono::steady_clock::now();
  for (int r = 0; r < rounds; ++r)
    for (size_t k = 0; k < boards.size(); ++k) sum += database.Probe(boards[k].data(), sides[k]);
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  const double probes = static_cast<double>(rounds) * boards.size();
  std::printf("%d files, %.1f MiB, up to %d pieces, loaded in %.0f ms; %.0f probes of %zu positions: %.1f ns a probe"
              " (checksum %lld)\n",
              report.Files, bytes / 1048576.0, database.Pieces(), loadSeconds * 1000, probes, boards.size(),
              seconds * 1e9 / probes, sum);
  return 0;
}

}  // namespace

int CmdEgdb(const TArgs& args) {
  if (!args.empty() && args[0] == "build") return Build(args);
  if (!args.empty() && args[0] == "probe") return Probe(args);
  if (!args.empty() && args[0] == "bench") return Bench(args);
  return CommandError("egdb", std::string(BuildUsage) + "\n" + ProbeUsage + "\n" + BenchUsage);
}
