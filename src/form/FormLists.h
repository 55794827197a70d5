#ifndef QUILLON_FORM_FORMLISTS_H
#define QUILLON_FORM_FORMLISTS_H

// The recorder keeps every object of a label as one entry in each of these
// parallel attribute lists. This table is the only place they are written
// down: the lists, the recorder's adders, the facade's forwarders and the
// filler row are all generated from it.
//
// X(member, element type, recorder adder, facade forwarder, filler value, object-0 value)
//
// The filler is what an adding function records for an attribute its kind
// does not have; object 0 is the label's own scale command. The QR segment
// list is not per object and comes separately (QUILLON_FORM_QR_SEGMENTS).
#define QUILLON_FORM_LISTS(X)                                                                               \
    X(VornObjPrintLanguageTyp, int, AddVornObjPrintLanguageTyp, AddVornObjPrintLanguageTyp, 0, 0)           \
    X(VornObjects, void*, AddVornObject, addObject, nullptr, nullptr)                                       \
    X(VornObjType, int, AddVornObjTyp, addObjTyp, 0, 0)                                                     \
    X(VornObjRuler, IRuler*, AddVornObjRuler, addObjRuler, nullptr, nullptr)                                \
    X(VornObjstart, IPoint*, AddVornObjStart, addObjStart, nullptr, nullptr)                                \
    X(VornObjend, IPoint*, AddVornObjEnd, addObjEnd, nullptr, nullptr)                                      \
    X(VornobjlineThicknessDots, float, AddVornObjLineThicknessDots, addObjlineThicknessDots, -1.0f, -1.0f)  \
    X(VornObjCellSquare, CellSquare*, AddVornObjCellSquare, addObjCellSquare, nullptr, nullptr)             \
    X(VornObjRotation, int, AddVornObjRotation, addObjRotation, -1, 0)                                      \
    X(VornObjCellRect, CellRect*, AddVornObjCellRect, AddVornObjCellRect, nullptr, nullptr)                 \
    X(VornobjMaxicodeModeEnum, int, AddVornObjMaxicodeModeEnum, addObjMaxicodeModeEnum, -1, -1)             \
    X(VornobjMaxicodeTyp, int, AddVornobjMaxicodeTyp, addVornobjMaxicodeTyp, -1, -1)                        \
    X(VornobjMaxicodepostalCode, quillon::FormText, AddVornobjMaxicodepostalCode,                           \
      AddVornobjMaxicodepostalCode, {}, {})                                                                 \
    X(VornobjMaxicodecountryCode, quillon::FormText, AddVornobjMaxicodecountrycode,                         \
      AddVornobjMaxicodecountrycode, {}, {})                                                                \
    X(VornobjMaxicodeserviceClass, quillon::FormText, AddVornobjMaxicodeserviceClass,                       \
      AddVornobjMaxicodeserviceClass, {}, {})                                                               \
    X(VornobjMaxicoderemainingMsg, quillon::FormText, AddVornobjMaxicoderemainingMsg,                       \
      AddVornobjMaxicoderemainingMsg, {}, {})                                                               \
    X(VornobjMaxicodeyear, quillon::FormText, AddVornobjMaxicodeyear, AddVornobjMaxicodeyear, {}, {})       \
    X(VornobjMaxicodeprimaryMsg, quillon::FormText, AddVornobjMaxicodeprimaryMsg,                           \
      AddVornobjMaxicodeprimaryMsg, {}, {})                                                                 \
    X(VornobjMaxicodeZipperPattern, bool, AddVornobjMaxicodeZipperPattern, AddVornobjMaxicodeZipperPattern, \
      false, false)                                                                                         \
    X(VornobjAztecContent, quillon::FormText, AddVornobjAztecContent, AddVornobjAztecContent, {}, {})       \
    X(VornobjAztecXdim, float, AddVornobjAztecXdim, AddVornobjAztecXdim, -1.0f, -1.0f)                      \
    X(VornobjAztecCodeTyp, int, AddVornobjAztecCodeTyp, AddVornobjAztecCodeTyp, -1, -1)                     \
    X(VornobjAztecFixedErrCorrection, int, AddVornobjAztecFixedErrCorrection,                               \
      AddVornobjAztecFixedErrCorrection, -1, -1)                                                            \
    X(VornobjAztecLayers, int, AddVornobjAztecLayers, AddVornobjAztecLayers, -1, -1)                        \
    X(VornobjQRCodeMask, int, AddVornobjQRCodeMask, AddVornobjQRCodeMask, -1, -1)                           \
    X(VornobjQRCodeErrEnum, int, AddVornobjQRCodeErrEnum, AddVornobjQRCodeErrEnum, -1, -1)                  \
    X(VornobjQRCodeModelEnum, int, AddVornobjQRCodeModelEnum, AddVornobjQRCodeModelEnum, -1, -1)            \
    X(VornobjRfiDa32BitField, unsigned int, AddVornobjRfiDa32BitField, AddVornobjRfiDa32BitField, ~0u, ~0u) \
    X(VornobjRfiDa16BitField, unsigned int, AddVornobjRfiDa16BitField, AddVornobjRfiDa16BitField, ~0u, ~0u) \
    X(VornobjRfiDa6CharAsciiString, quillon::FormText, AddVornobjRfiDa6CharAsciiString,                     \
      AddVornobjRfiDa6CharAsciiString, {}, {})                                                              \
    X(VornobjRfiDMemBlock, int, AddVornobjRfiDMemBlock, AddVornobjRfiDMemBlock, -1, -1)                     \
    X(VornobjRfiDiOffsetFromStart, int, AddVornobjRfiDiOffsetFromStart, AddVornobjRfiDiOffsetFromStart, -1, \
      -1)                                                                                                   \
    X(VornobjRfiD_10BytesUserData, quillon::FormText, AddVornobjRfiD_10BytesUserData,                       \
      AddVornobjRfiD_10BytesUserData, {}, {})                                                               \
    X(VornobjRfiD_4BytesHexUserData, quillon::FormText, AddVornobjRfiD_4BytesHexUserData,                   \
      AddVornobjRfiD_4BytesHexUserData, {}, {})                                                             \
    X(VornobjRfiDpassWord, int, AddVornobjRfiDpassWord, AddVornobjRfiDpassWord, -1, -1)                     \
    X(VornobjRfiDpassWordstr, quillon::FormText, AddVornobjRfiDpassWordstr, AddVornobjRfiDpassWordstr, {},  \
      {})                                                                                                   \
    X(VornobjPDF417Ydim, float, AddVornobjPDF417Ydim, AddVornobjPDF417Ydim, -1.0f, -1.0f)                   \
    X(VornobjPDF417row, int, AddVornobjPDF417row, AddVornobjPDF417row, 0, -1)                               \
    X(VornobjPDF417col, int, AddVornobjPDF417col, AddVornobjPDF417col, 0, -1)                               \
    X(VornobjDataMatrixUseRectangle, bool, AddVornobjDataMatrixUseRectangle,                                \
      AddVornobjDataMatrixUseRectangle, false, false)                                                       \
    X(VornobjDataMatrixMultiLine, quillon::FormText, AddVornobjDataMatrixMultiLine,                         \
      AddVornobjDataMatrixMultiLine, {}, {})                                                                \
    X(VornobjDataMatrixCtrlChar1, char, AddVornobjDataMatrixCtrlChar1, AddVornobjDataMatrixCtrlChar1, 0, 0) \
    X(VornobjDataMatrixCtrlChar2, char, AddVornobjDataMatrixCtrlChar2, AddVornobjDataMatrixCtrlChar2, 0, 0) \
    X(VornobjDataMatrixAllStr, quillon::FormText, AddVornobjDataMatrixAllStr, AddVornobjDataMatrixAllStr,   \
      {}, {})                                                                                               \
    X(VornobjTextItem, TextItem*, AddVornobjTextItem, AddVornobjTextItem, nullptr, nullptr)                 \
    X(VornobjFontSizeUnit, int, AddVornobjFontSizeUnit, AddVornobjFontSizeUnit, -1, -1)                     \
    X(VornobjFontStyle, int, AddVornobjFontStyle, AddVornobjFontStyle, -1, -1)                              \
    X(VornobjAlignment, int, AddVornobjAlignment, AddVornobjAlignment, -1, -1)                              \
    X(VornobjfontName, quillon::FormText, AddVornobjfontName, AddVornobjfontName, {}, {})                   \
    X(VornobjFontSizeX, float, AddVornobjFontSizeX, AddVornobjFontSizeX, -1.0f, -1.0f)                      \
    X(VornobjFontSizeY, float, AddVornobjFontSizeY, AddVornobjFontSizeY, -1.0f, -1.0f)                      \
    X(VornobjPutBmpStr, quillon::FormText, AddVornobjPutBmpStr, AddVornobjPutBmpStr, {}, {})                \
    X(VornobjNarrowBar, float, AddVornobjNarrowBar, AddVornobjNarrowBar, -1.0f, -1.0f)                      \
    X(VornobjWideBar, float, AddVornobjWideBar, AddVornobjWideBar, -1.0f, -1.0f)                            \
    X(VornobjBcdTyp, int, AddVornobjBcdTyp, AddVornobjBcdTyp, -1, -1)                                       \
    X(VornobjPrintHumanReadable, bool, AddVornobjPrintHumanReadable, AddVornobjPrintHumanReadable, false,   \
      false)                                                                                                \
    X(VornobjHeight, float, AddVornobjHeight, AddVornobjHeight, -1.0f, -1.0f)                               \
    X(VornobjPdfLocTop, bool, AddVornobjPdfLocTop, AddVornobjPdfLocTop, false, false)

// The label-wide QR segment list: (member, recorder adder, facade forwarder).
#define QUILLON_FORM_QR_SEGMENTS(X)                                          \
    X(VornobjQRCodedataManuallyEncoded, AddVornobjQRCodedataManuallyEncoded, \
      AddVornobjQRCodedataManuallyEncoded)

#endif
