// A whole product label in each language against its golden file: the
// header, the objects in recording order and the trailer together.
// QUILLON_UPDATE_GOLDEN=1 rewrites the files from the current output.
#include <gtest/gtest.h>

#include <string>

#include "EmitterGolden.h"

namespace {

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

TEST(ProductLabel, BothLanguages) {
    EXPECT_EQ(BuildProductLabel(0), quillon_test::Golden("product_label.vorn", BuildProductLabel(0)));
    EXPECT_EQ(BuildProductLabel(1), quillon_test::Golden("product_label.kesh", BuildProductLabel(1)));
}

}  // namespace
