// Adding an Aztec symbol to the current label. Values are kept as given; the
// emitters clamp or reject them when the label is rendered.
#include "label/LabelState.h"
#include "model/IBcdAztec.h"
#include "quillon/Label.h"

using namespace quillon;

extern "C" {

QUILLON_API void* CreateAztecBarcodes(float start_x, float start_y, std::string content, ScaleEnum scale,
                                      float xdim, AztecCodeTypeEnum CodeType, int iFixedErrCorrection,
                                      int iLayers, RotateEnum rotation) {
    if (!gpLabel) return nullptr;
    ObjectParts parts;
    Point* start = parts.Make<Point>(kStartPart, start_x, start_y);
    Ruler* ruler = parts.Make<Ruler>(kRulerPart, scale);
    CellSquare* cell = parts.Make<CellSquare>(kCellSquarePart, xdim, ruler);
    auto* aztec = parts.Make<AztecBarcode_vorn>(kObjectPart, start, content);
    aztec->setRuler(ruler);
    aztec->setCellSize(cell);
    aztec->setRotation(rotation);
    // -1 means the caller gives no value: the object keeps its default.
    if (static_cast<int>(CodeType) != -1) aztec->setAztecCodeTypeEnumType(CodeType);
    if (iFixedErrCorrection != -1) aztec->setFixedErrCorrection(iFixedErrCorrection);
    if (iLayers != -1) aztec->setLayers(iLayers);
    aztec->printResolution = gpPrinterResolution.get();

    FormRow row;
    row.VornobjAztecContent = content;
    row.VornobjAztecCodeTyp = static_cast<int>(CodeType);
    row.VornobjAztecXdim = xdim;
    row.VornobjAztecFixedErrCorrection = iFixedErrCorrection;
    row.VornobjAztecLayers = iLayers;
    row.VornObjRotation = static_cast<int>(rotation);
    return RecordObject(kObjAztec, std::move(row), std::move(parts), gpAztecBarcodeType);
}

}  // extern "C"
