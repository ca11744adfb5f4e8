// A stand-in for one window of the sibling program, for the tests: it listens
// on a socket in a rendezvous folder, answers WM_GETTEXT with its title, and
// while it handles WM_COPYDATA it reads the file whose path came with it and
// records what it got. It runs on a thread of its own until it is destroyed.
#pragma once

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace orvanel::test {

class StandInSibling {
public:
    enum class Behaviour {
        Answers,          // as the sibling does
        HangsOnCopyData,  // gives its title, then never answers the hand-off
        Mute,             // takes the connection and never answers anything
        HugeTitle,        // claims a title of 2^40 bytes and sends none of it
    };

    struct Received {
        std::uint64_t wParam = 0;
        std::uint64_t dwData = 0;
        std::string data;                               // the cbData bytes, the terminator included
        std::optional<std::vector<std::uint8_t>> file;  // read while handling the message
        unsigned fileMode = 0;                          // its permission bits
    };

    // Makes the folder (mode 0700) when it does not exist, and the socket.
    StandInSibling(const std::filesystem::path& folder, std::string title,
                   Behaviour behaviour = Behaviour::Answers,
                   const std::string& socketName = "window");
    ~StandInSibling();
    StandInSibling(const StandInSibling&) = delete;
    StandInSibling& operator=(const StandInSibling&) = delete;

    const std::filesystem::path& Socket() const { return m_socket; }
    std::vector<Received> CopyData() const;
    int TitleRequests() const { return m_nTitleRequests; }

    // A folder the tests own, under the system's temporary folder, mode 0700.
    static std::filesystem::path MakeFolder();

private:
    void Serve();
    void Handle(int fd);

    std::filesystem::path m_socket;
    std::string m_title;
    Behaviour m_behaviour;
    int m_listen = -1;
    int m_stop[2] = {-1, -1};
    std::atomic<int> m_nTitleRequests{0};
    mutable std::mutex m_mutex;
    std::vector<Received> m_received;
    std::vector<int> m_held;  // connections a hanging stand-in keeps open
    std::thread m_thread;
};

}  // namespace orvanel::test
