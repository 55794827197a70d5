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
