// The recent-file list: six entries at most, newest first, stored by name.
#include "app/recent_files.h"
#include "tests/support/test_doubles.h"

#include <gtest/gtest.h>

namespace orvanel::test {
namespace {

using Paths = std::vector<std::filesystem::path>;

TEST(RecentFilesTest, NewestFirstAtMostSixNoDuplicates) {
    RecentFileList list;
    for (int i = 1; i <= 8; ++i) list.Add("/p/" + std::to_string(i) + ".lum");
    EXPECT_EQ(list.Entries(),
              (Paths{"/p/8.lum", "/p/7.lum", "/p/6.lum", "/p/5.lum", "/p/4.lum", "/p/3.lum"}));
    list.Add("/p/5.lum");
    EXPECT_EQ(list.Entries().front(), "/p/5.lum");
    EXPECT_EQ(list.Entries().size(), 6u);
    list.Remove("/p/8.lum");
    EXPECT_EQ(list.Entries(), (Paths{"/p/5.lum", "/p/7.lum", "/p/6.lum", "/p/4.lum", "/p/3.lum"}));
}

TEST(RecentFilesTest, StoredAsFile1ToFile6) {
    MemorySettingsStore store;
    RecentFileList list;
    list.Add("/a.lum");
    list.Add("/b.lum");
    list.Save(store);
    EXPECT_EQ(store.GetString("Recent File List", "File1", "?"), "/b.lum");
    EXPECT_EQ(store.GetString("Recent File List", "File2", "?"), "/a.lum");
    EXPECT_EQ(store.GetString("Recent File List", "File3", "?"), "");
    // A hand-edited list with gaps and a duplicate.
    store.WriteString("Recent File List", "File4", "/a.lum");
    store.WriteString("Recent File List", "File6", "/c.lum");
    RecentFileList read;
    read.Load(store);
    EXPECT_EQ(read.Entries(), (Paths{"/b.lum", "/a.lum", "/c.lum"}));
}

TEST(RecentFilesTest, MenuTextsAreShortened) {
    EXPECT_EQ(AbbreviatePath("/home/ann/bowl.lum", 30), "/home/ann/bowl.lum");
    EXPECT_EQ(AbbreviatePath("/home/ann/projects/turning/2026/bowl.lum", 30),
              "/home/.../2026/bowl.lum");
    EXPECT_EQ(AbbreviatePath("/home/ann/projects/turning/a-very-long-file-name.lum", 30),
              "a-very-long-file-name.lum");
    EXPECT_LE(AbbreviatePath("/home/ann/projects/turning/2026/bowl.lum", 30).size(), 30u);
}

}  // namespace
}  // namespace orvanel::test
