// Fuzzes the PDF417 encoder's byte entry point. The first input byte picks
// the encoding control, the level and the default column count; the rest is
// the data. Whatever the data, the encoder must not crash, must give the
// same codewords when it encodes the same data again, and its sizing must
// hold every codeword within the symbology's limits.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <vector>

#include "pdf417/Pdf417Encoder.h"

[[noreturn]] static void Fail(const char* what, const std::string& detail = {}) {
    std::fprintf(stderr, "pdf417 fuzz: %s %s\n", what, detail.c_str());
    std::abort();
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    if (size < 2) return 0;
    const unsigned options = data[0];
    const std::vector<unsigned char> input(data + 1, data + size);

    Pdf417Encoder enc;
    enc.SetEncodingControl(static_cast<Pdf417Encoder::EncodingControl>(options % 3));
    enc.ErrorCorrection(static_cast<Pdf417Encoder::ErrorCorrectionLevel>((options / 3) % 13));
    const bool emitterOrder = (options & 0x80) != 0;
    enc.DefaultDataColumns(emitterOrder ? 1 : static_cast<int>(options / 39 % 30 + 1));
    std::vector<int> first;
    try {
        enc.Encode(input);
        first = enc.DataCodewords;
        if (emitterOrder) {
            enc.DefaultDataColumns(enc.aspect_1to2_column());
            enc.Encode(input);
        }
    } catch (const std::runtime_error& e) {
        if (std::string(e.what()) != "PDF417 barcode data overflow") Fail("unexpected error", e.what());
        if (enc.TotalLength() <= 2700) Fail("overflow below 2701 codewords");
        return 0;
    }
    if (emitterOrder && enc.DataCodewords != first) Fail("a second encoding compacted differently");

    const int total = enc.TotalLength();
    if (enc.DataColumns < 1 || enc.DataColumns > 30) Fail("columns out of range");
    if (enc.DataRows < 1 || enc.DataRows > 90) Fail("rows out of range");
    if (enc.DataRows * enc.DataColumns < total) Fail("symbol too small");
    const bool rowsTight = (enc.DataRows - 1) * enc.DataColumns < total;
    const bool columnsTight = enc.DataRows == 90 && 90 * (enc.DataColumns - 1) < total;
    if (!rowsTight && !columnsTight) Fail("spare row or column");
    if (enc.BarColumns != (enc.DataColumns + 4) * 17 + 1) Fail("bar columns");
    for (int cw : enc.DataCodewords)
        if (cw < 0 || cw > 928) Fail("codeword out of range");

    // Re-shaping either succeeds with a symbol that still holds everything,
    // or changes nothing.
    const int rows = enc.DataRows, columns = enc.DataColumns;
    const int request = static_cast<int>(options % 95) - 2;
    if (enc.SetDataRows(request)) {
        if (enc.DataRows != request || enc.DataRows * enc.DataColumns < total || enc.DataColumns > 30)
            Fail("re-shaped by rows wrongly");
    } else if (enc.DataRows != rows || enc.DataColumns != columns) {
        Fail("refused row request changed the sizing");
    }
    return 0;
}
