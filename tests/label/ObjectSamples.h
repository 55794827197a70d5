#ifndef QUILLON_TESTS_LABEL_OBJECTSAMPLES_H
#define QUILLON_TESTS_LABEL_OBJECTSAMPLES_H

#include <functional>
#include <string>
#include <vector>

#include "quillon/Label.h"

namespace quillon_test {

inline std::string Render() {  // the open label's text
    std::string text;
    LabelToString(text);
    return text;
}

// One call of every adding function, with arguments that record an object
// of its kind; the texts are long enough to live on the heap.
inline std::vector<std::function<void*()>> EveryKindOfObject() {
    constexpr ScaleEnum Dot = ScaleEnum::Dot;
    constexpr RotateEnum None = RotateEnum::None;
    static QRCodeManualSegments segments = {{QRCodeManualEncodingEnum::Numeric, "12345678901234567890"}};
    static const std::string text(40, 'T');
    return {
        [] { return Picture(1, 2, text); },
        [] { return CreateLines(0, 0, 10, 0, 1, Dot); },
        [] { return CreateBoxs(0, 0, 10, 10, 1, Dot); },
        [] {
            return CreateTexts(1, 2, 10, 10, text, Dot, FontSizeUnitsEnum::Points, FontStyleEnum::Normal,
                               AlignEnum::Default, "SOME FONT NAME", None);
        },
        [] {
            return CreateBarcode1D(1, 2, text, Dot, 2, 2, 10, BarcodeTypeEnum_1D::Code_128, false, None,
                                   false);
        },
        [] {
            return CreateQRBarcodes(1, 2, "", Dot, 4, QRCodeMaskEnum::Mask_0, &segments,
                                    QRCodeErrorCorrectionEnum::EC_15, QRCodeModelEnum::MODEL_2, None);
        },
        [] {
            return CreatePdf417Bcodes(1, 2, text, Dot, 2, 6, Pdf417ErrCorrectionEnum::LEVEL_2, 0, 0, None);
        },
        [] { return CreateDataMatrixBarcodes(1, 2, text, Dot, 4, None, false, "A/r/nB", 13, 10, -1, -1); },
        [] { return CreateAztecBarcodes(1, 2, text, Dot, 4, AztecCodeTypeEnum::Default, -1, -1, None); },
        [] {
            return CreateMaxicodeBarcodes(2, MaxicodeModeEnum::MODE_4, "", "", "", text, "", "P", 1, 2, Dot,
                                          false, None);
        },
        [] {
            return CreateRfidEncode(1, 2, "ABCDEF", RfidMemBlockEnum::EPC, 0, "", "",
                                    RfidPasswordTypeEnum::None, text);
        },
    };
}

}  // namespace quillon_test

#endif
