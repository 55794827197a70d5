// QR codes through the exported API: one symbol on a label, rendered in both
// languages, compared with the literal command text.

#include <gtest/gtest.h>

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "emit_support.h"
#include "quillon/Label.h"

namespace {

using namespace std::string_literals;

using quillon_test::kKesh;
using quillon_test::kVorn;
using quillon_test::ObjectText;

using Kind = QRCodeManualEncodingEnum;

// Arguments of one CreateQRBarcodes call; the defaults are the worked
// example (dots, 100/50, module 4, level M, model 2, no mask, no rotation).
struct QR {
    float x = 100, y = 50;
    std::string content = "HELLO";
    ScaleEnum scale = ScaleEnum::Dot;
    float xdim = 4;
    int mask = -1;
    std::optional<QRCodeManualSegments> segments;  // nullopt passes null
    int ec = 1, model = 1, rot = 0;

    QR& At(float x_, float y_) { return x = x_, y = y_, *this; }
    QR& Data(std::string c) { return content = std::move(c), *this; }
    QR& Unit(ScaleEnum s) { return scale = s, *this; }
    QR& Module(float d) { return xdim = d, *this; }
    QR& Mask(int m) { return mask = m, *this; }
    QR& Segs(QRCodeManualSegments s) { return segments = std::move(s), *this; }
    QR& Ec(int e) { return ec = e, *this; }
    QR& Model(int m) { return model = m, *this; }
    QR& Rot(int r) { return rot = r, *this; }

    void* Add() {
        QRCodeManualSegments* segs = segments ? &*segments : nullptr;
        return CreateQRBarcodes(x, y, content, scale, xdim, static_cast<QRCodeMaskEnum>(mask), segs,
                                static_cast<QRCodeErrorCorrectionEnum>(ec),
                                static_cast<QRCodeModelEnum>(model), static_cast<RotateEnum>(rot));
    }
};

std::string Render(int lang, QR qr) {
    return ObjectText(lang, [&] { qr.Add(); });
}

struct Row {
    const char* name;
    QR qr;
    std::string expected;
};

void RunRows(int lang, const std::vector<Row>& rows) {
    for (const auto& row : rows) EXPECT_EQ(Render(lang, row.qr), row.expected) << row.name;
}

// clang-format off
TEST(QRCodeVorn, Keywords) {
    RunRows(kVorn, {
        {"worked example", QR(), "QRCODE 100,50,M,4,A,0,M2,\"HELLO\"\r\n"},
        {"rotated, mask, low level", QR().Rot(1).Mask(3).Ec(0), "QRCODE 100,50,L,4,A,90,J7,M2,S2,\"HELLO\"\r\n"},
        {"counter-clockwise", QR().Rot(2), "QRCODE 100,50,M,4,A,270,J3,M2,\"HELLO\"\r\n"},
        {"inverted", QR().Rot(3), "QRCODE 100,50,M,4,A,180,J9,M2,\"HELLO\"\r\n"},
        {"rotation beyond table", QR().Rot(4), "QRCODE 100,50,M,4,A,M2,\"HELLO\"\r\n"},
        {"level default", QR().Ec(-1), "QRCODE 100,50,M,4,A,0,M2,\"HELLO\"\r\n"},
        {"level Q", QR().Ec(2), "QRCODE 100,50,Q,4,A,0,M2,\"HELLO\"\r\n"},
        {"level H", QR().Ec(3), "QRCODE 100,50,H,4,A,0,M2,\"HELLO\"\r\n"},
        {"model 1", QR().Model(0), "QRCODE 100,50,M,4,A,0,M1,\"HELLO\"\r\n"},
        {"model default", QR().Model(-1), "QRCODE 100,50,M,4,A,0,M2,\"HELLO\"\r\n"},
        {"mask 0 writes nothing", QR().Mask(0), "QRCODE 100,50,M,4,A,0,M2,\"HELLO\"\r\n"},
        {"mask 1", QR().Mask(1), "QRCODE 100,50,M,4,A,0,M2,S0,\"HELLO\"\r\n"},
        {"mask 9 passes through", QR().Mask(9), "QRCODE 100,50,M,4,A,0,M2,S8,\"HELLO\"\r\n"},
        {"negative mask", QR().Mask(-7), "QRCODE 100,50,M,4,A,0,M2,\"HELLO\"\r\n"},
        // Positions truncate, modules round; 203 dpi is 7.992126 dots per mm.
        {"positions truncate, modules round", QR().At(10.6f, 20.9f).Module(2.5f), "QRCODE 10,20,M,3,A,0,M2,\"HELLO\"\r\n"},
        {"negative values", QR().At(-10.6f, -0.5f).Module(-2.5f), "QRCODE -10,0,M,-3,A,0,M2,\"HELLO\"\r\n"},
        {"module 0", QR().Module(0), "QRCODE 100,50,M,0,A,0,M2,\"HELLO\"\r\n"},
        {"millimetres", QR().Unit(ScaleEnum::MM).At(10, 25.1f).Module(0.5f), "QRCODE 79,200,M,4,A,0,M2,\"HELLO\"\r\n"},
        {"inches", QR().Unit(ScaleEnum::Inch).At(1.5f, 0.25f).Module(0.02f), "QRCODE 304,50,M,4,A,0,M2,\"HELLO\"\r\n"},
        {"position beyond int saturates", QR().At(1e10f, -1e10f), "QRCODE 2147483647,-2147483648,M,4,A,0,M2,\"HELLO\"\r\n"},
    });
}

TEST(QRCodeVorn, Segments) {
    RunRows(kVorn, {
        {"numeric and binary", QR().Data("").Segs({{Kind::Numeric, "123"}, {Kind::Binary, "ab"}}), "QRCODE 100,50,M,4,M,0,M2,\"N123!B2ab\"\r\n"},
        {"every kind", QR().Data("").Segs({{Kind::AlphaNumeric, "AB-1"}, {Kind::Kanji, "\x88\x9f"}, {Kind::Numeric, "9"}}), "QRCODE 100,50,M,4,M,0,M2,\"AAB-1!K\x88\x9f!N9\"\r\n"},
        {"binary counts bytes", QR().Data("").Segs({{Kind::Binary, "\xc3\xa9\0x"s}}), "QRCODE 100,50,M,4,M,0,M2,\"B4\xc3\xa9\0x\"\r\n"s},
        {"empty binary", QR().Data("").Segs({{Kind::Binary, ""}}), "QRCODE 100,50,M,4,M,0,M2,\"B0\"\r\n"},
        {"content wins over segments", QR().Segs({{Kind::Numeric, "1"}}), "QRCODE 100,50,M,4,A,0,M2,\"HELLO\"\r\n"},
        {"content wins over a bad segment kind", QR().Segs({{static_cast<Kind>(9), "x"}}), "QRCODE 100,50,M,4,A,0,M2,\"HELLO\"\r\n"},
        {"empty list is not manual", QR().Data("").Segs({}), "QRCODE 100,50,M,4,A,0,M2,\"\"\r\n"},
        {"null list, empty content", QR().Data(""), "QRCODE 100,50,M,4,A,0,M2,\"\"\r\n"},
    });
}

TEST(QRCodeKesh, Parameters) {
    RunRows(kKesh, {
        {"worked example", QR(), "BARCODE\r\nQRCODE;XD4;T2;E1;M0;I0;50;100\r\n*HELLO*\r\nSTOP\r\n"},
        {"clockwise", QR().Rot(1), "BARCODE\r\nQRCODE;CW;XD4;T2;E1;M0;I0;50;100\r\n*HELLO*\r\nSTOP\r\n"},
        {"module 0 drops XD", QR().Module(0), "BARCODE\r\nQRCODE;T2;E1;M0;I0;50;100\r\n*HELLO*\r\nSTOP\r\n"},
        {"module rounding", QR().Module(2.5f), "BARCODE\r\nQRCODE;XD3;T2;E1;M0;I0;50;100\r\n*HELLO*\r\nSTOP\r\n"},
        {"model 1, level 3", QR().Model(0).Ec(3), "BARCODE\r\nQRCODE;XD4;T1;E3;M0;I0;50;100\r\n*HELLO*\r\nSTOP\r\n"},
        {"defaults", QR().Model(-1).Ec(-1), "BARCODE\r\nQRCODE;XD4;T2;E1;M0;I0;50;100\r\n*HELLO*\r\nSTOP\r\n"},
        {"mask unchecked", QR().Mask(12), "BARCODE\r\nQRCODE;XD4;T2;E1;M12;I0;50;100\r\n*HELLO*\r\nSTOP\r\n"},
        {"negative mask", QR().Mask(-3), "BARCODE\r\nQRCODE;XD4;T2;E1;M-3;I0;50;100\r\n*HELLO*\r\nSTOP\r\n"},
        {"segments", QR().Data("").Segs({{Kind::Numeric, "123"}, {Kind::Binary, "ab"}}), "BARCODE\r\nQRCODE;XD4;T2;E1;M0;I1;50;100\r\n*N123,B2ab*\r\nSTOP\r\n"},
        {"frame avoids the data", QR().Data("A*B"), "BARCODE\r\nQRCODE;XD4;T2;E1;M0;I0;50;100\r\n\"A*B\"\r\nSTOP\r\n"},
        {"empty data", QR().Data(""), "BARCODE\r\nQRCODE;XD4;T2;E1;M0;I0;50;100\r\n**\r\nSTOP\r\n"},
    });
}

// A failed rendering throws its fixed message and leaves the caller's
// string as it was; the rows also fix which value is checked first.
TEST(QRCode, UnmappableValuesThrow) {
    const QRCodeManualSegments badKind = {{Kind::Numeric, "1"}, {static_cast<Kind>(4), "x"}};
    const struct {
        const char* name;
        int lang;
        QR qr;
        const char* message;
    } rows[] = {
        {"level 4", kVorn, QR().Ec(4), "VORN QR Code Error Correction Level not handled"},
        {"level -2", kVorn, QR().Ec(-2), "VORN QR Code Error Correction Level not handled"},
        {"level before model", kVorn, QR().Ec(4).Model(2), "VORN QR Code Error Correction Level not handled"},
        {"model 2", kVorn, QR().Model(2), "VORN QR Code mode not handled"},
        {"model before segment kind", kVorn, QR().Model(7).Data("").Segs(badKind), "VORN QR Code mode not handled"},
        {"segment kind 4", kVorn, QR().Data("").Segs(badKind), "VORN QR Code Manual Format not handled"},
        {"segment kind -1", kVorn, QR().Data("").Segs({{static_cast<Kind>(-1), "x"}}), "VORN QR Code Manual Format not handled"},
        {"model before level", kKesh, QR().Ec(4).Model(2), "KESH QR Code mode not handled"},
        {"level 4", kKesh, QR().Ec(4), "KESH QR Code Error Correction Level not handled"},
        {"segment kind 4", kKesh, QR().Data("").Segs(badKind), "KESH QR Code Manual Format not handled"},
    };
    for (auto row : rows)
        EXPECT_EQ(quillon_test::Thrown<std::invalid_argument>(row.lang, [&] { row.qr.Add(); }), row.message) << row.name;
}
// clang-format on

// The segment list belongs to the label: every code without plain data is
// written from all segments passed so far, in call order, and the caller's
// list is copied when the code is recorded.
TEST(QRCode, LabelWideSegments) {
    const std::string vorn = ObjectText(kVorn, [] {
        QR().Data("").Segs({{Kind::Numeric, "1"}}).Add();
        QR().Data("").At(0, 0).Segs({{Kind::AlphaNumeric, "B"}}).Add();
        QR().Data("").At(1, 1).Add();
    });
    EXPECT_EQ(vorn,
              "QRCODE 100,50,M,4,M,0,M2,\"N1!AB\"\r\nQRCODE 0,0,M,4,M,0,M2,\"N1!AB\"\r\nQRCODE "
              "1,1,M,4,M,0,M2,\"N1!AB\"\r\n");
    const std::string kesh = ObjectText(kKesh, [] {
        QRCodeManualSegments segs = {{Kind::Numeric, "42"}};
        CreateQRBarcodes(1, 2, "", ScaleEnum::Dot, 3, QRCodeMaskEnum::Mask_0, &segs,
                         QRCodeErrorCorrectionEnum::EC_15, QRCodeModelEnum::MODEL_2, RotateEnum::None);
        segs[0].second = "changed";
        segs.push_back({Kind::Binary, "late"});
    });
    EXPECT_EQ(kesh, "BARCODE\r\nQRCODE;XD3;T2;E1;M0;I1;2;1\r\n*N42*\r\nSTOP\r\n");
}

}  // namespace
