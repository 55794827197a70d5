// Adding a text to the current label.
#include "label/LabelState.h"
#include "model/IText.h"
#include "quillon/Label.h"

using namespace quillon;

extern "C" {

QUILLON_API void* CreateTexts(float x_start, float y_start, float fontsize_x, float fontsize_y,
                              std::string data, ScaleEnum scale, FontSizeUnitsEnum FontSizeUnit,
                              FontStyleEnum FontStyle, AlignEnum Alignment, std::string fontName,
                              RotateEnum rotation) {
    if (!gpLabel) return nullptr;
    // Everything is made before anything is recorded, so a failure leaves
    // the label as it was.
    ObjectParts parts;
    auto* item =
        parts.Make<TextItem>(kTextItemPart, x_start, y_start, fontsize_x, fontsize_y, CopyToParts(data));
    parts.Make<Point>(kStartPart, x_start, y_start);
    auto* text = parts.Make<Text_vorn>(kObjectPart, item);
    text->setRuler(parts.Make<Ruler>(kRulerPart, scale));
    text->printResolution = gpPrinterResolution.get();
    text->setFontName(fontName);
    text->setFontStyle(FontStyle);
    text->setFontSizeUnits(FontSizeUnit);
    text->setAlignment(Alignment);
    text->setRotation(rotation);

    FormRow row;
    row.VornobjAztecContent = data;
    row.VornObjRotation = static_cast<int>(rotation);
    row.VornobjFontSizeUnit = static_cast<int>(FontSizeUnit);
    row.VornobjFontStyle = static_cast<int>(FontStyle);
    row.VornobjAlignment = static_cast<int>(Alignment);
    row.VornobjfontName = fontName;
    row.VornobjFontSizeX = fontsize_x;
    row.VornobjFontSizeY = fontsize_y;
    return RecordObject(kObjText, std::move(row), std::move(parts), gpTextType);
}

}  // extern "C"
