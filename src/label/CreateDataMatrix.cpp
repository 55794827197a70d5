// The adding function of DataMatrix symbols.

#include <memory>

#include "label/LabelState.h"
#include "model/IBcdDataMatrix.h"
#include "quillon/Label.h"

extern "C" {

QUILLON_API void* CreateDataMatrixBarcodes(float start_x, float start_y, std::string content, ScaleEnum scale,
                                           float xdim, RotateEnum Rotation, bool UseRectangle,
                                           std::string MatrixMultiLine, char CtrlChar1, char CtrlChar2,
                                           int row, int col) {
    if (!gpLabel) return nullptr;
    auto start = quillon::MakePart<Point>(start_x, start_y);
    auto ruler = quillon::MakePart<Ruler>(scale);
    auto cell = quillon::MakePart<CellSquare>(xdim, ruler.get());

    auto dm = quillon::MakePart<DataMatrixBarcode_vorn>(start.get(), content);
    dm->setRuler(ruler.get());
    dm->setCellSize(cell.get());
    dm->setRotation(Rotation);
    dm->setRectangle(UseRectangle);
    // The separators become control bytes written as "~" escapes, which the
    // printer reads back through the escape character the emitters declare.
    std::string expansion =
        ADataMatrix::ExpandMultiLine(MatrixMultiLine, CtrlChar1, CtrlChar2, dm->getCtrlCharDelimiter());
    if (!MatrixMultiLine.empty()) dm->setData(expansion);
    if (row != -1 && col != -1) dm->setRowsCols(row, col);
    dm->setPrintResolution(gpPrinterResolution.get());

    quillon::FormRow rec;
    rec.VornObjPrintLanguageTyp = giPrintLanguageTyp;
    rec.VornObjects = dm.get();
    rec.VornObjType = quillon::kObjDataMatrix;
    rec.VornObjRuler = ruler.get();
    rec.VornObjstart = start.get();
    rec.VornObjCellSquare = cell.get();
    rec.VornobjAztecXdim = xdim;
    rec.VornObjRotation = static_cast<int>(Rotation);
    rec.VornobjPDF417row = row;
    rec.VornobjPDF417col = col;
    rec.VornobjDataMatrixUseRectangle = UseRectangle;
    rec.VornobjDataMatrixCtrlChar1 = CtrlChar1;
    rec.VornobjDataMatrixCtrlChar2 = CtrlChar2;
    const std::string allStr = content + expansion;
    rec.VornobjDataMatrixAllStr = allStr;
    rec.VornobjAztecContent = content;
    rec.VornobjDataMatrixMultiLine = MatrixMultiLine;

    IRuler* const lastRuler = ruler.get();
    CellSquare* const lastCell = cell.get();
    auto* const lastObject = dm.get();

    quillon::ObjectParts parts;
    parts.object = quillon::Own(std::move(dm));
    parts.ruler = quillon::Own(std::move(ruler));
    parts.start = quillon::Own(std::move(start));
    parts.cellSquare = quillon::Own(std::move(cell));
    void* const label = quillon::RecordObject(std::move(rec), std::move(parts));
    // Only a recorded object becomes the last one built.
    gpRuler = lastRuler;
    gpCellSquare = lastCell;
    gpDataMatrixBarcodeType = lastObject;
    return label;
}

}  // extern "C"
