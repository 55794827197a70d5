// Boxes: corners and thickness in dots, truncated toward zero; the library
// never rounds corners.
#include "generate/ShapeBuilders.h"
#include "label/Numeric.h"
#include "label/VornForm.h"

namespace {

template <typename Builder>
Builder MakeBox(IPrintResolution* res, IRuler* ruler, IPoint* start, IPoint* end, float lineThickness) {
    PrintPlane plane(ruler);
    plane.setPrinterResolution(res);
    const float dpu = plane.DotsPerUnit(nullptr, nullptr);
    using quillon::TruncToInt;
    Builder box(TruncToInt(lineThickness * dpu), TruncToInt(start->getY() * dpu),
                TruncToInt(start->getX() * dpu), TruncToInt(end->getY() * dpu),
                TruncToInt(end->getX() * dpu));
    box.RD = TruncToInt(0.0f * dpu);
    return box;
}

}  // namespace

void VornForm::GetBoxString(std::string& out, IPrintResolution* res, IRuler* ruler, IPoint* start,
                            IPoint* end, float lineThicknessDots) {
    MakeBox<VornLibEx::Box>(res, ruler, start, end, lineThicknessDots).AppendTo(out);
}

void VornForm::GetBoxString_kesh(std::string& out, IPrintResolution* res, IRuler* ruler, IPoint* start,
                                 IPoint* end, float lineThicknessDots) {
    MakeBox<KeshLibEx::Box>(res, ruler, start, end, lineThicknessDots).AppendTo(out);
}
