// Archive strings in every length-prefix form, and the integers around them.
#include <gtest/gtest.h>

#include "document/archive.h"
#include "tests/unit/test_support.h"

namespace orvanel::test {
namespace {

std::string ReadStringFrom(const Bytes& bytes) {
    CMemFile file(bytes.Get());
    CArchive ar(file, CArchive::Mode::load);
    return ar.ReadString();
}

struct PrefixCase {
    const char* form;
    Bytes bytes;
};

TEST(ArchiveStringTest, EveryPrefixFormReadsTheSameString) {
    const PrefixCase cases[] = {
        {"one byte", Bytes().U8(8).Chars("VOLDERAK")},
        {"16 bits", Bytes().U8(0xFF).U16(8).Chars("VOLDERAK")},
        {"32 bits", Bytes().U8(0xFF).U16(0xFFFF).U32(8).Chars("VOLDERAK")},
        {"64 bits", Bytes().U8(0xFF).U16(0xFFFF).U32(0xFFFFFFFF).U64(8).Chars("VOLDERAK")},
        {"UTF-16, one byte", Bytes().U8(0xFF).U16(0xFFFE).U8(8).Utf16("VOLDERAK")},
        {"UTF-16, 16 bits", Bytes().U8(0xFF).U16(0xFFFE).U8(0xFF).U16(8).Utf16("VOLDERAK")},
        {"UTF-16, 32 bits",
         Bytes().U8(0xFF).U16(0xFFFE).U8(0xFF).U16(0xFFFF).U32(8).Utf16("VOLDERAK")},
    };
    for (const PrefixCase& c : cases) EXPECT_EQ(ReadStringFrom(c.bytes), "VOLDERAK") << c.form;
}

TEST(ArchiveStringTest, Utf16CharactersBecomeUtf8) {
    Bytes bytes;
    bytes.U8(0xFF).U16(0xFFFE).U8(4).U16(0x00E9).U16(0x20AC).U16(0xD83D).U16(0xDE00);
    EXPECT_EQ(ReadStringFrom(bytes), "\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80");
    EXPECT_EQ(ReadStringFrom(Bytes().U8(0xFF).U16(0xFFFE).U8(1).U16(0xDC00)), "?");
}

TEST(ArchiveStringTest, BadLengthsAreArchiveErrorsBeforeAnythingIsAllocated) {
    struct Case {
        const char* what;
        Bytes bytes;
        CArchiveException::Cause cause;
    };
    const Case cases[] = {
        {"fewer characters than announced", Bytes().U8(8).Chars("VOLD"),
         CArchiveException::Cause::EndOfFile},
        {"a 32-bit length far beyond the stream", Bytes().U8(0xFF).U16(0xFFFF).U32(0xFFFFFFF0),
         CArchiveException::Cause::EndOfFile},
        {"a 64-bit length beyond 32 bits",
         Bytes().U8(0xFF).U16(0xFFFF).U32(0xFFFFFFFF).U64(0x80000000ull),
         CArchiveException::Cause::BadLength},
        {"a UTF-16 length with half its bytes", Bytes().U8(0xFF).U16(0xFFFE).U8(4).Chars("VOLD"),
         CArchiveException::Cause::EndOfFile},
        {"a prefix cut short", Bytes().U8(0xFF).U8(1), CArchiveException::Cause::EndOfFile},
    };
    for (const Case& c : cases) {
        try {
            ReadStringFrom(c.bytes);
            ADD_FAILURE() << c.what << ": no error";
        } catch (const CArchiveException& e) {
            EXPECT_EQ(e.GetCause(), c.cause) << c.what;
        }
    }
}

TEST(ArchiveStringTest, WritingUsesTheShortestPrefixAndReadsBack) {
    for (std::size_t length : {0u, 8u, 254u, 255u, 65533u, 65534u, 70000u}) {
        const std::string s(length, 'q');
        CMemFile file;
        {
            CArchive ar(file, CArchive::Mode::store);
            ar.WriteString(s);
            ar.Close();
        }
        const std::size_t prefix = length < 255 ? 1 : length < 0xFFFE ? 3 : 7;
        EXPECT_EQ(file.Bytes().size(), prefix + length) << length;
        file.SeekToBegin();
        CArchive ar(file, CArchive::Mode::load);
        EXPECT_EQ(ar.ReadString(), s) << length;
    }
}

TEST(ArchiveTest, IntegersAreLittleEndianAcrossBufferBoundaries) {
    CMemFile file;
    {
        CArchive ar(file, CArchive::Mode::store);
        for (std::int32_t i = 0; i < 3000; ++i) ar.WriteInt32(i * -65537);
        ar.Close();
    }
    ASSERT_EQ(file.Bytes().size(), 12000u);
    EXPECT_EQ(file.Bytes()[4], 0xFF);  // -65537 = 0xFFFEFFFF
    EXPECT_EQ(file.Bytes()[6], 0xFE);
    file.SeekToBegin();
    CArchive ar(file, CArchive::Mode::load);
    for (std::int32_t i = 0; i < 3000; ++i) ASSERT_EQ(ar.ReadInt32(), i * -65537);
    EXPECT_EQ(ar.BytesRemaining(), 0u);
    EXPECT_THROW(ar.ReadInt32(), CArchiveException);
}

TEST(ArchiveTest, AMemoryFileGrowsGeometrically) {
    // 16 MiB written through an archive, as the snapshot of a million points:
    // a fixed 4096-byte step would move the bytes thousands of times.
    CMemFile file;
    std::size_t reallocations = 0;
    std::size_t capacity = file.Bytes().capacity();
    {
        CArchive ar(file, CArchive::Mode::store);
        for (std::uint32_t i = 0; i < 4u << 20; ++i) {
            ar.WriteUInt32(i);
            if (file.Bytes().capacity() != capacity) {
                capacity = file.Bytes().capacity();
                ++reallocations;
            }
        }
        ar.Close();
    }
    EXPECT_EQ(file.Bytes().size(), 16u << 20);
    EXPECT_LE(reallocations, 14u);
    EXPECT_EQ(file.Bytes()[(16u << 20) - 4], 0xFF);  // the last value, 4 Mi - 1
}

TEST(ArchiveTest, DiskFilesReadLikeMemory) {
    TempDir dir;
    WriteFileBytes(dir / "f.bin", Bytes().I32(-2).Str("ab"));
    CDiskFile file(dir / "f.bin");
    CArchive ar(file, CArchive::Mode::load);
    EXPECT_EQ(ar.BytesRemaining(), 7u);
    EXPECT_EQ(ar.ReadInt32(), -2);
    EXPECT_EQ(ar.ReadString(), "ab");
    EXPECT_THROW(CDiskFile(dir / "missing"), CFileException);
    EXPECT_THROW(CDiskFile(dir.Path()), CFileException);
}

}  // namespace
}  // namespace orvanel::test
