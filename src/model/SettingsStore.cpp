#include "model/SettingsStore.h"

#include <cstring>

std::optional<std::string> ISettingsStore::TextFromValue(const std::vector<uint8_t>& raw)
{
    // The value is read into a zero-filled buffer: a value that fills it has no end and is not taken.
    if (raw.size() >= kTextBuffer)
        return std::nullopt;
    const auto* begin = reinterpret_cast<const char*>(raw.data());
    const void* zero = raw.empty() ? nullptr : std::memchr(begin, 0, raw.size());
    const size_t length = zero ? static_cast<size_t>(static_cast<const char*>(zero) - begin) : raw.size();
    return std::string(begin, length);
}
