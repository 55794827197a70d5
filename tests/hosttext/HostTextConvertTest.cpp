// Conversions from the caller's text to the printer's dots, at the
// boundaries no download's rendered text reaches.
#include <gtest/gtest.h>

#include <cstdint>

#include "comm/HostText.h"

using namespace quillon;

namespace {

// The fourth byte below 128 makes the pixel light whatever its colour;
// otherwise the integer mean of the three colours decides. Bit order and row
// padding are pinned by the golden rasters.
TEST(ConvertTo1BitBitmap, PixelRules) {
    struct Row {
        unsigned char b, g, r, a;  // as the pixel lies in memory
        bool light;
    };
    // clang-format off
    const Row rows[] = {
        {0, 0, 0, 127, true},    {0, 0, 0, 128, false},     {127, 128, 129, 255, true},
        {127, 127, 128, 255, false}, {255, 128, 0, 200, false}, {255, 129, 0, 200, true},
    };
    // clang-format on
    for (const Row& row : rows) {
        unsigned char data[4] = {row.b, row.g, row.r, row.a};
        cairo_surface_t* s = cairo_image_surface_create_for_data(data, CAIRO_FORMAT_ARGB32, 1, 1, 4);
        int outStride = 0;
        auto bits = ConvertTo1BitBitmap(s, 1, 1, outStride);
        cairo_surface_destroy(s);
        ASSERT_NE(bits, nullptr);
        EXPECT_EQ(bits[0], row.light ? 0x80 : 0x00)
            << +row.b << "," << +row.g << "," << +row.r << "," << +row.a;
    }
}

TEST(ConvertTo1BitBitmap, RefusesWhatItCannotRead) {
    int stride = -1;
    EXPECT_EQ(ConvertTo1BitBitmap(nullptr, 8, 8, stride), nullptr);
    EXPECT_EQ(stride, 1);
    cairo_surface_t* alphaOnly = cairo_image_surface_create(CAIRO_FORMAT_A8, 8, 8);
    EXPECT_EQ(ConvertTo1BitBitmap(alphaOnly, 8, 8, stride), nullptr);
    cairo_surface_destroy(alphaOnly);
    cairo_surface_t* small = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 8, 8);
    EXPECT_EQ(ConvertTo1BitBitmap(small, 9, 8, stride), nullptr);
    EXPECT_EQ(ConvertTo1BitBitmap(small, 8, 9, stride), nullptr);
    EXPECT_NE(ConvertTo1BitBitmap(small, 8, 8, stride), nullptr);
    cairo_surface_destroy(small);
}

// Each encoding length at both of its ends; surrogates and values beyond
// Unicode have none.
TEST(ConvertToUtf8, EncodesEveryRange) {
    // clang-format off
    const std::pair<std::wstring, std::string> rows[] = {
        {std::wstring(1, L'\0') + L"A", std::string("\0A", 2)},
        {L"\u007F\u0080", "\x7F\xC2\x80"},
        {L"\u07FF\u0800", "\xDF\xBF\xE0\xA0\x80"},
        {L"\uD7FF\uE000\uFFFF", "\xED\x9F\xBF\xEE\x80\x80\xEF\xBF\xBF"},
        {L"\U00010000\U0010FFFF", "\xF0\x90\x80\x80\xF4\x8F\xBF\xBF"},
    };
    // clang-format on
    for (const auto& [in, out] : rows) EXPECT_EQ(ConvertToUtf8(in), out);
    for (std::uint32_t cp : {0xD800u, 0xDFFFu, 0x110000u, 0xFFFFFFFFu})
        EXPECT_THROW(ConvertToUtf8(std::wstring(1, static_cast<wchar_t>(cp))), std::range_error) << cp;
}

// What a download reads back must be a file: no name, a directory or a
// missing file is refused (the file itself is read by the ORLO download).
TEST(ReadFileToMemory, RefusesWhatIsNotAFile) {
    std::vector<unsigned char> data;
    size_t size = 0;
    for (const char* name : {static_cast<const char*>(nullptr), "/", "/nonexistent"})
        EXPECT_FALSE(quillon::ReadFileToMemory(name, data, size)) << (name ? name : "null");
}

}  // namespace
