// Per-user settings, addressed by section and key as the program has always
// stored them. The application backs this with its settings file; tests use
// memory.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <utility>

#include "document/colour.h"

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

// Values live in a map; integers are kept as their decimal text, so a test can
// plant garbage under an integer key just as a hand-edited file could.
class MemorySettingsStore final : public SettingsStore {
public:
    int GetInt(std::string_view section, std::string_view key, int defaultValue) override;
    void WriteInt(std::string_view section, std::string_view key, int value) override;
    std::string GetString(std::string_view section, std::string_view key,
                          std::string_view defaultValue) override;
    void WriteString(std::string_view section, std::string_view key,
                     std::string_view value) override;

    bool Has(std::string_view section, std::string_view key) const;
    std::size_t WriteCount() const { return m_nWrites; }

private:
    std::map<std::pair<std::string, std::string>, std::string> m_values;
    std::size_t m_nWrites = 0;
};

// Reads an integer setting and falls back to the default when the stored value
// lies outside [lo, hi]: a damaged settings file must never stop the program.
int GetIntInRange(SettingsStore& store, std::string_view section, std::string_view key,
                  int defaultValue, int lo, int hi);

// A colour setting (0x00BBGGRR); a value no colour could have falls back.
Colour GetColourSetting(SettingsStore& store, std::string_view section, std::string_view key,
                        Colour defaultValue);

}  // namespace orvanel
