// Adding a DataMatrix symbol to a label.
#include "label/AddObjects.h"
#include "model/IBcdDataMatrix.h"

namespace quillon {

Recorded AddDataMatrix(const LabelTarget& target, float start_x, float start_y, const std::string& content,
                       ScaleEnum scale, float xdim, RotateEnum Rotation, bool UseRectangle,
                       const std::string& MatrixMultiLine, char CtrlChar1, char CtrlChar2, int row, int col) {
    ObjectParts parts(*target.arena);
    Point* start = parts.Make<Point>(kStartPart, start_x, start_y);
    Ruler* ruler = parts.Make<Ruler>(kRulerPart, scale);
    CellSquare* cell = parts.Make<CellSquare>(kCellSquarePart, xdim, ruler);
    auto* dm = parts.Make<DataMatrixBarcode_vorn>(kObjectPart, start, content);
    dm->setRuler(ruler);
    dm->setCellSize(cell);
    dm->setRotation(Rotation);
    dm->setRectangle(UseRectangle);
    // The separators become control bytes written as "~" escapes, which the
    // printer reads back through the escape character the emitters declare.
    const std::string expansion =
        ADataMatrix::ExpandMultiLine(MatrixMultiLine, CtrlChar1, CtrlChar2, dm->getCtrlCharDelimiter());
    if (!MatrixMultiLine.empty()) dm->setData(expansion);
    if (row != -1 && col != -1) dm->setRowsCols(row, col);
    dm->setPrintResolution(target.resolution);

    FormRow rec;
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
    return RecordObject(target, kObjDataMatrix, std::move(rec), std::move(parts));
}

}  // namespace quillon

extern "C" {

QUILLON_API void* CreateDataMatrixBarcodes(float start_x, float start_y, std::string content, ScaleEnum scale,
                                           float xdim, RotateEnum Rotation, bool UseRectangle,
                                           std::string MatrixMultiLine, char CtrlChar1, char CtrlChar2,
                                           int row, int col) {
    if (!gpLabel) return nullptr;
    return quillon::PublishLast(
        quillon::AddDataMatrix(quillon::DefaultLabel(), start_x, start_y, content, scale, xdim, Rotation,
                               UseRectangle, MatrixMultiLine, CtrlChar1, CtrlChar2, row, col),
        gpDataMatrixBarcodeType);
}

}  // extern "C"
