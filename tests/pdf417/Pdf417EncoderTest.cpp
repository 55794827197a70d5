// The encoder's codewords on hand-worked inputs and its option checks; the
// sizing and re-sizing of many more inputs is in the corpus test.
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "../generate/EmitterGolden.h"
#include "Pdf417Corpus.h"
#include "pdf417/Pdf417Encoder.h"

namespace {

using Control = Pdf417Encoder::EncodingControl;
using Level = Pdf417Encoder::ErrorCorrectionLevel;

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
    struct Row {
        std::function<void(Pdf417Encoder&)> call;
        const char* message;     // empty: accepted
        std::vector<int> sizes;  // bar width, row height and quiet zone afterwards
    };
    // clang-format off
    const Row rows[] = {
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
    for (const Row& row : rows) {
        Pdf417Encoder enc;
        const std::string message = quillon_test::Thrown<std::invalid_argument>([&] { row.call(enc); });
        EXPECT_EQ(message, row.message);
        EXPECT_EQ((std::vector<int>{enc.NarrowBarWidth(), enc.RowHeight(), enc.QuietZone()}), row.sizes)
            << message;
    }
}

}  // namespace
