// QR codes: the VORN emitter, then its KESH twin.
#include <stdexcept>

#include "generate/CommandText.h"
#include "generate/Emitters.h"

namespace quillon {

namespace {

// Segments are used only for a code without plain data.
bool IsManual(const QRCodeArgs& a) {
    return a.content.empty() && !a.segments.empty();
}

// Every segment of the label, each as its kind letter and text (Binary also
// carries its byte count), joined by `delimiter`.
std::string SegmentData(const QRCodeManualSegments& segments, char delimiter, const char* badKindMessage) {
    static constexpr char kLetters[] = {'N', 'A', 'B', 'K'};
    std::string data;
    bool first = true;
    for (const auto& [kind, text] : segments) {
        const int k = static_cast<int>(kind);
        if (k < 0 || k > 3) throw std::invalid_argument(badKindMessage);
        if (!first) data.push_back(delimiter);
        first = false;
        data.push_back(kLetters[k]);
        if (kind == QRCodeManualEncodingEnum::Binary) AppendUnsigned(data, text.size());
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

void EmitQRCode(TextBuffer& out, const Dots& dots, const QRCodeArgs& a) {
    static constexpr std::string_view kLevels[] = {"L", "M", "Q", "H"};
    static constexpr std::string_view kModels[] = {"M1", "M2"};
    // Angle and the justification that keeps the symbol's corner at (X, Y).
    static constexpr std::string_view kRotations[][2] = {
        {"0", ""}, {"90", "J7"}, {"270", "J3"}, {"180", "J9"}};

    // Checked in parameter order: the level is reported before the model,
    // both before a segment kind.
    const int level = LevelOrDefault(a.errorCorrection);
    if (level < 0 || level > 3)
        throw std::invalid_argument("VORN QR Code Error Correction Level not handled");
    const int model = ModelOrDefault(a.model);
    if (model < 0 || model > 1) throw std::invalid_argument("VORN QR Code mode not handled");
    const bool manual = IsManual(a);
    const std::string segments =
        manual ? SegmentData(a.segments, VORN::SegmentDelimiter, "VORN QR Code Manual Format not handled")
               : "";

    const Anchor at = AnchorOf(dots, a.x, a.y);
    VornCommand cmd(out, VORN::GetBarcodeType2D(VORN::QR));
    cmd.Int(at.x).Int(at.y).Text(kLevels[level]).Int(dots.Module(a.xdim)).Text(manual ? "M" : "A");
    if (a.rotation >= 0 && a.rotation <= 3) {
        cmd.Text(kRotations[a.rotation][0]);
        if (!kRotations[a.rotation][1].empty()) cmd.Text(kRotations[a.rotation][1]);
    }
    cmd.Text(kModels[model]);
    // Mask_0 writes nothing and leaves the pattern to the printer; Mask_n is
    // the printer's pattern n - 1.
    if (a.mask > 0) cmd.Text("S").MoreInt(a.mask - 1);
    cmd.Framed(manual ? std::string_view(segments) : a.content).End();
}

void EmitQRCode_kesh(TextBuffer& out, const Dots& dots, const QRCodeArgs& a) {
    static constexpr std::string_view kModels[] = {"T1", "T2"};
    static constexpr std::string_view kLevels[] = {"E0", "E1", "E2", "E3"};

    // Same order as the parameters: model before level.
    const int model = ModelOrDefault(a.model);
    if (model < 0 || model > 1) throw std::invalid_argument("KESH QR Code mode not handled");
    const int level = LevelOrDefault(a.errorCorrection);
    if (level < 0 || level > 3)
        throw std::invalid_argument("KESH QR Code Error Correction Level not handled");
    const bool manual = IsManual(a);
    const std::string segments =
        manual ? SegmentData(a.segments, KESH::ValueDelimiter, "KESH QR Code Manual Format not handled") : "";
    const std::string_view data = manual ? std::string_view(segments) : a.content;

    const Anchor at = AnchorOf(dots, a.x, a.y);
    KeshBlock block(out, "BARCODE");
    block.Text(KESH::GetBarcodeType2D(KESH::QR));
    const std::string_view turn = KESH::GetRotation(a.rotation);
    if (!turn.empty()) block.Text(turn);
    if (a.xdim > 0) block.Text("XD").MoreInt(dots.Module(a.xdim));
    block.Text(kModels[model]).Text(kLevels[level]);
    // No range check: the printer gets the mask number as given.
    block.Text("M").MoreInt(a.mask == -1 ? 0 : a.mask);
    block.Text(manual ? "I1" : "I0").Int(at.y).Int(at.x).EndLine();
    block.Framed(data, KESH::GetPrintableDataFrameChar(data)).Stop();
}

}  // namespace quillon
