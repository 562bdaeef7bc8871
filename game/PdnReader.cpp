// Reading whole PDN texts and files into games.
#include <cctype>

#include "game/Pdn.h"
#include "game/PdnIndex.h"
#include "game/PdnParse.h"

TPdnCollection ReadPdn(std::string_view text) {
  TPdnCollection collection;
  TPdnLexer lexer(text, 0, true);
  TPdnMoveReader moves;
  TRawGame raw;
  int number = 0;
  while (lexer.Next(raw)) {
    ++number;
    TPdnGame game;
    std::string reason = ReadPdnTags(raw, &game);
    if (reason.empty()) reason = moves.Read(raw, &game);
    if (reason.empty()) {
      collection.Games.push_back(std::move(game));
      collection.Numbers.push_back(number);
    } else {
      collection.Refused.push_back({number, PdnRefusalReason(number, game, reason)});
    }
  }
  return collection;
}

bool IsPdnFileName(const std::string& path) {
  if (path.size() < 4 || path[path.size() - 4] != '.') return false;
  std::string end = path.substr(path.size() - 3);
  for (char& c : end) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return end == "pdn";
}

bool ReadPdnFile(const std::string& path, TPdnCollection* collection, std::string* error) {
  TPdnIndex index;
  if (!IndexPdnFile(path, &index, error)) return false;
  TPdnCollection read;
  const bool readable = index.ReadEveryGame(
      [&read](int number, const TPdnGame* game, const std::string& reason) {
        if (!game) {
          read.Refused.push_back({number, reason});
          return;
        }
        read.Games.push_back(*game);
        read.Numbers.push_back(number);
      },
      error);
  if (readable) *collection = std::move(read);
  return readable;
}
