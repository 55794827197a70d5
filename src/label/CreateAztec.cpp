// CreateAztecBarcodes: records one Aztec symbol. Values are kept as given;
// the emitters clamp or reject them when the label is rendered.

#include <memory>

#include "label/LabelState.h"
#include "model/IBcdAztec.h"
#include "quillon/Label.h"

extern "C" {

QUILLON_API void* CreateAztecBarcodes(float start_x, float start_y, std::string content, ScaleEnum scale,
                                      float xdim, AztecCodeTypeEnum CodeType, int iFixedErrCorrection,
                                      int iLayers, RotateEnum rotation) {
    if (!gpLabel) return nullptr;
    auto start = quillon::MakePart<Point>(start_x, start_y);
    auto ruler = quillon::MakePart<Ruler>(scale);
    auto cell = quillon::MakePart<CellSquare>(xdim, ruler.get());
    auto aztec = quillon::MakePart<AztecBarcode_vorn>(start.get(), content);
    aztec->setRuler(ruler.get());
    aztec->setCellSize(cell.get());
    aztec->setRotation(rotation);
    // -1 means the caller gives no value: the object keeps its default.
    if (static_cast<int>(CodeType) != -1) aztec->setAztecCodeTypeEnumType(CodeType);
    if (iFixedErrCorrection != -1) aztec->setFixedErrCorrection(iFixedErrCorrection);
    if (iLayers != -1) aztec->setLayers(iLayers);
    aztec->printResolution = gpPrinterResolution.get();

    quillon::FormRow row;
    row.VornObjPrintLanguageTyp = giPrintLanguageTyp;
    row.VornObjects = aztec.get();
    row.VornObjType = quillon::kObjAztec;
    row.VornObjRuler = ruler.get();
    row.VornObjstart = start.get();
    row.VornObjCellSquare = cell.get();
    row.VornobjAztecContent = content;
    row.VornobjAztecCodeTyp = static_cast<int>(CodeType);
    row.VornobjAztecXdim = xdim;
    row.VornobjAztecFixedErrCorrection = iFixedErrCorrection;
    row.VornobjAztecLayers = iLayers;
    row.VornObjRotation = static_cast<int>(rotation);

    Ruler* lastRuler = ruler.get();
    CellSquare* lastCell = cell.get();
    AztecBarcode_vorn* lastAztec = aztec.get();
    quillon::ObjectParts parts;
    parts.object = quillon::Own(std::move(aztec));
    parts.ruler = quillon::Own(std::move(ruler));
    parts.start = quillon::Own(std::move(start));
    parts.cellSquare = quillon::Own(std::move(cell));
    void* label = quillon::RecordObject(std::move(row), std::move(parts));
    gpRuler = lastRuler;
    gpCellSquare = lastCell;
    gpAztecBarcodeType = lastAztec;
    return label;
}

}  // extern "C"
