#include "search/Book.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "egdb/Checksum.h"
#include "egdb/Database.h"
#include "engine/Metrics.h"
#include "engine/PositionKey.h"

namespace {

// File: the magic, the entry count (4 bytes), the CRC-32 of the entries (4),
// then 16 bytes per entry, all little-endian.
const char Magic[8] = {'V', 'A', 'R', 'E', 'K', 'B', 'K', '1'};
constexpr std::size_t EntryBytes = 16;
constexpr std::size_t HeaderBytes = sizeof Magic + 8;

uint64_t Mix(uint64_t x) {
  x ^= x >> 30;
  x *= 0xbf58476d1ce4e5b9ull;
  x ^= x >> 27;
  x *= 0x94d049bb133111ebull;
  x ^= x >> 31;
  return x;
}

void Put(std::vector<uint8_t>& out, uint64_t value, int bytes) {
  for (int k = 0; k < bytes; ++k) out.push_back(static_cast<uint8_t>(value >> (8 * k)));
}

uint64_t Get(const uint8_t* in, int bytes) {
  uint64_t value = 0;
  for (int k = 0; k < bytes; ++k) value |= uint64_t{in[k]} << (8 * k);
  return value;
}

}  // namespace

uint64_t TOpeningBook::PositionHash(const int* board, TPlayer side) {
  const TPositionKey key = MakePositionKey(board, side);
  uint64_t h = Mix(key.BlackMen | uint64_t{key.WhiteMen} << 32);
  h = Mix(h ^ (key.BlackKings | uint64_t{key.WhiteKings} << 32));
  return Mix(h + static_cast<uint64_t>(side) + 1);
}

TOpeningBook::TEntry TOpeningBook::EntryOf(const int* board, TPlayer side, const int* move) {
  TEntry entry;
  entry.Position = PositionHash(board, side);
  const int n = MoveLength(move);
  entry.From = static_cast<uint8_t>(TMetrics::SquareToNotation(move[0]));
  entry.To = static_cast<uint8_t>(TMetrics::SquareToNotation(move[n - 1]));
  // A capture lists the squares it takes at the odd places.
  if (n > 2)
    for (int k = 1; k < n; k += 2) entry.Taken |= uint32_t{1} << (TMetrics::SquareToNotation(move[k]) - 1);
  return entry;
}

bool TOpeningBook::Load(const std::string& path, std::string* error) {
  entries_.clear();
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    *error = "no opening book at " + path;
    return false;
  }
  const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  if (bytes.size() < HeaderBytes || !std::equal(Magic, Magic + sizeof Magic, bytes.begin())) {
    *error = "not an opening book: " + path;
    return false;
  }
  const uint64_t count = Get(bytes.data() + 8, 4);
  if (bytes.size() != HeaderBytes + count * EntryBytes ||
      Crc32(bytes.data() + HeaderBytes, bytes.size() - HeaderBytes) != Get(bytes.data() + 12, 4)) {
    *error = "damaged opening book: " + path;
    return false;
  }
  std::vector<TEntry> entries(count);
  for (uint64_t i = 0; i < count; ++i) {
    const uint8_t* in = bytes.data() + HeaderBytes + i * EntryBytes;
    entries[i].Position = Get(in, 8);
    entries[i].Taken = static_cast<uint32_t>(Get(in + 8, 4));
    entries[i].From = in[12];
    entries[i].To = in[13];
    entries[i].Weight = static_cast<uint16_t>(Get(in + 14, 2));
  }
  if (!std::is_sorted(entries.begin(), entries.end())) {
    *error = "damaged opening book: " + path;
    return false;
  }
  entries_ = std::move(entries);
  return true;
}

bool TOpeningBook::Save(const std::string& path, std::vector<TEntry> entries, std::string* error) {
  // By position, entries of one position in the order given. (Sorted through
  // their indices: the library's stable sort frees its buffer in a way the
  // address sanitizer takes for a mismatch.)
  std::vector<size_t> order(entries.size());
  for (size_t i = 0; i < order.size(); ++i) order[i] = i;
  std::sort(order.begin(), order.end(), [&entries](size_t a, size_t b) {
    return entries[a].Position != entries[b].Position ? entries[a].Position < entries[b].Position : a < b;
  });
  std::vector<TEntry> sorted;
  sorted.reserve(entries.size());
  for (size_t i : order) sorted.push_back(entries[i]);
  entries = std::move(sorted);
  std::vector<uint8_t> body;
  for (const TEntry& e : entries) {
    Put(body, e.Position, 8);
    Put(body, e.Taken, 4);
    Put(body, e.From, 1);
    Put(body, e.To, 1);
    Put(body, e.Weight, 2);
  }
  std::vector<uint8_t> bytes(Magic, Magic + sizeof Magic);
  Put(bytes, entries.size(), 4);
  Put(bytes, Crc32(body.data(), body.size()), 4);
  bytes.insert(bytes.end(), body.begin(), body.end());
  const std::string temporary = path + ".part";
  {
    std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!file) {
      *error = "cannot write " + temporary;
      return false;
    }
  }
  std::error_code ec;
  std::filesystem::rename(temporary, path, ec);
  if (ec) {
    *error = "cannot replace " + path + ": " + ec.message();
    return false;
  }
  return true;
}

int TOpeningBook::Weight(const int* board, TPlayer side, const int* move, uint64_t position) const {
  TEntry key;
  key.Position = position;
  const TEntry played = EntryOf(board, side, move);
  int weight = 0;
  for (auto e = std::lower_bound(entries_.begin(), entries_.end(), key); e != entries_.end() && e->Position == position;
       ++e)
    if (e->From == played.From && e->To == played.To && e->Taken == played.Taken) weight += e->Weight;
  return weight;
}

std::vector<std::pair<const int*, int>> TOpeningBook::Moves(const int* board, TPlayer side,
                                                             const TMoveList& legal) const {
  std::vector<std::pair<const int*, int>> found;
  const uint64_t position = PositionHash(board, side);
  // Only a move the generator lists is ever played, whatever the file says.
  for (int i = 0; i < legal.NumMoves; ++i)
    if (const int weight = Weight(board, side, legal.Moves[i], position); weight > 0)
      found.emplace_back(legal.Moves[i], weight);
  return found;
}

const int* TOpeningBook::Choose(const int* board, TPlayer side, const TMoveList& legal, uint32_t random) const {
  // Two passes over the list, so that nothing is allocated.
  const uint64_t position = PositionHash(board, side);
  long total = 0;
  for (int i = 0; i < legal.NumMoves; ++i) total += Weight(board, side, legal.Moves[i], position);
  if (total == 0) return nullptr;
  long pick = static_cast<long>(random % static_cast<uint32_t>(total));
  for (int i = 0; i < legal.NumMoves; ++i) {
    pick -= Weight(board, side, legal.Moves[i], position);
    if (pick < 0) return legal.Moves[i];
  }
  return nullptr;
}

std::string DefaultBookPath() {
  return (std::filesystem::path(DefaultEgdbFolder()).parent_path() / "opening.book").string();
}

const TOpeningBook* DefaultBook() {
  static const TOpeningBook* const book = [] {
    static TOpeningBook loaded;
    std::string error;
    return loaded.Load(DefaultBookPath(), &error) ? &loaded : nullptr;
  }();
  return book;
}
