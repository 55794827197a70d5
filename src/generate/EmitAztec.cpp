// Aztec symbols: the VORN emitter, its KESH twin, and the size estimate VORN
// needs to place a rotated symbol.

#include <climits>
#include <cstdint>
#include <stdexcept>

#include "generate/CommandText.h"
#include "generate/KESH.h"
#include "generate/VORN.h"
#include "label/Numeric.h"
#include "label/VornForm.h"
#include "model/IBcdAztec.h"

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

// base + modules * cell in two's complement: a huge module width wraps the
// anchor instead of overflowing.
int WrappedAnchor(int base, int modules, int cell) {
    const uint32_t sum =
        static_cast<uint32_t>(base) + static_cast<uint32_t>(modules) * static_cast<uint32_t>(cell);
    return static_cast<int32_t>(sum);
}

int ClampedLength(size_t size) {
    return size > static_cast<size_t>(INT_MAX) ? INT_MAX : static_cast<int>(size);
}

struct Placement {
    int x;
    int y;
    int cell;
};

Placement Place(IPrintResolution* res, IRuler* ruler, IPoint* start, float xdim) {
    PrintPlane plane(ruler);
    plane.setPrinterResolution(res);
    const float dpu = plane.DotsPerUnit(ruler, res);
    return {quillon::TruncToInt(start->getX() * dpu), quillon::TruncToInt(start->getY() * dpu),
            PrintPlane::Round(xdim * dpu)};
}

}  // namespace

int VornForm::GetErrCorrectionPercent(int FixedErrCorrection) {
    return quillon::AztecErrCorrectionPercent(FixedErrCorrection);
}

int VornForm::GetLayersWithinRange(int Layers, int Type) {
    return quillon::AztecLayersWithinRange(Layers, Type);
}

int VornForm::CalculateTotalCodewordsForLayers(int layers) {
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

int VornForm::CalculateLengthWithECC(int dataLength, int eccPercentage) {
    // Double precision on purpose: this is the printer's own estimate.
    return quillon::TruncToInt(static_cast<double>(dataLength) *
                               (static_cast<double>(eccPercentage) / 100.0 + 1.0));
}

int VornForm::CalculateAztecModuleCount(int dataSize, int errorCorrectionPercentage) {
    for (int layers = 1; layers <= kMaxLayers; ++layers) {
        const long long total = CalculateTotalCodewordsForLayers(layers);
        const long long correction =
            static_cast<long long>(static_cast<double>(total * errorCorrectionPercentage) / 100.0);
        if (total - correction >= dataSize) return ModulesForLayers(layers);
    }
    return -1;
}

void VornForm::GetAztecBarcodesString(std::string& out, IPrintResolution* res, IRuler* ruler, IPoint* start,
                                      std::string_view content, float xdim, int codeTyp,
                                      int fixedErrCorrection, int layers, int rotation) {
    const Placement at = Place(res, ruler, start, xdim);
    const int length = ClampedLength(content.size());

    int modules = 0;
    int format = 0;
    switch (codeTyp) {
        case kDefault: {
            const int withEcc = CalculateLengthWithECC(length, kDefaultEccPercent);
            const int estimate = withEcc > INT_MAX - 3 ? INT_MAX : withEcc + 3;
            modules = CalculateAztecModuleCount(estimate, kDefaultEccPercent);
            format = 0;
            break;
        }
        case kFixedErrCorrection: {
            const int percent = GetErrCorrectionPercent(fixedErrCorrection);
            modules = CalculateAztecModuleCount(CalculateLengthWithECC(length, percent), percent);
            format = percent;
            break;
        }
        case kCompact:
        case kFull: {
            const int clamped = GetLayersWithinRange(layers, codeTyp);
            modules = ModulesForLayers(clamped);
            format = (codeTyp == kCompact ? 100 : 200) + clamped;
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
    quillon::VornCommand cmd(out, VORN::GetBarcodeType2D(VORN::AZTEC));
    switch (rotation) {
        case VORN::None:
            cmd.Int(at.x).Int(at.y);
            break;
        case VORN::ClockWise:
            cmd.Int(WrappedAnchor(at.x, modules, at.cell)).Int(at.y);
            break;
        case VORN::CounterClockWise:
            cmd.Int(at.x).Int(WrappedAnchor(at.y, modules, at.cell));
            break;
        case VORN::Inverted:
            cmd.Int(WrappedAnchor(at.x, modules, at.cell)).Int(WrappedAnchor(at.y, modules, at.cell));
            break;
        default:
            break;
    }
    const bool turned = rotation >= VORN::ClockWise && rotation <= VORN::Inverted;
    cmd.Text(VORN::GetRotation(turned ? rotation : VORN::None));
    if (xdim > 0) cmd.Int(at.cell);
    cmd.Int(format);
    cmd.Text("1");
    cmd.Framed(content, VORN::DataFrameChar);
    cmd.End();
}

void VornForm::GetAztecBarcodesString_kesh(std::string& out, IPrintResolution* res, IRuler* ruler,
                                           IPoint* start, std::string_view content, float xdim, int codeTyp,
                                           int fixedErrCorrection, int layers, int rotation) {
    const Placement at = Place(res, ruler, start, xdim);

    // KESH names the kind and its percentage or layers; it needs no size.
    int code = 0;
    int layerCount = 0;
    switch (codeTyp) {
        case kFixedErrCorrection:
            code = GetErrCorrectionPercent(fixedErrCorrection);
            break;
        case kCompact:
            code = 100;
            layerCount = GetLayersWithinRange(layers, kCompact);
            break;
        case kFull:
            code = 101;
            layerCount = GetLayersWithinRange(layers, kFull);
            break;
        case kRune:
            code = 102;
            break;
        default:
            break;
    }

    quillon::KeshBlock block(out, "BARCODE");
    block.Text(KESH::GetBarcodeType2D(KESH::AZTEC));
    std::string param = "XD";
    quillon::AppendInt(param, at.cell);
    block.Text(param);
    const std::string_view turn = KESH::GetRotation(rotation);
    if (!turn.empty()) block.Text(turn);
    if (xdim > 0) block.Int(at.cell);
    param = "FORMAT";
    quillon::AppendInt(param, code);
    param += ',';
    quillon::AppendInt(param, layerCount);
    block.Text(param);
    block.Int(at.y).Int(at.x).EndLine();
    // The data parameter starts with its own line break, so an empty line
    // stands between the parameters and the data.
    const char frame = KESH::GetPrintableDataFrameChar(content);
    std::string data = "\r\n";
    data += frame;
    data += content;
    data += frame;
    block.Text(data).Stop();
}
