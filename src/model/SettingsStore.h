#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// Where the user's settings of one project live: the registry on Windows, files on Linux.
// The key is the registry path below the current user ("Software\quillmark\<project>").
class ISettingsStore {
public:
    // Largest "data" value taken, and the buffer "transition effects" is read into (text up to one
    // byte less).
    static constexpr size_t kDataBytes = 72;
    static constexpr size_t kTextBuffer = 4096;

    struct Values {
        // Each is empty when the value is missing or cannot be taken.
        std::optional<std::vector<uint8_t>> data;
        std::optional<std::string> transitionEffects;
    };

    virtual ~ISettingsStore() = default;

    // The text of a stored "transition effects" value: up to its first zero byte; nothing when the value
    // is too long for the buffer it is read into with a zero after it.
    static std::optional<std::string> TextFromValue(const std::vector<uint8_t>& raw);

    // Nothing when the key does not exist.
    virtual std::optional<Values> Read(const std::string& key) = 0;
    // False when nothing could be saved.
    virtual bool Write(const std::string& key, const std::vector<uint8_t>& data,
                       const std::string& transitionEffects) = 0;
};

// The platform's own store.
ISettingsStore& UserSettingsStore();
