#include "tests/support/test_doubles.h"

#include <charconv>

namespace orvanel {

namespace {
std::pair<std::string, std::string> Key(std::string_view section, std::string_view key) {
    return {std::string(section), std::string(key)};
}
}  // namespace

int MemorySettingsStore::GetInt(std::string_view section, std::string_view key, int defaultValue) {
    auto it = m_values.find(Key(section, key));
    if (it == m_values.end()) return defaultValue;
    int value = 0;
    const std::string& text = it->second;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size()) return defaultValue;
    return value;
}

void MemorySettingsStore::WriteInt(std::string_view section, std::string_view key, int value) {
    m_values[Key(section, key)] = std::to_string(value);
    ++m_nWrites;
}

std::string MemorySettingsStore::GetString(std::string_view section, std::string_view key,
                                           std::string_view defaultValue) {
    auto it = m_values.find(Key(section, key));
    return it == m_values.end() ? std::string(defaultValue) : it->second;
}

void MemorySettingsStore::WriteString(std::string_view section, std::string_view key,
                                      std::string_view value) {
    m_values[Key(section, key)] = std::string(value);
    ++m_nWrites;
}

bool MemorySettingsStore::Has(std::string_view section, std::string_view key) const {
    return m_values.count(Key(section, key)) != 0;
}

}  // namespace orvanel
