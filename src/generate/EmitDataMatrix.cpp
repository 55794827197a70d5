// DataMatrix symbols: the VORN emitter, then its KESH twin. The data written
// is the all-text value the adding function recorded: the content and the
// expanded multi-line text.
#include <iterator>

#include "generate/CommandText.h"
#include "generate/Emitters.h"

namespace quillon {

namespace {

bool RowsColsRequested(const DataMatrixArgs& a) {
    return a.rows >= 1 && a.cols >= 1;
}

// Symbol height in dots that a counter-clockwise symbol without given rows
// and columns is assumed to have, from the data length (digits count once,
// every other byte twice). 0 when no table fits the resolution, -1 when the
// data is longer than the table reaches.
constexpr size_t kLengthLimits[] = {10, 20, 32, 64, 98};
constexpr int kSize600[] = {420, 630, 540, 690, 870};
constexpr int kSize300[] = {219, 331, 283, 363, 459};
constexpr int kSize203[] = {140, 210, 180, 230, 290};

int EstimatedSize(std::string_view data, float dotsPerUnit) {
    const int* sizes = nullptr;
    // Exact comparisons: the table belongs to inch rulers at these
    // resolutions and nothing else.
    if (dotsPerUnit == 600.0f)
        sizes = kSize600;
    else if (dotsPerUnit == 300.0f)
        sizes = kSize300;
    else if (dotsPerUnit == 203.0f || dotsPerUnit == 200.0f)
        sizes = kSize203;
    if (sizes == nullptr) return 0;
    size_t weighted = 0;
    for (char c : data) weighted += (c >= '0' && c <= '9') ? 1 : 2;
    for (size_t i = 0; i < std::size(kLengthLimits); ++i)
        if (weighted <= kLengthLimits[i]) return sizes[i];
    return -1;
}

}  // namespace

float DataMatrixModule(float xdim) {
    return xdim == -1.0f ? 0.015f : xdim;
}

int DataMatrixCell(const Dots& dots, float xdim) {
    const float module = DataMatrixModule(xdim);
    return module > 0 ? dots.Module(module) : 1;
}

void EmitDataMatrix(TextBuffer& out, NoticeSink& notices, const Dots& dots, const DataMatrixArgs& a) {
    static constexpr std::string_view kAngles[] = {"", "r90", "r270", "r180"};
    const Anchor at = AnchorOf(dots, a.x, a.y);
    const float xdim = DataMatrixModule(a.xdim);
    const int cell = DataMatrixCell(dots, a.xdim);
    const bool requested = RowsColsRequested(a);

    // The printer turns a symbol about its anchor, so a rotated symbol's
    // anchor moves by its size to keep the symbol where it was placed.
    const size_t before = out.size();
    VornCommand cmd(out, VORN::GetBarcodeType2D(VORN::DMATRIX));
    switch (a.rotation) {
        case VORN::None:
            cmd.Int(at.x).Int(at.y);
            break;
        case VORN::ClockWise:
            if (requested) cmd.Int(Dots::WrappedSum(at.x, a.cols, cell)).Int(at.y);
            break;
        case VORN::CounterClockWise:
            cmd.Int(at.x);
            if (requested) {
                cmd.Int(Dots::WrappedSum(at.y, a.rows, cell));
            } else if (!a.allStr.empty()) {
                const int size = EstimatedSize(a.allStr, dots.PerUnit());
                if (size < 0) {
                    // The symbol is dropped, not the label.
                    out.Truncate(before);
                    notices.Warning("Out of string length!!");
                    return;
                }
                if (size > 0) cmd.Int(size);
            }
            break;
        case VORN::Inverted:
            if (requested)
                cmd.Int(Dots::WrappedSum(at.x, a.rows, cell)).Int(Dots::WrappedSum(at.y, a.cols, cell));
            break;
        default:
            break;
    }
    cmd.Text("144000").Text("144000").Text("c126");
    if (xdim > 0) cmd.Text("x").MoreInt(cell);
    if (a.rotation >= 1 && a.rotation <= 3) cmd.Text(kAngles[a.rotation]);
    if (a.useRectangle) cmd.Text("a1");
    if (requested) cmd.Int(a.rows).Int(a.cols);
    cmd.Framed(a.allStr).End();
}

void EmitDataMatrix_kesh(TextBuffer& out, NoticeSink&, const Dots& dots, const DataMatrixArgs& a) {
    const Anchor at = AnchorOf(dots, a.x, a.y);
    const float xdim = DataMatrixModule(a.xdim);
    KeshBlock block(out, "BARCODE");
    block.Text(KESH::GetBarcodeType2D(KESH::DMATRIX));
    const std::string_view turn = KESH::GetRotation(a.rotation);
    if (!turn.empty()) block.Text(turn);
    if (xdim > 0) block.Text("XD").MoreInt(DataMatrixCell(dots, a.xdim));
    if (RowsColsRequested(a)) block.Text("C").MoreInt(a.cols).Text("R").MoreInt(a.rows);
    if (a.useRectangle) block.Text("SH2");
    block.Text("ECC200").Int(at.y).Int(at.x).EndLine();
    block.Framed(a.allStr, KESH::GetPrintableDataFrameChar(a.allStr)).Stop();
}

}  // namespace quillon
