// Label::placement(): each kind's numbers in dots, as its command text has
// them, one row per case; the numbers are in golden/placement.txt.

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "../generate/EmitterGolden.h"
#include "quillon/LabelObject.h"

namespace {

using quillon::Label;
using quillon::Language;
using quillon::Unit;

// The fields a kind fills, in one line.
std::string Describe(const quillon::Placed& p) {
    std::string s = "#" + std::to_string(p.object) + " at " + std::to_string(p.x) + "," +
                    std::to_string(p.y) + " r" + std::to_string(p.rotation);
    auto add = [&](const char* name, int value) {
        if (value != 0) s += std::string(" ") + name + std::to_string(value);
    };
    add("to", p.x2), add(",", p.y2), add("t", p.thickness), add("m", p.module), add("mh", p.moduleHeight);
    add("w", p.wide), add("h", p.height), add("hr", p.textHeight), add("rows", p.rows),
        add("cols", p.columns);
    add("cell", p.cellWidth), add("x", p.cellHeight), add("layers", p.layers), add("bank", p.bank);
    if (p.errorCorrection != -1) s += " ec" + std::to_string(p.errorCorrection);
    if (!p.primary.empty()) s += " [" + p.primary + "]";
    return s + " \"" + p.data + "\"";
}

struct Case {
    const char* name;
    Language language;
    std::function<void(Label&)> add;
};

// clang-format off
const Case kCases[] = {
    {"text in points: the cell is the printer's height expression", Language::Vorn,
     [](Label& l) { l.text({.x = 20, .y = 40, .data = "AB", .fontSize = 10, .unit = Unit::Dot}); }},
    {"text in percent: multiples of the 8 x 12 resident font", Language::Vorn,
     [](Label& l) { l.text({.data = "AB", .fontSize = 50, .fontSizeUnit = FontSizeUnitsEnum::Percent, .unit = Unit::Dot}); }},
    {"line in mm at 7.99 dots per mm truncates everything", Language::Kesh,
     [](Label& l) { l.line({1, 2, 30, 2, 0.2f, Unit::MM}); }},
    {"box in inches", Language::Vorn,
     [](Label& l) { l.box({0.5f, 0.5f, 1.5f, 1.0f, 0.02f, Unit::Inch}); }},
    {"VORN barcode: 0.3 inch of the height is the readable line", Language::Vorn,
     [](Label& l) { l.barcode1D({.x = 0.1f, .y = 0.2f, .data = "12", .narrowBar = 0.01f, .wideBar = 0.03f, .height = 1,
                                 .type = BarcodeTypeEnum_1D::Code_39, .rotation = RotateEnum::Inverted}); }},
    {"KESH barcode height in millimetres", Language::Kesh,
     [](Label& l) { l.barcode1D({.data = "12", .narrowBar = 2, .height = 10, .humanReadable = false, .unit = Unit::Dot}); }},
    {"QR in mm: module rounds, level M by default", Language::Vorn,
     [](Label& l) { l.qr({.x = 1, .y = 1, .data = "Q", .module = 0.5f, .rotation = RotateEnum::ClockWise, .unit = Unit::MM}); }},
    {"PDF417 sized by the encoder", Language::Vorn,
     [](Label& l) { l.pdf417({.data = "HELLO", .module = 2, .moduleHeight = 6, .columns = 3, .unit = Unit::Dot}); }},
    {"DataMatrix lines joined by their control bytes", Language::Vorn,
     [](Label& l) { l.dataMatrix({.data = "A", .module = 3, .lines = "B/r/nC", .rows = 12, .columns = 12, .unit = Unit::Dot}); }},
    {"Aztec layers and percentage held in range", Language::Vorn,
     [](Label& l) {
         l.aztec({.data = "Z", .module = 3, .codeType = AztecCodeTypeEnum::Compact, .layers = 10, .unit = Unit::Dot});
         l.aztec({.data = "Z", .module = 3, .codeType = AztecCodeTypeEnum::FixedErrCorrection, .errorCorrection = 150, .unit = Unit::Dot}); }},
    {"Maxicode: fixed size, postal code without its comma", Language::Kesh,
     [](Label& l) { l.maxicode({.postalCode = "12345,6789", .countryCode = "840", .serviceClass = "001", .remainingMessage = "HI", .unit = Unit::Dot}); }},
    {"RFID: the tag's hex data; a kept object after a dropped one keeps its number", Language::Vorn,
     [](Label& l) { l.rfid({.bank = RfidMemBlockEnum::TID}); l.rfid({.field32 = 305419896, .ascii6 = "LABEL1", .field16 = 43981}); }},
};
// clang-format on

// The last object each case places, against golden/placement.txt.
TEST(LabelPlacement, EachKindInDots) {
    std::string actual;
    for (const Case& c : kCases) {
        Label label(c.language, 203, Unit::Inch);
        c.add(label);
        const auto placed = label.placement();
        actual += std::string("== ") + c.name + "\n" +
                  quillon_test::Escape(placed.empty() ? "nothing" : Describe(placed.back()));
    }
    quillon_test::CheckGoldenFile("placement.txt", actual);
}

}  // namespace
