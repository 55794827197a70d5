// DataMatrix symbols through the exported API: one symbol on a label,
// rendered in both languages, compared with the literal command text.

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "emit_support.h"
#include "quillon/Label.h"

namespace {

using quillon_test::kKesh;
using quillon_test::kVorn;
using quillon_test::ObjectText;

// Arguments of one CreateDataMatrixBarcodes call; the defaults are the
// worked example (dots, 100/50, module 4, no rows or columns).
struct DM {
    float x = 100, y = 50;
    std::string content = "HELLO";
    ScaleEnum scale = ScaleEnum::Dot;
    float xdim = 4;
    int rot = 0;
    bool rect = false;
    std::string multi;
    char c1 = 13, c2 = 10;
    int rows = -1, cols = -1;

    DM& At(float x_, float y_) { return x = x_, y = y_, *this; }
    DM& Data(std::string c) { return content = std::move(c), *this; }
    DM& Unit(ScaleEnum s) { return scale = s, *this; }
    DM& Module(float d) { return xdim = d, *this; }
    DM& Rot(int r) { return rot = r, *this; }
    DM& Rect() { return rect = true, *this; }
    DM& Multi(std::string m, char a = 13, char b = 10) { return multi = std::move(m), c1 = a, c2 = b, *this; }
    DM& Size(int r, int c) { return rows = r, cols = c, *this; }

    void* Add() const {
        return CreateDataMatrixBarcodes(x, y, content, scale, xdim, static_cast<RotateEnum>(rot), rect, multi,
                                        c1, c2, rows, cols);
    }
};

std::string Render(int lang, const DM& dm, float perUnit = 203.0f, ScaleEnum unit = ScaleEnum::Inch) {
    return ObjectText(
        lang, [&] { dm.Add(); }, perUnit, unit);
}

struct Row {
    const char* name;
    DM dm;
    std::string expected;
};

void RunRows(int lang, const std::vector<Row>& rows) {
    for (const auto& row : rows) EXPECT_EQ(Render(lang, row.dm), row.expected) << row.name;
}

// clang-format off
TEST(DataMatrixVorn, AnchorModuleAndShape) {
    RunRows(kVorn, {
        {"worked example", DM(), "DMATRIX 100,50,144000,144000,c126,x4,\"HELLO\"\r\n"},
        {"clockwise, sized", DM().Rot(1).Size(16, 16), "DMATRIX 164,50,144000,144000,c126,x4,r90,16,16,\"HELLO\"\r\n"},
        {"clockwise uses columns", DM().Rot(1).Size(10, 20), "DMATRIX 180,50,144000,144000,c126,x4,r90,10,20,\"HELLO\"\r\n"},
        {"clockwise, unsized", DM().Rot(1), "DMATRIX 144000,144000,c126,x4,r90,\"HELLO\"\r\n"},
        {"counter-clockwise, sized", DM().Rot(2).Size(10, 20), "DMATRIX 100,90,144000,144000,c126,x4,r270,10,20,\"HELLO\"\r\n"},
        {"counter-clockwise, dots: no table", DM().Rot(2), "DMATRIX 100,144000,144000,c126,x4,r270,\"HELLO\"\r\n"},
        {"inverted, sized", DM().Rot(3).Size(10, 20), "DMATRIX 140,130,144000,144000,c126,x4,r180,10,20,\"HELLO\"\r\n"},
        {"inverted, unsized", DM().Rot(3), "DMATRIX 144000,144000,c126,x4,r180,\"HELLO\"\r\n"},
        {"rows without columns", DM().Rot(1).Size(16, -1), "DMATRIX 144000,144000,c126,x4,r90,\"HELLO\"\r\n"},
        {"zero rows", DM().Rot(3).Size(0, 5), "DMATRIX 144000,144000,c126,x4,r180,\"HELLO\"\r\n"},
        {"rotation beyond table", DM().Rot(5).Size(16, 16), "DMATRIX 144000,144000,c126,x4,16,16,\"HELLO\"\r\n"},
        {"rotation -1", DM().Rot(-1), "DMATRIX 144000,144000,c126,x4,\"HELLO\"\r\n"},
        // col x cell + X wraps at 32 bits: 4 * INT_MAX + 100 is 96.
        {"anchor sums wrap", DM().Rot(3).Size(INT_MAX, INT_MAX), "DMATRIX 96,46,144000,144000,c126,x4,r180,2147483647,2147483647,\"HELLO\"\r\n"},
        {"rounded module", DM().Module(2.5f), "DMATRIX 100,50,144000,144000,c126,x3,\"HELLO\"\r\n"},
        {"module -1 is 0.015 of the unit", DM().Module(-1), "DMATRIX 100,50,144000,144000,c126,x0,\"HELLO\"\r\n"},
        {"module 0 omitted", DM().Module(0), "DMATRIX 100,50,144000,144000,c126,\"HELLO\"\r\n"},
        {"negative module omitted", DM().Module(-2), "DMATRIX 100,50,144000,144000,c126,\"HELLO\"\r\n"},
        {"unset module in a sized rotation counts 1", DM().Module(0).Rot(1).Size(16, 12), "DMATRIX 112,50,144000,144000,c126,r90,16,12,\"HELLO\"\r\n"},
        {"rectangle", DM().Rect().Size(8, 18), "DMATRIX 100,50,144000,144000,c126,x4,a1,8,18,\"HELLO\"\r\n"},
        {"positions truncate", DM().At(10.6f, 0.99f), "DMATRIX 10,0,144000,144000,c126,x4,\"HELLO\"\r\n"},
        {"inch ruler", DM().Unit(ScaleEnum::Inch).At(1, 0.5f).Module(0.02f), "DMATRIX 203,101,144000,144000,c126,x4,\"HELLO\"\r\n"},
        {"inch ruler, default module", DM().Unit(ScaleEnum::Inch).At(1, 0.5f).Module(-1), "DMATRIX 203,101,144000,144000,c126,x3,\"HELLO\"\r\n"},
    });
}

TEST(DataMatrix, MultiLineExpansion) {
    const std::string head = "DMATRIX 100,50,144000,144000,c126,x4,\"";
    RunRows(kVorn, {
        {"two lines", DM().Data("ID").Multi("A/r/nB"), head + "ID~M~JA~M~JB\"\r\n"},
        {"one line", DM().Data("").Multi("X"), head + "~M~JX\"\r\n"},
        {"separator alone", DM().Data("").Multi("/r/n"), head + "~M~J~M~J\"\r\n"},
        {"trailing separator", DM().Data("").Multi("A/r/n"), head + "~M~JA~M~J\"\r\n"},
        {"real CR LF is no separator", DM().Data("").Multi("A\r\nB"), head + "~M~JA\r\nB\"\r\n"},
        {"half a separator", DM().Data("").Multi("A/rB/n"), head + "~M~JA/rB/n\"\r\n"},
        {"printable control characters", DM().Data("").Multi("A/r/nB", '|', ' '), head + "| A| B\"\r\n"},
        {"byte 0 and byte 31", DM().Data("").Multi("A", 0, 31), head + "~@~_A\"\r\n"},
        {"high byte stays itself", DM().Data("").Multi("A", static_cast<char>(0xE9), 10), head + "\xE9~JA\"\r\n"},
        {"no multi-line text", DM().Data("AB").Multi("", 0, 0), head + "AB\"\r\n"},
    });
}

// Counter-clockwise symbols without rows and columns are anchored by a size
// estimated from the data (digits weigh 1, other bytes 2) for inch rulers
// at 600, 300, 203 and 200 dpi.
TEST(DataMatrixVorn, EstimatedSize) {
    const std::string tail = ",144000,144000,c126,x4,r270,\"";
    const struct {
        const char* name;
        float dpi;
        std::string data, expected, multi;
    } rows[] = {
        {"5 digits", 203, "12345", "DMATRIX 203,140" + tail + "12345\"\r\n", ""},
        {"weight 10", 203, "ABCDE", "DMATRIX 203,140" + tail + "ABCDE\"\r\n", ""},
        {"weight 11", 203, "ABCDE1", "DMATRIX 203,210" + tail + "ABCDE1\"\r\n", ""},
        {"weight 20", 203, std::string(20, '7'), "DMATRIX 203,210" + tail + std::string(20, '7') + "\"\r\n", ""},
        {"weight 32", 203, std::string(16, 'Z'), "DMATRIX 203,180" + tail + std::string(16, 'Z') + "\"\r\n", ""},
        {"weight 33", 203, std::string(16, 'Z') + "1", "DMATRIX 203,230" + tail + std::string(16, 'Z') + "1\"\r\n", ""},
        {"weight 64", 203, std::string(32, 'Z'), "DMATRIX 203,230" + tail + std::string(32, 'Z') + "\"\r\n", ""},
        {"weight 98", 203, std::string(49, 'Z'), "DMATRIX 203,290" + tail + std::string(49, 'Z') + "\"\r\n", ""},
        {"200 dpi", 200, "1", "DMATRIX 200,140" + tail + "1\"\r\n", ""},
        {"300 dpi", 300, "1", "DMATRIX 300,219,144000,144000,c126,x6,r270,\"1\"\r\n", ""},
        {"300 dpi, weight 98", 300, std::string(98, '1'), "DMATRIX 300,459,144000,144000,c126,x6,r270,\"" + std::string(98, '1') + "\"\r\n", ""},
        {"600 dpi, weight 12", 600, "ABCDEF", "DMATRIX 600,630,144000,144000,c126,x12,r270,\"ABCDEF\"\r\n", ""},
        {"600 dpi, weight 40", 600, std::string(20, 'Q'), "DMATRIX 600,690,144000,144000,c126,x12,r270,\"" + std::string(20, 'Q') + "\"\r\n", ""},
        {"600 dpi, weight 70", 600, std::string(35, 'Q'), "DMATRIX 600,870,144000,144000,c126,x12,r270,\"" + std::string(35, 'Q') + "\"\r\n", ""},
        {"other resolution", 406, std::string(200, 'Q'), "DMATRIX 406,144000,144000,c126,x8,r270,\"" + std::string(200, 'Q') + "\"\r\n", ""},
        {"empty data", 203, "", "DMATRIX 203" + tail + "\"\r\n", ""},
        {"multi-line text counts", 203, "", "DMATRIX 203,210" + tail + "~M~JAB\"\r\n", "AB"},
    };
    for (const auto& row : rows) {
        const DM dm = DM().Unit(ScaleEnum::Inch).At(1, 0.25f).Module(0.02f).Rot(2).Data(row.data).Multi(row.multi);
        EXPECT_EQ(Render(kVorn, dm, row.dpi), row.expected) << row.name;
    }
}
// clang-format on

TEST(DataMatrixVorn, TooLongForTheTable) {
    // Weight 99: the symbol is dropped with one line on standard error, and
    // the objects around it are written as usual.
    testing::internal::CaptureStderr();
    const std::string text = ObjectText(kVorn, [] {
        DM().Data("A").Add();
        DM().Unit(ScaleEnum::Inch).At(1, 1).Rot(2).Data(std::string(49, 'Z') + "1").Add();
        DM().Data("B").Add();
    });
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Out of string length!!\n");
    EXPECT_EQ(text,
              "DMATRIX 100,50,144000,144000,c126,x4,\"A\"\r\n"
              "DMATRIX 100,50,144000,144000,c126,x4,\"B\"\r\n");

    // Millimetres never reach the table, whatever the length.
    testing::internal::CaptureStderr();
    EXPECT_EQ(
        Render(kVorn, DM().Unit(ScaleEnum::MM).At(10, 10).Module(0.5f).Rot(2).Data(std::string(60, 'Z'))),
        "DMATRIX 79,144000,144000,c126,x4,r270,\"" + std::string(60, 'Z') + "\"\r\n");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

// clang-format off
TEST(DataMatrixKesh, Parameters) {
    const std::string tail = "ECC200;50;100\r\n*HELLO*\r\nSTOP\r\n";
    RunRows(kKesh, {
        {"worked example", DM(), "BARCODE\r\nDATAMATRIX;XD4;" + tail},
        {"every option", DM().Rot(1).Size(16, 20).Rect(), "BARCODE\r\nDATAMATRIX;CW;XD4;C20;R16;SH2;" + tail},
        {"columns without rows", DM().Size(-1, 5), "BARCODE\r\nDATAMATRIX;XD4;" + tail},
        {"module -1", DM().Module(-1), "BARCODE\r\nDATAMATRIX;XD0;" + tail},
        {"module 0", DM().Module(0), "BARCODE\r\nDATAMATRIX;" + tail},
        {"frame avoids the data", DM().Data("*\""), "BARCODE\r\nDATAMATRIX;XD4;ECC200;50;100\r\n'*\"'\r\nSTOP\r\n"},
        {"multi-line", DM().Data("ID").Multi("A/r/nB"), "BARCODE\r\nDATAMATRIX;XD4;ECC200;50;100\r\n*ID~M~JA~M~JB*\r\nSTOP\r\n"},
        // No size table in KESH: long counter-clockwise data is written.
        {"long counter-clockwise", DM().Unit(ScaleEnum::Inch).At(1, 1).Module(0.02f).Rot(2).Data(std::string(60, 'Z')), "BARCODE\r\nDATAMATRIX;CCW;XD4;ECC200;203;203\r\n*" + std::string(60, 'Z') + "*\r\nSTOP\r\n"},
    });
}
// clang-format on

}  // namespace
