// What only quillon::Label does: refuse unframable texts, keep notices as
// data, refuse use after a move, tell where each object is placed, and
// share nothing between threads. That it renders what the label functions
// render is checked by the tool's example outputs (the tool records through
// it) and by the equivalence fuzzer; its errors come from the same
// resolution and emitters, whose messages the golden files and the label
// state tests pin.

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include "../generate/EmitterGolden.h"
#include "quillon/LabelObject.h"

namespace {

using quillon::Label;
using quillon::Language;
using quillon::Unit;
using quillon_test::Thrown;

// Each notice names the object it is about, counted in adding calls: a call
// that records nothing still takes its number.
TEST(LabelObject, NoticesNameTheirObject) {
    Label label(Language::Vorn, 203, Unit::Inch);
    label.line({0, 0, 1, 0, 0.01f});
    label.maxicode({.x = 0, .y = 0, .zipperPattern = true, .messageKind = 7});  // records nothing
    label.text({.data = "A", .fontStyle = FontStyleEnum::Italic});
    label.barcode1D({.data = "1", .narrowBar = 0.01f, .wideBar = 0.01f, .height = 1, .textAbove = true});
    const std::string first = label.render();
    EXPECT_EQ(label.render(), first);  // notices are those of the last rendering only
    std::string kept;
    for (const quillon::LabelNotice& n : label.notices())
        kept += std::to_string(n.object) + (n.warning ? " warning " : " ") + n.text + "\n";
    EXPECT_EQ(kept,
              "2 Parameter [Italic] is not supported.\n"
              "3 Parameter [PdfLocTop] is not supported.\n");
}

TEST(LabelObject, RefusesWhatTheLanguageCannotFrame) {
    // The message is empty where the object is accepted.
    // clang-format off
    const std::tuple<Language, void (*)(Label&), const char*> cases[] = {
        {Language::Vorn, [](Label& l) { l.text({.data = "SAY \"HI\""}); }, "text.data: VORN cannot frame a double quote"},
        {Language::Kesh, [](Label& l) { l.text({.data = "SAY \"HI\""}); }, ""},
        {Language::Kesh, [](Label& l) { l.text({.fontName = "F\r"}); }, "text.fontName: KESH cannot frame a carriage return"},
        {Language::Kesh, [](Label& l) { l.qr({.segments = {{QRCodeManualEncodingEnum::Binary, "A\nB"}}}); },
         "qr.segments: KESH cannot frame a line feed"},
        {Language::Vorn, [](Label& l) { l.picture({.name = std::string("P\0", 2)}); }, "picture.name: VORN cannot frame a NUL byte"},
        {Language::Vorn, [](Label& l) { l.dataMatrix({.lines = "A\"/r/nB"}); }, "dataMatrix.lines: VORN cannot frame a double quote"},
        {Language::Vorn, [](Label& l) { l.maxicode({.remainingMessage = "\n"}); }, "maxicode.remainingMessage: VORN cannot frame a line feed"},
        {Language::Kesh, [](Label& l) { l.rfid({.password = "\r"}); }, "rfid.password: KESH cannot frame a carriage return"},
    };
    // clang-format on
    for (const auto& [language, add, message] : cases) {
        Label label(language, 203, Unit::Inch);
        EXPECT_EQ(Thrown<std::invalid_argument>([&] { add(label); }), message);
        EXPECT_NO_THROW(label.render()) << message;  // a refused object is not recorded
    }
    EXPECT_THROW(Label(Language::Vorn, 203, Unit::Inch, "A\nB"), std::invalid_argument);
}

TEST(LabelObject, MovedFromLabelIsClosed) {
    Label first(Language::Kesh, 203, Unit::Inch);
    first.line({0, 0, 1, 1});
    Label second = std::move(first);
    EXPECT_NE(second.render(), "");
    EXPECT_THROW(first.render(), std::logic_error);  // NOLINT(bugprone-use-after-move)
    EXPECT_THROW(first.line({}), std::logic_error);
    first = std::move(second);
    EXPECT_NE(first.render(), "");
}

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

// clang-format off
const std::tuple<const char*, Language, void (*)(Label&)> kCases[] = {
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
    for (const auto& [name, language, add] : kCases) {
        Label label(language, 203, Unit::Inch);
        add(label);
        const auto placed = label.placement();
        actual += std::string("== ") + name + "\n" +
                  quillon_test::Escape(placed.empty() ? "nothing" : Describe(placed.back()));
    }
    quillon_test::CheckGoldenFile("placement.txt", actual);
}

constexpr int kThreads = 8;
constexpr int kLabelsPerThread = 1000;

// Label n: its own texts, codes and language, with notices in VORN.
std::string RenderNumbered(int n) {
    const std::string number = std::to_string(n);
    Label label(n % 2 ? Language::Kesh : Language::Vorn, 203, Unit::Inch, "L" + number);
    label.text({.x = 0.1f,
                .y = 0.1f + n % 7 * 0.1f,
                .data = "ORDER " + number,
                .fontStyle = n % 3 ? FontStyleEnum::Normal : FontStyleEnum::Bold});
    label.box({0.05f, 0.05f, 3.9f, 5.9f, 0.02f});
    label.barcode1D({0.2f, 2, number, 0.01f, 0.02f + n % 2 * 0.01f, 0.5f});
    label.qr({.x = 2, .y = 3, .data = "https://example.com/track/" + number, .module = 0.02f});
    std::string out = label.render();
    for (const quillon::LabelNotice& notice : label.notices())
        out += std::to_string(notice.object) + ": " + notice.text + "\n";
    return out;
}

// Each of 8 threads renders 1,000 different labels at once, and every text
// and notice list must equal what one thread alone rendered for the same
// label. Run under ThreadSanitizer in CI, where any shared state would also
// show as a race.
TEST(LabelThreads, EveryLabelAsOneThreadRendersIt) {
    std::vector<std::string> alone(kThreads * kLabelsPerThread);
    for (int n = 0; n < kThreads * kLabelsPerThread; ++n) alone[n] = RenderNumbered(n);

    std::vector<int> mismatches(kThreads, 0);
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t)
        threads.emplace_back([&, t] {
            for (int k = 0; k < kLabelsPerThread; ++k) {
                const int n = t * kLabelsPerThread + k;
                if (RenderNumbered(n) != alone[n]) ++mismatches[t];
            }
        });
    for (std::thread& thread : threads) thread.join();
    for (int t = 0; t < kThreads; ++t) EXPECT_EQ(mismatches[t], 0) << "thread " << t;
    EXPECT_NE(alone[0].find("Parameter [Bold] is not supported."),
              std::string::npos);  // notices compared too
}

}  // namespace
