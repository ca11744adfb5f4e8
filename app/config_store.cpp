#include "app/config_store.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <system_error>
#include <utility>

#include <sys/stat.h>
#include <unistd.h>

#include "document/archive.h"
#include "document/safe_file.h"
#include "resources/strings.h"

namespace orvanel {

namespace {

bool IsBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

std::string_view TrimmedFront(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    return s;
}

std::string_view TrimmedBack(std::string_view s) {
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}

// Names keep letters, digits and a few safe characters; a backslash quotes
// any other.
bool NeedsQuoteInName(char c) {
    const auto u = static_cast<unsigned char>(c);
    if (u >= 0x80 || (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')) {
        return false;
    }
    return std::string_view("@_/-!.*%()").find(c) == std::string_view::npos;
}

std::string NameOut(std::string_view name) {
    std::string out;
    for (const char c : name) {
        if (NeedsQuoteInName(c)) out += '\\';
        out += c;
    }
    return out;
}

std::string NameIn(std::string_view text) {
    std::string name;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && ++i == text.size()) break;
        name += text[i];
    }
    return name;
}

// The characters a value holds escaped, each with the letter that follows
// the backslash. A quote is escaped only inside quotes.
constexpr std::pair<char, char> kValueEscapes[] = {
    {'\n', 'n'}, {'\r', 'r'}, {'\t', 't'}, {'\\', '\\'}, {'"', '"'}};

// A value that starts with a blank or a quote is written in quotes.
std::string ValueOut(std::string_view value) {
    const bool quoted = !value.empty() && (IsBlank(value.front()) || value.front() == '"');
    std::string out;
    if (quoted) out += '"';
    for (const char c : value) {
        const auto* escape = std::ranges::find(kValueEscapes, c, &std::pair<char, char>::first);
        if (escape == std::end(kValueEscapes) || (c == '"' && !quoted)) {
            out += c;
        } else {
            out += '\\';
            out += escape->second;
        }
    }
    if (quoted) out += '"';
    return out;
}

// Returns false when the text holds a stray quote or ends in a backslash;
// what can be made of it is in *value all the same.
bool ValueIn(std::string_view text, std::string* value) {
    bool sound = true;
    const bool quoted = !text.empty() && text.front() == '"';
    if (quoted) text.remove_prefix(1);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\\') {
            if (++i == text.size()) return false;
            // An unknown escape stands for nothing.
            const auto* escape =
                std::ranges::find(kValueEscapes, text[i], &std::pair<char, char>::second);
            if (escape != std::end(kValueEscapes)) *value += escape->first;
        } else if (c != '"' || !quoted) {
            *value += c;
        } else if (i != text.size() - 1) {
            sound = false;  // only the closing quote may stand unescaped
        }
    }
    return sound;
}

// The position of the first `c` in the line that no backslash quotes.
std::size_t Unquoted(std::string_view line, char c, std::size_t from = 0) {
    for (std::size_t i = from; i < line.size(); ++i) {
        if (line[i] == '\\') {
            ++i;
        } else if (line[i] == c) {
            return i;
        }
    }
    return std::string_view::npos;
}

}  // namespace

SettingsFileContents SettingsFileContents::Parse(std::string_view text, bool* pbDamaged) {
    SettingsFileContents contents;
    bool damaged = false;
    std::string section;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        line = TrimmedFront(line);
        if (line.empty() || line.front() == ';' || line.front() == '#') continue;
        if (line.find('\0') != std::string_view::npos) {
            damaged = true;
            continue;
        }
        if (line.front() == '[') {
            const std::size_t close = Unquoted(line, ']', 1);
            if (close == std::string_view::npos) {
                damaged = true;
                continue;
            }
            section = NameIn(line.substr(1, close - 1));
            // Only blanks or a comment may follow.
            const std::string_view rest = TrimmedFront(line.substr(close + 1));
            if (section.empty() || !(rest.empty() || rest.front() == ';' || rest.front() == '#')) {
                damaged = true;
            }
            continue;
        }
        const std::size_t equals = Unquoted(line, '=');
        const std::string key = equals == std::string_view::npos
                                    ? std::string()
                                    : NameIn(TrimmedBack(line.substr(0, equals)));
        if (key.empty()) {
            damaged = true;
            continue;
        }
        std::string value;
        if (!ValueIn(TrimmedFront(line.substr(equals + 1)), &value)) damaged = true;
        if (contents.Find(section, key) != nullptr) damaged = true;
        contents.Set(section, key, value);
    }
    if (pbDamaged != nullptr) *pbDamaged = damaged;
    return contents;
}

std::string SettingsFileContents::Text() const {
    std::string text;
    const auto putEntries = [&text](const Section& s) {
        for (const auto& [key, value] : s.entries)
            text += NameOut(key) + "=" + ValueOut(value) + "\n";
    };
    if (const auto root = m_index.find(""); root != m_index.end())
        putEntries(m_sections[root->second]);
    for (const Section& s : m_sections) {
        if (s.name.empty()) continue;
        text += "[" + NameOut(s.name) + "]\n";
        putEntries(s);
    }
    return text;
}

const std::string* SettingsFileContents::Find(std::string_view section,
                                              std::string_view key) const {
    const auto s = m_index.find(section);
    if (s == m_index.end()) return nullptr;
    const Section& found = m_sections[s->second];
    const auto k = found.index.find(key);
    return k == found.index.end() ? nullptr : &found.entries[k->second].second;
}

void SettingsFileContents::Set(std::string_view section, std::string_view key,
                               std::string_view value) {
    auto s = m_index.find(section);
    if (s == m_index.end()) {
        s = m_index.emplace(std::string(section), m_sections.size()).first;
        m_sections.push_back({std::string(section), {}, {}});
    }
    Section& target = m_sections[s->second];
    auto k = target.index.find(key);
    if (k == target.index.end()) {
        k = target.index.emplace(std::string(key), target.entries.size()).first;
        target.entries.emplace_back(std::string(key), std::string());
    }
    target.entries[k->second].second = value;
}

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

ConfigStore::ConfigStore(const std::filesystem::path& file) : m_file(file) { Read(); }

void ConfigStore::Read() {
    std::string bytes;
    try {
        // A pipe, a device or a folder is refused here rather than waited on
        // or read without end.
        CDiskFile in(m_file);
        if (in.GetLength() > kMaxSettingsFileBytes) {
            m_bDamaged = true;
            return;
        }
        bytes.resize(static_cast<std::size_t>(in.GetLength()) + 1);
        bytes.resize(in.Read(bytes.data(), bytes.size()));
        if (bytes.size() > kMaxSettingsFileBytes) {
            m_bDamaged = true;
            return;
        }
    } catch (const CFileException& e) {
        m_bDamaged = e.OsError() != ENOENT;
        return;
    }
    bool damaged = false;
    m_contents = SettingsFileContents::Parse(bytes, &damaged);
    m_bDamaged = damaged;
}

ConfigStore::~ConfigStore() { Flush(); }

std::filesystem::path ConfigStore::DamagedFile() const { return m_file.string() + ".bad"; }

bool ConfigStore::SetDamagedFileAside() const {
    struct stat st {};
    if (::lstat(m_file.c_str(), &st) != 0) return errno == ENOENT;
    const std::filesystem::path bad = DamagedFile();
    if (::rename(m_file.c_str(), bad.c_str()) == 0) return true;
    // A folder cannot take the place of a file: an older damaged file gives
    // way to this one, an older folder does not.
    struct stat old {};
    if (::lstat(bad.c_str(), &old) != 0 || S_ISDIR(old.st_mode)) return false;
    return ::unlink(bad.c_str()) == 0 && ::rename(m_file.c_str(), bad.c_str()) == 0;
}

bool ConfigStore::Flush() {
    if (!m_bChanged) return true;
    std::error_code ec;
    std::filesystem::create_directories(m_file.parent_path(), ec);
    if (m_bDamaged) {
        if (!SetDamagedFileAside()) return false;
        m_bDamaged = false;
    }
    if (!WriteFileSafely(m_file, m_contents.Text())) return false;
    m_bChanged = false;
    return true;
}

int ConfigStore::GetInt(std::string_view section, std::string_view key, int defaultValue) {
    // A value that is not a number quietly gives the default.
    const std::string* value = m_contents.Find(section, key);
    if (value == nullptr) return defaultValue;
    const std::string_view text = TrimmedBack(TrimmedFront(*value));
    int number = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (ec != std::errc() || end != text.data() + text.size()) return defaultValue;
    return number;
}

void ConfigStore::WriteInt(std::string_view section, std::string_view key, int value) {
    WriteString(section, key, std::to_string(value));
}

std::string ConfigStore::GetString(std::string_view section, std::string_view key,
                                   std::string_view defaultValue) {
    const std::string* value = m_contents.Find(section, key);
    return value == nullptr ? std::string(defaultValue) : *value;
}

void ConfigStore::WriteString(std::string_view section, std::string_view key,
                              std::string_view value) {
    m_bChanged = true;
    m_contents.Set(section, key, value);
}

}  // namespace orvanel
