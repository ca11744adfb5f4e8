#include "document/safe_file.h"

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstring>
#include <memory>
#include <system_error>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace orvanel {

namespace {

constexpr std::string_view kTempPrefix = ".orvanel-";
constexpr std::string_view kTempSuffix = ".tmp";
constexpr std::size_t kTempUniqueChars = 6;  // mkstemp's XXXXXX
// As many links as the system itself follows before it gives up.
constexpr int kMaxLinkHops = 40;

std::string Describe(const std::string& what, int err) { return what + ": " + std::strerror(err); }

std::filesystem::path FolderOf(const std::filesystem::path& file) {
    std::filesystem::path folder = file.parent_path();
    return folder.empty() ? std::filesystem::path(".") : folder;
}

// --- signals
//
// While a save runs, a signal that would end the program first removes the
// temporary file in flight, then ends it as it would have. The handler may
// only make async-signal-safe calls, so the path waits in a fixed buffer.

char g_inFlight[PATH_MAX];
volatile std::sig_atomic_t g_bInFlight = 0;

constexpr int kEndingSignals[] = {SIGTERM, SIGINT, SIGHUP};
// A file-size limit and a pipe whose reader went away would end the program
// in the middle of a write; ignored, they make the write fail instead.
constexpr int kWriteSignals[] = {SIGXFSZ, SIGPIPE};

struct CoveredSignal {
    int signal;
    bool bChanged;
    struct sigaction previous;
};
CoveredSignal g_covered[std::size(kEndingSignals) + std::size(kWriteSignals)];
int g_nCovers = 0;

extern "C" void RemoveInFlightAndRaise(int signal) {
    if (g_bInFlight) ::unlink(g_inFlight);
    // SA_RESETHAND has given the signal its default action back; it takes
    // effect as soon as the handler returns.
    ::raise(signal);
}

// Only signals left at their default: one the program ignores or handles
// itself does not end it.
void Cover(CoveredSignal& c, int signal, void (*handler)(int), int flags) {
    c.signal = signal;
    c.bChanged = false;
    if (::sigaction(signal, nullptr, &c.previous) != 0) return;
    if ((c.previous.sa_flags & SA_SIGINFO) != 0 || c.previous.sa_handler != SIG_DFL) return;
    struct sigaction action {};
    action.sa_handler = handler;
    action.sa_flags = flags;
    sigemptyset(&action.sa_mask);
    c.bChanged = ::sigaction(signal, &action, nullptr) == 0;
}

void CoverSignals() {
    if (g_nCovers++ > 0) return;
    std::size_t i = 0;
    for (const int s : kEndingSignals)
        Cover(g_covered[i++], s, RemoveInFlightAndRaise, SA_RESETHAND);
    for (const int s : kWriteSignals) Cover(g_covered[i++], s, SIG_IGN, 0);
}

void UncoverSignals() {
    if (--g_nCovers > 0) return;
    for (const CoveredSignal& c : g_covered) {
        if (c.bChanged) ::sigaction(c.signal, &c.previous, nullptr);
    }
}

// The ending signals held back while the path in flight changes.
class BlockEndingSignals {
public:
    BlockEndingSignals() {
        sigset_t set;
        sigemptyset(&set);
        for (const int s : kEndingSignals) sigaddset(&set, s);
        ::pthread_sigmask(SIG_BLOCK, &set, &m_previous);
    }
    ~BlockEndingSignals() { ::pthread_sigmask(SIG_SETMASK, &m_previous, nullptr); }
    BlockEndingSignals(const BlockEndingSignals&) = delete;
    BlockEndingSignals& operator=(const BlockEndingSignals&) = delete;

private:
    sigset_t m_previous;
};

// --- the target

// Renaming over a symbolic link would replace the link; the user means the
// file it names, which need not exist yet.
std::filesystem::path FollowLinks(const std::filesystem::path& target) {
    std::filesystem::path path = target;
    for (int hops = 0;; ++hops) {
        struct stat st {};
        if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
        if (hops == kMaxLinkHops) {
            throw CFileException(Describe("cannot follow " + target.string(), ELOOP), ELOOP);
        }
        std::error_code ec;
        const std::filesystem::path link = std::filesystem::read_symlink(path, ec);
        if (ec) throw CFileException("cannot follow " + target.string(), ec.value());
        path = link.is_absolute() ? link : path.parent_path() / link;
    }
}

// Read-only as editors see it: no one may write it, which a privileged user
// would otherwise not notice, or the user may not.
bool IsReadOnly(const std::filesystem::path& file, const struct stat& st) {
    if ((st.st_mode & 0222) == 0) return true;
    return ::faccessat(AT_FDCWD, file.c_str(), W_OK, AT_EACCESS) != 0 && errno == EACCES;
}

bool SameFile(const struct stat& st, const std::filesystem::path& other) {
    struct stat o {};
    return !other.empty() && ::stat(other.c_str(), &o) == 0 && o.st_dev == st.st_dev &&
           o.st_ino == st.st_ino;
}

mode_t NewFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

struct DirCloser {
    void operator()(DIR* d) const { ::closedir(d); }
};

// A program killed outright leaves its temporary file behind; whoever saves
// into the folder next removes those of processes that are gone.
void RemoveStaleTemporaries(const std::filesystem::path& folder) {
    const std::unique_ptr<DIR, DirCloser> dir(::opendir(folder.c_str()));
    if (!dir) return;
    const int dirFd = ::dirfd(dir.get());
    while (const dirent* entry = ::readdir(dir.get())) {
        const std::optional<int> owner = TemporaryFileOwner(entry->d_name);
        if (!owner || *owner == ::getpid()) continue;
        if (::kill(*owner, 0) == 0 || errno != ESRCH) continue;
        struct stat st {};
        if (::fstatat(dirFd, entry->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0) continue;
        if (S_ISREG(st.st_mode) && st.st_uid == ::geteuid()) ::unlinkat(dirFd, entry->d_name, 0);
    }
}

}  // namespace

std::optional<int> TemporaryFileOwner(std::string_view name) {
    if (!name.starts_with(kTempPrefix) || !name.ends_with(kTempSuffix)) return std::nullopt;
    name.remove_prefix(kTempPrefix.size());
    name.remove_suffix(kTempSuffix.size());
    const std::size_t dash = name.find('-');
    if (dash == 0 || dash == std::string_view::npos || name.size() - dash - 1 != kTempUniqueChars) {
        return std::nullopt;
    }
    long long pid = 0;
    for (const char c : name.substr(0, dash)) {
        if (c < '0' || c > '9') return std::nullopt;
        pid = pid * 10 + (c - '0');
        if (pid > INT_MAX) return std::nullopt;
    }
    for (const char c : name.substr(dash + 1)) {
        const bool alnum =
            (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
        if (!alnum) return std::nullopt;
    }
    if (pid == 0) return std::nullopt;
    return static_cast<int>(pid);
}

CSafeFileWriter::CSafeFileWriter(const std::filesystem::path& target, const SaveRules& rules)
    : m_target(FollowLinks(target)) {
    struct stat st {};
    const bool exists = ::stat(m_target.c_str(), &st) == 0;
    if (exists && (S_ISCHR(st.st_mode) || S_ISFIFO(st.st_mode))) {
        OpenInPlace();
        return;
    }
    if (exists && !S_ISREG(st.st_mode)) {
        throw CFileException(target.string() + " is not a regular file",
                             S_ISDIR(st.st_mode) ? EISDIR : EINVAL, SpecialFileReason(st.st_mode));
    }
    if (exists && SameFile(st, rules.profile)) {
        throw CFileException(target.string() + " is the profile", EEXIST,
                             target.string() + " is the profile being exported");
    }
    if (exists && !rules.bOverwriteReadOnly && IsReadOnly(m_target, st)) {
        throw CFileException(target.string() + " is read-only", EACCES,
                             target.string() + " is read-only");
    }
    OpenTemporary();

    // Keep the owner and permissions of the file being replaced; a new file
    // gets the usual permissions rather than mkstemp's private 0600.
    if (exists && (st.st_uid != ::geteuid() || st.st_gid != ::getegid())) {
        [[maybe_unused]] const int kept = ::fchown(m_fd, st.st_uid, st.st_gid);
    }
    ::fchmod(m_fd, exists ? (st.st_mode & 07777) : NewFileMode());
}

void CSafeFileWriter::OpenTemporary() {
    const std::filesystem::path folder = FolderOf(m_target);
    RemoveStaleTemporaries(folder);
    // A short name of its own, whatever the length of the target's, that
    // tells whose it is.
    std::string pattern = (folder / (std::string(kTempPrefix) + std::to_string(::getpid()) + "-" +
                                     std::string(kTempUniqueChars, 'X') + std::string(kTempSuffix)))
                              .string();
    CoverSignals();
    {
        const BlockEndingSignals blocked;
        m_fd = ::mkostemps(pattern.data(), static_cast<int>(kTempSuffix.size()), O_CLOEXEC);
        if (m_fd >= 0 && !g_bInFlight && pattern.size() < sizeof g_inFlight) {
            std::memcpy(g_inFlight, pattern.c_str(), pattern.size() + 1);
            g_bInFlight = 1;
            m_bInFlight = true;
        }
    }
    if (m_fd < 0) {
        const int err = errno;
        UncoverSignals();
        throw CFileException(Describe("cannot create a file in " + folder.string(), err), err);
    }
    m_bCovered = true;
    m_tempPath = pattern;
}

void CSafeFileWriter::OpenInPlace() {
    // O_NONBLOCK: a pipe that no one reads fails at once instead of waiting.
    m_fd = ::open(m_target.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (m_fd < 0) {
        const int err = errno;
        if (err == ENXIO) {
            throw CFileException("no reader on " + m_target.string(), err,
                                 "No program is reading from the pipe");
        }
        throw CFileException(Describe("cannot open " + m_target.string(), err), err);
    }
    struct stat st {};
    if (::fstat(m_fd, &st) != 0 || !(S_ISCHR(st.st_mode) || S_ISFIFO(st.st_mode))) {
        ::close(m_fd);
        m_fd = -1;
        throw CFileException(m_target.string() + " changed while it was opened", EAGAIN);
    }
    // From here on writes wait for a slow reader, as writes to a pipe do.
    ::fcntl(m_fd, F_SETFL, ::fcntl(m_fd, F_GETFL) & ~O_NONBLOCK);
    CoverSignals();
    m_bCovered = true;
}

CSafeFileWriter::~CSafeFileWriter() {
    if (m_fd >= 0) ::close(m_fd);
    if (!m_bCommitted && !m_tempPath.empty()) ::unlink(m_tempPath.c_str());
    if (m_bInFlight) g_bInFlight = 0;
    if (m_bCovered) UncoverSignals();
}

std::size_t CSafeFileWriter::Read(void*, std::size_t) {
    throw CFileException("the file is open for writing", EBADF);
}

void CSafeFileWriter::Write(const void* buffer, std::size_t n) {
    const auto* bytes = static_cast<const std::uint8_t*>(buffer);
    while (n > 0) {
        const ssize_t put = ::write(m_fd, bytes, n);
        if (put < 0) {
            if (errno == EINTR) continue;
            throw CFileException(Describe("cannot write " + m_target.string(), errno), errno);
        }
        bytes += put;
        n -= static_cast<std::size_t>(put);
        m_nWritten += static_cast<std::uint64_t>(put);
    }
}

void CSafeFileWriter::Commit() {
    // A device or a pipe cannot be flushed to disk; closing it is all.
    if (!m_tempPath.empty() && ::fsync(m_fd) != 0) {
        throw CFileException(Describe("cannot flush " + m_target.string(), errno), errno);
    }
    const int fd = m_fd;
    m_fd = -1;
    if (::close(fd) != 0) {
        throw CFileException(Describe("cannot close " + m_target.string(), errno), errno);
    }
    if (m_tempPath.empty()) {
        m_bCommitted = true;
        return;
    }
    if (::rename(m_tempPath.c_str(), m_target.c_str()) != 0) {
        throw CFileException(Describe("cannot replace " + m_target.string(), errno), errno);
    }
    m_bCommitted = true;
    if (m_bInFlight) {
        g_bInFlight = 0;
        m_bInFlight = false;
    }
    // Make the rename itself durable; a failure here no longer risks the data.
    const int dirFd = ::open(FolderOf(m_target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
}

bool WriteFileSafely(const std::filesystem::path& target, std::string_view bytes,
                     const SaveRules& rules, std::string* reason) {
    try {
        CSafeFileWriter file(target, rules);
        file.Write(bytes.data(), bytes.size());
        file.Commit();
        return true;
    } catch (const CFileException& e) {
        if (reason) *reason = e.Reason();
        return false;
    }
}

}  // namespace orvanel
