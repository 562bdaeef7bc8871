// The index of a PDN file, read a piece at a time: the same games and the same
// refusals as the reader of whole texts, whatever the size of the pieces, and
// a game read back from the file only while the file is as it was indexed.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "game/Pdn.h"
#include "game/PdnIndex.h"

namespace {

namespace fs = std::filesystem;

std::string FileText(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Games whose parts fall across the ends of small pieces: byte-order marks,
// comments holding brackets, a result glued to a comment, a game cut short by
// the next one's tags, an illegal move, a set-up with White to move.
const char Tricky[] =
    "\xEF\xBB\xBF; a collection\n"
    "[Event \"Club\"] [Black \"Ann\"] [White \"Bob\"] [Date \"2026.12.08\"]\n"
    "{opening [not a tag]} 1. 11-15! \xEF\xBB\xBF" "22-18 2.15x22 $3 25x18?! (2... 26x17 {deeper)}) 1-0{after}"
    "[Red \"Cy\"] [White \"Di\"] 1. 11-15 23-19 2. 8-11 22-17 3. 9-13 17x10 *;a remark\n"
    "%1. 9-13 an escaped line 1-0\n"
    "[Black \"Eve\"] 1. 9-13 22-18\n"
    "[FEN \"W:W5:B20\"] [Black \"Fay\"] 1... 5-1 0-1\n";

void WriteFile(const fs::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

class PdnIndex : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = fs::temp_directory_path() / ("varek-index-" + std::to_string(::getpid()));
    fs::create_directories(folder);
  }
  void TearDown() override { fs::remove_all(folder); }
  fs::path folder;
};

TEST_F(PdnIndex, ListsAndReadsWhatTheWholeTextReaderReadsAtAnyPieceSize) {
  const fs::path corpus = fs::path(VAREK_SOURCE_DIR) / "tests/fuzz/corpus/pdn";
  const std::string texts[] = {
      // The damaged games end the text: the last one inside a comment.
      Tricky + FileText(corpus / "every-syntax.pdn") + FileText(corpus / "set-up.pdn") +
          FileText(corpus / "damaged.pdn"),
      // The last game without its result.
      FileText(corpus / "master-game.pdn") + "\n" + Tricky + "[Black \"Gus\"] 1. 11-15 23-19 \xEF\xBB\xBF",
  };
  const fs::path file = folder / "games.pdn";
  for (const std::string& text : texts) {
    WriteFile(file, text);
    const TPdnCollection whole = ReadPdn(text);
    ASSERT_GE(whole.Games.size(), 4u);
    ASSERT_GE(whole.Refused.size(), 2u);
    for (size_t piece : {size_t{1}, size_t{2}, size_t{3}, size_t{7}, size_t{64}, size_t{4} << 20}) {
      SCOPED_TRACE("pieces of " + std::to_string(piece) + " bytes");
      TPdnIndex index;
      TPdnIndexSink sink;
      sink.Games = [&index](TPdnIndex&& games, uint64_t, uint64_t) { index.Append(std::move(games)); };
      std::string error;
      ASSERT_TRUE(IndexPdnFile(file.string(), sink, &error, piece)) << error;
      EXPECT_EQ(index.Total(), static_cast<int>(whole.Games.size() + whole.Refused.size()));

      for (size_t g = 0; g < whole.Games.size(); ++g) {
        const TPdnGame& game = whole.Games[g];
        const long at = index.Find(whole.Numbers[g]);
        ASSERT_GE(at, 0) << "game " << whole.Numbers[g] << " is not listed";
        const TPdnSummary listed = index.Summary(static_cast<size_t>(at));
        EXPECT_EQ(listed.Black, game.Black);
        EXPECT_EQ(listed.White, game.White);
        EXPECT_EQ(listed.Event, game.Event);
        EXPECT_EQ(listed.Date, game.Date);
        EXPECT_EQ(listed.Result, game.Result);
        EXPECT_EQ(listed.Moves, NumberedMoves(static_cast<int>(game.Moves.size()), game.StartSide));
        TPdnGame read;
        std::string reason;
        ASSERT_TRUE(index.ReadGame(static_cast<size_t>(at), &read, &reason)) << reason;
        EXPECT_EQ(read, game) << "game " << whole.Numbers[g];
      }
      // A refused game is refused by the index, or listed and refused when read, for the same reason.
      for (const TPdnRefusal& refusal : whole.Refused) {
        std::string reason;
        for (const TPdnRefusal& early : index.Refused())
          if (early.Number == refusal.Number) reason = early.Reason;
        if (const long at = index.Find(refusal.Number); at >= 0) {
          EXPECT_TRUE(reason.empty());
          TPdnGame read;
          EXPECT_FALSE(index.ReadGame(static_cast<size_t>(at), &read, &reason));
        }
        EXPECT_EQ(reason, refusal.Reason);
      }
      TPdnCollection fromFile;
      ASSERT_TRUE(ReadPdnFile(file.string(), &fromFile, &error)) << error;
      EXPECT_EQ(fromFile.Numbers, whole.Numbers);
      ASSERT_EQ(fromFile.Refused.size(), whole.Refused.size());
      for (size_t r = 0; r < whole.Refused.size(); ++r) EXPECT_EQ(fromFile.Refused[r].Reason, whole.Refused[r].Reason);
    }
  }
}

TEST_F(PdnIndex, ProgressStopAndAFileThatChanged) {
  std::string text;
  for (int copy = 0; copy < 50; ++copy) text += Tricky;
  const fs::path file = folder / "games.pdn";
  WriteFile(file, text);

  // The bytes read grow to the file's size, handed over with the games.
  TPdnIndex index;
  std::vector<uint64_t> progress;
  TPdnIndexSink sink;
  sink.Games = [&](TPdnIndex&& games, uint64_t read, uint64_t size) {
    EXPECT_EQ(size, text.size());
    progress.push_back(read);
    index.Append(std::move(games));
  };
  std::string error;
  ASSERT_TRUE(IndexPdnFile(file.string(), sink, &error, 256)) << error;
  ASSERT_FALSE(progress.empty());
  EXPECT_TRUE(std::is_sorted(progress.begin(), progress.end()));
  EXPECT_EQ(progress.back(), text.size());
  EXPECT_EQ(index.Total(), 50 * 4);

  // Stopped after the first piece, it hands over what it found by then.
  TPdnIndex early;
  sink.Games = [&early](TPdnIndex&& games, uint64_t, uint64_t) { early.Append(std::move(games)); };
  sink.Stop = [] { return true; };
  ASSERT_TRUE(IndexPdnFile(file.string(), sink, &error, 256)) << error;
  EXPECT_GT(early.Total(), 0);
  EXPECT_LT(early.Total(), 10);

  // Once the file has changed, its games are no longer read from it.
  TPdnGame game;
  std::string reason;
  ASSERT_TRUE(index.ReadGame(0, &game, &reason)) << reason;
  WriteFile(file, text + "\n");
  EXPECT_FALSE(index.ReadGame(0, &game, &reason));
  EXPECT_EQ(reason, "game 1 (Ann - Bob): " + file.string() + " has changed since its games were listed");
  fs::remove(file);
  EXPECT_FALSE(index.ReadGame(0, &game, &reason));
  EXPECT_NE(reason.find("cannot open"), std::string::npos) << reason;

  EXPECT_FALSE(IndexPdnFile(file.string(), &index, &error));
  EXPECT_EQ(error, "cannot open " + file.string());
  EXPECT_FALSE(IndexPdnFile(folder.string(), &index, &error));
  EXPECT_EQ(error, folder.string() + " is not a regular file");
}

}  // namespace
