// What only quillon::Label does: refuse unframable texts, keep notices as
// data, refuse use after a move. That it renders what the label functions
// render is checked by the tool's example outputs (the tool records through
// it) and by the equivalence fuzzer; its errors come from the same
// resolution and emitters, whose messages the golden files and the label
// state tests pin.

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>

#include "../generate/EmitterGolden.h"
#include "quillon/LabelObject.h"

namespace {

using quillon::Language;
using quillon::Unit;
using quillon_test::Thrown;

// Each notice names the object it is about, counted in adding calls: a call
// that records nothing still takes its number.
TEST(LabelObject, NoticesNameTheirObject) {
    quillon::Label label(Language::Vorn, 203, Unit::Inch);
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
    struct Case {
        Language language;
        std::function<void(quillon::Label&)> add;
        const char* message;  // empty: accepted
    };
    // clang-format off
    const Case cases[] = {
        {Language::Vorn, [](quillon::Label& l) { l.text({.data = "SAY \"HI\""}); }, "text.data: VORN cannot frame a double quote"},
        {Language::Kesh, [](quillon::Label& l) { l.text({.data = "SAY \"HI\""}); }, ""},
        {Language::Kesh, [](quillon::Label& l) { l.text({.fontName = "F\r"}); }, "text.fontName: KESH cannot frame a carriage return"},
        {Language::Kesh, [](quillon::Label& l) { l.qr({.segments = {{QRCodeManualEncodingEnum::Binary, "A\nB"}}}); },
         "qr.segments: KESH cannot frame a line feed"},
        {Language::Vorn, [](quillon::Label& l) { l.picture({.name = std::string("P\0", 2)}); }, "picture.name: VORN cannot frame a NUL byte"},
        {Language::Vorn, [](quillon::Label& l) { l.dataMatrix({.lines = "A\"/r/nB"}); }, "dataMatrix.lines: VORN cannot frame a double quote"},
        {Language::Vorn, [](quillon::Label& l) { l.maxicode({.remainingMessage = "\n"}); }, "maxicode.remainingMessage: VORN cannot frame a line feed"},
        {Language::Kesh, [](quillon::Label& l) { l.rfid({.password = "\r"}); }, "rfid.password: KESH cannot frame a carriage return"},
    };
    // clang-format on
    for (const Case& c : cases) {
        quillon::Label label(c.language, 203, Unit::Inch);
        EXPECT_EQ(Thrown<std::invalid_argument>([&] { c.add(label); }), c.message);
        EXPECT_NO_THROW(label.render()) << c.message;  // a refused object is not recorded
    }
    EXPECT_THROW(quillon::Label(Language::Vorn, 203, Unit::Inch, "A\nB"), std::invalid_argument);
}

TEST(LabelObject, MovedFromLabelIsClosed) {
    quillon::Label first(Language::Kesh, 203, Unit::Inch);
    first.line({0, 0, 1, 1});
    quillon::Label second = std::move(first);
    EXPECT_NE(second.render(), "");
    EXPECT_THROW(first.render(), std::logic_error);  // NOLINT(bugprone-use-after-move)
    EXPECT_THROW(first.line({}), std::logic_error);
    first = std::move(second);
    EXPECT_NE(first.render(), "");
}

}  // namespace
