#include "export/sibling_link.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>

#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace orvanel {

namespace {

using Clock = std::chrono::steady_clock;

void PutLittleEndian(std::string& out, std::uint64_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) out += static_cast<char>((v >> (8 * i)) & 0xFF);
}

std::string Frame(std::uint32_t message, std::uint64_t wParam) {
    std::string frame;
    PutLittleEndian(frame, message, 4);
    PutLittleEndian(frame, wParam, 8);
    return frame;
}

// One connection to a socket, every step of it within one deadline.
class Connection {
public:
    Connection(const std::filesystem::path& socket, std::chrono::milliseconds timeout)
        : m_deadline(Clock::now() + timeout) {
        const std::string& path = socket.native();
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        if (path.size() >= sizeof(address.sun_path)) return;
        std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
        m_fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
        if (m_fd < 0) return;
        if (::connect(m_fd, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) == 0) {
            m_bConnected = true;
            return;
        }
        if (errno != EINPROGRESS || !Wait(POLLOUT)) return;
        int error = 0;
        socklen_t length = sizeof(error);
        m_bConnected = ::getsockopt(m_fd, SOL_SOCKET, SO_ERROR, &error, &length) == 0 && error == 0;
    }
    ~Connection() {
        if (m_fd >= 0) ::close(m_fd);
    }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    bool IsConnected() const { return m_bConnected; }
    bool TimedOut() const { return m_bTimedOut; }

    bool SendAll(std::string_view bytes) {
        while (!bytes.empty()) {
            const ssize_t sent = ::send(m_fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
            if (sent > 0) {
                bytes.remove_prefix(static_cast<std::size_t>(sent));
            } else if (sent < 0 && errno == EINTR) {
                continue;
            } else if (sent < 0 && errno == EAGAIN) {
                if (!Wait(POLLOUT)) return false;
            } else {
                return false;
            }
        }
        return true;
    }

    // Exactly n bytes, or false at the end of the stream, on an error or when
    // time is up.
    bool ReadExact(void* buffer, std::size_t n) {
        auto* bytes = static_cast<char*>(buffer);
        while (n > 0) {
            const ssize_t got = ::recv(m_fd, bytes, n, 0);
            if (got > 0) {
                bytes += got;
                n -= static_cast<std::size_t>(got);
            } else if (got < 0 && errno == EINTR) {
                continue;
            } else if (got < 0 && errno == EAGAIN) {
                if (!Wait(POLLIN)) return false;
            } else {
                return false;
            }
        }
        return true;
    }

    std::optional<std::int64_t> ReadResult() {
        unsigned char bytes[8];
        if (!ReadExact(bytes, sizeof(bytes))) return std::nullopt;
        std::uint64_t v = 0;
        for (int i = 7; i >= 0; --i) v = (v << 8) | bytes[i];
        return static_cast<std::int64_t>(v);
    }

private:
    bool Wait(short events) {
        for (;;) {
            const auto left =
                std::chrono::ceil<std::chrono::milliseconds>(m_deadline - Clock::now());
            if (left.count() <= 0) {
                m_bTimedOut = true;
                return false;
            }
            pollfd p{m_fd, events, 0};
            const int ready =
                ::poll(&p, 1, static_cast<int>(std::min<long long>(left.count(), 1000)));
            if (ready > 0) return true;
            if (ready < 0 && errno != EINTR) return false;
        }
    }

    int m_fd = -1;
    Clock::time_point m_deadline;
    bool m_bConnected = false;
    bool m_bTimedOut = false;
};

}  // namespace

std::string GetTextRequest() { return Frame(kWmGetText, kTitleBufferSize); }

std::string CopyDataRequest(std::uint64_t wParam, std::uint64_t dwData, std::string_view data) {
    std::string frame = Frame(kWmCopyData, wParam);
    PutLittleEndian(frame, dwData, 8);
    PutLittleEndian(frame, static_cast<std::uint32_t>(data.size()), 4);
    frame += data;
    return frame;
}

bool IsSiblingTitle(std::string_view title) {
    return title.substr(0, kTitleBufferSize - 1).find(kSiblingTitleMark) != std::string_view::npos;
}

std::filesystem::path RendezvousFolder(const char* xdgRuntimeDir, unsigned uid) {
    if (xdgRuntimeDir != nullptr && xdgRuntimeDir[0] == '/') {
        return std::filesystem::path(xdgRuntimeDir) / "kestavin";
    }
    return "/tmp/kestavin-" + std::to_string(uid);
}

std::filesystem::path RendezvousFolder() {
    return RendezvousFolder(std::getenv("XDG_RUNTIME_DIR"), ::geteuid());
}

bool IsTrustedFolder(const std::filesystem::path& folder) {
    struct stat st {};
    if (::lstat(folder.c_str(), &st) != 0) return false;
    return S_ISDIR(st.st_mode) && st.st_uid == ::geteuid() &&
           (st.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}

std::vector<std::filesystem::path> SocketsNewestFirst(const std::filesystem::path& folder) {
    std::vector<std::filesystem::path> sockets;
    if (!IsTrustedFolder(folder)) return sockets;
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) return sockets;
    struct Entry {
        timespec made;
        std::string name;
    };
    std::vector<Entry> entries;
    while (const dirent* e = ::readdir(dir)) {
        struct stat st {};
        if (::fstatat(::dirfd(dir), e->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0) continue;
        if (S_ISSOCK(st.st_mode) && st.st_uid == ::geteuid()) {
            entries.push_back({st.st_mtim, e->d_name});
        }
    }
    ::closedir(dir);
    std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
        if (a.made.tv_sec != b.made.tv_sec) return a.made.tv_sec > b.made.tv_sec;
        if (a.made.tv_nsec != b.made.tv_nsec) return a.made.tv_nsec > b.made.tv_nsec;
        return a.name < b.name;
    });
    for (const Entry& e : entries) sockets.push_back(folder / e.name);
    return sockets;
}

std::optional<std::string> AskTitle(const std::filesystem::path& socket,
                                    std::chrono::milliseconds timeout) {
    Connection c(socket, timeout);
    if (!c.IsConnected() || !c.SendAll(GetTextRequest())) return std::nullopt;
    const std::optional<std::int64_t> length = c.ReadResult();
    // A window's text never fills the buffer's last byte, its terminator.
    if (!length || *length < 0 || *length >= static_cast<std::int64_t>(kTitleBufferSize)) {
        return std::nullopt;
    }
    std::string title(static_cast<std::size_t>(*length), '\0');
    if (!c.ReadExact(title.data(), title.size())) return std::nullopt;
    return title;
}

SendResult SendCopyData(const std::filesystem::path& socket, std::uint64_t wParam,
                        std::string_view text, std::chrono::milliseconds timeout) {
    Connection c(socket, timeout);
    if (!c.IsConnected()) return SendResult::Unreachable;
    std::string data(text);
    data += '\0';
    if (c.SendAll(CopyDataRequest(wParam, kCopyDataProfile, data)) && c.ReadResult()) {
        return SendResult::Replied;
    }
    return c.TimedOut() ? SendResult::TimedOut : SendResult::Unreachable;
}

SiblingLink::SiblingLink(std::filesystem::path folder, SiblingTimeouts timeouts)
    : m_folder(std::move(folder)), m_timeouts(timeouts) {}

SiblingLink SiblingLink::OfThisSession() { return SiblingLink(RendezvousFolder()); }

std::optional<std::filesystem::path> SiblingLink::Find() const {
    for (const std::filesystem::path& socket : SocketsNewestFirst(m_folder)) {
        const std::optional<std::string> title = AskTitle(socket, m_timeouts.title);
        if (title && IsSiblingTitle(*title)) return socket;
    }
    return std::nullopt;
}

SendResult SiblingLink::SendProfilePath(const std::filesystem::path& socket, std::uint64_t viewId,
                                        std::string_view path) const {
    return SendCopyData(socket, viewId, path, m_timeouts.reply);
}

SiblingPresence::SiblingPresence(std::function<bool()> isRunning, std::function<void()> answered,
                                 std::chrono::milliseconds maxAge, Clock clock)
    : m_isRunning(std::move(isRunning)),
      m_answered(std::move(answered)),
      m_maxAge(maxAge),
      m_clock(std::move(clock)) {}

SiblingPresence::~SiblingPresence() {
    if (m_searcher.joinable()) m_searcher.join();
}

bool SiblingPresence::IsRunning() {
    if (m_search.valid()) {
        if (m_search.wait_for(std::chrono::seconds(0)) != std::future_status::ready) {
            return m_bRunning;
        }
        m_searcher.join();
        m_bRunning = m_search.get();
        m_lastAnswer = m_clock();
    }
    if (!m_lastAnswer || m_clock() - *m_lastAnswer >= m_maxAge) {
        std::promise<bool> answer;
        m_search = answer.get_future();
        m_searcher = std::thread([this, answer = std::move(answer)]() mutable {
            answer.set_value(m_isRunning());
            if (m_answered) m_answered();
        });
    }
    return m_bRunning;
}

}  // namespace orvanel
