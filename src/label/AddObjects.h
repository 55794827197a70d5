#ifndef QUILLON_LABEL_ADDOBJECTS_H
#define QUILLON_LABEL_ADDOBJECTS_H

// The adding steps behind both label interfaces: each builds the parts of one
// object and records it on `target`, with the parameters of the exported
// function of the same kind and their meaning. Nothing is checked here; the
// emitters decide when the label is rendered.

#include <string>

#include "label/LabelState.h"
#include "quillon/Label.h"

namespace quillon {

Recorded AddText(const LabelTarget& target, float x_start, float y_start, float fontsize_x, float fontsize_y,
                 const std::string& data, ScaleEnum scale, FontSizeUnitsEnum FontSizeUnit,
                 FontStyleEnum FontStyle, AlignEnum Alignment, const std::string& fontName,
                 RotateEnum rotation);
Recorded AddLine(const LabelTarget& target, float start_x, float start_y, float end_x, float end_y,
                 float lineThickness, ScaleEnum scale);
Recorded AddBox(const LabelTarget& target, float start_x, float start_y, float end_x, float end_y,
                float lineThickness, ScaleEnum scale);
Recorded AddBarcode1D(const LabelTarget& target, float start_x, float start_y, const std::string& content,
                      ScaleEnum scale, float narrowBar, float wideBar, float Height,
                      BarcodeTypeEnum_1D BcdTyp, bool PrintHumanReadable, RotateEnum rotation,
                      bool PdfLocTop);
Recorded AddPicture(const LabelTarget& target, int x, int y, const std::string& strFilePath);
Recorded AddQRCode(const LabelTarget& target, float start_x, float start_y, const std::string& content,
                   ScaleEnum scale, float xdim, QRCodeMaskEnum Mask,
                   const QRCodeManualSegments* dataManuallyEncoded, QRCodeErrorCorrectionEnum errEnum,
                   QRCodeModelEnum modelEnum, RotateEnum rotation);
Recorded AddPdf417(const LabelTarget& target, float start_x, float start_y, const std::string& content,
                   ScaleEnum scale, float xdim, float ydim, Pdf417ErrCorrectionEnum ErrorCorrection, int row,
                   int col, RotateEnum rotation);
Recorded AddDataMatrix(const LabelTarget& target, float start_x, float start_y, const std::string& content,
                       ScaleEnum scale, float xdim, RotateEnum Rotation, bool UseRectangle,
                       const std::string& MatrixMultiLine, char CtrlChar1, char CtrlChar2, int row, int col);
Recorded AddAztec(const LabelTarget& target, float start_x, float start_y, const std::string& content,
                  ScaleEnum scale, float xdim, AztecCodeTypeEnum CodeType, int iFixedErrCorrection,
                  int iLayers, RotateEnum rotation);
Recorded AddMaxicode(const LabelTarget& target, int iMaxicodeTyp, MaxicodeModeEnum mode,
                     const std::string& postalCode, const std::string& countryCode,
                     const std::string& serviceClass, const std::string& remainingMsg,
                     const std::string& year, const std::string& primaryMsg, float start_x, float start_y,
                     ScaleEnum scale, bool ZipperPattern, RotateEnum rotation);
Recorded AddRfid(const LabelTarget& target, unsigned int a32BitField, unsigned int a16BitField,
                 const std::string& a6CharAsciiString, RfidMemBlockEnum MemBlock, int iOffsetFromStart,
                 const std::string& _10BytesUserData, const std::string& _4BytesHexUserData,
                 RfidPasswordTypeEnum PasswordEnum, const std::string& Password);

}  // namespace quillon

#endif
