#include "document/settings_store.h"

namespace orvanel {

int GetIntInRange(SettingsStore& store, std::string_view section, std::string_view key,
                  int defaultValue, int lo, int hi) {
    const int value = store.GetInt(section, key, defaultValue);
    return value < lo || value > hi ? defaultValue : value;
}

Colour GetColourSetting(SettingsStore& store, std::string_view section, std::string_view key,
                        Colour defaultValue) {
    return static_cast<Colour>(
        GetIntInRange(store, section, key, static_cast<int>(defaultValue), 0, 0xFFFFFF));
}

}  // namespace orvanel
