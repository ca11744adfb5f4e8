// The settings file: the layout earlier versions wrote, what a damaged file
// still gives, and the damaged file kept aside before a new one is written.
#include "app/config_store.h"

#include <gtest/gtest.h>

#include <string>

#include <sys/stat.h>

#include "tests/unit/test_support.h"

namespace orvanel::test {
namespace {

// What the program wrote at exit before it read the file itself.
constexpr std::string_view kEarlierFile =
    "[WindowPos]\n"
    "Rect=0010 0010 0610 0410\n"
    "iconized=0\n"
    "maximized=0\n"
    "[Settings]\n"
    "BGcolor=16777215\n"
    "PenSize=2\n"
    "[Recent\\ File\\ List]\n"
    "File1=/home/ann/a b.lum\n"
    "File2=\n";

TEST(SettingsFileTest, AFileOfAnEarlierVersionReadsAndWritesBackByteForByte) {
    bool damaged = true;
    const SettingsFileContents contents = SettingsFileContents::Parse(kEarlierFile, &damaged);
    EXPECT_FALSE(damaged);
    EXPECT_EQ(*contents.Find("WindowPos", "Rect"), "0010 0010 0610 0410");
    EXPECT_EQ(*contents.Find("Recent File List", "File1"), "/home/ann/a b.lum");
    EXPECT_EQ(*contents.Find("Recent File List", "File2"), "");
    EXPECT_EQ(contents.Find("Settings", "GridSize"), nullptr);
    EXPECT_EQ(contents.Text(), kEarlierFile);
}

TEST(SettingsFileTest, ValuesAndNamesOfAnyTextComeBack) {
    SettingsFileContents contents;
    const std::string values[] = {
        " leading blank", "trailing blank ", "\"quoted\"", "a\"b", "tab\there",
        "two\nlines\r",   "back\\slash",     "é ü",        ""};
    const std::string section = "Odd [section] = x";
    for (std::size_t i = 0; i < std::size(values); ++i) {
        contents.Set(section, "key " + std::to_string(i), values[i]);
    }
    bool damaged = true;
    const SettingsFileContents again = SettingsFileContents::Parse(contents.Text(), &damaged);
    EXPECT_FALSE(damaged) << contents.Text();
    for (std::size_t i = 0; i < std::size(values); ++i) {
        const std::string* read = again.Find(section, "key " + std::to_string(i));
        ASSERT_NE(read, nullptr) << values[i];
        EXPECT_EQ(*read, values[i]);
    }
}

TEST(SettingsFileTest, ADamagedFileGivesWhatParses) {
    const struct {
        const char* what;
        std::string text;
        std::string penSize;  // "" when none was read
    } cases[] = {
        {"an empty key", "[Settings]\n=5\nPenSize=3\n", "3"},
        {"a key given twice: the last counts", "[Settings]\nPenSize=3\nPenSize=4\n", "4"},
        {"no equals sign", "[Settings]\ngarbage\nPenSize=3\n", "3"},
        {"an unclosed section", "[Settings]\nPenSize=3\n[Broken\nPenSize=4\n", "4"},
        {"text after a section", "[Settings] junk\nPenSize=3\n", "3"},
        {"a trailing backslash", "[Settings]\nPenSize=3\\\n", "3"},
        {"a stray quote", "[Settings]\nPenSize=\"3\"4\"\n", "34"},
        {"a nul byte", std::string("[Settings]\nPen\0Size=3\nPenSize=5\n", 32), "5"},
        {"binary noise", "\x7f\x45\x4c\x46\x02\x01\n\xff\xfe", ""},
    };
    for (const auto& c : cases) {
        bool damaged = false;
        const SettingsFileContents contents = SettingsFileContents::Parse(c.text, &damaged);
        EXPECT_TRUE(damaged) << c.what;
        const std::string* pen = contents.Find("Settings", "PenSize");
        EXPECT_EQ(pen == nullptr ? "" : *pen, c.penSize) << c.what;
    }
    // Comments, blank lines and CR LF line ends are no damage.
    bool damaged = true;
    const auto sound = SettingsFileContents::Parse(
        "; a note\r\n\r\n  # another\r\n[Settings]\r\nPenSize = 3\r\n", &damaged);
    EXPECT_FALSE(damaged);
    EXPECT_EQ(*sound.Find("Settings", "PenSize"), "3");
}

// Whatever the path holds, the store starts at once with what it could read
// and puts the damaged thing aside, as it was, before it writes a new file.
TEST(ConfigStoreTest, AnySettingsPathGivesUsableSettingsAndKeepsTheDamagedOne) {
    TempDir dir;
    const auto file = dir / "Orvanel.conf";
    enum class Kind { None, Folder, Pipe, Link, Regular };
    const struct {
        const char* what;
        Kind kind;
        std::string text;
        int penSize;
        bool damaged;
    } cases[] = {
        {"missing", Kind::None, "", 2, false},
        {"a sound file", Kind::Regular, "[Settings]\nPenSize=5\n", 5, false},
        {"a folder", Kind::Folder, "", 2, true},
        {"a pipe", Kind::Pipe, "", 2, true},
        {"a link to /dev/zero", Kind::Link, "", 2, true},
        {"over 1 MB", Kind::Regular,
         "[Settings]\nPenSize=5\n" + std::string(kMaxSettingsFileBytes, '\n'), 2, true},
        {"an empty key", Kind::Regular, "[Settings]\n=5\nPenSize=5\n", 5, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::filesystem::remove_all(file);
        std::filesystem::remove_all(dir / "Orvanel.conf.bad");
        switch (c.kind) {
            case Kind::None:
                break;
            case Kind::Folder:
                std::filesystem::create_directory(file);
                break;
            case Kind::Pipe:
                ASSERT_EQ(::mkfifo(file.c_str(), 0644), 0);
                break;
            case Kind::Link:
                std::filesystem::create_symlink("/dev/zero", file);
                break;
            case Kind::Regular:
                WriteFileBytes(file, {c.text.begin(), c.text.end()});
                break;
        }
        const auto status = std::filesystem::symlink_status(file).type();
        {
            ConfigStore store(file);
            EXPECT_EQ(store.IsDamaged(), c.damaged);
            EXPECT_EQ(store.GetInt("Settings", "PenSize", 2), c.penSize);
            store.WriteInt("Settings", "GridSize", 25);
        }
        const auto written = ReadFileBytes(file);
        const std::string expected =
            c.penSize == 5 ? "[Settings]\nPenSize=5\nGridSize=25\n" : "[Settings]\nGridSize=25\n";
        EXPECT_EQ(std::string(written.begin(), written.end()), expected);
        EXPECT_EQ(
            std::filesystem::exists(std::filesystem::symlink_status(dir / "Orvanel.conf.bad")),
            c.damaged);
        if (c.damaged) {
            EXPECT_EQ(std::filesystem::symlink_status(dir / "Orvanel.conf.bad").type(), status);
        }
    }
}

// The batch mode reads the settings and never writes them.
TEST(ConfigStoreTest, NothingIsWrittenWhenNothingWasSet) {
    TempDir dir;
    const auto file = dir / "Orvanel.conf";
    WriteFileBytes(file, {'=', '5', '\n'});
    {
        ConfigStore store(file);
        EXPECT_TRUE(store.IsDamaged());
        EXPECT_EQ(store.GetString("Settings", "PenSize", "none"), "none");
    }
    EXPECT_EQ(ReadFileBytes(file), (std::vector<std::uint8_t>{'=', '5', '\n'}));
    EXPECT_FALSE(std::filesystem::exists(dir / "Orvanel.conf.bad"));
}

}  // namespace
}  // namespace orvanel::test
