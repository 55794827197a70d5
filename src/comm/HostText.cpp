#include "comm/HostText.h"

#include <glib-object.h>
#include <pango/pangocairo.h>

#include <atomic>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <new>
#include <stdexcept>
#include <thread>

#include "base/Format.h"
#include "base/Notice.h"
#include "comm/CommGlobals.h"

namespace quillon {

namespace {

struct CairoRelease {
    void operator()(cairo_t* cr) const { cairo_destroy(cr); }
};
struct LayoutRelease {
    void operator()(PangoLayout* layout) const { g_object_unref(layout); }
};
struct FontDescriptionRelease {
    void operator()(PangoFontDescription* desc) const { pango_font_description_free(desc); }
};
using CairoPtr = std::unique_ptr<cairo_t, CairoRelease>;
using LayoutPtr = std::unique_ptr<PangoLayout, LayoutRelease>;
using FontDescriptionPtr = std::unique_ptr<PangoFontDescription, FontDescriptionRelease>;

// A fresh description from the text, with the weight and style applied only
// when asked for: a face name such as "Sans Bold" keeps its own weight.
FontDescriptionPtr BuildFontDescription(const HostTextStyle& style) {
    FontDescriptionPtr desc(pango_font_description_from_string(style.fontDescription.c_str()));
    if (style.bold) pango_font_description_set_weight(desc.get(), PANGO_WEIGHT_BOLD);
    if (style.italic) pango_font_description_set_style(desc.get(), PANGO_STYLE_ITALIC);
    return desc;
}

bool IsRightAngle(int rotation) {
    return rotation == 0 || rotation == 90 || rotation == 180 || rotation == 270;
}

// Measures on a 1 x 1 alpha-only surface: layout metrics do not depend on
// the surface size, and nothing is drawn.
bool MeasureHostText(const std::string& utf8, const HostTextStyle& style, HostTextGeometry& g) {
    CairoSurfacePtr surface(cairo_image_surface_create(CAIRO_FORMAT_A8, 1, 1));
    CairoPtr cr(cairo_create(surface.get()));
    if (cairo_status(cr.get()) != CAIRO_STATUS_SUCCESS) return false;
    LayoutPtr layout(pango_cairo_create_layout(cr.get()));
    pango_layout_set_text(layout.get(), utf8.c_str(), -1);
    FontDescriptionPtr desc = BuildFontDescription(style);
    pango_layout_set_font_description(layout.get(), desc.get());
    pango_layout_get_pixel_size(layout.get(), &g.textWidth, &g.textHeight);
    PangoRectangle logical{};
    pango_layout_get_extents(layout.get(), nullptr, &logical);
    // Truncating toward zero, not pango's rounding to pixels.
    g.originX = logical.x / 1024;
    g.originY = logical.y / 1024;
    // Cairo refuses surfaces above 32767 in either direction; larger frames
    // fail when the surface is made, so these sums stay far from overflow.
    if (g.textWidth > INT_MAX - 11 || g.textHeight > INT_MAX - 10) return false;
    g.frameWidth = g.textWidth + 11;
    g.frameHeight = g.textHeight + 10;
    const bool quarterTurn = style.rotation == 90 || style.rotation == 270;
    g.surfaceWidth = quarterTurn ? g.frameHeight : g.frameWidth;
    g.surfaceHeight = quarterTurn ? g.frameWidth : g.frameHeight;
    return true;
}

CairoSurfacePtr DrawHostText(const std::string& utf8, const HostTextStyle& style, const HostTextGeometry& g) {
    CairoSurfacePtr surface(cairo_image_surface_create(CAIRO_FORMAT_RGB24, g.surfaceWidth, g.surfaceHeight));
    if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS) return nullptr;
    CairoPtr cr(cairo_create(surface.get()));
    if (cairo_status(cr.get()) != CAIRO_STATUS_SUCCESS) return nullptr;
    const double W = g.frameWidth;
    const double H = g.frameHeight;

    cairo_set_source_rgb(cr.get(), 0, 0, 0);
    cairo_paint(cr.get());
    cairo_save(cr.get());
    switch (style.rotation) {
        case 90:
            cairo_translate(cr.get(), H, 0);
            cairo_rotate(cr.get(), M_PI / 2);
            break;
        case 180:
            cairo_translate(cr.get(), W, H);
            cairo_rotate(cr.get(), M_PI);
            break;
        case 270:
            cairo_translate(cr.get(), 0, W);
            cairo_rotate(cr.get(), 3 * M_PI / 2);
            break;
        default:  // any other angle is drawn unturned
            break;
    }
    cairo_rectangle(cr.get(), 0, 0, W, H);
    cairo_set_source_rgb(cr.get(), 1, 1, 1);
    cairo_fill(cr.get());
    cairo_set_source_rgb(cr.get(), 0, 0, 0);
    {
        // Made after the turn so that pango sees the final transform.
        LayoutPtr layout(pango_cairo_create_layout(cr.get()));
        pango_layout_set_text(layout.get(), utf8.c_str(), -1);
        FontDescriptionPtr desc = BuildFontDescription(style);
        pango_layout_set_font_description(layout.get(), desc.get());
        cairo_move_to(cr.get(), 5 - g.originX, 5 - g.originY);
        pango_cairo_show_layout(cr.get(), layout.get());
        if (style.underline) {
            cairo_set_source_rgb(cr.get(), 0, 0, 0);
            cairo_set_line_width(cr.get(), 3);
            cairo_move_to(cr.get(), 5, g.textHeight + 6);
            cairo_line_to(cr.get(), g.textWidth + 5, g.textHeight + 6);
            cairo_stroke(cr.get());
        }
        cairo_restore(cr.get());
    }
    cairo_surface_flush(surface.get());
    return surface;
}

std::atomic<long long> gSettleMilliseconds{kDownloadSettleTime.count()};

}  // namespace

std::wstring ConvertToWideString(const char* content) {
    const size_t length = std::mbstowcs(nullptr, content, 0);
    if (length == static_cast<size_t>(-1)) throw std::runtime_error("Conversion failed");
    std::wstring wide(length, L'\0');
    // The string's own terminator slot follows the `length` characters.
    if (std::mbstowcs(wide.data(), content, length) != length) throw std::runtime_error("Conversion failed");
    return wide;
}

std::string ConvertToUtf8(const std::wstring& wideStr) {
    std::string out;
    out.reserve(wideStr.size());
    for (wchar_t wc : wideStr) {
        // wchar_t is signed on some targets and unsigned on others.
        const auto cp = static_cast<std::uint32_t>(wc);
        if (cp < 0x80) {
            out.push_back(static_cast<char>(cp));
        } else if (cp < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else if (cp < 0x10000) {
            if (cp >= 0xD800 && cp <= 0xDFFF) throw std::range_error("Conversion failed");
            out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else if (cp <= 0x10FFFF) {
            out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else {
            throw std::range_error("Conversion failed");
        }
    }
    return out;
}

std::unique_ptr<unsigned char[]> ConvertTo1BitBitmap(cairo_surface_t* surface, int width, int height,
                                                     int& outStride) {
    outStride = (width + 7) / 8;
    if (surface == nullptr || width < 0 || height < 0) return nullptr;
    if (cairo_surface_get_type(surface) != CAIRO_SURFACE_TYPE_IMAGE) return nullptr;
    const cairo_format_t format = cairo_image_surface_get_format(surface);
    if (format != CAIRO_FORMAT_RGB24 && format != CAIRO_FORMAT_ARGB32) return nullptr;
    if (width > cairo_image_surface_get_width(surface) || height > cairo_image_surface_get_height(surface))
        return nullptr;
    const unsigned char* data = cairo_image_surface_get_data(surface);
    const int surfaceStride = cairo_image_surface_get_stride(surface);
    // An error surface has no pixels: report it like a raster that could not
    // be made instead of reading through a null pointer.
    if (data == nullptr && width > 0 && height > 0) return nullptr;
    const size_t size = static_cast<size_t>(outStride) * static_cast<size_t>(height);
    std::unique_ptr<unsigned char[]> raster(new (std::nothrow) unsigned char[size > 0 ? size : 1]());
    if (!raster) return nullptr;
    for (int y = 0; y < height; ++y) {
        const unsigned char* row = data + static_cast<size_t>(y) * static_cast<size_t>(surfaceStride);
        unsigned char* out = raster.get() + static_cast<size_t>(y) * static_cast<size_t>(outStride);
        for (int x = 0; x < width; ++x) {
            const unsigned char* px = row + static_cast<size_t>(x) * 4;
            const int gray = px[3] >= 128 ? (px[0] + px[1] + px[2]) / 3 : 255;
            if (gray >= 128) out[x / 8] |= static_cast<unsigned char>(0x80 >> (x % 8));
        }
    }
    return raster;
}

bool ReadFileToMemory(const char* filename, std::vector<unsigned char>& outData, size_t& outSize) {
    if (filename == nullptr) return false;
    // A directory opens and reports a position far beyond anything readable.
    std::error_code ec;
    if (!std::filesystem::is_regular_file(filename, ec)) return false;
    std::ifstream file(filename, std::ios::binary | std::ios::ate);
    if (!file.is_open()) return false;
    const std::streamoff end = file.tellg();
    if (end < 0) return false;
    file.seekg(0, std::ios::beg);
    const auto size = static_cast<size_t>(end);
    try {
        outData.resize(size);
    } catch (const std::bad_alloc&) {
        return false;
    }
    if (size > 0 && !file.read(reinterpret_cast<char*>(outData.data()), static_cast<std::streamsize>(size)))
        return false;
    outSize = size;
    return true;
}

std::string HostFontDescription(const char* faceName, int fontheight) {
    std::string text(faceName);
    text.push_back(' ');
    AppendInt(text, fontheight);
    return text;
}

bool RenderHostText(const std::string& utf8, const HostTextStyle& style, HostTextImage& out) {
    HostTextGeometry geometry;
    if (!MeasureHostText(utf8, style, geometry)) return false;
    CairoSurfacePtr surface = DrawHostText(utf8, style, geometry);
    if (!surface) return false;
    int stride = 0;
    std::unique_ptr<unsigned char[]> raster =
        ConvertTo1BitBitmap(surface.get(), geometry.surfaceWidth, geometry.surfaceHeight, stride);
    if (!raster) return false;
    out.geometry = geometry;
    out.surface = std::move(surface);
    out.raster = std::move(raster);
    out.stride = stride;
    return true;
}

std::string OrloDownloadCommand(std::string_view name, const std::vector<unsigned char>& png) {
    std::string cmd;
    cmd.reserve(name.size() + png.size() + 40);
    cmd.append("DOWNLOAD F, \"");
    cmd.append(name);
    cmd.append("\",");
    AppendUnsigned(cmd, png.size());
    cmd.push_back(',');
    cmd.append(reinterpret_cast<const char*>(png.data()), png.size());
    cmd.append("\r\n");
    return cmd;
}

int HlvExaminedBytes(int stride, int rotation) {
    return IsRightAngle(rotation) ? stride - 1 : stride;
}

std::string HlvLogoCommand(std::string_view name, const unsigned char* raster, int stride, int rows,
                           int rotation) {
    const int examined = HlvExaminedBytes(stride, rotation);
    std::string cmd("~LOGO;");
    cmd.append(name);
    cmd.push_back(';');
    AppendInt(cmd, rows);
    cmd.push_back(';');
    AppendInt(cmd, static_cast<long long>(examined) * 8);
    std::string runs;
    for (int r = 0; r < rows; ++r) {
        const unsigned char* row = raster + static_cast<size_t>(r) * static_cast<size_t>(stride);
        runs.clear();
        bool open = false;
        long long start = 0;
        for (int c = 0; c < examined; ++c) {
            for (int b = 0; b < 8; ++b) {
                const long long p = static_cast<long long>(c) * 8 + b + 1;
                const bool dark = (row[c] & (0x80 >> b)) == 0;
                if (dark) {
                    if (!open) {
                        open = true;
                        start = p;
                    }
                    // The printer takes a lone start at the row's end as
                    // "dark to the end of the row".
                    if (c == examined - 1 && b == 7) {
                        runs.push_back(';');
                        AppendInt(runs, start);
                    }
                } else if (open) {
                    open = false;
                    const long long end = p - 1;
                    runs.push_back(';');
                    AppendInt(runs, start);
                    if (start != end) {
                        runs.push_back('-');
                        AppendInt(runs, end);
                    }
                }
            }
        }
        if (!runs.empty()) {
            cmd.push_back('\n');
            AppendInt(cmd, r + 1);
            cmd.append(runs);
        }
    }
    cmd.append("\nEND\r\n");
    return cmd;
}

void SetDownloadSettleTime(std::chrono::milliseconds wait) {
    gSettleMilliseconds.store(wait.count());
}

std::chrono::milliseconds DownloadSettleTime() {
    return std::chrono::milliseconds(gSettleMilliseconds.load());
}

bool HostTextDownload(const HostTextLink& link, int fontheight, int rotation, int fontstyle,
                      int fontunderline, const char* szFaceName, const void* content, bool isUnicode,
                      Brand brand, const char* szFilePath) {
    if (!link.connected) return false;
    if (content == nullptr || szFaceName == nullptr || szFilePath == nullptr) return false;
    if (brand != Brand::ORLO && brand != Brand::HLV) return false;

    const std::string utf8 = isUnicode
                                 ? ConvertToUtf8(static_cast<const wchar_t*>(content))
                                 : ConvertToUtf8(ConvertToWideString(static_cast<const char*>(content)));
    HostTextStyle style;
    style.fontDescription = HostFontDescription(szFaceName, fontheight);
    style.bold = (fontstyle & 1) != 0;
    style.italic = (fontstyle & 2) != 0;
    style.underline = fontunderline != 0;
    style.rotation = rotation;

    HostTextImage image;
    if (!RenderHostText(utf8, style, image)) return false;

    std::string cmd;
    if (brand == Brand::ORLO) {
        // A failed write must not let an older file of the same name go out.
        if (cairo_surface_write_to_png(image.surface.get(), szFilePath) != CAIRO_STATUS_SUCCESS) return false;
        std::vector<unsigned char> png;
        size_t size = 0;
        if (!ReadFileToMemory(szFilePath, png, size)) return false;
        cmd = OrloDownloadCommand(szFilePath, png);
    } else {
        // A host-side copy for looking at; it is not sent, so a failure to
        // write it does not stop the download.
        cairo_surface_write_to_png(image.surface.get(), "HLV.png");
        cmd = HlvLogoCommand(szFilePath, image.raster.get(), image.stride, image.geometry.surfaceHeight,
                             rotation);
    }
    if (cmd.size() > static_cast<size_t>(INT_MAX)) return false;

    link.write(reinterpret_cast<const unsigned char*>(cmd.data()), static_cast<int>(cmd.size()));
    std::this_thread::sleep_for(DownloadSettleTime());
    link.close();
    return true;
}

}  // namespace quillon

// --- The connection classes' members and the exported entry point ----------

namespace {

// One implementation for the four connection classes: each differs only in
// how it writes and closes.
template <typename Comm>
bool ConnectionWindowsFont(Comm& comm, int fontheight, int rotation, int fontstyle, int fontunderline,
                           const char* szFaceName, const void* content, bool isUnicode, Brand brand,
                           const char* szFilePath) {
    quillon::HostTextLink link;
    link.connected = comm.Connected();
    link.write = [&comm](const unsigned char* data, int size) { comm.Write(data, size); };
    link.close = [&comm] { comm.Close(); };
    return quillon::HostTextDownload(link, fontheight, rotation, fontstyle, fontunderline, szFaceName,
                                     content, isUnicode, brand, szFilePath);
}

// Opens the connection the facade was just pointed at and, when it is
// connected, runs the download on it.
template <typename Comm>
int OpenAndDownload(Comm& comm, int fontheight, int rotation, int fontstyle, int fontunderline,
                    char* szFaceName, void* content, bool isUnicode, Brand brand, char* szFilePath) {
    comm.Open();
    if (!comm.Connected()) return 0;
    // The result of the download does not change the answer: the printer was
    // reached.
    comm.WindowsFont(fontheight, rotation, fontstyle, fontunderline, szFaceName, content, isUnicode, brand,
                     szFilePath);
    return 1;
}

}  // namespace

#define QUILLON_HOSTTEXT_MEMBERS(Class)                                                                 \
    bool Class::WindowsFont(int fontheight, int rotation, int fontstyle, int fontunderline,             \
                            char* szFaceName, void* content, bool isUnicode, Brand brand,               \
                            char* szFilePath) {                                                         \
        return ConnectionWindowsFont(*this, fontheight, rotation, fontstyle, fontunderline, szFaceName, \
                                     content, isUnicode, brand, szFilePath);                            \
    }                                                                                                   \
    std::wstring Class::ConvertToWideString(const char* content) {                                      \
        return quillon::ConvertToWideString(content);                                                   \
    }                                                                                                   \
    std::string Class::ConvertToUtf8(const std::wstring& wideStr) {                                     \
        return quillon::ConvertToUtf8(wideStr);                                                         \
    }                                                                                                   \
    std::unique_ptr<unsigned char[]> Class::ConvertTo1BitBitmap(cairo_surface_t* surface, int width,    \
                                                                int height, int& outStride) {           \
        return quillon::ConvertTo1BitBitmap(surface, width, height, outStride);                         \
    }                                                                                                   \
    bool Class::ReadFileToMemory(const char* filename, std::vector<unsigned char>& outData,             \
                                 size_t& outSize) {                                                     \
        return quillon::ReadFileToMemory(filename, outData, outSize);                                   \
    }

QUILLON_HOSTTEXT_MEMBERS(UsbComm)
QUILLON_HOSTTEXT_MEMBERS(TcpComm)
QUILLON_HOSTTEXT_MEMBERS(BtComm)
QUILLON_HOSTTEXT_MEMBERS(ComComm)

#undef QUILLON_HOSTTEXT_MEMBERS

extern "C" QUILLON_API int WindowsFont(int fontheight, int rotation, int fontstyle, int fontunderline,
                                       char* szFaceName, void* content, bool isUnicode, Brand brand,
                                       char* szFilePath, COMM_TYP commTyp, char* ipAddress, int port,
                                       uint64_t macAddress, std::string ComPort, int BaudRate) {
    switch (commTyp) {
        case COMM_TYP::USB_COMM:
            loadListOfUsbPrinters();
            // The listing leaves the table null when it found no printer.
            if (devices == nullptr) {
                quillon::Notice("Failed to call UsbConnect API!");
                return 0;
            }
            gUsbConnection.Connection({devices[0].Item1}, devices[0].Item2);
            return OpenAndDownload(gUsbComm, fontheight, rotation, fontstyle, fontunderline, szFaceName,
                                   content, isUnicode, brand, szFilePath);
        case COMM_TYP::TCP_COMM:
            if (ipAddress == nullptr) return 0;  // no target to store
            gTcpConnection.Connection(ipAddress, port);
            return OpenAndDownload(gTcpComm, fontheight, rotation, fontstyle, fontunderline, szFaceName,
                                   content, isUnicode, brand, szFilePath);
        case COMM_TYP::BT_COMM:
            gBtConnection.Connection(macAddress);
            return OpenAndDownload(gBtComm, fontheight, rotation, fontstyle, fontunderline, szFaceName,
                                   content, isUnicode, brand, szFilePath);
        case COMM_TYP::COM_COMM:
            gComConnection.Connection(std::move(ComPort), BaudRate);
            return OpenAndDownload(gComComm, fontheight, rotation, fontstyle, fontunderline, szFaceName,
                                   content, isUnicode, brand, szFilePath);
    }
    return 0;  // not a connection kind
}
