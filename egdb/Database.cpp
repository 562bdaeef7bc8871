#include "egdb/Database.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "egdb/Checksum.h"

namespace {

// A file: this magic, the split's four counts (White kings, White men, Black
// kings, Black men), the number of values and the CRC-32 of the values, both
// little-endian 32-bit, then one byte per index.
constexpr char Magic[8] = {'V', 'R', 'K', 'E', 'G', 'D', 'B', '1'};
constexpr std::size_t HeaderSize = sizeof Magic + 4 + 4 + 4;

void PutWord(unsigned char* p, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<unsigned char>(v >> (8 * i));
}

std::uint32_t GetWord(const unsigned char* p) {
  std::uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = (v << 8) | p[i];
  return v;
}

}  // namespace

std::string TEgdbLoadReport::Problem() const {
  if (Files == 0 && Damaged.empty()) return "no endgame database found; playing without it";
  std::string text;
  auto list = [&text](const std::vector<std::string>& names, const char* what) {
    if (names.empty()) return;
    if (!text.empty()) text += ", ";
    text += names[0];
    if (names.size() > 1) text += " and " + std::to_string(names.size() - 1) + " more";
    text += what;
  };
  list(Damaged, " damaged");
  list(Missing, " missing");
  if (text.empty()) return text;
  return "endgame database: " + text + "; playing on without " + (Damaged.size() + Missing.size() > 1 ? "them" : "it");
}

int TEndgameDatabase::Probe(const int* board, TPlayer side) const {
  TMaterialSplit s;
  std::uint32_t index;
  if (!SplitAndIndex(board, side, &s, &index)) return EgdbUnknown;
  const int own = side == White ? s.WhiteKings + s.WhiteMen : s.BlackKings + s.BlackMen;
  if (own == 0) return EgdbFromPlies(0);
  const std::vector<std::uint8_t>& table = tables_[Slot(s)];
  if (table.empty() || index == NoIndex) return EgdbUnknown;
  return table[index];
}

const std::vector<std::uint8_t>* TEndgameDatabase::Table(const TMaterialSplit& split) const {
  if (split.Pieces() > EgdbMaxSupportedPieces) return nullptr;
  const std::vector<std::uint8_t>& table = tables_[Slot(split)];
  return table.empty() ? nullptr : &table;
}

void TEndgameDatabase::SetTable(const TMaterialSplit& split, std::vector<std::uint8_t> table) {
  tables_[Slot(split)] = std::move(table);
  CountPieces();
}

void TEndgameDatabase::Clear() {
  for (auto& table : tables_) std::vector<std::uint8_t>().swap(table);
  pieces_ = 0;
}

void TEndgameDatabase::CountPieces() {
  pieces_ = 0;
  for (int n = 2; n <= EgdbMaxSupportedPieces; ++n) {
    for (const TMaterialSplit& s : EgdbSplits(n))
      if (s.Pieces() == n && tables_[Slot(s)].empty()) return;
    pieces_ = n;
  }
}

std::string TEndgameDatabase::FilePath(const std::string& folder, const TMaterialSplit& split) {
  return (std::filesystem::path(folder) / (split.Name() + FileExtension)).string();
}

bool TEndgameDatabase::ReadFile(const std::string& path, const TMaterialSplit& split,
                                std::vector<std::uint8_t>* table, std::string* error) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    *error = "cannot be read";
    return false;
  }
  unsigned char header[HeaderSize];
  if (!in.read(reinterpret_cast<char*>(header), HeaderSize)) {
    *error = "too short";
    return false;
  }
  if (std::memcmp(header, Magic, sizeof Magic) != 0) {
    *error = "not a database file";
    return false;
  }
  const unsigned char* counts = header + sizeof Magic;
  if (counts[0] != split.WhiteKings || counts[1] != split.WhiteMen || counts[2] != split.BlackKings ||
      counts[3] != split.BlackMen) {
    *error = "holds another material split";
    return false;
  }
  const std::uint32_t size = GetWord(header + sizeof Magic + 4);
  const std::uint32_t crc = GetWord(header + sizeof Magic + 8);
  if (size != split.Size()) {
    *error = "has the wrong size";
    return false;
  }
  table->assign(size, 0);
  if (!in.read(reinterpret_cast<char*>(table->data()), size) || in.peek() != std::char_traits<char>::eof()) {
    table->clear();
    *error = "has the wrong size";
    return false;
  }
  if (Crc32(table->data(), size) != crc) {
    table->clear();
    *error = "fails its checksum";
    return false;
  }
  return true;
}

TEgdbLoadReport TEndgameDatabase::Load(const std::string& folder) {
  Clear();
  TEgdbLoadReport report;
  int largest = 0;  // most pieces in a file that is there
  std::vector<TMaterialSplit> absent;
  for (const TMaterialSplit& s : EgdbSplits(EgdbMaxSupportedPieces)) {
    const std::string path = FilePath(folder, s);
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) {
      absent.push_back(s);
      continue;
    }
    largest = std::max(largest, s.Pieces());
    std::vector<std::uint8_t> table;
    std::string error;
    if (!ReadFile(path, s, &table, &error)) {
      report.Damaged.push_back(s.Name() + FileExtension + " (" + error + ")");
      continue;
    }
    tables_[Slot(s)] = std::move(table);
    ++report.Files;
  }
  for (const TMaterialSplit& s : absent)
    if (s.Pieces() <= largest) report.Missing.push_back(s.Name() + FileExtension);
  CountPieces();
  report.Pieces = pieces_;
  return report;
}

bool TEndgameDatabase::Save(const std::string& folder, std::string* error) const {
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  if (ec) {
    *error = "cannot make " + folder + ": " + ec.message();
    return false;
  }
  for (const TMaterialSplit& s : EgdbSplits(EgdbMaxSupportedPieces)) {
    const std::vector<std::uint8_t>& table = tables_[Slot(s)];
    if (table.empty()) continue;
    unsigned char header[HeaderSize];
    std::memcpy(header, Magic, sizeof Magic);
    header[8] = static_cast<unsigned char>(s.WhiteKings);
    header[9] = static_cast<unsigned char>(s.WhiteMen);
    header[10] = static_cast<unsigned char>(s.BlackKings);
    header[11] = static_cast<unsigned char>(s.BlackMen);
    PutWord(header + 12, static_cast<std::uint32_t>(table.size()));
    PutWord(header + 16, Crc32(table.data(), table.size()));
    // Written beside the old file and put in its place only when complete.
    const std::string path = FilePath(folder, s);
    const std::string temporary = path + ".part";
    {
      std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
      out.write(reinterpret_cast<const char*>(header), HeaderSize);
      out.write(reinterpret_cast<const char*>(table.data()), static_cast<std::streamsize>(table.size()));
      out.flush();
      if (!out) {
        *error = "cannot write " + temporary;
        return false;
      }
    }
    std::filesystem::rename(temporary, path, ec);
    if (ec) {
      *error = "cannot replace " + path + ": " + ec.message();
      return false;
    }
  }
  return true;
}

std::string DefaultEgdbFolder() {
  std::error_code ec;
  const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec) return "share/varek/egdb";
  return (program.parent_path().parent_path() / "share" / "varek" / "egdb").string();
}
