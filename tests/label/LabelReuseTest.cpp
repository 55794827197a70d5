// What a label leaves behind for the next one: each thread reuses the form
// of its last closed label, the objects' parts come from an arena that
// CloseLabel rewinds, and a form keeps its rendering buffer. None of it may
// show in the next label's text, on this thread or another.

#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "../generate/EmitterGolden.h"
#include "label/LabelState.h"

namespace {

constexpr ScaleEnum Dot = ScaleEnum::Dot;
using quillon_test::Rendered;

// More rows than a fresh form holds, long strings, raw content and a KESH
// form told to stay on the printer.
void BuildBusyLabel(int language) {
    CreateLabel(language, "A-MUCH-LONGER-FORM-NAME", 8.0f, ScaleEnum::MM);
    for (int i = 0; i < 40; ++i)
        CreateTexts(1.5f * i, 2, 10, 10, "TEXT NUMBER " + std::to_string(i) + " WITH A LONG TAIL",
                    ScaleEnum::MM, FontSizeUnitsEnum::Points, FontStyleEnum::Normal, AlignEnum::Default,
                    "SOME-DOWNLOADED-FONT", RotateEnum::ClockWise);
    CreateBarcode1D(5, 60, "0123456789012345678901234567890", ScaleEnum::MM, 0.25f, 0.5f, 10,
                    BarcodeTypeEnum_1D::Code_128, true, RotateEnum::Inverted, false);
    gpLabel->addRawContent("RAW CONTENT THAT MUST NOT COME BACK");
    gpLabel->Form().DeleteAfterUse = false;
}

// The label every case ends with: its text must be the same after anything.
std::string SmallLabel(int language) {
    CreateLabel(language, "L1", 203.0f, ScaleEnum::Inch);
    CreateTexts(20, 20, 10, 10, "HELLO", Dot, FontSizeUnitsEnum::Points, FontStyleEnum::Normal,
                AlignEnum::Default, "", RotateEnum::None);
    CreateLines(0, 120, 812, 120, 3, Dot);
    return Rendered();
}

TEST(LabelReuse, NextLabelStartsClean) {
    for (int language : {0, 1}) {
        const std::string fresh = SmallLabel(language);
        for (int busy : {0, 1}) {
            BuildBusyLabel(busy);
            const VornForm* form = &gpLabel->Form();
            const size_t grown = form->HeapBytes();
            EXPECT_NE(Rendered().find("RAW CONTENT"), std::string::npos);
            CreateLabel(language, "L1", 203.0f, ScaleEnum::Inch);
            // The same form with the lists it grew, emptied.
            EXPECT_EQ(&gpLabel->Form(), form);
            EXPECT_EQ(gpLabel->Form().HeapBytes(), grown);
            EXPECT_EQ(gpLabel->Form().ObjectCount(), 1u);
            CloseLabel();
            EXPECT_EQ(SmallLabel(language), fresh) << busy << " then " << language;
        }
        // Built on other threads, closed on this one or another.
        std::string onThread;
        std::thread([&] {
            BuildBusyLabel(language);
            CloseLabel();
            onThread = SmallLabel(language);
        }).join();
        EXPECT_EQ(onThread, fresh);
        BuildBusyLabel(language);
        std::thread([] { CloseLabel(); }).join();
        EXPECT_EQ(SmallLabel(language), fresh);
    }
}

TEST(LabelReuse, HugeFormIsNotKept) {
    CreateLabel(0, "HUGE", 203.0f, ScaleEnum::Inch);
    for (int i = 0; i < 5000; ++i) Picture(i, i, "P");
    ASSERT_GT(gpLabel->Form().HeapBytes(), quillon::kKeptFormHeapBytes);
    EXPECT_NE(Rendered().find("PUTPNG,4999,4999,\"P\"\\r\\n\nPRINT 1"), std::string::npos);
    CreateLabel(0, "L1", 203.0f, ScaleEnum::Inch);
    EXPECT_EQ(gpLabel->Form().HeapBytes(), 0u);
    CloseLabel();
}

}  // namespace
