// The companion's PDN commands: pdn (list a collection) and convert (between
// saved games and PDN), and the game loading that show shares with them.
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <string>
#include <vector>

#include "game/GameFile.h"
#include "game/Pdn.h"
#include "game/PdnIndex.h"
#include "tools/Commands.h"

namespace {

bool HasExtension(const std::string& path, const char* extension) {
  const size_t dot = path.find_last_of('.');
  if (dot == std::string::npos || path.find('/', dot) != std::string::npos) return false;
  std::string found = path.substr(dot);
  std::transform(found.begin(), found.end(), found.begin(), [](unsigned char c) { return std::tolower(c); });
  return found == extension;
}

// The one game of a PDN text, or game `number` of a collection.
bool PickPdnGame(const char* command, const std::string& path, int number, TPdnGame* game, int* exitCode) {
  TPdnIndex index;
  std::string error;
  if (!IndexPdnFile(path, &index, &error)) {
    *exitCode = CommandError(command, error);
    return false;
  }
  if (number == 0 && index.Total() != 1) {
    *exitCode = CommandError(command, path + " holds " + std::to_string(index.Total()) + " games: choose one with --game N");
    return false;
  }
  if (number == 0) number = 1;
  std::string reason;
  for (const TPdnRefusal& refusal : index.Refused())
    if (refusal.Number == number) reason = refusal.Reason;
  const long at = index.Find(number);
  if (reason.empty() && at < 0) {
    *exitCode = CommandError(command, path + " has no game " + std::to_string(number));
    return false;
  }
  if (reason.empty() && index.ReadGame(static_cast<size_t>(at), game, &reason)) return true;
  CommandError(command, path + ": " + reason);
  *exitCode = 1;
  return false;
}

}  // namespace

bool TakeGameNumber(const char* command, TArgs& args, int* number, int* exitCode) {
  *number = 0;
  const auto option = std::find(args.begin(), args.end(), "--game");
  if (option == args.end()) return true;
  if (option + 1 == args.end() || !ParseNumber(*(option + 1), 1, 999999999, number)) {
    *exitCode = CommandError(command, "--game takes a game number from 1");
    return false;
  }
  args.erase(option, option + 2);
  return true;
}

bool LoadAnyGame(const char* command, const std::string& path, int number, Game& record, TPdnGame* game,
                 int* exitCode) {
  if (IsPdnFileName(path)) {
    if (!PickPdnGame(command, path, number, game, exitCode)) return false;
    PdnToRecord(*game, record);
    return true;
  }
  if (number > 1) {
    *exitCode = CommandError(command, "--game is for PDN collections; " + path + " holds one game");
    return false;
  }
  // The reader's message spans several lines; here it is given on one.
  SetFileErrorReporter([command, path](const char*, const char* message) {
    std::string line(message);
    std::replace(line.begin(), line.end(), '\n', ' ');
    std::fprintf(stderr, "varek-cli %s: %s: %s\n", command, path.c_str(), line.c_str());
  });
  const TLoadResult result = LoadGameFile(path, record);
  if (result != TLoadResult::Loaded) {
    *exitCode = result == TLoadResult::Damaged ? 1 : CommandError(command, "cannot open " + path);
    return false;
  }
  std::string error;
  if (!RecordToPdn(record, game, &error)) {  // the reader checks every move, so this is not expected
    *exitCode = 1;
    CommandError(command, path + ": " + error);
    return false;
  }
  return true;
}

int CmdPdn(const TArgs& args) {
  if (args.size() != 1) return CommandError("pdn", "usage: varek-cli pdn FILE");
  TPdnIndex index;
  std::string error;
  if (!IndexPdnFile(args[0], &index, &error)) return CommandError("pdn", error);
  size_t read = 0;
  std::vector<std::string> refused;
  const bool readable = index.ReadEveryGame(
      [&](int number, const TPdnGame* game, const std::string& reason) {
        if (!game) {
          refused.push_back(reason);
          return;
        }
        ++read;
        std::printf("%d. %s | %s | %s | %s | %d moves\n", number, game->Players().c_str(),
                    game->Event.empty() ? "?" : game->Event.c_str(), game->Date.empty() ? "?" : game->Date.c_str(),
                    game->Result.c_str(), NumberedMoves(static_cast<int>(game->Moves.size()), game->StartSide));
      },
      &error);
  if (!readable) return CommandError("pdn", error);
  for (const std::string& reason : refused) std::fprintf(stderr, "varek-cli pdn: %s: %s\n", args[0].c_str(), reason.c_str());
  std::printf("%zu games read, %zu refused\n", read, refused.size());
  return refused.empty() ? 0 : 1;
}

int CmdConvert(const TArgs& words) {
  TArgs args = words;
  int number = 0, code = 2;
  if (!TakeGameNumber("convert", args, &number, &code)) return code;
  if (args.size() != 2) return CommandError("convert", "usage: varek-cli convert [--game N] IN OUT");
  const std::string& out = args[1];
  const bool toPdn = IsPdnFileName(out);
  if (!toPdn && !HasExtension(out, ".vrk")) return CommandError("convert", "OUT must end in .pdn or .vrk: " + out);
  Game record;
  TPdnGame game;
  if (!LoadAnyGame("convert", args[0], number, record, &game, &code)) return code;
  const bool saved = toPdn ? SaveTextFile(out, WritePdn(game)) : SaveGameFile(out, record);
  if (!saved) {
    CommandError("convert", "cannot write " + out);
    return 1;
  }
  return 0;
}
