// Adding straight lines and boxes to a label.
#include <type_traits>

#include "label/AddObjects.h"
#include "model/IShapes.h"

namespace quillon {
namespace {

// Lines and boxes record the same attributes under their own type code. A
// line refers to its points; a box keeps copies of its corners.
template <typename Shape>
Recorded RecordShape(const LabelTarget& target, int objType, float start_x, float start_y, float end_x,
                     float end_y, float lineThickness, ScaleEnum scale) {
    ObjectParts parts(*target.arena);
    Point* start = parts.Make<Point>(kStartPart, start_x, start_y);
    Point* end = parts.Make<Point>(kEndPart, end_x, end_y);
    Shape* shape = nullptr;
    if constexpr (std::is_same_v<Shape, Line_vorn>)
        shape = parts.Make<Line_vorn>(kObjectPart, start, end, lineThickness);
    else
        shape = parts.Make<Box_vorn>(kObjectPart, start_x, start_y, end_x, end_y, lineThickness);
    shape->setRuler(parts.Make<Ruler>(kRulerPart, scale));
    shape->printResolution = target.resolution;

    FormRow row;
    row.VornobjlineThicknessDots = lineThickness;
    return RecordObject(target, objType, std::move(row), std::move(parts));
}

}  // namespace

Recorded AddLine(const LabelTarget& target, float start_x, float start_y, float end_x, float end_y,
                 float lineThickness, ScaleEnum scale) {
    return RecordShape<Line_vorn>(target, kObjLine, start_x, start_y, end_x, end_y, lineThickness, scale);
}

Recorded AddBox(const LabelTarget& target, float start_x, float start_y, float end_x, float end_y,
                float lineThickness, ScaleEnum scale) {
    return RecordShape<Box_vorn>(target, kObjBox, start_x, start_y, end_x, end_y, lineThickness, scale);
}

}  // namespace quillon

extern "C" {

QUILLON_API void* CreateLines(float start_x, float start_y, float end_x, float end_y, float lineThickness,
                              ScaleEnum scale) {
    if (!gpLabel) return nullptr;
    return quillon::PublishLast(
        quillon::AddLine(quillon::DefaultLabel(), start_x, start_y, end_x, end_y, lineThickness, scale),
        gpLineType);
}

QUILLON_API void* CreateBoxs(float start_x, float start_y, float end_x, float end_y, float lineThickness,
                             ScaleEnum scale) {
    if (!gpLabel) return nullptr;
    return quillon::PublishLast(
        quillon::AddBox(quillon::DefaultLabel(), start_x, start_y, end_x, end_y, lineThickness, scale),
        gpBoxType);
}

}  // extern "C"
