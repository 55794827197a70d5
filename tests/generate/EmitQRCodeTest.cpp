// QR codes and PDF417 symbols in both languages against golden/qrcode.txt
// and golden/pdf417.txt.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "EmitterGolden.h"

namespace {

using namespace quillon_test;
using namespace std::string_literals;
using Kind = QRCodeManualEncodingEnum;

// Level M, model 2, no mask.
struct QR : Placed<QR> {
    int mask = -1, level = 1, model = 1;
    std::optional<QRCodeManualSegments> segments;

    QR& Segs(QRCodeManualSegments s) { return segments = std::move(s), *this; }
    QR& Set(int m, int l, int mo, int r = 0) { return mask = m, level = l, model = mo, rotation = r, *this; }
    void operator()() const {
        auto segs = segments;
        CreateQRBarcodes(x, y, data, scale, xdim, As<QRCodeMaskEnum>(mask), segs ? &*segs : nullptr,
                         As<QRCodeErrorCorrectionEnum>(level), As<QRCodeModelEnum>(model),
                         As<RotateEnum>(rotation));
    }
};

const QRCodeManualSegments kBadKind = {{Kind::Numeric, "1"}, {As<Kind>(4), "x"}};

TEST(Emitters, QRCode) {
    // clang-format off
    CheckGolden("qrcode", {
        {"worked example", QR()}, {"clockwise, mask 3, level L", QR().Set(3, 0, 1, 1)},
        {"counter-clockwise", QR().Set(-1, 1, 1, 2)}, {"inverted", QR().Set(-1, 1, 1, 3)},
        {"rotation beyond the table", QR().Set(-1, 1, 1, 4)}, {"defaults", QR().Set(-1, -1, -1)},
        {"level Q", QR().Set(-1, 2, 1)}, {"level H, model 1", QR().Set(-1, 3, 0)},
        {"mask 0", QR().Set(0, 1, 1)}, {"mask 1", QR().Set(1, 1, 1)},
        {"positions truncate, modules round", QR().At(Dot, 10.6f, 20.9f, 2.5f)},
        {"negative values", QR().At(Dot, -10.6f, -0.5f, -2.5f)}, {"module 0", QR().At(Dot, 100, 50, 0)},
        {"millimetres", QR().At(MM, 10, 25.1f, 0.5f)}, {"inches", QR().At(Inch, 1.5f, 0.25f, 0.02f)},
        {"position beyond int", QR().At(Dot, 1e10f, -1e10f, 4)},
        {"every segment kind", QR().Data("").Segs({{Kind::AlphaNumeric, "AB-1"}, {Kind::Kanji, "\x88\x9f"}, {Kind::Numeric, "9"}})},
        {"binary counts bytes", QR().Data("").Segs({{Kind::Binary, "\xc3\xa9\0x"s}})},
        {"content wins over segments", QR().Segs({{Kind::Numeric, "1"}})},
        {"content wins over a bad kind", QR().Segs({{As<Kind>(9), "x"}})},
        {"empty data", QR().Data("")}, {"asterisk in data", QR().Data("A*B")},
        {"level 4", QR().Set(-1, 4, 1)}, {"level -2", QR().Set(-1, -2, 1)}, {"level 4, model 2", QR().Set(-1, 4, 2)},
        {"model 2", QR().Set(-1, 1, 2)}, {"model 7, bad kind", QR().Set(-1, 1, 7).Data("").Segs(kBadKind)},
        {"segment kind 4", QR().Data("").Segs(kBadKind)}, {"segment kind -1", QR().Data("").Segs({{As<Kind>(-1), "x"}})},
        // Every code without plain data takes all segments of the label.
        {"label-wide segments", [] { QR().Data("").Segs({{Kind::Numeric, "1"}})(); QR().Data("").At(Dot, 0, 0, 4).Segs({{Kind::AlphaNumeric, "B"}})(); QR().Data("").At(Dot, 1, 1, 4)(); }},
        {"segments are copied", [] {
             QRCodeManualSegments segs = {{Kind::Numeric, "42"}};
             CreateQRBarcodes(1, 2, "", Dot, 3, QRCodeMaskEnum::Mask_0, &segs, QRCodeErrorCorrectionEnum::EC_15, QRCodeModelEnum::MODEL_2, RotateEnum::None);
             segs[0].second = "changed";
             segs.push_back({Kind::Binary, "late"}); }},
    });
    // clang-format on
}

// Modules 2 x 6, automatic level and size.
struct Pdf : Placed<Pdf> {
    float ydim = 6;
    int level = -1, rows = 0, cols = 0;

    Pdf() { xdim = 2; }
    Pdf& Size(int r, int c) { return rows = r, cols = c, *this; }
    Pdf& Module(float x_, float y_) { return xdim = x_, ydim = y_, *this; }
    Pdf& Level(int l) { return level = l, *this; }
    void operator()() const {
        CreatePdf417Bcodes(x, y, data, scale, xdim, ydim, As<Pdf417ErrCorrectionEnum>(level), rows, cols,
                           As<RotateEnum>(rotation));
    }
};

TEST(Emitters, Pdf417) {
    Pdf mm;
    mm.scale = MM, mm.x = 12.56f, mm.y = 6.3f, mm.xdim = 0.3125f, mm.ydim = 1.25f;
    // clang-format off
    CheckGolden("pdf417", {
        {"automatic size", Pdf()}, {"columns above the limit", Pdf().Size(0, 120)},
        {"one row asks for three", Pdf().Size(1, 0)}, {"columns win over rows", Pdf().Size(5, 4)},
        {"rows above the limit", Pdf().Size(200, 0)}, {"negative counts", Pdf().Size(-1, -1)},
        {"encoder defaults", Pdf().Module(0, 0)}, {"level 0", Pdf().Level(0)}, {"level 12", Pdf().Level(12)},
        {"clockwise", Pdf().Turn(1)}, {"counter-clockwise", Pdf().Turn(2)}, {"inverted", Pdf().Turn(3)},
        {"unknown rotation", Pdf().Turn(7)}, {"millimetres", mm, 8, MM},
        {"data holds the frame", Pdf().Data("A*B\"C")}, {"empty data", Pdf().Data("")},
        {"rows too low for the module", Pdf().Module(4, 6)}, {"module rounds to 0", Pdf().Module(0.4f, 6)},
        {"invalid utf-8", Pdf().Data("AB\xff")},
        // 2701 data codewords and 128 for error correction.
        {"beyond the largest symbol", Pdf().Data(std::string(5400, 'A'))},
        {"two symbols", [] { Pdf()(); Pdf().Data("WORLD").Size(0, 2)(); }},
    });
    // clang-format on
}

}  // namespace
