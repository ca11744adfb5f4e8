// The per-user settings file, on Linux $XDG_CONFIG_HOME/Orvanel/Orvanel.conf,
// with the program's section and key names as they have always been, in the
// layout wxFileConfig writes ("[Recent\ File\ List]", "File1=/a b.lum"), so
// that files of earlier versions keep working. It is read once, at the start,
// and written back at the end; a damaged file never stops the program.
#pragma once

#include <cstddef>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "document/settings_store.h"

namespace orvanel {

inline constexpr const char* kVendorName = "Kestavin, LLC";

// A settings file larger than this is not one the program wrote.
inline constexpr std::size_t kMaxSettingsFileBytes = 1 << 20;

// The sections of a settings file and their values, in file order.
class SettingsFileContents {
public:
    // Takes every line that it understands; *pbDamaged (when given) says
    // whether some line was not: no "=", no key, a key given twice (the last
    // one counts, as it always has), or a broken section line.
    static SettingsFileContents Parse(std::string_view text, bool* pbDamaged = nullptr);
    // The file's text: entries outside any section first, then each section.
    std::string Text() const;

    const std::string* Find(std::string_view section, std::string_view key) const;
    void Set(std::string_view section, std::string_view key, std::string_view value);

private:
    struct Section {
        std::string name;
        std::vector<std::pair<std::string, std::string>> entries;
        std::map<std::string, std::size_t, std::less<>> index;
    };
    std::vector<Section> m_sections;
    std::map<std::string, std::size_t, std::less<>> m_index;
};

class ConfigStore final : public SettingsStore {
public:
    // The user's own settings file, $XDG_CONFIG_HOME/Orvanel/Orvanel.conf.
    static std::filesystem::path UserFile();
    static std::unique_ptr<ConfigStore> ForUser();
    // Reads the file without waiting on it and without a message: a file
    // that is missing gives the defaults; one that cannot be read, is no
    // regular file, is too large or holds lines that do not parse gives what
    // could be read, and is kept beside the new one when that is written.
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

    // Writes the settings to the file now, when anything was written. A
    // damaged file is first renamed to DamagedFile().
    bool Flush();
    const std::filesystem::path& File() const { return m_file; }
    std::filesystem::path DamagedFile() const;
    bool IsDamaged() const { return m_bDamaged; }

private:
    void Read();
    bool SetDamagedFileAside() const;

    std::filesystem::path m_file;
    SettingsFileContents m_contents;
    bool m_bChanged = false;
    bool m_bDamaged = false;
};

}  // namespace orvanel
