#include <gtest/gtest.h>

#include "comm/HostText.h"

using quillon::HlvLogoCommand;

namespace {

// Rasters are written row by row; a 1 bit is a light dot, the most
// significant bit the leftmost. Right angles leave the last byte of each row
// unexamined.
TEST(HlvLogoCommand, RowsAndRuns) {
    struct Row {
        const char *what, *name;
        int stride, rotation;
        std::vector<unsigned char> raster;  // rows of `stride` bytes
        const char* expected;
    };
    std::vector<unsigned char> twelveRows(24, 0);
    for (size_t i = 0; i < 22; i += 2) twelveRows[i] = 0xFF;
    twelveRows[22] = 0x3C;
    // clang-format off
    const Row rows[] = {
        {"dots 3-5 and 9 on row 3", "A.BMP", 3, 0, {0xFF, 0xFF, 0x00, 0xFF, 0xFF, 0x00, 0xC7, 0x7F, 0x00},
         "~LOGO;A.BMP;3;16\n3;3-5;9\nEND\r\n"},
        {"all light: header and END only", "E", 2, 0, {0xFF, 0x00, 0xFF, 0x00}, "~LOGO;E;2;8\nEND\r\n"},
        {"run to the last examined dot: its start alone", "N", 2, 0, {0xF0, 0x00}, "~LOGO;N;1;8\n1;5\nEND\r\n"},
        {"whole row dark", "N", 2, 180, {0x00, 0xFF}, "~LOGO;N;1;8\n1;1\nEND\r\n"},
        {"single dots and a closing last dot", "N", 2, 270, {0x5A, 0x00}, "~LOGO;N;1;8\n1;1;3;6;8\nEND\r\n"},
        {"run across a byte boundary", "N", 3, 90, {0xFE, 0x01, 0x00}, "~LOGO;N;1;16\n1;8-15\nEND\r\n"},
        {"45 degrees examines the padding byte", "N", 2, 45, {0xFF, 0xE0}, "~LOGO;N;1;16\n1;12\nEND\r\n"},
        {"other angles examine every byte", "N", 1, -90, {0xFF, 0x7F}, "~LOGO;N;2;8\n2;1\nEND\r\n"},
        {"right angle ignores the last byte", "N", 1, 0, {0x00, 0x00}, "~LOGO;N;2;0\nEND\r\n"},
        {"row numbers count from 1 in decimal", "LONG NAME.PNG", 2, 0, twelveRows,
         "~LOGO;LONG NAME.PNG;12;8\n12;1-2;7\nEND\r\n"},
    };
    // clang-format on
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const int height = static_cast<int>(row.raster.size()) / row.stride;
        EXPECT_EQ(HlvLogoCommand(row.name, row.raster.data(), row.stride, height, row.rotation),
                  row.expected);
    }
}

}  // namespace
