// The transfer: the file the sibling reads while it handles the message, its
// name, mode and end, the modified flag, and every way the hand-off can fail.
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <thread>

#include "export/transfer.h"
#include "resources/strings.h"
#include "tests/support/stand_in_sibling.h"
#include "tests/unit/test_support.h"

namespace orvanel::test {
namespace {

using namespace std::chrono_literals;
using Behaviour = StandInSibling::Behaviour;

constexpr std::uint64_t kViewId = 0x1234567890;

class TransferTest : public ::testing::Test {
protected:
    TransferTest() : folder(StandInSibling::MakeFolder()) {
        AddPoints(*d, {{10, 200}, {50, 180}, {80, 100}, {60, 20}});
        d.prompter.Clear();
    }
    ~TransferTest() override { std::filesystem::remove_all(folder); }

    TransferOutcome Transfer(SiblingTimeouts timeouts = {5000ms, 5000ms}) {
        return TransferToSibling(*d, SiblingLink(folder, timeouts), kViewId, temp.Path());
    }
    bool TempIsEmpty() const { return std::filesystem::is_empty(temp.Path()); }

    DocFixture d;
    std::filesystem::path folder;
    TempDir temp;
};

TEST_F(TransferTest, TheSiblingReadsTheProfileWhileItHandlesTheMessage) {
    StandInSibling sibling(folder, "untitled.lum - Kestavin");
    ASSERT_TRUE(d->IsModified());
    const std::vector<std::uint8_t> profile = Store(*d);
    d->SetModifiedFlag(true);

    EXPECT_EQ(Transfer(), TransferOutcome::Sent);
    const auto received = sibling.CopyData();
    ASSERT_EQ(received.size(), 1u);
    const StandInSibling::Received& r = received[0];
    EXPECT_EQ(r.wParam, kViewId);
    EXPECT_EQ(r.dwData, 1u);
    ASSERT_FALSE(r.data.empty());
    EXPECT_EQ(r.data.back(), '\0');
    const std::filesystem::path path(r.data.c_str());
    EXPECT_EQ(path.parent_path(), temp.Path());
    const std::string name = path.filename().string();
    EXPECT_EQ(name.rfind("vqm", 0), 0u) << name;
    EXPECT_EQ(name.substr(name.size() - 4), ".tmp");
    EXPECT_EQ(name.find_first_not_of("0123456789ABCDEF", 3), name.size() - 4) << name;
    ASSERT_TRUE(r.file.has_value());
    ASSERT_GE(r.file->size(), 9u);
    EXPECT_EQ((*r.file)[0], 8);
    EXPECT_EQ(std::string(r.file->begin() + 1, r.file->begin() + 9), "VOLDERAK");
    EXPECT_EQ(*r.file, profile);
    EXPECT_EQ(r.fileMode, 0600u);

    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_TRUE(TempIsEmpty());
    // Stored, so saved: no file of the user's holds it, but the flag says so.
    EXPECT_FALSE(d->IsModified());
    EXPECT_TRUE(d.prompter.Texts().empty());
}

TEST_F(TransferTest, WithoutASiblingTheUserIsToldAndTheFileIsGone) {
    const struct {
        const char* what;
        std::optional<std::string> title;
        Behaviour behaviour;
    } cases[] = {
        {"no window at all", std::nullopt, Behaviour::Answers},
        {"a window of another program", "vase.lum - kestavin", Behaviour::Answers},
        {"a window that does not answer", "vase.lum - Kestavin", Behaviour::Mute},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::optional<StandInSibling> window;
        if (c.title) window.emplace(folder, *c.title, c.behaviour);
        d->SetModifiedFlag(true);
        d.prompter.Clear();
        EXPECT_EQ(Transfer({300ms, 300ms}), TransferOutcome::NoSibling);
        EXPECT_EQ(d.prompter.Texts(), std::vector<std::string>{std::string(text::kTransferFailed)});
        EXPECT_TRUE(TempIsEmpty());
        EXPECT_FALSE(d->IsModified());
    }
}

TEST_F(TransferTest, AHungSiblingGetsTheFileAndTheTransferEndsWhenTheTimeIsUp) {
    StandInSibling hung(folder, "vase.lum - Kestavin", Behaviour::HangsOnCopyData);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(Transfer({5000ms, 500ms}), TransferOutcome::NoSibling);
    EXPECT_GE(std::chrono::steady_clock::now() - start, 500ms);
    EXPECT_EQ(hung.CopyData().size(), 1u);
    EXPECT_TRUE(hung.CopyData()[0].file.has_value());
    EXPECT_EQ(d.prompter.Texts(), std::vector<std::string>{std::string(text::kTransferFailed)});
    EXPECT_TRUE(TempIsEmpty());
}

// The file the sibling was told of goes with a signal that ends the program
// while it waits for the answer; the signal still ends it.
TEST_F(TransferTest, ASignalThatEndsTheProgramWhileItWaitsRemovesTheFileFirst) {
    const pid_t child = ::fork();
    if (child == 0) {
        const SiblingLink sibling(folder, {5000ms, 60000ms});
        for (int i = 0; i < 2000 && !sibling.Find(); ++i) std::this_thread::sleep_for(10ms);
        TransferToSibling(*d, sibling, kViewId, temp.Path());
        ::_exit(0);
    }
    ASSERT_GT(child, 0);
    std::vector<StandInSibling::Received> received;
    {
        StandInSibling hung(folder, "vase.lum - Kestavin", Behaviour::HangsOnCopyData);
        for (int i = 0; i < 2000 && received.empty(); ++i) {
            std::this_thread::sleep_for(10ms);
            received = hung.CopyData();
        }
        ::kill(child, SIGTERM);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM) << status;
    }
    ASSERT_EQ(received.size(), 1u);
    EXPECT_TRUE(received[0].file.has_value());
    EXPECT_FALSE(std::filesystem::exists(received[0].data.c_str()));
    EXPECT_TRUE(TempIsEmpty());
}

TEST_F(TransferTest, AFileThatCannotBeMadeIsReportedWithItsPathAndNothingIsSent) {
    StandInSibling sibling(folder, "vase.lum - Kestavin");
    const std::filesystem::path missing = temp / "missing";
    EXPECT_EQ(TransferToSibling(*d, SiblingLink(folder, {5000ms, 5000ms}), kViewId, missing),
              TransferOutcome::NotWritten);
    const std::vector<std::string> shown = d.prompter.Texts();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].rfind("Cannot create the file " + missing.string() + "/vqm", 0), 0u)
        << shown[0];
    EXPECT_NE(shown[0].find("No such file or directory"), std::string::npos) << shown[0];
    EXPECT_EQ(shown[0].find(shown[1]), std::string("Cannot create the file ").size());
    EXPECT_TRUE(sibling.CopyData().empty());
    EXPECT_TRUE(d->IsModified());
}

TEST_F(TransferTest, AFileThatCannotBeWrittenWhollyIsNeverHandedOver) {
    StandInSibling sibling(folder, "vase.lum - Kestavin");
    // Files of this process may hold no more than 16 bytes for a moment; the
    // profile has 89. The file's cover keeps the limit's signal from ending
    // the program.
    rlimit old{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
    rlimit small = old;
    small.rlim_cur = 16;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const TransferOutcome outcome = Transfer();
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &old), 0);

    EXPECT_EQ(outcome, TransferOutcome::NotWritten);
    EXPECT_EQ(d.prompter.Texts(), std::vector<std::string>{std::string(text::kErrorSaving)});
    EXPECT_TRUE(sibling.CopyData().empty());
    EXPECT_TRUE(TempIsEmpty());
    EXPECT_TRUE(d->IsModified());
}

TEST(TransferFileTest, TheNameAndTheFolder) {
    EXPECT_EQ(TransferFileName(0x1A2B), "vqm1A2B.tmp");
    EXPECT_EQ(TransferFileName(0), "vqm0.tmp");
    EXPECT_EQ(TransferFileName(0xFFFFFFFF), "vqmFFFFFFFF.tmp");
    EXPECT_EQ(TemporaryFolder("/var/tmp/me"), "/var/tmp/me");
    EXPECT_EQ(TemporaryFolder(nullptr), "/tmp");
    EXPECT_EQ(TemporaryFolder(""), "/tmp");
    EXPECT_EQ(TemporaryFolder("relative"), "/tmp");
}

TEST(TransferFileTest, ANameThatIsTakenIsNeverOpened) {
    TempDir dir;
    const auto taken = dir / "vqm1.tmp";
    std::filesystem::create_symlink(dir / "elsewhere", taken);
    try {
        CTransferFile file(taken);
        ADD_FAILURE() << "a link was followed";
    } catch (const CFileException& e) {
        EXPECT_EQ(e.OsError(), EEXIST);
    }
    EXPECT_FALSE(std::filesystem::exists(dir / "elsewhere"));
    EXPECT_TRUE(std::filesystem::is_symlink(taken));
}

}  // namespace
}  // namespace orvanel::test
