// The recorder on its own: what no label can reach through the adding
// functions. Alignment, copies, kept capacity and the segment list are
// pinned through the label functions in tests/label and the golden files.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "form/VornForm.h"

namespace {

// A list appended on its own no longer lines up with the others: rendering
// throws and leaves the caller's string alone.
TEST(FormRecorder, MisalignedListsDoNotRender) {
    PrintResolution res(203.0f, ScaleEnum::Inch);
    VornForm form("F", &res);
    quillon::FormRow row;
    row.VornObjType = quillon::kObjPicture;
    row.VornobjPutBmpStr = "1;2;P";
    form.AddRow(std::move(row));
    form.AddVornObject(nullptr);
    std::string text = "previous";
    EXPECT_THROW(form.GetAsString(text), std::out_of_range);
    EXPECT_EQ(text, "previous");
    VornForm empty("F", &res);
    empty.GetAsString(text);
    EXPECT_EQ(text, "");
}

}  // namespace
