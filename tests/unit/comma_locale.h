// Runs a piece of a test in a process whose locale has a decimal comma. The
// locale is made with localedef in a temporary folder the first time. The
// child process keeps the test's own process clean: glibc holds on to the
// memory of every locale it loads.
#pragma once

#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <locale>
#include <string>

#include <sys/wait.h>
#include <unistd.h>

namespace orvanel::test {

enum class CommaLocaleRun { Done, Failed, Unavailable };

// `work` returns whether it succeeded; it should only write files, which the
// test then checks.
inline CommaLocaleRun RunInCommaLocale(const std::function<bool()>& work) {
    static const std::string folder = [] {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "orvanel-locale-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) return std::string();
        const std::string command =
            "localedef -i de_DE -f UTF-8 '" + pattern + "/de_DE.UTF-8' >/dev/null 2>&1";
        return std::system(command.c_str()) == 0 ? pattern : std::string();
    }();
    if (folder.empty()) return CommaLocaleRun::Unavailable;
    constexpr int kUnavailable = 77;
    const pid_t child = ::fork();
    if (child < 0) return CommaLocaleRun::Failed;
    if (child == 0) {
        ::setenv("LOCPATH", folder.c_str(), 1);
        if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr ||
            std::string(std::localeconv()->decimal_point) != ",") {
            ::_exit(kUnavailable);
        }
        bool ok = false;
        try {
            std::locale::global(std::locale("de_DE.UTF-8"));
            ok = work();
        } catch (...) {
        }
        ::_exit(ok ? 0 : 1);
    }
    int status = 0;
    if (::waitpid(child, &status, 0) != child || !WIFEXITED(status)) return CommaLocaleRun::Failed;
    if (WEXITSTATUS(status) == kUnavailable) return CommaLocaleRun::Unavailable;
    return WEXITSTATUS(status) == 0 ? CommaLocaleRun::Done : CommaLocaleRun::Failed;
}

}  // namespace orvanel::test
