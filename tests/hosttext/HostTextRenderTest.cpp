// Host-text rasters: three against golden files, and the rules of the frame
// for any text: its size, the quarter turns that swap its sides, the half
// turn that flips it, the underline row. The golden rasters hold for the
// Debian 12 rasteriser and fonts that scripts/install-deps.sh installs;
// QUILLON_UPDATE_GOLDEN=1 rewrites them.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "HostTextSupport.h"

namespace {

using hosttext_test::Style;
using quillon::HostTextImage;
using quillon::RenderHostText;

const char* const kText = "Grüße 123 ABC xyz";

bool Dark(const HostTextImage& img, int x, int y) {
    return ((img.raster[static_cast<size_t>(y * img.stride + x / 8)] >> (7 - x % 8)) & 1) == 0;
}

int DarkPixels(const HostTextImage& img, int y0, int y1) {
    int dark = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = 0; x < img.geometry.surfaceWidth; ++x) dark += Dark(img, x, y);
    return dark;
}

// One raster row per line, in hexadecimal.
std::string Hex(const HostTextImage& img) {
    std::string out;
    char byte[3];
    for (int y = 0; y < img.geometry.surfaceHeight; ++y, out += '\n')
        for (int i = 0; i < img.stride; ++i) {
            std::snprintf(byte, sizeof byte, "%02x", img.raster[static_cast<size_t>(y * img.stride + i)]);
            out += byte;
        }
    return out;
}

TEST(HostTextRender, GoldenRasters) {
    struct Row {
        const char *file, *text, *font;
        int style, rotation;
        bool underline;
    };
    const Row rows[] = {
        {"dejavu-0.txt", kText, "DejaVu Sans 24", 0, 0, false},
        {"dejavu-90.txt", kText, "DejaVu Sans 24", 0, 90, false},
        {"cjk-270-bold-italic-underline.txt", "中文标签 ABC", "WenQuanYi Micro Hei 20", 3, 270, true},
    };
    for (const Row& row : rows) {
        HostTextImage img;
        ASSERT_TRUE(RenderHostText(row.text, Style(row.font, row.rotation, row.style, row.underline), img));
        const std::string path = std::string(QUILLON_TEST_DATA_DIR) + "/golden/" + row.file;
        if (const char* update = std::getenv("QUILLON_UPDATE_GOLDEN"); update && std::string(update) == "1")
            std::ofstream(path) << Hex(img);
        EXPECT_EQ(Hex(img), hosttext_test::ReadFile(path)) << row.file;
    }
}

// The frame is the text's size plus 11 by 10; the quarter turns swap its
// sides, every other angle draws it unturned. Empty text leaves it light.
TEST(HostTextRender, FrameSizes) {
    HostTextImage plain;
    ASSERT_TRUE(RenderHostText(kText, Style("DejaVu Sans 24", 0), plain));
    const int w = plain.geometry.textWidth + 11, h = plain.geometry.textHeight + 10;
    EXPECT_EQ(plain.geometry.surfaceWidth, w);
    EXPECT_EQ(plain.geometry.surfaceHeight, h);
    for (int rotation : {90, 270, 180, 45, -90, 360}) {
        HostTextImage img, empty;
        ASSERT_TRUE(RenderHostText(kText, Style("DejaVu Sans 24", rotation), img));
        const bool quarter = rotation == 90 || rotation == 270;
        EXPECT_EQ(img.geometry.surfaceWidth, quarter ? h : w) << rotation;
        EXPECT_EQ(img.geometry.surfaceHeight, quarter ? w : h) << rotation;
        EXPECT_EQ(img.stride, (img.geometry.surfaceWidth + 7) / 8);
        ASSERT_TRUE(RenderHostText("", Style("DejaVu Sans 16", rotation), empty));
        EXPECT_EQ(DarkPixels(empty, 0, empty.geometry.surfaceHeight), 0) << rotation;
    }
}

// A half turn flips the raster (the rasteriser may round a few edge pixels
// differently); a wrong turn would leave most of the text elsewhere.
TEST(HostTextRender, HalfTurnFlips) {
    HostTextImage up, down;
    ASSERT_TRUE(RenderHostText(kText, Style("DejaVu Sans 24", 0), up));
    ASSERT_TRUE(RenderHostText(kText, Style("DejaVu Sans 24", 180), down));
    const int w = up.geometry.surfaceWidth, h = up.geometry.surfaceHeight;
    int differ = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) differ += Dark(up, x, y) != Dark(down, w - 1 - x, h - 1 - y);
    EXPECT_LE(differ, 16);
    EXPECT_GT(DarkPixels(up, 0, h), 1000);
}

// The underline is three dots thick at the text's height plus 6, from x 5
// for the text's width; without it those rows hold nothing of this text.
TEST(HostTextRender, UnderlineRows) {
    HostTextImage plain, underlined;
    ASSERT_TRUE(RenderHostText(kText, Style("DejaVu Sans 24", 0), plain));
    ASSERT_TRUE(RenderHostText(kText, Style("DejaVu Sans 24", 0, 0, true), underlined));
    const int w = plain.geometry.textWidth, h = plain.geometry.textHeight;
    for (int x = 0; x < underlined.geometry.surfaceWidth; ++x)
        EXPECT_EQ(Dark(underlined, x, h + 6), x >= 5 && x < w + 5) << x;
    EXPECT_EQ(DarkPixels(plain, h + 4, h + 8), 0);
    EXPECT_EQ(DarkPixels(underlined, h + 4, h + 8), 4 * w);
    EXPECT_EQ(DarkPixels(underlined, 0, h + 4), DarkPixels(plain, 0, h + 4));
}

TEST(HostTextRender, FrameBeyondSurfaceLimitsFails) {
    for (int rotation : {0, 90}) {
        HostTextImage img;
        // About 52,000 pixels: beyond the 32,767 cairo allows in either direction.
        EXPECT_FALSE(RenderHostText(std::string(2000, 'W'), Style("DejaVu Sans 20", rotation), img));
        EXPECT_EQ(img.raster, nullptr);
        EXPECT_EQ(img.surface, nullptr);
    }
}

}  // namespace
