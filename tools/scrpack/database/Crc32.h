#pragma once
#include <cstddef>
#include <cstdint>

// The CRC-32 of zip and PNG (reflected polynomial 0xEDB88320), computed piece by piece:
// start with 0 and feed each piece's result into the next call.
std::uint32_t Crc32(std::uint32_t crc, const void* data, std::size_t size);
