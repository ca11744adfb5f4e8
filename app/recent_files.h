// The recent-file list of the File menu: at most six entries, the newest
// first, kept in the "Recent File List" section as "File1" .. "File6".
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "document/settings_store.h"

namespace orvanel {

class RecentFileList {
public:
    static constexpr std::size_t kMaxEntries = 6;
    static constexpr std::size_t kMenuTextLength = 30;

    // Moves the path to the front, or adds it there, dropping the oldest.
    void Add(const std::filesystem::path& path);
    void Remove(const std::filesystem::path& path);
    const std::vector<std::filesystem::path>& Entries() const { return m_entries; }

    // Empty and duplicate entries of a hand-edited file are skipped.
    void Load(SettingsStore& store);
    void Save(SettingsStore& store) const;

private:
    std::vector<std::filesystem::path> m_entries;
};

// A path shortened for a menu to at most maxLength characters: the first
// folder and the file name with "..." for the folders between, or the file
// name alone when even that is too long.
std::string AbbreviatePath(const std::filesystem::path& path, std::size_t maxLength);

}  // namespace orvanel
