#ifndef QUILLON_TESTS_HOSTTEXT_HOSTTEXTSUPPORT_H
#define QUILLON_TESTS_HOSTTEXT_HOSTTEXTSUPPORT_H

// What the host-text tests share besides the connection tests' helpers.

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "../comm/CommTestSupport.h"
#include "comm/HostText.h"

namespace hosttext_test {

// `style` as WindowsFont takes it: 1 bold, 2 italic.
inline quillon::HostTextStyle Style(const std::string& font, int rotation, int style = 0,
                                    bool underline = false) {
    return {font, (style & 1) != 0, (style & 2) != 0, underline, rotation};
}

// The HLV command for `utf8` as the library renders it: what a printer
// receives from WindowsFont for the same text and style.
inline std::string HlvFor(const char* name, const std::string& utf8, const std::string& font, int style,
                          bool underline, int rotation) {
    quillon::HostTextImage img;
    EXPECT_TRUE(quillon::RenderHostText(utf8, Style(font, rotation, style, underline), img));
    return quillon::HlvLogoCommand(name, img.raster.get(), img.stride, img.geometry.surfaceHeight, rotation);
}

inline std::string ReadFile(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), {});
}

// Runs each test in a fresh directory of its own (HLV.png lands there) with
// no wait before the connection closes.
class InTempDir : public ::testing::Test {
  protected:
    void SetUp() override {
        quillon::SetDownloadSettleTime(std::chrono::milliseconds(0));
        _dir = std::filesystem::temp_directory_path() /
               ("quillon-hosttext-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(_dir);
        _cwd = std::filesystem::current_path();
        std::filesystem::current_path(_dir);
    }
    void TearDown() override {
        quillon::SetDownloadSettleTime(quillon::kDownloadSettleTime);
        std::filesystem::current_path(_cwd);
        std::filesystem::remove_all(_dir);
    }
    std::filesystem::path _dir, _cwd;
};

}  // namespace hosttext_test

#endif
