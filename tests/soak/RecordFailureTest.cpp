// An allocation that fails while an object is recorded leaves the label as
// it was: it renders what was recorded before, and no pointer to the object
// most recently made refers to a part that is gone.
#include <gtest/gtest.h>

#include <functional>
#include <new>
#include <string>
#include <vector>

#include "Allocations.h"
#include "label/LabelState.h"

namespace {

constexpr ScaleEnum Dot = ScaleEnum::Dot;
const auto kNone = RotateEnum::None;

std::vector<void*> Published() {
    return {gpRuler,
            gpCellSquare,
            gpCellRect,
            gpTextType,
            gpLineType,
            gpBoxType,
            gpBarcode1DType,
            gpQRBarcodeType,
            gpPdf417BarcodeType,
            gpDataMatrixBarcodeType,
            gpAztecBarcodeType,
            gpMexiCodeBarcodeType,
            gpRfidWriteType};
}

std::string Render() {
    std::string text;
    LabelToString(text);
    return text;
}

TEST(RecordFailure, LeavesTheLabelAsItWas) {
    if (!QUILLON_COUNT_ALLOCATIONS) GTEST_SKIP() << "the sanitizer owns operator new";
    QRCodeManualSegments segments = {{QRCodeManualEncodingEnum::Numeric, "12345678901234567890"}};
    const std::string text(40, 'T');
    const std::function<void()> adders[] = {
        [&] {
            CreateTexts(1, 2, 10, 10, text, Dot, FontSizeUnitsEnum::Points, FontStyleEnum::Normal,
                        AlignEnum::Default, "SOME FONT NAME", kNone);
        },
        [] { CreateLines(0, 0, 10, 0, 1, Dot); },
        [] { CreateBoxs(0, 0, 10, 10, 1, Dot); },
        [&] {
            CreateBarcode1D(1, 2, text, Dot, 2, 2, 10, BarcodeTypeEnum_1D::Code_128, false, kNone, false);
        },
        [&] {
            CreateQRBarcodes(1, 2, "", Dot, 4, QRCodeMaskEnum::Mask_0, &segments,
                             QRCodeErrorCorrectionEnum::EC_15, QRCodeModelEnum::MODEL_2, kNone);
        },
        [&] { CreatePdf417Bcodes(1, 2, text, Dot, 2, 6, Pdf417ErrCorrectionEnum::LEVEL_2, 0, 0, kNone); },
        [&] { CreateDataMatrixBarcodes(1, 2, text, Dot, 4, kNone, false, "A/r/nB", 13, 10, -1, -1); },
        [&] { CreateAztecBarcodes(1, 2, text, Dot, 4, AztecCodeTypeEnum::Default, -1, -1, kNone); },
        [&] {
            CreateMaxicodeBarcodes(2, MaxicodeModeEnum::MODE_4, "", "", "", text, "", "P", 1, 2, Dot, false,
                                   kNone);
        },
        [&] {
            CreateRfidEncode(1, 2, "ABCDEF", RfidMemBlockEnum::EPC, 0, "", "", RfidPasswordTypeEnum::None,
                             text);
        },
        [&] { Picture(1, 2, text); },
    };
    // A form that grew too large to be kept: the next label gets a fresh one,
    // whose lists must grow for its seventeenth row.
    CreateLabel(0, "HUGE", 203.0f, ScaleEnum::Inch);
    for (int i = 0; i < 5000; ++i) Picture(i, i, "P");
    CloseLabel();
    CreateLabel(0, "F", 203.0f, ScaleEnum::Inch);
    int failures = 0;
    for (int round = 0; round < 2; ++round) {
        for (const auto& add : adders) {
            const std::string before = Render();
            const std::vector<void*> published = Published();
            const size_t objects = gpLabel->Form().ObjectCount();
            for (long long n = 0;; ++n) {
                soak::FailAllocation(n);
                try {
                    add();
                } catch (const std::bad_alloc&) {
                }
                soak::FailAllocation(-1);
                if (!soak::AllocationFailed()) break;
                ++failures;
                ASSERT_EQ(Published(), published) << "object " << objects << ", allocation " << n;
                ASSERT_EQ(gpLabel->Form().ObjectCount(), objects);
                ASSERT_EQ(ObjectsPtr.size(), objects);
                ASSERT_EQ(Render(), before);
            }
            EXPECT_EQ(gpLabel->Form().ObjectCount(), objects + 1);
            EXPECT_NE(Render(), before);
        }
    }
    EXPECT_GT(failures, 20);
    CloseLabel();
}

}  // namespace
