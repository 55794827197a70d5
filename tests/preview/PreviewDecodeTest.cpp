// Pictures read back: every symbol a preview draws must decode, with an
// independent reader, to the data its object carries, and start where the
// command text puts it.
#define ZX_USE_UTF8
#include <ZXing/ReadBarcode.h>
#include <gtest/gtest.h>
#include <rapidjson/document.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

#include "Label.h"
#include "quillon/Preview.h"

namespace {

namespace fs = std::filesystem;
using quillon::PlacedKind;
using quillon::PreviewImage;

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
            const quillon::Label label = quillon::cli::BuildLabel(description);
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
        quillon::Label label(round % 2 ? quillon::Language::Kesh : quillon::Language::Vorn, 203,
                             quillon::Unit::Inch);
        const auto dot = quillon::Unit::Dot;
        switch (round % 5) {
            case 0:
                label.qr({x, y, data, m, {}, {}, {}, {}, rotation, dot});
                break;
            case 1:
                label.dataMatrix({x, y, data, m, rotation, false, "", 13, 10, {}, {}, dot});
                break;
            case 2:
                label.aztec({x, y, data, m, AztecCodeTypeEnum::Default, {}, {}, rotation, dot});
                break;
            case 3:
                label.pdf417({x, y, data, m, 3 * m, {}, {}, {}, rotation, dot});
                break;
            case 4:
                label.barcode1D(
                    {x, y, data, m, m, 0.5f, BarcodeTypeEnum_1D::Code_128, false, rotation, false, dot});
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

}  // namespace
