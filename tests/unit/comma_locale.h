// A locale whose decimal separator is a comma, for the length of a test. It is
// made with localedef in a temporary folder the first time; where that is not
// possible Active() is false and the test should skip.
#pragma once

#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <locale>
#include <string>

namespace orvanel::test {

class CommaLocale {
public:
    CommaLocale() {
        const std::string& folder = Folder();
        if (folder.empty()) return;
        ::setenv("LOCPATH", folder.c_str(), 1);
        if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr) return;
        if (std::string(std::localeconv()->decimal_point) != ",") return;
        try {
            std::locale::global(std::locale("de_DE.UTF-8"));
        } catch (const std::runtime_error&) {
            return;
        }
        m_bActive = true;
    }
    ~CommaLocale() {
        std::setlocale(LC_ALL, "C");
        std::locale::global(std::locale::classic());
    }
    CommaLocale(const CommaLocale&) = delete;
    CommaLocale& operator=(const CommaLocale&) = delete;

    bool Active() const { return m_bActive; }

private:
    static const std::string& Folder() {
        static const std::string folder = [] {
            std::string pattern =
                (std::filesystem::temp_directory_path() / "orvanel-locale-XXXXXX").string();
            if (::mkdtemp(pattern.data()) == nullptr) return std::string();
            const std::string command =
                "localedef -i de_DE -f UTF-8 '" + pattern + "/de_DE.UTF-8' >/dev/null 2>&1";
            return std::system(command.c_str()) == 0 ? pattern : std::string();
        }();
        return folder;
    }

    bool m_bActive = false;
};

}  // namespace orvanel::test
