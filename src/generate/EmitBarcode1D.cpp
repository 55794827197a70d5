// One-dimensional barcodes. Both languages take the bar widths in dots,
// rounded by adding 0.5 and truncating toward zero (so -1.2 dots gives 0),
// and frame the data; VORN states the narrow:wide ratio the symbology
// accepts, KESH lists the width of every bar and space class.
#include <stdexcept>

#include "generate/CommandText.h"
#include "generate/Emitters.h"

namespace quillon {

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

}  // namespace

float VornBarcodeHeight(const Barcode1DArgs& a) {
    // The printer multiplies by its resolution, so the height is taken in
    // inches; the human-readable line takes 0.3 of it.
    return a.printHumanReadable ? (a.height * 10.0f - 3.0f) / 10.0f : a.height * 10.0f / 10.0f;
}

void EmitBarcode1D(TextBuffer& out, NoticeSink& notices, const Dots& dots, const Barcode1DArgs& a) {
    const Symbology& symbology = Lookup(a.bcdTyp);
    if (symbology.ratio == RatioRule::None)
        throw std::invalid_argument("Magnification for Barcode type " + IntToString(a.bcdTyp) +
                                    " not handled");
    // Products of widths are formed in 64 bits: 3n of a huge width must not
    // overflow.
    const long long n = dots.Bar(a.narrowBar);
    const long long w = dots.Bar(a.wideBar);

    const Anchor at = AnchorOf(dots, a.x, a.y);
    VornCommand cmd(out, "BARCODE");
    cmd.Int(at.x).Int(at.y);
    cmd.Framed(symbology.vornKeyword, VORN::GetPrintableDataFrameChar(symbology.vornKeyword));
    if (a.height > 0.0f) cmd.Text("INT(").MoreFixed6(VornBarcodeHeight(a)).More("*DPI)");
    cmd.Text(a.printHumanReadable ? "2" : "0");
    switch (a.rotation) {
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
            if (w != 3 * n) notices.Notice("Narrow:Wide must be 1:3");
            cmd.Int(n).Int(3 * n);
            break;
        case RatioRule::TwoOrThree:
            if (w == 2 * n || w == 3 * n || 5 * n == 2 * w) {
                cmd.Int(n).Int(w);
            } else {
                notices.Notice("Narrow:Wide must be 1:2 or 1:3 or 2:5");
                cmd.Int(n).Int(3 * n);
            }
            break;
        case RatioRule::OneToOne:
            if (w != n) notices.Notice("Narrow:Wide must be 1:1");
            cmd.Int(n).Int(n);
            break;
        case RatioRule::None:
            break;
    }
    cmd.Framed(a.content, VORN::GetPrintableDataFrameChar(a.content)).End();
    if (a.pdfLocTop) notices.Notice("Parameter [PdfLocTop] is not supported.");
}

void EmitBarcode1D_kesh(TextBuffer& out, NoticeSink&, const Dots& dots, const Barcode1DArgs& a) {
    const Symbology& symbology = Lookup(a.bcdTyp);
    KeshBlock block(out, "BARCODE");
    block.Text(symbology.keshKeyword).Text("XRD");
    if (symbology.ratio != RatioRule::None) {
        const int n = dots.Bar(a.narrowBar);
        const int w = dots.Bar(a.wideBar);
        // The two intermediate classes split the sum of narrow and wide in
        // the ruler's unit, 2/5 and 3/5.
        const int c = dots.Bar(2.0f * (a.narrowBar + a.wideBar) / 5.0f);
        const int b = dots.Bar(3.0f * (a.narrowBar + a.wideBar) / 5.0f);
        block.MoreInt(n).MoreInt(KESH::WidthDelimiter, n);
        if (symbology.fourWidths) block.MoreInt(KESH::WidthDelimiter, c).MoreInt(KESH::WidthDelimiter, c);
        if (symbology.fourWidths) block.MoreInt(KESH::WidthDelimiter, b).MoreInt(KESH::WidthDelimiter, b);
        block.MoreInt(KESH::WidthDelimiter, w).MoreInt(KESH::WidthDelimiter, w);
    }
    // The height is ten times the value in the caller's unit, not dots.
    const Anchor at = AnchorOf(dots, a.x, a.y);
    block.Text("H").MoreInt(TruncToInt(a.height * 10.0f)).Int(at.y).Int(at.x).EndLine();
    // The data stands on a line of its own, the human-readable flag after
    // it; a rotation goes on a last line, which moves the flag up to the
    // data's line.
    block.Framed(a.content, KESH::GetPrintableDataFrameChar(a.content));
    const bool turned = a.rotation >= KESH::ClockWise && a.rotation <= KESH::Inverted;
    if (!turned) block.EndLine();
    block.Text(a.printHumanReadable ? "PDF" : "");
    if (turned) block.EndLine().Text(KESH::GetRotation(a.rotation));
    block.Stop();
}

}  // namespace quillon
