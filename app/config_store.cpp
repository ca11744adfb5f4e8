#include "app/config_store.h"

#include <wx/fileconf.h>
#include <wx/stdpaths.h>

#include <charconv>

#include "resources/strings.h"

namespace orvanel {

namespace {

wxString PathOf(std::string_view section, std::string_view key) {
    return "/" + wxString::FromUTF8(section.data(), section.size()) + "/" +
           wxString::FromUTF8(key.data(), key.size());
}

}  // namespace

std::unique_ptr<ConfigStore> ConfigStore::ForUser() {
    const wxString name = wxString::FromUTF8(text::kAppName.data(), text::kAppName.size());
    const wxString file = wxFileConfig::GetLocalFileName(name, wxCONFIG_USE_SUBDIR);
    return std::make_unique<ConfigStore>(std::filesystem::path(file.utf8_string()));
}

ConfigStore::ConfigStore(const std::filesystem::path& file) : m_file(file) {
    const wxString name = wxString::FromUTF8(text::kAppName.data(), text::kAppName.size());
    std::error_code ec;
    std::filesystem::create_directories(file.parent_path(), ec);
    m_config = std::make_unique<wxFileConfig>(name, kVendorName, wxString::FromUTF8(file.string()),
                                              wxString(), wxCONFIG_USE_LOCAL_FILE);
    // Keys are the program's own; nothing in them is an environment variable.
    m_config->SetExpandEnvVars(false);
}

ConfigStore::~ConfigStore() { Flush(); }

bool ConfigStore::Flush() { return m_config->Flush(); }

int ConfigStore::GetInt(std::string_view section, std::string_view key, int defaultValue) {
    // Read as text: wxConfig itself would complain in a box about a value
    // that is not a number, where the program quietly takes the default.
    wxString value;
    if (!m_config->Read(PathOf(section, key), &value)) return defaultValue;
    const std::string text = value.Strip(wxString::both).utf8_string();
    int number = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (ec != std::errc() || end != text.data() + text.size()) return defaultValue;
    return number;
}

void ConfigStore::WriteInt(std::string_view section, std::string_view key, int value) {
    m_config->Write(PathOf(section, key), static_cast<long>(value));
}

std::string ConfigStore::GetString(std::string_view section, std::string_view key,
                                   std::string_view defaultValue) {
    wxString value;
    if (!m_config->Read(PathOf(section, key), &value)) return std::string(defaultValue);
    return value.utf8_string();
}

void ConfigStore::WriteString(std::string_view section, std::string_view key,
                              std::string_view value) {
    m_config->Write(PathOf(section, key), wxString::FromUTF8(value.data(), value.size()));
}

}  // namespace orvanel
