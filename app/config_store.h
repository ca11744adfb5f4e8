// The per-user settings in a wxFileConfig: on Linux the file
// $XDG_CONFIG_HOME/Orvanel/Orvanel.conf, with the program's section and key
// names as they have always been.
#pragma once

#include <filesystem>
#include <memory>

#include "document/settings_store.h"

class wxFileConfig;

namespace orvanel {

inline constexpr const char* kVendorName = "Kestavin, LLC";

class ConfigStore final : public SettingsStore {
public:
    // The user's own settings file.
    static std::unique_ptr<ConfigStore> ForUser();
    // A settings file of the caller's choosing, for tests.
    explicit ConfigStore(const std::filesystem::path& file);
    ~ConfigStore() override;
    ConfigStore(const ConfigStore&) = delete;
    ConfigStore& operator=(const ConfigStore&) = delete;

    int GetInt(std::string_view section, std::string_view key, int defaultValue) override;
    void WriteInt(std::string_view section, std::string_view key, int value) override;
    std::string GetString(std::string_view section, std::string_view key,
                          std::string_view defaultValue) override;
    void WriteString(std::string_view section, std::string_view key,
                     std::string_view value) override;

    // Writes what changed to the file now.
    bool Flush();
    const std::filesystem::path& File() const { return m_file; }

private:
    std::filesystem::path m_file;
    std::unique_ptr<wxFileConfig> m_config;
};

}  // namespace orvanel
