// The recorder on its own: rows keep every list aligned, texts are copied,
// the QR segment list belongs to the whole form, and a cleared form records
// again from its kept capacity.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "form/VornForm.h"

namespace {

using quillon::FormRow;

FormRow Picture(std::string_view description) {
    FormRow row;
    row.VornObjType = quillon::kObjPicture;
    row.VornobjPutBmpStr = description;
    return row;
}

TEST(FormRecorder, RowsStayAlignedAndOwnTheirTexts) {
    PrintResolution res(203.0f, ScaleEnum::Inch);
    VornForm form("F", &res);
    std::string description;
    for (int i = 0; i < 5000; ++i) {
        description = std::to_string(i) + ";0;N";
        form.AddRow(Picture(description));
    }
    description = "overwritten";
#define QUILLON_CHECK_SIZE(member, ...) EXPECT_EQ(form.member.size(), 5000u) << #member;
    QUILLON_FORM_LISTS(QUILLON_CHECK_SIZE)
#undef QUILLON_CHECK_SIZE
    EXPECT_EQ(form.VornobjPutBmpStr[0], "0;0;N");
    EXPECT_EQ(form.VornobjPutBmpStr[4999], "4999;0;N");
    EXPECT_EQ(form.VornObjRotation[4999], -1);
    EXPECT_EQ(form.VornobjPDF417row[4999], 0);
    EXPECT_EQ(form.VornobjRfiDa32BitField[4999], 0xFFFFFFFFu);
}

TEST(FormRecorder, ObjectZeroHoldsTheScaleCommandsValues) {
    int scale = 0;
    const FormRow row = FormRow::Object0(7, &scale);
    EXPECT_EQ(row.VornObjPrintLanguageTyp, 7);
    EXPECT_EQ(row.VornObjects, &scale);
    EXPECT_EQ(row.VornObjType, quillon::kObjScale);
    EXPECT_EQ(row.VornObjRotation, 0);
    EXPECT_EQ(row.VornobjPDF417row, -1);
    EXPECT_EQ(row.VornobjPDF417col, -1);
}

TEST(FormRecorder, QRSegmentsAccumulateForTheWholeForm) {
    VornForm form("F", nullptr);
    QRCodeManualSegments two = {{QRCodeManualEncodingEnum::Numeric, "123"},
                                {QRCodeManualEncodingEnum::AlphaNumeric, "AB"}};
    QRCodeManualSegments one = {{QRCodeManualEncodingEnum::Binary, "x"}};
    FormRow first, second;
    first.VornobjQRCodedataManuallyEncoded = &two;
    second.VornobjQRCodedataManuallyEncoded = &one;
    form.AddRow(std::move(first));
    form.AddRow(std::move(second));
    form.AddVornobjQRCodedataManuallyEncoded(nullptr);
    two.clear();  // copied, not referred to
    const QRCodeManualSegments expected = {{QRCodeManualEncodingEnum::Numeric, "123"},
                                           {QRCodeManualEncodingEnum::AlphaNumeric, "AB"},
                                           {QRCodeManualEncodingEnum::Binary, "x"}};
    EXPECT_EQ(form.VornobjQRCodedataManuallyEncoded, expected);
    EXPECT_EQ(form.ObjectCount(), 2u);
}

TEST(FormRecorder, ClearedFormKeepsItsCapacity) {
    VornForm form("F", nullptr);
    for (int i = 0; i < 300; ++i) form.AddRow(Picture("1;2;SOME LONGER PICTURE NAME"));
    const size_t grown = form.HeapBytes();
    ASSERT_GT(grown, 0u);
    form.Clear();
    EXPECT_EQ(form.ObjectCount(), 0u);
    EXPECT_EQ(form.HeapBytes(), grown);
    for (int i = 0; i < 300; ++i) form.AddRow(Picture("3;4;P"));
    EXPECT_EQ(form.HeapBytes(), grown);
    EXPECT_EQ(form.VornobjPutBmpStr[299], "3;4;P");
    EXPECT_EQ(form.VornObjType.size(), 300u);
}

// A list appended on its own no longer lines up with the others: rendering
// throws and leaves the caller's string alone.
TEST(FormRecorder, MisalignedListsDoNotRender) {
    PrintResolution res(203.0f, ScaleEnum::Inch);
    VornForm form("F", &res);
    form.AddRow(Picture("1;2;P"));
    form.AddVornObject(nullptr);
    std::string text = "previous";
    EXPECT_THROW(form.GetAsString(text), std::out_of_range);
    EXPECT_EQ(text, "previous");
    VornForm empty("F", &res);
    empty.GetAsString(text);
    EXPECT_EQ(text, "");
}

TEST(FormRecorder, HexStringUsesUnsignedBytes) {
    EXPECT_EQ(VornForm::ToHexString(std::string("AB\0\xab\xff", 5)), "414200abff");
    EXPECT_EQ(VornForm::ToHexString(""), "");
}

}  // namespace
