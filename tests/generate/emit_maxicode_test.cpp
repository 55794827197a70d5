// Maxicode symbols through the exported API: the structured fields and
// postal-code checks of VORN, the joined data of KESH, the notices, and what
// an unknown message kind leaves behind.

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "emit_support.h"
#include "label/LabelState.h"
#include "quillon/Label.h"

namespace {

using quillon_test::kKesh;
using quillon_test::kVorn;

// Arguments of one CreateMaxicodeBarcodes call: mode 2, 123456789, 840, 001,
// "HELLO" at 100/50 dots.
struct Mx {
    int kind = 0, mode = 2;
    std::string postal = "123456789", country = "840", service = "001", remaining = "HELLO", year, primary;
    float x = 100, y = 50;
    ScaleEnum scale = ScaleEnum::Dot;
    bool zipper = false;
    int rot = 0;

    Mx& Primary(std::string p) { return primary = std::move(p), *this; }
    Mx& Data(std::string d) { return remaining = std::move(d), *this; }
    Mx& NoFields() { return service = country = "", *this; }
    Mx& Rot(int r, bool z = false) { return rot = r, zipper = z, *this; }
    Mx& Mm() { return scale = ScaleEnum::MM, x = 12.34f, y = 6.2f, *this; }  // 98.72 and 49.6 dots
    void* Add() const {
        return CreateMaxicodeBarcodes(kind, static_cast<MaxicodeModeEnum>(mode), postal, country, service,
                                      remaining, year, primary, x, y, scale, zipper,
                                      static_cast<RotateEnum>(rot));
    }
};

Mx Mode(int mode, std::string postal, int kind = 0) {
    Mx m;
    m.mode = mode, m.postal = std::move(postal), m.kind = kind;
    return m;
}

// The object text at 8 dots/mm.
std::string Text(int lang, const Mx& m) {
    return quillon_test::ObjectText(
        lang, [&] { m.Add(); }, 8.0f, ScaleEnum::MM);
}

template <typename Exception>
std::string ThrownBy(const Mx& m) {
    return quillon_test::Thrown<Exception>(
        kVorn, [&] { m.Add(); }, 8.0f, ScaleEnum::MM);
}

struct Row {
    const char* name;
    Mx input;
    std::string expected;
};

class MaxicodeTest : public ::testing::Test {
  protected:
    void TearDown() override { CloseLabel(); }
};

TEST_F(MaxicodeTest, VornLineByModeAndKind) {
    Mx fields = Mode(2, "000000000");
    fields.service = "";
    fields.country = "X,Y";
    Mx year = Mode(4, "");
    year.year = "26";
    // clang-format off
    const Row rows[] = {
        {"mode 2", Mode(2, "123456789"), "MAXICODE 100,50,2,001,840,12345,6789,\"HELLO\"\r\n"},
        {"mode 2 with the comma", Mode(2, "12345,6789"), "MAXICODE 100,50,2,001,840,12345,6789,\"HELLO\"\r\n"},
        {"mode 3", Mode(3, "AB12CD"), "MAXICODE 100,50,3,001,840,\"AB12CD\",\"HELLO\"\r\n"},
        {"mode 3 lower case and digits", Mode(3, "ab1234"), "MAXICODE 100,50,3,001,840,\"ab1234\",\"HELLO\"\r\n"},
        {"mode 4 plain", Mode(4, "", 2).Primary("ABC"), "MAXICODE 100,50,4,\"ABCHELLO\"\r\n"},
        {"mode 4 ignores the structured fields", Mode(4, "not checked", 0), "MAXICODE 100,50,4,\"HELLO\"\r\n"},
        {"mode 4 accepts the open-system kind", Mode(4, "x", 1), "MAXICODE 100,50,4,\"HELLO\"\r\n"},
        {"plain kind in mode 2 is structured", Mode(2, "123456789", 2).Primary("P"), "MAXICODE 100,50,2,001,840,12345,6789,\"PHELLO\"\r\n"},
        {"fields written as given", fields, "MAXICODE 100,50,2,,X,Y,00000,0000,\"HELLO\"\r\n"},
        {"unknown mode", Mode(5, "bad"), "MAXICODE 100,50,5,\"HELLO\"\r\n"},
        {"year never written", year, "MAXICODE 100,50,4,\"HELLO\"\r\n"},
        {"millimetres truncate", Mode(4, "").Mm(), "MAXICODE 98,49,4,\"HELLO\"\r\n"},
    };
    // clang-format on
    for (const Row& row : rows) EXPECT_EQ(Text(kVorn, row.input), row.expected) << row.name;
}

TEST_F(MaxicodeTest, VornNoticesLeaveTheLineAlone) {
    const std::string zipper = "Parameter [ZipperPattern] is not supported.\n";
    const std::string rotation = "Parameter [Rotation] is not supported.\n";
    const struct {
        bool zipper;
        int rot;
        std::string notices;
    } rows[] = {{false, 0, ""},
                {true, 0, zipper},
                {false, 1, rotation},
                {false, 4, ""},
                {true, 2, zipper + rotation}};
    for (const auto& row : rows) {
        const Mx m = Mx().Rot(row.rot, row.zipper);
        std::string printed;
        EXPECT_EQ(quillon_test::ObjectText(
                      kVorn, [&] { m.Add(); }, 8.0f, ScaleEnum::MM, &printed),
                  "MAXICODE 100,50,2,001,840,12345,6789,\"HELLO\"\r\n");
        EXPECT_EQ(printed, row.notices) << row.zipper << " " << row.rot;
    }
    // Notices come before the throw.
    testing::internal::CaptureStdout();
    EXPECT_EQ(ThrownBy<std::invalid_argument>(Mode(3, "AB12C").Rot(1, true)), "Invalid [PostalCode] data.");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), zipper + rotation);
}

TEST_F(MaxicodeTest, VornRejections) {
    const struct {
        const char* name;
        Mx input;
    } postal[] = {
        {"ten digits", Mode(2, "1234567890")},      {"eight digits", Mode(2, "12345678")},
        {"comma misplaced", Mode(2, "1234,56789")}, {"other separator", Mode(2, "12345-6789")},
        {"letter", Mode(2, "1234A6789")},           {"trailing newline", Mode(2, "123456789\n")},
        {"empty in mode 2", Mode(2, "")},           {"five characters", Mode(3, "AB12C")},
        {"seven characters", Mode(3, "AB12CDE")},   {"punctuation", Mode(3, "AB-2CD")},
        {"byte above 127", Mode(3, "AB12C\xC9")},   {"plain kind checks too", Mode(2, "12345", 2)},
    };
    for (const auto& row : postal)
        EXPECT_EQ(ThrownBy<std::invalid_argument>(row.input), "Invalid [PostalCode] data.") << row.name;
    // Checked before the postal code.
    for (const Mx& m : {Mode(2, "123456789", 1), Mode(3, "AB12CD", 1), Mode(2, "bad", 1)})
        EXPECT_EQ(ThrownBy<std::runtime_error>(m),
                  "Format [MaxicodeMsgStructuredOpenSystemStandard] is not supported.")
            << m.postal;
}

TEST_F(MaxicodeTest, KeshBlockJoinsTheData) {
    // clang-format off
    const Row rows[] = {
        {"mode 2", Mode(2, "123456789"), "BARCODE\r\nMAXICODE;M2;50;100\r\n*001840123456789;HELLO*\r\nSTOP\r\n"},
        {"postal code not checked", Mode(2, "1234567890"), "BARCODE\r\nMAXICODE;M2;50;100\r\n*0018401234567890;HELLO*\r\nSTOP\r\n"},
        {"open-system kind not refused", Mode(3, "AB12CDE", 1), "BARCODE\r\nMAXICODE;M3;50;100\r\n*001840AB12CDE;HELLO*\r\nSTOP\r\n"},
        {"primary message after the separator", Mode(2, "123456789").Primary("P"), "BARCODE\r\nMAXICODE;M2;50;100\r\n*001840123456789;PHELLO*\r\nSTOP\r\n"},
        {"only a primary message", Mode(4, "", 2).NoFields().Primary("ABC"), "BARCODE\r\nMAXICODE;M4;50;100\r\n*ABC;HELLO*\r\nSTOP\r\n"},
        {"only the remaining message", Mode(4, "", 2).NoFields(), "BARCODE\r\nMAXICODE;M4;50;100\r\n*HELLO*\r\nSTOP\r\n"},
        {"mode 4 still joins the fields", Mode(4, "X"), "BARCODE\r\nMAXICODE;M4;50;100\r\n*001840X;HELLO*\r\nSTOP\r\n"},
        {"zipper right after the mode", Mode(2, "123456789").Rot(1, true), "BARCODE\r\nMAXICODE;M2;Z;CW;50;100\r\n*001840123456789;HELLO*\r\nSTOP\r\n"},
        {"data holding the asterisk", Mode(4, "", 2).NoFields().Data("A*B"), "BARCODE\r\nMAXICODE;M4;50;100\r\n\"A*B\"\r\nSTOP\r\n"},
        {"millimetres truncate", Mode(2, "1").Mm(), "BARCODE\r\nMAXICODE;M2;49;98\r\n*0018401;HELLO*\r\nSTOP\r\n"},
    };
    // clang-format on
    testing::internal::CaptureStdout();
    for (const Row& row : rows) EXPECT_EQ(Text(kKesh, row.input), row.expected) << row.name;
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "") << "KESH expresses zipper and rotation";
}

TEST_F(MaxicodeTest, UnknownKindRecordsNothing) {
    for (int lang : {kVorn, kKesh}) {
        CreateLabel(lang, "L1", 8.0f, ScaleEnum::MM);
        std::string empty, text;
        LabelToString(empty);
        const size_t objects = gpLabel->Form().ObjectCount();
        const size_t owned = ObjectsPtr.size();
        for (int kind : {3, -1, 99}) EXPECT_EQ(Mode(2, "123456789", kind).Add(), gpLabel.get());
        EXPECT_EQ(gpLabel->Form().ObjectCount(), objects);
        EXPECT_EQ(gpLabel->Form().VornobjMaxicodeTyp.size(), objects);
        quillon_test::ExpectOwned(owned);
        LabelToString(text);
        EXPECT_EQ(text, empty);
        // The next symbol lines up: its own values come out, not a neighbour's.
        EXPECT_EQ(Mode(4, "", 2).Data("NEXT").Add(), gpLabel.get());
        EXPECT_EQ(ObjectsPtr.size(), owned + 1);
        LabelToString(text);
        EXPECT_NE(text.find(lang == kVorn ? "MAXICODE 100,50,4,\"NEXT\"\r\n" : "*001840;NEXT*"),
                  std::string::npos)
            << text;
        CloseLabel();
    }
}

}  // namespace
