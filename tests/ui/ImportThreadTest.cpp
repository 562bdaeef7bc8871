// Import PDN of a big collection, listed while a thread of its own reads the
// file: every game comes into the list and the one chosen opens, and a list
// closed before the end stops the reading.
#include <filesystem>

#include "FilesFixture.h"

namespace {

const std::filesystem::path Collection = VAREK_SOURCE_DIR "/../shared/data/games/OCA_2.0.pdn";

class ImportThread : public GameFlowTest {
 protected:
  void SetUp() override {
    GameFlowTest::SetUp();
    ASSERT_TRUE(std::filesystem::is_regular_file(Collection))
        << "game collection missing: " << Collection.string()
        << "\nPut OCA_2.0.pdn and tinsley.pdn into shared/data/games beside the checkout (see README, \"Test data\").";
    window->ListWhileReadingFrom = 0;  // every file is listed as it is read
  }
};

TEST_F(ImportThread, EveryGameIsListedAsTheFileIsReadAndTheChosenOneOpens) {
  script.ListAnswers = {22620};  // the last game of the file
  RunWithFileAnswer(CmFileImportPdn, Collection.string());
  ASSERT_EQ(script.ListDialogs.size(), 1u);
  const auto& rows = script.ListDialogs[0].Rows;
  ASSERT_EQ(rows.size(), 22621u);
  EXPECT_EQ(rows.front()[0], "1");
  EXPECT_EQ(rows.back()[0], "22621");
  EXPECT_EQ(script.ListStatus[0], "");
  EXPECT_TRUE(script.Messages.empty());
  EXPECT_GT(window->GameRecord.MoveCount, 0);
  EXPECT_EQ(StatusText().rfind("game imported ~ ", 0), 0u) << StatusText();
}

TEST_F(ImportThread, AListClosedEarlyStopsTheReading) {
  window->GameStatus.PlayMode = TPlayMode::TwoPlayer;
  PlayMoves(3);
  window->GameChanged = false;
  script.ListAnswersAtOnce = true;
  script.ListAnswers = {-1};
  RunWithFileAnswer(CmFileImportPdn, Collection.string());
  ASSERT_EQ(script.ListDialogs.size(), 1u);
  EXPECT_LT(script.ListDialogs[0].Rows.size(), 22621u);
  EXPECT_EQ(window->GameRecord.MoveCount, 3);  // nothing opened
}

}  // namespace
