// Adding a one-dimensional barcode to the current label. Nothing is checked
// here: an unknown symbology is recorded and decided on when rendering.
#include "label/LabelState.h"
#include "model/IBarcode1D.h"
#include "quillon/Label.h"

using namespace quillon;

extern "C" {

QUILLON_API void* CreateBarcode1D(float start_x, float start_y, std::string content, ScaleEnum scale,
                                  float narrowBar, float wideBar, float Height, BarcodeTypeEnum_1D BcdTyp,
                                  bool PrintHumanReadable, RotateEnum rotation, bool PdfLocTop) {
    if (!gpLabel) return nullptr;
    ObjectParts parts;
    parts.Make<Point>(kStartPart, start_x, start_y);
    auto* barcode = parts.Make<Barcode1D_vorn>(kObjectPart);
    barcode->setRuler(parts.Make<Ruler>(kRulerPart, scale));
    barcode->printResolution = gpPrinterResolution.get();
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
    return RecordObject(kObjBarcode1D, std::move(row), std::move(parts), gpBarcode1DType);
}

}  // extern "C"
