// Texts: a font selection followed by one text command. VORN writes
// position expressions the printer evaluates; KESH writes plain numbers.
#include "generate/Builders.h"
#include "generate/CommandText.h"
#include "generate/Emitters.h"
#include "generate/TextBuilders.h"
#include "quillon/Enums.h"

namespace quillon {

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

// One character size in the unit of the text command: points, or for
// Percent a share of `percentScale` (the largest expansion of the language).
float CharSize(int unit, float size, float percentScale, const Dots& dots) {
    if (unit == kUnitPoints) return size;
    if (unit == kUnitPercent) return size >= 0.0f && size <= 100.0f ? percentScale * size / 100.0f : 0.0f;
    if (unit == kUnitRuler) return dots.Points(size);
    return 0.0f;
}

// Position and size of the text command, shared by both languages.
template <typename Builder>
Builder MakeBuilder(const Dots& dots, const TextArgs& a, float percentScale) {
    Builder builder(dots.Position(a.y), dots.Position(a.x),
                    TruncToInt(CharSize(a.fontSizeUnit, a.fontSizeY, percentScale, dots)),
                    TruncToInt(CharSize(a.fontSizeUnit, a.fontSizeX, percentScale, dots)), a.text);
    if (a.fontSizeUnit != kUnitPercent) builder.UsingPoints = builder.VE != 0 && builder.HE != 0;
    builder.Rotation = a.rotation;
    builder.Align = a.alignment;
    return builder;
}

// A text without its item is its font selection alone, left without the
// line end that would lead to the text command.
void DropLineEnd(TextBuffer& out) {
    out.Truncate(out.size() - VORN::LineTerminator.size());
}

}  // namespace

void EmitText(TextBuffer& out, NoticeSink& notices, const Dots& dots, const TextArgs& a) {
    // VORN has no style of its own: the font says so and selects the plain font.
    VornLibEx::Font font;
    font.Name(a.fontName.empty() ? std::string_view("0") : a.fontName);
    font.Bold(IsBold(a.fontStyle));
    font.Italic(IsItalic(a.fontStyle));
    font.AppendTo(out, notices);
    if (!a.hasItem) return DropLineEnd(out);
    MakeBuilder<VornLibEx::Alphanumeric>(dots, a, VORN::ALPHA_EXPANSION[1]).AppendTo(out);
}

void EmitText_kesh(TextBuffer& out, NoticeSink&, const Dots& dots, const TextArgs& a) {
    KeshLibEx::Font font;
    font.Name(a.fontName.empty() ? std::string_view("93779.sf") : a.fontName);
    font.Bold(IsBold(a.fontStyle));
    font.Italic(IsItalic(a.fontStyle));
    font.AppendTo(out);
    if (!a.hasItem) return DropLineEnd(out);
    // KESH scales a percentage against 139 points.
    MakeBuilder<KeshLibEx::Alphanumeric>(dots, a, 139.0f).AppendTo(out);
}

}  // namespace quillon
