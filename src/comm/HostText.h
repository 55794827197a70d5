#ifndef QUILLON_COMM_HOSTTEXT_H
#define QUILLON_COMM_HOSTTEXT_H

#include <cairo.h>

#include <chrono>
#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "quillon/HostText.h"

// Laying out, rasterising and downloading host-rendered text. The four
// connection classes share this one procedure; each passes its own Write and
// Close.

namespace quillon {

struct CairoSurfaceRelease {
    void operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); }
};
using CairoSurfacePtr = std::unique_ptr<cairo_surface_t, CairoSurfaceRelease>;

// --- Helpers shared by the connection classes -------------------------------

// Multibyte text in the current locale's encoding to wide characters. Throws
// std::runtime_error "Conversion failed" when the locale cannot convert it.
std::wstring ConvertToWideString(const char* content);

// Wide characters (code points up to U+10FFFF) to UTF-8. A value that is not
// a Unicode scalar value throws std::range_error "Conversion failed".
std::string ConvertToUtf8(const std::wstring& wideStr);

// The surface as rows of (width + 7) / 8 bytes, most significant bit the
// leftmost pixel, 1 = light. Null when the raster cannot be allocated or the
// surface holds no pixels.
std::unique_ptr<unsigned char[]> ConvertTo1BitBitmap(cairo_surface_t* surface, int width, int height,
                                                     int& outStride);

// Whole file into outData. False when it cannot be opened or read in full.
bool ReadFileToMemory(const char* filename, std::vector<unsigned char>& outData, size_t& outSize);

// --- Rendering --------------------------------------------------------------

struct HostTextStyle {
    std::string fontDescription;  // "<face> <size>", parsed by pango
    bool bold = false;
    bool italic = false;
    bool underline = false;
    int rotation = 0;  // degrees; only 90, 180 and 270 turn the frame
};

// Everything in device pixels.
struct HostTextGeometry {
    int textWidth = 0, textHeight = 0;  // the layout's pixel size
    int originX = 0, originY = 0;       // logical rectangle origin, pango units / 1024
    int frameWidth = 0, frameHeight = 0;
    int surfaceWidth = 0, surfaceHeight = 0;
};

struct HostTextImage {
    HostTextGeometry geometry;
    CairoSurfacePtr surface;  // RGB24, black text on white
    std::unique_ptr<unsigned char[]> raster;
    int stride = 0;
};

// "<face> <fontheight>".
std::string HostFontDescription(const char* faceName, int fontheight);

// Lays out and draws `utf8` and converts it to the 1-bit raster. False when
// the surface (too large for cairo) or the raster cannot be made.
bool RenderHostText(const std::string& utf8, const HostTextStyle& style, HostTextImage& out);

// --- Download commands ------------------------------------------------------

// "DOWNLOAD F, \"<name>\",<size>,<file bytes>\r\n".
std::string OrloDownloadCommand(std::string_view name, const std::vector<unsigned char>& png);

// Bytes of each raster row the HLV command looks at: the last byte is left
// out for the four right angles.
int HlvExaminedBytes(int stride, int rotation);

// "~LOGO;<name>;<rows>;<dots>" then one line per row with dark dots, then
// "\nEND\r\n".
std::string HlvLogoCommand(std::string_view name, const unsigned char* raster, int stride, int rows,
                           int rotation);

// --- The download procedure -------------------------------------------------

// How the procedure reaches the connection it runs on.
struct HostTextLink {
    bool connected = false;
    std::function<void(const unsigned char* data, int size)> write;
    std::function<void()> close;
};

// Renders the text and sends the brand's download command, then waits the
// settle time and closes the connection. False, with nothing sent and the
// connection left as it is, when not connected, an argument is null, the
// brand is unknown or the image cannot be made.
bool HostTextDownload(const HostTextLink& link, int fontheight, int rotation, int fontstyle,
                      int fontunderline, const char* szFaceName, const void* content, bool isUnicode,
                      Brand brand, const char* szFilePath);

// Time the printer gets to store the image before the connection is closed.
// Tests shorten it; the library itself never changes it.
inline constexpr std::chrono::milliseconds kDownloadSettleTime{3000};
void SetDownloadSettleTime(std::chrono::milliseconds wait);
std::chrono::milliseconds DownloadSettleTime();

}  // namespace quillon

#endif
