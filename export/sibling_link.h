// The sibling program, Kestavin, as this program reaches it without window
// messages: every window of the sibling listens on a Unix stream socket of its
// own in a rendezvous folder, and a message travels over one connection as a
// frame of little-endian fields, the Windows message's layout kept:
//
//   request   message number (32 bits), wParam (64 bits), payload
//   reply     the result (64 bits, signed), then for WM_GETTEXT that many
//             bytes of the window's title, no terminator
//
// WM_COPYDATA's payload is dwData (64 bits), cbData (32 bits) and the cbData
// bytes of lpData. Every exchange is bounded in time and in the bytes it
// accepts, so neither a hung sibling nor a rogue socket can hold the program.
#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <future>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace orvanel {

inline constexpr std::uint32_t kWmGetText = 0x000D;
inline constexpr std::uint32_t kWmCopyData = 0x004A;
// WM_GETTEXT's buffer: a title comes back with at most 127 bytes.
inline constexpr std::uint64_t kTitleBufferSize = 128;
// The dwData of the profile hand-off.
inline constexpr std::uint64_t kCopyDataProfile = 1;
// A window is the sibling's when its title holds this, blank, hyphen, blank included.
inline constexpr std::string_view kSiblingTitleMark = " - Kestavin";

// The request frames.
std::string GetTextRequest();
std::string CopyDataRequest(std::uint64_t wParam, std::uint64_t dwData, std::string_view data);

// Whether a title names a window of the sibling: the mark, case and blanks as
// they are, within the title's first 127 bytes.
bool IsSiblingTitle(std::string_view title);

// "$XDG_RUNTIME_DIR/kestavin", or "/tmp/kestavin-<uid>" when that variable is
// unset, empty or not an absolute path.
std::filesystem::path RendezvousFolder(const char* xdgRuntimeDir, unsigned uid);
std::filesystem::path RendezvousFolder();

// A folder is used only when it is a real folder of the user's own that no
// one else may write to: another user could otherwise plant a socket in it.
bool IsTrustedFolder(const std::filesystem::path& folder);

// The user's own sockets in a trusted folder, the most recently made first;
// nothing for any other folder.
std::vector<std::filesystem::path> SocketsNewestFirst(const std::filesystem::path& folder);

struct SiblingTimeouts {
    // For each socket asked for its title. The enable rule asks at idle
    // time, so a socket that does not answer must not hold the window long.
    std::chrono::milliseconds title{250};
    // For the hand-off, which the sibling answers once it has read the file.
    std::chrono::milliseconds reply{10000};
};

// How a message ended.
enum class SendResult {
    Replied,
    Unreachable,  // no connection, or the sibling closed it without an answer
    TimedOut,     // no answer within the time
};

// The title of the window behind a socket, or nothing when it cannot be had
// in time or the answer is not a title.
std::optional<std::string> AskTitle(const std::filesystem::path& socket,
                                    std::chrono::milliseconds timeout);

// Sends WM_COPYDATA with dwData 1 and the zero-terminated text, and waits for
// the reply.
SendResult SendCopyData(const std::filesystem::path& socket, std::uint64_t wParam,
                        std::string_view text, std::chrono::milliseconds timeout);

// The sibling's windows as the transfer reaches them.
class SiblingLink {
public:
    explicit SiblingLink(std::filesystem::path folder, SiblingTimeouts timeouts = {});
    // The rendezvous folder of this user's session.
    static SiblingLink OfThisSession();

    // The socket of the first window, newest first, whose title marks it as
    // the sibling's; sockets that refuse or do not answer are skipped.
    std::optional<std::filesystem::path> Find() const;
    SendResult SendProfilePath(const std::filesystem::path& socket, std::uint64_t viewId,
                               std::string_view path) const;

private:
    std::filesystem::path m_folder;
    SiblingTimeouts m_timeouts;
};

// The enable rule's answer. Menus and toolbars ask at every idle moment, and
// a window that does not answer costs a socket's whole time-out, so the
// search runs on a thread of its own, again once its last answer is older
// than the given age; asking never waits and gets the last answer.
class SiblingPresence {
public:
    using Clock = std::function<std::chrono::steady_clock::time_point()>;
    // `isRunning` runs on the search's thread, and so does `answered` once
    // its answer can be had: the window asks again then.
    explicit SiblingPresence(std::function<bool()> isRunning, std::function<void()> answered = {},
                             std::chrono::milliseconds maxAge = std::chrono::seconds(1),
                             Clock clock = std::chrono::steady_clock::now);
    // Waits for a search under way.
    ~SiblingPresence();
    SiblingPresence(const SiblingPresence&) = delete;
    SiblingPresence& operator=(const SiblingPresence&) = delete;

    // False until the first search has answered.
    bool IsRunning();

private:
    std::function<bool()> m_isRunning;
    std::function<void()> m_answered;
    std::chrono::milliseconds m_maxAge;
    Clock m_clock;
    std::future<bool> m_search;
    std::thread m_searcher;
    std::optional<std::chrono::steady_clock::time_point> m_lastAnswer;
    bool m_bRunning = false;
};

}  // namespace orvanel
