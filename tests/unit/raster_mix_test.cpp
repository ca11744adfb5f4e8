// The live marks' raster operations on pixels: what each shape covers, that
// inverting twice gives the picture back, and the NOT-XOR mix of a dotted pen.
#include "editor/raster_mix.h"

#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <string>
#include <vector>

namespace orvanel::test {
namespace {

class Picture {
public:
    Picture(int width, int height, IntPoint origin = {}, Colour fill = 0xFFFFFF)
        : m_bytes(static_cast<std::size_t>(width * height * 3)),
          m_width(width),
          m_height(height),
          m_origin(origin) {
        for (std::size_t i = 0; i < m_bytes.size(); i += 3) {
            m_bytes[i] = RedOf(fill);
            m_bytes[i + 1] = GreenOf(fill);
            m_bytes[i + 2] = BlueOf(fill);
        }
    }
    RgbPicture Get() { return {m_bytes, m_width, m_height, m_origin}; }
    Colour At(int x, int y) const {
        const std::size_t i = static_cast<std::size_t>((y * m_width + x) * 3);
        return Rgb(m_bytes[i], m_bytes[i + 1], m_bytes[i + 2]);
    }
    // 'X' black, '.' white, '?' anything else; one string per row.
    std::vector<std::string> Rows() const {
        std::vector<std::string> rows;
        for (int y = 0; y < m_height; ++y) {
            std::string row;
            for (int x = 0; x < m_width; ++x) {
                const Colour c = At(x, y);
                row += c == 0x000000 ? 'X' : c == 0xFFFFFF ? '.' : '?';
            }
            rows.push_back(row);
        }
        return rows;
    }
    int Count(Colour c) const {
        int n = 0;
        for (int y = 0; y < m_height; ++y)
            for (int x = 0; x < m_width; ++x) n += At(x, y) == c;
        return n;
    }
    const std::vector<std::uint8_t>& Bytes() const { return m_bytes; }

private:
    std::vector<std::uint8_t> m_bytes;
    int m_width, m_height;
    IntPoint m_origin;
};

constexpr Pen kDotPen{PenStyle::Dot, 1, 0x000000};

TEST(RasterMixTest, EveryShapeInvertedTwiceGivesThePictureBack) {
    const std::vector<std::pair<const char*, std::function<void(const RgbPicture&, MixMode)>>>
        shapes = {
            {"line",
             [](const RgbPicture& p, MixMode m) {
                 MixLine(p, {m, {PenStyle::Solid, 3, 0}, kBlackBrush}, {1, 2}, {17, 9});
             }},
            {"disc",
             [](const RgbPicture& p, MixMode m) {
                 MixEllipse(p, {m, kNullPen, kBlackBrush}, {2, 2, 12, 12});
             }},
            {"outlined disc",
             [](const RgbPicture& p, MixMode m) {
                 MixEllipse(p, {m, kBlackPen, {false, 0x00FF00}}, {4, 1, 16, 11});
             }},
            {"dotted band",
             [](const RgbPicture& p, MixMode m) {
                 MixRectangle(p, {m, kDotPen, kHollowBrush}, {18, 11, 1, 1});
             }},
            {"fill",
             [](const RgbPicture& p, MixMode m) {
                 MixFill(p, m, {3, 3, 9, 7}, 0);
             }},
        };
    for (const auto& [name, draw] : shapes) {
        SCOPED_TRACE(name);
        // A picture with something on it, so that inverting is seen on colours too.
        Picture picture(20, 12);
        MixFill(picture.Get(), MixMode::Copy, {0, 0, 10, 12}, Rgb(0, 255, 128));
        const std::vector<std::uint8_t> before = picture.Bytes();
        for (MixMode mode : {MixMode::Invert, MixMode::NotXorPen}) {
            draw(picture.Get(), mode);
            EXPECT_NE(picture.Bytes(), before);
            draw(picture.Get(), mode);
            EXPECT_EQ(picture.Bytes(), before);
        }
    }
}

TEST(RasterMixTest, TheDottedBandInvertsItsDotsAndLeavesItsGapsOnWhite) {
    Picture picture(8, 6, {100, 200});
    // Corners given the other way round, as a band dragged up and left.
    MixRectangle(picture.Get(), {MixMode::NotXorPen, kDotPen, kHollowBrush, 0xFFFFFF},
                 {107, 204, 101, 200});
    EXPECT_EQ(picture.Rows(), (std::vector<std::string>{".XX..XX.",  //
                                                        "........",  //
                                                        "........",  //
                                                        ".XX..XX.",  //
                                                        "........",  //
                                                        "........"}));
    // On a black background the gaps invert as well: the whole edge turns.
    Picture dark(8, 6, {100, 200});
    MixRectangle(dark.Get(), {MixMode::NotXorPen, kDotPen, kHollowBrush, 0x000000},
                 {101, 200, 107, 204});
    EXPECT_EQ(dark.Count(0x000000), 16);
}

TEST(RasterMixTest, ARectangleNarrowerThanItsPenIsAllEdgeAndInvertedOnce) {
    for (const int width : {1, 2, 3, 5}) {
        SCOPED_TRACE(width);
        Picture picture(8, 8);
        MixRectangle(picture.Get(), {MixMode::Invert, {PenStyle::Solid, 2, 0}, kBlackBrush},
                     {1, 1, 1 + width, 7});
        EXPECT_EQ(picture.Count(0x000000), width * 6);
    }
}

TEST(RasterMixTest, NotXorWithABlackPenInvertsAndWithAWhiteOneLeavesAlone) {
    Picture picture(4, 1, {}, Rgb(0, 255, 128));
    MixLine(picture.Get(), {MixMode::NotXorPen, kBlackPen, kHollowBrush}, {0, 0}, {2, 0});
    MixLine(picture.Get(), {MixMode::NotXorPen, kWhitePen, kHollowBrush}, {2, 0}, {4, 0});
    EXPECT_EQ(picture.At(0, 0), Rgb(255, 0, 127));
    EXPECT_EQ(picture.At(1, 0), Rgb(255, 0, 127));
    EXPECT_EQ(picture.At(2, 0), Rgb(0, 255, 128));
    EXPECT_EQ(picture.At(3, 0), Rgb(0, 255, 128));
}

TEST(RasterMixTest, ADiscCoversThePixelsWhoseCentresLieInside) {
    Picture picture(12, 12);
    MixEllipse(picture.Get(), {MixMode::Invert, kNullPen, kBlackBrush}, {2, 2, 10, 10});
    // Radius 4: 13 pixel centres in each quarter.
    EXPECT_EQ(picture.Count(0x000000), 52);
    EXPECT_EQ(picture.Rows()[6], "..XXXXXXXX..");
    EXPECT_EQ(picture.Rows()[2], "....XXXX....");
    // An outline only: the edge turns, the inside stays.
    Picture ring(12, 12);
    MixEllipse(ring.Get(), {MixMode::NotXorPen, kBlackPen, kHollowBrush}, {2, 2, 10, 10});
    EXPECT_EQ(ring.At(6, 6), 0xFFFFFFu);
    EXPECT_EQ(ring.At(2, 6), 0x000000u);
    EXPECT_EQ(ring.Count(0x000000), 52 - 32);  // radius 4 less radius 3
}

TEST(RasterMixTest, LinesLeaveOutTheirEndAndAWidePenCoversItsWidth) {
    Picture picture(8, 5);
    MixLine(picture.Get(), {MixMode::Copy, kBlackPen, kHollowBrush}, {1, 0}, {6, 0});
    MixLine(picture.Get(), {MixMode::Copy, {PenStyle::Solid, 3, 0}, kHollowBrush}, {1, 3}, {4, 3});
    MixLine(picture.Get(), {MixMode::Copy, kNullPen, kHollowBrush}, {0, 1}, {7, 1});
    EXPECT_EQ(picture.Rows(), (std::vector<std::string>{".XXXXX..",  //
                                                        "........",  //
                                                        "XXXXX...",  //
                                                        "XXXXX...",  //
                                                        "XXXXX..."}));
}

TEST(RasterMixTest, ShapesFarBeyondThePictureAreClippedWithoutWalkingThem) {
    Picture picture(10, 4, {50, 50});
    // The whole range of a coordinate: stepping it pixel by pixel would never end.
    MixLine(picture.Get(), {MixMode::Invert, kBlackPen, kHollowBrush}, {INT_MIN, 51},
            {INT_MAX, 51});
    MixRectangle(picture.Get(), {MixMode::Invert, kBlackPen, kHollowBrush},
                 {INT_MIN, INT_MIN, INT_MAX, INT_MAX});
    MixEllipse(picture.Get(), {MixMode::Invert, kNullPen, kBlackBrush}, {-40, -40, 20, 20});
    EXPECT_EQ(picture.Rows()[1], "XXXXXXXXXX");
    EXPECT_EQ(picture.Count(0x000000), 10);
}

}  // namespace
}  // namespace orvanel::test
