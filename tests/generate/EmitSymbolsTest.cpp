// Two-dimensional symbols and RFID writes in both languages against
// golden/<kind>.txt: QR codes, PDF417, DataMatrix, Aztec, Maxicode and RFID.
#include <gtest/gtest.h>

#include <climits>
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

// No rows or columns, CR LF separators.
struct DM : Placed<DM> {
    std::string multi;
    int rows = -1, cols = -1;
    bool rect = false;
    char c1 = 13, c2 = 10;

    DM& Size(int r, int c) { return rows = r, cols = c, *this; }
    DM& Multi(std::string m, char a = 13, char b = 10) { return multi = std::move(m), c1 = a, c2 = b, *this; }
    DM& Rect() { return rect = true, *this; }
    void operator()() const {
        CreateDataMatrixBarcodes(x, y, data, scale, xdim, As<RotateEnum>(rotation), rect, multi, c1, c2, rows,
                                 cols);
    }
};

// Counter-clockwise in inches without rows and columns: the anchor comes
// from the size table (digits weigh 1, other bytes 2).
DM Estimated(std::string data) {
    return DM().At(Inch, 1, 0.25f, 0.02f).Turn(2).Data(std::move(data));
}

TEST(Emitters, DataMatrix) {
    // clang-format off
    CheckGolden("datamatrix", {
        {"worked example", DM()}, {"clockwise uses columns", DM().Turn(1).Size(10, 20)}, {"clockwise, unsized", DM().Turn(1)},
        {"counter-clockwise, sized", DM().Turn(2).Size(10, 20)}, {"counter-clockwise, dots", DM().Turn(2)},
        {"inverted, sized", DM().Turn(3).Size(10, 20)}, {"inverted, unsized", DM().Turn(3)},
        {"rows without columns", DM().Turn(1).Size(16, -1)}, {"zero rows", DM().Turn(3).Size(0, 5)},
        {"rotation beyond the table", DM().Turn(5).Size(16, 16)}, {"rounded module", DM().At(Dot, 100, 50, 2.5f)},
        // col x cell + X wraps at 32 bits.
        {"anchor sums wrap", DM().Turn(3).Size(INT_MAX, INT_MAX)}, {"module -1", DM().At(Dot, 100, 50, -1)},
        {"module 0, sized rotation", DM().At(Dot, 100, 50, 0).Turn(1).Size(16, 12)},
        {"rectangle", DM().Rect().Size(8, 18)}, {"every option", DM().Turn(1).Size(16, 20).Rect()},
        {"positions truncate", DM().At(Dot, 10.6f, 0.99f, 4)},
        {"inch ruler", DM().At(Inch, 1, 0.5f, 0.02f)}, {"inch ruler, default module", DM().At(Inch, 1, 0.5f, -1)},
        {"frame avoids the data", DM().Data("*\"")},
        {"two lines", DM().Data("ID").Multi("A/r/nB")}, {"trailing separator", DM().Data("").Multi("A/r/n")},
        {"real CR LF", DM().Data("").Multi("A\r\nB")}, {"half a separator", DM().Data("").Multi("A/rB/n")},
        {"printable control characters", DM().Data("").Multi("A/r/nB", '|', ' ')},
        {"bytes 0 and 31", DM().Data("").Multi("A", 0, 31)},
        {"high byte", DM().Data("").Multi("A", static_cast<char>(0xE9), 10)},
        {"no multi-line text", DM().Data("AB").Multi("", 0, 0)},
        {"table: weight 10", Estimated("ABCDE")}, {"table: weight 11", Estimated("ABCDE1")},
        {"table: weight 20", Estimated(std::string(20, '7'))}, {"table: weight 32", Estimated(std::string(16, 'Z'))},
        {"table: weight 33", Estimated(std::string(16, 'Z') + "1")}, {"table: weight 98", Estimated(std::string(49, 'Z'))},
        {"table: 200 dpi", Estimated("1"), 200}, {"table: 300 dpi", Estimated("1"), 300},
        {"table: 300 dpi, weight 98", Estimated(std::string(98, '1')), 300},
        {"table: 600 dpi, weight 12", Estimated("ABCDEF"), 600},
        {"table: 600 dpi, weight 40", Estimated(std::string(20, 'Q')), 600},
        {"table: 600 dpi, weight 70", Estimated(std::string(35, 'Q')), 600},
        {"table: other resolution", Estimated(std::string(200, 'Q')), 406},
        {"table: empty data", Estimated("")}, {"table: multi-line text counts", Estimated("").Multi("AB")},
        // Weight 99: the symbol is dropped with a line on standard error.
        {"table: too long", [] { DM().Data("A")(); Estimated(std::string(49, 'Z') + "1")(); DM().Data("B")(); }},
        {"millimetres never reach the table", DM().At(MM, 10, 10, 0.5f).Turn(2).Data(std::string(60, 'Z'))},
    });
    // clang-format on
}

// Default kind, no level or layers.
struct Az : Placed<Az> {
    int type = 0, ecc = -1, layers = -1;

    Az& Kind(int t, int e = -1, int l = -1) { return type = t, ecc = e, layers = l, *this; }
    void operator()() const {
        CreateAztecBarcodes(x, y, data, scale, xdim, As<AztecCodeTypeEnum>(type), ecc, layers,
                            As<RotateEnum>(rotation));
    }
};

TEST(Emitters, Aztec) {
    // clang-format off
    CheckGolden("aztec", {
        {"default", Az()}, {"default clockwise", Az().Turn(1)}, {"default counter-clockwise", Az().Turn(2)},
        {"default inverted", Az().Turn(3)}, {"unknown rotation", Az().Turn(7)},
        {"fixed 0 percent", Az().Kind(1, 0)}, {"fixed 150 percent", Az().Kind(1, 150).Turn(1)},
        {"compact 3 layers", Az().Kind(2, -1, 3).Turn(1)}, {"compact 10 layers", Az().Kind(2, -1, 10).Turn(3)},
        {"compact 0 layers", Az().Kind(2, -1, 0)}, {"full 40 layers", Az().Kind(3, -1, 40).Turn(1)},
        {"full, no layers", Az().Kind(3)}, {"rune", Az().Kind(4, 50, 9).Turn(1)}, {"unknown kind 5", Az().Kind(5, 50, 7)},
        {"module 0", Az().At(Dot, 100, 50, 0).Turn(1)}, {"empty data", Az().Data("")}, {"asterisk in data", Az().Data("A*B")},
        {"millimetres", Az().At(MM, 12.34f, 6.2f, 0.5625f), 8, MM},
        {"inches", Az().At(Inch, 0.5f, 0.25f, 0.02f), 8, MM},
        // The cell saturates; 15 of them wrap the anchor.
        {"anchor wraps", Az().At(Dot, 100, 50, 1e10f).Turn(1)},
        // 32 layers hold 4459 bytes at 23 %; 4460 fit nowhere (-1 modules).
        {"4459 bytes", Az().Data(std::string(4459, 'A')).Turn(1)},
        {"4460 bytes", Az().Data(std::string(4460, 'A')).Turn(1)},
        {"4460 bytes inverted", Az().Data(std::string(4460, 'A')).Turn(3)},
        {"53 bytes", Az().Data(std::string(53, 'A')).Turn(1)}, {"54 bytes", Az().Data(std::string(54, 'A')).Turn(1)},
        {"fixed 99 percent, 5 bytes", Az().Kind(1, 99).Turn(3)}, {"fixed 60 percent, 800 bytes", Az().Kind(1, 60).Data(std::string(800, 'Q')).Turn(1)},
        {"two symbols", [] { Az()(); Az().Kind(1, 104).At(Dot, 100, 50, 3).Turn(1)(); }},
    });
    // clang-format on
}

// Mode 2, 123456789, 840, 001, HELLO at (100, 50) dots.
struct Mx {
    int kind = 0, mode = 2, rotation = 0;
    std::string postal = "123456789", country = "840", service = "001", remaining = "HELLO", year, primary;
    float x = 100, y = 50;
    ScaleEnum scale = Dot;
    bool zipper = false;

    Mx& Mode(int m, std::string p, int k = 0) { return mode = m, postal = std::move(p), kind = k, *this; }
    Mx& Primary(std::string p) { return primary = std::move(p), *this; }
    Mx& Data(std::string d) { return remaining = std::move(d), *this; }
    Mx& Fields(std::string s, std::string c) { return service = std::move(s), country = std::move(c), *this; }
    Mx& Turn(int r, bool z = false) { return rotation = r, zipper = z, *this; }
    Mx& Mm() { return scale = MM, x = 12.34f, y = 6.2f, *this; }
    void operator()() const {
        CreateMaxicodeBarcodes(kind, As<MaxicodeModeEnum>(mode), postal, country, service, remaining, year,
                               primary, x, y, scale, zipper, As<RotateEnum>(rotation));
    }
};

TEST(Emitters, Maxicode) {
    Mx year = Mx().Mode(4, "");
    year.year = "26";
    // clang-format off
    CheckGolden("maxicode", {
        {"mode 2", Mx()}, {"mode 2 with the comma", Mx().Mode(2, "12345,6789")}, {"mode 3", Mx().Mode(3, "AB12CD")},
        {"mode 3 lower case", Mx().Mode(3, "ab1234")}, {"mode 4 plain", Mx().Mode(4, "", 2).Primary("ABC")},
        {"mode 4 structured kind", Mx().Mode(4, "not checked")}, {"mode 4 open-system kind", Mx().Mode(4, "x", 1)},
        {"plain kind in mode 2", Mx().Mode(2, "123456789", 2).Primary("P")},
        {"fields as given", Mx().Mode(2, "000000000").Fields("", "X,Y")}, {"unknown mode", Mx().Mode(5, "bad")},
        {"year", year}, {"millimetres", Mx().Mode(4, "").Mm()}, {"clockwise", Mx().Turn(1)}, {"rotation 4", Mx().Turn(4)},
        {"zipper, counter-clockwise", Mx().Turn(2, true)},
        {"notices before the throw", Mx().Mode(3, "AB12C").Turn(1, true)}, {"eight digits", Mx().Mode(2, "12345678")},
        {"comma misplaced", Mx().Mode(2, "1234,56789")}, {"letter", Mx().Mode(2, "1234A6789")},
        {"five characters", Mx().Mode(3, "AB12C")}, {"punctuation", Mx().Mode(3, "AB-2CD")},
        {"byte above 127", Mx().Mode(3, "AB12C\xC9")}, {"plain kind checks too", Mx().Mode(2, "12345", 2)},
        {"open system in mode 2", Mx().Mode(2, "123456789", 1)}, {"open system before the postal code", Mx().Mode(2, "bad", 1)},
        {"only a primary message", Mx().Mode(4, "", 2).Fields("", "").Primary("ABC")},
        {"only the remaining message", Mx().Mode(4, "", 2).Fields("", "")},
        {"asterisk in data", Mx().Mode(4, "", 2).Fields("", "").Data("A*B")},
        {"unknown kinds record nothing", [] { Mx().Mode(2, "123456789", 3)(); Mx().Mode(2, "1", -1)(); Mx().Mode(4, "", 2).Data("NEXT")(); }},
    });
    // clang-format on
}

// EPC bank, offset 2, fields 12345678 / ABCD / LABEL1, no password.
struct Rfid {
    unsigned int field32 = 305419896, field16 = 43981;
    std::string ascii = "LABEL1", user10, hex4, password;
    int bank = 1, offset = 2, passwordType = 0;

    Rfid& Fields(unsigned int f32, unsigned int f16, std::string a) {
        return field32 = f32, field16 = f16, ascii = std::move(a), *this;
    }
    Rfid& User(std::string u, std::string h, int o = 0) {
        return bank = 3, user10 = std::move(u), hex4 = std::move(h), offset = o, *this;
    }
    Rfid& Password(int t, std::string p = "") { return passwordType = t, password = std::move(p), *this; }
    Rfid& Bank(int b, int o = 2) { return bank = b, offset = o, *this; }
    void operator()() const {
        CreateRfidEncode(field32, field16, ascii, As<RfidMemBlockEnum>(bank), offset, user10, hex4,
                         As<RfidPasswordTypeEnum>(passwordType), password);
    }
};

TEST(Emitters, Rfid) {
    // clang-format off
    CheckGolden("rfid", {
        {"epc", Rfid()}, {"user bank", Rfid().User("HELLO", "BEEF")}, {"user bank offset", Rfid().User("A", "", 6)},
        {"empty user data", Rfid().User("", "")}, {"lock", Rfid().Password(1, "PW1")},
        {"lock, empty password", Rfid().Password(1)}, {"password without a type", Rfid().Password(0, "PW1")},
        {"perma-lock", Rfid().Password(2, "PW")}, {"password type 5", Rfid().Password(5, "PW")},
        {"type without a password", Rfid().Password(2)},
        {"password and no data", Rfid().User("", "").Password(1, "PW")},
        {"16-bit field keeps 16 bits", Rfid().Fields(305419896, 0x12345, "LABEL1")},
        {"ascii part in lower case", Rfid().Fields(305419896, 43981, "z")},
        {"bytes above 127", Rfid().Fields(305419896, 43981, "\xE9\x80")},
        {"zero byte", Rfid().Fields(305419896, 43981, std::string(1, '\0'))},
        {"all bits set", Rfid().Fields(0xFFFFFFFFu, 0xFFFFFFFFu, "")}, {"zero fields", Rfid().Fields(0, 0, "LABEL1")},
        {"user bytes above 127", Rfid().User("\xE9", "ab")}, {"frame avoids the data", Rfid().User("", "*")},
        {"negative offset", Rfid().Bank(1, -3)},
        {"other banks record nothing", [] { for (int bank : {0, 2, 4, 5, 6, 7, 8, -1}) Rfid().Bank(bank)(); }},
    });
    // clang-format on
}

}  // namespace
