// Texts: a font selection followed by one text command. VORN writes
// position expressions the printer evaluates; KESH writes plain numbers.
#include "generate/Builders.h"
#include "generate/CommandText.h"
#include "generate/Notice.h"
#include "generate/TextBuilders.h"
#include "label/Numeric.h"
#include "label/VornForm.h"

namespace {

constexpr int kUnitRuler = static_cast<int>(FontSizeUnitsEnum::Ruler);
constexpr int kUnitPoints = static_cast<int>(FontSizeUnitsEnum::Points);
constexpr int kUnitPercent = static_cast<int>(FontSizeUnitsEnum::Percent);

// The style is a bit set (1 bold, 2 italic); only -1 means "no style".
bool IsBold(int style) {
    return style != -1 && (style & 1) != 0;
}
bool IsItalic(int style) {
    return style != -1 && (style & 2) != 0;
}

struct CharSize {
    float x = 0.0f;
    float y = 0.0f;
};

// The character size in the unit of the text command: points, or for
// Percent a fraction of `percentScale` (the largest expansion of the
// language). Single precision, left to right, as the printer-side numbers
// were always computed.
CharSize ComputeCharSize(int unit, float sizeX, float sizeY, float percentScale, PrintPlane& plane) {
    CharSize size;
    if (unit == kUnitPoints) {
        size.x = sizeX;
        size.y = sizeY;
    } else if (unit == kUnitPercent) {
        if (sizeX >= 0.0f && sizeX <= 100.0f) size.x = percentScale * sizeX / 100.0f;
        if (sizeY >= 0.0f && sizeY <= 100.0f) size.y = percentScale * sizeY / 100.0f;
    } else if (unit == kUnitRuler) {
        const float dpu = plane.DotsPerUnit(nullptr, nullptr);
        const float dpi = plane.getPrinterResolution()->getDotsPerInch();
        size.x = sizeX * dpu * 72.0f / dpi;
        size.y = sizeY * dpu * 72.0f / dpi;
    }
    return size;
}

// Position and size of the text command, shared by both languages.
template <typename Builder>
Builder MakeBuilder(IPrintResolution* res, IRuler* ruler, IPoint* start, std::string_view content,
                    int fontSizeUnit, float fontSizeX, float fontSizeY, float percentScale) {
    PrintPlane plane(ruler);
    plane.setPrinterResolution(res);
    const float dpu = plane.DotsPerUnit(nullptr, nullptr);
    const int sr = quillon::TruncToInt(start->getY() * dpu);
    const int sc = quillon::TruncToInt(start->getX() * dpu);
    const CharSize size = ComputeCharSize(fontSizeUnit, fontSizeX, fontSizeY, percentScale, plane);
    Builder builder(sr, sc, quillon::TruncToInt(size.y), quillon::TruncToInt(size.x), content);
    if (fontSizeUnit != kUnitPercent) builder.UsingPoints = builder.VE != 0 && builder.HE != 0;
    return builder;
}

}  // namespace

void VornForm::GetTextString(std::string& out, IPrintResolution* res, IRuler* ruler, IPoint* start,
                             std::string_view text, TextItem* item, int fontSizeUnit, int fontStyle,
                             int alignment, std::string_view fontName, int rotation, float fontSizeX,
                             float fontSizeY) {
    // The language has no style of its own: say so and select the plain font.
    if (IsBold(fontStyle)) quillon::Notice("Parameter [Bold] is not supported.");
    if (IsItalic(fontStyle)) quillon::Notice("Parameter [Italic] is not supported.");
    // Font selection and text command go to the output in one piece.
    quillon::CommandBuffer line(out);
    VornLibEx::Font::AppendSelection(line, fontName.empty() ? std::string_view("0") : fontName);
    if (!item) {
        line.Flush();
        return;
    }

    auto builder = MakeBuilder<VornLibEx::Alphanumeric>(res, ruler, start, text, fontSizeUnit, fontSizeX,
                                                        fontSizeY, VORN::ALPHA_EXPANSION[1]);
    if (fontSizeUnit != kUnitPercent && builder.UsingPoints) {
        builder._referencePoint = VORN::LeftDown;
        builder.Reverse = false;
    }
    builder.Rotation = rotation;
    builder.Align = alignment;
    line.Put("\r\n");
    builder.AppendTo(line);
    line.Flush();
}

void VornForm::GetTextString_kesh(std::string& out, IPrintResolution* res, IRuler* ruler, IPoint* start,
                                  std::string_view text, TextItem* item, int fontSizeUnit, int fontStyle,
                                  int alignment, std::string_view fontName, int rotation, float fontSizeX,
                                  float fontSizeY) {
    quillon::CommandBuffer line(out);
    KeshLibEx::Font::AppendSelection(line, fontName.empty() ? std::string_view("93779.sf") : fontName,
                                     IsBold(fontStyle), IsItalic(fontStyle));
    if (!item) {
        line.Flush();
        return;
    }

    // KESH scales a percentage against 139 points.
    auto builder = MakeBuilder<KeshLibEx::Alphanumeric>(res, ruler, start, text, fontSizeUnit, fontSizeX,
                                                        fontSizeY, 139.0f);
    builder.Rotation = rotation;
    builder.Align = alignment;
    line.Put("\r\n");
    builder.AppendTo(line);
    line.Flush();
}
