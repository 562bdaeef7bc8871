// Fuzz target: the PDN reader. Any text must read without fault; every game it
// accepts must write out with its movetext in lines under 80 characters and
// read back the same; and the index, reading the text in pieces of a size the
// input chooses, must list and refuse the same games.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "game/Pdn.h"
#include "game/PdnIndex.h"

namespace {

[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "pdn fuzz: %s\n", what);
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const TPdnCollection collection = ReadPdn(std::string_view(reinterpret_cast<const char*>(data), size));
  if (collection.Numbers.size() != collection.Games.size()) Fail("a game without its number");
  int last = 0;
  size_t refused = 0;
  for (int number : collection.Numbers) {
    while (refused < collection.Refused.size() && collection.Refused[refused].Number < number) {
      if (collection.Refused[refused].Number <= last) Fail("refusals out of order");
      last = collection.Refused[refused++].Number;
    }
    if (number <= last) Fail("games out of order");
    last = number;
  }
  for (const TPdnRefusal& refusal : collection.Refused)
    if (refusal.Reason.find('\n') != std::string::npos || refusal.Reason.rfind("game ", 0) != 0)
      Fail("a reason that is not one line naming the game");

  const std::string_view input(reinterpret_cast<const char*>(data), size);
  TPdnIndex index;
  TPdnIndexSink sink;
  sink.Games = [&index](TPdnIndex&& games, uint64_t, uint64_t) { index.Append(std::move(games)); };
  IndexPdnText(input, sink, size == 0 ? 1 : 1 + data[size - 1] % 48);
  if (index.Total() != static_cast<int>(collection.Games.size() + collection.Refused.size()))
    Fail("the index counts other games");
  for (const TPdnRefusal& early : index.Refused()) {
    bool same = false;
    for (const TPdnRefusal& refusal : collection.Refused) same |= refusal.Number == early.Number && refusal.Reason == early.Reason;
    if (!same) Fail("the index refuses a game the reader does not, or for another reason");
  }
  for (size_t g = 0; g < collection.Games.size(); ++g) {
    const TPdnGame& game = collection.Games[g];
    const long at = index.Find(collection.Numbers[g]);
    if (at < 0) Fail("a game the reader reads is not listed");
    const TPdnSummary listed = index.Summary(static_cast<size_t>(at));
    if (game.Black.rfind(listed.Black, 0) != 0 || game.White.rfind(listed.White, 0) != 0 ||
        game.Event.rfind(listed.Event, 0) != 0 || game.Date.rfind(listed.Date, 0) != 0 || listed.Result != game.Result ||
        listed.Moves != NumberedMoves(static_cast<int>(game.Moves.size()), game.StartSide))
      Fail("a game listed otherwise than it reads");
  }

  for (const TPdnGame& game : collection.Games) {
    const std::string text = WritePdn(game);
    for (size_t at = 0, end; at < text.size(); at = end + 1) {
      end = text.find('\n', at);
      // A tag keeps its whole value on its line, and so do a line comment and
      // a word too long for any line; the rest of the movetext is wrapped.
      const std::string_view row = std::string_view(text).substr(at, end - at);
      if (row.size() >= 80 && row[0] != '[' && row.find(' ') != std::string_view::npos &&
          row.find("; ") == std::string_view::npos) {
        std::fprintf(stderr, "%s\n", text.c_str());
        Fail("a movetext line of 80 characters or more");
      }
    }
    const TPdnCollection back = ReadPdn(text);
    if (back.Games.size() != 1 || !back.Refused.empty()) Fail("a written game does not read back");
    if (!(back.Games[0] == game)) Fail("a game changed by a write and read");
  }
  return 0;
}
