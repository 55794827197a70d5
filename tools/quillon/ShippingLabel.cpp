// The built-in sample: a 4 x 6 inch shipping label at 203 dpi, every
// position in dots. examples/shipping.json holds the same label as a file.

#include "Label.h"

namespace quillon::cli {
namespace {

ObjectDesc Object(Kind kind, float x, float y, const char* data = "") {
    ObjectDesc o;
    o.kind = kind;
    o.x = x;
    o.y = y;
    o.data = data;
    return o;
}

ObjectDesc Text(float x, float y, float size, const char* text) {
    ObjectDesc t = Object(Kind::Text, x, y, text);
    t.sizeX = t.sizeY = size;
    return t;
}

ObjectDesc Shape(Kind kind, float x, float y, float x2, float y2, float thickness) {
    ObjectDesc s = Object(kind, x, y);
    s.x2 = x2;
    s.y2 = y2;
    s.thickness = thickness;
    return s;
}

}  // namespace

LabelDescription ShippingLabel() {
    LabelDescription label;
    label.name = "SHIP1";
    auto& o = label.objects;
    o.push_back(Text(20, 20, 10, "FROM: ACME WIDGETS INC"));
    o.push_back(Text(20, 55, 10, "42 INDUSTRY WAY, DAYTON OH 45402"));
    o.push_back(Text(30, 145, 14, "SHIP TO: JOHN Q PUBLIC"));
    o.push_back(Text(30, 195, 14, "1234 MAIN STREET APT 5B, SPRINGFIELD IL 62704-1234 USA"));
    o.push_back(Text(20, 1160, 12, "TRACKING #: 1Z 999 AA1 01 2345 6784"));
    o.push_back(Shape(Kind::Line, 0, 120, 812, 120, 3));
    o.push_back(Shape(Kind::Line, 0, 560, 812, 560, 3));
    o.push_back(Shape(Kind::Box, 10, 130, 802, 250, 4));

    // The wide bar is left to the language, as a label file that gives none.
    ObjectDesc code128 = Object(Kind::Barcode1D, 40, 600, "1Z999AA10123456784");
    code128.narrow = 3;
    code128.height = 200;
    o.push_back(code128);

    ObjectDesc qr = Object(Kind::QR, 560, 280, "MGS:1Z999AA10123456784|TO:JOHN Q PUBLIC|ZIP:62704-1234|WT:12.5LB");
    qr.module = 5;
    qr.errorCorrection = static_cast<int>(QRCodeErrorCorrectionEnum::EC_15);
    qr.model = 2;
    o.push_back(qr);

    ObjectDesc pdf = Object(Kind::Pdf417, 40, 880,
                            "SHIP TO: JOHN Q PUBLIC, 1234 MAIN STREET APT 5B, SPRINGFIELD IL 62704-1234 USA; "
                            "TRK 1Z999AA10123456784; WT 12.5 LB; REF PO-4500012345; SSCC 00123456789012345675");
    pdf.module = 2;
    pdf.moduleHeight = 6;
    pdf.rows = pdf.columns = 0;
    o.push_back(pdf);
    return label;
}

}  // namespace quillon::cli
