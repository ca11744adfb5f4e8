// The sibling link: the frames, the title rule, the rendezvous folder and its
// trust, discovery against stand-ins, bounded answers and the enable cache.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <atomic>
#include <cstring>
#include <future>
#include <thread>

#include "export/sibling_link.h"
#include "tests/support/stand_in_sibling.h"
#include "tests/unit/test_support.h"

namespace orvanel::test {
namespace {

using namespace std::chrono_literals;
using Behaviour = StandInSibling::Behaviour;

// Generous for the stand-ins that answer, which run on a thread of this
// process: a loaded machine must not make them miss it.
constexpr SiblingTimeouts kPatient{5000ms, 5000ms};

std::string Hex(std::string_view bytes) {
    std::string hex;
    for (unsigned char c : bytes) {
        static const char* digits = "0123456789abcdef";
        hex += digits[c >> 4];
        hex += digits[c & 15];
    }
    return hex;
}

// Gives a socket file the given age in seconds, as if it were made then.
void MadeSecondsAgo(const std::filesystem::path& socket, int seconds) {
    timespec times[2];
    ::clock_gettime(CLOCK_REALTIME, &times[0]);
    times[0].tv_sec -= seconds;
    times[1] = times[0];
    ASSERT_EQ(::utimensat(AT_FDCWD, socket.c_str(), times, AT_SYMLINK_NOFOLLOW), 0);
}

class SiblingFolder : public ::testing::Test {
protected:
    SiblingFolder() : folder(StandInSibling::MakeFolder()) {}
    ~SiblingFolder() override { std::filesystem::remove_all(folder); }
    std::filesystem::path folder;
};

TEST(SiblingLinkTest, FramesAreLittleEndianFieldsBackToBack) {
    EXPECT_EQ(Hex(GetTextRequest()),
              "0d000000"
              "8000000000000000");
    EXPECT_EQ(Hex(CopyDataRequest(0x0102030405060708, 1, std::string("ab\0", 3))),
              "4a000000"
              "0807060504030201"
              "0100000000000000"
              "03000000"
              "616200");
}

TEST(SiblingLinkTest, OnlyTheMarkWithItsBlanksInTheFirst127BytesNamesTheSibling) {
    const std::string pad(116, 'x');  // 116 + 11 bytes of the mark: 127
    const struct {
        std::string title;
        bool sibling;
    } cases[] = {
        {"vase.lum - Kestavin", true},
        {" - Kestavin", true},
        {"Kestavin - vase.lum - Kestavin tools", true},
        {"vase.lum- Kestavin", false},
        {"vase.lum -Kestavin", false},
        {"vase.lum - kestavin", false},
        {"vase.lum - KESTAVIN", false},
        {"Kestavin", false},
        {pad + " - Kestavin", true},
        {pad + "x - Kestavin", false},  // the mark's last byte is the 128th
        {"", false},
    };
    for (const auto& c : cases) EXPECT_EQ(IsSiblingTitle(c.title), c.sibling) << c.title;
}

TEST(SiblingLinkTest, TheRendezvousFolderIsTheSessionsOrOneInTmpPerUser) {
    EXPECT_EQ(RendezvousFolder("/run/user/1000", 1000), "/run/user/1000/kestavin");
    EXPECT_EQ(RendezvousFolder(nullptr, 1000), "/tmp/kestavin-1000");
    EXPECT_EQ(RendezvousFolder("", 7), "/tmp/kestavin-7");
    EXPECT_EQ(RendezvousFolder("run/user/7", 7), "/tmp/kestavin-7");
}

TEST_F(SiblingFolder, AFolderOthersMayWriteToIsTreatedAsEmpty) {
    StandInSibling sibling(folder, "vase.lum - Kestavin");
    const SiblingLink link(folder, kPatient);
    const struct {
        mode_t mode;
        bool trusted;
    } cases[] = {{0700, true}, {0755, true}, {0770, false}, {0702, false}, {0777, false}};
    for (const auto& c : cases) {
        ASSERT_EQ(::chmod(folder.c_str(), c.mode), 0);
        EXPECT_EQ(IsTrustedFolder(folder), c.trusted) << std::oct << c.mode;
        EXPECT_EQ(link.Find().has_value(), c.trusted) << std::oct << c.mode;
    }
    ASSERT_EQ(::chmod(folder.c_str(), 0700), 0);

    // A link to the folder is not the folder, and a missing folder holds nothing.
    const std::filesystem::path link2 = folder.string() + "-link";
    std::filesystem::create_directory_symlink(folder, link2);
    EXPECT_FALSE(IsTrustedFolder(link2));
    EXPECT_FALSE(SiblingLink(link2, kPatient).Find());
    std::filesystem::remove(link2);
    EXPECT_FALSE(IsTrustedFolder(folder / "missing"));
    EXPECT_TRUE(SocketsNewestFirst(folder / "missing").empty());

    if (::geteuid() == 0) {
        // Another user's folder, even one only that user may write to.
        ASSERT_EQ(::chown(folder.c_str(), 65534, 65534), 0);
        EXPECT_FALSE(IsTrustedFolder(folder));
        ASSERT_EQ(::chown(folder.c_str(), 0, 0), 0);
    }
}

TEST_F(SiblingFolder, DiscoveryTakesTheNewestWindowWhoseTitleIsTheSiblings) {
    StandInSibling oldest(folder, "bowl.lum - Kestavin", Behaviour::Answers, "a");
    StandInSibling older(folder, "ring.lum - Kestavin", Behaviour::Answers, "b");
    StandInSibling other(folder, "Kestavin", Behaviour::Answers, "c");
    // A socket whose program has gone: nothing listens, the connection is refused.
    const std::filesystem::path gone = folder / "d";
    {
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::strncpy(address.sun_path, gone.c_str(), sizeof(address.sun_path) - 1);
        ASSERT_EQ(::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof(address)), 0);
        ::close(fd);
    }
    // Not a socket at all.
    WriteFileBytes(folder / "e", {1, 2, 3});
    MadeSecondsAgo(oldest.Socket(), 40);
    MadeSecondsAgo(older.Socket(), 30);
    MadeSecondsAgo(other.Socket(), 20);
    MadeSecondsAgo(gone, 10);

    EXPECT_EQ(SocketsNewestFirst(folder),
              (std::vector<std::filesystem::path>{gone, other.Socket(), older.Socket(),
                                                  oldest.Socket()}));
    const SiblingLink link(folder, kPatient);
    EXPECT_EQ(link.Find(), older.Socket());
    EXPECT_EQ(other.TitleRequests(), 1);
    EXPECT_EQ(oldest.TitleRequests(), 0);  // the search stops at the first one
}

TEST_F(SiblingFolder, ASocketThatDoesNotAnswerOrAnswersTooMuchIsSkippedInTime) {
    StandInSibling sibling(folder, "vase.lum - Kestavin", Behaviour::Answers, "a");
    StandInSibling mute(folder, "vase.lum - Kestavin", Behaviour::Mute, "b");
    StandInSibling huge(folder, "vase.lum - Kestavin", Behaviour::HugeTitle, "c");
    MadeSecondsAgo(sibling.Socket(), 30);
    MadeSecondsAgo(mute.Socket(), 20);
    MadeSecondsAgo(huge.Socket(), 10);

    EXPECT_EQ(AskTitle(mute.Socket(), 200ms), std::nullopt);
    EXPECT_EQ(AskTitle(huge.Socket(), 5000ms), std::nullopt);
    EXPECT_EQ(huge.TitleRequests(), 1);
    const SiblingLink link(folder, {300ms, 300ms});
    const auto start = std::chrono::steady_clock::now();
    // The answering one may be slow on a loaded machine; the others never answer.
    std::optional<std::filesystem::path> found;
    for (int i = 0; i < 10 && !found; ++i) found = link.Find();
    EXPECT_EQ(found, sibling.Socket());
    EXPECT_LT(std::chrono::steady_clock::now() - start, 30s);
}

TEST_F(SiblingFolder, AHungSiblingReturnsControlWhenTheTimeIsUp) {
    StandInSibling hung(folder, "vase.lum - Kestavin", Behaviour::HangsOnCopyData);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(SendCopyData(hung.Socket(), 1, "/tmp/x", 300ms), SendResult::TimedOut);
    EXPECT_GE(std::chrono::steady_clock::now() - start, 300ms);
    EXPECT_EQ(SendCopyData(folder / "nobody", 1, "/tmp/x", 300ms), SendResult::Unreachable);
}

TEST(SiblingLinkTest, ThePresenceNeverWaitsAndAsksAgainOnceItsAnswerIsASecondOld) {
    std::atomic<std::chrono::steady_clock::time_point> now{std::chrono::steady_clock::time_point{} +
                                                           100s};
    std::atomic<int> asked{0};
    std::atomic<bool> running{true};
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    std::atomic<int> told{0};
    SiblingPresence presence(
        [&] {
            released.wait();  // a search that takes its time
            ++asked;
            return running.load();
        },
        [&] { ++told; }, 1s, [&] { return now.load(); });
    // The first search is under way: the answer is no until it is done.
    EXPECT_FALSE(presence.IsRunning());
    EXPECT_FALSE(presence.IsRunning());
    release.set_value();
    const auto answer = [&](bool expected) {
        for (int i = 0; i < 5000; ++i) {
            if (presence.IsRunning() == expected) return true;
            std::this_thread::sleep_for(1ms);
        }
        return false;
    };
    EXPECT_TRUE(answer(true));
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(told, 1);
    // Within the second the answer stands, whatever has changed.
    running = false;
    now = now.load() + 999ms;
    EXPECT_TRUE(presence.IsRunning());
    EXPECT_EQ(asked, 1);
    now = now.load() + 1ms;
    EXPECT_TRUE(answer(false));
    EXPECT_EQ(asked, 2);
}

}  // namespace
}  // namespace orvanel::test
