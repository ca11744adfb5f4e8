#include "app/config_store.h"

#include <wx/fileconf.h>
#include <wx/sstream.h>

#include <charconv>
#include <cstdlib>
#include <fstream>
#include <iterator>

#include "document/safe_file.h"
#include "resources/strings.h"

namespace orvanel {

namespace {

wxString PathOf(std::string_view section, std::string_view key) {
    return "/" + wxString::FromUTF8(section.data(), section.size()) + "/" +
           wxString::FromUTF8(key.data(), key.size());
}

}  // namespace

std::filesystem::path ConfigStore::UserFile() {
    // The XDG layout, worked out here rather than by wxStandardPaths so that
    // the batch mode, which has no application object, finds the same file.
    std::filesystem::path folder;
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg != nullptr && *xdg == '/') {
        folder = xdg;
    } else if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') {
        folder = std::filesystem::path(home) / ".config";
    } else {
        folder = std::filesystem::temp_directory_path();
    }
    return folder / text::kAppName / (std::string(text::kAppName) + ".conf");
}

std::unique_ptr<ConfigStore> ConfigStore::ForUser() {
    return std::make_unique<ConfigStore>(UserFile());
}

ConfigStore::ConfigStore(const std::filesystem::path& file) : m_file(file) {
    // Read from a stream and written back through the program's safe save:
    // wxFileConfig's own file handling looks its folders up through the
    // application object, which the batch mode does not have.
    std::string bytes;
    if (std::ifstream in(file, std::ios::binary); in) {
        bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    wxStringInputStream stream(wxString::FromUTF8(bytes.data(), bytes.size()));
    m_config = std::make_unique<wxFileConfig>(stream, wxConvUTF8);
    // Keys are the program's own; nothing in them is an environment variable.
    m_config->SetExpandEnvVars(false);
}

ConfigStore::~ConfigStore() { Flush(); }

bool ConfigStore::Flush() {
    if (!m_bChanged) return true;
    wxStringOutputStream out(nullptr, wxConvUTF8);
    if (!m_config->Save(out, wxConvUTF8)) return false;
    std::error_code ec;
    std::filesystem::create_directories(m_file.parent_path(), ec);
    const wxScopedCharBuffer text = out.GetString().utf8_str();
    if (!WriteFileSafely(m_file, std::string_view(text.data(), text.length()))) return false;
    m_bChanged = false;
    return true;
}

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
    m_bChanged = true;
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
    m_bChanged = true;
    m_config->Write(PathOf(section, key), wxString::FromUTF8(value.data(), value.size()));
}

}  // namespace orvanel
