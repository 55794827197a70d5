// PDF417 symbols through the exported label functions, in both languages.

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "emit_support.h"

namespace {

using quillon_test::kKesh;
using quillon_test::kVorn;
using quillon_test::ObjectText;

struct Pdf417Call {
    float x = 100, y = 50;
    std::string content = "HELLO";
    ScaleEnum scale = ScaleEnum::Dot;
    float xdim = 2, ydim = 6;
    int level = -1;
    int row = 0, col = 0;
    int rotation = 0;
};

void Add(const Pdf417Call& c) {
    CreatePdf417Bcodes(c.x, c.y, c.content, c.scale, c.xdim, c.ydim,
                       static_cast<Pdf417ErrCorrectionEnum>(c.level), c.row, c.col,
                       static_cast<RotateEnum>(c.rotation));
}

// The symbol's own lines, on a printer of 8 dots/mm.
std::string SymbolText(int language, const Pdf417Call& call) {
    return ObjectText(
        language, [&call] { Add(call); }, 8.0f, ScaleEnum::MM);
}

Pdf417Call With(void (*edit)(Pdf417Call&)) {
    Pdf417Call c;
    edit(c);
    return c;
}

struct EmitCase {
    const char* name;
    Pdf417Call call;
    const char* vorn;
    const char* kesh;
};

class Pdf417Emit : public testing::TestWithParam<EmitCase> {};

TEST_P(Pdf417Emit, RendersInBothLanguages) {
    EXPECT_EQ(SymbolText(kVorn, GetParam().call), GetParam().vorn);
    EXPECT_EQ(SymbolText(kKesh, GetParam().call), GetParam().kesh);
}

// HELLO is 4 data codewords; at level 2 the total is 12.
// clang-format off
INSTANTIATE_TEST_SUITE_P(Labels, Pdf417Emit, testing::Values(
    // Automatic: 12 codewords give 3 columns for the 1:2 aspect.
    EmitCase{"AutomaticSize", Pdf417Call{}, "PDF417 100,50,238,0,0,W2,H6,C3,E2,\"HELLO\"\r\n",
             "BARCODE\r\nPDF417;XD2;YD6;S2;50;100\r\n*HELLO*\r\nSTOP\r\n"},
    // 90 columns cannot be filled: the encoder keeps its one column.
    EmitCase{"ColumnsAboveLimit", With([](Pdf417Call& c) { c.col = 120; }),
             "PDF417 100,50,170,0,0,W2,H6,C90,E2,\"HELLO\"\r\n", "BARCODE\r\nPDF417;XD2;YD6;C90;S2;50;100\r\n*HELLO*\r\nSTOP\r\n"},
    EmitCase{"OneRowAsksForThree", With([](Pdf417Call& c) { c.row = 1; }),
             "PDF417 100,50,272,0,0,W2,H6,C4,E2,\"HELLO\"\r\n", "BARCODE\r\nPDF417;XD2;YD6;R3;S2;50;100\r\n*HELLO*\r\nSTOP\r\n"},
    EmitCase{"ColumnsWinOverRows", With([](Pdf417Call& c) { c.row = 5; c.col = 4; }),
             "PDF417 100,50,272,0,0,W2,H6,C4,E2,\"HELLO\"\r\n", "BARCODE\r\nPDF417;XD2;YD6;C4;R5;S2;50;100\r\n*HELLO*\r\nSTOP\r\n"},
    // 90 rows of one column hold the 12 codewords.
    EmitCase{"RowsAboveLimit", With([](Pdf417Call& c) { c.row = 200; }),
             "PDF417 100,50,170,0,0,W2,H6,C1,E2,\"HELLO\"\r\n", "BARCODE\r\nPDF417;XD2;YD6;R90;S2;50;100\r\n*HELLO*\r\nSTOP\r\n"},
    EmitCase{"NegativeCountsAreNotRequests", With([](Pdf417Call& c) { c.row = -1; c.col = -1; }),
             "PDF417 100,50,238,0,0,W2,H6,C3,E2,\"HELLO\"\r\n", "BARCODE\r\nPDF417;XD2;YD6;S2;50;100\r\n*HELLO*\r\nSTOP\r\n"},
    // No module sizes: the encoder's width 2 still sizes the symbol.
    EmitCase{"EncoderDefaults", With([](Pdf417Call& c) { c.xdim = 0; c.ydim = 0; }),
             "PDF417 100,50,238,0,0,C3,E2,\"HELLO\"\r\n", "BARCODE\r\nPDF417;S2;50;100\r\n*HELLO*\r\nSTOP\r\n"},
    // Level 0: 6 codewords in all, 2 columns.
    EmitCase{"Level0", With([](Pdf417Call& c) { c.level = 0; }),
             "PDF417 100,50,204,0,0,W2,H6,C2,E0,\"HELLO\"\r\n", "BARCODE\r\nPDF417;XD2;YD6;S0;50;100\r\n*HELLO*\r\nSTOP\r\n"},
    EmitCase{"LevelOutOfRangeWrittenAsGiven", With([](Pdf417Call& c) { c.level = 12; }),
             "PDF417 100,50,238,0,0,W2,H6,C3,E12,\"HELLO\"\r\n", "BARCODE\r\nPDF417;XD2;YD6;S12;50;100\r\n*HELLO*\r\nSTOP\r\n"},
    // Rotations: 3 columns, 4 rows of 6 dots, width 238.
    EmitCase{"ClockWise", With([](Pdf417Call& c) { c.rotation = 1; }),
             "PDF417 136,50,238,0,90,W2,H6,C3,E2,\"HELLO\"\r\n", "BARCODE\r\nPDF417;CW;XD2;YD6;S2;50;100\r\n*HELLO*\r\nSTOP\r\n"},
    EmitCase{"CounterClockWise", With([](Pdf417Call& c) { c.rotation = 2; }),
             "PDF417 100,292,238,0,270,W2,H6,C3,E2,\"HELLO\"\r\n", "BARCODE\r\nPDF417;CCW;XD2;YD6;S2;50;100\r\n*HELLO*\r\nSTOP\r\n"},
    EmitCase{"Inverted", With([](Pdf417Call& c) { c.rotation = 3; }),
             "PDF417 342,86,238,0,180,W2,H6,C3,E2,\"HELLO\"\r\n", "BARCODE\r\nPDF417;INV;XD2;YD6;S2;50;100\r\n*HELLO*\r\nSTOP\r\n"},
    EmitCase{"UnknownRotationHasNoAnchor", With([](Pdf417Call& c) { c.rotation = 7; }),
             "PDF417 238,0,0,W2,H6,C3,E2,\"HELLO\"\r\n", "BARCODE\r\nPDF417;XD2;YD6;S2;50;100\r\n*HELLO*\r\nSTOP\r\n"},
    // Millimetres at 8 dots/mm; positions truncate, module sizes round.
    EmitCase{"Millimetres", With([](Pdf417Call& c) { c.scale = ScaleEnum::MM; c.x = 12.56f; c.y = 6.3f; c.xdim = 0.3125f; c.ydim = 1.25f; }),
             "PDF417 100,50,357,0,0,W3,H10,C3,E2,\"HELLO\"\r\n", "BARCODE\r\nPDF417;XD3;YD10;S2;50;100\r\n*HELLO*\r\nSTOP\r\n"},
    // KESH frames with the first character the data does not contain.
    EmitCase{"DataHoldsTheFrame", With([](Pdf417Call& c) { c.content = "A*B\"C"; }),
             "PDF417 100,50,238,0,0,W2,H6,C3,E2,\"A*B\"C\"\r\n", "BARCODE\r\nPDF417;XD2;YD6;S2;50;100\r\n'A*B\"C'\r\nSTOP\r\n"}),
    [](const testing::TestParamInfo<EmitCase>& info) { return std::string(info.param.name); });
// clang-format on

struct EmitErrorCase {
    const char* name;
    Pdf417Call call;
    const char* vornMessage;
    const char* kesh;  // KESH needs no encoder and renders
};

class Pdf417EmitErrors : public testing::TestWithParam<EmitErrorCase> {};

TEST_P(Pdf417EmitErrors, VornThrowsKeepingCallersTextKeshPassesValues) {
    const auto& c = GetParam();
    EXPECT_EQ(quillon_test::Thrown<std::exception>(
                  kVorn, [&c] { Add(c.call); }, 8.0f, ScaleEnum::MM),
              c.vornMessage);
    if (c.kesh) {
        EXPECT_EQ(SymbolText(kKesh, c.call), c.kesh);
    }
}

Pdf417Call Long() {
    Pdf417Call c;
    c.content.assign(5400, 'A');  // 2701 data codewords and 128 for error correction
    return c;
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Labels, Pdf417EmitErrors, testing::Values(
    EmitErrorCase{"EmptyData", With([](Pdf417Call& c) { c.content.clear(); }),
                  "PDF417 Input barcode data string is null or empty.", "BARCODE\r\nPDF417;XD2;YD6;S2;50;100\r\n**\r\nSTOP\r\n"},
    EmitErrorCase{"RowsTooLowForModule", With([](Pdf417Call& c) { c.xdim = 4; c.ydim = 6; }),
                  "PDF417 Row height must be at least 3 times the narrow bar width. Default is six.",
                  "BARCODE\r\nPDF417;XD4;YD6;S2;50;100\r\n*HELLO*\r\nSTOP\r\n"},
    EmitErrorCase{"ModuleRoundsToZero", With([](Pdf417Call& c) { c.xdim = 0.4f; }),
                  "PDF417 Narrow bar width must be one or more. Default is two.", "BARCODE\r\nPDF417;XD0;YD6;S2;50;100\r\n*HELLO*\r\nSTOP\r\n"},
    EmitErrorCase{"InvalidUtf8", With([](Pdf417Call& c) { c.content = "AB\xff"; }),
                  "wstring_convert::from_bytes",
                  "BARCODE\r\nPDF417;XD2;YD6;S2;50;100\r\n*AB\xff*\r\nSTOP\r\n"},
    EmitErrorCase{"BeyondTheLargestSymbol", Long(), "PDF417 barcode data overflow", nullptr}),
    [](const testing::TestParamInfo<EmitErrorCase>& info) { return std::string(info.param.name); });
// clang-format on

TEST(Pdf417EmitRecording, SymbolsKeepTheirOrder) {
    Pdf417Call second;
    second.content = "WORLD";
    second.col = 2;
    EXPECT_EQ(ObjectText(
                  kVorn,
                  [&second] {
                      Add(Pdf417Call{});
                      Add(second);
                  },
                  8.0f, ScaleEnum::MM),
              "PDF417 100,50,238,0,0,W2,H6,C3,E2,\"HELLO\"\r\n"
              "PDF417 100,50,204,0,0,W2,H6,C2,E2,\"WORLD\"\r\n");
}

}  // namespace
