#ifndef QUILLON_TESTS_HOSTTEXT_REFERENCERENDER_H
#define QUILLON_TESTS_HOSTTEXT_REFERENCERENDER_H

#include <gtest/gtest.h>
#include <unistd.h>

#include <clocale>
#include <filesystem>
#include <string>
#include <vector>

#include "comm/HostText.h"

// A second rendering of host text, written directly against pango and cairo
// in the tests, so the library's raster can be compared byte for byte.
namespace hosttext_test {

struct ReferenceRaster {
    int width = 0, height = 0, stride = 0;
    int unknownGlyphs = 0;
    std::vector<unsigned char> bits;  // 1 = light, padding 0
};

ReferenceRaster RenderReference(const std::string& utf8, const std::string& font, bool bold, bool italic,
                                bool underline, int rotation);

// Dark pixels inside the image width (padding bits not counted).
int DarkPixels(const unsigned char* bits, int stride, int width, int height);

// The HLV row lines for a raster, built from lists of dark dots rather than
// by walking bits, to check the library's run writer on real renderings.
std::string ExpectedHlvRows(const unsigned char* bits, int stride, int rows, int examinedBytes);

// The whole HLV command for a reference rendering of `text` (style: 1 bold,
// 2 italic); right angles leave the last byte of each row unexamined.
std::string ExpectedHlv(const char* name, const char* text, const std::string& font, int style,
                        bool underline, int rotation);

// Whole file as bytes; empty when it cannot be read.
std::string ReadFile(const std::string& path);

// Width and height from a PNG's IHDR chunk; false when it is not a PNG.
bool PngSize(const std::string& png, int& width, int& height);

// Sets the locale for the life of the guard.
struct LocaleGuard {
    explicit LocaleGuard(const char* name) : saved(std::setlocale(LC_ALL, nullptr)) {
        ok = std::setlocale(LC_ALL, name) != nullptr;
    }
    ~LocaleGuard() { std::setlocale(LC_ALL, saved.c_str()); }
    std::string saved;
    bool ok = false;
};

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
