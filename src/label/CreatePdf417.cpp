// The exported entry point that adds a PDF417 symbol to the current label.
// Nothing is checked here: the emitters apply every bound when the label is
// turned into text.

#include <memory>

#include "label/LabelState.h"
#include "model/IBcdPdf417.h"
#include "quillon/Label.h"

extern "C" {

QUILLON_API void* CreatePdf417Bcodes(float start_x, float start_y, std::string content, ScaleEnum scale,
                                     float xdim, float ydim, Pdf417ErrCorrectionEnum ErrorCorrection, int row,
                                     int col, RotateEnum rotation) {
    if (!gpLabel) return nullptr;
    auto start = quillon::MakePart<Point>(start_x, start_y);
    auto ruler = quillon::MakePart<Ruler>(scale);
    auto cell = quillon::MakePart<CellRect>(xdim, ydim, ruler.get());
    auto symbol = quillon::MakePart<Pdf417Barcode_vorn>(start.get(), content);
    symbol->setRuler(ruler.get());
    symbol->setRotation(rotation);
    symbol->setCellSize(cell.get());
    if (static_cast<int>(ErrorCorrection) != -1) symbol->setErrorCorrection(ErrorCorrection);
    symbol->setRows(row);
    symbol->setColumns(col);
    symbol->printResolution = gpPrinterResolution.get();

    quillon::FormRow entry;
    entry.VornObjPrintLanguageTyp = giPrintLanguageTyp;
    entry.VornObjects = symbol.get();
    entry.VornObjType = quillon::kObjPdf417;
    entry.VornObjRuler = ruler.get();
    entry.VornObjstart = start.get();
    entry.VornobjAztecContent = content;
    entry.VornobjAztecXdim = xdim;
    entry.VornobjAztecFixedErrCorrection = static_cast<int>(ErrorCorrection);
    entry.VornObjRotation = static_cast<int>(rotation);
    entry.VornObjCellRect = cell.get();
    entry.VornobjPDF417Ydim = ydim;
    entry.VornobjPDF417row = row;
    entry.VornobjPDF417col = col;

    gpRuler = ruler.get();
    gpCellRect = cell.get();
    gpPdf417BarcodeType = symbol.get();
    quillon::ObjectParts parts;
    parts.object = quillon::Own(std::move(symbol));
    parts.ruler = quillon::Own(std::move(ruler));
    parts.start = quillon::Own(std::move(start));
    parts.cellRect = quillon::Own(std::move(cell));
    return quillon::RecordObject(std::move(entry), std::move(parts));
}

}  // extern "C"
