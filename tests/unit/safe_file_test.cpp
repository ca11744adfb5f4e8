// Saving never destroys the file it replaces; opening a bad file changes nothing.
#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <optional>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include "document/safe_file.h"
#include "resources/strings.h"
#include "tests/unit/test_support.h"

namespace orvanel::test {
namespace {

bool RunningAsRoot() { return ::geteuid() == 0; }

TEST(SafeFileTest, WritesReplaceAndKeepPermissions) {
    TempDir dir;
    const auto target = dir / "a.txt";
    ASSERT_TRUE(WriteFileSafely(target, "first"));
    ::chmod(target.c_str(), 0640);
    ASSERT_TRUE(WriteFileSafely(target, "second"));
    EXPECT_EQ(ReadFileBytes(target), (std::vector<std::uint8_t>{'s', 'e', 'c', 'o', 'n', 'd'}));
    struct stat st {};
    ASSERT_EQ(::stat(target.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
}

std::string TextOf(const std::filesystem::path& file) {
    const auto bytes = ReadFileBytes(file);
    return {bytes.begin(), bytes.end()};
}

bool HasTemporaryFiles(const std::filesystem::path& folder) {
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().filename().string().starts_with(".orvanel-")) return true;
    }
    return false;
}

// A descriptor closed at the end of its scope.
struct Fd {
    int fd;
    ~Fd() {
        if (fd >= 0) ::close(fd);
    }
};

TEST(SafeFileTest, EachKindOfTargetGetsItsOutcome) {
    TempDir dir;
    WriteFileBytes(dir / "old.txt", {'o', 'l', 'd'});
    std::filesystem::create_symlink("old.txt", dir / "link");
    std::filesystem::create_symlink("new.txt", dir / "dangling");
    std::filesystem::create_symlink("loop2", dir / "loop1");
    std::filesystem::create_symlink("loop1", dir / "loop2");
    std::filesystem::create_directory(dir / "folder");
    ASSERT_EQ(::mkfifo((dir / "unread").c_str(), 0644), 0);
    WriteFileBytes(dir / "locked.txt", {'o', 'l', 'd'});
    ::chmod((dir / "locked.txt").c_str(), 0444);
    WriteFileBytes(dir / "profile.lum", {'o', 'l', 'd'});
    std::filesystem::create_hard_link(dir / "profile.lum", dir / "same.txt");
    const std::string longName(251, 'n');

    const Fd socketFd{::socket(AF_UNIX, SOCK_STREAM, 0)};
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string socketPath = (dir / "socket").string();
    ASSERT_LT(socketPath.size(), sizeof address.sun_path);
    std::memcpy(address.sun_path, socketPath.c_str(), socketPath.size() + 1);
    ASSERT_EQ(::bind(socketFd.fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);

    const SaveRules plain;
    const SaveRules forced{{}, true};
    const SaveRules exporting{dir / "profile.lum", false};
    const struct {
        std::string target;
        SaveRules rules;
        std::string reason;   // empty: written
        std::string written;  // the file that then holds "new"
    } cases[] = {
        {"link", plain, "", "old.txt"},
        {"dangling", plain, "", "new.txt"},
        {"loop1", plain, "Too many levels of symbolic links", ""},
        {"folder", plain, "Is a directory", ""},
        {"socket", plain, "Is a socket", ""},
        {"unread", plain, "No program is reading from the pipe", ""},
        {"locked.txt", plain, (dir / "locked.txt").string() + " is read-only", ""},
        {"locked.txt", forced, "", "locked.txt"},
        {"same.txt", exporting, (dir / "same.txt").string() + " is the profile being exported", ""},
        {longName + ".txt", plain, "", longName + ".txt"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.target);
        std::string reason;
        EXPECT_EQ(WriteFileSafely(dir / c.target, "new", c.rules, &reason), c.reason.empty());
        EXPECT_EQ(reason, c.reason);
        if (!c.written.empty()) {
            EXPECT_EQ(TextOf(dir / c.written), "new");
        }
        EXPECT_FALSE(HasTemporaryFiles(dir.Path()));
    }
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "link"));
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "dangling"));
    EXPECT_TRUE(std::filesystem::is_fifo(dir / "unread"));
    EXPECT_TRUE(std::filesystem::is_empty(dir / "folder"));
    EXPECT_EQ(TextOf(dir / "profile.lum"), "old");
    // The forced write keeps the file read-only.
    struct stat st {};
    ASSERT_EQ(::stat((dir / "locked.txt").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0444u);
}

TEST(SafeFileTest, APipeWithAReaderIsWrittenDirectly) {
    TempDir dir;
    const auto pipe = dir / "pipe";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0644), 0);
    const Fd reader{::open(pipe.c_str(), O_RDONLY | O_NONBLOCK)};
    ASSERT_GE(reader.fd, 0);
    {
        CSafeFileWriter writer(pipe);
        EXPECT_TRUE(writer.TemporaryPath().empty());
        writer.Write("through", 7);
        writer.Commit();
    }
    char got[16] = {};
    EXPECT_EQ(::read(reader.fd, got, sizeof got), 7);
    EXPECT_STREQ(got, "through");
    EXPECT_TRUE(std::filesystem::is_fifo(pipe));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
}

// A reader that goes away makes the write fail; it does not end the program.
TEST(SafeFileTest, APipeWhoseReaderLeftIsAWriteError) {
    TempDir dir;
    const auto pipe = dir / "pipe";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0644), 0);
    const int reader = ::open(pipe.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    CSafeFileWriter writer(pipe);
    ::close(reader);
    try {
        writer.Write("gone", 4);
        FAIL() << "the write succeeded";
    } catch (const CFileException& e) {
        EXPECT_EQ(e.Reason(), "Broken pipe");
    }
}

TEST(SafeFileTest, TemporaryFilesAreNamedAfterTheirProcess) {
    const struct {
        const char* name;
        std::optional<int> owner;
    } cases[] = {
        {".orvanel-4242-aB3xYz.tmp", 4242},
        {".orvanel-1-000000.tmp", 1},
        {".orvanel-0-aB3xYz.tmp", std::nullopt},
        {".orvanel-4242-aB3xY.tmp", std::nullopt},
        {".orvanel-4242-aB3x.z.tmp", std::nullopt},
        {".orvanel--aB3xYz.tmp", std::nullopt},
        {".orvanel-99999999999-aB3xYz.tmp", std::nullopt},
        {".orvanel-42x-aB3xYz.tmp", std::nullopt},
        {"orvanel-4242-aB3xYz.tmp", std::nullopt},
        {".orvanel-4242-aB3xYz.tmp~", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(TemporaryFileOwner(c.name), c.owner) << c.name;
}

// A process killed outright cannot clean up; the next save into the folder does.
TEST(SafeFileTest, TheNextSaveRemovesTemporaryFilesOfGoneProcesses) {
    TempDir dir;
    const pid_t child = ::fork();
    if (child == 0) ::_exit(0);
    ASSERT_GT(child, 0);
    ::waitpid(child, nullptr, 0);
    const std::string gone = ".orvanel-" + std::to_string(child) + "-aaaaaa.tmp";
    const std::string alive = ".orvanel-" + std::to_string(::getppid()) + "-bbbbbb.tmp";
    const std::string mine = ".orvanel-" + std::to_string(::getpid()) + "-cccccc.tmp";
    for (const std::string& name : {gone, alive, mine}) WriteFileBytes(dir / name, {'x'});
    ASSERT_TRUE(WriteFileSafely(dir / "saved.txt", "saved"));
    EXPECT_FALSE(std::filesystem::exists(dir / gone));
    EXPECT_TRUE(std::filesystem::exists(dir / alive));
    EXPECT_TRUE(std::filesystem::exists(dir / mine));
}

// The signal still ends the program, after the temporary file is gone; the
// old file is untouched.
TEST(SafeFileTest, ASignalThatEndsTheProgramRemovesTheTemporaryFileFirst) {
    for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
        SCOPED_TRACE(signal);
        TempDir dir;
        WriteFileBytes(dir / "old.txt", {'o', 'l', 'd'});
        const pid_t child = ::fork();
        if (child == 0) {
            CSafeFileWriter writer(dir / "old.txt");
            writer.Write("half", 4);
            ::raise(signal);
            ::_exit(0);
        }
        ASSERT_GT(child, 0);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal) << status;
        EXPECT_EQ(TextOf(dir / "old.txt"), "old");
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
    }
    // Outside a save the signals mean what they meant before.
    { CSafeFileWriter writer(TempDir() / "x"); }
    struct sigaction now {};
    ::sigaction(SIGTERM, nullptr, &now);
    EXPECT_EQ(now.sa_handler, SIG_DFL);
    ::sigaction(SIGXFSZ, nullptr, &now);
    EXPECT_EQ(now.sa_handler, SIG_DFL);
}

TEST(SafeFileTest, AnUncommittedWriterLeavesNothingBehind) {
    TempDir dir;
    ASSERT_TRUE(WriteFileSafely(dir / "keep.txt", "kept"));
    {
        CSafeFileWriter writer(dir / "keep.txt");
        writer.Write("half", 4);
    }
    EXPECT_EQ(ReadFileBytes(dir / "keep.txt"), (std::vector<std::uint8_t>{'k', 'e', 'p', 't'}));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
}

TEST(DocumentFileTest, SaveAndOpenRoundTripWithTitleAndPath) {
    TempDir dir;
    DocFixture f;
    AddPoints(*f, {{10, 20}, {30, 40}});
    f->ToggleAnchor(PointAt(*f, 1));
    ASSERT_TRUE(f->OnSaveDocument(dir / "vase.lum"));
    EXPECT_FALSE(f->IsModified());
    EXPECT_EQ(f->GetTitle(), "vase.lum");
    EXPECT_EQ(ReadFileBytes(dir / "vase.lum"), ReadFileBytes(Fixture("two_points.lum")));

    DocFixture g;
    const auto states = g->UndoStateCount();
    ASSERT_TRUE(g->OnOpenDocument(dir / "vase.lum"));
    EXPECT_EQ(PointsOf(*g), (std::vector<XY>{{10, 20}, {30, 40}}));
    EXPECT_EQ(g->GetPathName(), dir / "vase.lum");
    EXPECT_FALSE(g->IsModified());
    EXPECT_EQ(g->UndoStateCount(), states + 1);  // opening checkpoints on top
}

TEST(DocumentFileTest, AZeroLengthFileOpensAsAnEmptyProfileSilently) {
    DocFixture f;
    AddPoints(*f, {{1, 1}});
    f.prompter.Clear();
    ASSERT_TRUE(f->OnOpenDocument(Fixture("zero_length.lum")));
    EXPECT_EQ(f->GetPointCount(), 0);
    EXPECT_TRUE(f.prompter.Entries().empty());
}

TEST(DocumentFileTest, ARefusedFileKeepsTheOpenDocumentItsTitleAndPath) {
    TempDir dir;
    DocFixture f;
    AddPoints(*f, {{1, 2}, {3, 4}});
    ASSERT_TRUE(f->OnSaveDocument(dir / "mine.lum"));
    f->AppendPoint(5, 6);
    // A pipe is refused at once rather than waited on.
    const auto pipe = dir / "pipe.lum";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0644), 0);
    for (const std::filesystem::path& name :
         {Fixture("lower_case_magic.lum"), Fixture("cut_in_points.lum"),
          Fixture("negative_count.lum"), Fixture("huge_count.lum"), Fixture("no_such_file.lum"),
          pipe}) {
        f.prompter.Clear();
        EXPECT_FALSE(f->OnOpenDocument(name)) << name;
        EXPECT_EQ(f.prompter.Entries().size(), 1u) << name;
        EXPECT_EQ(PointsOf(*f), (std::vector<XY>{{1, 2}, {3, 4}, {5, 6}})) << name;
        EXPECT_EQ(f->GetPathName(), dir / "mine.lum") << name;
        EXPECT_EQ(f->GetTitle(), "mine.lum") << name;
        EXPECT_TRUE(f->IsModified()) << name;
    }
    EXPECT_EQ(f.prompter.Texts(), std::vector<std::string>{"Cannot open the file " + pipe.string() +
                                                           ".\nIs a named pipe"});
}

TEST(DocumentFileTest, AFailedSaveKeepsTheOldFileAndTheModifiedFlag) {
    if (RunningAsRoot()) GTEST_SKIP() << "root writes into read-only folders";
    TempDir dir;
    DocFixture f;
    AddPoints(*f, {{1, 2}});
    ASSERT_TRUE(f->OnSaveDocument(dir / "old.lum"));
    const auto old = ReadFileBytes(dir / "old.lum");
    f->AppendPoint(3, 4);
    ::chmod(dir.Path().c_str(), 0500);
    f.prompter.Clear();
    EXPECT_FALSE(f->OnSaveDocument(dir / "old.lum"));
    ::chmod(dir.Path().c_str(), 0700);
    EXPECT_EQ(f.prompter.Texts(), std::vector<std::string>{std::string(text::kErrorSaving)});
    EXPECT_EQ(f.prompter.Entries()[0].reason, "Permission denied");
    EXPECT_TRUE(f->IsModified());
    EXPECT_EQ(ReadFileBytes(dir / "old.lum"), old);
}

// The temporary file cannot be made in a folder that does not exist.
TEST(DocumentFileTest, ASaveIntoAMissingFolderFailsCleanly) {
    TempDir dir;
    DocFixture f;
    AddPoints(*f, {{1, 2}});
    f.prompter.Clear();
    EXPECT_FALSE(f->OnSaveDocument(dir / "no" / "such" / "x.lum"));
    EXPECT_EQ(f.prompter.Texts(), std::vector<std::string>{std::string(text::kErrorSaving)});
    EXPECT_EQ(f.prompter.Entries()[0].reason, "No such file or directory");
    EXPECT_TRUE(f->IsModified());
    EXPECT_EQ(f->GetTitle(), "Untitled");
}

// A file-size limit makes the writes of the temporary file fail as on a full
// disk, and no privilege lifts it.
TEST(DocumentFileTest, AWriteErrorOnDiskKeepsTheOldFile) {
    TempDir dir;
    DocFixture f;
    AddPoints(*f, {{1, 2}});
    ASSERT_TRUE(f->OnSaveDocument(dir / "old.lum"));
    const auto old = ReadFileBytes(dir / "old.lum");
    for (int i = 0; i < 10; ++i) f->AppendPoint(i, i);
    f.prompter.Clear();

    // SIGXFSZ is left at its default, which would end the program.
    struct rlimit saved {};
    ::getrlimit(RLIMIT_FSIZE, &saved);
    struct rlimit small = saved;
    small.rlim_cur = 64;
    ::setrlimit(RLIMIT_FSIZE, &small);
    const bool saved_ok = f->OnSaveDocument(dir / "old.lum");
    ::setrlimit(RLIMIT_FSIZE, &saved);

    EXPECT_FALSE(saved_ok);
    EXPECT_EQ(f.prompter.Texts(), std::vector<std::string>{std::string(text::kErrorSaving)});
    EXPECT_EQ(f.prompter.Entries()[0].reason, "File too large");
    EXPECT_TRUE(f->IsModified());
    EXPECT_EQ(ReadFileBytes(dir / "old.lum"), old);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
}

// A file whose every write fails, standing in for a full disk.
class FailingFile final : public CFile {
public:
    explicit FailingFile(std::size_t room) : m_nRoom(room) {}
    std::size_t Read(void*, std::size_t) override { return 0; }
    void Write(const void*, std::size_t n) override {
        if (n > m_nRoom) throw CFileException("disk full", ENOSPC);
        m_nRoom -= n;
    }
    std::uint64_t GetLength() const override { return 0; }
    std::uint64_t GetPosition() const override { return 0; }

private:
    std::size_t m_nRoom;
};

TEST(DocumentFileTest, AWriteErrorIsReportedAndNotTakenAsAStore) {
    DocFixture f;
    for (int i = 0; i < 300; ++i) f->AppendPoint(i, i);  // more than one archive buffer
    FailingFile file(10);
    CArchive ar(file, CArchive::Mode::store);
    f.prompter.Clear();
    EXPECT_FALSE(f->Serialize(ar));
    EXPECT_EQ(f.prompter.Texts(), std::vector<std::string>{std::string(text::kErrorSaving)});
    EXPECT_EQ(f.prompter.Entries()[0].reason, "No space left on device");
    EXPECT_TRUE(f->IsModified());
}

}  // namespace
}  // namespace orvanel::test
