#include <gtest/gtest.h>

#include <string>

#include "ReferenceRender.h"
#include "comm/HostText.h"

using hosttext_test::DarkPixels;
using hosttext_test::RenderReference;
using quillon::HostTextImage;
using quillon::HostTextStyle;
using quillon::RenderHostText;

namespace {

HostTextStyle Style(const std::string& font, int rotation, bool bold = false, bool italic = false,
                    bool underline = false) {
    HostTextStyle s;
    s.fontDescription = font;
    s.rotation = rotation;
    s.bold = bold;
    s.italic = italic;
    s.underline = underline;
    return s;
}

bool IsLight(const HostTextImage& img, int x, int y) {
    return ((img.raster[static_cast<size_t>(y) * img.stride + x / 8] >> (7 - x % 8)) & 1) != 0;
}

// Where the frame pixel (fx, fy) lands on the surface for each turn.
void FrameToSurface(const HostTextImage& img, int rotation, int fx, int fy, int& sx, int& sy) {
    const int W = img.geometry.frameWidth, H = img.geometry.frameHeight;
    switch (rotation) {
        case 90:
            sx = H - 1 - fy, sy = fx;
            break;
        case 180:
            sx = W - 1 - fx, sy = H - 1 - fy;
            break;
        case 270:
            sx = fy, sy = W - 1 - fx;
            break;
        default:
            sx = fx, sy = fy;
            break;
    }
}

// Figures recorded on Debian 12 for one string in both orientations.
TEST(HostTextRender, RecordedSizesAndDarkPixels) {
    struct Row {
        int rotation;
        int width, height, dark;
    };
    const Row rows[] = {{0, 319, 48, 1979}, {90, 48, 319, 1977}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.rotation);
        HostTextImage img;
        ASSERT_TRUE(RenderHostText("Grüße 123 ABC xyz", Style("DejaVu Sans 24", row.rotation), img));
        EXPECT_EQ(img.geometry.surfaceWidth, row.width);
        EXPECT_EQ(img.geometry.surfaceHeight, row.height);
        EXPECT_EQ(img.stride, (row.width + 7) / 8);
        EXPECT_EQ(DarkPixels(img.raster.get(), img.stride, row.width, row.height), row.dark);
    }
}

// The library's raster must equal, byte for byte, a rendering written
// directly against pango and cairo: weight, slant, underline, every turn.
TEST(HostTextRender, EqualsDirectRendering) {
    struct Row {
        const char* text;
        const char* font;
        bool bold, italic, underline;
        int rotation;
    };
    const Row rows[] = {
        {"Grüße 123 ABC xyz", "DejaVu Sans 24", false, false, false, 0},
        {"Grüße 123 ABC xyz", "DejaVu Sans 24", false, false, false, 90},
        {"Grüße 123 ABC xyz", "DejaVu Sans 24", false, false, false, 180},
        {"Grüße 123 ABC xyz", "DejaVu Sans 24", false, false, false, 270},
        {"Grüße 123 ABC xyz", "DejaVu Sans 24", false, false, false, 45},
        {"Bold", "DejaVu Sans 18", true, false, false, 0},
        {"Italic", "DejaVu Serif 18", false, true, false, 90},
        {"Both under", "DejaVu Sans 14", true, true, true, 270},
        {"jy_ under", "DejaVu Sans Mono 11", false, false, true, 180},
        {"中文标签 ABC", "WenQuanYi Micro Hei 20", false, false, false, 0},
        {"中文标签", "WenQuanYi Micro Hei 20", false, false, true, 90},
        {"", "DejaVu Sans 12", false, false, false, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.text) + " / " + row.font + " / " + std::to_string(row.rotation));
        HostTextImage img;
        ASSERT_TRUE(RenderHostText(row.text,
                                   Style(row.font, row.rotation, row.bold, row.italic, row.underline), img));
        auto ref = RenderReference(row.text, row.font, row.bold, row.italic, row.underline, row.rotation);
        EXPECT_EQ(ref.unknownGlyphs, 0);
        ASSERT_EQ(img.geometry.surfaceWidth, ref.width);
        ASSERT_EQ(img.geometry.surfaceHeight, ref.height);
        ASSERT_EQ(img.stride, ref.stride);
        EXPECT_TRUE(std::equal(ref.bits.begin(), ref.bits.end(), img.raster.get()));
    }
}

TEST(HostTextRender, CjkTextIsSetInTheCjkFont) {
    HostTextImage img;
    ASSERT_TRUE(RenderHostText("中文", Style("WenQuanYi Micro Hei 24", 0), img));
    // Two full-width glyphs of 32 pixels (24 pt at 96 dpi), not hex boxes.
    EXPECT_EQ(img.geometry.textWidth, 64);
    EXPECT_GT(DarkPixels(img.raster.get(), img.stride, img.geometry.surfaceWidth, img.geometry.surfaceHeight),
              200);
    EXPECT_EQ(RenderReference("中文", "WenQuanYi Micro Hei 24", false, false, false, 0).unknownGlyphs, 0);
}

// Frame, surface and the white field for every turn: an empty text leaves
// the whole surface light; a wrong translation would leave a black band.
TEST(HostTextRender, FrameAndSurfaceForEveryTurn) {
    struct Row {
        int rotation;
        bool swapped;
    };
    const Row rows[] = {{0, false},  {90, true},   {180, false}, {270, true},
                        {45, false}, {-90, false}, {360, false}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.rotation);
        HostTextImage img;
        ASSERT_TRUE(RenderHostText("", Style("DejaVu Sans 16", row.rotation), img));
        const auto& g = img.geometry;
        EXPECT_EQ(g.textWidth, 0);
        EXPECT_GT(g.textHeight, 0);
        EXPECT_EQ(g.frameWidth, g.textWidth + 11);
        EXPECT_EQ(g.frameHeight, g.textHeight + 10);
        EXPECT_EQ(g.surfaceWidth, row.swapped ? g.frameHeight : g.frameWidth);
        EXPECT_EQ(g.surfaceHeight, row.swapped ? g.frameWidth : g.frameHeight);
        EXPECT_EQ(DarkPixels(img.raster.get(), img.stride, g.surfaceWidth, g.surfaceHeight), 0);
    }
}

// The underline is a 3-pixel stroke from (5, h + 6) to (w + 5, h + 6) in the
// frame, turned with it.
TEST(HostTextRender, UnderlineFollowsTheFrame) {
    for (int rotation : {0, 90, 180, 270, 45}) {
        SCOPED_TRACE(rotation);
        HostTextImage img;
        ASSERT_TRUE(RenderHostText("Under", Style("DejaVu Sans 16", rotation, false, false, true), img));
        const int w = img.geometry.textWidth, h = img.geometry.textHeight;
        int sx = 0, sy = 0;
        for (int fy : {h + 5, h + 6}) {
            for (int fx = 0; fx < img.geometry.frameWidth; ++fx) {
                FrameToSurface(img, rotation, fx, fy, sx, sy);
                const bool onLine = fx >= 5 && fx <= w + 4;
                EXPECT_EQ(IsLight(img, sx, sy), !onLine) << "frame " << fx << "," << fy;
            }
        }
        for (int fy : {h + 8, h + 9}) {
            FrameToSurface(img, rotation, 5, fy, sx, sy);
            EXPECT_TRUE(IsLight(img, sx, sy));
        }
    }
}

TEST(HostTextRender, FrameBeyondSurfaceLimitsFails) {
    for (int rotation : {0, 90}) {
        SCOPED_TRACE(rotation);
        HostTextImage img;
        // About 52,000 pixels: beyond the 32,767 cairo allows in either direction.
        EXPECT_FALSE(RenderHostText(std::string(2000, 'W'), Style("DejaVu Sans 20", rotation), img));
        EXPECT_EQ(img.raster, nullptr);
        EXPECT_EQ(img.surface, nullptr);
    }
}

}  // namespace
