// The sizing and codewords of every corpus input, and of the level and
// column boundaries, against golden files written from an encoder whose
// codewords were read back as the input by an independent decompactor.
// QUILLON_UPDATE_GOLDEN=1 rewrites the files.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

#include "../generate/EmitterGolden.h"
#include "Pdf417Corpus.h"
#include "pdf417/Pdf417Encoder.h"

namespace {

using Control = Pdf417Encoder::EncodingControl;

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

}  // namespace
