// Adding a one-dimensional barcode to the current label. Nothing is checked
// here: an unknown symbology is recorded and decided on when rendering.
#include <memory>

#include "label/LabelState.h"
#include "model/IBarcode1D.h"
#include "quillon/Label.h"

extern "C" {

QUILLON_API void* CreateBarcode1D(float start_x, float start_y, std::string content, ScaleEnum scale,
                                  float narrowBar, float wideBar, float Height, BarcodeTypeEnum_1D BcdTyp,
                                  bool PrintHumanReadable, RotateEnum rotation, bool PdfLocTop) {
    if (!gpLabel) return nullptr;
    auto start = quillon::MakePart<Point>(start_x, start_y);
    auto barcode = quillon::MakePart<Barcode1D_vorn>();
    auto ruler = quillon::MakePart<Ruler>(scale);
    barcode->setRuler(ruler.get());
    barcode->printResolution = gpPrinterResolution.get();
    barcode->setBarcodeType(BcdTyp);
    barcode->setRotation(rotation);
    barcode->setPrintHumanReadable(PrintHumanReadable);

    quillon::FormRow row;
    row.VornObjPrintLanguageTyp = giPrintLanguageTyp;
    row.VornObjects = barcode.get();
    row.VornObjType = quillon::kObjBarcode1D;
    row.VornObjRuler = ruler.get();
    row.VornObjstart = start.get();
    row.VornobjAztecContent = content;
    row.VornObjRotation = static_cast<int>(rotation);
    row.VornobjNarrowBar = narrowBar;
    row.VornobjWideBar = wideBar;
    row.VornobjBcdTyp = static_cast<int>(BcdTyp);
    row.VornobjPrintHumanReadable = PrintHumanReadable;
    row.VornobjHeight = Height;
    row.VornobjPdfLocTop = PdfLocTop;

    Barcode1D_vorn* barcodePtr = barcode.get();
    IRuler* rulerPtr = ruler.get();
    quillon::ObjectParts parts;
    parts.object = quillon::Own(std::move(barcode));
    parts.ruler = quillon::Own(std::move(ruler));
    parts.start = quillon::Own(std::move(start));
    void* label = quillon::RecordObject(std::move(row), std::move(parts));
    gpBarcode1DType = barcodePtr;
    gpRuler = rulerPtr;
    return label;
}

}  // extern "C"
