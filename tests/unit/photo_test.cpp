// The background photo: loading and its messages, placement, the properties
// dialog's arithmetic and the photo commands.
#include "editor/photo_commands.h"
#include "editor/photo_placement.h"
#include "editor/photo_properties.h"
#include "editor/picture.h"
#include "editor/picture_probe.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <new>

#include <sys/stat.h>

#include "tests/support/test_doubles.h"
#include "tests/unit/test_support.h"

namespace orvanel::test {
namespace {

class SizedPicture final : public DecodedPicture {
public:
    SizedPicture(int w, int h) : m_w(w), m_h(h) {}
    int Width() const override { return m_w; }
    int Height() const override { return m_h; }

private:
    int m_w, m_h;
};

// Reads "W x H" as a picture of that size; anything else is no image.
class TextDecoder final : public PictureDecoder {
public:
    DecodeResult Decode(std::span<const std::uint8_t> bytes) override {
        ++calls;
        seen.assign(bytes.begin(), bytes.end());
        if (throwBadAlloc) throw std::bad_alloc();
        int w = 0, h = 0;
        const std::string text(bytes.begin(), bytes.end());
        if (std::sscanf(text.c_str(), "%d x %d", &w, &h) != 2) {
            return {nullptr, DecodeFailure::NotAnImage};
        }
        if (tooLarge) return {nullptr, DecodeFailure::TooLarge};
        return {std::make_unique<SizedPicture>(w, h), DecodeFailure::None};
    }
    int calls = 0;
    std::vector<std::uint8_t> seen;
    bool tooLarge = false;
    bool throwBadAlloc = false;
};

std::vector<std::uint8_t> Text(std::string_view s) { return {s.begin(), s.end()}; }

// --- placement and the dialog's arithmetic

TEST(PhotoPlacementTest, ShrinksInStepsUntilItFitsAndSitsOnTheBottomLeft) {
    const struct {
        int w, h;
        IntRect expected;
    } cases[] = {
        {800, 600, {0, 400, 800, 1000}},    {999, 999, {0, 1, 999, 1000}},
        {1000, 1000, {0, 50, 950, 1000}},    // s = 0.95
        {2000, 1500, {0, 326, 899, 1000}},   // s just below 0.45 after eleven steps
        {30000, 100, {0, 996, 1499, 1000}},  // stops just below 0.05
        {1, 1, {0, 999, 1, 1000}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PlacePhoto(c.w, c.h), c.expected) << c.w << " x " << c.h;
    }
    EXPECT_LT(PhotoFitScale(2000, 1500), 0.45);
    EXPECT_GT(PhotoFitScale(2000, 1500), 0.4499);
    EXPECT_LT(PhotoFitScale(30000, 100), 0.05);
    EXPECT_EQ(PhotoFitScale(100, 30000), PhotoFitScale(30000, 100));
}

TEST(PhotoPropertiesTest, TheDialogOpensOnTheRoundedUpPercentages) {
    const struct {
        int w, h;
        unsigned width, height;
    } cases[] = {
        {800, 600, 100, 100},
        {2000, 1500, 45, 45},
        {1000, 1000, 95, 95},
        {30000, 100, 5, 4},  // the height keeps only 4 of its 100 pixels
    };
    for (const auto& c : cases) {
        const PhotoPropertiesValues v = OpenPhotoProperties(PlacePhoto(c.w, c.h), c.w, c.h);
        EXPECT_EQ(v.m_nScaleWidth, c.width) << c.w << " x " << c.h;
        EXPECT_EQ(v.m_nScaleHeight, c.height) << c.w << " x " << c.h;
        EXPECT_EQ(v.m_strWidth, std::to_string(c.w));
        EXPECT_EQ(v.m_strHeight, std::to_string(c.h));
        EXPECT_TRUE(v.m_bLockAspect);
    }
}

TEST(PhotoPropertiesTest, OkRescalesFromTheBottomLeftCorner) {
    const IntRect rc{-30, 400, 770, 1000};  // an 800 x 600 photo, dragged a little
    PhotoPropertiesValues v;
    v.m_nScaleWidth = 50;
    v.m_nScaleHeight = 200;  // ignored while the aspect is locked
    EXPECT_EQ(ApplyPhotoProperties(rc, 800, 600, v), (IntRect{-30, 700, 370, 1000}));
    v.m_bLockAspect = false;
    EXPECT_EQ(ApplyPhotoProperties(rc, 800, 600, v), (IntRect{-30, -200, 370, 1000}));
    v.m_nScaleWidth = 45;
    v.m_nScaleHeight = 45;
    EXPECT_EQ(ApplyPhotoProperties(rc, 2000, 1500, v), (IntRect{-30, 325, 870, 1000}));
    EXPECT_TRUE(PhotoHeightFieldEnabled(false));
    EXPECT_FALSE(PhotoHeightFieldEnabled(true));
}

TEST(PhotoDragTest, ThePhotoMayLeaveTheAreaInAnyDirection) {
    EXPECT_EQ(OffsetPhoto({0, 400, 800, 1000}, -900, 700), (IntRect{-900, 1100, -100, 1700}));
    EXPECT_EQ(OffsetPhoto({0, 0, 10, 10}, INT32_MAX, 0).right, INT32_MAX);
}

// --- loading

TEST(PhotoDrawTest, ASmallPhotoIsTakenWholeALargeOneOnlyWhereItShows) {
    // 800 x 600 pixels over 1000 x 750 units, a window of 300 x 200 of it.
    const std::optional<PhotoPart> small =
        PhotoPartToDraw({800, 600}, {1000, 750}, {-50, 100, 250, 300});
    ASSERT_TRUE(small);
    EXPECT_EQ(*small, (PhotoPart{{0, 0, 800, 600}, {0, 0, 1000, 750}, true}));
    // 4000 x 3000 pixels over 10000 x 7500 units: the pixels under the window,
    // widened to whole pixels, and the units they cover.
    const std::optional<PhotoPart> large =
        PhotoPartToDraw({4000, 3000}, {10000, 7500}, {1001, 2002, 1301, 2202});
    ASSERT_TRUE(large);
    EXPECT_EQ(*large, (PhotoPart{{400, 800, 521, 881}, {1000, 2000, 1303, 2203}, false}));
    EXPECT_FALSE(PhotoPartToDraw({800, 600}, {1000, 750}, {1000, 0, 1200, 100}));  // right of it
    EXPECT_FALSE(PhotoPartToDraw({800, 600}, {1000, 750}, {-300, -200, 0, 0}));    // above left
}

TEST(PictureLoadTest, AReadablePictureIsLoadedWithItsSizes) {
    TempDir dir;
    WriteFileBytes(dir / "a.png", Text("640 x 480"));
    TextDecoder decoder;
    RecordingPrompter prompter;
    CPicture picture;
    EXPECT_TRUE(picture.Load(dir / "a.png", decoder, prompter));
    EXPECT_TRUE(picture.IsLoaded());
    EXPECT_EQ(picture.Width(), 640);
    EXPECT_EQ(picture.Height(), 480);
    EXPECT_EQ(picture.FileSize(), 9);
    EXPECT_EQ(decoder.seen, Text("640 x 480"));
    EXPECT_TRUE(prompter.Entries().empty());
    picture.Free();
    EXPECT_FALSE(picture.IsLoaded());
    EXPECT_EQ(picture.Width(), 0);
    EXPECT_EQ(picture.FileSize(), 0);
}

TEST(PictureLoadTest, FailuresLeaveNoPictureAndSayWhatTheyMust) {
    TempDir dir;
    WriteFileBytes(dir / "empty.png", {});
    WriteFileBytes(dir / "text.jpg", Text("not a picture"));
    WriteFileBytes(dir / "one.png", {0x89});
    WriteFileBytes(dir / "big.png", Text("40000 x 10"));
    WriteFileBytes(dir / "flat.png", Text("640 x 0"));
    std::filesystem::create_directory(dir / "folder.png");
    ASSERT_EQ(::mkfifo((dir / "pipe.png").c_str(), 0644), 0);
    const std::string noMemory = "Can not allocate enough memory\t";
    const struct {
        const char* file;
        std::vector<std::string> messages;  // under "CPicture Error", with the stop icon
        int size;
    } cases[] = {
        {"missing.png", {"No such file or directory"}, 0},
        {"folder.png", {"Is a directory"}, 0},
        {"pipe.png", {"Is a named pipe"}, 0},
        {"empty.png", {}, 0},
        {"text.jpg", {}, 13},
        {"one.png", {}, 1},
        {"big.png", {noMemory}, 10},
        {"flat.png", {}, 7},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        TextDecoder decoder;
        RecordingPrompter prompter;
        CPicture picture;
        EXPECT_FALSE(picture.Load(dir / c.file, decoder, prompter));
        EXPECT_FALSE(picture.IsLoaded());
        EXPECT_EQ(picture.Width(), 0);
        EXPECT_EQ(picture.Height(), 0);
        EXPECT_EQ(picture.FileSize(), c.size);
        EXPECT_EQ(prompter.Texts(), c.messages);
        for (const auto& e : prompter.Entries()) {
            EXPECT_EQ(e.caption, "CPicture Error");
            EXPECT_EQ(e.icon, MessageIcon::Stop);
        }
    }
}

TEST(PictureLoadTest, RunningOutOfMemoryWhileDecodingIsRefusedCleanly) {
    for (bool throwing : {false, true}) {
        TextDecoder decoder;
        decoder.tooLarge = !throwing;
        decoder.throwBadAlloc = throwing;
        RecordingPrompter prompter;
        CPicture picture;
        const auto bytes = Text("100 x 100");
        EXPECT_FALSE(picture.LoadFromBuffer(bytes, decoder, prompter));
        EXPECT_FALSE(picture.IsLoaded());
        EXPECT_EQ(prompter.Texts(), (std::vector<std::string>{"Can not allocate enough memory\t"}));
    }
}

TEST(PictureLoadTest, APictureTooLargeIsRefusedBeforeItIsDecoded) {
    Bytes png;
    png.Chars("\x89PNG\r\n\x1a\n").U32(0x0D000000).Chars("IHDR");
    png.U32(0x50C30000).U32(0x50C30000);  // 50000 x 50000, big-endian
    TextDecoder decoder;
    RecordingPrompter prompter;
    CPicture picture;
    EXPECT_FALSE(picture.LoadFromBuffer(png.Get(), decoder, prompter));
    EXPECT_EQ(decoder.calls, 0);
    EXPECT_EQ(prompter.Texts(), (std::vector<std::string>{"Can not allocate enough memory\t"}));
}

TEST(PictureLoadTest, TheHoldableSizes) {
    EXPECT_TRUE(PictureSizeIsHoldable(30000, 100));
    EXPECT_TRUE(PictureSizeIsHoldable(12000, 9000));
    EXPECT_FALSE(PictureSizeIsHoldable(32768, 1));
    EXPECT_FALSE(PictureSizeIsHoldable(20000, 20000));
    EXPECT_FALSE(PictureSizeIsHoldable(0, 10));
}

// --- header probe

Bytes& U16BE(Bytes& b, std::uint16_t v) { return b.U8(v >> 8).U8(v & 0xFF); }
Bytes& U32BE(Bytes& b, std::uint32_t v) { return U16BE(U16BE(b, v >> 16), v & 0xFFFF); }

TEST(PictureProbeTest, TheSizeEachFormatAnnounces) {
    Bytes png;
    U32BE(U32BE(png.Chars("\x89PNG\r\n\x1a\n").U32(0x0D000000).Chars("IHDR"), 40000), 3);
    Bytes gif;
    gif.Chars("GIF89a").U16(640).U16(480).U8(0);
    Bytes bmp;
    bmp.Chars("BM").U32(0).U32(0).U32(54).U32(40).I32(1024).I32(-768);
    Bytes core;
    core.Chars("BM").U32(0).U32(0).U32(26).U32(12).U16(30).U16(20);
    Bytes jpeg;
    jpeg.U8(0xFF).U8(0xD8).U8(0xFF).U8(0xE0);
    U16BE(jpeg, 16).Chars("JFIF").U8(0).U16(0x0101).U8(0).U32(0).U8(0).U8(0).U8(0xFF).U8(0xFF);
    U16BE(U16BE(U16BE(jpeg.U8(0xC2), 17).U8(8), 1500), 2000).U8(3);
    Bytes tiff;
    tiff.Chars("II*").U8(0).U32(8).U16(2);
    tiff.U16(256).U16(3).U32(1).U16(300).U16(0);
    tiff.U16(257).U16(4).U32(1).U32(70000);
    Bytes mm;
    U32BE(mm.Chars("MM").U8(0).U8(42), 8);
    U16BE(mm, 2);
    U32BE(U32BE(U16BE(U16BE(mm, 257), 3), 1), 0x00C80000);  // a SHORT sits in the first half
    U32BE(U32BE(U16BE(U16BE(mm, 256), 4), 1), 100);
    const struct {
        const char* what;
        std::vector<std::uint8_t> bytes;
        std::optional<PictureSize> size;
    } cases[] = {
        {"png", png, PictureSize{40000, 3}},
        {"gif", gif, PictureSize{640, 480}},
        {"bmp, rows top down", bmp, PictureSize{1024, 768}},
        {"bmp, core header", core, PictureSize{30, 20}},
        {"progressive jpeg after a fill byte", jpeg, PictureSize{2000, 1500}},
        {"tiff, little endian", tiff, PictureSize{300, 70000}},
        {"tiff, big endian", mm, PictureSize{100, 200}},
        {"png cut short", {png.Get().begin(), png.Get().begin() + 20}, std::nullopt},
        {"jpeg without its frame", {jpeg.Get().begin(), jpeg.Get().begin() + 22}, std::nullopt},
        {"one byte", {0x89}, std::nullopt},
        {"text", Text("640 x 480"), std::nullopt},
        {"nothing", {}, std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ProbePictureSize(c.bytes), c.size) << c.what;
    }
}

// --- the photo commands

class PhotoCommandsTest : public ::testing::Test {
protected:
    void SetUp() override {
        WriteFileBytes(dir / "photo.jpg", Text("2000 x 1500"));
        WriteFileBytes(dir / "small.jpg", Text("800 x 600"));
        WriteFileBytes(dir / "bad.jpg", Text("garbage"));
    }
    DocFixture f;
    TempDir dir;
    TextDecoder decoder;
    RecordingCommandHost host;
};

TEST_F(PhotoCommandsTest, AddPlacesThePhotoAndOpensTheDragToolAndTheDialog) {
    f->m_bPhotoHidden = true;
    const auto states = f->UndoStateCount();
    EXPECT_TRUE(AddPhoto(*f, dir / "photo.jpg", decoder, host));
    EXPECT_TRUE(f->IsPhotoLoaded());
    EXPECT_FALSE(f->m_bPhotoHidden);
    EXPECT_EQ(f->m_rcPhoto, (IntRect{0, 326, 899, 1000}));
    EXPECT_EQ(host.invalidated, 1);
    EXPECT_EQ(host.posted,
              (std::vector<Command>{Command::ToolDragPhoto, Command::PhotoProperties}));
    const PhotoPropertiesValues v = OpenPhotoProperties(*f);
    EXPECT_EQ(v.m_nScaleWidth, 45u);
    EXPECT_EQ(v.m_nScaleHeight, 45u);
    // Not part of the profile: no undo step, no modified flag.
    EXPECT_EQ(f->UndoStateCount(), states);
    EXPECT_FALSE(f->IsModified());
}

TEST_F(PhotoCommandsTest, AFailedAddReleasesTheOldPhotoAndSaysSo) {
    ASSERT_TRUE(AddPhoto(*f, dir / "photo.jpg", decoder, host));
    const IntRect placed = f->m_rcPhoto;
    host.posted.clear();
    EXPECT_FALSE(AddPhoto(*f, dir / "bad.jpg", decoder, host));
    EXPECT_FALSE(f->IsPhotoLoaded());
    EXPECT_EQ(f->m_rcPhoto, placed);
    EXPECT_TRUE(host.posted.empty());
    EXPECT_EQ(host.invalidated, 2);  // the released photo must not stay on screen
    ASSERT_EQ(f.prompter.Entries().size(), 1u);
    EXPECT_EQ(f.prompter.Entries()[0].text, "Unable to load image");
    EXPECT_EQ(f.prompter.Entries()[0].caption, "Orvanel");
    EXPECT_EQ(f.prompter.Entries()[0].icon, MessageIcon::Exclamation);
}

TEST_F(PhotoCommandsTest, AMissingFileShowsBothBoxesInOrder) {
    EXPECT_FALSE(AddPhoto(*f, dir / "gone.jpg", decoder, host));
    EXPECT_EQ(f.prompter.Texts(),
              (std::vector<std::string>{"No such file or directory", "Unable to load image"}));
    EXPECT_EQ(f.prompter.Entries()[0].caption, "CPicture Error");
}

TEST_F(PhotoCommandsTest, RemoveKeepsTheRectangleAndLeavesTheDragTool) {
    ASSERT_TRUE(AddPhoto(*f, dir / "small.jpg", decoder, host));
    host.posted.clear();
    const int updates = f.view.updates;
    RemovePhoto(*f, host);
    EXPECT_FALSE(f->IsPhotoLoaded());
    EXPECT_EQ(f->m_rcPhoto, (IntRect{0, 400, 800, 1000}));
    EXPECT_EQ(host.posted, (std::vector<Command>{Command::ToolPencil}));
    EXPECT_EQ(f.view.updates, updates + 1);
    // The next photo is placed afresh.
    ASSERT_TRUE(AddPhoto(*f, dir / "photo.jpg", decoder, host));
    EXPECT_EQ(f->m_rcPhoto, (IntRect{0, 326, 899, 1000}));
}

TEST_F(PhotoCommandsTest, HideThenAddShowsTheNewPhoto) {
    ASSERT_TRUE(AddPhoto(*f, dir / "small.jpg", decoder, host));
    ToggleHidePhoto(*f);
    EXPECT_TRUE(f->m_bPhotoHidden);
    ASSERT_TRUE(AddPhoto(*f, dir / "photo.jpg", decoder, host));
    EXPECT_FALSE(f->m_bPhotoHidden);
}

TEST_F(PhotoCommandsTest, ThePhotoSurvivesNewOpenUndoAndRedo) {
    ASSERT_TRUE(AddPhoto(*f, dir / "small.jpg", decoder, host));
    f->m_rcPhoto = OffsetPhoto(f->m_rcPhoto, 25, -5);
    AddPoints(*f, {{1, 1}});
    f->OnEditUndo();
    f->OnEditRedo();
    f->OnNewDocument();
    EXPECT_TRUE(f->IsPhotoLoaded());
    EXPECT_EQ(f->m_rcPhoto, (IntRect{25, 395, 825, 995}));
}

TEST_F(PhotoCommandsTest, OkOfThePropertiesDialogRescalesTheDocumentsPhoto) {
    ASSERT_TRUE(AddPhoto(*f, dir / "small.jpg", decoder, host));
    PhotoPropertiesValues v = OpenPhotoProperties(*f);
    v.m_nScaleWidth = 50;
    const int updates = f.view.updates;
    ApplyPhotoProperties(*f, v);
    EXPECT_EQ(f->m_rcPhoto, (IntRect{0, 700, 400, 1000}));
    EXPECT_EQ(f.view.updates, updates + 1);
}

}  // namespace
}  // namespace orvanel::test
