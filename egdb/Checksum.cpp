#include "egdb/Checksum.h"

namespace {

struct TCrcTable {
  std::uint32_t Entry[256];
  TCrcTable() {
    for (std::uint32_t n = 0; n < 256; ++n) {
      std::uint32_t c = n;
      for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xedb88320u ^ (c >> 1) : c >> 1;
      Entry[n] = c;
    }
  }
};

}  // namespace

std::uint32_t Crc32(const std::uint8_t* data, std::size_t size, std::uint32_t crc) {
  static const TCrcTable table;
  crc = ~crc;
  for (std::size_t i = 0; i < size; ++i) crc = table.Entry[(crc ^ data[i]) & 0xff] ^ (crc >> 8);
  return ~crc;
}
