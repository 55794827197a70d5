// The label lifecycle through the exported functions: empty forms, the
// resolution and language rules, replacing and closing labels, pictures,
// raw content and the behaviour with no label open.

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "label/LabelState.h"
#include "quillon/quillon.h"

namespace {

std::string Render() {
    std::string out;
    LabelToString(out);
    return out;
}

class LabelTest : public ::testing::Test {
  protected:
    void TearDown() override { CloseLabel(); }
};

const std::string kEmptyVorn =
    "REM L1 FORM BEGIN\r\n"
    "CLS\r\n"
    "DPI = 203\r\n"
    "FONT$ = \"1\"\r\n"
    "FH = 8\r\n"
    "FV = 12\r\n"
    "REM SCALE 203,203\r\n"
    "PRINT 1\r\n"
    "REM L1 FORM END\r\n";

const std::string kEmptyKesh =
    "~CREATE;L1;X\r\n"
    "SCALE;DOT;203;203\r\n"
    "\r\n"
    "END\r\n"
    "~EXECUTE;L1\r\n"
    "~NORMAL\r\n"
    "~DELETE FORM;L1\r\n";

TEST_F(LabelTest, EmptyFormsInBothLanguages) {
    CreateLabel(0, "L1", 203.0f, ScaleEnum::Inch);
    EXPECT_EQ(Render(), kEmptyVorn);
    CreateLabel(1, "L1", 203.0f, ScaleEnum::Inch);
    EXPECT_EQ(Render(), kEmptyKesh);
}

TEST_F(LabelTest, OnlySelectorOneChoosesKesh) {
    for (int selector : {0, 2, 7, -1, -5, 1000}) {
        CreateLabel(selector, "L1", 203.0f, ScaleEnum::Inch);
        EXPECT_EQ(Render(), kEmptyVorn) << "selector " << selector;
    }
}

TEST_F(LabelTest, ResolutionIsTruncatedDotsPerInch) {
    struct Row {
        float dotsPerUnit;
        ScaleEnum unit;
        const char* vornLines;  // DPI line .. scale line
        const char* keshScale;
    };
    const Row rows[] = {
        // 8 dots/mm is 203.19999 dpi in single precision.
        {8.0f, ScaleEnum::MM, "DPI = 203\r\nFONT$ = \"1\"\r\nFH = 8\r\nFV = 12\r\nREM SCALE 203,203\r\n",
         "SCALE;DOT;203;203\r\n"},
        {12.0f, ScaleEnum::MM, "DPI = 304\r\nFONT$ = \"1\"\r\nFH = 8\r\nFV = 12\r\nREM SCALE 304,304\r\n",
         "SCALE;DOT;304;304\r\n"},
        {300.9f, ScaleEnum::Inch, "DPI = 300\r\nFONT$ = \"1\"\r\nFH = 8\r\nFV = 12\r\nREM SCALE 300,300\r\n",
         "SCALE;DOT;300;300\r\n"},
        {600.0f, ScaleEnum::Inch, "DPI = 600\r\nFONT$ = \"1\"\r\nFH = 8\r\nFV = 12\r\nREM SCALE 600,600\r\n",
         "SCALE;DOT;600;600\r\n"},
        {0.0f, ScaleEnum::Inch, "DPI = 0\r\nFONT$ = \"1\"\r\nFH = 8\r\nFV = 12\r\nREM SCALE 0,0\r\n",
         "SCALE;DOT;0;0\r\n"},
    };
    for (const Row& row : rows) {
        CreateLabel(0, "R", row.dotsPerUnit, row.unit);
        EXPECT_EQ(Render(), std::string("REM R FORM BEGIN\r\nCLS\r\n") + row.vornLines +
                                "PRINT 1\r\nREM R FORM END\r\n")
            << row.dotsPerUnit;
        CreateLabel(1, "R", row.dotsPerUnit, row.unit);
        EXPECT_EQ(Render(), std::string("~CREATE;R;X\r\n") + row.keshScale +
                                "\r\nEND\r\n~EXECUTE;R\r\n~NORMAL\r\n~DELETE FORM;R\r\n")
            << row.dotsPerUnit;
    }
}

TEST_F(LabelTest, RenderingTwiceGivesTheSameText) {
    for (int language : {0, 1}) {
        CreateLabel(language, "L1", 203.0f, ScaleEnum::Inch);
        Picture(1, 2, "P");
        const std::string first = Render();
        EXPECT_EQ(Render(), first);
        EXPECT_EQ(Render(), first);
    }
}

TEST_F(LabelTest, InvalidUnitThrowsAndLeavesNoLabel) {
    CreateLabel(0, "OLD", 203.0f, ScaleEnum::Inch);
    Picture(1, 1, "A");
    for (ScaleEnum unit : {ScaleEnum::Dot, static_cast<ScaleEnum>(7), static_cast<ScaleEnum>(-1)}) {
        try {
            CreateLabel(1, "NEW", 300.0f, unit);
            ADD_FAILURE() << "no exception";
        } catch (const std::invalid_argument& e) {
            EXPECT_STREQ(e.what(), "Invalid units.");
        }
        EXPECT_EQ(gpLabel, nullptr);
        EXPECT_EQ(gpPrinterResolution, nullptr);
        EXPECT_EQ(giPrintLanguageTyp, 1);
        EXPECT_EQ(Picture(0, 0, "X"), nullptr);
    }
    // The first label's two entries stay owned until CloseLabel.
    EXPECT_EQ(ObjectsPtr.size(), 2u);
}

TEST_F(LabelTest, NoLabelOpen) {
    std::string text = "unchanged";
    EXPECT_EQ(Picture(1, 2, "P"), nullptr);
    EXPECT_THROW(LabelToString(text), std::logic_error);
    try {
        LabelToString(text);
    } catch (const std::logic_error& e) {
        EXPECT_STREQ(e.what(), "No label is open.");
    }
    EXPECT_EQ(text, "unchanged");
    EXPECT_TRUE(ObjectsPtr.empty());

    CreateLabel(0, "L1", 203.0f, ScaleEnum::Inch);
    CloseLabel();
    EXPECT_EQ(Picture(1, 2, "P"), nullptr);
    EXPECT_THROW(LabelToString(text), std::logic_error);
}

TEST_F(LabelTest, CloseWithoutLabelOrTwiceChangesNothing) {
    CloseLabel();
    CloseLabel();
    EXPECT_EQ(gpLabel, nullptr);
    CreateLabel(0, "L1", 203.0f, ScaleEnum::Inch);
    CloseLabel();
    CloseLabel();
    EXPECT_EQ(gpLabel, nullptr);
    EXPECT_EQ(gpPrinterResolution, nullptr);
    for (auto* list : {&ObjectsPtr, &ObjRulerPtr, &ObjStartPtr, &ObjEndPtr, &ObjCellSquarePtr,
                       &ObjCellRectPtr, &ObjTextItemPtr})
        EXPECT_TRUE(list->empty());
}

TEST_F(LabelTest, SecondCreateLabelReplacesTheFirst) {
    CreateLabel(0, "FIRST", 203.0f, ScaleEnum::Inch);
    void* first = Picture(1, 1, "A");
    Picture(2, 2, "B");
    CreateLabel(0, "L1", 203.0f, ScaleEnum::Inch);
    EXPECT_NE(first, nullptr);
    // Only the second label renders; the first one's entries stay owned.
    EXPECT_EQ(Render(), kEmptyVorn);
    for (auto* list : {&ObjectsPtr, &ObjRulerPtr, &ObjStartPtr, &ObjEndPtr, &ObjCellSquarePtr,
                       &ObjCellRectPtr, &ObjTextItemPtr})
        EXPECT_EQ(list->size(), 4u);
    CloseLabel();
    EXPECT_TRUE(ObjectsPtr.empty());
}

TEST_F(LabelTest, AddingReturnsTheLabelHandle) {
    CreateLabel(0, "L1", 203.0f, ScaleEnum::Inch);
    EXPECT_EQ(Picture(1, 2, "P"), gpLabel.get());
    EXPECT_EQ(gpLabel->Form().ObjectCount(), 2u);
    for (auto* list : {&ObjectsPtr, &ObjRulerPtr, &ObjStartPtr, &ObjEndPtr, &ObjCellSquarePtr,
                       &ObjCellRectPtr, &ObjTextItemPtr})
        EXPECT_EQ(list->size(), 2u);
}

TEST_F(LabelTest, Pictures) {
    struct Row {
        int x, y;
        const char* name;
        const char* vorn;  // text between the scale line and PRINT 1
        const char* kesh;  // text between the scale line and the empty line
    };
    const Row rows[] = {
        {10, 20, "A.PNG", "PUTPNG,10,20,\"A.PNG\"\r\n", "LOGO\r\n10;20;A.PNG\r\nSTOP\r\n"},
        {-5, -7, "LOGO1", "PUTPNG,-5,-7,\"LOGO1\"\r\n", "LOGO\r\n-5;-7;LOGO1\r\nSTOP\r\n"},
        // Only the first two semicolons split; the name keeps the rest.
        {0, 0, "A;B;C", "PUTPNG,0,0,\"A;B;C\"\r\n", "LOGO\r\n0;0;A;B;C\r\nSTOP\r\n"},
        // A name ends at the first line break.
        {3, 4, "TOP\nSECRET", "PUTPNG,3,4,\"TOP\"\r\n", "LOGO\r\n3;4;TOP\r\nSTOP\r\n"},
        // No name: the picture is left out.
        {3, 4, "", "", ""},
        {2147483647, -2147483647 - 1, "MAX", "PUTPNG,2147483647,-2147483648,\"MAX\"\r\n",
         "LOGO\r\n2147483647;-2147483648;MAX\r\nSTOP\r\n"},
    };
    for (const Row& row : rows) {
        CreateLabel(0, "L1", 203.0f, ScaleEnum::Inch);
        Picture(row.x, row.y, row.name);
        std::string expected = kEmptyVorn;
        expected.insert(expected.find("PRINT 1"), row.vorn);
        EXPECT_EQ(Render(), expected) << row.name;

        CreateLabel(1, "L1", 203.0f, ScaleEnum::Inch);
        Picture(row.x, row.y, row.name);
        expected = kEmptyKesh;
        expected.insert(expected.find("\r\nEND"), row.kesh);
        EXPECT_EQ(Render(), expected) << row.name;
    }
}

TEST_F(LabelTest, ObjectsRenderInRecordingOrder) {
    CreateLabel(0, "L1", 203.0f, ScaleEnum::Inch);
    Picture(1, 1, "FIRST");
    gpLabel->addRawContent("RAW LINE");
    Picture(2, 2, "SECOND");
    std::string expected = kEmptyVorn;
    expected.insert(expected.find("PRINT 1"),
                    "PUTPNG,1,1,\"FIRST\"\r\n\r\nRAW LINE\r\nPUTPNG,2,2,\"SECOND\"\r\n");
    EXPECT_EQ(Render(), expected);

    CreateLabel(1, "L1", 203.0f, ScaleEnum::Inch);
    Picture(1, 1, "FIRST");
    gpLabel->addRawContent("^RAW");
    Picture(2, 2, "SECOND");
    expected = kEmptyKesh;
    expected.insert(expected.find("\r\nEND"),
                    "LOGO\r\n1;1;FIRST\r\nSTOP\r\n\r\n^RAW\r\nLOGO\r\n2;2;SECOND\r\nSTOP\r\n");
    EXPECT_EQ(Render(), expected);
}

TEST_F(LabelTest, RawContentKeepsTheListsAligned) {
    CreateLabel(0, "L1", 203.0f, ScaleEnum::Inch);
    gpLabel->addRawContent("X");
    Picture(5, 6, "P");
    const VornForm& form = gpLabel->Form();
    EXPECT_EQ(form.VornObjects.size(), 3u);
    EXPECT_EQ(form.VornobjPdfLocTop.size(), 3u);
    EXPECT_EQ(form.VornobjPutBmpStr.at(2), "5;6;P");
    // The owning lists know nothing of raw content, which allocates nothing.
    EXPECT_EQ(ObjectsPtr.size(), 2u);
}

TEST_F(LabelTest, NameChangesHeaderAndTrailer) {
    CreateLabel(1, "A", 203.0f, ScaleEnum::Inch);
    gpLabel->setName("B");
    EXPECT_EQ(gpLabel->getName(), "B");
    EXPECT_EQ(Render(),
              "~CREATE;B;X\r\nSCALE;DOT;203;203\r\n\r\nEND\r\n~EXECUTE;B\r\n~NORMAL\r\n~DELETE FORM;B\r\n");
}

TEST_F(LabelTest, ArgumentlessToStringStaysEmpty) {
    CreateLabel(0, "L1", 203.0f, ScaleEnum::Inch);
    Picture(1, 2, "P");
    EXPECT_EQ(gpLabel->toString(), "");
}

TEST_F(LabelTest, NewLabelRecordsObjectZero) {
    CreateLabel(7, "L1", 8.0f, ScaleEnum::MM);
    const VornForm& form = gpLabel->Form();
    EXPECT_EQ(form.VornObjType.at(0), 0);
    EXPECT_EQ(form.VornObjPrintLanguageTyp.at(0), 7);
    EXPECT_NE(form.VornObjects.at(0), nullptr);
    EXPECT_EQ(form.VornObjRotation.at(0), 0);
    EXPECT_EQ(form.VornobjPDF417row.at(0), -1);
    EXPECT_EQ(form.VornobjRfiDa32BitField.at(0), 0xFFFFFFFFu);
    EXPECT_TRUE(form.VornobjQRCodedataManuallyEncoded.empty());
    // A picture's row holds the fillers of the adding functions.
    Picture(1, 2, "P");
    EXPECT_EQ(form.VornObjRotation.at(1), -1);
    EXPECT_EQ(form.VornobjPDF417row.at(1), 0);
    EXPECT_EQ(form.VornobjPDF417col.at(1), 0);
    EXPECT_EQ(form.VornobjDataMatrixCtrlChar1.at(1), 0);
    EXPECT_FLOAT_EQ(form.VornobjHeight.at(1), -1.0f);
}

}  // namespace
