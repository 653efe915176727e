#pragma once
#include <cstdint>
#include <string>
#include <vector>

class ISettingsStore;

// The user's choices for one screen saver (stored per project) and the screensaver window's
// run-time close state. One object per process.
class UserSettings {
public:
    struct Point {
        int32_t x = 0;
        int32_t y = 0;
    };

    // Run-time fields, never stored.
    void* windowHandle = nullptr;
    int32_t gracePeriod = 15;
    Point referencePoint;
    uint32_t startTime = 0;
    bool passwordDialogActive = false;
    bool closeRequested = false;
    std::string registryKey;

    // The stored block: 18 little-endian 32-bit values in this order.
    int32_t mouseThreshold = 5;
    int32_t anyEvent = 1;
    int32_t mouseMove = 1;
    int32_t mouseLeftClick = 0;
    int32_t mouseRightClick = 1;
    int32_t mouseDoubleClick = 1;
    int32_t escKey = 1;
    int32_t enterKey = 1;
    int32_t specifiedKey = 0;
    int32_t keyValue = 'A';
    int32_t playSounds = 1;
    int32_t timeLimit = 0;
    int32_t timeLimitMinutes = 60;
    int32_t moveThreshold = 20;
    int32_t useOwnTransitions = 0;
    int32_t randomTransitions = 1;
    int32_t transitionSpeed = 25;
    int32_t monitor = 1;

    std::string transitionList;

    static constexpr size_t kBlockSize = 72;

    UserSettings();
    virtual ~UserSettings() = default;

    // The key is named after the project name without its extension.
    void SetKey(const std::string& projectName);
    static std::string KeyForProject(const std::string& projectName);

    // Reads the stored values, if any; missing values keep what they are.
    void Load();
    void Load(ISettingsStore& store);
    // Writes the block and the transition list; false when the store refused.
    bool Save();
    bool Save(ISettingsStore& store) const;

    std::vector<uint8_t> Block() const;
    // Replaces the leading values with the bytes given (at most the block's size).
    void SetBlock(const uint8_t* data, size_t length);

    // "0;1;2;" ... up to the last effect's number: every effect allowed. What a first run allows and what
    // "all" means when a list is chosen anew; a list stored before later effects were added keeps exactly the
    // numbers it holds.
    static std::string AllEffects();
};
