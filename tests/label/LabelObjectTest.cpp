// quillon::Label against the label functions it shares its adding steps
// with, and what only it does: refuse unframable texts, keep notices as
// data, refuse use after a move.

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "quillon/Label.h"
#include "quillon/LabelObject.h"

namespace {

using quillon::Language;
using quillon::Unit;
constexpr ScaleEnum Dot = ScaleEnum::Dot;
constexpr RotateEnum None = RotateEnum::None;

// One object of every kind, both ways, with values that draw notices in VORN
// and units that differ from the label's.
struct Twin {
    std::function<void()> plain;
    std::function<void(quillon::Label&)> object;
};

std::vector<Twin> EveryKind() {
    static const QRCodeManualSegments segments = {{QRCodeManualEncodingEnum::Numeric, "0123"}};
    return {
        {[] { CreateTexts(0.1f, 0.2f, 12, 14, "SHIP TO", ScaleEnum::Inch, FontSizeUnitsEnum::Points, FontStyleEnum::Bold,
                          AlignEnum::Center, "", RotateEnum::ClockWise); },
         [](quillon::Label& l) {
             quillon::TextOptions t;
             t.x = 0.1f, t.y = 0.2f, t.data = "SHIP TO", t.fontSize = 12, t.fontSizeY = 14.0f;
             t.fontStyle = FontStyleEnum::Bold, t.alignment = AlignEnum::Center, t.rotation = RotateEnum::ClockWise;
             t.unit = Unit::Inch;
             l.text(t);
         }},
        {[] { CreateLines(1, 2, 30, 2, 3, ScaleEnum::MM); }, [](quillon::Label& l) { l.line({1, 2, 30, 2, 3, Unit::MM}); }},
        {[] { CreateBoxs(5, 5, 300, 200, 4, Dot); }, [](quillon::Label& l) { l.box({5, 5, 300, 200, 4, Unit::Dot}); }},
        {[] { CreateBarcode1D(10, 20, "12345", Dot, 2, 5, 0.5f, BarcodeTypeEnum_1D::Code_39, true, None, true); },
         [](quillon::Label& l) {
             l.barcode1D({10, 20, "12345", 2, 5, 0.5f, BarcodeTypeEnum_1D::Code_39, true, None, true, Unit::Dot});
         }},
        {[] { Picture(7, 8, "LOGO.PNG"); }, [](quillon::Label& l) { l.picture({7, 8, "LOGO.PNG"}); }},
        {[] {
             auto copy = segments;
             CreateQRBarcodes(1, 1, "", ScaleEnum::Inch, 0.02f, QRCodeMaskEnum::Mask_3, &copy,
                              static_cast<QRCodeErrorCorrectionEnum>(-1), QRCodeModelEnum::MODEL_1, None);
         },
         [](quillon::Label& l) {
             quillon::QRCodeOptions q;
             q.x = 1, q.y = 1, q.module = 0.02f, q.mask = QRCodeMaskEnum::Mask_3, q.segments = segments;
             q.model = QRCodeModelEnum::MODEL_1, q.unit = Unit::Inch;
             l.qr(q);
         }},
        {[] { CreatePdf417Bcodes(1, 2, "PDF", Dot, 2, 6, static_cast<Pdf417ErrCorrectionEnum>(-1), 5, -1, None); },
         [](quillon::Label& l) { l.pdf417({1, 2, "PDF", 2, 6, {}, 5, {}, None, Unit::Dot}); }},
        {[] { CreateDataMatrixBarcodes(1, 2, "ID", Dot, 4, None, true, "A/r/nB", 13, 10, 12, -1); },
         [](quillon::Label& l) { l.dataMatrix({1, 2, "ID", 4, None, true, "A/r/nB", 13, 10, 12, {}, Unit::Dot}); }},
        {[] { CreateAztecBarcodes(1, 2, "AZ", Dot, 4, AztecCodeTypeEnum::Compact, -1, 3, None); },
         [](quillon::Label& l) { l.aztec({1, 2, "AZ", 4, AztecCodeTypeEnum::Compact, {}, 3, None, Unit::Dot}); }},
        {[] { CreateMaxicodeBarcodes(2, MaxicodeModeEnum::MODE_4, "", "", "", "REST", "", "PRIMARY", 1, 2, Dot, true,
                                     RotateEnum::Inverted); },
         [](quillon::Label& l) {
             quillon::MaxicodeOptions m;
             m.x = 1, m.y = 2, m.mode = MaxicodeModeEnum::MODE_4, m.primaryMessage = "PRIMARY";
             m.remainingMessage = "REST", m.zipperPattern = true, m.rotation = RotateEnum::Inverted, m.unit = Unit::Dot;
             l.maxicode(m);
         }},
        {[] { CreateRfidEncode(1, 2, "ABCDEF", RfidMemBlockEnum::User, 4, "0123456789", "0A0B",
                               RfidPasswordTypeEnum::Lock, "PW"); },
         [](quillon::Label& l) {
             l.rfid({RfidMemBlockEnum::User, 1, "ABCDEF", 2, 4, "0123456789", "0A0B", RfidPasswordTypeEnum::Lock, "PW"});
         }},
    };
}

TEST(LabelObject, RendersWhatTheLabelFunctionsRender) {
    for (int language : {0, 1}) {
        CreateLabel(language, "SAME", 8, ScaleEnum::MM);
        quillon::Label label(language == 1 ? Language::Kesh : Language::Vorn, 8, Unit::MM, "SAME");
        for (const Twin& twin : EveryKind()) {
            twin.plain();
            twin.object(label);
        }
        std::string plain;
        testing::internal::CaptureStdout();
        LabelToString(plain);
        const std::string printed = testing::internal::GetCapturedStdout();
        CloseLabel();
        testing::internal::CaptureStdout();
        EXPECT_EQ(label.render(), plain) << "language " << language;
        EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
        std::string kept;
        for (const quillon::LabelNotice& n : label.notices()) kept += n.text + "\n";
        EXPECT_EQ(kept, printed);
    }
}

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
        {Language::Kesh, [](quillon::Label& l) { l.pdf417({.data = "*;~/"}); }, ""},
    };
    for (const Case& c : cases) {
        quillon::Label label(c.language, 203, Unit::Inch);
        std::string message;
        try {
            c.add(label);
        } catch (const std::invalid_argument& e) {
            message = e.what();
        }
        EXPECT_EQ(message, c.message);
        EXPECT_NO_THROW(label.render()) << c.message;  // a refused object is not recorded
    }
    EXPECT_THROW(quillon::Label(Language::Vorn, 203, Unit::Inch, "A\nB"), std::invalid_argument);
}

TEST(LabelObject, SameErrorsAsTheLabelFunctions) {
    try {
        quillon::Label(Language::Vorn, 203, Unit::Dot);
        ADD_FAILURE() << "no exception";
    } catch (const std::invalid_argument& e) {
        EXPECT_STREQ(e.what(), "Invalid units.");
    }
    quillon::Label label(Language::Vorn, 203, Unit::Inch);
    label.barcode1D({.data = "1", .type = BarcodeTypeEnum_1D::NOT_DEFINED});
    std::string plain = "kept";
    CreateLabel(0, "LABEL", 203, ScaleEnum::Inch);
    CreateBarcode1D(0, 0, "1", ScaleEnum::Inch, 0, 0, 0, BarcodeTypeEnum_1D::NOT_DEFINED, true, None, false);
    std::string expected;
    try {
        LabelToString(plain);
    } catch (const std::exception& e) {
        expected = e.what();
    }
    CloseLabel();
    std::string actual;
    try {
        label.render();
    } catch (const std::exception& e) {
        actual = e.what();
    }
    EXPECT_NE(expected, "");
    EXPECT_EQ(actual, expected);
    EXPECT_EQ(plain, "kept");
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
