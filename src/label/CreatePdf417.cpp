// Adding a PDF417 symbol to a label. Nothing is checked here: the emitters
// apply every bound when the label is turned into text.
#include "label/AddObjects.h"
#include "model/IBcdPdf417.h"

namespace quillon {

Recorded AddPdf417(const LabelTarget& target, float start_x, float start_y, const std::string& content,
                   ScaleEnum scale, float xdim, float ydim, Pdf417ErrCorrectionEnum ErrorCorrection, int row,
                   int col, RotateEnum rotation) {
    ObjectParts parts(*target.arena);
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
    symbol->printResolution = target.resolution;

    FormRow entry;
    entry.VornobjAztecContent = content;
    entry.VornobjAztecXdim = xdim;
    entry.VornobjAztecFixedErrCorrection = static_cast<int>(ErrorCorrection);
    entry.VornObjRotation = static_cast<int>(rotation);
    entry.VornobjPDF417Ydim = ydim;
    entry.VornobjPDF417row = row;
    entry.VornobjPDF417col = col;
    return RecordObject(target, kObjPdf417, std::move(entry), std::move(parts));
}

}  // namespace quillon

extern "C" {

QUILLON_API void* CreatePdf417Bcodes(float start_x, float start_y, std::string content, ScaleEnum scale,
                                     float xdim, float ydim, Pdf417ErrCorrectionEnum ErrorCorrection, int row,
                                     int col, RotateEnum rotation) {
    if (!gpLabel) return nullptr;
    return quillon::PublishLast(quillon::AddPdf417(quillon::DefaultLabel(), start_x, start_y, content, scale,
                                                   xdim, ydim, ErrorCorrection, row, col, rotation),
                                gpPdf417BarcodeType);
}

}  // extern "C"
