// DataMatrix and Aztec symbols in both languages against
// golden/datamatrix.txt and golden/aztec.txt.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "EmitterGolden.h"

namespace {

using namespace quillon_test;

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

}  // namespace
