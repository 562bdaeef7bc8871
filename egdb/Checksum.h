// CRC-32 (the polynomial of zip and PNG), guarding the database files.
#pragma once

#include <cstddef>
#include <cstdint>

std::uint32_t Crc32(const std::uint8_t* data, std::size_t size, std::uint32_t crc = 0);
