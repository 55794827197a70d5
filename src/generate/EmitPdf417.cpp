// PDF417 symbols. The VORN command gives the printer the symbol's outer
// width and its rotated anchor, so the data is run through the encoder to
// learn the rows and columns the printer will draw; the KESH command passes
// the requested sizes through.

#include "generate/CommandText.h"
#include "generate/KESH.h"
#include "generate/VORN.h"
#include "label/Numeric.h"
#include "label/VornForm.h"
#include "pdf417/Pdf417Encoder.h"

namespace {

// The printer's limits on requested counts.
constexpr int kColumnsMin = 1;
constexpr int kColumnsMax = 90;
constexpr int kRowsMin = 3;
constexpr int kRowsMax = 90;
// The level the printer uses when none is given.
constexpr int kDefaultLevel = 2;

int LimitRange(int value, int min, int max) {
    return value < min ? min : (value < max ? value : max);
}

struct Placement {
    int x;
    int y;
    float dpu;
};

Placement Place(IPrintResolution* res, IRuler* ruler, IPoint* start) {
    PrintPlane plane;
    const float dpu = plane.DotsPerUnit(ruler, res);
    return {quillon::TruncToInt(start->getX() * dpu), quillon::TruncToInt(start->getY() * dpu), dpu};
}

}  // namespace

void VornForm::GetPDF417(std::string& out, IPrintResolution* res, IRuler* ruler, IPoint* start,
                         std::string_view contentView, float xdim, float ydim, int errorCorrection, int row,
                         int col, int rotation) {
    // The encoder keeps its own copy of the data.
    const std::string content(contentView);
    const Placement at = Place(res, ruler, start);
    if (errorCorrection == -1) errorCorrection = kDefaultLevel;

    Pdf417Encoder encoder;
    encoder.SetEncodingControl(Pdf417Encoder::Auto);
    if (errorCorrection >= 0 && errorCorrection <= 8)
        encoder.ErrorCorrection(static_cast<Pdf417Encoder::ErrorCorrectionLevel>(errorCorrection));
    const int barWidth = xdim > 0 ? PrintPlane::Round(xdim * at.dpu) : 0;
    const int rowHeight = ydim > 0 ? PrintPlane::Round(ydim * at.dpu) : 0;
    if (xdim > 0) encoder.NarrowBarWidth(barWidth);
    if (ydim > 0) encoder.RowHeight(rowHeight);
    encoder.QuietZone(2 * encoder.NarrowBarWidth());
    encoder.DefaultDataColumns(1);
    encoder.Encode(content);
    if (col > 0) {
        encoder.SetDataColumns(LimitRange(col, kColumnsMin, kColumnsMax));
    } else if (row > 0) {
        encoder.SetDataRows(LimitRange(row, kRowsMin, kRowsMax));
    } else {
        encoder.DefaultDataColumns(encoder.aspect_1to2_column());
        encoder.Encode(content);
    }
    // Wide enough not to overflow: every factor is bounded by the encoder.
    const long long width =
        1LL * encoder.NarrowBarWidth() * Pdf417Encoder::ModulesInCodeword * (encoder.DataColumns + 4);
    const long long height = 1LL * encoder.RowHeight() * encoder.DataRows;

    quillon::VornCommand cmd(out, VORN::GetBarcodeType2D(VORN::PDF417));
    switch (rotation) {
        case VORN::None:
            cmd.Int(at.x).Int(at.y);
            break;
        case VORN::ClockWise:
            cmd.Int(at.x + height + 2LL * encoder.RowHeight()).Int(at.y);
            break;
        case VORN::CounterClockWise:
            cmd.Int(at.x).Int(at.y + width + 2LL * encoder.NarrowBarWidth());
            break;
        case VORN::Inverted:
            cmd.Int(at.x + width + 2LL * encoder.NarrowBarWidth())
                .Int(at.y + height + 2LL * encoder.RowHeight());
            break;
        default:
            break;
    }
    cmd.Int(width).Int(0).Text(VORN::GetRotation(rotation));
    std::string param;
    if (xdim > 0) cmd.Text(param.assign("W").append(quillon::IntToString(barWidth)));
    if (ydim > 0) cmd.Text(param.assign("H").append(quillon::IntToString(rowHeight)));
    param.assign("C");
    quillon::AppendInt(param, col < 1 ? encoder.DataColumns : LimitRange(col, kColumnsMin, kColumnsMax));
    cmd.Text(param);
    param.assign("E");
    quillon::AppendInt(param, errorCorrection);
    cmd.Text(param).Framed(content, VORN::DataFrameChar);
    cmd.End();
}

void VornForm::GetPDF417_kesh(std::string& out, IPrintResolution* res, IRuler* ruler, IPoint* start,
                              std::string_view content, float xdim, float ydim, int errorCorrection, int row,
                              int col, int rotation) {
    const Placement at = Place(res, ruler, start);
    if (errorCorrection == -1) errorCorrection = kDefaultLevel;

    quillon::KeshBlock block(out, "BARCODE");
    block.Text(KESH::GetBarcodeType2D(KESH::PDF417));
    const std::string_view turn = KESH::GetRotation(rotation);
    if (!turn.empty()) block.Text(turn);
    std::string param;
    auto add = [&](const char* key, long long value) {
        param.assign(key);
        quillon::AppendInt(param, value);
        block.Text(param);
    };
    if (xdim > 0) add("XD", PrintPlane::Round(xdim * at.dpu));
    if (ydim > 0) add("YD", PrintPlane::Round(ydim * at.dpu));
    if (col > 0) add("C", LimitRange(col, kColumnsMin, kColumnsMax));
    if (row > 0) add("R", LimitRange(row, kRowsMin, kRowsMax));
    add("S", errorCorrection);
    block.Int(at.y).Int(at.x).EndLine();
    const char frame = KESH::GetPrintableDataFrameChar(content);
    param.assign(1, frame).append(content).push_back(frame);
    block.Text(param).Stop();
}
