// The label lifecycle through the exported functions: whole forms against
// golden/forms.txt (each rendered twice, which must give the same text), and
// the state the functions leave: no label open, a failed CreateLabel, a
// label replaced or closed, and the lists every object adds to. And what a
// label leaves behind for the next one: each thread reuses the form of its
// last closed label, the objects' parts come from an arena that CloseLabel
// rewinds, and a form keeps its rendering buffer. None of it may show in
// the next label's text, on this thread or another.

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <thread>

#include "../generate/EmitterGolden.h"
#include "ObjectSamples.h"
#include "label/LabelState.h"

namespace {

using quillon_test::Dot;
using quillon_test::Inch;
using quillon_test::MM;

void Label(int language, float perUnit = 203.0f, ScaleEnum unit = Inch) {
    CreateLabel(language, "L1", perUnit, unit);
}

// Forms built the same way in each language, on a label opened at the
// resolution given.
struct Form {
    const char* name;
    void (*add)(int language);
    float perUnit = 203.0f;
    ScaleEnum unit = Inch;
};
const Form kForms[] = {
    // 8 dots/mm is 203.19999 dpi in single precision.
    {"resolution 8 dots/mm", [](int) {}, 8.0f, MM},
    {"resolution 300.9 dpi", [](int) {}, 300.9f},
    {"resolution 0", [](int) {}, 0.0f},
    {"pictures",
     [](int) {
         Picture(10, 20, "A.PNG");
         Picture(-5, -7, "LOGO1");
         Picture(0, 0, "A;B;C");        // only the first two semicolons split
         Picture(3, 4, "TOP\nSECRET");  // the name ends at a line break
         Picture(3, 4, "");             // no name: left out
         Picture(2147483647, -2147483647 - 1, "MAX");
     }},
    {"raw content",
     [](int) {
         Picture(1, 1, "FIRST");
         gpLabel->addRawContent("RAW LINE");
         Picture(2, 2, "SECOND");
     }},
    {"renamed", [](int) { gpLabel->setName("B"); }},
    {"second label replaces the first",
     [](int language) {
         Picture(1, 1, "FIRST LABEL");
         Label(language);
         Picture(2, 2, "SECOND LABEL");
     }},
    {"notices at every rendering",
     [](int) {
         CreateTexts(1, 2, 10, 10, "AB", Dot, FontSizeUnitsEnum::Points, static_cast<FontStyleEnum>(3),
                     AlignEnum::Default, "", RotateEnum::None);
     }},
};

TEST(LabelForms, BothLanguages) {
    std::string actual;
    auto add = [&](const std::string& name) { actual += "== " + name + "\n" + quillon_test::Rendered(); };
    for (int language : {0, 1, 2, -1}) {
        Label(language);
        add("empty, selector " + std::to_string(language));
    }
    for (int language : {0, 1}) {
        const std::string lang = language ? " kesh" : " vorn";
        for (const Form& form : kForms) {
            Label(language, form.perUnit, form.unit);
            form.add(language);
            add(form.name + lang);
        }
    }
    quillon_test::CheckGoldenFile("forms.txt", actual);
}

void ExpectOwned(size_t entries) {
    for (auto* list : {&ObjectsPtr, &ObjRulerPtr, &ObjStartPtr, &ObjEndPtr, &ObjCellSquarePtr,
                       &ObjCellRectPtr, &ObjTextItemPtr})
        EXPECT_EQ(list->size(), entries);
}

TEST(LabelState, NothingWithoutAnOpenLabel) {
    CloseLabel();
    for (int round = 0; round < 2; ++round) {
        for (const auto& add : quillon_test::EveryKindOfObject()) EXPECT_EQ(add(), nullptr);
        std::string text = "unchanged";
        EXPECT_EQ(quillon_test::Thrown<std::logic_error>([&] { LabelToString(text); }), "No label is open.");
        EXPECT_EQ(text, "unchanged");
        ExpectOwned(0);
        Label(0);  // the second round runs after a close
        CloseLabel();
        CloseLabel();
    }
}

TEST(LabelState, InvalidUnitLeavesNoLabel) {
    CreateLabel(0, "OLD", 203.0f, Inch);
    Picture(1, 1, "A");
    for (ScaleEnum unit : {Dot, static_cast<ScaleEnum>(7), static_cast<ScaleEnum>(-1)}) {
        EXPECT_EQ(quillon_test::Thrown<std::invalid_argument>([&] { CreateLabel(1, "NEW", 300.0f, unit); }),
                  "Invalid units.");
        EXPECT_EQ(gpLabel, nullptr);
        EXPECT_EQ(gpPrinterResolution, nullptr);
        EXPECT_EQ(giPrintLanguageTyp, 1);
        EXPECT_EQ(Picture(0, 0, "X"), nullptr);
    }
    ExpectOwned(0);  // nothing can reach the replaced label's parts: they are gone
    CloseLabel();
    ExpectOwned(0);
}

// Every object gains one entry in every list of the form and in every
// owning list, whatever its kind; object 0 is the scale command. What the
// entries hold shows in the golden forms and in Label::placement().
TEST(LabelState, EveryObjectAddsOneEntryToEveryList) {
    CreateLabel(7, "T", 8.0f, MM);
    const auto adders = quillon_test::EveryKindOfObject();
    for (const auto& add : adders) EXPECT_EQ(add(), gpLabel.get());
    const size_t rows = adders.size() + 1;
    const VornForm& form = gpLabel->Form();
#define QUILLON_CHECK_LIST(member, ...) EXPECT_EQ(form.member.size(), rows) << #member;
    QUILLON_FORM_LISTS(QUILLON_CHECK_LIST)
#undef QUILLON_CHECK_LIST
    ExpectOwned(rows);
    EXPECT_EQ(gpLabel->toString(), "");  // the argument-less form renders nothing
    CloseLabel();
}

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
    return quillon_test::Rendered();
}

TEST(LabelReuse, NextLabelStartsClean) {
    for (int language : {0, 1}) {
        const std::string fresh = SmallLabel(language);
        for (int busy : {0, 1}) {
            BuildBusyLabel(busy);
            const VornForm* form = &gpLabel->Form();
            const size_t grown = form->HeapBytes();
            EXPECT_NE(quillon_test::Rendered().find("RAW CONTENT"), std::string::npos);
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
    EXPECT_NE(quillon_test::Rendered().find("PUTPNG,4999,4999,\"P\"\\r\\n\nPRINT 1"), std::string::npos);
    CreateLabel(0, "L1", 203.0f, ScaleEnum::Inch);
    EXPECT_EQ(gpLabel->Form().HeapBytes(), 0u);
    CloseLabel();
}

}  // namespace
