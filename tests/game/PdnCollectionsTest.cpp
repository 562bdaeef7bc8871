// The two master game collections read, written and read back: every game that
// reads comes back identical from what the writer makes of it.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "game/Pdn.h"

namespace {

const std::filesystem::path GamesDir = VAREK_SOURCE_DIR "/../shared/data/games";

// Where the collections belong when they are missing; scripts/test and the README say more.
std::string MissingCollection(const std::filesystem::path& file) {
  return "game collection missing: " + file.string() +
         "\nPut OCA_2.0.pdn and tinsley.pdn into shared/data/games beside the checkout (see README, \"Test data\").";
}

struct TExpected {
  const char* File;
  int Games;                          // games in the text
  std::vector<std::string> Refused;   // the start of each refusal's reason
};

void ReadWriteReadBack(const TExpected& expected) {
  const std::filesystem::path file = GamesDir / expected.File;
  ASSERT_TRUE(std::filesystem::is_regular_file(file)) << MissingCollection(file);
  TPdnCollection collection;
  std::string error;
  ASSERT_TRUE(ReadPdnFile(file.string(), &collection, &error)) << error;

  EXPECT_EQ(static_cast<int>(collection.Games.size() + collection.Refused.size()), expected.Games);
  ASSERT_EQ(collection.Refused.size(), expected.Refused.size());
  for (size_t i = 0; i < expected.Refused.size(); ++i)
    EXPECT_EQ(collection.Refused[i].Reason.rfind(expected.Refused[i], 0), 0u) << collection.Refused[i].Reason;

  // Written all together and read back: the same games, nothing refused.
  const std::string written = WritePdn(collection.Games);
  const TPdnCollection again = ReadPdn(written);
  EXPECT_TRUE(again.Refused.empty()) << again.Refused.front().Reason;
  ASSERT_EQ(again.Games.size(), collection.Games.size());
  size_t differing = 0, longLines = 0;
  for (size_t g = 0; g < collection.Games.size(); ++g)
    if (!(again.Games[g] == collection.Games[g]) && differing++ == 0)
      ADD_FAILURE() << "game " << collection.Numbers[g] << " reads back differently";
  for (size_t at = 0, end; at < written.size(); at = end + 1) {
    end = written.find('\n', at);
    if (end - at >= 80) ++longLines;
  }
  EXPECT_EQ(differing, 0u);
  EXPECT_EQ(longLines, 0u);
  size_t moves = 0;
  for (const TPdnGame& game : collection.Games) moves += game.Moves.size();
  std::cout << expected.File << ": " << collection.Games.size() << " games (" << moves
            << " moves) read, written and read back; " << collection.Refused.size() << " refused\n";
  for (const TPdnRefusal& refusal : collection.Refused) std::cout << "  " << refusal.Reason << "\n";
}

TEST(PdnCollections, OpenCheckersArchiveReadsWritesAndReadsBack) {
  ReadWriteReadBack({"OCA_2.0.pdn", 22621, {}});
}

// Three damaged records: game 541 moves a king from 32 to 28 where 28-32 was
// meant, games 623 and 693 end in a remark written without braces.
TEST(PdnCollections, ChampionsGamesReadWriteAndReadBack) {
  ReadWriteReadBack({"tinsley.pdn", 724, {"game 541 ", "game 623 ", "game 693 "}});
}

}  // namespace
