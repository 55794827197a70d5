// Turns a label's recorded objects into the complete command text of one
// form: the header of its language, each object's text in recording order,
// the trailer.

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
void AppendPicture(std::string& out, const std::string& description, bool kesh) {
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

    IPrintResolution* res = PrinterResolution;
    for (size_t i = 0; i < VornObjects.size(); ++i) {
        language = VornObjPrintLanguageTyp.at(i);
        const bool kesh = language == kKesh;
        switch (VornObjType.at(i)) {
            case quillon::kObjScale: {
                auto* scale = static_cast<VornLib::Scale*>(VornObjects.at(i));
                if (kesh)
                    scale->AppendTo_kesh(text);
                else
                    scale->AppendTo(text);
                break;
            }
            case quillon::kObjText: {
                auto emit = kesh ? &VornForm::GetTextString_kesh : &VornForm::GetTextString;
                (this->*emit)(text, res, VornObjRuler.at(i), VornObjstart.at(i), VornobjAztecContent.at(i),
                              VornobjTextItem.at(i), VornobjFontSizeUnit.at(i), VornobjFontStyle.at(i),
                              VornobjAlignment.at(i), VornobjfontName.at(i), VornObjRotation.at(i),
                              VornobjFontSizeX.at(i), VornobjFontSizeY.at(i));
                break;
            }
            case quillon::kObjLine: {
                auto emit = kesh ? &VornForm::GetLineString_kesh : &VornForm::GetLineString;
                (this->*emit)(text, res, VornObjRuler.at(i), VornObjstart.at(i), VornObjend.at(i),
                              VornobjlineThicknessDots.at(i));
                break;
            }
            case quillon::kObjBox: {
                auto emit = kesh ? &VornForm::GetBoxString_kesh : &VornForm::GetBoxString;
                (this->*emit)(text, res, VornObjRuler.at(i), VornObjstart.at(i), VornObjend.at(i),
                              VornobjlineThicknessDots.at(i));
                break;
            }
            case quillon::kObjMaxicode: {
                auto emit = kesh ? &VornForm::GetMaxicodeString_kesh : &VornForm::GetMaxicodeString;
                (this->*emit)(text, res, VornObjRuler.at(i), VornObjstart.at(i), VornobjMaxicodeTyp.at(i),
                              VornobjMaxicodeModeEnum.at(i), VornobjMaxicodepostalCode.at(i),
                              VornobjMaxicodecountryCode.at(i), VornobjMaxicodeserviceClass.at(i),
                              VornobjMaxicoderemainingMsg.at(i), VornobjMaxicodeyear.at(i),
                              VornobjMaxicodeprimaryMsg.at(i), VornobjMaxicodeZipperPattern.at(i),
                              VornObjRotation.at(i));
                break;
            }
            case quillon::kObjPdf417: {
                auto emit = kesh ? &VornForm::GetPDF417_kesh : &VornForm::GetPDF417;
                (this->*emit)(text, res, VornObjRuler.at(i), VornObjstart.at(i), VornobjAztecContent.at(i),
                              VornobjAztecXdim.at(i), VornobjPDF417Ydim.at(i),
                              VornobjAztecFixedErrCorrection.at(i), VornobjPDF417row.at(i),
                              VornobjPDF417col.at(i), VornObjRotation.at(i));
                break;
            }
            case quillon::kObjDataMatrix: {
                auto emit = kesh ? &VornForm::GetDataMatrixString_kesh : &VornForm::GetDataMatrixString;
                (this->*emit)(text, res, VornObjRuler.at(i), VornObjstart.at(i), VornobjAztecContent.at(i),
                              VornobjAztecXdim.at(i), VornobjDataMatrixUseRectangle.at(i),
                              VornobjDataMatrixMultiLine.at(i), VornobjDataMatrixAllStr.at(i),
                              VornobjDataMatrixCtrlChar1.at(i), VornobjDataMatrixCtrlChar2.at(i),
                              VornobjPDF417row.at(i), VornobjPDF417col.at(i), VornObjRotation.at(i));
                break;
            }
            case quillon::kObjAztec: {
                auto emit = kesh ? &VornForm::GetAztecBarcodesString_kesh : &VornForm::GetAztecBarcodesString;
                (this->*emit)(text, res, VornObjRuler.at(i), VornObjstart.at(i), VornobjAztecContent.at(i),
                              VornobjAztecXdim.at(i), VornobjAztecCodeTyp.at(i),
                              VornobjAztecFixedErrCorrection.at(i), VornobjAztecLayers.at(i),
                              VornObjRotation.at(i));
                break;
            }
            case quillon::kObjQRCode: {
                auto emit = kesh ? &VornForm::GetQRBarcodesString_kesh : &VornForm::GetQRBarcodesString;
                (this->*emit)(text, res, VornObjRuler.at(i), VornObjstart.at(i), VornobjAztecContent.at(i),
                              VornobjAztecXdim.at(i), VornobjQRCodeMask.at(i),
                              VornobjQRCodedataManuallyEncoded, VornobjQRCodeErrEnum.at(i),
                              VornobjQRCodeModelEnum.at(i), VornObjRotation.at(i));
                break;
            }
            case quillon::kObjRfid: {
                auto emit = kesh ? &VornForm::GetRfidWriteString_kesh : &VornForm::GetRfidWriteString;
                (this->*emit)(text, VornobjRfiDa32BitField.at(i), VornobjRfiDa16BitField.at(i),
                              VornobjRfiDa6CharAsciiString.at(i), VornobjRfiDMemBlock.at(i),
                              VornobjRfiDiOffsetFromStart.at(i), VornobjRfiD_10BytesUserData.at(i),
                              VornobjRfiD_4BytesHexUserData.at(i), VornobjRfiDpassWord.at(i),
                              VornobjRfiDpassWordstr.at(i));
                break;
            }
            case quillon::kObjBarcode1D: {
                auto emit = kesh ? &VornForm::GetBarcode1DString_kesh : &VornForm::GetBarcode1DString;
                (this->*emit)(text, res, VornObjRuler.at(i), VornObjstart.at(i), VornobjAztecContent.at(i),
                              VornobjNarrowBar.at(i), VornobjWideBar.at(i), VornobjHeight.at(i),
                              VornobjBcdTyp.at(i), VornobjPrintHumanReadable.at(i), VornObjRotation.at(i),
                              VornobjPdfLocTop.at(i));
                break;
            }
            case quillon::kObjPicture:
                AppendPicture(text, VornobjPutBmpStr.at(i), kesh);
                break;
            case quillon::kObjRawContent:
                text += "\r\n";
                text += VornobjAztecContent.at(i);
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
