// Adding a one-dimensional barcode to a label. Nothing is checked here: an
// unknown symbology is recorded and decided on when rendering.
#include "label/AddObjects.h"
#include "model/IBarcode1D.h"

namespace quillon {

Recorded AddBarcode1D(const LabelTarget& target, float start_x, float start_y, const std::string& content,
                      ScaleEnum scale, float narrowBar, float wideBar, float Height,
                      BarcodeTypeEnum_1D BcdTyp, bool PrintHumanReadable, RotateEnum rotation,
                      bool PdfLocTop) {
    ObjectParts parts(*target.arena);
    parts.Make<Point>(kStartPart, start_x, start_y);
    auto* barcode = parts.Make<Barcode1D_vorn>(kObjectPart);
    barcode->setRuler(parts.Make<Ruler>(kRulerPart, scale));
    barcode->printResolution = target.resolution;
    barcode->setBarcodeType(BcdTyp);
    barcode->setRotation(rotation);
    barcode->setPrintHumanReadable(PrintHumanReadable);

    FormRow row;
    row.VornobjAztecContent = content;
    row.VornObjRotation = static_cast<int>(rotation);
    row.VornobjNarrowBar = narrowBar;
    row.VornobjWideBar = wideBar;
    row.VornobjBcdTyp = static_cast<int>(BcdTyp);
    row.VornobjPrintHumanReadable = PrintHumanReadable;
    row.VornobjHeight = Height;
    row.VornobjPdfLocTop = PdfLocTop;
    return RecordObject(target, kObjBarcode1D, std::move(row), std::move(parts));
}

}  // namespace quillon

extern "C" {

// Flattened: the adding step is inlined here, as passing a dozen arguments
// to it cost more than much of its own work.
[[gnu::flatten]] QUILLON_API void* CreateBarcode1D(float start_x, float start_y, std::string content,
                                                   ScaleEnum scale, float narrowBar, float wideBar,
                                                   float Height, BarcodeTypeEnum_1D BcdTyp,
                                                   bool PrintHumanReadable, RotateEnum rotation,
                                                   bool PdfLocTop) {
    if (!gpLabel) return nullptr;
    return quillon::PublishLast(
        quillon::AddBarcode1D(quillon::DefaultLabel(), start_x, start_y, content, scale, narrowBar, wideBar,
                              Height, BcdTyp, PrintHumanReadable, rotation, PdfLocTop),
        gpBarcode1DType);
}

}  // extern "C"
