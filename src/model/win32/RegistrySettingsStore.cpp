#include "model/SettingsStore.h"

#include <windows.h>

#include <string>

namespace {

// The user's settings in the registry below HKEY_CURRENT_USER.
class RegistrySettingsStore final : public ISettingsStore {
public:
    std::optional<Values> Read(const std::string& key) override
    {
        HKEY hkey = nullptr;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, KEY_ALL_ACCESS, &hkey) != ERROR_SUCCESS)
            return std::nullopt;
        Values values;
        // A value longer than the block does not fit the buffer and is not taken.
        std::vector<uint8_t> data(kDataBytes);
        DWORD size = static_cast<DWORD>(data.size());
        if (RegQueryValueExA(hkey, "data", nullptr, nullptr, data.data(), &size) == ERROR_SUCCESS) {
            data.resize(size);
            values.data = std::move(data);
        }
        std::vector<uint8_t> text(kTextBuffer, 0);
        size = static_cast<DWORD>(text.size());
        if (RegQueryValueExA(hkey, "transition effects", nullptr, nullptr, text.data(), &size) == ERROR_SUCCESS) {
            text.resize(size);
            values.transitionEffects = TextFromValue(text);
        }
        RegCloseKey(hkey);
        return values;
    }

    bool Write(const std::string& key, const std::vector<uint8_t>& data, const std::string& transitionEffects) override
    {
        HKEY hkey = nullptr;
        DWORD disposition = 0;
        if (RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                            nullptr, &hkey, &disposition) != ERROR_SUCCESS)
            return false;
        bool ok =
            RegSetValueExA(hkey, "data", 0, REG_BINARY, data.data(), static_cast<DWORD>(data.size())) == ERROR_SUCCESS;
        // Written without a terminating zero: the byte count is the text's length. The system counts a
        // zero byte that follows the text in, so the buffer carries a non-zero byte after it.
        const std::string buffer = transitionEffects + '\x01';
        ok = RegSetValueExA(hkey, "transition effects", 0, REG_EXPAND_SZ, reinterpret_cast<const BYTE*>(buffer.data()),
                            static_cast<DWORD>(transitionEffects.size())) == ERROR_SUCCESS &&
            ok;
        RegCloseKey(hkey);
        return ok;
    }
};

} // namespace

ISettingsStore& UserSettingsStore()
{
    static RegistrySettingsStore store;
    return store;
}
