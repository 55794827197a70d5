// A label's objects in dots, by the same conversions the emitters use, for
// whatever draws or checks a label without reading its command text.
#include "generate/Placement.h"

#include <algorithm>

#include "generate/Emitters.h"
#include "model/IBcdAztec.h"

namespace quillon {

namespace {

constexpr int kKesh = 1;
// The printer's resident font "1" is 8 dots wide and 12 high; a text in
// multiples of the font size scales that cell.
constexpr int kFontWidth = 8;
constexpr int kFontHeight = 12;
// A Maxicode symbol has one size on paper, 1.11 inches across its 30 module
// columns, whatever the resolution.
constexpr float kMaxicodeInches = 1.11f;
constexpr int kMaxicodeColumns = 30;
// The human-readable line under 1D bars: VORN takes 0.3 inch of the height
// for it; KESH adds a line of its smallest font below the bars.
constexpr float kVornReadableInches = 0.3f;
constexpr float kKeshReadableInches = 0.15f;

float X(IPoint* point) {
    return point ? point->getX() : 0.0f;
}
float Y(IPoint* point) {
    return point ? point->getY() : 0.0f;
}

// Points to dots as the printer works a text's height out.
int PointsToDots(int points, float dpi) {
    return TruncToInt(static_cast<float>(points) * dpi / 72.0f * 0.79f);
}

// "~M" to carriage return: the escapes the printer resolves in DataMatrix
// data (code 126 is the escape character the commands name).
std::string ResolveEscapes(std::string_view data) {
    std::string out;
    out.reserve(data.size());
    for (size_t i = 0; i < data.size(); ++i) {
        if (data[i] == '~' && i + 1 < data.size() && data[i + 1] >= '@' && data[i + 1] <= '_') {
            out += static_cast<char>(data[++i] - '@');
            continue;
        }
        out += data[i];
    }
    return out;
}

void PlaceText(Placed& p, const VornForm& f, size_t i, const Dots& dots, bool kesh) {
    const TextArgs a{X(f.VornObjstart[i]),     Y(f.VornObjstart[i]),
                     f.VornobjAztecContent[i], f.VornobjTextItem[i] != nullptr,
                     f.VornobjFontSizeUnit[i], f.VornobjFontStyle[i],
                     f.VornobjAlignment[i],    f.VornobjfontName[i],
                     f.VornObjRotation[i],     f.VornobjFontSizeX[i],
                     f.VornobjFontSizeY[i]};
    const TextCell cell = TextCellOf(dots, a, kesh);
    p.x = dots.Position(a.x);
    p.y = dots.Position(a.y);
    if (cell.usingPoints) {
        p.cellHeight = PointsToDots(cell.vertical, dots.PerInch());
        p.cellWidth = PointsToDots(cell.horizontal, dots.PerInch());
    } else {
        // A multiplier is at least 1.
        p.cellHeight = std::max(cell.vertical, 1) * kFontHeight;
        p.cellWidth = std::max(cell.horizontal, 1) * kFontWidth;
    }
    p.alignment = a.alignment;
    p.style = std::max(a.fontStyle, 0);
    p.font = std::string(a.fontName);
    p.data = std::string(a.text);
}

void PlaceShape(Placed& p, const VornForm& f, size_t i, const Dots& dots, bool) {
    p.x = dots.Position(X(f.VornObjstart[i]));
    p.y = dots.Position(Y(f.VornObjstart[i]));
    p.x2 = dots.Position(X(f.VornObjend[i]));
    p.y2 = dots.Position(Y(f.VornObjend[i]));
    p.thickness = dots.Position(f.VornobjlineThicknessDots[i]);
}

void PlaceBarcode1D(Placed& p, const VornForm& f, size_t i, const Dots& dots, bool kesh) {
    const Barcode1DArgs a{
        X(f.VornObjstart[i]), Y(f.VornObjstart[i]), f.VornobjAztecContent[i], f.VornobjNarrowBar[i],
        f.VornobjWideBar[i],  f.VornobjHeight[i],   f.VornobjBcdTyp[i],       f.VornobjPrintHumanReadable[i],
        f.VornObjRotation[i], f.VornobjPdfLocTop[i]};
    p.module = dots.Bar(a.narrowBar);
    p.wide = dots.Bar(a.wideBar);
    p.symbology = a.bcdTyp;
    p.humanReadable = a.printHumanReadable;
    const float dpi = dots.PerInch();
    if (kesh) {
        // Tenths of a millimetre in the command.
        p.height = TruncToInt(static_cast<float>(TruncToInt(a.height * 10.0f)) / 10.0f * dpi / 25.4f);
        p.textHeight = a.printHumanReadable ? TruncToInt(kKeshReadableInches * dpi) : 0;
    } else if (a.height > 0.0f) {
        p.height = TruncToInt(VornBarcodeHeight(a) * dpi);
        p.textHeight = a.printHumanReadable ? TruncToInt(kVornReadableInches * dpi) : 0;
    }
    p.data = std::string(a.content);
}

void PlaceQRCode(Placed& p, const VornForm& f, size_t i, const Dots& dots, bool) {
    p.module = dots.Module(f.VornobjAztecXdim[i]);
    const int level = f.VornobjQRCodeErrEnum[i];
    p.errorCorrection = level == -1 ? 1 : level;
    p.model = f.VornobjQRCodeModelEnum[i] == 0 ? 1 : 2;
    // The printer's mask numbers start at 1; 0 and -1 leave the choice to it.
    p.mask = f.VornobjQRCodeMask[i] > 0 ? f.VornobjQRCodeMask[i] - 1 : -1;
    const std::string_view content = f.VornobjAztecContent[i];
    if (content.empty())
        for (const auto& segment : f.VornobjQRCodedataManuallyEncoded) p.data += segment.second;
    else
        p.data = std::string(content);
}

void PlacePdf417(Placed& p, const VornForm& f, size_t i, const Dots& dots, bool) {
    const Pdf417Args a{0,
                       0,
                       f.VornobjAztecContent[i],
                       f.VornobjAztecXdim[i],
                       f.VornobjPDF417Ydim[i],
                       f.VornobjAztecFixedErrCorrection[i],
                       f.VornobjPDF417row[i],
                       f.VornobjPDF417col[i],
                       f.VornObjRotation[i]};
    const Pdf417Shape shape = ShapePdf417(dots, a);
    p.module = shape.barWidth;
    p.moduleHeight = shape.rowHeight;
    p.rows = shape.rows;
    p.columns = shape.columns;
    p.errorCorrection = shape.level;
    p.data = std::string(a.content);
}

void PlaceDataMatrix(Placed& p, const VornForm& f, size_t i, const Dots& dots, bool) {
    p.module = DataMatrixCell(dots, f.VornobjAztecXdim[i]);
    p.rectangle = f.VornobjDataMatrixUseRectangle[i];
    if (f.VornobjPDF417row[i] >= 1 && f.VornobjPDF417col[i] >= 1) {
        p.rows = f.VornobjPDF417row[i];
        p.columns = f.VornobjPDF417col[i];
    }
    p.data = ResolveEscapes(f.VornobjDataMatrixAllStr[i]);
}

void PlaceAztec(Placed& p, const VornForm& f, size_t i, const Dots& dots, bool) {
    p.module = dots.Module(f.VornobjAztecXdim[i]);
    p.codeType = std::max(f.VornobjAztecCodeTyp[i], 0);
    if (p.codeType == static_cast<int>(AztecCodeTypeEnum::FixedErrCorrection))
        p.errorCorrection = AztecErrCorrectionPercent(f.VornobjAztecFixedErrCorrection[i]);
    if (p.codeType == static_cast<int>(AztecCodeTypeEnum::Compact) ||
        p.codeType == static_cast<int>(AztecCodeTypeEnum::Full))
        p.layers = AztecLayersWithinRange(f.VornobjAztecLayers[i], p.codeType);
    p.data = std::string(f.VornobjAztecContent[i]);
}

void PlaceMaxicode(Placed& p, const VornForm& f, size_t i, const Dots& dots, bool) {
    p.module = RoundToInt(kMaxicodeInches * dots.PerInch() / kMaxicodeColumns);
    p.mode = f.VornobjMaxicodeModeEnum[i];
    if (p.mode == 2 || p.mode == 3) {
        std::string postal(f.VornobjMaxicodepostalCode[i]);
        postal.erase(std::remove(postal.begin(), postal.end(), ','), postal.end());
        p.primary = postal + std::string(f.VornobjMaxicodecountryCode[i]) +
                    std::string(f.VornobjMaxicodeserviceClass[i]);
    }
    p.data = std::string(f.VornobjMaxicodeprimaryMsg[i]) + std::string(f.VornobjMaxicoderemainingMsg[i]);
}

void PlaceRfid(Placed& p, const VornForm& f, size_t i, const Dots&, bool) {
    p.bank = f.VornobjRfiDMemBlock[i];
    p.data = RfidTagData(
        {f.VornobjRfiDa32BitField[i], f.VornobjRfiDa16BitField[i], f.VornobjRfiDa6CharAsciiString[i],
         f.VornobjRfiDMemBlock[i], f.VornobjRfiDiOffsetFromStart[i], f.VornobjRfiD_10BytesUserData[i],
         f.VornobjRfiD_4BytesHexUserData[i], f.VornobjRfiDpassWord[i], f.VornobjRfiDpassWordstr[i]});
}

void PlacePicture(Placed& p, const VornForm& f, size_t i, const Dots&, bool) {
    int x = 0, y = 0;
    std::string name;
    if (!VornForm::ParsePutbmpInfo(f.VornobjPutBmpStr[i], x, y, name)) return;
    p.x = x;
    p.y = y;
    p.data = name;
}

// Each recorded kind: its type code, what it is placed as, and how.
struct Placer {
    int code;
    PlacedKind kind;
    void (*place)(Placed&, const VornForm&, size_t, const Dots&, bool kesh);
};
constexpr Placer kPlacers[] = {
    {kObjText, PlacedKind::Text, PlaceText},
    {kObjLine, PlacedKind::Line, PlaceShape},
    {kObjBox, PlacedKind::Box, PlaceShape},
    {kObjBarcode1D, PlacedKind::Barcode1D, PlaceBarcode1D},
    {kObjQRCode, PlacedKind::QRCode, PlaceQRCode},
    {kObjPdf417, PlacedKind::Pdf417, PlacePdf417},
    {kObjDataMatrix, PlacedKind::DataMatrix, PlaceDataMatrix},
    {kObjAztec, PlacedKind::Aztec, PlaceAztec},
    {kObjMaxicode, PlacedKind::Maxicode, PlaceMaxicode},
    {kObjRfid, PlacedKind::Rfid, PlaceRfid},
    {kObjPicture, PlacedKind::Picture, PlacePicture},
};

}  // namespace

std::vector<Placed> PlaceObjects(const VornForm& form) {
    std::vector<Placed> placed;
    const VornForm& f = form;
    for (size_t i = 0; i < f.VornObjects.size(); ++i) {
        Placed p;
        p.object = i;
        const bool kesh = f.VornObjPrintLanguageTyp[i] == kKesh;
        // RFID writes and pictures have no ruler: they are not placed in a unit.
        const Dots dots = f.VornObjRuler[i] ? Dots::For(f.PrinterResolution, f.VornObjRuler[i])
                                            : Dots(1.0f, f.PrinterResolution->getDotsPerInch());
        if (f.VornObjstart[i]) {
            p.x = dots.Position(X(f.VornObjstart[i]));
            p.y = dots.Position(Y(f.VornObjstart[i]));
        }
        p.rotation = std::max(f.VornObjRotation[i], 0);
        const Placer* placer = nullptr;
        for (const Placer& candidate : kPlacers)
            if (candidate.code == f.VornObjType[i]) placer = &candidate;
        if (!placer) continue;  // the scale command and raw text draw nothing
        p.kind = placer->kind;
        placer->place(p, f, i, dots, kesh);
        placed.push_back(std::move(p));
    }
    return placed;
}

}  // namespace quillon
