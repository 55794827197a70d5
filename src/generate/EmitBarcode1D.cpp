// One-dimensional barcodes. Both languages take the bar widths in dots,
// rounded by adding 0.5 and truncating toward zero (so -1.2 dots gives 0),
// and frame the data; VORN states the narrow:wide ratio the symbology
// accepts, KESH lists the width of every bar and space class.
#include <charconv>
#include <stdexcept>
#include <string_view>

#include "generate/CommandText.h"
#include "generate/KESH.h"
#include "generate/Notice.h"
#include "generate/VORN.h"
#include "label/Numeric.h"
#include "label/VornForm.h"

namespace {

enum class RatioRule { None, OneToThree, TwoOrThree, OneToOne };

struct Symbology {
    std::string_view vornKeyword;
    std::string_view keshKeyword;
    RatioRule ratio;  // VORN: the ratios the printer accepts
    bool fourWidths;  // KESH: width classes n, a, b, w instead of n, w
};

// Indexed by the public BarcodeTypeEnum_1D; entry 0 (NOT_DEFINED) stands for
// every value outside the table.
constexpr Symbology kSymbologies[] = {
    {"", "", RatioRule::None, false},
    {"93", "CODE93", RatioRule::OneToThree, true},
    {"39", "C3/9", RatioRule::TwoOrThree, false},
    {"128", "C128B", RatioRule::OneToOne, true},
    {"EAN13", "EAN13", RatioRule::OneToOne, true},
    {"EAN8", "EAN8", RatioRule::OneToOne, true},
    {"UPCA", "UPC-A", RatioRule::OneToOne, true},
    {"25", "I-2/5", RatioRule::TwoOrThree, false},
    {"CODABAR", "CODABAR", RatioRule::TwoOrThree, false},
};

const Symbology& Lookup(int bcdTyp) {
    constexpr int count = static_cast<int>(sizeof kSymbologies / sizeof kSymbologies[0]);
    return bcdTyp > 0 && bcdTyp < count ? kSymbologies[bcdTyp] : kSymbologies[0];
}

float DotsPerUnit(IPrintResolution* res, IRuler* ruler) {
    PrintPlane plane(ruler);
    plane.setPrinterResolution(res);
    return plane.DotsPerUnit(nullptr, nullptr);
}

int BarDots(float width, float dpu) {
    return quillon::TruncToInt(width * dpu + 0.5f);
}

}  // namespace

void VornForm::GetBarcode1DString(std::string& out, IPrintResolution* res, IRuler* ruler, IPoint* start,
                                  std::string_view content, float narrowBar, float wideBar, float height,
                                  int bcdTyp, bool printHumanReadable, int rotation, bool pdfLocTop) {
    const Symbology& symbology = Lookup(bcdTyp);
    if (symbology.ratio == RatioRule::None) {
        std::string message = "Magnification for Barcode type ";
        quillon::AppendInt(message, bcdTyp);
        message += " not handled";
        throw std::invalid_argument(message);
    }
    const float dpu = DotsPerUnit(res, ruler);
    // Products of widths are formed in 64 bits: 3n of a huge width must not
    // overflow.
    const long long n = BarDots(narrowBar, dpu);
    const long long w = BarDots(wideBar, dpu);

    quillon::VornCommand cmd(out, "BARCODE");
    cmd.Int(quillon::TruncToInt(start->getX() * dpu)).Int(quillon::TruncToInt(start->getY() * dpu));
    cmd.Framed(symbology.vornKeyword, VORN::GetPrintableDataFrameChar(symbology.vornKeyword));
    if (height > 0.0f) {
        // The printer multiplies by its resolution, so the height is taken
        // in inches; the human-readable line takes 0.3 of it.
        const float h = printHumanReadable ? (height * 10.0f - 3.0f) / 10.0f : height * 10.0f / 10.0f;
        cmd.Text("INT(").MoreFixed6(h).More("*DPI)");
    }
    cmd.Text(printHumanReadable ? "2" : "0");
    switch (rotation) {
        case VORN::ClockWise:
            cmd.Text("r90").Text("90");
            break;
        case VORN::CounterClockWise:
            cmd.Text("r270").Text("270");
            break;
        case VORN::Inverted:
            cmd.Text("r180").Text("180");
            break;
        default:
            cmd.Text("0");
            break;
    }
    switch (symbology.ratio) {
        case RatioRule::OneToThree:
            if (w != 3 * n) quillon::Notice("Narrow:Wide must be 1:3");
            cmd.Int(n).Int(3 * n);
            break;
        case RatioRule::TwoOrThree:
            if (w == 2 * n || w == 3 * n || 5 * n == 2 * w) {
                cmd.Int(n).Int(w);
            } else {
                quillon::Notice("Narrow:Wide must be 1:2 or 1:3 or 2:5");
                cmd.Int(n).Int(3 * n);
            }
            break;
        case RatioRule::OneToOne:
            if (w != n) quillon::Notice("Narrow:Wide must be 1:1");
            cmd.Int(n).Int(n);
            break;
        case RatioRule::None:
            break;
    }
    cmd.Framed(content, VORN::GetPrintableDataFrameChar(content));
    cmd.End();
    if (pdfLocTop) quillon::Notice("Parameter [PdfLocTop] is not supported.");
}

void VornForm::GetBarcode1DString_kesh(std::string& out, IPrintResolution* res, IRuler* ruler, IPoint* start,
                                       std::string_view content, float narrowBar, float wideBar, float height,
                                       int bcdTyp, bool printHumanReadable, int rotation, bool) {
    const Symbology& symbology = Lookup(bcdTyp);
    const float dpu = DotsPerUnit(res, ruler);

    // Parameters are formatted into one stack buffer; each is a view of it
    // or of a constant.
    char buffer[160];
    char* pos = buffer;
    char* const end = buffer + sizeof buffer;
    auto put = [&pos](std::string_view text) {
        for (char c : text) *pos++ = c;
    };
    auto putInt = [&pos, end](long long value) { pos = std::to_chars(pos, end, value).ptr; };

    const char* widthsBegin = pos;
    put("XRD");
    if (symbology.ratio != RatioRule::None) {
        const int n = BarDots(narrowBar, dpu);
        const int w = BarDots(wideBar, dpu);
        // The two intermediate classes split the sum of narrow and wide in
        // the ruler's unit, 2/5 and 3/5.
        const int a = BarDots(2.0f * (narrowBar + wideBar) / 5.0f, dpu);
        const int b = BarDots(3.0f * (narrowBar + wideBar) / 5.0f, dpu);
        const int four[] = {n, n, a, a, b, b, w, w};
        const int two[] = {n, n, w, w};
        const int* widths = symbology.fourWidths ? four : two;
        const int count = symbology.fourWidths ? 8 : 4;
        for (int i = 0; i < count; ++i) {
            if (i != 0) *pos++ = ':';
            putInt(widths[i]);
        }
    }
    const std::string_view widths(widthsBegin, static_cast<size_t>(pos - widthsBegin));

    // The height is ten times the value in the caller's unit, not dots.
    const char* heightBegin = pos;
    *pos++ = 'H';
    putInt(quillon::TruncToInt(height * 10.0f));
    const std::string_view heightParam(heightBegin, static_cast<size_t>(pos - heightBegin));

    const char* rowBegin = pos;
    putInt(quillon::TruncToInt(start->getY() * dpu));
    const std::string_view row(rowBegin, static_cast<size_t>(pos - rowBegin));
    const char* columnBegin = pos;
    putInt(quillon::TruncToInt(start->getX() * dpu));
    const std::string_view column(columnBegin, static_cast<size_t>(pos - columnBegin));

    // The data parameter is the content between two frame characters.
    const bool contentHasAsterisk = content.find(KESH::DataFrameChar) != std::string::npos;
    const char frame = contentHasAsterisk ? KESH::GetPrintableDataFrameChar(content) : KESH::DataFrameChar;
    constexpr size_t kData = 5;

    std::string_view params[8] = {symbology.keshKeyword,          widths, heightParam, row, column, {},
                                  printHumanReadable ? "PDF" : ""};
    size_t count = 7;
    if (rotation >= KESH::ClockWise && rotation <= KESH::Inverted)
        params[count++] = KESH::GetRotation(rotation);

    // Parameters are joined by ";", but the printer wants the data on a line
    // of its own: a parameter holding an asterisk (the data always does, as
    // frame or content) replaces the separator before it by a line break,
    // and the last parameter stands alone on the final line.
    out += "BARCODE\r\n";
    const size_t last = count - 1;
    for (size_t i = 0; i < count; ++i) {
        const bool asterisk = i == kData ? frame == KESH::DataFrameChar || contentHasAsterisk
                                         : params[i].find(KESH::DataFrameChar) != std::string_view::npos;
        if (i != 0 && i != last) out += ';';
        if (asterisk) {
            out.pop_back();
            out += "\r\n";
        }
        if (i == last) out += "\r\n";
        if (i == kData) {
            out += frame;
            out += content;
            out += frame;
        } else {
            out += params[i];
        }
    }
    out += "\r\nSTOP\r\n";
}
