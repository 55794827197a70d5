// Straight lines and boxes. Corners and thickness truncate toward zero and
// no minimum thickness is applied: a thickness below one dot is written as
// 0. The library never rounds a box's corners.
#include "generate/Emitters.h"
#include "generate/ShapeBuilders.h"

namespace quillon {

namespace {

template <typename Builder>
Builder MakeShape(const Dots& dots, const ShapeArgs& a) {
    return Builder(dots.Position(a.lineThickness), dots.Position(a.startY), dots.Position(a.startX),
                   dots.Position(a.endY), dots.Position(a.endX));
}

}  // namespace

void EmitLine(TextBuffer& out, const Dots& dots, const ShapeArgs& a) {
    MakeShape<VornLibEx::Line>(dots, a).AppendTo(out);
}

void EmitLine_kesh(TextBuffer& out, const Dots& dots, const ShapeArgs& a) {
    MakeShape<KeshLibEx::Line>(dots, a).AppendTo(out);
}

void EmitBox(TextBuffer& out, const Dots& dots, const ShapeArgs& a) {
    MakeShape<VornLibEx::Box>(dots, a).AppendTo(out);
}

void EmitBox_kesh(TextBuffer& out, const Dots& dots, const ShapeArgs& a) {
    MakeShape<KeshLibEx::Box>(dots, a).AppendTo(out);
}

}  // namespace quillon
