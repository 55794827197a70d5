// Straight lines. Every number truncates toward zero and no minimum
// thickness is applied: a thickness below one dot is written as 0.
#include "generate/ShapeBuilders.h"
#include "label/Numeric.h"
#include "label/VornForm.h"

namespace {

template <typename Builder>
Builder MakeLine(IPrintResolution* res, IRuler* ruler, IPoint* start, IPoint* end, float lineThickness) {
    PrintPlane plane(ruler);
    plane.setPrinterResolution(res);
    const float dpu = plane.DotsPerUnit(nullptr, nullptr);
    using quillon::TruncToInt;
    return Builder(TruncToInt(lineThickness * dpu), TruncToInt(start->getY() * dpu),
                   TruncToInt(start->getX() * dpu), TruncToInt(end->getY() * dpu),
                   TruncToInt(end->getX() * dpu));
}

}  // namespace

void VornForm::GetLineString(std::string& out, IPrintResolution* res, IRuler* ruler, IPoint* start,
                             IPoint* end, float lineThicknessDots) {
    MakeLine<VornLibEx::Line>(res, ruler, start, end, lineThicknessDots).AppendTo(out);
}

void VornForm::GetLineString_kesh(std::string& out, IPrintResolution* res, IRuler* ruler, IPoint* start,
                                  IPoint* end, float lineThicknessDots) {
    MakeLine<KeshLibEx::Line>(res, ruler, start, end, lineThicknessDots).AppendTo(out);
}
