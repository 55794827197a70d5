// A whole product label in each language against its golden file: the
// header, the objects in recording order and the trailer together.
// QUILLON_UPDATE_GOLDEN=1 rewrites the files from the current output. Also
// what recording does to the form's lists, for every kind of object.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>

#include "emit_support.h"
#include "label/VornForm.h"
#include "quillon/Label.h"

namespace {

std::string GoldenPath(const char* name) {
    return std::string(QUILLON_TEST_DATA_DIR) + "/golden/" + name;
}

std::string BuildProductLabel(int language) {
    CreateLabel(language, "PRODUCT", 8.0f, ScaleEnum::MM);
    CreateBoxs(2, 2, 98, 58, 0.5f, ScaleEnum::MM);
    CreateTexts(5, 10, 4, 4, "Organic Rolled Oats", ScaleEnum::MM, FontSizeUnitsEnum::Ruler,
                FontStyleEnum::Bold, AlignEnum::Default, "CG Triumvirate Bold Condensed", RotateEnum::None);
    CreateTexts(5, 16, 10, 10, "1 kg / 2.2 lb", ScaleEnum::MM, FontSizeUnitsEnum::Points,
                FontStyleEnum::Normal, AlignEnum::Default, "", RotateEnum::None);
    CreateTexts(95, 16, 30, 30, "BEST BEFORE 2027-06", ScaleEnum::MM, FontSizeUnitsEnum::Percent,
                FontStyleEnum::Normal, AlignEnum::Right, "3", RotateEnum::None);
    CreateTexts(96, 55, 8, 8, "LOT*4711", ScaleEnum::MM, FontSizeUnitsEnum::Points, FontStyleEnum::Italic,
                AlignEnum::Default, "", RotateEnum::CounterClockWise);
    CreateLines(2, 20, 98, 20, 0.25f, ScaleEnum::MM);
    // Barcode heights in inches: VORN takes the height as inches whatever
    // the ruler, KESH as tenths of the ruler's unit.
    CreateBarcode1D(0.3f, 0.9f, "OATS-1KG-4711", ScaleEnum::Inch, 0.015f, 0.015f, 0.6f,
                    BarcodeTypeEnum_1D::Code_128, true, RotateEnum::None, false);
    CreateBarcode1D(2.4f, 0.9f, "4006381333931", ScaleEnum::Inch, 0.01f, 0.01f, 0.8f,
                    BarcodeTypeEnum_1D::EAN13, true, RotateEnum::None, false);
    std::string text;
    testing::internal::CaptureStdout();
    LabelToString(text);
    testing::internal::GetCapturedStdout();
    CloseLabel();
    return text;
}

void CheckGolden(int language, const char* name) {
    const std::string text = BuildProductLabel(language);
    const std::string path = GoldenPath(name);
    if (const char* update = std::getenv("QUILLON_UPDATE_GOLDEN"); update && std::string(update) == "1") {
        std::ofstream(path, std::ios::binary) << text;
        return;
    }
    std::ifstream in(path, std::ios::binary);
    ASSERT_TRUE(in) << "missing " << path;
    const std::string golden((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(text, golden);
}

TEST(ProductLabel, Vorn) {
    CheckGolden(0, "product_label.vorn");
}

TEST(ProductLabel, Kesh) {
    CheckGolden(1, "product_label.kesh");
}

TEST(Recording, NothingWithoutOpenLabel) {
    constexpr ScaleEnum Dot = ScaleEnum::Dot;
    const auto none = static_cast<RotateEnum>(0);
    const std::function<void*()> creators[] = {
        [] { return CreateLines(0, 0, 1, 1, 1, Dot); },
        [] { return CreateBoxs(0, 0, 1, 1, 1, Dot); },
        [&] {
            return CreateTexts(1, 2, 10, 10, "AB", Dot, FontSizeUnitsEnum::Points, FontStyleEnum::Normal,
                               AlignEnum::Default, "", none);
        },
        [&] {
            return CreateBarcode1D(1, 2, "AB", Dot, 2, 2, 10, BarcodeTypeEnum_1D::Code_128, false, none,
                                   false);
        },
        [&] {
            return CreatePdf417Bcodes(0, 0, "HELLO", Dot, 2, 6, Pdf417ErrCorrectionEnum::LEVEL_2, 0, 0, none);
        },
        [&] { return CreateAztecBarcodes(1, 2, "X", Dot, 4, AztecCodeTypeEnum::Default, -1, -1, none); },
        [&] { return CreateDataMatrixBarcodes(1, 2, "X", Dot, 4, none, false, "", 13, 10, -1, -1); },
        [&] {
            return CreateQRBarcodes(1, 2, "X", Dot, 4, static_cast<QRCodeMaskEnum>(-1), nullptr,
                                    static_cast<QRCodeErrorCorrectionEnum>(1),
                                    static_cast<QRCodeModelEnum>(1), none);
        },
        [&] {
            return CreateMaxicodeBarcodes(0, static_cast<MaxicodeModeEnum>(2), "123456789", "840", "001", "X",
                                          "", "", 1, 2, Dot, false, none);
        },
        [] {
            return CreateRfidEncode(1, 2, "A", static_cast<RfidMemBlockEnum>(1), 2, "", "",
                                    static_cast<RfidPasswordTypeEnum>(0), "");
        },
    };
    CloseLabel();
    for (size_t i = 0; i < std::size(creators); ++i) EXPECT_EQ(creators[i](), nullptr) << "creator " << i;
}

// Each recorded object adds one entry to every list of the form, so that
// the lists stay aligned by object; the label's own first entry is there
// from the start.
TEST(Recording, EveryListGrowsByOneEntryPerObject) {
    CreateLabel(quillon_test::kKesh, "T", 8.0f, ScaleEnum::MM);
    EXPECT_EQ(CreateDataMatrixBarcodes(1, 2, "ID", ScaleEnum::Dot, 4, RotateEnum::None, false, "A/r/nB", 13,
                                       10, -1, 5),
              gpLabel.get());
    const VornForm& form = gpLabel->Form();
    EXPECT_EQ(form.VornobjDataMatrixAllStr.at(1), "ID~M~JA~M~JB");
    EXPECT_EQ(form.VornobjAztecContent.at(1), "ID");
    EXPECT_EQ(form.VornobjPDF417row.at(1), -1);
    EXPECT_EQ(form.VornobjPDF417col.at(1), 5);
    EXPECT_TRUE(form.VornobjQRCodedataManuallyEncoded.empty());
    QRCodeManualSegments segs = {{QRCodeManualEncodingEnum::Numeric, "1"},
                                 {QRCodeManualEncodingEnum::Binary, "2"}};
    EXPECT_EQ(CreateQRBarcodes(1, 2, "HELLO", ScaleEnum::Dot, 4, static_cast<QRCodeMaskEnum>(-1), &segs,
                               static_cast<QRCodeErrorCorrectionEnum>(1), static_cast<QRCodeModelEnum>(1),
                               RotateEnum::None),
              gpLabel.get());
    EXPECT_EQ(form.ObjectCount(), 3u);
#define QUILLON_CHECK_LIST(member, ...) EXPECT_EQ(form.member.size(), 3u) << #member;
    QUILLON_FORM_LISTS(QUILLON_CHECK_LIST)
#undef QUILLON_CHECK_LIST
    EXPECT_EQ(form.VornobjQRCodedataManuallyEncoded, segs);
    quillon_test::ExpectOwned(3);
    CloseLabel();
}

}  // namespace
