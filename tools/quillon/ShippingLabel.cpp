// The built-in sample: a 4 x 6 inch shipping label at 203 dpi, every
// position in dots. examples/shipping.json holds the same label as a file.

#include "Render.h"

namespace quillon::cli {
namespace {

TextDesc Text(float x, float y, float size, const char* text) {
    TextDesc t;
    t.x = x;
    t.y = y;
    t.sizeX = size;
    t.sizeY = size;
    t.text = text;
    return t;
}

ShapeDesc Shape(bool box, float x, float y, float x2, float y2, float thickness) {
    ShapeDesc s;
    s.box = box;
    s.x = x;
    s.y = y;
    s.x2 = x2;
    s.y2 = y2;
    s.thickness = thickness;
    return s;
}

}  // namespace

LabelDescription ShippingLabel() {
    LabelDescription label;
    label.name = "SHIP1";
    label.dotsPerUnit = 203;
    label.resolutionUnit = ScaleEnum::Inch;
    auto& o = label.objects;
    o.push_back(Text(20, 20, 10, "FROM: ACME WIDGETS INC"));
    o.push_back(Text(20, 55, 10, "42 INDUSTRY WAY, DAYTON OH 45402"));
    o.push_back(Text(30, 145, 14, "SHIP TO: JOHN Q PUBLIC"));
    o.push_back(Text(30, 195, 14, "1234 MAIN STREET APT 5B, SPRINGFIELD IL 62704-1234 USA"));
    o.push_back(Text(20, 1160, 12, "TRACKING #: 1Z 999 AA1 01 2345 6784"));
    o.push_back(Shape(false, 0, 120, 812, 120, 3));
    o.push_back(Shape(false, 0, 560, 812, 560, 3));
    o.push_back(Shape(true, 10, 130, 802, 250, 4));

    Barcode1DDesc code128;
    code128.x = 40;
    code128.y = 600;
    code128.data = "1Z999AA10123456784";
    code128.narrow = 3;
    code128.wide = 6;
    code128.height = 200;
    o.push_back(code128);

    QRDesc qr;
    qr.x = 560;
    qr.y = 280;
    qr.data = "MGS:1Z999AA10123456784|TO:JOHN Q PUBLIC|ZIP:62704-1234|WT:12.5LB";
    qr.module = 5;
    qr.errorCorrection = static_cast<int>(QRCodeErrorCorrectionEnum::EC_15);
    qr.model = static_cast<int>(QRCodeModelEnum::MODEL_2);
    o.push_back(qr);

    Pdf417Desc pdf;
    pdf.x = 40;
    pdf.y = 880;
    pdf.data =
        "SHIP TO: JOHN Q PUBLIC, 1234 MAIN STREET APT 5B, SPRINGFIELD IL 62704-1234 USA; "
        "TRK 1Z999AA10123456784; WT 12.5 LB; REF PO-4500012345; SSCC 00123456789012345675";
    pdf.moduleWidth = 2;
    pdf.moduleHeight = 6;
    o.push_back(pdf);
    return label;
}

}  // namespace quillon::cli
