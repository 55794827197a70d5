// DataMatrix symbols: the VORN emitter, then its KESH twin.

#include <cstdint>
#include <string_view>

#include "generate/CommandText.h"
#include "generate/KESH.h"
#include "generate/Notice.h"
#include "generate/VORN.h"
#include "label/Numeric.h"
#include "label/VornForm.h"

namespace {

struct DMGeometry {
    float dpu;
    int x;
    int y;
    float xdim;  // after the default for -1
    int cell;
};

DMGeometry ToDots(IPrintResolution* res, IRuler* ruler, IPoint* start, float xdim) {
    PrintPlane plane;
    DMGeometry g{};
    g.dpu = plane.DotsPerUnit(ruler, res);
    g.x = quillon::TruncToInt(start->getX() * g.dpu);
    g.y = quillon::TruncToInt(start->getY() * g.dpu);
    // -1 stands for "not given": 0.015 in the ruler's unit.
    g.xdim = xdim == -1.0f ? 0.015f : xdim;
    g.cell = g.xdim > 0 ? PrintPlane::Round(g.xdim * g.dpu) : 1;
    return g;
}

bool RowsColsRequested(int rows, int cols) {
    return rows >= 1 && cols >= 1;
}

// count x cell + base, wrapping like the printer's 32-bit arithmetic instead
// of overflowing.
int Offset(int count, int cell, int base) {
    const uint32_t sum =
        static_cast<uint32_t>(count) * static_cast<uint32_t>(cell) + static_cast<uint32_t>(base);
    return static_cast<int>(sum);
}

// Symbol height in dots that a counter-clockwise symbol without given rows
// and columns is assumed to have, from the data length (digits count once,
// every other byte twice). 0 when no table fits the resolution, -1 when the
// data is longer than the table reaches.
constexpr size_t kLengthLimits[] = {10, 20, 32, 64, 98};
constexpr int kSize600[] = {420, 630, 540, 690, 870};
constexpr int kSize300[] = {219, 331, 283, 363, 459};
constexpr int kSize203[] = {140, 210, 180, 230, 290};

int EstimatedSize(std::string_view data, float dpu) {
    const int* sizes = nullptr;
    // Exact comparisons: the table belongs to inch rulers at these
    // resolutions and nothing else.
    if (dpu == 600.0f)
        sizes = kSize600;
    else if (dpu == 300.0f)
        sizes = kSize300;
    else if (dpu == 203.0f || dpu == 200.0f)
        sizes = kSize203;
    if (sizes == nullptr) return 0;
    size_t weighted = 0;
    for (char c : data) weighted += (c >= '0' && c <= '9') ? 1 : 2;
    for (size_t i = 0; i < std::size(kLengthLimits); ++i)
        if (weighted <= kLengthLimits[i]) return sizes[i];
    return -1;
}

}  // namespace

void VornForm::GetDataMatrixString(std::string& out, IPrintResolution* res, IRuler* ruler, IPoint* start,
                                   std::string_view, float xdim, bool useRectangle, std::string_view,
                                   std::string_view allStr, char, char, int rows, int cols, int rotation) {
    static constexpr std::string_view kAngles[] = {"", "r90", "r270", "r180"};
    const DMGeometry g = ToDots(res, ruler, start, xdim);
    const bool requested = RowsColsRequested(rows, cols);

    // The printer turns a symbol about its anchor, so a rotated symbol's
    // anchor moves by its size to keep the symbol where it was placed.
    const size_t before = out.size();
    quillon::VornCommand cmd(out, VORN::GetBarcodeType2D(VORN::DMATRIX));
    switch (rotation) {
        case 0:
            cmd.Int(g.x).Int(g.y);
            break;
        case 1:
            if (requested) cmd.Int(Offset(cols, g.cell, g.x)).Int(g.y);
            break;
        case 2:
            cmd.Int(g.x);
            if (requested) {
                cmd.Int(Offset(rows, g.cell, g.y));
            } else if (!allStr.empty()) {
                const int size = EstimatedSize(allStr, g.dpu);
                if (size < 0) {
                    // The symbol is dropped, not the label.
                    out.resize(before);
                    quillon::Warning("Out of string length!!");
                    return;
                }
                if (size > 0) cmd.Int(size);
            }
            break;
        case 3:
            if (requested) cmd.Int(Offset(rows, g.cell, g.x)).Int(Offset(cols, g.cell, g.y));
            break;
        default:
            break;
    }
    cmd.Text("144000").Text("144000").Text("c126");
    if (g.xdim > 0) {
        std::string param = "x";
        quillon::AppendInt(param, g.cell);
        cmd.Text(param);
    }
    if (rotation >= 1 && rotation <= 3) cmd.Text(kAngles[rotation]);
    if (useRectangle) cmd.Text("a1");
    if (requested) cmd.Int(rows).Int(cols);
    cmd.Framed(allStr, VORN::DataFrameChar).End();
}

void VornForm::GetDataMatrixString_kesh(std::string& out, IPrintResolution* res, IRuler* ruler, IPoint* start,
                                        std::string_view, float xdim, bool useRectangle, std::string_view,
                                        std::string_view allStr, char, char, int rows, int cols,
                                        int rotation) {
    const DMGeometry g = ToDots(res, ruler, start, xdim);

    quillon::KeshBlock block(out, "BARCODE");
    block.Text(KESH::GetBarcodeType2D(KESH::DMATRIX));
    const std::string_view turn = KESH::GetRotation(rotation);
    if (!turn.empty()) block.Text(turn);
    std::string param;
    if (g.xdim > 0) {
        param = "XD";
        quillon::AppendInt(param, g.cell);
        block.Text(param);
    }
    if (RowsColsRequested(rows, cols)) {
        param = "C";
        quillon::AppendInt(param, cols);
        block.Text(param);
        param = "R";
        quillon::AppendInt(param, rows);
        block.Text(param);
    }
    if (useRectangle) block.Text("SH2");
    block.Text("ECC200").Int(g.y).Int(g.x).EndLine();

    const char frame = KESH::GetPrintableDataFrameChar(allStr);
    param.assign(1, frame);
    param += allStr;
    param.push_back(frame);
    block.Text(param).Stop();
}
