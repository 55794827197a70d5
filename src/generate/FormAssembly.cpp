// Turns a label's recorded objects into the complete command text of one
// form: the header of its language, each object's text in recording order,
// the trailer.

#include <algorithm>
#include <stdexcept>

#include "generate/Builders.h"
#include "generate/CommandText.h"
#include "label/Numeric.h"
#include "label/VornForm.h"

namespace {

constexpr int kKesh = 1;

void AppendKeshHeader(std::string& out, const std::string& name) {
    quillon::CommandBuffer line(out);
    line.Put("~CREATE;");
    line.Put(name);
    line.Put(";X\r\n");
    line.Flush();
}

void AppendVornHeader(std::string& out, const std::string& name, IPrintResolution* res) {
    quillon::CommandBuffer line(out);
    line.Put("REM ");
    line.Put(name);
    line.Put(" FORM BEGIN\r\nCLS\r\nDPI = ");
    line.PutInt(quillon::TruncToInt(res->getDotsPerInch()));
    line.Put("\r\nFONT$ = \"1\"\r\nFH = 8\r\nFV = 12\r\n");
    line.Flush();
}

void AppendKeshTrailer(std::string& out, const std::string& name, bool deleteAfterUse) {
    quillon::CommandBuffer line(out);
    line.Put("\r\nEND\r\n~EXECUTE;");
    line.Put(name);
    line.Put("\r\n~NORMAL\r\n");
    if (deleteAfterUse) {
        line.Put("~DELETE FORM;");
        line.Put(name);
        line.Put("\r\n");
    }
    line.Flush();
}

void AppendVornTrailer(std::string& out, const std::string& name) {
    quillon::CommandBuffer line(out);
    line.Put("PRINT 1\r\nREM ");
    line.Put(name);
    line.Put(" FORM END\r\n");
    line.Flush();
}

// A stored picture: "x;y;path" split at the first two semicolons.
void AppendPicture(std::string& out, std::string_view description, bool kesh) {
    int x = 0;
    int y = 0;
    std::string path;
    if (!VornForm::ParsePutbmpInfo(description, x, y, path)) return;
    if (kesh) {
        out += "LOGO\r\n";
        quillon::AppendInt(out, x);
        out += ';';
        quillon::AppendInt(out, y);
        out += ';';
        out += path;
        out += "\r\nSTOP\r\n";
    } else {
        out += "PUTPNG,";
        quillon::AppendInt(out, x);
        out += ',';
        quillon::AppendInt(out, y);
        out += ",\"";
        out += path;
        out += "\"\r\n";
    }
}

}  // namespace

namespace {

// Forms render into a buffer the thread keeps, which is then copied into the
// caller's string: a caller that reuses its string gets each label without
// an allocation. A buffer grown past this size by a huge label is freed
// rather than kept.
constexpr size_t kKeptOutputBytes = 64 * 1024;
thread_local std::string tOutput;

}  // namespace

void VornForm::GetAsString(std::string& strLabel) {
    if (VornObjects.empty()) {
        strLabel.clear();
        return;
    }
    std::string& text = tOutput;
    text.clear();
    text.reserve(256 + 96 * VornObjects.size());

    int language = VornObjPrintLanguageTyp.at(0);
    if (language == kKesh)
        AppendKeshHeader(text, Name);
    else
        AppendVornHeader(text, Name, PrinterResolution);

    // AddRow gives every object an entry in every list; only a list appended
    // on its own can stand out, and a longer object list then ends the
    // rendering at its first object without a row, as reading past the
    // shorter lists would. Within the shortest list, reads need no check.
    size_t rows = VornObjects.size();
#define QUILLON_SHORTEST(member, type, adder, forwarder, filler, object0) \
    rows = std::min(rows, member.size());
    QUILLON_FORM_LISTS(QUILLON_SHORTEST)
#undef QUILLON_SHORTEST

    IPrintResolution* res = PrinterResolution;
    for (size_t i = 0; i < VornObjects.size(); ++i) {
        if (i >= rows) throw std::out_of_range("the form's lists do not line up");
        language = VornObjPrintLanguageTyp[i];
        const bool kesh = language == kKesh;
        switch (VornObjType[i]) {
            case quillon::kObjScale: {
                auto* scale = static_cast<VornLib::Scale*>(VornObjects[i]);
                if (kesh)
                    scale->AppendTo_kesh(text);
                else
                    scale->AppendTo(text);
                break;
            }
            case quillon::kObjText: {
                auto emit = kesh ? &VornForm::GetTextString_kesh : &VornForm::GetTextString;
                (this->*emit)(text, res, VornObjRuler[i], VornObjstart[i], VornobjAztecContent[i],
                              VornobjTextItem[i], VornobjFontSizeUnit[i], VornobjFontStyle[i],
                              VornobjAlignment[i], VornobjfontName[i], VornObjRotation[i],
                              VornobjFontSizeX[i], VornobjFontSizeY[i]);
                break;
            }
            case quillon::kObjLine: {
                auto emit = kesh ? &VornForm::GetLineString_kesh : &VornForm::GetLineString;
                (this->*emit)(text, res, VornObjRuler[i], VornObjstart[i], VornObjend[i],
                              VornobjlineThicknessDots[i]);
                break;
            }
            case quillon::kObjBox: {
                auto emit = kesh ? &VornForm::GetBoxString_kesh : &VornForm::GetBoxString;
                (this->*emit)(text, res, VornObjRuler[i], VornObjstart[i], VornObjend[i],
                              VornobjlineThicknessDots[i]);
                break;
            }
            case quillon::kObjMaxicode: {
                auto emit = kesh ? &VornForm::GetMaxicodeString_kesh : &VornForm::GetMaxicodeString;
                (this->*emit)(
                    text, res, VornObjRuler[i], VornObjstart[i], VornobjMaxicodeTyp[i],
                    VornobjMaxicodeModeEnum[i], VornobjMaxicodepostalCode[i], VornobjMaxicodecountryCode[i],
                    VornobjMaxicodeserviceClass[i], VornobjMaxicoderemainingMsg[i], VornobjMaxicodeyear[i],
                    VornobjMaxicodeprimaryMsg[i], VornobjMaxicodeZipperPattern[i], VornObjRotation[i]);
                break;
            }
            case quillon::kObjPdf417: {
                auto emit = kesh ? &VornForm::GetPDF417_kesh : &VornForm::GetPDF417;
                (this->*emit)(text, res, VornObjRuler[i], VornObjstart[i], VornobjAztecContent[i],
                              VornobjAztecXdim[i], VornobjPDF417Ydim[i], VornobjAztecFixedErrCorrection[i],
                              VornobjPDF417row[i], VornobjPDF417col[i], VornObjRotation[i]);
                break;
            }
            case quillon::kObjDataMatrix: {
                auto emit = kesh ? &VornForm::GetDataMatrixString_kesh : &VornForm::GetDataMatrixString;
                (this->*emit)(text, res, VornObjRuler[i], VornObjstart[i], VornobjAztecContent[i],
                              VornobjAztecXdim[i], VornobjDataMatrixUseRectangle[i],
                              VornobjDataMatrixMultiLine[i], VornobjDataMatrixAllStr[i],
                              VornobjDataMatrixCtrlChar1[i], VornobjDataMatrixCtrlChar2[i],
                              VornobjPDF417row[i], VornobjPDF417col[i], VornObjRotation[i]);
                break;
            }
            case quillon::kObjAztec: {
                auto emit = kesh ? &VornForm::GetAztecBarcodesString_kesh : &VornForm::GetAztecBarcodesString;
                (this->*emit)(text, res, VornObjRuler[i], VornObjstart[i], VornobjAztecContent[i],
                              VornobjAztecXdim[i], VornobjAztecCodeTyp[i], VornobjAztecFixedErrCorrection[i],
                              VornobjAztecLayers[i], VornObjRotation[i]);
                break;
            }
            case quillon::kObjQRCode: {
                auto emit = kesh ? &VornForm::GetQRBarcodesString_kesh : &VornForm::GetQRBarcodesString;
                (this->*emit)(text, res, VornObjRuler[i], VornObjstart[i], VornobjAztecContent[i],
                              VornobjAztecXdim[i], VornobjQRCodeMask[i], VornobjQRCodedataManuallyEncoded,
                              VornobjQRCodeErrEnum[i], VornobjQRCodeModelEnum[i], VornObjRotation[i]);
                break;
            }
            case quillon::kObjRfid: {
                auto emit = kesh ? &VornForm::GetRfidWriteString_kesh : &VornForm::GetRfidWriteString;
                (this->*emit)(text, VornobjRfiDa32BitField[i], VornobjRfiDa16BitField[i],
                              VornobjRfiDa6CharAsciiString[i], VornobjRfiDMemBlock[i],
                              VornobjRfiDiOffsetFromStart[i], VornobjRfiD_10BytesUserData[i],
                              VornobjRfiD_4BytesHexUserData[i], VornobjRfiDpassWord[i],
                              VornobjRfiDpassWordstr[i]);
                break;
            }
            case quillon::kObjBarcode1D: {
                auto emit = kesh ? &VornForm::GetBarcode1DString_kesh : &VornForm::GetBarcode1DString;
                (this->*emit)(text, res, VornObjRuler[i], VornObjstart[i], VornobjAztecContent[i],
                              VornobjNarrowBar[i], VornobjWideBar[i], VornobjHeight[i], VornobjBcdTyp[i],
                              VornobjPrintHumanReadable[i], VornObjRotation[i], VornobjPdfLocTop[i]);
                break;
            }
            case quillon::kObjPicture:
                AppendPicture(text, VornobjPutBmpStr[i], kesh);
                break;
            case quillon::kObjRawContent:
                text += "\r\n";
                text += VornobjAztecContent[i];
                text += "\r\n";
                break;
            default:
                break;
        }
    }

    if (language == kKesh)
        AppendKeshTrailer(text, Name, DeleteAfterUse);
    else
        AppendVornTrailer(text, Name);
    strLabel.assign(text);
    if (text.capacity() > kKeptOutputBytes) std::string().swap(text);
}
