// Saving never destroys the file it replaces; opening a bad file changes nothing.
#include <gtest/gtest.h>

#include <csignal>

#include <sys/resource.h>
#include <sys/stat.h>
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

TEST(SafeFileTest, ASymbolicLinkKeepsPointingAtTheSavedFile) {
    TempDir dir;
    ASSERT_TRUE(WriteFileSafely(dir / "real.txt", "old"));
    std::filesystem::create_symlink(dir / "real.txt", dir / "link.txt");
    ASSERT_TRUE(WriteFileSafely(dir / "link.txt", "new"));
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "link.txt"));
    EXPECT_EQ(ReadFileBytes(dir / "real.txt"), (std::vector<std::uint8_t>{'n', 'e', 'w'}));
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
    for (const char* name : {"lower_case_magic.lum", "cut_in_points.lum", "negative_count.lum",
                             "huge_count.lum", "no_such_file.lum"}) {
        f.prompter.Clear();
        EXPECT_FALSE(f->OnOpenDocument(Fixture(name))) << name;
        EXPECT_EQ(f.prompter.Entries().size(), 1u) << name;
        EXPECT_EQ(PointsOf(*f), (std::vector<XY>{{1, 2}, {3, 4}, {5, 6}})) << name;
        EXPECT_EQ(f->GetPathName(), dir / "mine.lum") << name;
        EXPECT_EQ(f->GetTitle(), "mine.lum") << name;
        EXPECT_TRUE(f->IsModified()) << name;
    }
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

    struct rlimit saved {};
    ::getrlimit(RLIMIT_FSIZE, &saved);
    auto* previous = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = saved;
    small.rlim_cur = 64;
    ::setrlimit(RLIMIT_FSIZE, &small);
    const bool saved_ok = f->OnSaveDocument(dir / "old.lum");
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);

    EXPECT_FALSE(saved_ok);
    EXPECT_EQ(f.prompter.Texts(), std::vector<std::string>{std::string(text::kErrorSaving)});
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
    EXPECT_TRUE(f->IsModified());
}

}  // namespace
}  // namespace orvanel::test
