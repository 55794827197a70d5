#ifndef QUILLON_TESTS_HOSTTEXT_REFERENCERENDER_H
#define QUILLON_TESTS_HOSTTEXT_REFERENCERENDER_H

#include <cstdint>
#include <string>
#include <vector>

// A second rendering of host text, written directly against pango and cairo
// in the tests, so the library's raster can be compared byte for byte.
namespace hosttext_test {

struct ReferenceRaster {
    int width = 0, height = 0, stride = 0;
    int textWidth = 0, textHeight = 0;
    int unknownGlyphs = 0;
    std::vector<unsigned char> bits;  // 1 = light, padding 0
};

ReferenceRaster RenderReference(const std::string& utf8, const std::string& font, bool bold, bool italic,
                                bool underline, int rotation);

std::uint64_t Fnv1a64(const std::vector<unsigned char>& bytes);
std::uint64_t Fnv1a64(const unsigned char* bytes, size_t size);

// Dark pixels inside the image width (padding bits not counted).
int DarkPixels(const unsigned char* bits, int stride, int width, int height);

// The HLV row lines for a raster, built from lists of dark dots rather than
// by walking bits, to check the library's run writer on real renderings.
std::string ExpectedHlvRows(const unsigned char* bits, int stride, int rows, int examinedBytes);

// Whole file as bytes; empty when it cannot be read.
std::string ReadFile(const std::string& path);

// Width and height from a PNG's IHDR chunk; false when it is not a PNG.
bool PngSize(const std::string& png, int& width, int& height);

}  // namespace hosttext_test

#endif
