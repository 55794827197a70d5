// Pictures read back: every symbol a preview draws must decode, with an
// independent reader, to the data its object carries, and start where the
// command text puts it. Then the symbol sizes the zint options must give,
// the terminal writer and the PNG round trip, one row per case.
#define ZX_USE_UTF8
#include <ZXing/ReadBarcode.h>
#include <gtest/gtest.h>
#include <rapidjson/document.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <random>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "Label.h"
#include "quillon/Preview.h"

namespace {

namespace fs = std::filesystem;
using quillon::Label;
using quillon::PlacedKind;
using quillon::PreviewImage;
constexpr auto kDot = quillon::Unit::Dot;

// A symbol with a quiet zone of white around it, cut out of the picture.
PreviewImage Crop(const PreviewImage& image, const PreviewImage::Drawn& s, int quiet) {
    PreviewImage out;
    out.width = s.right - s.left + 2 * quiet, out.height = s.bottom - s.top + 2 * quiet;
    out.pixels.assign(static_cast<size_t>(out.width) * out.height, 255);
    for (int y = 0; y < out.height; ++y)
        for (int x = 0; x < out.width; ++x) {
            const int ix = s.left - image.originX + x - quiet, iy = s.top - image.originY + y - quiet;
            if (ix >= 0 && iy >= 0 && ix < image.width && iy < image.height)
                out.pixels[static_cast<size_t>(y) * out.width + x] =
                    image.pixels[static_cast<size_t>(iy) * image.width + ix];
        }
    return out;
}

// A symbol drawn turned by `rotation` (RotateEnum), turned upright again:
// the reader takes Maxicode only upright.
PreviewImage Upright(const PreviewImage& in, int rotation) {
    static constexpr int kClockwiseTurnsBack[] = {0, 3, 1, 2};
    PreviewImage out = in;
    for (int turn = 0; turn < kClockwiseTurnsBack[rotation & 3]; ++turn) {
        PreviewImage next;
        next.width = out.height, next.height = out.width;
        next.pixels.resize(out.pixels.size());
        // One quarter turn clockwise: (x, y) goes to (height - 1 - y, x).
        for (int y = 0; y < out.height; ++y)
            for (int x = 0; x < out.width; ++x)
                next.pixels[static_cast<size_t>(x) * next.width + (out.height - 1 - y)] =
                    out.pixels[static_cast<size_t>(y) * out.width + x];
        out = std::move(next);
    }
    return out;
}

std::string Decode(const PreviewImage& image, bool pure) {
    ZXing::DecodeHints hints;
    hints.setTryRotate(true).setTryHarder(true).setReturnCodabarStartEnd(true).setIsPure(pure);
    const ZXing::ImageView view(image.pixels.data(), image.width, image.height, ZXing::ImageFormat::Lum);
    const ZXing::Result result = ZXing::ReadBarcode(view, hints);
    if (!result.isValid()) return "(nothing decoded)";
    return std::string(result.bytes().begin(), result.bytes().end());
}

// What the reader gives for `data`: EAN and UPC add their check digit,
// Maxicode's structured carrier message comes ahead of the data.
bool Matches(PlacedKind kind, const std::string& decoded, const std::string& data, int symbology) {
    if (kind == PlacedKind::Maxicode) return decoded.find(data) != std::string::npos;
    if (kind == PlacedKind::Barcode1D && symbology >= 4 && symbology <= 6)
        return decoded.size() == data.size() + 1 && decoded.compare(0, data.size(), data) == 0;
    return decoded == data;
}

quillon::cli::LabelDescription Read(const fs::path& file, quillon::cli::Language language) {
    std::ifstream in(file);
    rapidjson::Document json;
    json.Parse(std::string(std::istreambuf_iterator<char>(in), {}).c_str());
    return quillon::cli::ParseLabel(json, {language, 0});
}

// Some examples put symbols over each other, which no printout could
// read either: each symbol is read from a picture of it alone, drawn where
// the whole label's picture has it.
TEST(PreviewDecode, EveryExampleSymbolDecodesToItsDataInBothLanguages) {
    int symbols = 0;
    for (const auto& entry : fs::directory_iterator(QUILLON_EXAMPLES_DIR)) {
        if (entry.path().extension() != ".json") continue;
        for (auto language : {quillon::cli::Language::Vorn, quillon::cli::Language::Kesh}) {
            auto description = Read(entry.path(), language);
            const Label label = quillon::cli::BuildLabel(description);
            const PreviewImage whole = label.preview();
            size_t drawn = 0;
            for (const quillon::Placed& p : label.placement()) {
                const PreviewImage image = quillon::Preview({p});
                if (image.symbols.empty()) continue;
                const PreviewImage::Drawn& s = image.symbols[0];
                ASSERT_LT(drawn, whole.symbols.size());
                EXPECT_EQ(whole.symbols[drawn].left, s.left);
                EXPECT_EQ(whole.symbols[drawn++].top, s.top);
                // Aztec runes carry one byte and no data codewords that a
                // reader reports; their size is what the picture shows.
                if (p.kind == PlacedKind::Aztec && p.codeType == 4) continue;
                const bool maxicode = s.kind == PlacedKind::Maxicode;
                const PreviewImage symbol = Crop(image, s, maxicode ? 0 : 20);
                const std::string decoded = Decode(maxicode ? Upright(symbol, p.rotation) : symbol, maxicode);
                EXPECT_TRUE(Matches(s.kind, decoded, s.data, p.symbology))
                    << entry.path().filename() << " objects[" << s.object << "]: decoded \"" << decoded
                    << "\", data \"" << s.data << "\"";
                ++symbols;
            }
            EXPECT_EQ(drawn, whole.symbols.size());
        }
    }
    EXPECT_GE(symbols, 60);  // every example's symbols, twice
}

// Random labels of one symbol each: what is read back is what went in, and
// the drawn symbol starts at its anchor within one module.
TEST(PreviewDecode, GeneratedSymbolsDecodeAndStartAtTheirAnchor) {
    std::mt19937 random(20261207);
    auto pick = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    const char kChars[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789 -.";
    for (int round = 0; round < 120; ++round) {
        std::string data;
        for (int n = pick(4, 24); n > 0; --n) data += kChars[pick(0, static_cast<int>(sizeof kChars) - 2)];
        const float x = static_cast<float>(pick(0, 400)), y = static_cast<float>(pick(0, 400));
        const auto rotation = static_cast<RotateEnum>(pick(0, 3));
        const int module = pick(2, 6);
        const float m = static_cast<float>(module);
        Label label(round % 2 ? quillon::Language::Kesh : quillon::Language::Vorn, 203, quillon::Unit::Inch);
        switch (round % 5) {
            case 0:
                label.qr({x, y, data, m, {}, {}, {}, {}, rotation, kDot});
                break;
            case 1:
                label.dataMatrix({x, y, data, m, rotation, false, "", 13, 10, {}, {}, kDot});
                break;
            case 2:
                label.aztec({x, y, data, m, AztecCodeTypeEnum::Default, {}, {}, rotation, kDot});
                break;
            case 3:
                label.pdf417({x, y, data, m, 3 * m, {}, {}, {}, rotation, kDot});
                break;
            case 4:
                label.barcode1D(
                    {x, y, data, m, m, 0.5f, BarcodeTypeEnum_1D::Code_128, false, rotation, false, kDot});
                break;
        }
        const PreviewImage image = label.preview();
        ASSERT_EQ(image.symbols.size(), 1u);
        const PreviewImage::Drawn& s = image.symbols[0];
        EXPECT_EQ(Decode(Crop(image, s, 20), false), data) << "round " << round;
        // The first dark dot, from the top and from the left.
        int left = image.width, top = image.height;
        for (int py = 0; py < image.height; ++py)
            for (int px = 0; px < image.width; ++px)
                if (image.pixels[static_cast<size_t>(py) * image.width + px] < 128)
                    left = std::min(left, px), top = std::min(top, py);
        EXPECT_LE(std::abs(left + image.originX - static_cast<int>(x)), module) << "round " << round;
        EXPECT_LE(std::abs(top + image.originY - static_cast<int>(y)), module) << "round " << round;
    }
}

// Whole pictures dot for dot. QUILLON_UPDATE_GOLDEN=1 rewrites them.
TEST(PreviewGolden, PicturesMatchTheirGoldenFilesDotForDot) {
    const bool update = std::getenv("QUILLON_UPDATE_GOLDEN") != nullptr;
    const fs::path examples(QUILLON_EXAMPLES_DIR), here(QUILLON_TEST_DATA_DIR);
    const std::pair<const char*, fs::path> kLabels[] = {{"shipping", examples / "shipping.json"},
                                                        {"barcode1d", examples / "barcode1d.json"},
                                                        {"mixed", here / "mixed.json"}};
    for (const auto& [name, file] : kLabels) {
        auto description = Read(file, quillon::cli::Language::Vorn);
        quillon::PreviewOptions options;
        options.width = description.width, options.height = description.height;
        const PreviewImage image =
            quillon::Preview(quillon::cli::BuildLabel(description).placement(), options);
        const std::string golden = std::string(QUILLON_TEST_DATA_DIR) + "/golden/" + name + ".png";
        if (update) quillon::WritePng(image, golden);
        const PreviewImage expected = quillon::ReadPng(golden);
        ASSERT_EQ(expected.width, image.width) << name;
        ASSERT_EQ(expected.height, image.height) << name;
        EXPECT_TRUE(expected.pixels == image.pixels) << name << ": the picture differs from " << golden;
    }
}

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
    // clang-format off
    const std::tuple<const char*, void (*)(Label&), int, int> rows[] = {
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
    for (const auto& [name, add, width, height] : rows)
        EXPECT_EQ(DrawnSize(add), std::make_pair(width, height)) << name;
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
    const std::tuple<PreviewImage, int, const char*> rows[] = {
        {Image(2, 2, "####"), 80, "\u2588\u2588\n"},
        {Image(2, 2, "##.."), 80, "\u2580\u2580\n"},
        {Image(1, 3, "#.#"), 80, "\u2580\n\u2580\n"},
        {Image(2, 2, ".#.#"), 80, " \u2588\n"},
        // Shrunk 2:1, a cell is dark from a quarter of its dots.
        {Image(4, 2, "#......."), 2, "\u2580 \n"},
        {Image(4, 4, "............#..."), 2, "\u2584 \n"},
    };
    for (const auto& [image, columns, expected] : rows)
        EXPECT_EQ(quillon::ToTerminal(image, columns), expected);
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
