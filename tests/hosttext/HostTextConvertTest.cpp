#include <gtest/gtest.h>

#include <cairo.h>

#include <unistd.h>

#include <clocale>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "HostTextSupport.h"
#include "comm/HostText.h"

using hosttext_test::LocaleGuard;
using quillon::ConvertTo1BitBitmap;
using quillon::ConvertToUtf8;
using quillon::ConvertToWideString;
using quillon::ReadFileToMemory;

namespace {

// Threshold rules: the fourth byte below 128 makes the pixel light whatever
// its colour; otherwise the integer mean of the three colours decides. Bit
// order and row padding are pinned by the golden rasters.
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
        SCOPED_TRACE(std::to_string(row.b) + "," + std::to_string(row.g) + "," + std::to_string(row.r) + "," +
                     std::to_string(row.a));
        unsigned char data[4] = {row.b, row.g, row.r, row.a};
        cairo_surface_t* s = cairo_image_surface_create_for_data(data, CAIRO_FORMAT_ARGB32, 1, 1, 4);
        int outStride = 0;
        auto bits = ConvertTo1BitBitmap(s, 1, 1, outStride);
        cairo_surface_destroy(s);
        ASSERT_NE(bits, nullptr);
        EXPECT_EQ(outStride, 1);
        EXPECT_EQ(bits[0], row.light ? 0x80 : 0x00);
    }
}

TEST(ConvertTo1BitBitmap, RefusesWhatItCannotRead) {
    int stride = -1;
    EXPECT_EQ(ConvertTo1BitBitmap(nullptr, 8, 8, stride), nullptr);
    EXPECT_EQ(stride, 1);
    cairo_surface_t* tooLarge = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 40000, 2);
    ASSERT_NE(cairo_surface_status(tooLarge), CAIRO_STATUS_SUCCESS);
    EXPECT_EQ(ConvertTo1BitBitmap(tooLarge, 40000, 2, stride), nullptr);
    cairo_surface_destroy(tooLarge);
    cairo_surface_t* alphaOnly = cairo_image_surface_create(CAIRO_FORMAT_A8, 8, 8);
    EXPECT_EQ(ConvertTo1BitBitmap(alphaOnly, 8, 8, stride), nullptr);
    cairo_surface_destroy(alphaOnly);
    cairo_surface_t* small = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 8, 8);
    EXPECT_EQ(ConvertTo1BitBitmap(small, 9, 8, stride), nullptr);
    EXPECT_EQ(ConvertTo1BitBitmap(small, 8, 9, stride), nullptr);
    EXPECT_NE(ConvertTo1BitBitmap(small, 8, 8, stride), nullptr);
    cairo_surface_destroy(small);
}

// Multibyte text follows the current locale; what it cannot convert throws.
TEST(ConvertToWideString, FollowsTheCurrentLocale) {
    struct Row {
        const char *locale, *in;
        const wchar_t* out;  // null: "Conversion failed"
    };
    // clang-format off
    const Row rows[] = {
        {"C.UTF-8", "", L""},
        {"C.UTF-8", "Gr\303\274\303\237e", L"Gr\u00FC\u00DFe"},
        {"C.UTF-8", "\xE4\xB8\xAD\xE6\x96\x87", L"\u4E2D\u6587"},
        {"C.UTF-8", "\xF0\x9F\x98\x80!", L"\U0001F600!"},
        {"C.UTF-8", "\xC3", nullptr},       // truncated sequence
        {"C.UTF-8", "ab\377cd", nullptr},   // byte that never starts a character
        {"C", "Gr\303\274\303\237e", nullptr},  // not ASCII in the C locale
    };
    // clang-format on
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.locale) + " " + row.in);
        LocaleGuard guard(row.locale);
        ASSERT_TRUE(guard.ok);
        try {
            EXPECT_EQ(ConvertToWideString(row.in), row.out ? row.out : L"(throws)");
        } catch (const std::runtime_error& e) {
            EXPECT_EQ(row.out, nullptr);
            EXPECT_STREQ(e.what(), "Conversion failed");
        }
    }
}

TEST(ConvertToUtf8, EncodesEveryRange) {
    struct Row {
        std::wstring in;
        std::string out;
    };
    // clang-format off
    const Row rows[] = {
        {L"", ""},
        {std::wstring(1, L'\0') + L"A", std::string("\0A", 2)},
        {L"\u007F\u0080", "\x7F\xC2\x80"},
        {L"\u07FF\u0800", "\xDF\xBF\xE0\xA0\x80"},
        {L"\uD7FF\uE000\uFFFF", "\xED\x9F\xBF\xEE\x80\x80\xEF\xBF\xBF"},
        {L"\U00010000\U0010FFFF", "\xF0\x90\x80\x80\xF4\x8F\xBF\xBF"},
    };
    // clang-format on
    for (const Row& row : rows) {
        SCOPED_TRACE(row.out);
        EXPECT_EQ(ConvertToUtf8(row.in), row.out);
    }
    for (std::uint32_t cp : {0xD800u, 0xDFFFu, 0x110000u, 0xFFFFFFFFu}) {
        SCOPED_TRACE(cp);
        EXPECT_THROW(ConvertToUtf8(std::wstring(1, static_cast<wchar_t>(cp))), std::range_error);
    }
}

TEST(ReadFileToMemory, ReadsEveryByteOrFails) {
    const auto dir =
        std::filesystem::temp_directory_path() / ("quillon-readfile-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const std::string bytes("\x89PNG\r\n\x1A\n\0\0\0\rIHDR\xFF", 17), full = (dir / "a.png").string(),
                                                                      empty = (dir / "empty").string();
    std::ofstream(full, std::ios::binary) << bytes;
    std::ofstream(empty, std::ios::binary).flush();
    std::vector<unsigned char> data{1, 2, 3};
    size_t size = 99;
    EXPECT_TRUE(ReadFileToMemory(full.c_str(), data, size));
    EXPECT_EQ(size, 17u);
    EXPECT_EQ(std::string(data.begin(), data.end()), bytes);
    EXPECT_TRUE(ReadFileToMemory(empty.c_str(), data, size));
    EXPECT_EQ(size, 0u);
    EXPECT_TRUE(data.empty());
    size = 7;
    EXPECT_FALSE(ReadFileToMemory((dir / "missing").c_str(), data, size));
    EXPECT_FALSE(ReadFileToMemory(dir.c_str(), data, size));
    EXPECT_FALSE(ReadFileToMemory(nullptr, data, size));
    EXPECT_EQ(size, 7u);
    std::filesystem::remove_all(dir);
}

}  // namespace
