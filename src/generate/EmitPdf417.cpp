// PDF417 symbols. The VORN command gives the printer the symbol's outer
// width and its rotated anchor, so the data is run through the encoder to
// learn the rows and columns the printer will draw; the KESH command passes
// the requested sizes through.
#include "generate/CommandText.h"
#include "generate/Emitters.h"
#include "pdf417/Pdf417Encoder.h"

namespace quillon {

namespace {

// The printer's limits on requested counts.
constexpr int kColumnsMin = 1;
constexpr int kColumnsMax = 90;
constexpr int kRowsMin = 3;
constexpr int kRowsMax = 90;
// The level the printer uses when none is given.
constexpr int kDefaultLevel = 2;

}  // namespace

int LimitRange(int value, int min, int max) {
    return value < min ? min : (value < max ? value : max);
}

Pdf417Shape ShapePdf417(const Dots& dots, const Pdf417Args& a) {
    // The encoder keeps its own copy of the data.
    const std::string content(a.content);
    const int level = a.errorCorrection == -1 ? kDefaultLevel : a.errorCorrection;

    Pdf417Encoder encoder;
    encoder.SetEncodingControl(Pdf417Encoder::Auto);
    if (level >= 0 && level <= 8)
        encoder.ErrorCorrection(static_cast<Pdf417Encoder::ErrorCorrectionLevel>(level));
    if (a.xdim > 0) encoder.NarrowBarWidth(dots.Module(a.xdim));
    if (a.ydim > 0) encoder.RowHeight(dots.Module(a.ydim));
    encoder.QuietZone(2 * encoder.NarrowBarWidth());
    encoder.DefaultDataColumns(1);
    encoder.Encode(content);
    if (a.cols > 0) {
        encoder.SetDataColumns(LimitRange(a.cols, kColumnsMin, kColumnsMax));
    } else if (a.rows > 0) {
        encoder.SetDataRows(LimitRange(a.rows, kRowsMin, kRowsMax));
    } else {
        encoder.DefaultDataColumns(encoder.aspect_1to2_column());
        encoder.Encode(content);
    }
    return {encoder.NarrowBarWidth(), encoder.RowHeight(), encoder.DataRows, encoder.DataColumns, level};
}

void EmitPdf417(TextBuffer& out, const Dots& dots, const Pdf417Args& a) {
    const Pdf417Shape shape = ShapePdf417(dots, a);
    // Wide enough not to overflow: every factor is bounded by the encoder.
    const long long width = 1LL * shape.barWidth * Pdf417Encoder::ModulesInCodeword * (shape.columns + 4);
    const long long height = 1LL * shape.rowHeight * shape.rows;
    const long long right = width + 2LL * shape.barWidth;
    const long long bottom = height + 2LL * shape.rowHeight;

    const Anchor at = AnchorOf(dots, a.x, a.y);
    VornCommand cmd(out, VORN::GetBarcodeType2D(VORN::PDF417));
    switch (a.rotation) {
        case VORN::None:
            cmd.Int(at.x).Int(at.y);
            break;
        case VORN::ClockWise:
            cmd.Int(at.x + bottom).Int(at.y);
            break;
        case VORN::CounterClockWise:
            cmd.Int(at.x).Int(at.y + right);
            break;
        case VORN::Inverted:
            cmd.Int(at.x + right).Int(at.y + bottom);
            break;
        default:
            break;
    }
    cmd.Int(width).Int(0).Text(VORN::GetRotation(a.rotation));
    if (a.xdim > 0) cmd.Text("W").MoreInt(shape.barWidth);
    if (a.ydim > 0) cmd.Text("H").MoreInt(shape.rowHeight);
    cmd.Text("C").MoreInt(a.cols < 1 ? shape.columns : LimitRange(a.cols, kColumnsMin, kColumnsMax));
    cmd.Text("E").MoreInt(shape.level).Framed(a.content).End();
}

void EmitPdf417_kesh(TextBuffer& out, const Dots& dots, const Pdf417Args& a) {
    const Anchor at = AnchorOf(dots, a.x, a.y);
    KeshBlock block(out, "BARCODE");
    block.Text(KESH::GetBarcodeType2D(KESH::PDF417));
    const std::string_view turn = KESH::GetRotation(a.rotation);
    if (!turn.empty()) block.Text(turn);
    if (a.xdim > 0) block.Text("XD").MoreInt(dots.Module(a.xdim));
    if (a.ydim > 0) block.Text("YD").MoreInt(dots.Module(a.ydim));
    if (a.cols > 0) block.Text("C").MoreInt(LimitRange(a.cols, kColumnsMin, kColumnsMax));
    if (a.rows > 0) block.Text("R").MoreInt(LimitRange(a.rows, kRowsMin, kRowsMax));
    block.Text("S").MoreInt(a.errorCorrection == -1 ? kDefaultLevel : a.errorCorrection);
    block.Int(at.y).Int(at.x).EndLine();
    block.Framed(a.content, KESH::GetPrintableDataFrameChar(a.content)).Stop();
}

}  // namespace quillon
