#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <unistd.h>

#include "SearchTestSupport.h"
#include "engine/Metrics.h"
#include "search/Book.h"
#include "search/Engine.h"

namespace {

namespace fs = std::filesystem;

bool Listed(const TMoveList& list, const int* move) {
  for (int i = 0; i < list.NumMoves; ++i)
    if (list.Moves[i] == move) return true;
  return false;
}

fs::path Scratch(const char* name) {
  return fs::temp_directory_path() / (std::string("varek-book-") + std::to_string(::getpid()) + name);
}

}  // namespace

// A book is read back as written, and whatever its entries say, a probe only
// ever answers with a move the generator lists for the position.
TEST(Book, ProbesAnswerOnlyLegalMoves) {
  std::vector<TOpeningBook::TEntry> entries;
  std::mt19937 random(5);
  RandomGames(40, 30, 9, [&](int* board, TPlayer side, TMoveList& list) {
    TOpeningBook::TEntry e = TOpeningBook::EntryOf(board, side, list.Moves[random() % list.NumMoves]);
    e.Weight = 1 + random() % 5;
    entries.push_back(e);
    // Entries filed under this position for moves it does not have: another
    // side's move, a square pair no piece can go, a capture with other victims.
    TOpeningBook::TEntry wrong = e;
    wrong.From = static_cast<uint8_t>(1 + random() % 32);
    wrong.To = static_cast<uint8_t>(1 + random() % 32);
    entries.push_back(wrong);
    wrong = e;
    wrong.Taken ^= 1u << (random() % 32);
    entries.push_back(wrong);
  });
  const fs::path path = Scratch(".book");
  std::string error;
  ASSERT_TRUE(TOpeningBook::Save(path.string(), entries, &error)) << error;
  TOpeningBook book;
  ASSERT_TRUE(book.Load(path.string(), &error)) << error;
  EXPECT_EQ(book.Size(), entries.size());

  int answered = 0, probes = 0;
  RandomGames(60, 30, 9, [&](int* board, TPlayer side, TMoveList& list) {
    ++probes;
    for (const auto& [move, weight] : book.Moves(board, side, list)) {
      ASSERT_TRUE(Listed(list, move));
      ASSERT_GT(weight, 0);
    }
    for (uint32_t r : {0u, 1u, 7u, 123456u}) {
      const int* move = book.Choose(board, side, list, r);
      if (move == nullptr) continue;
      ASSERT_TRUE(Listed(list, move));
      ++answered;
    }
  });
  EXPECT_GT(answered, 4 * 40 * 20);  // the first 40 games are in the book at every ply
  EXPECT_GT(probes * 4, answered);   // and the other 20 only where they met those

  // A damaged or cut file is refused and leaves the book empty.
  std::string bytes;
  {
    std::ifstream in(path, std::ios::binary);
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  for (const std::string& bad : {bytes.substr(0, bytes.size() - 3), bytes.substr(0, 40) + "x" + bytes.substr(41)}) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bad;
    EXPECT_FALSE(book.Load(path.string(), &error));
    EXPECT_EQ(book.Size(), 0u);
  }
  fs::remove(path);
  EXPECT_FALSE(book.Load(path.string(), &error));
}

// The book the build installs holds the start, and the computer answers from
// it at once with the report saying so; without a book it searches.
TEST_F(SearchTest, ComputerPlaysFromTheInstalledBook) {
  const TOpeningBook* book = DefaultBook();
  ASSERT_NE(book, nullptr) << "no book at " << DefaultBookPath();
  EXPECT_GT(book->Size(), 500u);
  // After 11-15 masters answered in several ways about equally often.
  TPosition p = Position("W:W21,22,23,24,25,26,27,28,29,30,31,32:B1,2,3,4,5,6,7,8,9,10,12,15");
  TMoveList list;
  TMoveGenerator.MakeMoveList(p.Board, p.Side, &list);
  std::set<std::string> bookMoves;
  for (const auto& m : book->Moves(p.Board, p.Side, list)) {
    char text[8];
    bookMoves.insert(TMetrics::MoveToStr(m.first, text));
  }
  EXPECT_TRUE(bookMoves.count("23-18") && bookMoves.count("22-17"));

  engine.SetBook(book);
  TSearchRequest request;
  std::copy(p.Board, p.Board + BoardSize, request.Board.begin());
  request.Side = p.Side;
  request.Limits.Infinite = true;
  request.Limits.Depth = 9;
  request.Limits.Book = true;
  std::set<std::string> played;
  for (int k = 0; k < 20; ++k) {
    const TSearchResult result = engine.Search(request, control);
    const std::string report = result.Report;
    ASSERT_EQ(result.Source, TMoveSource::Book) << report;
    ASSERT_EQ(report.substr(report.size() - 6), "  book") << report;
    played.insert(report.substr(0, report.find(' ')));
  }
  EXPECT_GT(played.size(), 1u);  // chosen by weight, not always the same
  for (const std::string& m : played) EXPECT_TRUE(bookMoves.count(m)) << m;
  request.Limits.Book = false;  // self-play and matches leave it off
  const TSearchResult searched = engine.Search(request, control);
  EXPECT_EQ(searched.Source, TMoveSource::Search);
  EXPECT_EQ(std::string(searched.Report).find("book"), std::string::npos);
}
