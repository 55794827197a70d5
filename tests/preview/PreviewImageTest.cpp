// Symbol sizes the zint options must give, the terminal writer and the PNG
// round trip, one row per case.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "quillon/Preview.h"

namespace {

using quillon::Label;
using quillon::PreviewImage;
constexpr auto kDot = quillon::Unit::Dot;

// The width and height in dots of the one symbol `add` puts on a label.
std::pair<int, int> DrawnSize(const std::function<void(Label&)>& add) {
    Label label(quillon::Language::Vorn, 203, quillon::Unit::Inch);
    add(label);
    const std::vector<PreviewImage::Drawn> symbols = label.preview().symbols;
    EXPECT_EQ(symbols.size(), 1u);
    return {symbols.at(0).right - symbols.at(0).left, symbols.at(0).bottom - symbols.at(0).top};
}

// Each symbol's drawn size in dots, known from its symbology's sizes.
TEST(PreviewImage, SymbolsTakeTheSizeTheirOptionsAskFor) {
    struct Row {
        const char* name;
        void (*add)(Label&);
        int width, height;
    };
    // clang-format off
    const Row rows[] = {
        {"Aztec compact, 2 layers: 19 modules",
         [](Label& l) { l.aztec({0, 0, "AZ", 4, AztecCodeTypeEnum::Compact, {}, 2, RotateEnum::None, kDot}); }, 76, 76},
        {"Aztec full, 6 layers: 41 modules",
         [](Label& l) { l.aztec({0, 0, "AZ", 4, AztecCodeTypeEnum::Full, {}, 6, RotateEnum::None, kDot}); }, 164, 164},
        {"DataMatrix 16 x 48 at 2 dots a module, turned clockwise",
         [](Label& l) { l.dataMatrix({0, 0, "DM", 2, RotateEnum::ClockWise, true, "", 13, 10, 16, 48, kDot}); }, 32, 96},
        {"PDF417, 4 columns: 17 x 4 + 69 modules, 3 dots each",
         [](Label& l) { l.pdf417({0, 0, "PDF", 3, 9, {}, {}, 4, RotateEnum::None, kDot}); }, 411, 27},
        {"QR version 1 at level H",
         [](Label& l) { l.qr({0, 0, "QR", 5, {}, {}, QRCodeErrorCorrectionEnum::EC_30, {}, RotateEnum::Inverted, kDot}); },
         105, 105},
    };
    // clang-format on
    for (const Row& row : rows)
        EXPECT_EQ(DrawnSize(row.add), std::make_pair(row.width, row.height)) << row.name;
}

// The ECC 200 sizes of the symbology, each asked for by rows and columns,
// drawn at one dot a module; an empty label is one dot plus the margins.
TEST(PreviewImage, EveryDataMatrixSizeAndTheEmptyLabel) {
    std::vector<std::pair<int, int>> sizes = {{8, 18}, {8, 32}, {12, 26}, {12, 36}, {16, 36}, {16, 48}};
    for (int side :
         {10, 12, 14, 16, 18, 20, 22, 24, 26, 32, 36, 40, 44, 48, 52, 64, 72, 80, 88, 96, 104, 120, 132, 144})
        sizes.push_back({side, side});
    for (auto [rows, columns] : sizes) {
        const auto add = [rows = rows, columns = columns](Label& l) {
            l.dataMatrix({0, 0, "DM", 1, RotateEnum::None, rows != columns, "", 13, 10, rows, columns, kDot});
        };
        EXPECT_EQ(DrawnSize(add), std::make_pair(columns, rows)) << rows << " x " << columns;
    }
    const PreviewImage empty = Label(quillon::Language::Kesh, 203, quillon::Unit::Inch).preview();
    EXPECT_EQ(empty.width, 33);
    EXPECT_EQ(empty.height, 33);
}

PreviewImage Image(int width, int height, const char* dots) {  // '#' black, anything else white
    PreviewImage image;
    image.width = width, image.height = height;
    for (int i = 0; i < width * height; ++i) image.pixels.push_back(dots[i] == '#' ? 0 : 255);
    return image;
}

TEST(PreviewImage, TerminalDrawsTwoDotRowsPerLine) {
    struct Row {
        PreviewImage image;
        int columns;
        const char* expected;
    };
    const Row rows[] = {
        {Image(2, 2, "####"), 80, "\u2588\u2588\n"},
        {Image(2, 2, "##.."), 80, "\u2580\u2580\n"},
        {Image(1, 3, "#.#"), 80, "\u2580\n\u2580\n"},
        {Image(2, 2, ".#.#"), 80, " \u2588\n"},
        // Shrunk 2:1, a cell is dark from a quarter of its dots.
        {Image(4, 2, "#......."), 2, "\u2580 \n"},
        {Image(4, 4, "............#..."), 2, "\u2584 \n"},
    };
    for (const Row& row : rows) EXPECT_EQ(quillon::ToTerminal(row.image, row.columns), row.expected);
}

TEST(PreviewImage, PngRoundTripRepeatsEachDotScaleTimes) {
    const std::string file = (std::filesystem::temp_directory_path() / "quillon-preview-test.png").string();
    quillon::WritePng(Image(2, 1, "#."), file, 3);
    const PreviewImage back = quillon::ReadPng(file);
    std::filesystem::remove(file);
    EXPECT_EQ(back.width, 6);
    EXPECT_EQ(back.height, 3);
    EXPECT_EQ(std::string(back.pixels.begin(), back.pixels.begin() + 6),
              std::string("\0\0\0\xff\xff\xff", 6));
    EXPECT_THROW(quillon::WritePng(Image(1, 1, "#"), file, 17), std::runtime_error);
    // 32,767 dots is the widest picture cairo makes: written, one more refused.
    PreviewImage wide;
    wide.width = 32767, wide.height = 1, wide.pixels.assign(32767, 255);
    EXPECT_NO_THROW(quillon::WritePng(wide, file));
    EXPECT_EQ(quillon::ReadPng(file).width, 32767);
    std::filesystem::remove(file);
    wide.width = 32768, wide.pixels.push_back(255);
    EXPECT_THROW(quillon::WritePng(wide, file), std::runtime_error);
}

}  // namespace
