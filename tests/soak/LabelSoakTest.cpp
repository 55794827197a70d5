// Opening, filling, rendering and closing a label many times must give back
// every allocation it made: the objects' parts, the form handed from label
// to label and the rendering buffer are kept by the library, not leaked.

#include <gtest/gtest.h>

#include <string>

#include "Allocations.h"
#include "quillon/quillon.h"

namespace {

#if defined(QUILLON_SOAK_CYCLES)
constexpr int kCycles = QUILLON_SOAK_CYCLES;  // emulated builds run fewer
#elif QUILLON_COUNT_ALLOCATIONS
constexpr int kCycles = 1000000;
#else
constexpr int kCycles = 20000;
#endif

void Cycle(int i, std::string& text) {
    constexpr ScaleEnum Dot = ScaleEnum::Dot;
    CreateLabel(i & 1, "SOAK", 203.0f, ScaleEnum::Inch);
    Picture(i, -i, "SOAK-PICTURE-WITH-A-LONG-NAME");
    Picture(1, 2, "P");
    CreateTexts(20, 20, 10, 10, "SOAK TEXT LONG ENOUGH TO LIVE ON THE HEAP", Dot, FontSizeUnitsEnum::Points,
                FontStyleEnum::Normal, AlignEnum::Default, "", RotateEnum::None);
    CreateTexts(20, 55, 8, 8, "SHORT", Dot, FontSizeUnitsEnum::Points, FontStyleEnum::Normal,
                AlignEnum::Center, "A-DOWNLOADED-FONT-NAME", RotateEnum::ClockWise);
    CreateLines(0, 120, 812, 120, 3, Dot);
    CreateBoxs(10, 130, 802, 250, 4, Dot);
    CreateBarcode1D(40, 600, "1Z999AA10123456784", Dot, 3, 3, 200, BarcodeTypeEnum_1D::Code_128, true,
                    RotateEnum::None, false);
    LabelToString(text);
    CloseLabel();
}

TEST(LabelSoak, AMillionLabelsGiveBackEveryAllocation) {
    std::string text;
    Cycle(0, text);  // the first use sizes the process-wide lists
#if QUILLON_COUNT_ALLOCATIONS
    const long long before = soak::LiveAllocations();
#endif
    for (int i = 0; i < kCycles; ++i) Cycle(i, text);
#if QUILLON_COUNT_ALLOCATIONS
    EXPECT_EQ(soak::LiveAllocations(), before);
#endif
    EXPECT_NE(text.find("~EXECUTE;SOAK"), std::string::npos);
}

}  // namespace
