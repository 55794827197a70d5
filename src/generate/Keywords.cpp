#include <stdexcept>

#include "generate/KESH.h"
#include "generate/VORN.h"

namespace {

// Looks up `value` in a table indexed from 0; anything outside gives `fallback`.
template <size_t N>
std::string_view Lookup(const std::string_view (&table)[N], int value, std::string_view fallback) {
    return value >= 0 && static_cast<size_t>(value) < N ? table[value] : fallback;
}

constexpr std::string_view kMemBlocks[] = {"", "EPC", "TID", "USR", "ACS", "KIL", "PC", "RSV"};
constexpr std::string_view k2DTypesVorn[] = {"", "MAXICODE", "QRCODE", "PDF417", "AZTEC", "DMATRIX"};
constexpr std::string_view k2DTypesKesh[] = {"", "MAXICODE", "QRCODE", "PDF417", "AZTEC", "DATAMATRIX"};

std::string_view MemBlock(int block) {
    if (block == 0) throw std::invalid_argument("A valid RFID memory bank needs to be selected.");
    return Lookup(kMemBlocks, block, "");
}

[[noreturn]] void ThrowInvalidFormat() {
    throw std::invalid_argument("A valid RFID data format needs to be selected.");
}

float IgpDotsImpl(float dots, float dpiResolution) {
    return dpiResolution < 72.0f ? dots : 72.0f * dots / dpiResolution;
}

}  // namespace

namespace VORN {

std::string_view GetRotation(int rotation) {
    static constexpr std::string_view table[] = {"0", "90", "270", "180"};
    return Lookup(table, rotation, "0");
}

std::string_view GetAlignment(int alignment) {
    static constexpr std::string_view table[] = {"0", "0", "2", "3"};
    return Lookup(table, alignment, "0");
}

std::string_view GetRfidFormat(int format) {
    if (format == InvalidFormat) ThrowInvalidFormat();
    static constexpr std::string_view table[] = {"", "B", "D", "", "H"};
    return Lookup(table, format, "");
}

std::string_view GetRfidMemBlock(int block) {
    return MemBlock(block);
}

std::string_view GetBarcodeType1D(int type) {
    static constexpr std::string_view table[] = {"",     "39", "128",     "EAN13", "EAN8",
                                                 "UPCA", "25", "CODABAR", "93"};
    return Lookup(table, type, "");
}

std::string_view GetBarcodeType2D(int type) {
    return Lookup(k2DTypesVorn, type, "");
}

char GetPrintableDataFrameChar(std::string_view) {
    return DataFrameChar;
}

float IgpDots(float dots, float dpiResolution) {
    return IgpDotsImpl(dots, dpiResolution);
}

int minLT(int ltCheck) {
    return ltCheck < 1 ? 1 : ltCheck;
}

bool IsBuildInFont(std::string_view name) {
    return name.size() == 1 && name[0] >= '1' && name[0] <= '8';
}

std::pair<int, int> GetBuildInFontSize(std::string_view name) {
    static constexpr std::pair<int, int> sizes[] = {{8, 12},  {12, 20}, {16, 24}, {24, 32},
                                                    {32, 48}, {14, 19}, {21, 27}, {14, 25}};
    if (!IsBuildInFont(name)) throw std::invalid_argument("Invalid Build-In FontName");
    return sizes[name[0] - '1'];
}

}  // namespace VORN

namespace KESH {

std::string_view GetRotation(int rotation) {
    static constexpr std::string_view table[] = {"", "CW", "CCW", "INV"};
    return Lookup(table, rotation, "");
}

std::string_view GetAlignment(int alignment) {
    static constexpr std::string_view table[] = {"", "", "CJUST", "RJUST"};
    return Lookup(table, alignment, "");
}

std::string_view GetRfidFormat(int format) {
    if (format == InvalidFormat) ThrowInvalidFormat();
    static constexpr std::string_view table[] = {"", "B", "D", "S", "H"};
    return Lookup(table, format, "");
}

std::string_view GetRfidMemBlock(int block) {
    return MemBlock(block);
}

std::string_view GetBarcodeType1D(int type) {
    static constexpr std::string_view table[] = {"",     "C3/9",  "C128A", "C128B",   "C128C",   "EAN13",
                                                 "EAN8", "UPC-A", "I-2/5", "CODABAR", "UCC-128", "CODE93"};
    return Lookup(table, type, "");
}

std::string_view GetBarcodeType2D(int type) {
    return Lookup(k2DTypesKesh, type, "");
}

char GetPrintableDataFrameChar(std::string_view dataToFrame) {
    // The asterisk comes first; most data do not hold one, which spares the
    // full search.
    if (dataToFrame.find(DataFrameChar) == std::string_view::npos) return DataFrameChar;
    // Bytes are compared as unsigned values so that the 128-255 candidates
    // mean the same on platforms where plain char is signed or unsigned.
    bool present[256] = {};
    for (char c : dataToFrame) present[static_cast<unsigned char>(c)] = true;
    auto passes = [&](unsigned c) {
        return c != static_cast<unsigned char>(DelimeterSFCC) &&
               c != static_cast<unsigned char>(DelimeterParams) && c != '/' && !present[c];
    };
    static constexpr unsigned char preferred[] = {'*', '"', '\'', '_', '`', '-', '#', '^', '+'};
    for (unsigned char c : preferred)
        if (passes(c)) return static_cast<char>(c);
    for (unsigned c = 33; c <= 126; ++c)
        if (passes(c)) return static_cast<char>(c);
    for (unsigned c = 128; c <= 255; ++c)
        if (passes(c)) return static_cast<char>(c);
    return '?';
}

float IgpDots(float dots, float dpiResolution) {
    return IgpDotsImpl(dots, dpiResolution);
}

int minLT(int ltCheck) {
    return ltCheck < 1 ? 1 : ltCheck;
}

}  // namespace KESH
