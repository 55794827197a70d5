// Adding a text to the current label.
#include "label/LabelState.h"
#include "model/IText.h"
#include "quillon/Label.h"

extern "C" {

QUILLON_API void* CreateTexts(float x_start, float y_start, float fontsize_x, float fontsize_y,
                              std::string data, ScaleEnum scale, FontSizeUnitsEnum FontSizeUnit,
                              FontStyleEnum FontStyle, AlignEnum Alignment, std::string fontName,
                              RotateEnum rotation) {
    if (!gpLabel) return nullptr;
    // Everything is allocated before anything is recorded, so a failed
    // allocation leaves the label as it was.
    auto item =
        quillon::MakePart<TextItem>(x_start, y_start, fontsize_x, fontsize_y, quillon::CopyToParts(data));
    auto start = quillon::MakePart<Point>(x_start, y_start);
    auto text = quillon::MakePart<Text_vorn>(item.get());
    auto ruler = quillon::MakePart<Ruler>(scale);
    text->setRuler(ruler.get());
    text->printResolution = gpPrinterResolution.get();
    text->setFontName(fontName);
    text->setFontStyle(FontStyle);
    text->setFontSizeUnits(FontSizeUnit);
    text->setAlignment(Alignment);
    text->setRotation(rotation);

    quillon::FormRow row;
    row.VornObjPrintLanguageTyp = giPrintLanguageTyp;
    row.VornObjects = text.get();
    row.VornObjType = quillon::kObjText;
    row.VornObjRuler = ruler.get();
    row.VornObjstart = start.get();
    row.VornobjAztecContent = data;
    row.VornObjRotation = static_cast<int>(rotation);
    row.VornobjTextItem = item.get();
    row.VornobjFontSizeUnit = static_cast<int>(FontSizeUnit);
    row.VornobjFontStyle = static_cast<int>(FontStyle);
    row.VornobjAlignment = static_cast<int>(Alignment);
    row.VornobjfontName = fontName;
    row.VornobjFontSizeX = fontsize_x;
    row.VornobjFontSizeY = fontsize_y;

    Text_vorn* textType = text.get();
    IRuler* rulerPtr = ruler.get();
    quillon::ObjectParts parts;
    parts.object = quillon::Own(std::move(text));
    parts.ruler = quillon::Own(std::move(ruler));
    parts.start = quillon::Own(std::move(start));
    parts.textItem = quillon::Own(std::move(item));
    void* label = quillon::RecordObject(std::move(row), std::move(parts));
    gpTextType = textType;
    gpRuler = rulerPtr;
    return label;
}

}  // extern "C"
