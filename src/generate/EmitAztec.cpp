// Aztec symbols: the VORN emitter, its KESH twin, and the size estimate VORN
// needs to place a rotated symbol.
#include <climits>
#include <stdexcept>

#include "generate/CommandText.h"
#include "generate/Emitters.h"
#include "model/IBcdAztec.h"

namespace quillon {

namespace {

enum AztecCodeType : int { kDefault = 0, kFixedErrCorrection = 1, kCompact = 2, kFull = 3, kRune = 4 };

// Share of error correction the printer uses when the caller names none.
constexpr int kDefaultEccPercent = 23;
// The largest symbol has 32 layers.
constexpr int kMaxLayers = 32;

// Side of a symbol with `layers` layers, in modules.
int ModulesForLayers(int layers) {
    return (layers - 1) * 4 + 15;
}

int ClampedLength(size_t size) {
    return size > static_cast<size_t>(INT_MAX) ? INT_MAX : static_cast<int>(size);
}

}  // namespace

int AztecTotalCodewords(int layers) {
    if (layers == 1) return 88;
    long long total = 16LL * layers + 88;
    if (layers >= 3) {
        // Sum of 15 * (2k - 3) over the even k from 2 below `layers`; with m
        // such k it is 15 * (2m^2 - m). Beyond the symbol's 32 layers the
        // value only has to stay defined.
        if (layers > 100000) return INT_MAX;
        const long long m = (layers - 1) / 2;
        total += 15 * (2 * m * m - m);
    }
    if (total > INT_MAX) return INT_MAX;
    if (total < INT_MIN) return INT_MIN;
    return static_cast<int>(total);
}

int AztecLengthWithEcc(int dataLength, int eccPercentage) {
    // Double precision on purpose: this is the printer's own estimate.
    return TruncToInt(static_cast<double>(dataLength) * (static_cast<double>(eccPercentage) / 100.0 + 1.0));
}

int AztecModuleCount(int dataSize, int errorCorrectionPercentage) {
    for (int layers = 1; layers <= kMaxLayers; ++layers) {
        const long long total = AztecTotalCodewords(layers);
        const long long correction =
            static_cast<long long>(static_cast<double>(total * errorCorrectionPercentage) / 100.0);
        if (total - correction >= dataSize) return ModulesForLayers(layers);
    }
    return -1;
}

void EmitAztec(TextBuffer& out, const Dots& dots, const AztecArgs& a) {
    const int length = ClampedLength(a.content.size());
    int modules = 0;
    int format = 0;
    switch (a.codeTyp) {
        case kDefault: {
            const int withEcc = AztecLengthWithEcc(length, kDefaultEccPercent);
            const int estimate = withEcc > INT_MAX - 3 ? INT_MAX : withEcc + 3;
            modules = AztecModuleCount(estimate, kDefaultEccPercent);
            break;
        }
        case kFixedErrCorrection: {
            const int percent = AztecErrCorrectionPercent(a.fixedErrCorrection);
            modules = AztecModuleCount(AztecLengthWithEcc(length, percent), percent);
            format = percent;
            break;
        }
        case kCompact:
        case kFull: {
            const int layers = AztecLayersWithinRange(a.layers, a.codeTyp);
            modules = ModulesForLayers(layers);
            format = (a.codeTyp == kCompact ? 100 : 200) + layers;
            break;
        }
        case kRune:
            modules = ModulesForLayers(1);
            format = 300;
            break;
        default:
            throw std::runtime_error("Unknown");
    }

    // The printer turns the symbol about its anchor, so a rotated symbol is
    // anchored at the corner that lands top-left.
    const Anchor at = AnchorOf(dots, a.x, a.y);
    const int cell = dots.Module(a.xdim);
    const int farX = Dots::WrappedSum(at.x, modules, cell);
    const int farY = Dots::WrappedSum(at.y, modules, cell);
    VornCommand cmd(out, VORN::GetBarcodeType2D(VORN::AZTEC));
    switch (a.rotation) {
        case VORN::None:
            cmd.Int(at.x).Int(at.y);
            break;
        case VORN::ClockWise:
            cmd.Int(farX).Int(at.y);
            break;
        case VORN::CounterClockWise:
            cmd.Int(at.x).Int(farY);
            break;
        case VORN::Inverted:
            cmd.Int(farX).Int(farY);
            break;
        default:
            break;
    }
    const bool turned = a.rotation >= VORN::ClockWise && a.rotation <= VORN::Inverted;
    cmd.Text(VORN::GetRotation(turned ? a.rotation : VORN::None));
    if (a.xdim > 0) cmd.Int(cell);
    cmd.Int(format).Text("1").Framed(a.content).End();
}

void EmitAztec_kesh(TextBuffer& out, const Dots& dots, const AztecArgs& a) {
    // KESH names the kind and its percentage or layers; it needs no size.
    int code = 0;
    int layers = 0;
    switch (a.codeTyp) {
        case kFixedErrCorrection:
            code = AztecErrCorrectionPercent(a.fixedErrCorrection);
            break;
        case kCompact:
            code = 100;
            layers = AztecLayersWithinRange(a.layers, kCompact);
            break;
        case kFull:
            code = 101;
            layers = AztecLayersWithinRange(a.layers, kFull);
            break;
        case kRune:
            code = 102;
            break;
        default:
            break;
    }

    const Anchor at = AnchorOf(dots, a.x, a.y);
    const int cell = dots.Module(a.xdim);
    KeshBlock block(out, "BARCODE");
    block.Text(KESH::GetBarcodeType2D(KESH::AZTEC)).Text("XD").MoreInt(cell);
    const std::string_view turn = KESH::GetRotation(a.rotation);
    if (!turn.empty()) block.Text(turn);
    if (a.xdim > 0) block.Int(cell);
    block.Text("FORMAT").MoreInt(code).MoreInt(KESH::ValueDelimiter, layers);
    // An empty line stands between the parameters and the data.
    block.Int(at.y).Int(at.x).EndLine().EndLine();
    block.Framed(a.content, KESH::GetPrintableDataFrameChar(a.content)).Stop();
}

}  // namespace quillon
