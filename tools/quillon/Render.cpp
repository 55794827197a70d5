// Turns a checked label description into command text through
// quillon::Label, exactly as any host program would; one label per call, so
// that labels render on any number of threads at once.

#include "Label.h"

#include <exception>
#include <optional>
#include <utility>

#include "quillon/LabelObject.h"

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
void Add(quillon::Label& out, const ObjectDesc& o, const LabelDescription& label, bool kesh) {
    constexpr auto dots = quillon::Unit::Dot;
    const auto rotation = static_cast<RotateEnum>(o.rotation);
    auto given = [](int value) { return value < 0 ? std::nullopt : std::optional<int>(value); };
    switch (o.kind) {
        case Kind::Text: {
            quillon::TextOptions t;
            t.x = o.x, t.y = o.y, t.data = o.data, t.fontSizeX = o.sizeX, t.fontSizeY = o.sizeY;
            t.fontSizeUnit = static_cast<FontSizeUnitsEnum>(o.sizeUnit);
            t.fontStyle = static_cast<FontStyleEnum>(o.style);
            t.alignment = static_cast<AlignEnum>(o.align);
            t.fontName = o.font, t.rotation = rotation, t.unit = dots;
            out.text(t);
            return;
        }
        case Kind::Line:
            out.line({o.x, o.y, o.x2, o.y2, o.thickness, dots});
            return;
        case Kind::Box:
            out.box({o.x, o.y, o.x2, o.y2, o.thickness, dots});
            return;
        case Kind::Barcode1D: {
            const float height = kesh ? o.height / label.DotsPerMm() : o.height / label.Dpi();
            out.barcode1D({o.x, o.y, o.data, o.narrow, o.wide < 0 ? DefaultWide(o, kesh) : o.wide, height,
                           static_cast<BarcodeTypeEnum_1D>(o.symbology), o.humanReadable, rotation,
                           o.textAbove, dots});
            return;
        }
        case Kind::QR: {
            quillon::QRCodeOptions q;
            q.x = o.x, q.y = o.y, q.data = o.data, q.module = o.module;
            if (o.mask >= 0) q.mask = static_cast<QRCodeMaskEnum>(o.mask);
            if (o.manual) q.segments = o.segments;
            if (o.errorCorrection >= 0)
                q.errorCorrection = static_cast<QRCodeErrorCorrectionEnum>(o.errorCorrection);
            if (o.model >= 0) q.model = static_cast<QRCodeModelEnum>(o.model - 1);
            q.rotation = rotation, q.unit = dots;
            out.qr(q);
            return;
        }
        case Kind::Pdf417: {
            quillon::Pdf417Options p;
            p.x = o.x, p.y = o.y, p.data = o.data, p.module = o.module, p.moduleHeight = o.moduleHeight;
            if (o.errorCorrection >= 0)
                p.errorCorrection = static_cast<Pdf417ErrCorrectionEnum>(o.errorCorrection);
            p.rows = given(o.rows), p.columns = given(o.columns), p.rotation = rotation, p.unit = dots;
            out.pdf417(p);
            return;
        }
        case Kind::DataMatrix:
            out.dataMatrix({o.x, o.y, o.data, o.module, rotation, o.rectangle, o.lines,
                            static_cast<char>(o.control1), static_cast<char>(o.control2), given(o.rows),
                            given(o.columns), dots});
            return;
        case Kind::Aztec: {
            quillon::AztecOptions a;
            a.x = o.x, a.y = o.y, a.data = o.data, a.module = o.module;
            a.codeType = static_cast<AztecCodeTypeEnum>(o.codeType);
            a.errorCorrection = given(o.errorCorrection), a.layers = given(o.layers);
            a.rotation = rotation, a.unit = dots;
            out.aztec(a);
            return;
        }
        case Kind::Maxicode: {
            // The message kind follows the mode: 2 structured, 3 structured
            // with a year, 4 free primary message.
            quillon::MaxicodeOptions m;
            m.x = o.x, m.y = o.y, m.mode = static_cast<MaxicodeModeEnum>(o.mode);
            m.postalCode = o.postalCode, m.countryCode = o.countryCode;
            m.serviceClass = o.serviceClass;
            m.year = o.year, m.primaryMessage = o.data, m.remainingMessage = o.message;
            m.zipperPattern = o.zipper, m.rotation = rotation, m.unit = dots;
            out.maxicode(m);
            return;
        }
        case Kind::Rfid: {
            quillon::RfidOptions r;
            r.bank = static_cast<RfidMemBlockEnum>(o.bank);
            r.field32 = static_cast<unsigned>(o.field32), r.ascii6 = o.text6;
            r.field16 = static_cast<unsigned>(o.field16), r.offset = o.offset;
            r.userData10 = o.userData, r.userHex4 = o.userHex;
            r.passwordType = static_cast<RfidPasswordTypeEnum>(o.passwordType), r.password = o.password;
            out.rfid(r);
            return;
        }
        case Kind::Picture:
            out.picture({static_cast<int>(o.x), static_cast<int>(o.y), o.data});
            return;
    }
}

}  // namespace

quillon::Label BuildLabel(const LabelDescription& label) {
    const bool kesh = label.language == Language::Kesh;
    quillon::Label out(kesh ? quillon::Language::Kesh : quillon::Language::Vorn, label.dotsPerUnit,
                       static_cast<quillon::Unit>(label.resolutionUnit), label.name);
    for (const ObjectDesc& object : label.objects) Add(out, object, label, kesh);
    return out;
}

std::string RenderLabel(const LabelDescription& label, std::vector<quillon::LabelNotice>* notices) {
    try {
        quillon::Label out = BuildLabel(label);
        std::string text = out.render();
        if (notices) *notices = out.notices();
        return text;
    } catch (const std::exception& e) {
        throw RenderError(e.what());
    }
}

}  // namespace quillon::cli
