// Adding a PDF417 symbol to the current label. Nothing is checked here: the
// emitters apply every bound when the label is turned into text.
#include "label/LabelState.h"
#include "model/IBcdPdf417.h"
#include "quillon/Label.h"

using namespace quillon;

extern "C" {

QUILLON_API void* CreatePdf417Bcodes(float start_x, float start_y, std::string content, ScaleEnum scale,
                                     float xdim, float ydim, Pdf417ErrCorrectionEnum ErrorCorrection, int row,
                                     int col, RotateEnum rotation) {
    if (!gpLabel) return nullptr;
    ObjectParts parts;
    Point* start = parts.Make<Point>(kStartPart, start_x, start_y);
    Ruler* ruler = parts.Make<Ruler>(kRulerPart, scale);
    CellRect* cell = parts.Make<CellRect>(kCellRectPart, xdim, ydim, ruler);
    auto* symbol = parts.Make<Pdf417Barcode_vorn>(kObjectPart, start, content);
    symbol->setRuler(ruler);
    symbol->setRotation(rotation);
    symbol->setCellSize(cell);
    if (static_cast<int>(ErrorCorrection) != -1) symbol->setErrorCorrection(ErrorCorrection);
    symbol->setRows(row);
    symbol->setColumns(col);
    symbol->printResolution = gpPrinterResolution.get();

    FormRow entry;
    entry.VornobjAztecContent = content;
    entry.VornobjAztecXdim = xdim;
    entry.VornobjAztecFixedErrCorrection = static_cast<int>(ErrorCorrection);
    entry.VornObjRotation = static_cast<int>(rotation);
    entry.VornobjPDF417Ydim = ydim;
    entry.VornobjPDF417row = row;
    entry.VornobjPDF417col = col;
    return RecordObject(kObjPdf417, std::move(entry), std::move(parts), gpPdf417BarcodeType);
}

}  // extern "C"
