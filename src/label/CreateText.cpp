// Adding a text to a label.
#include "label/AddObjects.h"
#include "model/IText.h"

namespace quillon {

Recorded AddText(const LabelTarget& target, float x_start, float y_start, float fontsize_x, float fontsize_y,
                 const std::string& data, ScaleEnum scale, FontSizeUnitsEnum FontSizeUnit,
                 FontStyleEnum FontStyle, AlignEnum Alignment, const std::string& fontName,
                 RotateEnum rotation) {
    // Everything is made before anything is recorded, so a failure leaves
    // the label as it was.
    ObjectParts parts(*target.arena);
    auto* item = parts.Make<TextItem>(kTextItemPart, x_start, y_start, fontsize_x, fontsize_y,
                                      CopyToParts(*target.arena, data));
    parts.Make<Point>(kStartPart, x_start, y_start);
    auto* text = parts.Make<Text_vorn>(kObjectPart, item);
    text->setRuler(parts.Make<Ruler>(kRulerPart, scale));
    text->printResolution = target.resolution;
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
    return RecordObject(target, kObjText, std::move(row), std::move(parts));
}

}  // namespace quillon

extern "C" {

// Flattened: the adding step is inlined here, as passing a dozen arguments
// to it cost more than much of its own work.
[[gnu::flatten]] QUILLON_API void* CreateTexts(float x_start, float y_start, float fontsize_x,
                                               float fontsize_y, std::string data, ScaleEnum scale,
                                               FontSizeUnitsEnum FontSizeUnit, FontStyleEnum FontStyle,
                                               AlignEnum Alignment, std::string fontName,
                                               RotateEnum rotation) {
    if (!gpLabel) return nullptr;
    return quillon::PublishLast(
        quillon::AddText(quillon::DefaultLabel(), x_start, y_start, fontsize_x, fontsize_y, data, scale,
                         FontSizeUnit, FontStyle, Alignment, fontName, rotation),
        gpTextType);
}

}  // extern "C"
