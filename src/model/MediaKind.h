#pragma once
#include <cstdint>

// What an item is, as its settings record stores it. The stored value is any 32-bit number: only images
// and videos have a player; kNoPlayer and every other value hold the show on the item.
namespace MediaKind {
constexpr int32_t kImage = 0;
constexpr int32_t kNoPlayer = 1;
constexpr int32_t kVideo = 2;
} // namespace MediaKind
