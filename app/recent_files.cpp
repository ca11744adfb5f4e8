#include "app/recent_files.h"

#include <algorithm>

namespace orvanel {

namespace {
constexpr std::string_view kSection = "Recent File List";

std::string KeyOf(std::size_t index) { return "File" + std::to_string(index + 1); }
}  // namespace

void RecentFileList::Add(const std::filesystem::path& path) {
    if (path.empty()) return;
    Remove(path);
    m_entries.insert(m_entries.begin(), path);
    if (m_entries.size() > kMaxEntries) m_entries.resize(kMaxEntries);
}

void RecentFileList::Remove(const std::filesystem::path& path) { std::erase(m_entries, path); }

void RecentFileList::Load(SettingsStore& store) {
    m_entries.clear();
    for (std::size_t i = 0; i < kMaxEntries; ++i) {
        const std::filesystem::path path = store.GetString(kSection, KeyOf(i), "");
        if (path.empty() || std::find(m_entries.begin(), m_entries.end(), path) != m_entries.end())
            continue;
        m_entries.push_back(path);
    }
}

void RecentFileList::Save(SettingsStore& store) const {
    for (std::size_t i = 0; i < kMaxEntries; ++i) {
        store.WriteString(kSection, KeyOf(i), i < m_entries.size() ? m_entries[i].string() : "");
    }
}

std::string AbbreviatePath(const std::filesystem::path& path, std::size_t maxLength) {
    const std::string full = path.string();
    if (full.size() <= maxLength) return full;
    const std::string name = path.filename().string();
    std::vector<std::string> parts;
    for (const auto& part : path.parent_path()) parts.push_back(part.string());
    // The root and the first folder stay; the folders after them go first.
    std::string head;
    std::size_t kept = 0;
    for (; kept < parts.size() && kept < 2; ++kept) {
        head += parts[kept];
        if (!head.empty() && head.back() != '/' && head.back() != '\\') head += '/';
    }
    for (std::size_t from = kept + 1; from <= parts.size(); ++from) {
        std::string tail;
        for (std::size_t i = from; i < parts.size(); ++i) tail += parts[i] + "/";
        const std::string candidate = head + "..." + "/" + tail + name;
        if (candidate.size() <= maxLength) return candidate;
    }
    return name;
}

}  // namespace orvanel
