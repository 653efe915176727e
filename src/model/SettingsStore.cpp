#include "model/SettingsStore.h"

#include <cstring>

std::optional<std::string> ISettingsStore::TextFromValue(const std::vector<uint8_t>& raw)
{
    // The value is read into a zero-filled buffer: one that fills it without a zero has no end and is
    // not taken; its own terminating zero may take the buffer's last byte.
    if (raw.size() > kTextBuffer)
        return std::nullopt;
    const auto* begin = reinterpret_cast<const char*>(raw.data());
    const void* zero = raw.empty() ? nullptr : std::memchr(begin, 0, raw.size());
    if (!zero && raw.size() == kTextBuffer)
        return std::nullopt;
    const size_t length = zero ? static_cast<size_t>(static_cast<const char*>(zero) - begin) : raw.size();
    return std::string(begin, length);
}
