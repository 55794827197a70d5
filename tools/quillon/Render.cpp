// Turns a checked label description into command text through
// quillon::Label, exactly as any host program would; one label per call, so
// that labels render on any number of threads at once.

#include <utility>

#include "Label.h"

namespace quillon::cli {

quillon::Label BuildLabel(const LabelDescription& label) {
    quillon::Label out(label.language == Language::Kesh ? quillon::Language::Kesh : quillon::Language::Vorn,
                       label.dotsPerUnit, static_cast<quillon::Unit>(label.resolutionUnit), label.name);
    for (const ObjectDesc& object : label.objects) {
        struct {
            quillon::Label& out;
            void operator()(const quillon::TextOptions& o) { out.text(o); }
            void operator()(const quillon::LineOptions& o) { out.line(o); }
            void operator()(const quillon::BoxOptions& o) { out.box(o); }
            void operator()(const quillon::Barcode1DOptions& o) { out.barcode1D(o); }
            void operator()(const quillon::QRCodeOptions& o) { out.qr(o); }
            void operator()(const quillon::Pdf417Options& o) { out.pdf417(o); }
            void operator()(const quillon::DataMatrixOptions& o) { out.dataMatrix(o); }
            void operator()(const quillon::AztecOptions& o) { out.aztec(o); }
            void operator()(const quillon::MaxicodeOptions& o) { out.maxicode(o); }
            void operator()(const quillon::RfidOptions& o) { out.rfid(o); }
            void operator()(const quillon::PictureOptions& o) { out.picture(o); }
        } add{out};
        std::visit(add, object);
    }
    return out;
}

std::string RenderLabel(const LabelDescription& label, std::vector<quillon::LabelNotice>* notices) {
    quillon::Label out = BuildLabel(label);
    std::string text = out.render();
    if (notices) *notices = out.notices();
    return text;
}

}  // namespace quillon::cli
