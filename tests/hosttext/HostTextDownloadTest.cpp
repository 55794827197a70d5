#include <gtest/gtest.h>

#include <unistd.h>

#include <chrono>
#include <clocale>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

#include "ReferenceRender.h"
#include "comm/HostText.h"

using hosttext_test::ExpectedHlvRows;
using hosttext_test::RenderReference;
using quillon::HostTextDownload;
using quillon::HostTextLink;

namespace {

// What a connection saw: the bytes of each Write and when Close came.
struct Recorder {
    std::vector<std::string> writes;
    int closes = 0;
    std::chrono::steady_clock::time_point writtenAt, closedAt;

    HostTextLink Link(bool connected = true) {
        HostTextLink link;
        link.connected = connected;
        link.write = [this](const unsigned char* data, int size) {
            writes.emplace_back(reinterpret_cast<const char*>(data), static_cast<size_t>(size));
            writtenAt = std::chrono::steady_clock::now();
        };
        link.close = [this] {
            ++closes;
            closedAt = std::chrono::steady_clock::now();
        };
        return link;
    }
};

std::string ReadFile(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), {});
}

// Width and height from a PNG's IHDR chunk (big-endian at bytes 16 and 20).
bool PngSize(const std::string& png, int& width, int& height) {
    if (png.size() < 24 || png.compare(0, 8, "\x89PNG\r\n\x1A\n") != 0 || png.compare(12, 4, "IHDR") != 0)
        return false;
    auto be32 = [&](size_t at) {
        return static_cast<int>(
            (static_cast<unsigned char>(png[at]) << 24) | (static_cast<unsigned char>(png[at + 1]) << 16) |
            (static_cast<unsigned char>(png[at + 2]) << 8) | static_cast<unsigned char>(png[at + 3]));
    };
    width = be32(16);
    height = be32(20);
    return true;
}

class HostTextDownloadTest : public ::testing::Test {
  protected:
    void SetUp() override {
        _dir = std::filesystem::temp_directory_path() /
               ("quillon-hosttext-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(_dir);
        _cwd = std::filesystem::current_path();
        std::filesystem::current_path(_dir);  // HLV.png lands here
        quillon::SetDownloadSettleTime(std::chrono::milliseconds(0));
    }
    void TearDown() override {
        quillon::SetDownloadSettleTime(quillon::kDownloadSettleTime);
        std::filesystem::current_path(_cwd);
        std::filesystem::remove_all(_dir);
    }
    std::filesystem::path _dir, _cwd;
};

TEST_F(HostTextDownloadTest, RefusalsSendNothingAndKeepTheConnection) {
    const std::wstring text = L"ABC";
    char face[] = "DejaVu Sans";
    const std::string path = (_dir / "R.PNG").string();
    struct Row {
        const char* what;
        bool connected;
        const void* content;
        const char* face;
        const char* path;
        int brand;
    };
    const Row rows[] = {
        {"not connected", false, text.c_str(), face, path.c_str(), 1},
        {"null content", true, nullptr, face, path.c_str(), 1},
        {"null face", true, text.c_str(), nullptr, path.c_str(), 2},
        {"null path", true, text.c_str(), face, nullptr, 2},
        {"brand 3", true, text.c_str(), face, path.c_str(), 3},
        {"brand 0", true, text.c_str(), face, path.c_str(), 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        Recorder rec;
        EXPECT_FALSE(HostTextDownload(rec.Link(row.connected), 20, 0, 0, 0, row.face, row.content, true,
                                      static_cast<Brand>(row.brand), row.path));
        EXPECT_TRUE(rec.writes.empty());
        EXPECT_EQ(rec.closes, 0);
        EXPECT_FALSE(std::filesystem::exists(path));
        EXPECT_FALSE(std::filesystem::exists(_dir / "HLV.png"));
    }
}

// The ORLO command carries the PNG file written at the image name, exactly
// as long as it says, and the PNG has the surface's size.
TEST_F(HostTextDownloadTest, OrloSendsThePngFile) {
    struct Row {
        int rotation;
        int underline;
    };
    for (const Row& row : {Row{0, 0}, Row{90, 1}, Row{45, 0}}) {
        SCOPED_TRACE(row.rotation);
        const std::string path = (_dir / ("T" + std::to_string(row.rotation) + ".PNG")).string();
        Recorder rec;
        const std::wstring text = L"Grüße 123 ABC xyz";
        ASSERT_TRUE(HostTextDownload(rec.Link(), 24, row.rotation, 0, row.underline, "DejaVu Sans",
                                     text.c_str(), true, Brand::ORLO, path.c_str()));
        ASSERT_EQ(rec.writes.size(), 1u);
        EXPECT_EQ(rec.closes, 1);
        const std::string& cmd = rec.writes[0];
        const std::string head = "DOWNLOAD F, \"" + path + "\",";
        ASSERT_EQ(cmd.compare(0, head.size(), head), 0);
        const size_t comma = cmd.find(',', head.size());
        ASSERT_NE(comma, std::string::npos);
        const size_t size = std::stoul(cmd.substr(head.size(), comma - head.size()));
        ASSERT_EQ(cmd.size(), comma + 1 + size + 2);
        EXPECT_EQ(cmd.substr(cmd.size() - 2), "\r\n");
        const std::string png = cmd.substr(comma + 1, size);
        EXPECT_EQ(png, ReadFile(path));  // the host copy stays in place
        auto ref = RenderReference("Grüße 123 ABC xyz", "DejaVu Sans 24", false, false, row.underline != 0,
                                   row.rotation);
        int width = 0, height = 0;
        ASSERT_TRUE(PngSize(png, width, height));
        EXPECT_EQ(width, ref.width);
        EXPECT_EQ(height, ref.height);
    }
}

// The HLV command describes exactly the dark dots of an independent
// rendering, for every turn; the row width leaves out the last raster byte
// for right angles only.
TEST_F(HostTextDownloadTest, HlvDescribesTheRenderedDots) {
    struct Row {
        const char* text;
        int fontstyle, underline, rotation;
    };
    const Row rows[] = {
        {"Grüße 123 ABC xyz", 0, 0, 0},   {"Grüße 123 ABC xyz", 0, 0, 90}, {"Grüße 123 ABC xyz", 1, 0, 180},
        {"Grüße 123 ABC xyz", 2, 1, 270}, {"Grüße 123 ABC xyz", 3, 0, 45}, {"中文 label", 0, 1, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.text) + " " + std::to_string(row.rotation));
        const bool cjk = row.text[0] != 'G';
        const char* face = cjk ? "WenQuanYi Micro Hei" : "DejaVu Sans";
        Recorder rec;
        const std::string utf8 = row.text;
        std::wstring wide;
        for (size_t i = 0; i < utf8.size();) {  // small UTF-8 decoder for the fixture text
            const unsigned char c = static_cast<unsigned char>(utf8[i]);
            const int n = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
            std::uint32_t cp = n == 1 ? c : c & (0x7F >> n);
            for (int k = 1; k < n; ++k) cp = (cp << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
            wide.push_back(static_cast<wchar_t>(cp));
            i += static_cast<size_t>(n);
        }
        ASSERT_TRUE(HostTextDownload(rec.Link(), 24, row.rotation, row.fontstyle, row.underline, face,
                                     wide.c_str(), true, Brand::HLV, "LOGO1"));
        ASSERT_EQ(rec.writes.size(), 1u);
        EXPECT_EQ(rec.closes, 1);
        auto ref = RenderReference(row.text, std::string(face) + " 24", row.fontstyle & 1, row.fontstyle & 2,
                                   row.underline != 0, row.rotation);
        const bool rightAngle = row.rotation % 90 == 0;
        const int examined = rightAngle ? ref.stride - 1 : ref.stride;
        const std::string expected =
            "~LOGO;LOGO1;" + std::to_string(ref.height) + ";" + std::to_string(examined * 8) +
            ExpectedHlvRows(ref.bits.data(), ref.stride, ref.height, examined) + "\nEND\r\n";
        EXPECT_EQ(rec.writes[0], expected);
        if (!rightAngle && ref.width % 8 != 0) {
            // Padding dots beyond the width read as dark: every row ends in a run.
            size_t lines = 0;
            for (char ch : rec.writes[0]) lines += ch == '\n';
            EXPECT_EQ(lines, static_cast<size_t>(ref.height) + 2);  // each row, then "\nEND\r\n"
        }
        int width = 0, height = 0;
        ASSERT_TRUE(PngSize(ReadFile("HLV.png"), width, height));
        EXPECT_EQ(width, ref.width);
        EXPECT_EQ(height, ref.height);
    }
}

TEST_F(HostTextDownloadTest, EmptyTextIsHeaderAndEnd) {
    Recorder rec;
    const std::wstring empty;
    ASSERT_TRUE(
        HostTextDownload(rec.Link(), 24, 0, 0, 0, "DejaVu Sans", empty.c_str(), true, Brand::HLV, "E"));
    auto ref = RenderReference("", "DejaVu Sans 24", false, false, false, 0);
    ASSERT_EQ(rec.writes.size(), 1u);
    EXPECT_EQ(rec.writes[0], "~LOGO;E;" + std::to_string(ref.height) + ";8\nEND\r\n");
}

TEST_F(HostTextDownloadTest, MultibyteTextFollowsTheLocale) {
    const char* saved = std::setlocale(LC_ALL, nullptr);
    const std::string restore = saved ? saved : "C";
    ASSERT_NE(std::setlocale(LC_ALL, "C.UTF-8"), nullptr);
    Recorder wide, multi, bad;
    const std::wstring text = L"Gr\u00FC\u00DFe";
    EXPECT_TRUE(
        HostTextDownload(wide.Link(), 20, 0, 0, 0, "DejaVu Sans", text.c_str(), true, Brand::HLV, "M"));
    EXPECT_TRUE(HostTextDownload(multi.Link(), 20, 0, 0, 0, "DejaVu Sans",
                                 "Gr\xC3\xBC\xC3\x9F"
                                 "e",
                                 false, Brand::HLV, "M"));
    try {
        HostTextDownload(bad.Link(), 20, 0, 0, 0, "DejaVu Sans", "Gr\xC3", false, Brand::HLV, "M");
        ADD_FAILURE() << "no exception";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "Conversion failed");
    }
    std::setlocale(LC_ALL, restore.c_str());
    ASSERT_EQ(wide.writes.size(), 1u);
    EXPECT_EQ(multi.writes, wide.writes);
    EXPECT_TRUE(bad.writes.empty());
    EXPECT_EQ(bad.closes, 0);
}

TEST_F(HostTextDownloadTest, ClosesAfterTheSettleTime) {
    quillon::SetDownloadSettleTime(std::chrono::milliseconds(150));
    Recorder rec;
    const std::wstring text = L"x";
    ASSERT_TRUE(
        HostTextDownload(rec.Link(), 12, 0, 0, 0, "DejaVu Sans", text.c_str(), true, Brand::HLV, "S"));
    ASSERT_EQ(rec.closes, 1);
    EXPECT_GE(rec.closedAt - rec.writtenAt, std::chrono::milliseconds(150));
}

TEST_F(HostTextDownloadTest, OversizeTextSendsNothing) {
    Recorder rec;
    const std::wstring text(2000, L'W');
    EXPECT_FALSE(HostTextDownload(rec.Link(), 20, 0, 0, 0, "DejaVu Sans", text.c_str(), true, Brand::ORLO,
                                  (_dir / "BIG.PNG").c_str()));
    EXPECT_TRUE(rec.writes.empty());
    EXPECT_EQ(rec.closes, 0);
    EXPECT_FALSE(std::filesystem::exists(_dir / "BIG.PNG"));
}

TEST_F(HostTextDownloadTest, UnwritablePngPathSendsNothing) {
    Recorder rec;
    const std::wstring text = L"x";
    const std::string path = (_dir / "no-such-dir" / "A.PNG").string();
    EXPECT_FALSE(HostTextDownload(rec.Link(), 12, 0, 0, 0, "DejaVu Sans", text.c_str(), true, Brand::ORLO,
                                  path.c_str()));
    EXPECT_TRUE(rec.writes.empty());
    EXPECT_EQ(rec.closes, 0);
}

}  // namespace
