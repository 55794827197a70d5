// Turns a checked label description into command text with the exported
// label functions, exactly as any host program would call them.

#include "Label.h"

#include <exception>

#include "quillon/Label.h"

namespace quillon::cli {
namespace {

// Left out, the wide bar is what the language prints anyway, so that a
// default draws no notice: VORN prints Code 93 at 1:3 and Code 128, EAN and
// UPC at 1:1.
float DefaultWide(const ObjectDesc& o, bool kesh) {
    if (!kesh && o.symbology == 1) return 3 * o.narrow;
    if (!kesh && o.symbology >= 3 && o.symbology <= 6) return o.narrow;
    return 2 * o.narrow;
}

// Every length is in dots already, but for the bar height: VORN takes it
// in inches (the printer multiplies by its resolution), KESH in millimetres
// (tenths of them in the command), whatever the ruler.
void Add(const ObjectDesc& o, const LabelDescription& label, bool kesh) {
    const ScaleEnum dots = ScaleEnum::Dot;
    const auto rotation = static_cast<RotateEnum>(o.rotation);
    switch (o.kind) {
        case Kind::Text:
            CreateTexts(o.x, o.y, o.sizeX, o.sizeY, o.data, dots, static_cast<FontSizeUnitsEnum>(o.sizeUnit),
                        static_cast<FontStyleEnum>(o.style), static_cast<AlignEnum>(o.align), o.font,
                        rotation);
            return;
        case Kind::Line:
        case Kind::Box:
            (o.kind == Kind::Box ? CreateBoxs : CreateLines)(o.x, o.y, o.x2, o.y2, o.thickness, dots);
            return;
        case Kind::Barcode1D: {
            const float height = kesh ? o.height / label.DotsPerMm() : o.height / label.Dpi();
            CreateBarcode1D(o.x, o.y, o.data, dots, o.narrow, o.wide < 0 ? DefaultWide(o, kesh) : o.wide,
                            height, static_cast<BarcodeTypeEnum_1D>(o.symbology), o.humanReadable, rotation,
                            o.textAbove);
            return;
        }
        case Kind::QR: {
            auto segments = o.segments;
            CreateQRBarcodes(o.x, o.y, o.data, dots, o.module, static_cast<QRCodeMaskEnum>(o.mask),
                             o.manual ? &segments : nullptr,
                             static_cast<QRCodeErrorCorrectionEnum>(o.errorCorrection),
                             static_cast<QRCodeModelEnum>(o.model < 0 ? -1 : o.model - 1), rotation);
            return;
        }
        case Kind::Pdf417:
            CreatePdf417Bcodes(o.x, o.y, o.data, dots, o.module, o.moduleHeight,
                               static_cast<Pdf417ErrCorrectionEnum>(o.errorCorrection), o.rows, o.columns,
                               rotation);
            return;
        case Kind::DataMatrix:
            CreateDataMatrixBarcodes(o.x, o.y, o.data, dots, o.module, rotation, o.rectangle, o.lines,
                                     static_cast<char>(o.control1), static_cast<char>(o.control2), o.rows,
                                     o.columns);
            return;
        case Kind::Aztec:
            CreateAztecBarcodes(o.x, o.y, o.data, dots, o.module, static_cast<AztecCodeTypeEnum>(o.codeType),
                                o.errorCorrection, o.layers, rotation);
            return;
        case Kind::Maxicode:
            // The message kind follows the mode: 2 structured, 3 structured
            // with a year, 4 free primary message.
            CreateMaxicodeBarcodes(o.mode - 2, static_cast<MaxicodeModeEnum>(o.mode), o.postalCode,
                                   o.countryCode, o.serviceClass, o.message, o.year, o.data, o.x, o.y, dots,
                                   o.zipper, rotation);
            return;
        case Kind::Rfid:
            CreateRfidEncode(static_cast<unsigned>(o.field32), static_cast<unsigned>(o.field16), o.text6,
                             static_cast<RfidMemBlockEnum>(o.bank), o.offset, o.userData, o.userHex,
                             static_cast<RfidPasswordTypeEnum>(o.passwordType), o.password);
            return;
        case Kind::Picture:
            Picture(static_cast<int>(o.x), static_cast<int>(o.y), o.data);
            return;
    }
}

// Closes the label however rendering ends, so the next label starts clean.
struct OpenLabel {
    OpenLabel(const LabelDescription& label, bool kesh) {
        CreateLabel(kesh ? 1 : 0, label.name, label.dotsPerUnit, label.resolutionUnit);
    }
    ~OpenLabel() { CloseLabel(); }
    OpenLabel(const OpenLabel&) = delete;
    OpenLabel& operator=(const OpenLabel&) = delete;
};

}  // namespace

std::string RenderLabel(const LabelDescription& label) {
    const bool kesh = label.language == Language::Kesh;
    std::string text;
    try {
        OpenLabel open(label, kesh);
        for (const ObjectDesc& object : label.objects) Add(object, label, kesh);
        LabelToString(text);
    } catch (const std::exception& e) {
        throw RenderError(e.what());
    }
    return text;
}

}  // namespace quillon::cli
