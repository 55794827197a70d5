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
Builder MakeBuilder(const Dots& dots, const TextArgs& a, bool kesh) {
    const TextCell cell = TextCellOf(dots, a, kesh);
    Builder builder(dots.Position(a.y), dots.Position(a.x), cell.vertical, cell.horizontal, a.text);
    builder.UsingPoints = cell.usingPoints;
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

TextCell TextCellOf(const Dots& dots, const TextArgs& a, bool kesh) {
    // KESH scales a percentage against 139 points, VORN against its largest
    // expansion.
    const float percentScale = kesh ? 139.0f : VORN::ALPHA_EXPANSION[1];
    TextCell cell{TruncToInt(CharSize(a.fontSizeUnit, a.fontSizeY, percentScale, dots)),
                  TruncToInt(CharSize(a.fontSizeUnit, a.fontSizeX, percentScale, dots)), false};
    if (a.fontSizeUnit != kUnitPercent) cell.usingPoints = cell.vertical != 0 && cell.horizontal != 0;
    return cell;
}

void EmitText(TextBuffer& out, NoticeSink& notices, const Dots& dots, const TextArgs& a) {
    // VORN has no style of its own: the font says so and selects the plain font.
    VornLibEx::Font font;
    font.Name(a.fontName.empty() ? std::string_view("0") : a.fontName);
    font.Bold(IsBold(a.fontStyle));
    font.Italic(IsItalic(a.fontStyle));
    font.AppendTo(out, notices);
    if (!a.hasItem) return DropLineEnd(out);
    MakeBuilder<VornLibEx::Alphanumeric>(dots, a, false).AppendTo(out);
}

void EmitText_kesh(TextBuffer& out, NoticeSink&, const Dots& dots, const TextArgs& a) {
    KeshLibEx::Font font;
    font.Name(a.fontName.empty() ? std::string_view("93779.sf") : a.fontName);
    font.Bold(IsBold(a.fontStyle));
    font.Italic(IsItalic(a.fontStyle));
    font.AppendTo(out);
    if (!a.hasItem) return DropLineEnd(out);
    MakeBuilder<KeshLibEx::Alphanumeric>(dots, a, true).AppendTo(out);
}

}  // namespace quillon
