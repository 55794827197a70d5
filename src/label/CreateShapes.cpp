// Adding straight lines and boxes to the current label.
#include <type_traits>

#include "label/LabelState.h"
#include "model/IShapes.h"
#include "quillon/Label.h"

using namespace quillon;

namespace {

// Lines and boxes record the same attributes under their own type code. A
// line refers to its points; a box keeps copies of its corners.
template <typename Shape>
void* RecordShape(int objType, float start_x, float start_y, float end_x, float end_y, float lineThickness,
                  ScaleEnum scale, Shape*& lastMade) {
    ObjectParts parts;
    Point* start = parts.Make<Point>(kStartPart, start_x, start_y);
    Point* end = parts.Make<Point>(kEndPart, end_x, end_y);
    Shape* shape = nullptr;
    if constexpr (std::is_same_v<Shape, Line_vorn>)
        shape = parts.Make<Line_vorn>(kObjectPart, start, end, lineThickness);
    else
        shape = parts.Make<Box_vorn>(kObjectPart, start_x, start_y, end_x, end_y, lineThickness);
    shape->setRuler(parts.Make<Ruler>(kRulerPart, scale));
    shape->printResolution = gpPrinterResolution.get();

    FormRow row;
    row.VornobjlineThicknessDots = lineThickness;
    return RecordObject(objType, std::move(row), std::move(parts), lastMade);
}

}  // namespace

extern "C" {

QUILLON_API void* CreateLines(float start_x, float start_y, float end_x, float end_y, float lineThickness,
                              ScaleEnum scale) {
    if (!gpLabel) return nullptr;
    return RecordShape(kObjLine, start_x, start_y, end_x, end_y, lineThickness, scale, gpLineType);
}

QUILLON_API void* CreateBoxs(float start_x, float start_y, float end_x, float end_y, float lineThickness,
                             ScaleEnum scale) {
    if (!gpLabel) return nullptr;
    return RecordShape(kObjBox, start_x, start_y, end_x, end_y, lineThickness, scale, gpBoxType);
}

}  // extern "C"
