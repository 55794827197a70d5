// Adding straight lines and boxes to the current label.
#include <memory>

#include "label/LabelState.h"
#include "model/IShapes.h"
#include "quillon/Label.h"

namespace {

// Lines and boxes record the same attributes under their own type code.
template <typename Shape>
void* RecordShape(int objType, quillon::PartPtr<Shape> shape, quillon::PartPtr<Point> start,
                  quillon::PartPtr<Point> end, float lineThickness, ScaleEnum scale, Shape*& lastMade) {
    auto ruler = quillon::MakePart<Ruler>(scale);
    shape->setRuler(ruler.get());
    shape->printResolution = gpPrinterResolution.get();

    quillon::FormRow row;
    row.VornObjPrintLanguageTyp = giPrintLanguageTyp;
    row.VornObjects = shape.get();
    row.VornObjType = objType;
    row.VornObjRuler = ruler.get();
    row.VornObjstart = start.get();
    row.VornObjend = end.get();
    row.VornobjlineThicknessDots = lineThickness;

    Shape* shapePtr = shape.get();
    IRuler* rulerPtr = ruler.get();
    quillon::ObjectParts parts;
    parts.object = quillon::Own(std::move(shape));
    parts.ruler = quillon::Own(std::move(ruler));
    parts.start = quillon::Own(std::move(start));
    parts.end = quillon::Own(std::move(end));
    void* label = quillon::RecordObject(std::move(row), std::move(parts));
    lastMade = shapePtr;
    gpRuler = rulerPtr;
    return label;
}

}  // namespace

extern "C" {

QUILLON_API void* CreateLines(float start_x, float start_y, float end_x, float end_y, float lineThickness,
                              ScaleEnum scale) {
    if (!gpLabel) return nullptr;
    auto start = quillon::MakePart<Point>(start_x, start_y);
    auto end = quillon::MakePart<Point>(end_x, end_y);
    auto line = quillon::MakePart<Line_vorn>(start.get(), end.get(), lineThickness);
    return RecordShape(quillon::kObjLine, std::move(line), std::move(start), std::move(end), lineThickness,
                       scale, gpLineType);
}

QUILLON_API void* CreateBoxs(float start_x, float start_y, float end_x, float end_y, float lineThickness,
                             ScaleEnum scale) {
    if (!gpLabel) return nullptr;
    auto start = quillon::MakePart<Point>(start_x, start_y);
    auto end = quillon::MakePart<Point>(end_x, end_y);
    auto box = quillon::MakePart<Box_vorn>(start_x, start_y, end_x, end_y, lineThickness);
    return RecordShape(quillon::kObjBox, std::move(box), std::move(start), std::move(end), lineThickness,
                       scale, gpBoxType);
}

}  // extern "C"
