// The sizing and codewords of every corpus input, and of the level and
// column boundaries, against golden files written from an encoder whose
// codewords were read back as the input by an independent decompactor.
// QUILLON_UPDATE_GOLDEN=1 rewrites the files. Then the encoder's codewords
// on hand-worked inputs and its option checks.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <functional>
#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

#include "../generate/EmitterGolden.h"
#include "Pdf417Corpus.h"
#include "pdf417/Pdf417Encoder.h"

namespace {

using Control = Pdf417Encoder::EncodingControl;
using Level = Pdf417Encoder::ErrorCorrectionLevel;

// Data codewords, error-correction codewords, rows, columns, the 1:2 aspect
// column count, an FNV-1a hash of the data codewords, and the rows and
// columns after asking for 4 columns and then for 13 rows.
std::string Summary(const std::vector<unsigned char>& input, Control control, int level, int columns,
                    bool emitterOrder) {
    Pdf417Encoder enc;
    enc.SetEncodingControl(control);
    enc.ErrorCorrection(static_cast<Pdf417Encoder::ErrorCorrectionLevel>(level));
    enc.DefaultDataColumns(columns);
    try {
        enc.Encode(input);
        if (emitterOrder) {
            enc.DefaultDataColumns(enc.aspect_1to2_column());
            enc.Encode(input);
        }
    } catch (const std::runtime_error& e) {
        return std::string(" [") + e.what() + "]";
    }
    uint32_t hash = 2166136261u;
    for (int cw : enc.DataCodewords) hash = (hash ^ static_cast<uint32_t>(cw)) * 16777619u;
    char line[128];
    int n = std::snprintf(line, sizeof line, " %zu/%d/%d/%d/%d/%08x", enc.DataCodewords.size(),
                          enc.ErrorCorrectionLength, enc.DataRows, enc.DataColumns, enc.aspect_1to2_column(),
                          hash);
    enc.SetDataColumns(4);
    n += std::snprintf(line + n, sizeof line - n, "/%dx%d", enc.DataRows, enc.DataColumns);
    enc.SetDataRows(13);
    std::snprintf(line + n, sizeof line - n, "/%dx%d", enc.DataRows, enc.DataColumns);
    return line;
}

// Each input under the three controls at the defaults, and in the order the
// label emitter uses (one column, then the 1:2 aspect column count).
TEST(Pdf417Corpus, EveryInputEveryControl) {
    const auto corpus =
        pdf417test::LoadCorpus(std::string(QUILLON_TEST_DATA_DIR) + "/data/pdf417-corpus.txt");
    ASSERT_EQ(corpus.size(), 2000u);
    std::string lines;
    for (size_t n = 0; n < corpus.size(); ++n)
        lines += std::to_string(n) + Summary(corpus[n], Control::Auto, 10, 3, false) +
                 Summary(corpus[n], Control::TextAndByte, 10, 3, false) +
                 Summary(corpus[n], Control::ByteOnly, 10, 3, false) +
                 Summary(corpus[n], Control::Auto, 2, 1, true) + "\n";
    quillon_test::CheckGoldenFile("corpus-sizing.txt", lines);
}

// n letters compact to n / 2 codewords: the totals around every level and
// row boundary, at every level and three default column counts.
TEST(Pdf417Corpus, LevelAndColumnBoundaries) {
    std::string lines;
    for (int letters :
         {1, 5, 34, 36, 78, 80, 146, 148, 318, 320, 638, 640, 1720, 1722, 1724, 1726, 5142, 5144})
        for (int level = 0; level <= 12; ++level)
            for (int columns : {1, 3, 30})
                lines +=
                    std::to_string(letters) + " " + std::to_string(level) + " " + std::to_string(columns) +
                    Summary(std::vector<unsigned char>(letters, 'A'), Control::Auto, level, columns, false) +
                    "\n";
    quillon_test::CheckGoldenFile("boundary-sizing.txt", lines);
}

// The emitter's default column count for each total of codewords where it
// changes, at the default level: every step of the 1:2 aspect table whose
// totals on both sides can be reached.
TEST(Pdf417Corpus, AspectColumnSteps) {
    std::string lines;
    for (int letters = 1, last = 0; letters <= 1850; ++letters) {
        Pdf417Encoder enc;
        enc.Encode(std::vector<unsigned char>(letters, 'A'));
        if (enc.aspect_1to2_column() == last) continue;
        last = enc.aspect_1to2_column();
        lines += std::to_string(enc.TotalLength()) + " " + std::to_string(last) + "\n";
    }
    quillon_test::CheckGoldenFile("ratio-columns.txt", lines);
}

TEST(Pdf417Encoder, WorkedCodewords) {
    std::ifstream in(std::string(QUILLON_TEST_DATA_DIR) + "/data/worked-codewords.txt");
    ASSERT_TRUE(in);
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#') continue;
        const size_t bar1 = line.find('|'), bar2 = line.rfind('|');
        std::vector<unsigned char> input;
        ASSERT_TRUE(pdf417test::UnescapeLine(line.substr(bar1 + 1, bar2 - bar1 - 1), input)) << line;
        Pdf417Encoder enc;
        enc.SetEncodingControl(line[0] == 'b'   ? Control::ByteOnly
                               : line[0] == 't' ? Control::TextAndByte
                                                : Control::Auto);
        enc.Encode(input);
        std::string words;
        for (int cw : enc.DataCodewords) words += (words.empty() ? "" : " ") + std::to_string(cw);
        EXPECT_EQ(words, line.substr(bar2 + 1)) << line;
    }
}

// Text input is its UTF-8 bytes; text that is not UTF-8 is refused.
TEST(Pdf417Encoder, TextInput) {
    Pdf417Encoder enc;
    enc.Encode(std::string("\xf0\x9f\x98\x80"));
    EXPECT_EQ(enc.DataCodewords, (std::vector<int>{0, 901, 240, 159, 152, 128}));
    for (const char* bad : {"AB\x80", "\xc0\xaf", "\xff"})
        EXPECT_THROW(enc.Encode(std::string(bad)), std::range_error);
}

TEST(Pdf417Encoder, OptionsAreCheckedAndKeepTheirOldValues) {
    // A call, what it throws (empty: accepted), and the bar width, row height
    // and quiet zone afterwards.
    // clang-format off
    const std::tuple<std::function<void(Pdf417Encoder&)>, const char*, std::vector<int>> rows[] = {
        {[](Pdf417Encoder& e) { e.NarrowBarWidth(1); }, "", {1, 6, 4}},
        {[](Pdf417Encoder& e) { e.NarrowBarWidth(100); }, "", {100, 300, 200}},
        {[](Pdf417Encoder& e) { e.NarrowBarWidth(0); }, "PDF417 Narrow bar width must be one or more. Default is two.", {2, 6, 4}},
        {[](Pdf417Encoder& e) { e.NarrowBarWidth(101); }, "PDF417 Narrow bar width must be one or more. Default is two.", {2, 6, 4}},
        {[](Pdf417Encoder& e) { e.NarrowBarWidth(4); e.RowHeight(11); }, "PDF417 Row height must be at least 3 times the narrow bar width. Default is six.", {4, 12, 8}},
        {[](Pdf417Encoder& e) { e.RowHeight(300); }, "", {2, 300, 4}},
        {[](Pdf417Encoder& e) { e.RowHeight(301); }, "PDF417 Row height must be at least 3 times the narrow bar width. Default is six.", {2, 6, 4}},
        {[](Pdf417Encoder& e) { e.QuietZone(3); }, "PDF417 Quiet zone must be at least 2 times the narrow bar width. Default is four.", {2, 6, 4}},
        {[](Pdf417Encoder& e) { e.QuietZone(200); }, "", {2, 6, 200}},
        {[](Pdf417Encoder& e) { e.QuietZone(201); }, "PDF417 Quiet zone must be at least 2 times the narrow bar width. Default is four.", {2, 6, 4}},
        {[](Pdf417Encoder& e) { e.DefaultDataColumns(0); }, "PDF417 Default data columns must be 1 to 30. Default is three.", {2, 6, 4}},
        {[](Pdf417Encoder& e) { e.DefaultDataColumns(31); }, "PDF417 Default data columns must be 1 to 30. Default is three.", {2, 6, 4}},
        {[](Pdf417Encoder& e) { e.SetEncodingControl(static_cast<Control>(3)); }, "PDF417 Encoding control must be Auto, ByteOnly, or TextAndByte. Default is Auto.", {2, 6, 4}},
        {[](Pdf417Encoder& e) { e.ErrorCorrection(Level::Level_Ex); }, "PDF417 Error correction request is invalid. Default is Auto normal.", {2, 6, 4}},
        {[](Pdf417Encoder& e) { e.ErrorCorrection(static_cast<Level>(-1)); }, "PDF417 Error correction request is invalid. Default is Auto normal.", {2, 6, 4}},
        {[](Pdf417Encoder& e) { e.Encode(std::vector<unsigned char>()); }, "PDF417 Input binary barcode data is null or empty", {2, 6, 4}},
    };
    // clang-format on
    for (const auto& [call, expected, sizes] : rows) {
        Pdf417Encoder enc;
        const std::string message = quillon_test::Thrown<std::invalid_argument>([&] { call(enc); });
        EXPECT_EQ(message, expected);
        EXPECT_EQ((std::vector<int>{enc.NarrowBarWidth(), enc.RowHeight(), enc.QuietZone()}), sizes)
            << message;
    }
}

}  // namespace
