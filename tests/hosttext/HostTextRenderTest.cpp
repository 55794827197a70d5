#include <gtest/gtest.h>

#include <algorithm>
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

// Figures recorded on Debian 12 for one string in both orientations.
TEST(HostTextRender, RecordedSizesAndDarkPixels) {
    struct Row {
        int rotation, width, height, dark;
    };
    for (const Row& row : {Row{0, 319, 48, 1979}, Row{90, 48, 319, 1977}}) {
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
// directly against pango and cairo: weight, slant, underline, every turn,
// CJK text set in a CJK font (no unknown glyphs). Empty text leaves the whole
// frame (text + 11 by text + 10) light: a wrong translation would leave a
// black band; only 90 and 270 swap its sides.
TEST(HostTextRender, EqualsDirectRendering) {
    struct Row {
        const char *text, *font;
        bool bold, italic, underline;
        int rotation;
    };
    // clang-format off
    const Row rows[] = {
        {"Grüße 123 ABC xyz", "DejaVu Sans 24", false, false, false, 0},
        {"Grüße 123 ABC xyz", "DejaVu Sans 24", false, false, false, 90},
        {"Grüße 123 ABC xyz", "DejaVu Sans 24", false, false, true, 180},
        {"Grüße 123 ABC xyz", "DejaVu Sans 24", false, false, false, 270},
        {"Grüße 123 ABC xyz", "DejaVu Sans 24", false, false, true, 45},
        {"Bold", "DejaVu Sans 18", true, false, false, 0},
        {"Italic", "DejaVu Serif 18", false, true, false, 90},
        {"Both under", "DejaVu Sans 14", true, true, true, 270},
        {"中文标签 ABC", "WenQuanYi Micro Hei 20", false, false, true, 90},
        {"", "DejaVu Sans 16", false, false, false, 90}, {"", "DejaVu Sans 16", false, false, false, 180},
        {"", "DejaVu Sans 16", false, false, false, -90}, {"", "DejaVu Sans 16", false, false, false, 360},
    };
    // clang-format on
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
