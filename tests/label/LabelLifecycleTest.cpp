// The label lifecycle through the exported functions: whole forms against
// golden/forms.txt (each rendered twice, which must give the same text), and
// the state the functions leave: no label open, a failed CreateLabel, a
// label replaced or closed, and the lists every object adds to.

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

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

// Forms built the same way in each language.
const std::pair<const char*, void (*)(int)> kForms[] = {
    // 8 dots/mm is 203.19999 dpi in single precision.
    {"resolution 8 dots/mm", [](int language) { Label(language, 8.0f, MM); }},
    {"resolution 300.9 dpi", [](int language) { Label(language, 300.9f, Inch); }},
    {"resolution 0", [](int language) { Label(language, 0.0f, Inch); }},
    {"pictures",
     [](int language) {
         Label(language);
         Picture(10, 20, "A.PNG");
         Picture(-5, -7, "LOGO1");
         Picture(0, 0, "A;B;C");        // only the first two semicolons split
         Picture(3, 4, "TOP\nSECRET");  // the name ends at a line break
         Picture(3, 4, "");             // no name: left out
         Picture(2147483647, -2147483647 - 1, "MAX");
     }},
    {"raw content",
     [](int language) {
         Label(language);
         Picture(1, 1, "FIRST");
         gpLabel->addRawContent("RAW LINE");
         Picture(2, 2, "SECOND");
     }},
    {"renamed",
     [](int language) {
         Label(language);
         gpLabel->setName("B");
     }},
    {"second label replaces the first",
     [](int language) {
         Label(language);
         Picture(1, 1, "FIRST LABEL");
         Label(language);
         Picture(2, 2, "SECOND LABEL");
     }},
    {"notices at every rendering",
     [](int language) {
         Label(language);
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
        for (const auto& [name, build] : kForms) {
            build(language);
            add(name + lang);
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

}  // namespace
