// The database's files: what is saved loads back the same, and a damaged or
// missing file is refused and reported while the rest stays usable.
#include <filesystem>
#include <fstream>

#include "EgdbTestSupport.h"

namespace {

class EgdbFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = std::filesystem::path(VAREK_BINARY_DIR) / "egdb-files-test" /
              ::testing::UnitTest::GetInstance()->current_test_info()->name();
    std::filesystem::remove_all(folder_);
    std::string error;
    ASSERT_TRUE(SmallEgdb().Save(folder_.string(), &error)) << error;
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }

  std::string File(const char* name) const { return (folder_ / (std::string(name) + ".egdb")).string(); }

  // Changes one byte of a file at `offset` from its end.
  static void Damage(const std::string& path, std::streamoff offset) {
    std::fstream f(path, std::ios::in | std::ios::out | std::ios::binary);
    f.seekg(-offset, std::ios::end);
    const char c = static_cast<char>(f.get());
    f.seekp(-offset, std::ios::end);
    f.put(static_cast<char>(c ^ 0x10));
  }

  std::filesystem::path folder_;
};

}  // namespace

TEST_F(EgdbFiles, WhatIsSavedLoadsBackTheSame) {
  TEndgameDatabase loaded;
  const TEgdbLoadReport report = loaded.Load(folder_.string());
  EXPECT_EQ(report.Problem(), "");
  EXPECT_EQ(report.Files, 16);
  EXPECT_EQ(loaded.Pieces(), 3);
  for (const TMaterialSplit& s : EgdbSplits(3)) {
    ASSERT_NE(loaded.Table(s), nullptr) << s.Name();
    EXPECT_TRUE(*loaded.Table(s) == *SmallEgdb().Table(s)) << s.Name();
  }
  const TPosition p = Position("W:WK14:BK19,K27");
  EXPECT_EQ(loaded.Probe(p.Board, p.Side), EgdbFromPlies(26));
}

TEST_F(EgdbFiles, ADamagedFileIsRefusedAndTheOthersStillServe) {
  Damage(File("KK-K"), 100);
  // Another file cut short, a third with another split's header.
  std::filesystem::resize_file(File("K-KM"), std::filesystem::file_size(File("K-KM")) - 1);
  std::filesystem::copy_file(File("K-MM"), File("M-MM"), std::filesystem::copy_options::overwrite_existing);
  TEndgameDatabase loaded;
  const TEgdbLoadReport report = loaded.Load(folder_.string());
  ASSERT_EQ(report.Damaged.size(), 3u);
  EXPECT_EQ(report.Files, 13);
  EXPECT_EQ(report.Problem().rfind("endgame database: ", 0), 0u) << report.Problem();
  EXPECT_NE(report.Problem().find("damaged"), std::string::npos) << report.Problem();
  const TPosition damaged = Position("B:WK4,K15:BK23");
  EXPECT_EQ(loaded.Probe(damaged.Board, damaged.Side), EgdbUnknown);
  EXPECT_EQ(loaded.Pieces(), 2);
  const TPosition intact = Position("W:WK14:BK19,K27");
  EXPECT_EQ(loaded.Probe(intact.Board, intact.Side), EgdbFromPlies(26));
}

TEST_F(EgdbFiles, MissingFilesAndAnEmptyFolderAreReported) {
  std::filesystem::remove(File("KM-K"));
  TEndgameDatabase loaded;
  TEgdbLoadReport report = loaded.Load(folder_.string());
  EXPECT_EQ(report.Missing, std::vector<std::string>{"KM-K.egdb"});
  EXPECT_EQ(report.Problem(), "endgame database: KM-K.egdb missing; playing on without it");
  report = loaded.Load((folder_ / "nowhere").string());
  EXPECT_EQ(report.Files, 0);
  EXPECT_EQ(report.Problem(), "no endgame database found; playing without it");
  EXPECT_EQ(loaded.Pieces(), 0);
}
