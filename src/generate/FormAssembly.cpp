// Turns a label's recorded objects into the complete command text of one
// form: the header of its language, each object's text in recording order,
// the trailer.
#include <algorithm>
#include <stdexcept>
#include <string>
#include <string_view>

#include "base/Numeric.h"
#include "form/VornForm.h"
#include "generate/Builders.h"
#include "generate/CommandText.h"

namespace {

using quillon::KeshCommand;
using quillon::VornCommand;

constexpr int kKesh = 1;

void AppendKeshHeader(quillon::TextBuffer& out, const std::string& name) {
    KeshCommand(out, "CREATE", true).Text(name).Text("X").End();
}

// The printer-resident font "1" until a text selects another. The lines
// never change, so they are written once and copied into every header.
std::string_view ResidentFontLines() {
    static const std::string lines = [] {
        quillon::TextBuffer text;
        VornCommand::Assignment(text, "FONT$").Framed("1").End();
        VornCommand::Assignment(text, "FH").Int(8).End();
        VornCommand::Assignment(text, "FV").Int(12).End();
        return text.ToString();
    }();
    return lines;
}

void AppendVornHeader(quillon::TextBuffer& out, const std::string& name, IPrintResolution* res) {
    VornCommand(out, "REM").Text(name).More(" FORM BEGIN").End();
    VornCommand(out, "CLS").End();
    VornCommand::Assignment(out, "DPI").Int(quillon::TruncToInt(res->getDotsPerInch())).End();
    out.Append(ResidentFontLines());
}

void AppendKeshTrailer(quillon::TextBuffer& out, const std::string& name, bool deleteAfterUse) {
    quillon::AppendLineEnd(out);
    KeshCommand(out, "END").End();
    KeshCommand(out, "EXECUTE", true).Text(name).End();
    KeshCommand(out, "NORMAL", true).End();
    if (deleteAfterUse) KeshCommand(out, "DELETE FORM", true).Text(name).End();
}

void AppendVornTrailer(quillon::TextBuffer& out, const std::string& name) {
    VornCommand(out, "PRINT").Int(1).End();
    VornCommand(out, "REM").Text(name).More(" FORM END").End();
}

// A stored picture: "x;y;path" split at the first two semicolons.
void AppendPicture(quillon::TextBuffer& out, std::string_view description, bool kesh) {
    int x = 0;
    int y = 0;
    std::string path;
    if (!VornForm::ParsePutbmpInfo(description, x, y, path)) return;
    if (kesh)
        quillon::KeshBlock(out, "LOGO").Int(x).Int(y).Text(path).Stop();
    else
        VornCommand(out, "PUTPNG", VORN::DelimeterParams).Int(x).Int(y).Framed(path).End();
}

// Reads from `pos` up to `delimiter` (which is consumed) or the end, like
// std::getline on a stream: fails only when nothing at all is left.
bool ReadPiece(std::string_view in, size_t& pos, char delimiter, std::string& piece) {
    if (pos >= in.size()) return false;
    size_t stop = in.find(delimiter, pos);
    if (stop == std::string::npos) stop = in.size();
    piece.assign(in, pos, stop - pos);
    pos = stop < in.size() ? stop + 1 : stop;
    return true;
}

// A rendering buffer grown past this size by a huge label is freed rather
// than kept with the form.
constexpr size_t kKeptRenderingBytes = 64 * 1024;

}  // namespace

bool VornForm::ParsePutbmpInfo(std::string_view PutbmpInfo, int& x, int& y, std::string& strFilePath) {
    size_t pos = 0;
    std::string piece;
    if (!ReadPiece(PutbmpInfo, pos, quillon::kPictureFieldDelimiter, piece)) return false;
    x = std::stoi(piece, nullptr, 10);
    if (!ReadPiece(PutbmpInfo, pos, quillon::kPictureFieldDelimiter, piece)) return false;
    y = std::stoi(piece, nullptr, 10);
    return ReadPiece(PutbmpInfo, pos, '\n', strFilePath);
}

void VornForm::GetAsString(std::string& strLabel) {
    if (VornObjects.empty()) {
        strLabel.clear();
        return;
    }
    quillon::TextBuffer& text = _rendering;
    text.Clear();
    text.Reserve(256 + 96 * VornObjects.size());

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
        _renderingRow = i;
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
                quillon::AppendLineEnd(text);
                text.Append(VornobjAztecContent[i]);
                quillon::AppendLineEnd(text);
                break;
            default:
                break;
        }
    }

    if (language == kKesh)
        AppendKeshTrailer(text, Name, DeleteAfterUse);
    else
        AppendVornTrailer(text, Name);
    strLabel.assign(text.View());
    if (text.Capacity() > kKeptRenderingBytes) text.Release();
}
