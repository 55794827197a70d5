#include <gtest/gtest.h>

#include <cairo.h>

#include <clocale>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "comm/HostText.h"

using quillon::ConvertTo1BitBitmap;
using quillon::ConvertToUtf8;
using quillon::ConvertToWideString;
using quillon::ReadFileToMemory;

namespace {

// One pixel as it lies in memory: blue, green, red, fourth byte.
struct Pixel {
    unsigned char b, g, r, a;
};

// Threshold rules: the fourth byte below 128 makes the pixel light whatever
// its colour; otherwise the integer mean of the three colours decides.
TEST(ConvertTo1BitBitmap, PixelRules) {
    struct Row {
        Pixel px;
        bool light;
    };
    const Row rows[] = {
        {{0, 0, 0, 255}, false},     {{255, 255, 255, 255}, true}, {{0, 0, 0, 127}, true},
        {{0, 0, 0, 128}, false},     {{127, 128, 129, 255}, true}, {{127, 127, 128, 255}, false},
        {{255, 128, 0, 200}, false}, {{255, 129, 0, 200}, true},   {{0, 0, 0, 0}, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::to_string(row.px.b) + "," + std::to_string(row.px.g) + "," +
                     std::to_string(row.px.r) + "," + std::to_string(row.px.a));
        const int stride = cairo_format_stride_for_width(CAIRO_FORMAT_ARGB32, 1);
        std::vector<unsigned char> data(static_cast<size_t>(stride), 0);
        data[0] = row.px.b, data[1] = row.px.g, data[2] = row.px.r, data[3] = row.px.a;
        cairo_surface_t* s =
            cairo_image_surface_create_for_data(data.data(), CAIRO_FORMAT_ARGB32, 1, 1, stride);
        int outStride = 0;
        auto bits = ConvertTo1BitBitmap(s, 1, 1, outStride);
        cairo_surface_destroy(s);
        ASSERT_NE(bits, nullptr);
        EXPECT_EQ(outStride, 1);
        EXPECT_EQ(bits[0], row.light ? 0x80 : 0x00);
    }
}

// Bit order across bytes and rows, with padding bits left 0, for a width
// that is not a multiple of 8.
TEST(ConvertTo1BitBitmap, BitOrderAndPadding) {
    const int width = 11, height = 2;
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
    unsigned char* data = cairo_image_surface_get_data(s);
    const int stride = cairo_image_surface_get_stride(s);
    // Row 0 light at x = 0, 7, 8, 10; row 1 light at x = 1 only.
    const std::vector<std::vector<int>> light = {{0, 7, 8, 10}, {1}};
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            unsigned char* px = data + y * stride + x * 4;
            px[0] = px[1] = px[2] = 0;
            px[3] = 0xff;
        }
        for (int x : light[static_cast<size_t>(y)]) {
            unsigned char* px = data + y * stride + x * 4;
            px[0] = px[1] = px[2] = 0xff;
        }
    }
    cairo_surface_mark_dirty(s);
    int outStride = 0;
    auto bits = ConvertTo1BitBitmap(s, width, height, outStride);
    cairo_surface_destroy(s);
    ASSERT_NE(bits, nullptr);
    ASSERT_EQ(outStride, 2);
    EXPECT_EQ(bits[0], 0x81);
    EXPECT_EQ(bits[1], 0xA0);
    EXPECT_EQ(bits[2], 0x40);
    EXPECT_EQ(bits[3], 0x00);
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

class LocaleGuard {
  public:
    explicit LocaleGuard(const char* name) : _saved(std::setlocale(LC_ALL, nullptr)) {
        _ok = std::setlocale(LC_ALL, name) != nullptr;
    }
    ~LocaleGuard() { std::setlocale(LC_ALL, _saved.c_str()); }
    bool ok() const { return _ok; }

  private:
    std::string _saved;
    bool _ok = false;
};

TEST(ConvertToWideString, FollowsTheCurrentLocale) {
    LocaleGuard utf8("C.UTF-8");
    ASSERT_TRUE(utf8.ok());
    struct Row {
        const char* in;
        std::wstring out;
    };
    const Row rows[] = {
        {"", L""},
        {"ABC", L"ABC"},
        {"Gr\xC3\xBC\xC3\x9F"
         "e",
         L"Gr\u00FC\u00DFe"},
        {"\xE4\xB8\xAD\xE6\x96\x87", L"\u4E2D\u6587"},
        {"\xF0\x9F\x98\x80!", L"\U0001F600!"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.in);
        const std::wstring got = ConvertToWideString(row.in);
        EXPECT_EQ(got, row.out);
        EXPECT_EQ(got.size(), row.out.size());
    }
}

TEST(ConvertToWideString, UnconvertibleTextThrows) {
    struct Row {
        const char* locale;
        const char* in;
    };
    const Row rows[] = {
        {"C.UTF-8", "\xC3"},  // truncated sequence
        {"C.UTF-8",
         "ab\xFF"
         "cd"},                       // byte that never starts a character
        {"C.UTF-8", "\xED\xA0\x80"},  // encoded surrogate
        {"C",
         "Gr\xC3\xBC\xC3\x9F"
         "e"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.locale) + " " + row.in);
        LocaleGuard guard(row.locale);
        ASSERT_TRUE(guard.ok());
        try {
            ConvertToWideString(row.in);
            ADD_FAILURE() << "no exception";
        } catch (const std::runtime_error& e) {
            EXPECT_STREQ(e.what(), "Conversion failed");
        }
    }
}

TEST(ConvertToUtf8, EncodesEveryRange) {
    struct Row {
        std::wstring in;
        std::string out;
    };
    const Row rows[] = {
        {L"", ""},
        {std::wstring(1, L'\0') + L"A", std::string("\0A", 2)},
        {L"\u007F\u0080", "\x7F\xC2\x80"},
        {L"\u07FF\u0800", "\xDF\xBF\xE0\xA0\x80"},
        {L"\uD7FF\uE000\uFFFF", "\xED\x9F\xBF\xEE\x80\x80\xEF\xBF\xBF"},
        {L"\U00010000\U0010FFFF", "\xF0\x90\x80\x80\xF4\x8F\xBF\xBF"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.out);
        EXPECT_EQ(ConvertToUtf8(row.in), row.out);
    }
}

TEST(ConvertToUtf8, RejectsValuesThatAreNotCharacters) {
    for (std::uint32_t cp : {0xD800u, 0xDFFFu, 0x110000u, 0xFFFFFFFFu}) {
        SCOPED_TRACE(cp);
        const std::wstring in(1, static_cast<wchar_t>(cp));
        EXPECT_THROW(ConvertToUtf8(in), std::range_error);
    }
}

class ReadFileToMemoryTest : public ::testing::Test {
  protected:
    void SetUp() override {
        _dir = std::filesystem::temp_directory_path() /
               ("quillon-readfile-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                "-" + std::to_string(reinterpret_cast<std::uintptr_t>(this)));
        std::filesystem::create_directories(_dir);
    }
    void TearDown() override { std::filesystem::remove_all(_dir); }
    std::string Write(const std::string& name, const std::string& bytes) {
        const auto path = (_dir / name).string();
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }
    std::filesystem::path _dir;
};

TEST_F(ReadFileToMemoryTest, ReadsEveryByte) {
    const std::string bytes("\x89PNG\r\n\x1A\n\0\0\0\rIHDR\xFF", 17);
    std::vector<unsigned char> data{1, 2, 3};
    size_t size = 99;
    ASSERT_TRUE(ReadFileToMemory(Write("a.png", bytes).c_str(), data, size));
    EXPECT_EQ(size, 17u);
    EXPECT_EQ(std::string(data.begin(), data.end()), bytes);

    ASSERT_TRUE(ReadFileToMemory(Write("empty", "").c_str(), data, size));
    EXPECT_EQ(size, 0u);
    EXPECT_TRUE(data.empty());
}

TEST_F(ReadFileToMemoryTest, FailsOnWhatCannotBeRead) {
    std::vector<unsigned char> data;
    size_t size = 7;
    EXPECT_FALSE(ReadFileToMemory((_dir / "missing").c_str(), data, size));
    EXPECT_FALSE(ReadFileToMemory(_dir.c_str(), data, size));
    EXPECT_FALSE(ReadFileToMemory(nullptr, data, size));
    EXPECT_EQ(size, 7u);
}

}  // namespace
