#include "model/UserSettings.h"
#include "base/ByteOrder.h"
#include "base/EffectCount.h"

#include "model/SettingsStore.h"

#include <algorithm>
#include <array>

namespace {

constexpr size_t kValueCount = UserSettings::kBlockSize / 4;

// The stored values in block order; const or not, as the settings object is.
template <class Settings> auto Fields(Settings& s) -> std::array<decltype(&s.monitor), kValueCount>
{
    return {&s.mouseThreshold,    &s.anyEvent,        &s.mouseMove,        &s.mouseLeftClick, &s.mouseRightClick,
            &s.mouseDoubleClick,  &s.escKey,          &s.enterKey,         &s.specifiedKey,   &s.keyValue,
            &s.playSounds,        &s.timeLimit,       &s.timeLimitMinutes, &s.moveThreshold,  &s.useOwnTransitions,
            &s.randomTransitions, &s.transitionSpeed, &s.monitor};
}

} // namespace

UserSettings::UserSettings() : transitionList(AllEffects())
{
}

std::string UserSettings::AllEffects()
{
    std::string list;
    for (int i = 0; i < kEffectCount; ++i)
        list += std::to_string(i) + ";";
    return list;
}

std::string UserSettings::KeyForProject(const std::string& projectName)
{
    const size_t dot = projectName.rfind('.');
    return "Software\\quillmark\\" + (dot == std::string::npos ? projectName : projectName.substr(0, dot));
}

void UserSettings::SetKey(const std::string& projectName)
{
    registryKey = KeyForProject(projectName);
}

std::vector<uint8_t> UserSettings::Block() const
{
    std::vector<uint8_t> block(kBlockSize);
    const auto fields = Fields(*this);
    for (size_t i = 0; i < kValueCount; ++i) {
        const auto v = static_cast<uint32_t>(*fields[i]);
        for (size_t b = 0; b < 4; ++b)
            block[4 * i + b] = static_cast<uint8_t>(v >> (8 * b));
    }
    return block;
}

void UserSettings::SetBlock(const uint8_t* data, size_t length)
{
    std::vector<uint8_t> block = Block();
    std::copy_n(data, std::min(length, kBlockSize), block.begin());
    auto fields = Fields(*this);
    for (size_t i = 0; i < kValueCount; ++i) {
        *fields[i] = static_cast<int32_t>(ReadLE32(block.data() + 4 * i));
    }
}

void UserSettings::Load()
{
    Load(UserSettingsStore());
}

void UserSettings::Load(ISettingsStore& store)
{
    auto values = store.Read(registryKey);
    if (!values)
        return;
    if (values->data)
        SetBlock(values->data->data(), values->data->size());
    if (values->transitionEffects)
        transitionList = *values->transitionEffects;
}

bool UserSettings::Save()
{
    return Save(UserSettingsStore());
}

bool UserSettings::Save(ISettingsStore& store) const
{
    return store.Write(registryKey, Block(), transitionList);
}
