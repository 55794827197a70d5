// Turns a checked label description into command text with the exported
// label functions, exactly as any host program would call them.

#include "Render.h"

#include <exception>
#include <type_traits>
#include <utility>

#include "quillon/Label.h"

// The adding functions are bound weakly: a library built without some object
// kinds still runs the tool, and a label that needs a missing kind gets a
// clear message instead of the tool failing to start.
#pragma weak CreateTexts
#pragma weak CreateLines
#pragma weak CreateBoxs
#pragma weak CreateBarcode1D
#pragma weak Picture
#pragma weak CreateQRBarcodes
#pragma weak CreatePdf417Bcodes
#pragma weak CreateDataMatrixBarcodes
#pragma weak CreateAztecBarcodes
#pragma weak CreateMaxicodeBarcodes
#pragma weak CreateRfidEncode

namespace quillon::cli {
namespace {

template <typename F>
void Require(F* function, const char* kind) {
    if (function == nullptr) throw RenderError(std::string("this libquillon has no ") + kind + " objects");
}

// The descriptions' strings are copied into the entry points' by-value
// parameters, not moved: the reader thread allocated them and frees them with
// their batch, and a string freed on another thread than its own costs the
// allocator a lock that both threads then contend for.
struct Adder {
    void operator()(TextDesc& t) const {
        Require(&CreateTexts, "text");
        CreateTexts(t.x, t.y, t.sizeX, t.sizeY, t.text, t.unit, t.sizeUnit, t.style, t.align, t.font,
                    t.rotation);
    }
    void operator()(ShapeDesc& s) const {
        if (s.box) {
            Require(&CreateBoxs, "box");
            CreateBoxs(s.x, s.y, s.x2, s.y2, s.thickness, s.unit);
        } else {
            Require(&CreateLines, "line");
            CreateLines(s.x, s.y, s.x2, s.y2, s.thickness, s.unit);
        }
    }
    void operator()(Barcode1DDesc& b) const {
        Require(&CreateBarcode1D, "barcode1d");
        CreateBarcode1D(b.x, b.y, b.data, b.unit, b.narrow, b.wide, b.height, b.symbology, b.humanReadable,
                        b.rotation, b.textAbove);
    }
    void operator()(QRDesc& q) const {
        Require(&CreateQRBarcodes, "qr");
        CreateQRBarcodes(q.x, q.y, q.data, q.unit, q.module, static_cast<QRCodeMaskEnum>(q.mask),
                         q.manual ? &q.segments : nullptr,
                         static_cast<QRCodeErrorCorrectionEnum>(q.errorCorrection),
                         static_cast<QRCodeModelEnum>(q.model), q.rotation);
    }
    void operator()(Pdf417Desc& p) const {
        Require(&CreatePdf417Bcodes, "pdf417");
        CreatePdf417Bcodes(p.x, p.y, p.data, p.unit, p.moduleWidth, p.moduleHeight,
                           static_cast<Pdf417ErrCorrectionEnum>(p.errorCorrection), p.rows, p.columns,
                           p.rotation);
    }
    void operator()(DataMatrixDesc& d) const {
        Require(&CreateDataMatrixBarcodes, "datamatrix");
        CreateDataMatrixBarcodes(d.x, d.y, d.data, d.unit, d.module, d.rotation, d.rectangle, d.lines,
                                 static_cast<char>(d.control1), static_cast<char>(d.control2), d.rows,
                                 d.columns);
    }
    void operator()(AztecDesc& a) const {
        Require(&CreateAztecBarcodes, "aztec");
        CreateAztecBarcodes(a.x, a.y, a.data, a.unit, a.module, static_cast<AztecCodeTypeEnum>(a.codeType),
                            a.errorCorrection, a.layers, a.rotation);
    }
    void operator()(MaxicodeDesc& m) const {
        Require(&CreateMaxicodeBarcodes, "maxicode");
        // The message kind follows the mode: 2 structured, 3 structured with
        // a year, 4 free primary message.
        CreateMaxicodeBarcodes(m.mode - 2, static_cast<MaxicodeModeEnum>(m.mode), m.postalCode, m.countryCode,
                               m.serviceClass, m.message, m.year, m.primary, m.x, m.y, m.unit, m.zipper,
                               m.rotation);
    }
    void operator()(RfidDesc& r) const {
        Require(&CreateRfidEncode, "rfid");
        CreateRfidEncode(r.field32, r.field16, r.text6, r.bank, r.offset, r.userData, r.userHex,
                         r.passwordType, r.password);
    }
    void operator()(PictureDesc& p) const {
        Require(&Picture, "picture");
        Picture(p.x, p.y, p.name);
    }
};

// Closes the label however rendering ends, so the next label starts clean.
struct OpenLabel {
    OpenLabel(LabelDescription& label, Language language) {
        CreateLabel(language == Language::Kesh ? 1 : 0, label.name, label.dotsPerUnit, label.resolutionUnit);
    }
    ~OpenLabel() { CloseLabel(); }
    OpenLabel(const OpenLabel&) = delete;
    OpenLabel& operator=(const OpenLabel&) = delete;
};

}  // namespace

std::string RenderLabel(LabelDescription&& label, Language language) {
    if (label.language != Language::Unset && language == Language::Unset) language = label.language;
    std::string text;
    try {
        OpenLabel open(label, language);
        for (ObjectDesc& object : label.objects) std::visit(Adder{}, object);
        LabelToString(text);
    } catch (const RenderError&) {
        throw;
    } catch (const std::exception& e) {
        throw RenderError(e.what());
    }
    return text;
}

}  // namespace quillon::cli
