// Aztec symbols through the exported API: what each language writes for the
// kinds, clamps, rotations and units, and what the VORN size estimate does
// at its edges.

#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "label/VornForm.h"
#include "quillon/Label.h"

namespace {

constexpr int kVorn = 0;
constexpr int kKesh = 1;

std::string Render() {
    std::string text;
    LabelToString(text);
    return text;
}

// The text that `add` puts into a form at 8 dots/mm: the rendered label less
// the header (through the scale line) and the trailer of the empty form.
std::string ObjectText(int language, const std::function<void()>& add) {
    CreateLabel(language, "L1", 8.0f, ScaleEnum::MM);
    const std::string empty = Render();
    add();
    const std::string full = Render();
    CloseLabel();
    const size_t headEnd = empty.find("\r\n", empty.find("SCALE")) + 2;
    EXPECT_EQ(full.substr(0, headEnd), empty.substr(0, headEnd));
    EXPECT_EQ(full.substr(full.size() - (empty.size() - headEnd)), empty.substr(headEnd));
    return full.substr(headEnd, full.size() - empty.size());
}

struct Aztec {
    float x = 100;
    float y = 50;
    std::string content = "HELLO";
    float xdim = 4;
    int codeType = 0;
    int ecc = -1;
    int layers = -1;
    int rotation = 0;
    ScaleEnum scale = ScaleEnum::Dot;
};

void Add(const Aztec& a) {
    ASSERT_NE(
        CreateAztecBarcodes(a.x, a.y, a.content, a.scale, a.xdim, static_cast<AztecCodeTypeEnum>(a.codeType),
                            a.ecc, a.layers, static_cast<RotateEnum>(a.rotation)),
        nullptr);
}

Aztec WithType(int codeType, int ecc = -1, int layers = -1, int rotation = 0) {
    Aztec a;
    a.codeType = codeType;
    a.ecc = ecc;
    a.layers = layers;
    a.rotation = rotation;
    return a;
}

struct Row {
    const char* name;
    Aztec input;
    std::string expected;
};

class AztecTest : public ::testing::Test {
  protected:
    void TearDown() override { CloseLabel(); }
};

// Reads the VORN line "AZTEC ax,ay,angle,[cell,]format,1,"data"".
std::vector<long long> VornNumbers(const std::string& line) {
    std::vector<long long> numbers;
    const size_t end = line.find(",\"");
    size_t pos = 6;
    while (pos < end) {
        size_t comma = line.find(',', pos);
        if (comma > end) comma = end;
        numbers.push_back(std::stoll(line.substr(pos, comma - pos)));
        pos = comma + 1;
    }
    return numbers;
}

TEST_F(AztecTest, VornLineByKindRotationAndClamp) {
    Aztec rotatedMinusOne = WithType(0, -1, -1, -1);
    Aztec negativeXdim = WithType(0, -1, -1, 1);
    negativeXdim.xdim = -4;
    Aztec zeroXdim = WithType(0, -1, -1, 1);
    zeroXdim.xdim = 0;
    Aztec empty;
    empty.content = "";
    Aztec millimetres;
    millimetres.scale = ScaleEnum::MM;
    millimetres.x = 12.34f;      // 98.72 dots, truncated
    millimetres.y = 6.2f;        // 49.6 dots, truncated
    millimetres.xdim = 0.5625f;  // 4.5 dots, rounded away from zero
    Aztec inches;
    inches.scale = ScaleEnum::Inch;  // 8 dots/mm is 203.2 dots per inch
    inches.x = 0.5f;
    inches.y = 0.25f;
    inches.xdim = 0.02f;
    Aztec hugeCell = WithType(0, -1, -1, 1);
    hugeCell.xdim = 1e10f;  // saturates to INT_MAX; 15 of them wrap the anchor

    const Row rows[] = {
        {"default", WithType(0), "AZTEC 100,50,0,4,0,1,\"HELLO\"\r\n"},
        {"default clockwise moves x by 15 cells", WithType(0, -1, -1, 1),
         "AZTEC 160,50,90,4,0,1,\"HELLO\"\r\n"},
        {"default counter-clockwise moves y", WithType(0, -1, -1, 2),
         "AZTEC 100,110,270,4,0,1,\"HELLO\"\r\n"},
        {"default inverted moves both", WithType(0, -1, -1, 3), "AZTEC 160,110,180,4,0,1,\"HELLO\"\r\n"},
        {"unknown rotation drops the anchor", WithType(0, -1, -1, 7), "AZTEC 0,4,0,1,\"HELLO\"\r\n"},
        {"rotation -1 drops the anchor", rotatedMinusOne, "AZTEC 0,4,0,1,\"HELLO\"\r\n"},
        {"fixed 0 percent uses 1", WithType(1, 0), "AZTEC 100,50,0,4,1,1,\"HELLO\"\r\n"},
        {"fixed -1 percent uses 1", WithType(1, -1), "AZTEC 100,50,0,4,1,1,\"HELLO\"\r\n"},
        // 5 bytes at 99 % need 9 codewords; layer 11 is the first to leave
        // that many (939 - 929): 55 modules.
        {"fixed 150 percent uses 99", WithType(1, 150, -1, 1), "AZTEC 320,50,90,4,99,1,\"HELLO\"\r\n"},
        {"fixed 40 percent", WithType(1, 40, -1, 3), "AZTEC 160,110,180,4,40,1,\"HELLO\"\r\n"},
        {"compact 3 layers", WithType(2, -1, 3), "AZTEC 100,50,0,4,103,1,\"HELLO\"\r\n"},
        {"compact 3 layers clockwise is 23 modules", WithType(2, -1, 3, 1),
         "AZTEC 192,50,90,4,103,1,\"HELLO\"\r\n"},
        {"compact 10 layers is 4", WithType(2, -1, 10, 3), "AZTEC 208,158,180,4,104,1,\"HELLO\"\r\n"},
        {"compact 0 layers is 1", WithType(2, -1, 0), "AZTEC 100,50,0,4,101,1,\"HELLO\"\r\n"},
        {"full 40 layers is 32", WithType(3, -1, 40, 1), "AZTEC 656,50,90,4,232,1,\"HELLO\"\r\n"},
        {"full 10 layers", WithType(3, -1, 10, 2), "AZTEC 100,254,270,4,210,1,\"HELLO\"\r\n"},
        {"full no layers is 1", WithType(3), "AZTEC 100,50,0,4,201,1,\"HELLO\"\r\n"},
        {"rune moves by 15 cells", WithType(4, 50, 9, 1), "AZTEC 160,50,90,4,300,1,\"HELLO\"\r\n"},
        {"xdim 0 omits the cell", zeroXdim, "AZTEC 100,50,90,0,1,\"HELLO\"\r\n"},
        {"negative xdim omits the cell but moves", negativeXdim, "AZTEC 40,50,90,0,1,\"HELLO\"\r\n"},
        {"empty data", empty, "AZTEC 100,50,0,4,0,1,\"\"\r\n"},
        {"millimetres", millimetres, "AZTEC 98,49,0,5,0,1,\"HELLO\"\r\n"},
        {"inches", inches, "AZTEC 101,50,0,4,0,1,\"HELLO\"\r\n"},
        {"anchor wraps", hugeCell, "AZTEC -2147483563,50,90,2147483647,0,1,\"HELLO\"\r\n"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(ObjectText(kVorn, [&] { Add(row.input); }), row.expected);
    }
}

TEST_F(AztecTest, VornDefaultSizeLimit) {
    // 32 layers leave 7125 - 1638 = 5487 codewords at 23 %. 4459 bytes
    // estimate to 5484 + 3 and fit in 139 modules; 4460 estimate to 5485 + 3,
    // fit nowhere, and the symbol then counts as -1 modules.
    struct SizeRow {
        const char* name;
        size_t length;
        int rotation;
        std::string expectedHead;
    };
    const SizeRow rows[] = {
        {"largest that fits", 4459, 1, "AZTEC 656,50,90,4,0,1,\""},
        {"one byte more", 4460, 1, "AZTEC 96,50,90,4,0,1,\""},
        {"one byte more, inverted", 4460, 3, "AZTEC 96,46,180,4,0,1,\""},
        {"one byte more, unrotated", 4460, 0, "AZTEC 100,50,0,4,0,1,\""},
        // One layer leaves 88 - 20 = 68: 53 bytes estimate to 65 + 3 and
        // fit, 54 bytes to 66 + 3 and need two layers, 19 modules.
        {"first layer", 53, 1, "AZTEC 160,50,90,4,0,1,\""},
        {"second layer", 54, 1, "AZTEC 176,50,90,4,0,1,\""},
    };
    for (const SizeRow& row : rows) {
        SCOPED_TRACE(row.name);
        Aztec a = WithType(0, -1, -1, row.rotation);
        a.content.assign(row.length, 'A');
        const std::string line = ObjectText(kVorn, [&] { Add(a); });
        EXPECT_EQ(line.substr(0, row.expectedHead.size()), row.expectedHead);
        EXPECT_EQ(line.size(), row.expectedHead.size() + row.length + 3);
    }
}

TEST_F(AztecTest, SizeEstimateHelpers) {
    struct CountRow {
        int dataSize;
        int percent;
        int modules;
    };
    const CountRow rows[] = {
        {68, 23, 15},    {69, 23, 19},   {93, 23, 19}, {94, 23, 23}, {0, 23, 15},
        {5487, 23, 139}, {5488, 23, -1}, {1, 99, 15},  {9, 99, 55},  {-5, 50, 15},
    };
    for (const CountRow& row : rows) {
        SCOPED_TRACE(std::to_string(row.dataSize) + " at " + std::to_string(row.percent));
        EXPECT_EQ(VornForm::CalculateAztecModuleCount(row.dataSize, row.percent), row.modules);
    }
    const int codewords[] = {88, 120, 151, 167, 258, 274, 425, 441, 652, 668};
    for (int layers = 1; layers <= 10; ++layers)
        EXPECT_EQ(VornForm::CalculateTotalCodewordsForLayers(layers), codewords[layers - 1]) << layers;
    EXPECT_EQ(VornForm::CalculateTotalCodewordsForLayers(32), 7125);
    EXPECT_EQ(VornForm::CalculateLengthWithECC(5, 23), 6);
    EXPECT_EQ(VornForm::CalculateLengthWithECC(100, 50), 150);
    EXPECT_EQ(VornForm::CalculateLengthWithECC(INT_MAX, 99), INT_MAX);
}

TEST_F(AztecTest, KeshBlockByKindRotationAndClamp) {
    Aztec zeroXdim;
    zeroXdim.xdim = 0;
    Aztec negativeXdim;
    negativeXdim.xdim = -4;
    Aztec starred;
    starred.content = "A*B";
    Aztec millimetres;
    millimetres.scale = ScaleEnum::MM;
    millimetres.x = 12.34f;
    millimetres.y = 6.2f;
    millimetres.xdim = 0.5625f;

    const Row rows[] = {
        {"default", WithType(0), "BARCODE\r\nAZTEC;XD4;4;FORMAT0,0;50;100\r\n\r\n*HELLO*\r\nSTOP\r\n"},
        {"clockwise keeps the anchor", WithType(0, -1, -1, 1),
         "BARCODE\r\nAZTEC;XD4;CW;4;FORMAT0,0;50;100\r\n\r\n*HELLO*\r\nSTOP\r\n"},
        {"counter-clockwise", WithType(0, -1, -1, 2),
         "BARCODE\r\nAZTEC;XD4;CCW;4;FORMAT0,0;50;100\r\n\r\n*HELLO*\r\nSTOP\r\n"},
        {"inverted", WithType(0, -1, -1, 3),
         "BARCODE\r\nAZTEC;XD4;INV;4;FORMAT0,0;50;100\r\n\r\n*HELLO*\r\nSTOP\r\n"},
        {"unknown rotation", WithType(0, -1, -1, 9),
         "BARCODE\r\nAZTEC;XD4;4;FORMAT0,0;50;100\r\n\r\n*HELLO*\r\nSTOP\r\n"},
        {"fixed 150 percent", WithType(1, 150),
         "BARCODE\r\nAZTEC;XD4;4;FORMAT99,0;50;100\r\n\r\n*HELLO*\r\nSTOP\r\n"},
        {"fixed 0 percent", WithType(1, 0),
         "BARCODE\r\nAZTEC;XD4;4;FORMAT1,0;50;100\r\n\r\n*HELLO*\r\nSTOP\r\n"},
        {"compact 10 layers", WithType(2, -1, 10),
         "BARCODE\r\nAZTEC;XD4;4;FORMAT100,4;50;100\r\n\r\n*HELLO*\r\nSTOP\r\n"},
        {"full 40 layers", WithType(3, -1, 40),
         "BARCODE\r\nAZTEC;XD4;4;FORMAT101,32;50;100\r\n\r\n*HELLO*\r\nSTOP\r\n"},
        {"full -3 layers", WithType(3, -1, -3),
         "BARCODE\r\nAZTEC;XD4;4;FORMAT101,1;50;100\r\n\r\n*HELLO*\r\nSTOP\r\n"},
        {"rune", WithType(4, 50, 7), "BARCODE\r\nAZTEC;XD4;4;FORMAT102,0;50;100\r\n\r\n*HELLO*\r\nSTOP\r\n"},
        {"no kind given", WithType(-1, 50, 7),
         "BARCODE\r\nAZTEC;XD4;4;FORMAT0,0;50;100\r\n\r\n*HELLO*\r\nSTOP\r\n"},
        {"unknown kind", WithType(5, 50, 7),
         "BARCODE\r\nAZTEC;XD4;4;FORMAT0,0;50;100\r\n\r\n*HELLO*\r\nSTOP\r\n"},
        {"xdim 0", zeroXdim, "BARCODE\r\nAZTEC;XD0;FORMAT0,0;50;100\r\n\r\n*HELLO*\r\nSTOP\r\n"},
        {"negative xdim", negativeXdim, "BARCODE\r\nAZTEC;XD-4;FORMAT0,0;50;100\r\n\r\n*HELLO*\r\nSTOP\r\n"},
        {"data holding the asterisk", starred,
         "BARCODE\r\nAZTEC;XD4;4;FORMAT0,0;50;100\r\n\r\n\"A*B\"\r\nSTOP\r\n"},
        {"millimetres", millimetres, "BARCODE\r\nAZTEC;XD5;5;FORMAT0,0;49;98\r\n\r\n*HELLO*\r\nSTOP\r\n"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(ObjectText(kKesh, [&] { Add(row.input); }), row.expected);
    }
}

TEST_F(AztecTest, VornRejectsUnknownKindAndKeepsTheCallersText) {
    for (int codeType : {-1, 5, 100}) {
        SCOPED_TRACE(codeType);
        CreateLabel(kVorn, "L1", 8.0f, ScaleEnum::MM);
        Add(WithType(codeType));
        std::string text = "before";
        try {
            LabelToString(text);
            ADD_FAILURE() << "no exception";
        } catch (const std::runtime_error& e) {
            EXPECT_STREQ(e.what(), "Unknown");
        }
        EXPECT_EQ(text, "before");
        CloseLabel();
    }
}

TEST_F(AztecTest, WholeFormInBothLanguages) {
    struct FormRow {
        int language;
        std::string expected;
    };
    const FormRow rows[] = {
        {kVorn,
         "REM L1 FORM BEGIN\r\nCLS\r\nDPI = 203\r\nFONT$ = \"1\"\r\nFH = 8\r\nFV = 12\r\nREM SCALE "
         "203,203\r\n"
         "AZTEC 100,50,0,4,0,1,\"HELLO\"\r\nAZTEC 265,50,90,3,99,1,\"HELLO\"\r\nPRINT 1\r\nREM L1 FORM "
         "END\r\n"},
        {kKesh,
         "~CREATE;L1;X\r\nSCALE;DOT;203;203\r\nBARCODE\r\nAZTEC;XD4;4;FORMAT0,0;50;100\r\n\r\n*HELLO*"
         "\r\nSTOP\r\n"
         "BARCODE\r\nAZTEC;XD3;CW;3;FORMAT99,0;50;100\r\n\r\n*HELLO*\r\nSTOP\r\n"
         "\r\nEND\r\n~EXECUTE;L1\r\n~NORMAL\r\n~DELETE FORM;L1\r\n"},
    };
    for (const FormRow& row : rows) {
        SCOPED_TRACE(row.language);
        CreateLabel(row.language, "L1", 203.0f, ScaleEnum::Inch);
        Add(WithType(0));
        Aztec fixed = WithType(1, 104, -1, 1);  // 99 %: 5 bytes need 55 modules
        fixed.xdim = 3;
        Add(fixed);
        EXPECT_EQ(Render(), row.expected);
        CloseLabel();
    }
}

TEST_F(AztecTest, NothingRecordedWithoutALabel) {
    EXPECT_EQ(CreateAztecBarcodes(1, 2, "X", ScaleEnum::Dot, 4, AztecCodeTypeEnum::Default, -1, -1,
                                  RotateEnum::None),
              nullptr);
}

// Sweeps data length and module size over every kind and rotation. Whatever
// the input, the VORN anchor of a rotated symbol is the corner of one square
// symbol box of side M cells at (X, Y), M is a size the symbology has (15 to
// 139 in steps of 4, or -1 for data too long), the same M for every
// rotation, never shrinking as data grows; format numbers stay in range and
// KESH writes the same position and clamped format.
TEST_F(AztecTest, PropertyAnchorsStayOnTheSymbolBox) {
    const std::vector<size_t> lengths = {0, 1, 7, 53, 54, 200, 800, 1500, 3000, 4459, 4460, 6000};
    const float xdims[] = {1, 2, 3, 5, 8, 13};
    const int types[][3] = {{0, -1, -1}, {1, 0, -1}, {1, 23, -1}, {1, 60, -1}, {1, 99, -1},
                            {2, -1, 1},  {2, -1, 9}, {3, -1, 17}, {3, -1, 33}, {4, -1, -1}};
    for (const auto& type : types) {
        for (float xdim : xdims) {
            int previous = 0;
            for (size_t length : lengths) {
                Aztec a = WithType(type[0], type[1], type[2]);
                a.xdim = xdim;
                a.x = 30;
                a.y = 70;
                a.content.assign(length, 'Q');
                SCOPED_TRACE("type " + std::to_string(type[0]) + " xdim " + std::to_string(xdim) +
                             " length " + std::to_string(length));
                int modules = 0;
                long long format = -1;
                for (int rotation = 0; rotation < 4; ++rotation) {
                    a.rotation = rotation;
                    const auto n = VornNumbers(ObjectText(kVorn, [&] { Add(a); }));
                    ASSERT_EQ(n.size(), 6u);
                    const long long dx = n[0] - 30;
                    const long long dy = n[1] - 70;
                    const long long side = (rotation == 1 || rotation == 3) ? dx : dy;
                    EXPECT_EQ(dx, (rotation == 1 || rotation == 3) ? side : 0);
                    EXPECT_EQ(dy, (rotation == 2 || rotation == 3) ? side : 0);
                    EXPECT_EQ(n[3], static_cast<long long>(xdim));
                    if (rotation == 0) {
                        format = n[4];
                        continue;
                    }
                    EXPECT_EQ(n[4], format);
                    ASSERT_EQ(side % static_cast<long long>(xdim), 0);
                    const int m = static_cast<int>(side / static_cast<long long>(xdim));
                    if (rotation == 1) modules = m;
                    EXPECT_EQ(m, modules);
                }
                EXPECT_TRUE(modules == -1 || (modules >= 15 && modules <= 139 && modules % 4 == 3))
                    << modules;
                if (modules == -1) {
                    EXPECT_LE(type[0], 1) << "only estimated sizes can overflow";
                }
                if (type[0] == 2) {
                    EXPECT_LE(modules, 27);
                }
                if (type[0] == 4) {
                    EXPECT_EQ(modules, 15);
                }
                if (type[0] == 2 || type[0] == 3) {
                    EXPECT_EQ(modules, (format % 100 - 1) * 4 + 15);
                }
                if (type[0] == 1) {
                    EXPECT_TRUE(format >= 1 && format <= 99);
                }
                // Growing data never shrinks the symbol until it no longer fits.
                if (previous != -1 && modules != -1) {
                    EXPECT_GE(modules, previous);
                }
                if (previous == -1) {
                    EXPECT_EQ(modules, -1);
                }
                previous = modules;

                a.rotation = 0;
                const std::string kesh = ObjectText(kKesh, [&] { Add(a); });
                const std::string head = "BARCODE\r\nAZTEC;XD" + std::to_string(static_cast<int>(xdim)) +
                                         ";" + std::to_string(static_cast<int>(xdim)) + ";FORMAT";
                EXPECT_EQ(kesh.substr(0, head.size()), head);
                EXPECT_NE(kesh.find(";70;30\r\n\r\n*"), std::string::npos);
            }
        }
    }
}

}  // namespace
