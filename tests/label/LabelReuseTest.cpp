// What a label leaves behind for the next one: each thread reuses the form
// of its last closed label, the objects' parts come from an arena that
// CloseLabel rewinds, and the rendered text passes through a buffer the
// thread keeps. None of it may show in the next label's text.

#include <gtest/gtest.h>

#include <list>
#include <string>
#include <thread>

#include "label/LabelState.h"
#include "model/IText.h"
#include "quillon/quillon.h"

namespace {

constexpr ScaleEnum Dot = ScaleEnum::Dot;

std::string Render() {
    std::string out;
    LabelToString(out);
    return out;
}

// A label that leaves every kind of state behind: more rows than a fresh
// form holds, long strings, QR-free objects of each shape kind, a KESH
// form told to keep itself on the printer.
void BuildBusyLabel(int language) {
    CreateLabel(language, "A-MUCH-LONGER-FORM-NAME", 8.0f, ScaleEnum::MM);
    for (int i = 0; i < 40; ++i)
        CreateTexts(1.5f * i, 2, 10, 10, "TEXT NUMBER " + std::to_string(i) + " WITH A LONG TAIL",
                    ScaleEnum::MM, FontSizeUnitsEnum::Points, FontStyleEnum::Normal, AlignEnum::Default,
                    "SOME-DOWNLOADED-FONT", RotateEnum::ClockWise);
    CreateLines(0, 1, 50, 1, 0.5f, ScaleEnum::MM);
    CreateBoxs(1, 1, 40, 40, 1, ScaleEnum::MM);
    CreateBarcode1D(5, 60, "0123456789012345678901234567890", ScaleEnum::MM, 0.25f, 0.5f, 10,
                    BarcodeTypeEnum_1D::Code_128, true, RotateEnum::Inverted, false);
    gpLabel->addRawContent("RAW CONTENT THAT MUST NOT COME BACK");
    gpLabel->Form().DeleteAfterUse = false;
}

// The small label every case ends with, and its text in each language.
void BuildSmallLabel(int language) {
    CreateLabel(language, "L1", 203.0f, ScaleEnum::Inch);
    CreateTexts(20, 20, 10, 10, "HELLO", Dot, FontSizeUnitsEnum::Points, FontStyleEnum::Normal,
                AlignEnum::Default, "", RotateEnum::None);
    CreateLines(0, 120, 812, 120, 3, Dot);
}

const std::string kSmallVorn =
    "REM L1 FORM BEGIN\r\nCLS\r\nDPI = 203\r\nFONT$ = \"1\"\r\nFH = 8\r\nFV = 12\r\n"
    "REM SCALE 203,203\r\n"
    "FONT$ = \"0\"\r\nTEXT 20,(20-INT(10*DPI/72*0.79)),FONT$,0,10,10,\"HELLO\"\r\n"
    "DIAGONAL 0,120,812,120,3\r\n"
    "PRINT 1\r\nREM L1 FORM END\r\n";

const std::string kSmallKesh =
    "~CREATE;L1;X\r\nSCALE;DOT;203;203\r\n"
    "FONT;NAME 93779.sf\r\nALPHA\r\nPOINT;20;20;10;10;*HELLO*\r\nSTOP\r\n"
    "HORZ\r\n3;120;0;812\r\nSTOP\r\n"
    "\r\nEND\r\n~EXECUTE;L1\r\n~NORMAL\r\n~DELETE FORM;L1\r\n";

const std::string& Expected(int language) {
    return language == 1 ? kSmallKesh : kSmallVorn;
}

class LabelReuseTest : public ::testing::Test {
  protected:
    void TearDown() override { CloseLabel(); }
};

TEST_F(LabelReuseTest, NextLabelOnTheThreadStartsClean) {
    struct Row {
        const char* name;
        int busyLanguage;  // -1: no label before
        int language;
    };
    const Row rows[] = {
        {"first label", -1, 0}, {"first label, KESH", -1, 1}, {"after VORN", 0, 0},
        {"after KESH", 1, 1},   {"VORN after KESH", 1, 0},    {"KESH after VORN", 0, 1},
    };
    for (const Row& row : rows) {
        if (row.busyLanguage >= 0) {
            BuildBusyLabel(row.busyLanguage);
            EXPECT_NE(Render().find("RAW CONTENT"), std::string::npos) << row.name;
            CloseLabel();
        }
        BuildSmallLabel(row.language);
        EXPECT_EQ(Render(), Expected(row.language)) << row.name;
        CloseLabel();
    }
}

TEST_F(LabelReuseTest, ClosedLabelHandsItsFormToTheNextLabel) {
    BuildBusyLabel(0);
    const VornForm* busy = &gpLabel->Form();
    const size_t grown = busy->HeapBytes();
    CloseLabel();
    BuildSmallLabel(0);
    // The same form with the lists it grew (a fresh form has far fewer).
    EXPECT_EQ(&gpLabel->Form(), busy);
    EXPECT_EQ(gpLabel->Form().HeapBytes(), grown);
    EXPECT_EQ(gpLabel->Form().ObjectCount(), 3u);
}

TEST_F(LabelReuseTest, HugeFormIsNotKept) {
    CreateLabel(0, "HUGE", 203.0f, ScaleEnum::Inch);
    for (int i = 0; i < 5000; ++i) Picture(i, i, "P");
    ASSERT_GT(gpLabel->Form().HeapBytes(), quillon::kKeptFormHeapBytes);
    EXPECT_NE(Render().find("PUTPNG,4999,4999,\"P\"\r\nPRINT 1"), std::string::npos);
    CloseLabel();
    BuildSmallLabel(0);
    EXPECT_EQ(gpLabel->Form().HeapBytes(), 0u);
    EXPECT_EQ(Render(), kSmallVorn);
}

// The part arena and the form keep their own copies of the texts: they
// outlive the caller's string, and a label larger than an arena's inline
// block spills into heap blocks without disturbing what was placed before.
TEST_F(LabelReuseTest, TextItemsKeepTheirDataUntilClose) {
    for (int round = 0; round < 2; ++round) {
        CreateLabel(round, "T", 203.0f, ScaleEnum::Inch);
        std::list<ITextItem*> items;
        for (int i = 0; i < 600; ++i) {
            CreateTexts(1, 2, 3, 4,
                        "DATA " + std::to_string(round) + "-" + std::to_string(i) + " PADDED TO BE LONG", Dot,
                        FontSizeUnitsEnum::Points, FontStyleEnum::Normal, AlignEnum::Default, "",
                        RotateEnum::None);
            items.push_back(gpTextType->getText().front());
        }
        int i = 0;
        for (ITextItem* item : items) {
            EXPECT_EQ(item->getData(),
                      "DATA " + std::to_string(round) + "-" + std::to_string(i) + " PADDED TO BE LONG");
            ++i;
        }
        const std::string text = Render();
        for (int k : {0, 599})
            EXPECT_NE(
                text.find("DATA " + std::to_string(round) + "-" + std::to_string(k) + " PADDED TO BE LONG"),
                std::string::npos);
        CloseLabel();
    }
}

TEST_F(LabelReuseTest, OtherThreadsRenderTheSameText) {
    for (int language : {0, 1}) {
        std::string onThread;
        std::thread([&] {
            BuildBusyLabel(language);
            CloseLabel();
            BuildSmallLabel(language);
            onThread = Render();
            CloseLabel();
        }).join();
        EXPECT_EQ(onThread, Expected(language)) << language;

        // Opened here, closed on another thread: that thread keeps the form
        // until it ends, and this thread builds its next label on its own.
        BuildBusyLabel(language);
        std::thread([] { CloseLabel(); }).join();
        BuildSmallLabel(language);
        EXPECT_EQ(Render(), Expected(language)) << language;
        CloseLabel();
    }
}

}  // namespace
