// The companion's PDN commands: pdn (list a collection) and convert (between
// saved games and PDN), and the game loading that show shares with them.
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <string>

#include "game/GameFile.h"
#include "game/Pdn.h"
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
  TPdnCollection collection;
  std::string error;
  if (!ReadPdnFile(path, &collection, &error)) {
    *exitCode = CommandError(command, error);
    return false;
  }
  const int total = static_cast<int>(collection.Games.size() + collection.Refused.size());
  if (number == 0 && total != 1) {
    *exitCode = CommandError(command, path + " holds " + std::to_string(total) + " games: choose one with --game N");
    return false;
  }
  if (number == 0) number = 1;
  for (const TPdnRefusal& refusal : collection.Refused) {
    if (refusal.Number != number) continue;
    CommandError(command, path + ": " + refusal.Reason);
    *exitCode = 1;
    return false;
  }
  const auto at = std::find(collection.Numbers.begin(), collection.Numbers.end(), number);
  if (at == collection.Numbers.end()) {
    *exitCode = CommandError(command, path + " has no game " + std::to_string(number));
    return false;
  }
  *game = std::move(collection.Games[at - collection.Numbers.begin()]);
  return true;
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
  TPdnCollection collection;
  std::string error;
  if (!ReadPdnFile(args[0], &collection, &error)) return CommandError("pdn", error);
  for (size_t g = 0; g < collection.Games.size(); ++g) {
    const TPdnGame& game = collection.Games[g];
    std::printf("%d. %s | %s | %s | %s | %zu moves\n", collection.Numbers[g], game.Players().c_str(),
                game.Event.empty() ? "?" : game.Event.c_str(), game.Date.empty() ? "?" : game.Date.c_str(),
                game.Result.c_str(), game.Moves.size());
  }
  for (const TPdnRefusal& refusal : collection.Refused)
    std::fprintf(stderr, "varek-cli pdn: %s: %s\n", args[0].c_str(), refusal.Reason.c_str());
  std::printf("%zu games read, %zu refused\n", collection.Games.size(), collection.Refused.size());
  return collection.Refused.empty() ? 0 : 1;
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
