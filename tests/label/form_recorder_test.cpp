// The recorder and the form assembly seen from inside: the empty recorder,
// codes without text, failures that must leave the caller's string alone,
// the label-wide QR segment list.

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "label/Label_vorn.h"
#include "label/VornForm.h"

namespace {

quillon::FormRow Row(int language, int type) {
    quillon::FormRow row;
    row.VornObjPrintLanguageTyp = language;
    row.VornObjType = type;
    return row;
}

TEST(FormRecorder, EmptyRecorderRendersNothing) {
    PrintResolution res(203.0f, ScaleEnum::Inch);
    VornForm form("F", &res);
    std::string text = "old";
    form.GetAsString(text);
    EXPECT_EQ(text, "");
}

TEST(FormRecorder, CodesWithoutTextAreSkipped) {
    PrintResolution res(203.0f, ScaleEnum::Inch);
    Label_vorn label("F", &res, 0);
    for (int code : {1, 2, 14, 99, -7}) label.AddRow(Row(0, code));
    std::string text;
    label.toString(text);
    EXPECT_EQ(
        text,
        "REM F FORM BEGIN\r\nCLS\r\nDPI = 203\r\nFONT$ = \"1\"\r\nFH = 8\r\nFV = 12\r\nREM SCALE 203,203\r\n"
        "PRINT 1\r\nREM F FORM END\r\n");
}

TEST(FormRecorder, FailuresLeaveTheStringUnchanged) {
    PrintResolution res(203.0f, ScaleEnum::Inch);
    struct Case {
        const char* what;
        void (*spoil)(Label_vorn&);
    };
    const Case cases[] = {
        // A picture description whose x is not a number.
        {"bad picture x",
         [](Label_vorn& l) {
             auto row = Row(0, quillon::kObjPicture);
             row.VornobjPutBmpStr = "abc;1;P";
             l.AddRow(std::move(row));
         }},
        // y beyond int.
        {"picture y out of range",
         [](Label_vorn& l) {
             auto row = Row(0, quillon::kObjPicture);
             row.VornobjPutBmpStr = "1;99999999999;P";
             l.AddRow(std::move(row));
         }},
        // One list appended alone: the lists no longer line up.
        {"misaligned lists", [](Label_vorn& l) { l.addObject(nullptr); }},
    };
    for (const Case& c : cases) {
        Label_vorn label("F", &res, 0);
        c.spoil(label);
        std::string text = "previous";
        EXPECT_ANY_THROW(label.toString(text)) << c.what;
        EXPECT_EQ(text, "previous") << c.what;
    }
    Label_vorn label("F", &res, 0);
    label.addObject(nullptr);
    std::string text;
    EXPECT_THROW(label.toString(text), std::out_of_range);
}

TEST(FormRecorder, PictureDescriptionsThatDoNotSplit) {
    struct Row {
        const char* description;
        bool ok;
        int x, y;
        const char* path;
    };
    const Row rows[] = {
        {"10;20;A.PNG", true, 10, 20, "A.PNG"},
        {" 7;-3;P Q", true, 7, -3, "P Q"},
        {"1;2;", false, 0, 0, ""},
        {"1;2", false, 0, 0, ""},
        {"", false, 0, 0, ""},
        {"5x;6y;N;M\nZ", true, 5, 6, "N;M"},
    };
    for (const Row& row : rows) {
        int x = 0, y = 0;
        std::string path;
        EXPECT_EQ(VornForm::ParsePutbmpInfo(row.description, x, y, path), row.ok) << row.description;
        if (!row.ok) continue;
        EXPECT_EQ(x, row.x);
        EXPECT_EQ(y, row.y);
        EXPECT_EQ(path, row.path);
    }
}

TEST(FormRecorder, KeshFormWithoutDeleteAfterUse) {
    PrintResolution res(203.0f, ScaleEnum::Inch);
    Label_vorn label("F", &res, 1);
    label.Form().DeleteAfterUse = false;
    std::string text;
    label.toString(text);
    EXPECT_EQ(text, "~CREATE;F;X\r\nSCALE;DOT;203;203\r\n\r\nEND\r\n~EXECUTE;F\r\n~NORMAL\r\n");
}

TEST(FormRecorder, QRSegmentsAccumulateForTheWholeLabel) {
    PrintResolution res(203.0f, ScaleEnum::Inch);
    Label_vorn label("F", &res, 0);
    QRCodeManualSegments two = {{QRCodeManualEncodingEnum::Numeric, "123"},
                                {QRCodeManualEncodingEnum::AlphaNumeric, "AB"}};
    QRCodeManualSegments one = {{QRCodeManualEncodingEnum::Binary, "x"}};
    auto first = Row(0, 2);
    first.VornobjQRCodedataManuallyEncoded = &two;
    label.AddRow(std::move(first));
    auto second = Row(0, 2);
    second.VornobjQRCodedataManuallyEncoded = &one;
    label.AddRow(std::move(second));
    label.AddVornobjQRCodedataManuallyEncoded(nullptr);
    const auto& segments = label.Form().VornobjQRCodedataManuallyEncoded;
    ASSERT_EQ(segments.size(), 3u);
    EXPECT_EQ(segments[2].second, "x");
    // The caller's lists are copied, not referenced.
    two.clear();
    EXPECT_EQ(segments[0].second, "123");
}

TEST(FormRecorder, ManyObjectsStayAligned) {
    PrintResolution res(203.0f, ScaleEnum::Inch);
    Label_vorn label("F", &res, 0);
    for (int i = 0; i < 5000; ++i) {
        auto row = Row(0, quillon::kObjPicture);
        const std::string description = std::to_string(i) + ";0;N";
        row.VornobjPutBmpStr = description;
        label.AddRow(std::move(row));
    }
    const VornForm& form = label.Form();
#define QUILLON_CHECK_SIZE(member, ...) EXPECT_EQ(form.member.size(), 5001u) << #member;
    QUILLON_FORM_LISTS(QUILLON_CHECK_SIZE)
#undef QUILLON_CHECK_SIZE
    std::string text;
    label.toString(text);
    EXPECT_NE(text.find("PUTPNG,4999,0,\"N\"\r\nPRINT 1"), std::string::npos);
}

TEST(FormRecorder, HexStringUsesUnsignedBytes) {
    EXPECT_EQ(VornForm::ToHexString(std::string("AB\0\xab\xff", 5)), "414200abff");
    EXPECT_EQ(VornForm::ToHexString(""), "");
}

}  // namespace
