#include <clocale>

#include "HostTextSupport.h"

using namespace quillon;

namespace {

class HostTextDownloadTest : public hosttext_test::InTempDir {};

// What a connection saw: the bytes of each Write and how often Close came.
struct Recorder {
    std::vector<std::string> writes;
    int closes = 0;

    HostTextLink Link(bool connected = true) {
        HostTextLink link;
        link.connected = connected;
        link.write = [this](const unsigned char* data, int size) {
            writes.emplace_back(reinterpret_cast<const char*>(data), static_cast<size_t>(size));
        };
        link.close = [this] { ++closes; };
        return link;
    }
};

// A refused download writes no file, sends nothing and keeps the connection.
TEST_F(HostTextDownloadTest, RefusalsSendNothingAndKeepTheConnection) {
    const std::wstring text = L"ABC", oversize(2000, L'W');
    const char* face = "DejaVu Sans";
    const std::string path = (_dir / "R.PNG").string(),
                      unwritable = (_dir / "no-such-dir" / "A.PNG").string();
    struct Row {
        const char* what;
        bool connected;
        const void* content;
        const char *face, *path;
        int brand;
    };
    // clang-format off
    const Row rows[] = {
        {"not connected", false, text.c_str(), face, path.c_str(), 1},
        {"null content", true, nullptr, face, path.c_str(), 1},
        {"null face", true, text.c_str(), nullptr, path.c_str(), 2},
        {"null path", true, text.c_str(), face, nullptr, 2},
        {"brand 3", true, text.c_str(), face, path.c_str(), 3},
        {"beyond the surface limits", true, oversize.c_str(), face, path.c_str(), Brand::ORLO},
        {"unwritable png path", true, text.c_str(), face, unwritable.c_str(), Brand::ORLO},
    };
    // clang-format on
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

// Multibyte text in the current locale sends what the same wide text sends;
// text the locale cannot convert throws before anything is sent.
TEST_F(HostTextDownloadTest, MultibyteTextFollowsTheLocale) {
    Recorder wide, multi, bad;
    const std::string saved = std::setlocale(LC_ALL, nullptr);
    ASSERT_NE(std::setlocale(LC_ALL, "C.UTF-8"), nullptr);
    const std::wstring text = L"Gr\u00FC\u00DFe";
    EXPECT_TRUE(
        HostTextDownload(wide.Link(), 20, 0, 0, 0, "DejaVu Sans", text.c_str(), true, Brand::HLV, "M"));
    EXPECT_TRUE(HostTextDownload(multi.Link(), 20, 0, 0, 0, "DejaVu Sans", "Gr\303\274\303\237e", false,
                                 Brand::HLV, "M"));
    ExpectError(
        [&] { HostTextDownload(bad.Link(), 20, 0, 0, 0, "DejaVu Sans", "Gr\xC3", false, Brand::HLV, "M"); },
        "Conversion failed");
    std::setlocale(LC_ALL, saved.c_str());
    ASSERT_EQ(wide.writes.size(), 1u);
    EXPECT_EQ(multi.writes, wide.writes);
    EXPECT_TRUE(bad.writes.empty());
    EXPECT_EQ(bad.closes, 0);
}

}  // namespace
