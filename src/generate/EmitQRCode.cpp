// QR codes: the VORN emitter, then its KESH twin.

#include <stdexcept>
#include <string_view>

#include "generate/CommandText.h"
#include "generate/KESH.h"
#include "generate/VORN.h"
#include "label/Numeric.h"
#include "label/VornForm.h"

namespace {

// Position and module size in dots; the printer gets what single-precision
// multiplication and truncation give.
struct QRGeometry {
    int x;
    int y;
    int cell;
};

QRGeometry ToDots(IPrintResolution* res, IRuler* ruler, IPoint* start, float xdim) {
    PrintPlane plane;
    const float dpu = plane.DotsPerUnit(ruler, res);
    return {quillon::TruncToInt(start->getX() * dpu), quillon::TruncToInt(start->getY() * dpu),
            PrintPlane::Round(xdim * dpu)};
}

// Segments are used only for a code without plain data.
bool IsManual(std::string_view content, const QRCodeManualSegments& segments) {
    return content.empty() && !segments.empty();
}

// Every segment of the label, each as its kind letter and text (Binary also
// carries its byte count), joined by `separator`.
std::string SegmentData(const QRCodeManualSegments& segments, char separator, const char* badKindMessage) {
    std::string data;
    bool first = true;
    for (const auto& [kind, text] : segments) {
        if (!first) data.push_back(separator);
        first = false;
        switch (static_cast<int>(kind)) {
            case 0:
                data.push_back('N');
                break;
            case 1:
                data.push_back('A');
                break;
            case 2:
                data.push_back('B');
                quillon::AppendUnsigned(data, text.size());
                break;
            case 3:
                data.push_back('K');
                break;
            default:
                throw std::invalid_argument(badKindMessage);
        }
        data += text;
    }
    return data;
}

// -1 means "not given": medium level (M / E1) and model 2.
int LevelOrDefault(int errorCorrection) {
    return errorCorrection == -1 ? 1 : errorCorrection;
}
int ModelOrDefault(int model) {
    return model == -1 ? 1 : model;
}

}  // namespace

void VornForm::GetQRBarcodesString(std::string& out, IPrintResolution* res, IRuler* ruler, IPoint* start,
                                   std::string_view content, float xdim, int mask,
                                   const QRCodeManualSegments& segments, int errorCorrection, int model,
                                   int rotation) {
    static constexpr std::string_view kLevels[] = {"L", "M", "Q", "H"};
    static constexpr std::string_view kModels[] = {"M1", "M2"};
    // Angle and the justification that keeps the symbol's corner at (X, Y).
    static constexpr std::string_view kRotations[][2] = {
        {"0", ""}, {"90", "J7"}, {"270", "J3"}, {"180", "J9"}};

    const QRGeometry dots = ToDots(res, ruler, start, xdim);
    // Checked in parameter order: the level is reported before the model,
    // both before a segment kind.
    const int level = LevelOrDefault(errorCorrection);
    if (level < 0 || level > 3)
        throw std::invalid_argument("VORN QR Code Error Correction Level not handled");
    const int modelNo = ModelOrDefault(model);
    if (modelNo < 0 || modelNo > 1) throw std::invalid_argument("VORN QR Code mode not handled");
    const bool manual = IsManual(content, segments);
    std::string segmentData;
    if (manual) segmentData = SegmentData(segments, '!', "VORN QR Code Manual Format not handled");
    const std::string_view data = manual ? std::string_view(segmentData) : std::string_view(content);

    quillon::VornCommand cmd(out, VORN::GetBarcodeType2D(VORN::QR));
    cmd.Int(dots.x).Int(dots.y).Text(kLevels[level]).Int(dots.cell).Text(manual ? "M" : "A");
    if (rotation >= 0 && rotation <= 3) {
        cmd.Text(kRotations[rotation][0]);
        if (!kRotations[rotation][1].empty()) cmd.Text(kRotations[rotation][1]);
    }
    cmd.Text(kModels[modelNo]);
    // Mask_0 writes nothing and leaves the pattern to the printer; Mask_n is
    // the printer's pattern n - 1.
    if (mask > 0) {
        std::string maskText = "S";
        quillon::AppendInt(maskText, mask - 1);
        cmd.Text(maskText);
    }
    cmd.Framed(data, VORN::DataFrameChar).End();
}

void VornForm::GetQRBarcodesString_kesh(std::string& out, IPrintResolution* res, IRuler* ruler, IPoint* start,
                                        std::string_view content, float xdim, int mask,
                                        const QRCodeManualSegments& segments, int errorCorrection, int model,
                                        int rotation) {
    static constexpr std::string_view kModels[] = {"T1", "T2"};
    static constexpr std::string_view kLevels[] = {"E0", "E1", "E2", "E3"};

    const QRGeometry dots = ToDots(res, ruler, start, xdim);
    // Same order as the parameters: model before level.
    const int modelNo = ModelOrDefault(model);
    if (modelNo < 0 || modelNo > 1) throw std::invalid_argument("KESH QR Code mode not handled");
    const int level = LevelOrDefault(errorCorrection);
    if (level < 0 || level > 3)
        throw std::invalid_argument("KESH QR Code Error Correction Level not handled");
    const bool manual = IsManual(content, segments);
    std::string segmentData;
    if (manual) segmentData = SegmentData(segments, ',', "KESH QR Code Manual Format not handled");
    const std::string_view data = manual ? std::string_view(segmentData) : std::string_view(content);

    quillon::KeshBlock block(out, "BARCODE");
    block.Text(KESH::GetBarcodeType2D(KESH::QR));
    const std::string_view turn = KESH::GetRotation(rotation);
    if (!turn.empty()) block.Text(turn);
    std::string param;
    if (xdim > 0) {
        param = "XD";
        quillon::AppendInt(param, dots.cell);
        block.Text(param);
    }
    block.Text(kModels[modelNo]).Text(kLevels[level]);
    // No range check: the printer gets the mask number as given.
    param = "M";
    quillon::AppendInt(param, mask == -1 ? 0 : mask);
    block.Text(param).Text(manual ? "I1" : "I0").Int(dots.y).Int(dots.x).EndLine();

    const char frame = KESH::GetPrintableDataFrameChar(data);
    param.assign(1, frame);
    param += data;
    param.push_back(frame);
    block.Text(param).Stop();
}
