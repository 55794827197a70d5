// Host-text rasters against golden files, which hold for the Debian 12
// rasteriser and the fonts of scripts/install-deps.sh (QUILLON_UPDATE_GOLDEN=1
// rewrites them), and the frame's size and turns for any text.

#include <cstdio>
#include <cstdlib>

#include "HostTextSupport.h"

namespace {

using hosttext_test::Style;
using namespace quillon;

const char* const kText = "Grüße 123 ABC xyz";

bool Dark(const HostTextImage& img, int x, int y) {
    return ((img.raster[static_cast<size_t>(y * img.stride + x / 8)] >> (7 - x % 8)) & 1) == 0;
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

// The frame is the text's size plus 11 by 10. Angles other than the right
// ones draw the text unturned; a half turn flips the raster (the rasteriser
// may round a few edge pixels differently), where a wrong turn would leave
// most of the text elsewhere. The quarter turns are in the golden rasters.
TEST(HostTextRender, FrameAndTurns) {
    HostTextImage up, down, odd;
    ASSERT_TRUE(RenderHostText(kText, Style("DejaVu Sans 24", 0), up));
    ASSERT_TRUE(RenderHostText(kText, Style("DejaVu Sans 24", 180), down));
    ASSERT_TRUE(RenderHostText(kText, Style("DejaVu Sans 24", 45), odd));
    const int w = up.geometry.surfaceWidth, h = up.geometry.surfaceHeight;
    EXPECT_EQ(w, up.geometry.textWidth + 11);
    EXPECT_EQ(h, up.geometry.textHeight + 10);
    EXPECT_EQ(Hex(odd), Hex(up));
    int differ = 0, dark = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            differ += Dark(up, x, y) != Dark(down, w - 1 - x, h - 1 - y);
            dark += Dark(up, x, y);
        }
    EXPECT_LE(differ, 16);
    EXPECT_GT(dark, 1000);
}

}  // namespace
