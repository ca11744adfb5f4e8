#include "tests/support/stand_in_sibling.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace orvanel::test {

namespace {

// Blocking reads and writes of whole fields: the stand-in is a simple
// program, and the tests end it by closing its connections.
bool ReadAll(int fd, void* buffer, std::size_t n) {
    auto* p = static_cast<char*>(buffer);
    while (n > 0) {
        const ssize_t got = ::recv(fd, p, n, 0);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) return false;
        p += got;
        n -= static_cast<std::size_t>(got);
    }
    return true;
}

std::uint64_t Field(const unsigned char* bytes, int size) {
    std::uint64_t v = 0;
    for (int i = size - 1; i >= 0; --i) v = (v << 8) | bytes[i];
    return v;
}

void Reply(int fd, std::int64_t result, const std::string& tail = {}) {
    std::string bytes;
    for (int i = 0; i < 8; ++i)
        bytes += static_cast<char>((static_cast<std::uint64_t>(result) >> (8 * i)) & 0xFF);
    bytes += tail;
    ::send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
}

}  // namespace

std::filesystem::path StandInSibling::MakeFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "stand-in-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    return pattern;
}

StandInSibling::StandInSibling(const std::filesystem::path& folder, std::string title,
                               Behaviour behaviour, const std::string& socketName)
    : m_socket(folder / socketName), m_title(std::move(title)), m_behaviour(behaviour) {
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
        throw std::runtime_error("cannot make " + folder.string());
    }
    m_listen = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, m_socket.c_str(), sizeof(address.sun_path) - 1);
    ::unlink(m_socket.c_str());
    if (m_listen < 0 ||
        ::bind(m_listen, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) != 0 ||
        ::listen(m_listen, 8) != 0 || ::pipe(m_stop) != 0) {
        throw std::runtime_error("cannot listen on " + m_socket.string());
    }
    m_thread = std::thread([this] { Serve(); });
}

StandInSibling::~StandInSibling() {
    ::write(m_stop[1], "x", 1);
    m_thread.join();
    for (int fd : m_held) ::close(fd);
    ::close(m_listen);
    ::close(m_stop[0]);
    ::close(m_stop[1]);
    ::unlink(m_socket.c_str());
}

std::vector<StandInSibling::Received> StandInSibling::CopyData() const {
    std::lock_guard lock(m_mutex);
    return m_received;
}

void StandInSibling::Serve() {
    for (;;) {
        pollfd p[2] = {{m_listen, POLLIN, 0}, {m_stop[0], POLLIN, 0}};
        if (::poll(p, 2, -1) < 0) {
            if (errno == EINTR) continue;
            return;
        }
        if (p[1].revents != 0) return;
        const int fd = ::accept4(m_listen, nullptr, nullptr, SOCK_CLOEXEC);
        if (fd < 0) continue;
        Handle(fd);
    }
}

void StandInSibling::Handle(int fd) {
    const auto hold = [this, fd] { m_held.push_back(fd); };
    if (m_behaviour == Behaviour::Mute) return hold();
    unsigned char head[12];
    if (!ReadAll(fd, head, sizeof(head))) {
        ::close(fd);
        return;
    }
    const std::uint64_t message = Field(head, 4);
    const std::uint64_t wParam = Field(head + 4, 8);
    if (message == 0x000D) {
        ++m_nTitleRequests;
        if (m_behaviour == Behaviour::HugeTitle) {
            Reply(fd, std::int64_t{1} << 40);
            return hold();
        }
        // As a window gives its text: no more than the buffer holds, less its terminator.
        const std::string title = m_title.substr(0, wParam > 0 ? wParam - 1 : 0);
        Reply(fd, static_cast<std::int64_t>(title.size()), title);
    } else if (message == 0x004A) {
        unsigned char fields[12];
        Received r;
        r.wParam = wParam;
        if (ReadAll(fd, fields, sizeof(fields))) {
            r.dwData = Field(fields, 8);
            r.data.resize(Field(fields + 8, 4));
            if (ReadAll(fd, r.data.data(), r.data.size())) {
                const char* path = r.data.c_str();  // up to the terminator
                std::ifstream in(path, std::ios::binary);
                struct stat st {};
                if (in && ::stat(path, &st) == 0) {
                    r.file = std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
                    r.fileMode = st.st_mode & 07777;
                }
            }
        }
        {
            std::lock_guard lock(m_mutex);
            m_received.push_back(std::move(r));
        }
        if (m_behaviour == Behaviour::HangsOnCopyData) return hold();
        Reply(fd, 1);
    }
    ::close(fd);
}

}  // namespace orvanel::test
