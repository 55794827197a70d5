// Aztec symbols through the exported API: what each language writes for the
// kinds, clamps, rotations and units, and what the VORN size estimate does
// at its edges.

#include <gtest/gtest.h>

#include <climits>
#include <stdexcept>
#include <string>
#include <vector>

#include "emit_support.h"
#include "label/VornForm.h"
#include "quillon/Label.h"

namespace {

using quillon_test::kKesh;
using quillon_test::kVorn;

// Arguments of one CreateAztecBarcodes call: dots, 100/50, module 4, "HELLO".
struct Az {
    float x = 100, y = 50;
    std::string content = "HELLO";
    float xdim = 4;
    int type = 0, ecc = -1, layers = -1, rot = 0;
    ScaleEnum scale = ScaleEnum::Dot;

    Az& At(ScaleEnum s, float x_, float y_, float d) { return scale = s, x = x_, y = y_, xdim = d, *this; }
    Az& Module(float d) { return xdim = d, *this; }
    Az& Data(std::string c) { return content = std::move(c), *this; }
    void Add() const {
        ASSERT_NE(CreateAztecBarcodes(x, y, content, scale, xdim, static_cast<AztecCodeTypeEnum>(type), ecc,
                                      layers, static_cast<RotateEnum>(rot)),
                  nullptr);
    }
};

Az T(int type, int ecc = -1, int layers = -1, int rot = 0) {
    Az a;
    a.type = type, a.ecc = ecc, a.layers = layers, a.rot = rot;
    return a;
}

// The object text at 8 dots/mm.
std::string Text(int lang, const Az& a) {
    return quillon_test::ObjectText(
        lang, [&] { a.Add(); }, 8.0f, ScaleEnum::MM);
}

struct Row {
    const char* name;
    Az input;
    std::string expected;
};

class AztecTest : public ::testing::Test {
  protected:
    void TearDown() override { CloseLabel(); }
};

TEST_F(AztecTest, VornLineByKindRotationAndClamp) {
    // clang-format off
    const Row rows[] = {
        {"default", T(0), "AZTEC 100,50,0,4,0,1,\"HELLO\"\r\n"},
        {"default clockwise moves x by 15 cells", T(0, -1, -1, 1), "AZTEC 160,50,90,4,0,1,\"HELLO\"\r\n"},
        {"default counter-clockwise moves y", T(0, -1, -1, 2), "AZTEC 100,110,270,4,0,1,\"HELLO\"\r\n"},
        {"default inverted moves both", T(0, -1, -1, 3), "AZTEC 160,110,180,4,0,1,\"HELLO\"\r\n"},
        {"unknown rotation drops the anchor", T(0, -1, -1, 7), "AZTEC 0,4,0,1,\"HELLO\"\r\n"},
        {"fixed 0 percent uses 1", T(1, 0), "AZTEC 100,50,0,4,1,1,\"HELLO\"\r\n"},
        // 5 bytes at 99 % need 9 codewords; layer 11 is the first to leave
        // that many (939 - 929): 55 modules.
        {"fixed 150 percent uses 99", T(1, 150, -1, 1), "AZTEC 320,50,90,4,99,1,\"HELLO\"\r\n"},
        {"fixed 40 percent", T(1, 40, -1, 3), "AZTEC 160,110,180,4,40,1,\"HELLO\"\r\n"},
        {"compact 3 layers clockwise is 23 modules", T(2, -1, 3, 1), "AZTEC 192,50,90,4,103,1,\"HELLO\"\r\n"},
        {"compact 10 layers is 4", T(2, -1, 10, 3), "AZTEC 208,158,180,4,104,1,\"HELLO\"\r\n"},
        {"compact 0 layers is 1", T(2, -1, 0), "AZTEC 100,50,0,4,101,1,\"HELLO\"\r\n"},
        {"full 40 layers is 32", T(3, -1, 40, 1), "AZTEC 656,50,90,4,232,1,\"HELLO\"\r\n"},
        {"full no layers is 1", T(3), "AZTEC 100,50,0,4,201,1,\"HELLO\"\r\n"},
        {"rune moves by 15 cells", T(4, 50, 9, 1), "AZTEC 160,50,90,4,300,1,\"HELLO\"\r\n"},
        {"xdim 0 omits the cell", T(0, -1, -1, 1).Module(0), "AZTEC 100,50,90,0,1,\"HELLO\"\r\n"},
        {"negative xdim omits the cell but moves", T(0, -1, -1, 1).Module(-4), "AZTEC 40,50,90,0,1,\"HELLO\"\r\n"},
        {"empty data", T(0).Data(""), "AZTEC 100,50,0,4,0,1,\"\"\r\n"},
        // Positions truncate, the cell rounds away from zero.
        {"millimetres", T(0).At(ScaleEnum::MM, 12.34f, 6.2f, 0.5625f), "AZTEC 98,49,0,5,0,1,\"HELLO\"\r\n"},
        {"inches (203.2 dots)", T(0).At(ScaleEnum::Inch, 0.5f, 0.25f, 0.02f), "AZTEC 101,50,0,4,0,1,\"HELLO\"\r\n"},
        // The cell saturates to INT_MAX; 15 of them wrap the anchor.
        {"anchor wraps", T(0, -1, -1, 1).Module(1e10f), "AZTEC -2147483563,50,90,2147483647,0,1,\"HELLO\"\r\n"},
    };
    // clang-format on
    for (const Row& row : rows) EXPECT_EQ(Text(kVorn, row.input), row.expected) << row.name;
}

TEST_F(AztecTest, VornDefaultSizeLimit) {
    // 32 layers leave 7125 - 1638 = 5487 codewords at 23 %. 4459 bytes
    // estimate to 5484 + 3 and fit in 139 modules; 4460 estimate to 5485 + 3,
    // fit nowhere, and the symbol then counts as -1 modules. One layer leaves
    // 88 - 20 = 68: 53 bytes estimate to 65 + 3 and fit, 54 bytes need two
    // layers, 19 modules.
    const struct {
        size_t length;
        int rot;
        std::string head;
    } rows[] = {
        {4459, 1, "AZTEC 656,50,90,4,0,1,\""}, {4460, 1, "AZTEC 96,50,90,4,0,1,\""},
        {4460, 3, "AZTEC 96,46,180,4,0,1,\""}, {4460, 0, "AZTEC 100,50,0,4,0,1,\""},
        {53, 1, "AZTEC 160,50,90,4,0,1,\""},   {54, 1, "AZTEC 176,50,90,4,0,1,\""},
    };
    for (const auto& row : rows) {
        const std::string line = Text(kVorn, T(0, -1, -1, row.rot).Data(std::string(row.length, 'A')));
        EXPECT_EQ(line.substr(0, row.head.size()), row.head) << row.length;
        EXPECT_EQ(line.size(), row.head.size() + row.length + 3) << row.length;
    }
}

TEST_F(AztecTest, SizeEstimateHelpers) {
    const int rows[][3] = {{0, 23, 15}, {1, 99, 15}, {9, 99, 55}, {-5, 50, 15}};
    for (const auto& row : rows)
        EXPECT_EQ(VornForm::CalculateAztecModuleCount(row[0], row[1]), row[2]) << row[0] << " at " << row[1];
    EXPECT_EQ(VornForm::CalculateLengthWithECC(5, 23), 6);
    EXPECT_EQ(VornForm::CalculateLengthWithECC(100, 50), 150);
    EXPECT_EQ(VornForm::CalculateLengthWithECC(INT_MAX, 99), INT_MAX);
}

TEST_F(AztecTest, KeshBlockByKindRotationAndClamp) {
    const std::string data = ";50;100\r\n\r\n*HELLO*\r\nSTOP\r\n";
    // clang-format off
    const Row rows[] = {
        {"default", T(0), "BARCODE\r\nAZTEC;XD4;4;FORMAT0,0" + data},
        {"clockwise keeps the anchor", T(0, -1, -1, 1), "BARCODE\r\nAZTEC;XD4;CW;4;FORMAT0,0" + data},
        {"fixed 150 percent", T(1, 150), "BARCODE\r\nAZTEC;XD4;4;FORMAT99,0" + data},
        {"fixed 0 percent", T(1, 0), "BARCODE\r\nAZTEC;XD4;4;FORMAT1,0" + data},
        {"compact 10 layers", T(2, -1, 10), "BARCODE\r\nAZTEC;XD4;4;FORMAT100,4" + data},
        {"full 40 layers", T(3, -1, 40), "BARCODE\r\nAZTEC;XD4;4;FORMAT101,32" + data},
        {"full -3 layers", T(3, -1, -3), "BARCODE\r\nAZTEC;XD4;4;FORMAT101,1" + data},
        {"rune", T(4, 50, 7), "BARCODE\r\nAZTEC;XD4;4;FORMAT102,0" + data},
        {"unknown kind", T(5, 50, 7), "BARCODE\r\nAZTEC;XD4;4;FORMAT0,0" + data},
        {"xdim 0", T(0).Module(0), "BARCODE\r\nAZTEC;XD0;FORMAT0,0" + data},
        {"negative xdim", T(0).Module(-4), "BARCODE\r\nAZTEC;XD-4;FORMAT0,0" + data},
        {"data holding the asterisk", T(0).Data("A*B"), "BARCODE\r\nAZTEC;XD4;4;FORMAT0,0;50;100\r\n\r\n\"A*B\"\r\nSTOP\r\n"},
        {"millimetres", T(0).At(ScaleEnum::MM, 12.34f, 6.2f, 0.5625f), "BARCODE\r\nAZTEC;XD5;5;FORMAT0,0;49;98\r\n\r\n*HELLO*\r\nSTOP\r\n"},
    };
    // clang-format on
    for (const Row& row : rows) EXPECT_EQ(Text(kKesh, row.input), row.expected) << row.name;
}

TEST_F(AztecTest, VornRejectsUnknownKindAndKeepsTheCallersText) {
    for (int type : {-1, 5, 100})
        EXPECT_EQ(quillon_test::Thrown<std::runtime_error>(kVorn, [&] { T(type).Add(); }), "Unknown") << type;
}

TEST_F(AztecTest, WholeFormInBothLanguages) {
    const std::string expected[] = {
        "REM L1 FORM BEGIN\r\nCLS\r\nDPI = 203\r\nFONT$ = \"1\"\r\nFH = 8\r\nFV = 12\r\nREM SCALE 203,203\r\n"
        "AZTEC 100,50,0,4,0,1,\"HELLO\"\r\nAZTEC 265,50,90,3,99,1,\"HELLO\"\r\nPRINT 1\r\nREM L1 FORM "
        "END\r\n",
        "~CREATE;L1;X\r\nSCALE;DOT;203;203\r\nBARCODE\r\nAZTEC;XD4;4;FORMAT0,0;50;100\r\n\r\n*HELLO*"
        "\r\nSTOP\r\n"
        "BARCODE\r\nAZTEC;XD3;CW;3;FORMAT99,0;50;100\r\n\r\n*HELLO*\r\nSTOP\r\n"
        "\r\nEND\r\n~EXECUTE;L1\r\n~NORMAL\r\n~DELETE FORM;L1\r\n",
    };
    for (int lang : {kVorn, kKesh}) {
        CreateLabel(lang, "L1", 203.0f, ScaleEnum::Inch);
        T(0).Add();
        T(1, 104, -1, 1).Module(3).Add();  // 99 %: 5 bytes need 55 modules
        std::string text;
        LabelToString(text);
        EXPECT_EQ(text, expected[lang]);
        CloseLabel();
    }
}

// Sweeps data length and module size over every kind and rotation. Whatever
// the input, the VORN anchor of a rotated symbol is the corner of one square
// symbol box of side M cells at (X, Y), M is a size the symbology has (15 to
// 139 in steps of 4, or -1 for data too long), the same M for every
// rotation, never shrinking as data grows; format numbers stay in range and
// KESH writes the same position and clamped format.
TEST_F(AztecTest, PropertyAnchorsStayOnTheSymbolBox) {
    const size_t lengths[] = {0, 1, 7, 53, 54, 200, 800, 1500, 3000, 4459, 4460, 6000};
    const int types[][3] = {{0, -1, -1}, {1, 0, -1}, {1, 23, -1}, {1, 60, -1}, {1, 99, -1},
                            {2, -1, 1},  {2, -1, 9}, {3, -1, 17}, {3, -1, 33}, {4, -1, -1}};
    for (const auto& type : types) {
        for (float xdim : {1.f, 2.f, 3.f, 5.f, 8.f, 13.f}) {
            int previous = 0;
            for (size_t length : lengths) {
                Az a = T(type[0], type[1], type[2])
                           .At(ScaleEnum::Dot, 30, 70, xdim)
                           .Data(std::string(length, 'Q'));
                SCOPED_TRACE("type " + std::to_string(type[0]) + " xdim " + std::to_string(xdim) +
                             " length " + std::to_string(length));
                int modules = 0;
                long long format = -1;
                for (a.rot = 0; a.rot < 4; ++a.rot) {
                    const auto n = quillon_test::LeadingNumbers(Text(kVorn, a));
                    ASSERT_EQ(n.size(), 6u);
                    const bool sideways = a.rot == 1 || a.rot == 3;
                    const long long dx = n[0] - 30, dy = n[1] - 70;
                    const long long side = sideways ? dx : dy;
                    EXPECT_EQ(dx, sideways ? side : 0);
                    EXPECT_EQ(dy, (a.rot == 2 || a.rot == 3) ? side : 0);
                    EXPECT_EQ(n[3], static_cast<long long>(xdim));
                    if (a.rot == 0) {
                        format = n[4];
                        continue;
                    }
                    EXPECT_EQ(n[4], format);
                    ASSERT_EQ(side % static_cast<long long>(xdim), 0);
                    const int m = static_cast<int>(side / static_cast<long long>(xdim));
                    if (a.rot == 1) modules = m;
                    EXPECT_EQ(m, modules);
                }
                EXPECT_TRUE(modules == -1 || (modules >= 15 && modules <= 139 && modules % 4 == 3))
                    << modules;
                EXPECT_TRUE(modules != -1 || type[0] <= 1) << "only estimated sizes can overflow";
                EXPECT_TRUE(type[0] != 2 || modules <= 27) << modules;
                EXPECT_TRUE(type[0] != 4 || modules == 15) << modules;
                if (type[0] == 2 || type[0] == 3) {
                    EXPECT_EQ(modules, (format % 100 - 1) * 4 + 15);
                }
                EXPECT_TRUE(type[0] != 1 || (format >= 1 && format <= 99)) << format;
                // Growing data never shrinks the symbol until it no longer fits.
                EXPECT_TRUE(previous == -1 || modules == -1 || modules >= previous) << previous;
                EXPECT_TRUE(previous != -1 || modules == -1) << modules;
                previous = modules;

                a.rot = 0;
                const std::string kesh = Text(kKesh, a);
                const std::string cell = std::to_string(static_cast<int>(xdim));
                const std::string head = "BARCODE\r\nAZTEC;XD" + cell + ";" + cell + ";FORMAT";
                EXPECT_EQ(kesh.substr(0, head.size()), head);
                EXPECT_NE(kesh.find(";70;30\r\n\r\n*"), std::string::npos);
            }
        }
    }
}

}  // namespace
