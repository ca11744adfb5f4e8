// Per-user settings, addressed by section and key as the program has always
// stored them. The application backs this with its settings file; tests use
// memory (tests/support/test_doubles.h).
#pragma once

#include <string>
#include <string_view>

#include "document/colour.h"
#include "document/ranges.h"

namespace orvanel {

class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    virtual int GetInt(std::string_view section, std::string_view key, int defaultValue) = 0;
    virtual void WriteInt(std::string_view section, std::string_view key, int value) = 0;
    virtual std::string GetString(std::string_view section, std::string_view key,
                                  std::string_view defaultValue) = 0;
    virtual void WriteString(std::string_view section, std::string_view key,
                             std::string_view value) = 0;
};

// Reads an integer setting and falls back to the default when the stored value
// lies outside [lo, hi]: a damaged settings file must never stop the program.
int GetIntInRange(SettingsStore& store, std::string_view section, std::string_view key,
                  int defaultValue, int lo, int hi);
inline int GetIntInRange(SettingsStore& store, std::string_view section, std::string_view key,
                         int defaultValue, IntRange range) {
    return GetIntInRange(store, section, key, defaultValue, range.lo, range.hi);
}

// A colour setting (0x00BBGGRR); a value no colour could have falls back.
Colour GetColourSetting(SettingsStore& store, std::string_view section, std::string_view key,
                        Colour defaultValue);

}  // namespace orvanel
